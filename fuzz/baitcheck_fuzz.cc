// Fuzz target: any bytes as one bait file, checked by baitcheck and written
// in all three formats. Besides crashes and undefined behaviour it checks
// what must hold for every file: each finding on a line the file has (or on
// none), in line order, at most 51 of a code; a text line per finding with
// no control byte in it; a CSV row of 40 fields; a JSON object that parses.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <system_error>

#include "baitcheck/csv_output.h"
#include "baitcheck/file_check.h"
#include "baitcheck/finding_list.h"
#include "baitcheck/json_output.h"
#include "baitcheck/text_output.h"
#include "fuzz/fuzz_check.h"
#include "platform/profile_trace.h"

namespace {

// A folder of our own under the temporary folder, removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "baitcheck-fuzz-XXXXXX").string();
    fuzzCheck(mkdtemp(pattern.data()) != nullptr, "scratch folder created");
    folder_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string baitPath() const { return (folder_ / "x.tkl").string(); }

 private:
  std::filesystem::path folder_;
};

// The line numbers the file's trace walks.
std::set<std::size_t> linesOf(const std::string& bytes) {
  std::string copy = bytes;
  ProfileDocument document;
  document.parse(copy);
  std::set<std::size_t> numbers;
  forEachProfileLine(document, [&](const ProfileLine& line) { numbers.insert(line.number); });
  return numbers;
}

// The fields of one CSV record, by RFC 4180; -1 when it is malformed.
long csvFields(const std::string& row) {
  long fields = 1;
  bool quoted = false;
  for (std::size_t i = 0; i + 2 < row.size() || (i + 2 == row.size() && quoted); ++i) {
    const char c = row[i];
    if (quoted && c == '"') {
      if (i + 1 < row.size() && row[i + 1] == '"') {
        ++i;
      } else {
        quoted = false;
      }
    } else if (!quoted && c == '"') {
      quoted = true;
    } else if (!quoted && c == ',') {
      ++fields;
    }
  }
  return quoted || row.size() < 2 || row.substr(row.size() - 2) != "\r\n" ? -1 : fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFolder scratch;
  const std::string path = scratch.baitPath();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  const FileReport report = checkBaitFile(CheckTarget{path, "x.tkl"});

  const std::set<std::size_t> lines = linesOf(bytes);
  std::array<std::size_t, kCheckCodeCount> perCode{};
  std::size_t previous = 0;
  for (const Finding& finding : report.findings) {
    fuzzCheck(finding.line == 0 || lines.count(finding.line) == 1,
              "a finding on a line of the file");
    fuzzCheck(finding.line >= previous, "findings in line order");
    previous = finding.line;
    fuzzCheck(!finding.message.empty(), "a finding says something");
    fuzzCheck(++perCode[static_cast<std::size_t>(finding.code)] <= kMaxFindingsPerCode + 1,
              "at most 51 findings of a code");
  }

  std::string text;
  appendTextFindings(report, text);
  std::size_t lineEnds = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    lineEnds += c == '\n' ? 1 : 0;
    fuzzCheck(c == '\n' || (byte >= 0x20 && byte != 0x7F), "no control byte in the text");
  }
  fuzzCheck(lineEnds == report.findings.size(), "a text line per finding");

  std::string row;
  appendCsvRow(report, row);
  fuzzCheck(csvFields(row) == 40, "a CSV row of 40 fields");

  fuzzCheck(!nlohmann::json::parse(jsonObject(report), nullptr, false).is_discarded(),
            "a JSON object that parses");
  return 0;
}
