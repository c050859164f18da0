// The places where the platform under Wine is known to part from our rules,
// each held as a fixed case that asserts both answers: ours by our rules,
// the platform's as Wine gives it. They are our deliberate choices (a UTF-8
// mark, an unclosed or twice-closed section header, integer overflow) and
// three faults of Wine's own (a quoted text of exactly 255 bytes, the odd last
// byte of a UTF-16 file, the section ""). The random files never reach them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/conformance/random_profiles.h"

namespace conformance {

struct KnownProfileDifference {
  const char* what;
  std::string file;
  ProfileRequest request;
  std::string ours;
  // The platform's answer; with `platformAddsAnyByte`, that answer followed
  // by one byte that Wine reads from past its buffer, whatever it is.
  std::string platform;
  bool platformAddsAnyByte = false;
};

struct KnownNumberDifference {
  const char* what;
  std::string text;
  std::int32_t ours;
  std::int32_t platform;
};

const std::vector<KnownProfileDifference>& knownProfileDifferences();
const std::vector<KnownNumberDifference>& knownNumberDifferences();

}  // namespace conformance
