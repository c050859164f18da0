// One run of baitcheck, from its arguments to its exit status.
#pragma once

#include <cstdio>

// Exit statuses.
constexpr int kNothingFound = 0;
constexpr int kFoundSomething = 1;
constexpr int kUsageError = 2;  // also: the output could not be written

// Checks the files the arguments name (options.h) and writes the result in
// the chosen format on `out`, file by file as each is checked; a usage
// error is one line on `errors`. Returns the exit status. Stops early when
// `out` cannot be written. Never throws but std::bad_alloc.
int runBaitcheck(int argc, const char* const* argv, std::FILE* out, std::FILE* errors);
