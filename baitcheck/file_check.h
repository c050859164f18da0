// Checking one bait file: what the game will make of it, against what its
// author wrote.
#pragma once

#include <string>

#include "baitcheck/finding.h"

// A file to check, under its two names (platform/native.h): `openPath`
// reaches it, `shownPath` is printed (its control bytes are shown as "?"
// when printed).
struct CheckTarget {
  std::string openPath;
  std::string shownPath;
};

// Reads the file through the loader that banalyse uses (readBaitFile), so
// the values cannot differ from banalyse's, and once more whole, to walk its
// lines with the profile reader's own trace; then makes every check of one
// file. A file that cannot be read gives one finding, `unreadable`, and the
// defaults. Never throws but std::bad_alloc.
FileReport checkBaitFile(const CheckTarget& target);
