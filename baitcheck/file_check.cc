#include "baitcheck/file_check.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "baitcheck/checked_file.h"
#include "catalogue/bait_file.h"
#include "platform/console_text.h"
#include "platform/files.h"
#include "platform/native.h"

namespace {

// Why `openPath` could not be read, in a player's words.
std::string whyUnreadable(const std::string& openPath) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(nativePath(openPath), error);
  switch (status.type()) {
    case std::filesystem::file_type::not_found:
      return "there is no such file";
    case std::filesystem::file_type::directory:
      return "it is a folder";
    case std::filesystem::file_type::regular:
      return "it cannot be opened";
    default:
      return error ? "it cannot be reached" : "it is not a regular file";
  }
}

// The line that holds the first NUL of the file, and how many NULs it holds.
struct NulBytes {
  std::size_t count = 0;
  const char* first = nullptr;
  std::size_t line = 0;
};

}  // namespace

FileReport checkBaitFile(const CheckTarget& target) {
  FileReport report;
  appendShowable(target.shownPath, report.shownPath);
  readBaitFile(report.record, target.openPath.c_str());

  FindingList findings;
  std::string bytes;
  if (!readRegularFile(target.openPath, bytes)) {
    findings.add(CheckCode::kUnreadable, 0,
                 "the file cannot be read (" + whyUnreadable(target.openPath) +
                     "), so the game reads every value as its default");
    report.findings = findings.finish();
    normaliseProfile(report.record);
    return report;
  }
  ProfileDocument document;
  document.parse(bytes);

  CheckedFile file;
  file.document = &document;
  file.record = &report.record;
  for (std::size_t i = 0; i < kBaitKeyCount; ++i) {
    file.answers[i] = locateProfileValue(document, kBaitKeys[i].section, kBaitKeys[i].key);
  }
  report.nameLine =
      file.answers[kNameKey].source == ProfileSource::kValue ? file.answers[kNameKey].keyLine : 0;
  report.refLine =
      file.answers[kRefKey].source == ProfileSource::kValue ? file.answers[kRefKey].keyLine : 0;

  const std::string_view text = document.text();
  NulBytes nul;
  nul.count = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
  nul.first = nul.count > 0 ? text.data() + text.find('\0') : nullptr;

  // The lines of a file that is not text are walked but not listed: they are
  // no one's mistakes.
  LineChecks lineChecks(file, findings, nul.count == 0);
  forEachProfileLine(document, [&](const ProfileLine& line) {
    for (std::size_t i = 0; i < kBaitKeyCount; ++i) {
      if (file.answers[i].keyLine == line.number) {
        file.keyNames[i] = line.name;
      }
    }
    if (nul.first != nullptr && nul.line == 0 && line.text.data() <= nul.first &&
        nul.first < line.text.data() + line.text.size()) {
      nul.line = line.number;
    }
    lineChecks.visit(line);
  });
  lineChecks.finish();
  if (nul.count > 0) {
    findings.add(CheckCode::kNotText, nul.line,
                 "the file holds " + std::to_string(nul.count) +
                     (nul.count == 1 ? " NUL byte" : " NUL bytes") +
                     ", the first on this line: the game ends a name or value at a NUL, and this "
                     "may not be a bait file at all (its lines are not checked)");
  }
  checkValues(file, lineChecks.nearMisses(), findings);
  report.findings = findings.finish();
  normaliseProfile(report.record);
  return report;
}
