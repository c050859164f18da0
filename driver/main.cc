// banalyse: started in a game folder, catalogues "tackle/baits/*.tkl" and
// writes "baithook.htm" and "banalyse.txt". Arguments are ignored.
#include <cstdio>
#include <exception>

#include "driver/run.h"
#include "platform/native.h"

int main() {
  writeBytesUnchanged(stdout);
  writeBytesUnchanged(stderr);
  try {
    return runBanalyse(stdout, stderr);
  } catch (const std::exception& error) {
    // Only exhausted memory in a container can land here. Should these
    // writes fail too, the exit status still tells.
    (void)std::fflush(stdout);
    (void)std::fprintf(stderr, "banalyse: %s\n", error.what());
    return 1;
  }
}
