// The few operations whose form differs between POSIX systems and Windows.
// The rest of platform/ is written once, against these; native_posix.cc and
// native_windows.cc implement them, and the build picks one.
//
// File names. The tool handles names as narrow strings, in two forms:
//  - the shown form: what the console prints and the scan order compares;
//  - the open form: what the tool hands back to platform/ to reach the file.
// On POSIX systems a name is its bytes, and both forms are those bytes,
// whatever their encoding.
// On Windows the file system holds UTF-16 names. The shown form is the name
// in the ANSI code page, exactly as the narrow file functions (FindFirstFileA,
// the C run-time's _findfirst) give it: a character the code page lacks
// becomes a look-alike (a plain "o" for an o with a double acute) or "?".
// That form may fail to open the file, or open another one, and two files
// may share it; so the open form is the name in UTF-8, which keeps every
// character, and nativePath turns it back into the full UTF-16 name. (A name
// holding a lone UTF-16 surrogate, which no editor writes, has no UTF-8 form
// and cannot be reopened.)
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// The file-system path for `path`, a narrow path in the open form. Windows:
// the bytes are read as UTF-8; bytes that are not valid UTF-8 are read in the
// ANSI code page, as the narrow file functions would read them.
std::filesystem::path nativePath(const std::string& path);

// The shown form of `name`, a name as the file system gives it.
std::string shownName(const std::filesystem::path& name);

// The open form of `name`, a name as the file system gives it.
std::string openName(const std::filesystem::path& name);

// Opens `path` for reading its bytes unchanged; null when it cannot be
// opened. The caller closes the stream.
std::FILE* openForReading(const std::filesystem::path& path);

// Makes `stream` write every byte as given. Windows' C run-time otherwise
// widens each "\n" written to a standard stream into CR LF; the console lines
// are meant to be the same bytes on every platform. (The reports keep their
// text mode and its CR LF: that is their defined line end.)
void writeBytesUnchanged(std::FILE* stream);
