// Text in the ANSI code page, the single-byte form in which the profile
// reader hands out every value.
#pragma once

#include <string>
#include <string_view>

// Replaces `out` with `utf16le` (UTF-16 little-endian, its mark already
// removed) converted to single-byte text as Windows converts it to the ANSI
// code page: an odd last byte is dropped, a character the code page lacks
// becomes "?", and a surrogate pair "??", one per unit. Builds for systems
// without such a code page convert to Windows-1252.
void utf16ToAnsi(std::string_view utf16le, std::string& out);
