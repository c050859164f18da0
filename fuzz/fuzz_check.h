// A broken promise inside a fuzz target aborts with the condition named, so
// that libFuzzer and the replay driver alike report it as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void fuzzCheck(bool holds, const char* promise) {
  if (!holds) {
    (void)std::fprintf(stderr, "fuzz check failed: %s\n", promise);
    std::abort();
  }
}
