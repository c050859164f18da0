// runProgram (driver/run.h): the run as a player starts it, with the one
// message that exhausted memory earns.
#include <cstdio>
#include <exception>
#include <new>

#include "driver/run.h"
#include "platform/native.h"

int runProgram() {
  prepareStandardStreams();
  const char* failure = nullptr;
  try {
    return runBanalyse(stdout, stderr);
  } catch (const std::bad_alloc&) {
    failure = "banalyse: out of memory\n";
  } catch (...) {
    // Nothing else is thrown by the run; should it be, the player still gets
    // a line in words and a failing status rather than an abort.
    failure = "banalyse: internal error\n";
  }
  // The progress printed so far comes first. Neither call allocates, and
  // should they fail too, the exit status still tells.
  (void)std::fflush(stdout);
  (void)std::fputs(failure, stderr);
  return 1;
}
