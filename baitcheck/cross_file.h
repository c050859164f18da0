// The checks across the files of one run: duplicate-name and duplicate-ref.
// Files come one at a time, so a finding goes to the later file of a pair,
// naming the earlier one, and output can follow each file at once.
#pragma once

#include <string>
#include <unordered_map>

#include "baitcheck/finding.h"

class CrossFileChecks {
 public:
  // Adds to `report` the findings of a Name or Ref that an earlier file
  // already had, then remembers both. A Name or Ref that took its default is
  // not compared: missing-name already tells.
  void check(FileReport& report);

 private:
  std::unordered_map<std::string, std::string> names_;  // Name -> shown path of its first file
  std::unordered_map<std::string, std::string> refs_;
};
