// The CSV format, the sheet in which modders balance their baits: a header
// row, then per bait file its path, the 38 values as the game uses them
// (defaults, corrections and narrowing applied, the profile scaled) in the
// loader's order, and its number of findings. RFC 4180: fields quoted when
// they hold a comma, a quote or a line end, records ended by CR LF.
#pragma once

#include <string>

#include "baitcheck/finding.h"

// The header row: "path", the 38 key names, "findings".
std::string csvHeader();

// Appends `report`'s row to `out`.
void appendCsvRow(const FileReport& report, std::string& out);
