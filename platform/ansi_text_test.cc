#include "platform/ansi_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/windows_1252.h"

namespace {

std::string utf16le(const std::u16string& text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string toAnsi(const std::string& bytes) {
  std::string out = "stale";
  utf16ToAnsi(bytes, out);
  return out;
}

TEST(Utf16ToAnsi, GivesWindows1252WithBestFitLookAlikes) {
  const struct {
    const char* name;
    std::u16string text;
    std::string expected;
  } cases[] = {
      {"ascii", u"Red Worm=1\r\n", "Red Worm=1\r\n"},
      {"latin-1", u"caf\u00E9 \u00A0\u00FF", "caf\xE9 \xA0\xFF"},
      {"the 27 at 0x80 to 0x9F", u"\u20AC\u201A\u0178\u2122", "\x80\x82\x9F\x99"},
      {"an undefined byte's own control character", u"\u0081\u009D", "\x81\x9D"},
      {"other C1 controls", u"\u0080\u0085\u009F", "???"},
      {"best-fit letters", u"\u0100\u0141\u015B\u01CD", "ALsA"},
      {"best-fit blanks and punctuation", u"\u3000\u2002\uFF1D\uFF3B\u2212", "  =[-"},
      {"no look-alike", u"\u0394\u4E2D\uFFFD", "???"},
      {"surrogate pair, one ? per unit", u"a\U0001F41Fb", "a??b"},
      {"lone high surrogate", std::u16string(u"a") + char16_t{0xD800} + u"b", "a?b"},
      {"lone low surrogate", std::u16string(u"a") + char16_t{0xDC00} + u"b", "a?b"},
      {"nul kept", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {"empty", u"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(toAnsi(utf16le(c.text)), c.expected);
  }
  EXPECT_EQ(toAnsi(utf16le(u"ab") + "x"), "ab") << "an odd last byte is dropped";
  EXPECT_EQ(toAnsi("x"), "");
}

TEST(Utf16ToAnsi, EveryWindows1252ByteComesBackFromItsCharacter) {
  std::u16string text;
  std::string expected;
  for (unsigned byte = 0; byte < 0x100; ++byte) {
    text.push_back(static_cast<char16_t>(windows1252Character(static_cast<unsigned char>(byte))));
    expected.push_back(static_cast<char>(byte));
  }
  EXPECT_EQ(toAnsi(utf16le(text)), expected);
}

}  // namespace
