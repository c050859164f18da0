// Text in the ANSI code page, the single-byte form in which the profile
// reader hands out every value.
#pragma once

#include <string>
#include <string_view>

// Replaces `out` with `utf16le` (UTF-16 little-endian, its mark already
// removed) converted to the ANSI code page as Windows converts it
// (WideCharToMultiByte with no flags): an odd last byte is dropped, a
// character the code page lacks becomes its best-fit look-alike where
// Windows has one (U+0100 gives "A", U+3000 a space) and "?" otherwise, a
// lone surrogate "?" and a surrogate pair "??", one per unit.
// Windows builds convert to the system's ANSI code page, as the platform's
// own profile reader does (ansi_text_windows.cc). Builds for systems without
// one convert to Windows-1252 by a table generated from Windows' answers
// (ansi_text_posix.cc, cp1252_best_fit.inc).
void utf16ToAnsi(std::string_view utf16le, std::string& out);
