// Texts from bait files on their way into a finding or a table cell. Every
// text shows its control bytes as "?" (platform/console_text.h): findings
// and tables end up on terminals, and a name from another player's bait pack
// must not move the cursor or clear the screen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalogue/bait_keys.h"

// The longest text quoted in a finding, in bytes; a longer one is cut there
// (never inside a UTF-8 sequence) and ends in "...".
constexpr std::size_t kQuotedBytes = 60;

// `text` in double quotes, cut to kQuotedBytes.
std::string quotedText(std::string_view text);

// A field's content as a finding names it: a text quoted, a number in
// decimal (a real in the fewest digits that read back to it, "inf" beyond
// the 32-bit range), a flag as 1 or 0.
std::string shownValue(const BaitFieldValue& value);

// As shownValue, but a text whole and without quotes: a table cell.
std::string cellText(const BaitFieldValue& value);

// True when `text` holds a byte above 0x7F and is valid UTF-8 throughout.
bool isUtf8BeyondAscii(std::string_view text);

// `text`, read as Windows-1252, in UTF-8: what the game shows for it. The
// five bytes the code page leaves undefined become the control characters
// of the same number.
std::string windows1252ToUtf8(std::string_view text);

// `text` when it is valid UTF-8, otherwise windows1252ToUtf8(text): Unicode
// for a format that needs it (JSON), taking a file's bytes as their author
// most likely wrote them.
std::string asUnicode(std::string_view text);
