// baitcheck: tells modders what the game will make of their bait files.
// See baitcheck --help, the README and docs/checks.md.
#include <cstdio>
#include <exception>
#include <new>

#include "baitcheck/run.h"
#include "platform/native.h"

int main(int argc, char** argv) {
  prepareStandardStreams();
  try {
    return runBaitcheck(argc, argv, stdout, stderr);
  } catch (const std::bad_alloc&) {
    (void)std::fflush(stdout);
    (void)std::fputs("baitcheck: out of memory\n", stderr);
    return kUsageError;
  } catch (const std::exception& error) {
    (void)std::fflush(stdout);
    (void)std::fprintf(stderr, "baitcheck: %s\n", error.what());
    return kUsageError;
  }
}
