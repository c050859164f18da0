#include "reports/hook_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "testing/temp_dir.h"

namespace {

const std::string kLeft = "<td><font size=\"2\" face=\"Arial\">";
const std::string kCentre = "<td align=\"center\"><font size=\"2\" face=\"Arial\">";
const std::string kClose = "</font></td>\n";

// The expected row for these seven cell contents.
std::string row(const std::string& name, const std::string& type, const std::string& sizes,
                const std::string& h1, const std::string& h2, const std::string& h3,
                const std::string& h4) {
  return kLeft + name + kClose + kLeft + type + kClose + kCentre + sizes + kClose + kCentre + h1 +
         kClose + kCentre + h2 + kClose + kCentre + h3 + kClose + kCentre + h4 + kClose + "</tr>\n";
}

BaitRecord hookBait(const char* name, std::int16_t sizes, float hookSize, float adjHookSize) {
  BaitRecord record;
  record.name = copyString(name);
  record.classType = 1;
  record.usage = 30;
  record.adjustSize = sizes;
  record.hookSize = hookSize;
  record.adjHookSize = adjHookSize;
  return record;
}

std::string rowOf(const BaitRecord& record) {
  const ScopedTempDir dir;
  writePageRow(record);
  return readFile(kHookPageFile);
}

TEST(HookPage, HookCells) {
  const struct {
    const char* name;
    std::int16_t sizes;
    float hookSize;
    float adjHookSize;
    const char* cells[4];
  } cases[] = {
      {"defaults", 1, 16, -1, {"16", "see small", "12", "see small"}},
      {"three sizes", 3, 16, -1, {"16", "14", "12", "10"}},
      {"truncated toward zero", 2, 10.9F, -0.5F, {"10", "10", "8", "8"}},
      {"rounded to single precision first", 11, 16, -0.1F, {"16", "15", "15", "14"}},
      {"negative sizes", 2, -0.5F, -1, {"0", "-1", "-4", "-5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(rowOf(hookBait("Worm", c.sizes, c.hookSize, c.adjHookSize)),
              row("Worm", "Insect", std::to_string(c.sizes), c.cells[0], c.cells[1], c.cells[2],
                  c.cells[3]));
  }
}

TEST(HookPage, NotAHookBaitShowsNotApplicable) {
  for (const std::int16_t sizes : {1, 4}) {
    BaitRecord record = hookBait("Groundbait", sizes, 16, -1);
    record.usage = kHairrig | kMulti | kFeeder | kLoosefeed;
    EXPECT_EQ(rowOf(record),
              row("Groundbait", "Insect", std::to_string(sizes), "N.A", "N.A", "N.A", "N.A"));
  }
}

TEST(HookPage, ClassNames) {
  const char* const names[] = {"",      "Insect",       "Seed",          "Vegetable",
                               "Fruit", "Flora",        "Flying insect", "Shellfish",
                               "Fish",  "Small animal", "Processed",     ""};
  for (std::int16_t classType = 0; classType <= 11; ++classType) {
    SCOPED_TRACE(classType);
    BaitRecord record = hookBait("x", 1, 16, -1);
    record.classType = classType;
    EXPECT_EQ(rowOf(record), row("x", names[classType], "1", "16", "see small", "12", "see small"));
  }
  EXPECT_STREQ(className(-1), "");
}

TEST(HookPage, NameIsEscapedSoItCannotAddMarkup) {
  BaitRecord record = hookBait("<b>Bold</b> & \"<script>alert(1)</script>\"", 1, 16, -1);
  EXPECT_EQ(rowOf(record),
            row("&lt;b&gt;Bold&lt;/b&gt; &amp; &quot;&lt;script&gt;alert(1)&lt;/script&gt;&quot;",
                "Insect", "1", "16", "see small", "12", "see small"));
  record.name.reset();
  EXPECT_EQ(rowOf(record), row("", "Insect", "1", "16", "see small", "12", "see small"));
}

TEST(HookPage, HeadStartsAfreshAndFootCloses) {
  const ScopedTempDir dir;
  writeFile(kHookPageFile, "an old page\n");
  writePageHead();
  writePageFoot();
  const std::string page = readFile(kHookPageFile);
  EXPECT_EQ(page.rfind("<html><head><title>TL2 Baits</title></head>\n", 0), 0U);
  EXPECT_EQ(page.find("an old page"), std::string::npos);
  EXPECT_NE(page.find("loaded baits & Ideal hook sizes"), std::string::npos);  // kept as it is
  EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 12);
  const std::string foot = "</tr>\n</tr></table></center></div></body></html>\n";
  EXPECT_EQ(page.substr(page.size() - foot.size()), foot);
}

TEST(HookPage, HeadRemovesALinkButNeverADirectory) {
  const ScopedTempDir dir;
  writeFile("target.htm", "keep me");
  std::filesystem::create_symlink("target.htm", kHookPageFile);
  writePageHead();
  EXPECT_EQ(readFile("target.htm"), "keep me");
  EXPECT_FALSE(std::filesystem::is_symlink(kHookPageFile));

  std::filesystem::remove(kHookPageFile);
  std::filesystem::create_directory(kHookPageFile);
  writeFile(std::string(kHookPageFile) + "/inside", "x");
  writePageHead();
  EXPECT_EQ(readFile(std::string(kHookPageFile) + "/inside"), "x");
}

}  // namespace
