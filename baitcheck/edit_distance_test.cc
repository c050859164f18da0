#include "baitcheck/edit_distance.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EditDistance, CountsEditsIgnoringCaseUpToTheLimit) {
  const struct {
    const char* a;
    const char* b;
    std::size_t distance;  // with limit 2
  } cases[] = {
      {"Weight", "weight", 0}, {"Wieght", "Weight", 2},
      {"Weigt", "Weight", 1},  {"Nmae", "Name", 2},
      {"Typee", "Type", 1},    {"Colour", "Sour", 3},
      {"", "Fat", 3},          {"", "", 0},
      {"Fat", "Fa", 1},        {"Hooksize 12", "hooksize", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(editDistanceIgnoringCase(c.a, c.b, 2), c.distance);
    EXPECT_EQ(editDistanceIgnoringCase(c.b, c.a, 2), c.distance);
  }
  EXPECT_EQ(editDistanceIgnoringCase("kitten", "sitting", 5), 3U);
  EXPECT_EQ(editDistanceIgnoringCase(std::string(100000, 'x'), "Fat", 2), 3U);
}

}  // namespace
