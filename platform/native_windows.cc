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
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

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

int nativeOpenForReading(const std::filesystem::path& path) {
  return _wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

bool nativeRegularFileSize(int file, std::uint64_t& size) {
  struct _stat64 status {};
  if (_fstat64(file, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG ||
      status.st_size < 0) {
    return false;
  }
  size = static_cast<std::uint64_t>(status.st_size);
  return true;
}

long long nativeRead(int file, char* into, std::size_t size) {
  return _read(file, into, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
}

int nativeOpenForAppending(const char* path) {
  // What fopen's mode "a+" asks of the C run-time, so that the reports get
  // the same bytes as ever: text mode widens each "\n" to CR LF, and opening
  // for reading as well makes the run-time drop a Ctrl-Z that ends the file
  // before appending, as it does for "a+".
  return _wopen(nativePath(path).c_str(), _O_RDWR | _O_APPEND | _O_CREAT | _O_TEXT | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}

long long nativeWrite(int file, const char* data, std::size_t size) {
  return _write(file, data, static_cast<unsigned>(size < INT_MAX ? size : INT_MAX));
}

bool nativeClose(int file) { return _close(file) == 0; }

bool nativeRemove(const char* path) { return _wremove(nativePath(path).c_str()) == 0; }

int nativeOpenForEmptying(const char* path) {
  return _wopen(nativePath(path).c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY | _O_NOINHERIT);
}

namespace {

bool isDotEntry(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// errno for the search's last failure: no entry at all is no failure.
void setErrnoFromSearch() {
  const DWORD error = GetLastError();
  errno = error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY ? ENOMEM : ENOENT;
}

}  // namespace

bool NativeFolder::open(const std::string& folder) {
  close();
  WIN32_FIND_DATAW found{};
  const std::filesystem::path pattern = nativePath(folder) / L"*";
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    setErrnoFromSearch();
    return false;
  }
  handle_ = search;
  hasFirst_ = !isDotEntry(found.cFileName);
  if (hasFirst_) {
    first_ = found.cFileName;
  }
  return true;
}

int NativeFolder::next(std::filesystem::path& name) {
  if (hasFirst_) {
    hasFirst_ = false;
    name = std::move(first_);
    return 1;
  }
  WIN32_FIND_DATAW found{};
  for (;;) {
    if (!FindNextFileW(static_cast<HANDLE>(handle_), &found)) {
      if (GetLastError() == ERROR_NO_MORE_FILES) {
        return 0;
      }
      setErrnoFromSearch();
      return -1;
    }
    if (!isDotEntry(found.cFileName)) {
      name = found.cFileName;
      return 1;
    }
  }
}

void NativeFolder::close() noexcept {
  if (handle_ != nullptr) {
    (void)FindClose(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
  }
  hasFirst_ = false;
}

void prepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}
