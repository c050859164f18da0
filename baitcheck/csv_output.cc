#include "baitcheck/csv_output.h"

#include "baitcheck/shown_text.h"
#include "catalogue/bait_keys.h"

namespace {

constexpr const char* kRecordEnd = "\r\n";

void appendField(std::string_view field, std::string& out) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (const char c : field) {
    if (c == '"') {
      out.push_back('"');
    }
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

std::string csvHeader() {
  std::string out = "path";
  for (const BaitKey& row : kBaitKeys) {
    out.push_back(',');
    appendField(row.key, out);
  }
  out.append(",findings").append(kRecordEnd);
  return out;
}

void appendCsvRow(const FileReport& report, std::string& out) {
  appendField(report.shownPath, out);
  for (const BaitKey& row : kBaitKeys) {
    out.push_back(',');
    appendField(cellText(row.field(report.record)), out);
  }
  out.append(",").append(std::to_string(report.findings.size())).append(kRecordEnd);
}
