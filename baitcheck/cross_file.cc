#include "baitcheck/cross_file.h"

#include <algorithm>

#include "baitcheck/shown_text.h"
#include "catalogue/bait_keys.h"

namespace {

// Remembers `value` for `path`; when an earlier file had it, adds a finding
// on `line` of `report`.
void compare(std::unordered_map<std::string, std::string>& seen, CheckCode code, const char* key,
             std::string_view value, std::size_t line, FileReport& report) {
  const auto [earlier, isNew] = seen.try_emplace(std::string(value), report.shownPath);
  if (isNew) {
    return;
  }
  const Finding finding{code, line,
                        std::string(key) + " " + quotedText(value) + " is also the " + key +
                            " of " + earlier->second};
  // Keep the findings in line order.
  const auto at =
      std::upper_bound(report.findings.begin(), report.findings.end(), finding,
                       [](const Finding& a, const Finding& b) { return a.line < b.line; });
  report.findings.insert(at, finding);
}

}  // namespace

void CrossFileChecks::check(FileReport& report) {
  if (report.nameLine != 0) {
    compare(names_, CheckCode::kDuplicateName, "Name",
            kBaitKeys[kNameKey].field(report.record).text, report.nameLine, report);
  }
  if (report.refLine != 0) {
    compare(refs_, CheckCode::kDuplicateRef, "Ref", kBaitKeys[kRefKey].field(report.record).text,
            report.refLine, report);
  }
}
