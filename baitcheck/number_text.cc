#include "baitcheck/number_text.h"

#include <cstdint>

namespace {

// The white space the run-time's conversions skip.
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Skips white space and one sign; returns whether the sign was "-".
bool skipSpaceAndSign(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && isSpace(text[pos])) {
    ++pos;
  }
  const bool negative = pos < text.size() && text[pos] == '-';
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    ++pos;
  }
  return negative;
}

}  // namespace

NumberPrefix integerPrefix(std::string_view text) {
  NumberPrefix prefix;
  std::size_t pos = 0;
  const bool negative = skipSpaceAndSign(text, pos);
  // The magnitude, held just past the 32-bit bounds so it cannot overflow.
  constexpr std::uint64_t kPastBounds = std::uint64_t{1} << 32;
  std::uint64_t magnitude = 0;
  while (pos < text.size() && isDigit(text[pos])) {
    prefix.hasDigits = true;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    if (magnitude > kPastBounds) {
      magnitude = kPastBounds;
    }
    ++pos;
  }
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
  prefix.beyondInt32 = magnitude > limit;
  prefix.length = prefix.hasDigits ? pos : 0;
  return prefix;
}

NumberPrefix realPrefix(std::string_view text) {
  NumberPrefix prefix;
  std::size_t pos = 0;
  skipSpaceAndSign(text, pos);
  bool point = false;
  while (pos < text.size() && (isDigit(text[pos]) || (text[pos] == '.' && !point))) {
    point = point || text[pos] == '.';
    prefix.hasDigits = prefix.hasDigits || isDigit(text[pos]);
    ++pos;
  }
  if (!prefix.hasDigits) {
    return prefix;
  }
  prefix.length = pos;
  if (pos < text.size() &&
      (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' || text[pos] == 'D')) {
    std::size_t exponent = pos + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
      ++exponent;
    }
    if (exponent < text.size() && isDigit(text[exponent])) {
      while (exponent < text.size() && isDigit(text[exponent])) {
        ++exponent;
      }
      prefix.length = exponent;
    }
  }
  return prefix;
}
