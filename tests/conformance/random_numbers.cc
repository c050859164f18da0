#include "tests/conformance/random_numbers.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace conformance {

namespace {

std::string digits(RandomSource& random, std::uint64_t count) {
  std::string text;
  for (std::uint64_t i = 0; i < count; ++i) {
    text.push_back(static_cast<char>('0' + random.below(10)));
  }
  return text;
}

// A decimal text close to the midpoint of two neighbouring floats, where
// rounding the text to a double first and then to a float can differ from
// rounding it to a float at once.
std::string nearFloatMidpoint(RandomSource& random) {
  // Any finite float but the largest, and the one after it.
  std::uint32_t bits = static_cast<std::uint32_t>(random.below(0x7F7FFFFFU));
  float low = 0;
  std::memcpy(&low, &bits, sizeof low);
  ++bits;
  float high = 0;
  std::memcpy(&high, &bits, sizeof high);
  const double midpoint = (static_cast<double>(low) + static_cast<double>(high)) / 2;
  char text[96];
  (void)std::snprintf(text, sizeof text, "%.*e", static_cast<int>(16 + random.below(30)), midpoint);
  std::string out = text;
  const std::size_t exponent = out.find('e');
  if (random.chance(60) && exponent != std::string::npos && exponent > 2) {
    // Nudge the last mantissa digit up or down.
    char& last = out[exponent - 1];
    last = random.chance(50) ? (last == '9' ? '8' : static_cast<char>(last + 1))
                             : (last == '0' ? '1' : static_cast<char>(last - 1));
  }
  return out;
}

}  // namespace

std::string randomNumberText(RandomSource& random) {
  std::string text;
  if (random.chance(30)) {
    const auto count = 1 + random.below(3);
    for (std::uint64_t i = 0; i < count; ++i) {
      text.push_back(pick(random, " \t\n\v\f\r"));
    }
  }
  if (random.chance(4)) {
    text.push_back(pick(random, "\x1A\xA0\x85"));
  }
  const auto sign = random.below(100);
  if (sign < 20) {
    text.push_back('-');
  } else if (sign < 30) {
    text.push_back('+');
  } else if (sign < 33) {
    text += random.chance(50) ? "+-" : "--";
  }
  const auto kind = random.below(100);
  if (kind < 55) {
    // Digits of a whole part small enough for 32 bits, leading zeros aside.
    text += std::string(random.below(3), '0') + digits(random, random.below(10));
    if (random.chance(60)) {
      text.push_back('.');
      text += digits(random, random.below(26));
    }
    if (random.chance(40)) {
      text.push_back(pick(random, "eEdD"));
      if (random.chance(50)) {
        text.push_back(pick(random, "+-"));
      }
      text += digits(random, random.below(random.chance(10) ? 6 : 4));
    }
  } else if (kind < 75) {
    text += nearFloatMidpoint(random);
  } else if (kind < 88) {
    // The edges of the float range: overflow, subnormals, underflow.
    text += digits(random, 1) + "." + digits(random, random.below(12)) + pick(random, "eEdD") +
            (random.chance(50) ? "-" : "+") +
            std::to_string(random.chance(50) ? 36 + random.below(4) : 37 + random.below(11));
  } else {
    const char* const kOdd[] = {"inf",  "INF",  "nan",      "NaN",        "infinity",
                                "0x1A", "0X10", ".",        "",           "e5",
                                ".e1",  "1,5",  "1.2.3",    "1e99999",    "1d+",
                                "0.0",  "-0",   "1e-99999", "2147483647", "-2147483648"};
    text += kOdd[random.below(std::size(kOdd))];
  }
  if (random.chance(20)) {
    const char* const kTails[] = {" ",  "abc", ";",   ",5",  "x",    "e",      "E+",
                                  "d-", ".",   "..5", " 12", "\x1A", " ; max", "#"};
    text += kTails[random.below(std::size(kTails))];
  }
  return text;
}

}  // namespace conformance
