#include "reports/report_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace {

class ReportWriter : public ::testing::Test {
 protected:
  void SetUp() override { resetReportTallies(); }
  void TearDown() override { resetReportTallies(); }
  ScopedTempDir dir_;
};

TEST_F(ReportWriter, AppendsFragmentsAndLineEnds) {
  EXPECT_EQ(appendText("r.txt", "abc", kNoLineEnd), 1);  // creates the file
  EXPECT_EQ(appendText("r.txt", "", kLineEnd), 1);
  EXPECT_EQ(appendText("r.txt", "", kNoLineEnd), 1);
  EXPECT_EQ(appendNumber("r.txt", -7, kNoLineEnd), 1);
  EXPECT_EQ(appendNumber("r.txt", 0, kLineEnd), 1);
  EXPECT_EQ(appendNumber("r.txt", std::numeric_limits<std::int32_t>::min(), kLineEnd), 1);
  EXPECT_EQ(readFile("r.txt"), "abc\n-70\n-2147483648\n");
  EXPECT_STREQ(numberBuffer, "-2147483648");
}

TEST_F(ReportWriter, ExtendsAnEarlierFile) {
  writeFile("r.txt", "from an earlier run\n");
  appendText("r.txt", "more", kLineEnd);
  EXPECT_EQ(readFile("r.txt"), "from an earlier run\nmore\n");
}

TEST_F(ReportWriter, TalliesFragmentsAndLosses) {
  std::filesystem::create_directory("blocked.txt");  // cannot be opened for appending
  EXPECT_EQ(appendText("ok.txt", "a", kLineEnd), 1);
  EXPECT_EQ(appendText("blocked.txt", "a", kLineEnd), 0);
  EXPECT_EQ(appendNumber("blocked.txt", 5, kNoLineEnd), 0);
  EXPECT_EQ(appendText("ok.txt", "b", kLineEnd), 1);
  const auto& tallies = reportTallies();
  ASSERT_EQ(tallies.size(), 2U);
  EXPECT_EQ(tallies[0].fileName, "ok.txt");
  EXPECT_EQ(tallies[0].fragments, 2U);
  EXPECT_EQ(tallies[0].lost, 0U);
  EXPECT_EQ(tallies[1].fileName, "blocked.txt");
  EXPECT_EQ(tallies[1].fragments, 2U);
  EXPECT_EQ(tallies[1].lost, 2U);
}

TEST_F(ReportWriter, AGivenUpReportIsNeitherOpenedNorChanged) {
  writeFile("old.htm", "a page of an earlier run\n");
  giveUpReport("old.htm");
  EXPECT_EQ(appendText("old.htm", "head", kLineEnd), 0);
  EXPECT_EQ(appendNumber("old.htm", 5, kNoLineEnd), 0);
  EXPECT_EQ(appendText("other.txt", "kept", kLineEnd), 1);
  EXPECT_EQ(readFile("old.htm"), "a page of an earlier run\n");
  EXPECT_EQ(readFile("other.txt"), "kept\n");
  ASSERT_EQ(reportTallies().size(), 2U);
  EXPECT_EQ(reportTallies()[0].fragments, 2U);
  EXPECT_EQ(reportTallies()[0].lost, 2U);
  EXPECT_EQ(reportTallies()[1].lost, 0U);

  // The next run starts afresh.
  resetReportTallies();
  EXPECT_EQ(appendText("old.htm", "new", kNoLineEnd), 1);
  EXPECT_EQ(readFile("old.htm"), "a page of an earlier run\nnew");
}

TEST_F(ReportWriter, AFragmentLongerThanTheBufferIsWrittenWhole) {
  const std::string longText(10000, 'x');
  EXPECT_EQ(appendText("r.txt", longText, kLineEnd), 1);
  EXPECT_EQ(appendText("r.txt", "y", kLineEnd), 1);
  EXPECT_EQ(readFile("r.txt"), longText + "\ny\n");
  EXPECT_EQ(reportTallies()[0].lost, 0U);
}

TEST(FormatWeight, WritesPoundsOuncesAndDramsTruncatedTowardZero) {
  const struct {
    double drams;
    const char* text;
  } cases[] = {
      {0, "0 lb, 0 oz, 0 dr"},
      {1, "0 lb, 0 oz, 1 dr"},
      {256, "1 lb, 0 oz, 0 dr"},
      {300, "1 lb, 2 oz, 12 dr"},
      {5 * 256 + 1, "5 lb, 0 oz, 1 dr"},
      {-100, "0 lb, -6 oz, -4 dr"},
      {-256 * 3 - 17, "-3 lb, -1 oz, -1 dr"},
      {2147483647, "8388607 lb, 15 oz, 15 dr"},
      {-2147483648.0, "-8388608 lb, 0 oz, 0 dr"},
      {1099511627776.0 * 1024 + 255, "4398046511104 lb, 15 oz, 15 dr"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drams);
    EXPECT_STREQ(formatWeight(c.drams), c.text);
    EXPECT_STREQ(weightBuffer, c.text);
  }
}

TEST(FormatWeight, IsDefinedForAnyDouble) {
  EXPECT_STREQ(formatWeight(std::numeric_limits<double>::quiet_NaN()), "0 lb, 0 oz, 0 dr");
  EXPECT_STREQ(formatWeight(-1e300),
               "-9223372036854775808 lb, -9223372036854775808 oz, -9223372036854775808 dr");
}

}  // namespace
