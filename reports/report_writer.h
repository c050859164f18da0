// The appending writer through which every byte of both reports is written,
// with the decimal and weight texts the reports are made of. Each fragment
// is written by its own open, append and close: no handle is held between
// fragments, so an interrupted run leaves every finished fragment on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Names for appendText's last argument at the call site.
constexpr bool kLineEnd = true;
constexpr bool kNoLineEnd = false;

// Appends `text` and, when `lineEnd` is set, one "\n" to `fileName`, opened
// for appending (created when missing; on Windows in text mode, so the line
// end widens to CR LF). Returns 1 when the file was opened, 0 when it could
// not be, in which case nothing is written. A fragment that could not be
// opened, written or closed is counted as lost in the file's tally.
std::int16_t appendText(const char* fileName, std::string_view text, bool lineEnd);

// Writes nothing more to `fileName` in this run: each later appendText naming
// it counts its fragment as lost without opening the file. For an old report
// that must not be appended to and could not be cleared.
void giveUpReport(const char* fileName);

// Appends `value` in decimal ("-" for negatives, no leading zeros) through
// appendText, and returns its result. The digits are formed in numberBuffer.
std::int16_t appendNumber(const char* fileName, std::int32_t value, bool lineEnd);

// Digits of the last appendNumber; valid until its next call.
extern char numberBuffer[12];

// The weight `drams` (a whole number) as "P lb, O oz, D dr", each part
// truncated toward zero, so the parts of a negative weight are 0 or negative.
// Returns weightBuffer, valid until the next call.
const char* formatWeight(double drams);

// Text of the last formatWeight.
extern char weightBuffer[80];

// What became of one report's fragments in this run.
struct ReportTally {
  std::string fileName;
  std::size_t fragments = 0;  // appendText calls naming the file
  std::size_t lost = 0;       // of those, the ones not wholly written
  bool givenUp = false;       // giveUpReport: no more opens of the file
};

// One tally per report named since the last reset, in order of first use.
const std::vector<ReportTally>& reportTallies();
void resetReportTallies();
