#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

TEST(ParseInteger, FollowsTheDecimalRule) {
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {"12", 12},
      {" \t\n\v\f\r12", 12},
      {"+12", 12},
      {"-12", -12},
      {"+-12", 0},
      {"- 12", 0},
      {"12abc", 12},
      {"12 34", 12},
      {"abc", 0},
      {"", 0},
      {"007", 7},
      {"0x10", 0},
      {"1e3", 1},
      {"12.9", 12},
      {"-12.9", -12},
      {"2147483647", kMax32},
      {"2147483648", kMax32},
      {"-2147483648", kMin32},
      {"-2147483649", kMin32},
      {"99999999999999999999999999", kMax32},
      {"-99999999999999999999999999", kMin32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseInteger(c.text), c.expected);
  }
}

std::uint32_t bitsOf(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(ParseReal, FollowsTheDecimalRule) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    const char* text;
    float expected;
  } cases[] = {
      {"12", 12.0F},       {" 1.5", 1.5F},
      {"-12.9", -12.9F},   {"+.5", 0.5F},
      {"5.", 5.0F},        {"1.5e2", 150.0F},
      {"1.5E2", 150.0F},   {"1e+", 1.0F},
      {"1e-", 1.0F},       {"1e", 1.0F},
      {"2e-1x", 0.2F},     {"1,5", 1.0F},
      {"1.2.3", 1.2F},     {"0x10", 0.0F},
      {"inf", 0.0F},       {"nan", 0.0F},
      {"-inf", 0.0F},      {".", 0.0F},
      {"-", 0.0F},         {"", 0.0F},
      {"abc", 0.0F},       {"1e39", inf},
      {"-1e39", -inf},     {"1e400", inf},
      {"1e-400", 0.0F},    {"1e99999999999999999999", inf},
      {"7.5 ; max", 7.5F}, {"1D2", 100.0F},
      {"1d2", 100.0F},     {"-2.5d-1", -0.25F},
      {"1d", 1.0F},        {"1D+", 1.0F},
      {"1e2d3", 100.0F},   {"4d1e1", 40.0F},
      {"1d39", inf},       {"0d5", 0.0F},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(bitsOf(parseReal(c.text)), bitsOf(c.expected));
  }
}

TEST(ParseReal, RoundsToDoubleFirstThenToFloat) {
  // 1 + 2^-24 + 2^-60: the nearest float to the text itself is 1 + 2^-23,
  // but the nearest double is 1 + 2^-24 (the 2^-60 is lost), a tie that
  // rounds to 1 in single precision.
  const std::string text = "1.00000005960464477539930799734";
  EXPECT_EQ(parseReal(text), 1.0F);
  EXPECT_EQ(bitsOf(parseReal("3.4028235677973366e38")),
            bitsOf(std::numeric_limits<float>::infinity()));
  EXPECT_EQ(parseReal("3.4028235e38"), std::numeric_limits<float>::max());
}

TEST(RoundToFloat, IsDefinedForEveryDouble) {
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  EXPECT_EQ(roundToFloat(kFloatMax), std::numeric_limits<float>::max());
  EXPECT_EQ(roundToFloat(kFloatMax + 0x1p102), std::numeric_limits<float>::max());
  EXPECT_TRUE(std::isinf(roundToFloat(kFloatMax + 0x1p103)));
  EXPECT_TRUE(std::isinf(roundToFloat(-1e300)));
  EXPECT_TRUE(roundToFloat(-1e300) < 0);
  EXPECT_TRUE(std::isnan(roundToFloat(std::nan(""))));
  EXPECT_EQ(roundToFloat(14.99999998509884), 15.0F);
}

TEST(TruncateToInt32, TruncatesTowardZeroAndSaturates) {
  const struct {
    double value;
    std::int32_t expected;
  } cases[] = {
      {14.99, 14},
      {-14.99, -14},
      {0.0, 0},
      {std::nan(""), 0},
      {1e10, kMax32},
      {-1e10, kMin32},
      {2147483647.9, kMax32},
      {-2147483648.9, kMin32},
      {std::numeric_limits<double>::infinity(), kMax32},
      {-std::numeric_limits<double>::infinity(), kMin32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(truncateToInt32(c.value), c.expected);
  }
  EXPECT_EQ(truncateToInt64(1e30), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(truncateToInt64(-5.5), -5);
}

}  // namespace
