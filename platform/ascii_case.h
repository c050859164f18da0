// ASCII case folding, the only kind the tool knows: bytes outside "A" to "Z"
// and "a" to "z" are never changed, whatever code page a name is in.
//
// Two directions, each with its reason:
//  - the directory scan orders names folded to upper case, as Windows' own
//    name comparison does ("_" then sorts after the letters);
//  - the catalogue sorts bait names folded to lower case, as the run-time's
//    case-insensitive comparison does ("_" then sorts before the letters).
// Profile names only test for equality, where either direction gives the same.
#pragma once

#include <string_view>

constexpr unsigned char foldToUpper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

constexpr unsigned char foldToLower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// True when `a` and `b` are equal but for the case of ASCII letters.
constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldToUpper(a[i]) != foldToUpper(b[i])) {
      return false;
    }
  }
  return true;
}
