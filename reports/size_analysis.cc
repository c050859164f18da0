#include "reports/size_analysis.h"

#include <cstdint>

#include "platform/numbers.h"
#include "reports/report_writer.h"

namespace {

// base + steps × step, in double precision from the 32-bit reals, truncated
// without a rounding to single precision in between.
std::int32_t truncatedStep(double steps, float step, float base) {
  return truncateToInt32(steps * static_cast<double>(step) + static_cast<double>(base));
}

// Minimum fish weights are summed in 64 bits: a large Addsize times many
// sizes must not wrap into a negative weight.
double minimumWeight(const BaitRecord& record, std::int64_t steps) {
  return static_cast<double>(std::int64_t{record.minSize} + steps * record.addSize);
}

}  // namespace

void writeSizeAnalysis(const BaitRecord& record) {
  const char* const log = kSizeAnalysisFile;
  const std::int32_t sizes = record.adjustSize < 1 ? 1 : record.adjustSize;

  appendText(log, textOf(record.name), kLineEnd);
  appendText(log, "\t\tSize\t\tHook size\t\tWeight\t\tMin fish", kLineEnd);
  for (std::int32_t i = 0; i < sizes; ++i) {
    appendText(log, "\t\t", kNoLineEnd);
    appendNumber(log, i + 1, kNoLineEnd);
    appendText(log, "\t\t", kNoLineEnd);
    appendNumber(log, truncatedStep(i, record.adjHookSize, record.hookSize), kNoLineEnd);
    appendText(log, "\t\t\t", kNoLineEnd);
    appendNumber(log, truncatedStep(i, record.adjWeight, record.weight), kNoLineEnd);
    appendText(log, "\t\t", kNoLineEnd);
    appendText(log, formatWeight(minimumWeight(record, i)), kLineEnd);
  }
  // Five pieces: N × step × 5, in that order of operations.
  const double fivePieces = static_cast<double>(sizes);
  appendText(log, "5 Pieces\t\t\t", kNoLineEnd);
  appendNumber(log,
               truncateToInt32(fivePieces * static_cast<double>(record.adjHookSize) * 5 +
                               static_cast<double>(record.hookSize)),
               kNoLineEnd);
  appendText(log, "\t\t\t", kNoLineEnd);
  appendNumber(log,
               truncateToInt32(fivePieces * static_cast<double>(record.adjWeight) * 5 +
                               static_cast<double>(record.weight)),
               kNoLineEnd);
  appendText(log, "\t\t", kNoLineEnd);
  appendText(log, formatWeight(minimumWeight(record, std::int64_t{sizes} * 5)), kLineEnd);
  appendText(log, " ", kLineEnd);
}
