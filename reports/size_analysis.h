// The size analysis log, "banalyse.txt": one block per loaded bait, in the
// order the bait files are loaded, appended after the blocks of earlier runs.
#pragma once

#include "catalogue/bait_record.h"

// The log's file name, relative to the working directory.
constexpr const char* kSizeAnalysisFile = "banalyse.txt";

// Appends the block of `record`: its name, a header line, one line per bait
// size (size, hook size, bait weight, minimum fish weight), a line for five
// pieces and a line holding a single space.
void writeSizeAnalysis(const BaitRecord& record);
