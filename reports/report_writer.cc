#include "reports/report_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

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
  tallies().push_back(ReportTally{fileName, 0, 0});
  return tallies().back();
}

// The stream buffer of the one fragment being written. Handing the stream
// our own buffer spares the C library from asking the system for the file's
// block size and allocating a buffer on every open: a fragment costs one
// open, one write and one close. Every fragment the reports write fits, so
// text and line end leave in a single write when the file is closed.
char fragmentBuffer[4096];

// Writes the whole fragment; false when any part of it failed.
bool writeFragment(const char* fileName, std::string_view text, bool lineEnd, bool& opened) {
  std::FILE* file = std::fopen(fileName, "a+");
  opened = file != nullptr;
  if (file == nullptr) {
    return false;
  }
  // Should this fail, the stream keeps a buffer of its own and writes the same.
  (void)std::setvbuf(file, fragmentBuffer, _IOFBF, sizeof fragmentBuffer);
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (lineEnd) {
    written = std::fputc('\n', file) != EOF && written;
  }
  // fclose flushes; a full disk shows here.
  return std::fclose(file) == 0 && written;
}

}  // namespace

std::int16_t appendText(const char* fileName, std::string_view text, bool lineEnd) {
  ReportTally& tally = tallyFor(fileName);
  ++tally.fragments;
  bool opened = false;
  if (!writeFragment(fileName, text, lineEnd, opened)) {
    ++tally.lost;
  }
  return opened ? 1 : 0;
}

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
