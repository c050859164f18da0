// The findings of one file as the checks add them. A file of a hundred
// thousand stray lines must not need memory or screens for each of them:
// past kMaxFindingsPerCode findings of one code, the rest are counted, and
// finish() adds one finding that says how many were left out.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "baitcheck/finding.h"

constexpr std::size_t kMaxFindingsPerCode = 50;

class FindingList {
 public:
  void add(CheckCode code, std::size_t line, std::string message);

  // Adds the notes on findings left out, then orders the findings by line,
  // whole-file findings first, keeping the order of equals; returns them.
  std::vector<Finding> finish();

 private:
  struct LeftOut {
    std::size_t count = 0;
    std::size_t firstLine = 0;
  };
  std::vector<Finding> findings_;
  std::array<std::size_t, kCheckCodeCount> listed_{};
  std::array<LeftOut, kCheckCodeCount> leftOut_{};
};
