// How much of a value's text the loader's number rules read: the checker
// tells a modder when a value is read in part or not at all.
#pragma once

#include <cstddef>
#include <string_view>

// The part of a text that a number rule matches.
struct NumberPrefix {
  std::size_t length = 0;    // bytes matched, leading white space included
  bool hasDigits = false;    // false: the text reads as 0
  bool beyondInt32 = false;  // integer rule: the digits lie outside the 32-bit range
};

// The integer rule: white space, one optional sign, decimal digits.
NumberPrefix integerPrefix(std::string_view text);

// The real rule: white space, one optional sign, digits with at most one
// ".", then an exponent letter ("e", "E", "d" or "D") with an optional sign
// only when a digit follows it.
NumberPrefix realPrefix(std::string_view text);

// True when `text` is read whole as a number of its rule: a match that is
// all of the text and has a digit.
inline bool isWholeNumber(std::string_view text, const NumberPrefix& prefix) {
  return prefix.hasDigits && prefix.length == text.size();
}
