// UTF-16 to the system's ANSI code page, by the platform's own conversion,
// as its profile reader converts a UTF-16 file.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/ansi_text.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX  // the C++ headers may have set it already
#endif
#include <windows.h>

static_assert(sizeof(wchar_t) == 2, "Windows' wide characters are UTF-16 units");

void utf16ToAnsi(std::string_view utf16le, std::string& out) {
  out.clear();
  // Converted a piece at a time, so that a large file needs no second copy
  // of itself and every length fits the platform's int.
  constexpr std::size_t kPieceUnits = std::size_t{1} << 16;
  std::wstring piece;
  const std::size_t units = utf16le.size() / 2;
  for (std::size_t done = 0; done < units;) {
    std::size_t count = std::min(kPieceUnits, units - done);
    piece.resize(count);
    std::memcpy(piece.data(), utf16le.data() + done * 2, count * 2);
    // A surrogate pair is converted whole: its first unit waits for the
    // next piece.
    if (done + count < units && count > 1 && piece[count - 1] >= 0xD800 &&
        piece[count - 1] <= 0xDBFF) {
      --count;
    }
    const int length = static_cast<int>(count);
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, piece.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed > 0) {
      const std::size_t old = out.size();
      out.resize(old + static_cast<std::size_t>(needed));
      WideCharToMultiByte(CP_ACP, 0, piece.data(), length, out.data() + old, needed, nullptr,
                          nullptr);
    }
    done += count;
  }
}
