// The bait files one run checks, from the paths on its command line.
#pragma once

#include <string>
#include <vector>

#include "baitcheck/file_check.h"

// Where the game keeps its bait files, relative to the game folder: the
// folder checked when no path is given.
constexpr const char* kDefaultBaitFolder = "tackle/baits/";

// Lists into `targets` the files to check for `paths`, in order: a folder
// gives its entries whose names end in ".tkl" in any case, in banalyse's scan
// order (of any kind, as banalyse takes them); anything else is one bait
// file. No paths: kDefaultBaitFolder. A file named twice is checked once.
// Returns false, with a one-line message naming the path in `error`, when a
// path does not exist or a folder cannot be read.
bool listTargets(const std::vector<std::string>& paths, std::vector<CheckTarget>& targets,
                 std::string& error);
