#include "platform/ansi_text.h"

#include <cstdint>

namespace {

// Windows-1252 bytes for U+0080 to U+009F's replacements at 0x80 to 0x9F:
// the code point each byte stands for, or 0 where the code page leaves the
// byte undefined (those five bytes map to the control character of their own
// value).
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toCp1252(std::uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  for (std::uint32_t i = 0; i < 32; ++i) {
    if (kCp1252High[i] == 0 ? codePoint == 0x80 + i : codePoint == kCp1252High[i]) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

}  // namespace

void utf16ToAnsi(std::string_view utf16le, std::string& out) {
  const std::string_view bytes = utf16le;
  out.clear();
  out.reserve(bytes.size() / 2);
  const auto unit = [&bytes](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t first = unit(i);
    if (first >= 0xD800 && first <= 0xDBFF && i + 3 < bytes.size()) {
      const std::uint32_t second = unit(i + 2);
      if (second >= 0xDC00 && second <= 0xDFFF) {
        // A character beyond the basic plane; the code page has none.
        out.push_back('?');
        i += 2;
        continue;
      }
    }
    out.push_back(toCp1252(first));
  }
}
