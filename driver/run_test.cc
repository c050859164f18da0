#include "driver/run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/bait_record.h"
#include "testing/temp_dir.h"

namespace {

// A temporary stream standing in for the console, read back as text.
class CapturedStream {
 public:
  CapturedStream() : file_(std::tmpfile()) {}
  std::FILE* get() const { return file_.get(); }
  std::string text() const {
    std::fflush(file_.get());
    std::rewind(file_.get());
    std::string text;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file_.get())) > 0;) {
      text.append(chunk, got);
    }
    return text;
  }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

// The bait names in the order the page's rows show them.
std::vector<std::string> pageNames() {
  const std::string page = readFile("baithook.htm");
  std::vector<std::string> names;
  const std::string cell = "</tr>\n<td><font size=\"2\" face=\"Arial\">";
  for (std::size_t at = page.find(cell); at != std::string::npos; at = page.find(cell, at + 1)) {
    const std::size_t begin = at + cell.size();
    names.push_back(page.substr(begin, page.find('<', begin) - begin));
  }
  return names;
}

void writeBait(const std::string& file, const std::string& name, int type) {
  writeFile("tackle/baits/" + file,
            "[Header]\nName=" + name + "\n[bait]\nType=" + std::to_string(type) + "\n");
}

TEST(Run, ThreeFilesLoadInScanOrderAndShowInNameOrder) {
  const ScopedTempDir dir;
  writeBait("a.tkl", "Worm", 1);
  writeBait("b.tkl", "bread", 2);
  writeBait("c.tkl", "Caster", 1);
  CapturedStream console;
  CapturedStream errors;
  EXPECT_EQ(runBanalyse(console.get(), errors.get()), 0);
  EXPECT_EQ(console.text(),
            "Tarnlure 2 bait analyser\nLoading baits... please wait...tackle/baits/a.tkl\n"
            "tackle/baits/b.tkl\ntackle/baits/c.tkl\nSORTING\nWRITING HTM\n");
  EXPECT_EQ(errors.text(), "");
  const std::string log = readFile("banalyse.txt");
  EXPECT_LT(log.find("Worm\n"), log.find("bread\n"));
  EXPECT_LT(log.find("bread\n"), log.find("Caster\n"));
  EXPECT_EQ(pageNames(), (std::vector<std::string>{"bread", "Caster", "Worm"}));
  EXPECT_EQ(baitList, nullptr);
}

TEST(Run, NonAsciiFileNamesAreLoadedAndPrintedAsTheirBytes) {
  // One name in UTF-8, one in Latin-1: neither is skipped or read as defaults.
  const ScopedTempDir dir;
  writeBait(
      "p\xC3\xAA"
      "che.tkl",
      "Peach", 1);
  writeBait("\xE4sche.tkl", "Grayling strip", 1);
  CapturedStream console;
  CapturedStream errors;
  EXPECT_EQ(runBanalyse(console.get(), errors.get()), 0);
  EXPECT_EQ(console.text(),
            "Tarnlure 2 bait analyser\nLoading baits... please wait..."
            "tackle/baits/p\xC3\xAA"
            "che.tkl\ntackle/baits/\xE4sche.tkl\nSORTING\nWRITING HTM\n");
  EXPECT_EQ(pageNames(), (std::vector<std::string>{"Grayling strip", "Peach"}));
}

TEST(Run, ControlBytesOfFileNamesReachTheConsoleAsQuestionMarks) {
  // Bait packs come from other players: a name may hold a terminal's escape
  // sequences or a line break. Each file is still read through its real name.
  const struct {
    std::string file;
    std::string shown;
    std::string name;
  } cases[] = {
      {"a\x1B]0;title\x07.tkl", "a?]0;title?.tkl", "Title Setter"},
      {"b\x1B[2J.tkl", "b?[2J.tkl", "Screen Clearer"},
      {"c\nd.tkl", "c?d.tkl", "Line Breaker"},
      {"e\x7F\x01\x1F.tkl", "e???.tkl", "Rubout"},
  };
  const ScopedTempDir dir;
  std::string expected = "Tarnlure 2 bait analyser\nLoading baits... please wait...";
  for (const auto& c : cases) {
    writeBait(c.file, c.name, 1);
    expected += "tackle/baits/" + c.shown + "\n";
  }
  expected += "SORTING\nWRITING HTM\n";
  CapturedStream console;
  CapturedStream errors;
  EXPECT_EQ(runBanalyse(console.get(), errors.get()), 0);
  EXPECT_EQ(console.text(), expected);
  EXPECT_EQ(pageNames(),
            (std::vector<std::string>{"Line Breaker", "Rubout", "Screen Clearer", "Title Setter"}));
}

TEST(Run, WhenTheSortDeclinesRowsAreInReverseScanOrder) {
  const ScopedTempDir dir;
  writeBait("a.tkl", "Worm", 3);
  writeBait("b.tkl", "bread", 1);
  writeBait("c.tkl", "Caster", 0);
  CapturedStream console;
  CapturedStream errors;
  EXPECT_EQ(runBanalyse(console.get(), errors.get()), 0);
  EXPECT_EQ(pageNames(), (std::vector<std::string>{"Caster", "bread", "Worm"}));
}

TEST(Run, EmptyCatalogueShowsTheBannerThenSorting) {
  const ScopedTempDir dir;
  CapturedStream console;
  CapturedStream errors;
  EXPECT_EQ(runBanalyse(console.get(), errors.get()), 0);
  EXPECT_EQ(console.text(),
            "Tarnlure 2 bait analyser\nLoading baits... please wait...SORTING\nWRITING HTM\n");
  EXPECT_FALSE(std::filesystem::exists("banalyse.txt"));
  EXPECT_TRUE(pageNames().empty());
}

TEST(Run, LostFragmentsAreReportedAndFailTheRun) {
  const ScopedTempDir dir;
  writeBait("a.tkl", "Worm", 1);
  std::filesystem::create_directory("baithook.htm");
  CapturedStream console;
  CapturedStream errors;
  EXPECT_EQ(runBanalyse(console.get(), errors.get()), 1);
  // 11 head lines, a row of 3 + 3 + 3 + 4 × 3 + 1 fragments, the foot.
  EXPECT_EQ(errors.text(), "banalyse: baithook.htm: 34 of 34 writes failed\n");
  EXPECT_NE(readFile("banalyse.txt").find("Worm\n"), std::string::npos);
}

TEST(Run, LoadingAgainReplacesTheCatalogue) {
  const ScopedTempDir dir;
  writeBait("a.tkl", "Worm", 1);
  writeBait("b.tkl", "Bread", 1);
  CapturedStream console;
  loadBaits(console.get());
  loadBaits(console.get());
  EXPECT_EQ(countBaitsOfType(baitList, 1), 2U);
  EXPECT_STREQ(textOf(baitList->name), "Bread");
  freeBaitList(baitList);
}

}  // namespace
