// Windows forms of platform/native.h: names are UTF-16 on disk, shown in the
// ANSI code page and handed around in UTF-8.
#include "platform/native.h"

#include <climits>
#include <string_view>
#include <utility>

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX  // the C++ headers may have set it already
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

namespace {

// `text` in code page `codePage` as UTF-16 in `wide`; false when the
// conversion refuses it (with MB_ERR_INVALID_CHARS: bytes not valid there).
bool toWide(UINT codePage, DWORD flags, std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) {
    return true;
  }
  if (text.size() > INT_MAX) {
    return false;
  }
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (needed <= 0) {
    return false;
  }
  wide.resize(static_cast<std::size_t>(needed));
  return MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), needed) == needed;
}

// `wide` in code page `codePage`. With no flags the conversion is the one the
// narrow file functions make: best-fit look-alikes, then "?".
std::string fromWide(UINT codePage, std::wstring_view wide) {
  std::string text;
  if (wide.empty() || wide.size() > INT_MAX) {
    return text;
  }
  const int length = static_cast<int>(wide.size());
  const int needed =
      WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) {
    return text;
  }
  text.resize(static_cast<std::size_t>(needed));
  WideCharToMultiByte(codePage, 0, wide.data(), length, text.data(), needed, nullptr, nullptr);
  return text;
}

}  // namespace

std::filesystem::path nativePath(const std::string& path) {
  std::wstring wide;
  if (!toWide(CP_UTF8, MB_ERR_INVALID_CHARS, path, wide)) {
    toWide(CP_ACP, 0, path, wide);
  }
  return std::filesystem::path(std::move(wide));
}

std::string shownName(const std::filesystem::path& name) { return fromWide(CP_ACP, name.native()); }

std::string openName(const std::filesystem::path& name) { return fromWide(CP_UTF8, name.native()); }

std::FILE* openForReading(const std::filesystem::path& path) {
  return _wfopen(path.c_str(), L"rb");
}

void writeBytesUnchanged(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }
