// The text format: one line per finding, as compilers print them, so that
// editors and terminals can jump to the place:
//   tackle/baits/worm.tkl:12: warning: MESSAGE [CODE]
//   tackle/baits/worm.tkl: warning: MESSAGE [CODE]     (about the whole file)
// and a last line that sums up.
#pragma once

#include <cstddef>
#include <string>

#include "baitcheck/finding.h"

// Appends the lines of `report`'s findings to `out`.
void appendTextFindings(const FileReport& report, std::string& out);

// "14 files, 3 with findings, 5 findings" and a line end.
std::string summaryLine(std::size_t files, std::size_t filesWithFindings, std::size_t findings);
