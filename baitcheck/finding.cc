#include "baitcheck/finding.h"

namespace {

constexpr std::string_view kNames[kCheckCodeCount] = {
    "unknown-key",   "misplaced-key",  "repeated-section",   "repeated-key",       "orphan-key",
    "bare-line",     "partial-number", "value-does-not-fit", "corrected-value",    "flag-value",
    "cut-value",     "missing-name",   "missing-section",    "class-out-of-range", "empty-profile",
    "utf8-mark",     "utf8-name",      "not-text",           "unreadable",         "duplicate-name",
    "duplicate-ref",
};

}  // namespace

std::string_view codeName(CheckCode code) { return kNames[static_cast<std::size_t>(code)]; }

const std::array<CheckCode, kCheckCodeCount>& allCheckCodes() {
  static const std::array<CheckCode, kCheckCodeCount> codes = [] {
    std::array<CheckCode, kCheckCodeCount> all{};
    for (std::size_t i = 0; i < kCheckCodeCount; ++i) {
      all[i] = static_cast<CheckCode>(i);
    }
    return all;
  }();
  return codes;
}
