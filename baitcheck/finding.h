// What baitcheck finds in a bait file: one finding per place where what was
// written is not what the game will read. docs/checks.md has a section per
// code, anchored by the code's name.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/bait_record.h"

enum class CheckCode {
  kUnknownKey,
  kMisplacedKey,
  kRepeatedSection,
  kRepeatedKey,
  kOrphanKey,
  kBareLine,
  kPartialNumber,
  kValueDoesNotFit,
  kCorrectedValue,
  kFlagValue,
  kCutValue,
  kMissingName,
  kMissingSection,
  kClassOutOfRange,
  kEmptyProfile,
  kUtf8Mark,
  kUtf8Name,
  kNotText,
  kUnreadable,
  kDuplicateName,
  kDuplicateRef,
};

constexpr std::size_t kCheckCodeCount = 21;

// The code's name, as findings show it: "unknown-key", "misplaced-key", ...
std::string_view codeName(CheckCode code);

// Every code, in the order above.
const std::array<CheckCode, kCheckCodeCount>& allCheckCodes();

struct Finding {
  CheckCode code = CheckCode::kUnknownKey;
  std::size_t line = 0;  // 1-based, as an editor counts; 0: about the whole file
  std::string message;
};

// One bait file, checked.
struct FileReport {
  std::string shownPath;  // control bytes shown as "?"
  // The 38 values as the game uses them: defaults, corrections and narrowing
  // applied, the profile scaled.
  BaitRecord record;
  std::vector<Finding> findings;  // by line, whole-file findings first
  std::size_t nameLine = 0;       // where Name was read; 0 when it took its default
  std::size_t refLine = 0;        // where Ref was read; 0 when it took its default
};
