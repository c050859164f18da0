// Windows-1252, the code page in which bait files have mostly been written.
#pragma once

#include <cstdint>

// The character a Windows-1252 byte stands for: the byte's own value but for
// 0x80 to 0x9F, where the code page places 27 characters of its own; the
// five bytes there that it leaves undefined stand for the control character
// of their own value, as Windows converts them.
constexpr std::uint16_t windows1252Character(unsigned char byte) {
  constexpr std::uint16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}
