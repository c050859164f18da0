// The run sequence of banalyse: banner, page head, catalogue load, page rows
// and foot, release; plus every line the tool prints.
#pragma once

#include <cstdint>
#include <cstdio>

// Where the bait definition files are searched, relative to the working
// directory, and the ending their names must have (any ASCII case).
constexpr const char* kBaitDirectory = "tackle/baits/";
constexpr const char* kBaitSuffix = ".tkl";

// Replaces the catalogue by one record per bait file found, loading each and
// printing its path on `console` (each control byte of it shown as "?");
// then sorts the catalogue and prints
// "SORTING" and "WRITING HTM". Entries are taken in a fixed order: by name
// with ASCII letters folded to upper case, ties broken by the raw bytes. An
// entry whose record cannot be allocated is skipped without a line. Returns 1.
std::int16_t loadBaits(std::FILE* console);

// One whole run in the working directory. Progress goes to `console`; a
// report that lost fragments gets one line on `errors`. Returns the exit
// status: 0, or 1 when any report fragment could not be written. Throws
// std::bad_alloc when memory runs out where no rule gives a result (the
// catalogue is released on the way out).
int runBanalyse(std::FILE* console, std::FILE* errors);

// The program: prepares the standard streams (platform/native.h) and runs in
// the working directory, printing to standard output. Exhausted memory ends
// the run at once with "banalyse: out of memory" on standard error and
// status 1; no exception leaves it.
int runProgram();
