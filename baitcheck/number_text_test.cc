#include "baitcheck/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, IntegerPrefix) {
  const struct {
    const char* text;
    std::size_t length;
    bool hasDigits;
    bool beyondInt32;
  } cases[] = {
      {"12", 2, true, false},
      {"12abc", 2, true, false},
      {"+7", 2, true, false},
      {"-0", 2, true, false},
      {"1.5", 1, true, false},
      {"1e3", 1, true, false},
      {"", 0, false, false},
      {"-", 0, false, false},
      {"abc", 0, false, false},
      {" \t5", 3, true, false},
      {"2147483647", 10, true, false},
      {"2147483648", 10, true, true},
      {"-2147483648", 11, true, false},
      {"-2147483649", 11, true, true},
      {"00000000000000000001", 20, true, false},
      {"99999999999999999999999", 23, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const NumberPrefix prefix = integerPrefix(c.text);
    EXPECT_EQ(prefix.length, c.length);
    EXPECT_EQ(prefix.hasDigits, c.hasDigits);
    EXPECT_EQ(prefix.beyondInt32, c.beyondInt32);
  }
}

TEST(NumberText, RealPrefix) {
  const struct {
    const char* text;
    std::size_t length;
    bool whole;
  } cases[] = {
      {"1.5", 3, true},   {"-.5", 3, true},       {"5.", 2, true},    {"1.5e2", 5, true},
      {"1E-3", 4, true},  {"1D2", 3, true},       {"2d+1", 4, true},  {"1e", 1, false},
      {"1e+", 1, false},  {"1,5", 1, false},      {"0x10", 1, false}, {"inf", 0, false},
      {".", 0, false},    {"1.2.3", 3, false},    {"", 0, false},     {"3 ; old", 1, false},
      {"1e5x", 3, false}, {"+1.25E+10", 9, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const NumberPrefix prefix = realPrefix(c.text);
    EXPECT_EQ(prefix.length, c.length);
    EXPECT_EQ(isWholeNumber(c.text, prefix), c.whole);
  }
}

}  // namespace
