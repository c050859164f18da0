// The loader asks for 38 values of every bait file, naming the file each
// time; the profile reader must still open each file only once per run.
// Opens are counted through the reader's own seam, regularFileOpenCount().
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "driver/run.h"
#include "platform/files.h"
#include "testing/temp_dir.h"

namespace {

// A bait file with a value in each of the three sections the loader reads.
std::string baitText(const std::string& name) {
  return "[Header]\nName=" + name +
         "\nDesc=test bait\n[bait]\nType=1\nAdjustsize=2\n"
         "hooksize=12\n[Class]\nClassType=4\nProtein=3\nLivebait=1\n";
}

// One whole run with its console and error lines thrown away; returns how
// many files the profile reader opened during it.
std::size_t opensDuringRun() {
  std::FILE* console = std::tmpfile();
  std::FILE* errors = std::tmpfile();
  const std::size_t before = regularFileOpenCount();
  const int status = runBanalyse(console, errors);
  const std::size_t opens = regularFileOpenCount() - before;
  std::fclose(console);
  std::fclose(errors);
  EXPECT_EQ(status, 0);
  return opens;
}

TEST(ProfileReaderOpens, EachBaitFileOnceInARun) {
  const ScopedTempDir dir;
  writeFile("tackle/baits/a.tkl", baitText("Red Maggots"));
  writeFile("tackle/baits/b.tkl", baitText("Sweetcorn"));
  writeFile("tackle/baits/C.TKL", baitText("Cockle"));
  // Named like a bait file but not one: found by the scan, never read.
  std::filesystem::create_directory("tackle/baits/d.tkl");

  EXPECT_EQ(opensDuringRun(), 3U);

  // Each file was read, not merely opened: its values reached the log.
  const std::string log = readFile("banalyse.txt");
  for (const char* name : {"Red Maggots\n", "Sweetcorn\n", "Cockle\n"}) {
    EXPECT_NE(log.find(name), std::string::npos) << name;
  }
}

TEST(ProfileReaderOpens, TheBaitFileAgainInTheNextRun) {
  const ScopedTempDir dir;
  writeFile("tackle/baits/a.tkl", baitText("Red Maggots"));
  EXPECT_EQ(opensDuringRun(), 1U);

  // The reader keeps no file from one run to the next: the one file, now
  // changed, is opened again, once, and its new value is the one shown.
  writeFile("tackle/baits/a.tkl", baitText("Bread Flake"));
  EXPECT_EQ(opensDuringRun(), 1U);
  const std::string page = readFile("baithook.htm");
  EXPECT_NE(page.find("Bread Flake"), std::string::npos);
  EXPECT_EQ(page.find("Red Maggots"), std::string::npos);
}

}  // namespace
