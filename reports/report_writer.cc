#include "reports/report_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/file_ops.h"
#include "platform/numbers.h"

char numberBuffer[12];
char weightBuffer[80];

namespace {

std::vector<ReportTally>& tallies() {
  static std::vector<ReportTally> all;
  return all;
}

ReportTally& tallyFor(const char* fileName) {
  for (ReportTally& tally : tallies()) {
    if (tally.fileName == fileName) {
      return tally;
    }
  }
  tallies().push_back(ReportTally{fileName, 0, 0, false});
  return tallies().back();
}

// Text and line end of the fragment being written, put together so that they
// leave in one write: a fragment costs one open, one write and one close.
// Every fragment the reports write fits; a longer one would go in two writes.
char fragmentBuffer[4096];

// Writes the whole fragment to the open `file`; false when any of it failed.
bool writeFragment(int file, std::string_view text, bool lineEnd) {
  if (!lineEnd) {
    return writeToFile(file, text.data(), text.size());
  }
  if (text.size() < sizeof fragmentBuffer) {
    std::memcpy(fragmentBuffer, text.data(), text.size());
    fragmentBuffer[text.size()] = '\n';
    return writeToFile(file, fragmentBuffer, text.size() + 1);
  }
  const bool textWritten = writeToFile(file, text.data(), text.size());
  return writeToFile(file, "\n", 1) && textWritten;
}

}  // namespace

std::int16_t appendText(const char* fileName, std::string_view text, bool lineEnd) {
  ReportTally& tally = tallyFor(fileName);
  ++tally.fragments;
  const int file = tally.givenUp ? -1 : openForAppending(fileName);
  if (file < 0) {
    ++tally.lost;
    return 0;
  }
  const bool written = writeFragment(file, text, lineEnd);
  // The close can be where a full disk shows.
  if (!closeFile(file) || !written) {
    ++tally.lost;
  }
  return 1;
}

void giveUpReport(const char* fileName) { tallyFor(fileName).givenUp = true; }

std::int16_t appendNumber(const char* fileName, std::int32_t value, bool lineEnd) {
  const auto result = std::to_chars(numberBuffer, numberBuffer + sizeof numberBuffer - 1, value);
  *result.ptr = '\0';
  return appendText(
      fileName, std::string_view(numberBuffer, static_cast<std::size_t>(result.ptr - numberBuffer)),
      lineEnd);
}

const char* formatWeight(double drams) {
  // Multiplying by a power of two is exact, so these truncations see the
  // true quotients.
  const std::int64_t pounds = truncateToInt64(drams * 0.00390625);
  const double rest = drams - static_cast<double>(pounds) * 256.0;
  const std::int64_t ounces = truncateToInt64(rest * 0.0625);
  const std::int64_t remainingDrams = truncateToInt64(rest - static_cast<double>(ounces) * 16.0);
  char* out = weightBuffer;
  char* const end = weightBuffer + sizeof weightBuffer - 1;
  const auto put = [&out, end](std::int64_t number, std::string_view unit) {
    out = std::to_chars(out, end, number).ptr;
    const std::size_t length = std::min(unit.size(), static_cast<std::size_t>(end - out));
    std::memcpy(out, unit.data(), length);
    out += length;
  };
  put(pounds, " lb, ");
  put(ounces, " oz, ");
  put(remainingDrams, " dr");
  *out = '\0';
  return weightBuffer;
}

const std::vector<ReportTally>& reportTallies() { return tallies(); }

void resetReportTallies() { tallies().clear(); }
