#include "baitcheck/shown_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(ShownText, QuotesShowControlBytesAndCutLongTexts) {
  EXPECT_EQ(quotedText("Red worm"), "\"Red worm\"");
  EXPECT_EQ(quotedText("a\x1b[2Jb\tc"), "\"a?[2Jb?c\"");
  EXPECT_EQ(quotedText(std::string(61, 'x')), "\"" + std::string(60, 'x') + "...\"");
  // A two-byte letter across the cut is left out whole.
  EXPECT_EQ(quotedText(std::string(59, 'x') + "\xC3\xAA" + "yy"),
            "\"" + std::string(59, 'x') + "...\"");
}

TEST(ShownText, ValuesAsFindingsAndCellsShowThem) {
  const struct {
    BaitFieldValue value;
    const char* shown;
    const char* cell;
  } cases[] = {
      {{BaitKeyKind::kText, "a,b", 0, 0}, "\"a,b\"", "a,b"},
      {{BaitKeyKind::kRef, "R\x7F", 0, 0}, "\"R?\"", "R?"},
      {{BaitKeyKind::kInteger8, "", -128, 0}, "-128", "-128"},
      {{BaitKeyKind::kFlag, "", 1, 0}, "1", "1"},
      {{BaitKeyKind::kReal, "", 0, 0.1F}, "0.1", "0.1"},
      {{BaitKeyKind::kReal, "", 0, 1.5e-7F}, "1.5e-07", "1.5e-07"},
      {{BaitKeyKind::kIntegerAsReal, "", 0, 2147483648.0F}, "2147483648", "2147483648"},
      {{BaitKeyKind::kReal, "", 0, -std::numeric_limits<float>::infinity()}, "-inf", "-inf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(shownValue(c.value), c.shown);
    EXPECT_EQ(cellText(c.value), c.cell);
  }
}

TEST(ShownText, Utf8AndTheWindowsCodePage) {
  EXPECT_TRUE(
      isUtf8BeyondAscii("P\xC3\xAA"
                        "che"));
  EXPECT_TRUE(isUtf8BeyondAscii("\xE9\xAE\x92\xF0\x9F\x90\x9F"));
  EXPECT_FALSE(isUtf8BeyondAscii("Peche"));
  EXPECT_FALSE(
      isUtf8BeyondAscii("P\xEA"
                        "che"));                    // Windows-1252
  EXPECT_FALSE(isUtf8BeyondAscii("\xC0\xAF"));      // overlong
  EXPECT_FALSE(isUtf8BeyondAscii("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(isUtf8BeyondAscii("\xC3"));          // cut short
  EXPECT_EQ(windows1252ToUtf8("P\xC3\xAA"
                              "che"),
            "P\xC3\x83\xC2\xAA"
            "che");
  EXPECT_EQ(windows1252ToUtf8("\x80\x81\x9F\xFF"), "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xBF");
  EXPECT_EQ(asUnicode("P\xC3\xAA"
                      "che"),
            "P\xC3\xAA"
            "che");
  EXPECT_EQ(asUnicode("P\xEA"
                      "che"),
            "P\xC3\xAA"
            "che");
}

}  // namespace
