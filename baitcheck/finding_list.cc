#include "baitcheck/finding_list.h"

#include <algorithm>

void FindingList::add(CheckCode code, std::size_t line, std::string message) {
  const auto index = static_cast<std::size_t>(code);
  if (listed_[index] < kMaxFindingsPerCode) {
    ++listed_[index];
    findings_.push_back(Finding{code, line, std::move(message)});
    return;
  }
  LeftOut& leftOut = leftOut_[index];
  if (leftOut.count++ == 0) {
    leftOut.firstLine = line;
  }
}

std::vector<Finding> FindingList::finish() {
  for (const CheckCode code : allCheckCodes()) {
    const LeftOut& leftOut = leftOut_[static_cast<std::size_t>(code)];
    if (leftOut.count > 0) {
      findings_.push_back(Finding{code, leftOut.firstLine,
                                  "and " + std::to_string(leftOut.count) +
                                      " more like the above from here on, not listed"});
    }
  }
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return std::move(findings_);
}
