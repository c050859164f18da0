#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool isCWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The Windows run-time reads "d" and "D" as exponent letters too.
bool isExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Index of the first byte after leading white space.
std::size_t skipWhiteSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isCWhiteSpace(text[i])) {
    ++i;
  }
  return i;
}

}  // namespace

std::int32_t parseInteger(std::string_view text) {
  std::size_t i = skipWhiteSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude, stopping its growth just past the 32-bit range
  // so that any number of digits is handled without overflow.
  constexpr std::int64_t kCap = std::int64_t{1} << 32;
  std::int64_t magnitude = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    if (magnitude < kCap) {
      magnitude = magnitude * 10 + (text[i] - '0');
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

float parseReal(std::string_view text) {
  std::size_t i = skipWhiteSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t start = i;
  std::size_t mantissaDigits = 0;
  // Decimal exponent of the leading digit, to tell overflow from underflow
  // when the conversion reports a value out of range.
  std::int64_t magnitude = 0;
  bool seenNonZero = false;
  bool seenPoint = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      ++mantissaDigits;
      if (c != '0') {
        seenNonZero = true;
      }
      if (!seenPoint && seenNonZero) {
        ++magnitude;
      } else if (seenPoint && !seenNonZero) {
        --magnitude;
      }
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) {
    return 0.0F;
  }
  std::size_t end = i;
  const std::size_t exponentLetter = i;
  if (i < text.size() && isExponentLetter(text[i])) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    std::int64_t exponent = 0;
    const std::size_t digitsStart = j;
    for (; j < text.size() && isDigit(text[j]); ++j) {
      if (exponent < 100000000) {
        exponent = exponent * 10 + (text[j] - '0');
      }
    }
    if (j > digitsStart) {
      end = j;
      magnitude += negativeExponent ? -exponent : exponent;
    }
  }
  if (!seenNonZero) {
    return negative ? -0.0F : 0.0F;
  }
  double value = 0.0;
  std::string_view matched = text.substr(start, end - start);
  std::string withE;  // the conversion knows only "e" and "E" as exponent letters
  if (end > exponentLetter && (text[exponentLetter] == 'd' || text[exponentLetter] == 'D')) {
    withE.assign(matched);
    withE[exponentLetter - start] = 'e';
    matched = withE;
  }
  const auto result = std::from_chars(matched.data(), matched.data() + matched.size(), value,
                                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc{}) {
    value = 0.0;
  }
  return roundToFloat(negative ? -value : value);
}

float roundToFloat(double value) {
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  // Halfway between the largest float and the next power of two: from here on
  // round-to-nearest gives infinity (the largest float's last bit is odd, so
  // the tie goes up too).
  constexpr double kOverflowEdge = kFloatMax + 0x1p103;
  if (std::isnan(value)) {
    return std::numeric_limits<float>::quiet_NaN();
  }
  if (std::fabs(value) >= kOverflowEdge) {
    return value > 0 ? std::numeric_limits<float>::infinity()
                     : -std::numeric_limits<float>::infinity();
  }
  if (std::fabs(value) > kFloatMax) {
    return value > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
  }
  return static_cast<float>(value);
}

namespace {

template <typename Int>
Int truncateSaturating(double value) {
  if (std::isnan(value)) {
    return 0;
  }
  // Both bounds are powers of two, so they are exact doubles.
  constexpr double kUpper = -static_cast<double>(std::numeric_limits<Int>::min());
  constexpr double kLower = static_cast<double>(std::numeric_limits<Int>::min());
  if (value >= kUpper) {
    return std::numeric_limits<Int>::max();
  }
  if (value <= kLower) {
    return std::numeric_limits<Int>::min();
  }
  return static_cast<Int>(value);
}

}  // namespace

std::int32_t truncateToInt32(double value) { return truncateSaturating<std::int32_t>(value); }

std::int64_t truncateToInt64(double value) { return truncateSaturating<std::int64_t>(value); }
