#include "baitcheck/targets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace {

std::vector<std::string> shownPaths(const std::vector<CheckTarget>& targets) {
  std::vector<std::string> paths;
  for (const CheckTarget& target : targets) {
    paths.push_back(target.shownPath);
  }
  return paths;
}

class Targets : public ::testing::Test {
 protected:
  ScopedTempDir dir_;
};

TEST_F(Targets, NoPathIsTheGamesBaitFolderInScanOrder) {
  for (const char* name : {"b.tkl", "A.TKL", "c.Tkl", "notes.txt", "_x.tkl"}) {
    writeFile(std::string("tackle/baits/") + name, "");
  }
  std::vector<CheckTarget> targets;
  std::string error;
  ASSERT_TRUE(listTargets({}, targets, error)) << error;
  EXPECT_EQ(shownPaths(targets),
            (std::vector<std::string>{"tackle/baits/A.TKL", "tackle/baits/b.tkl",
                                      "tackle/baits/c.Tkl", "tackle/baits/_x.tkl"}));
  EXPECT_EQ(targets[0].openPath, "tackle/baits/A.TKL");
}

TEST_F(Targets, FilesAndFoldersInTheOrderGivenEachFileOnce) {
  writeFile("pack/b.tkl", "");
  writeFile("pack/a.tkl", "");
  writeFile("loose.txt", "");
  std::vector<CheckTarget> targets;
  std::string error;
  ASSERT_TRUE(listTargets({"loose.txt", "pack/", "pack/a.tkl", "pack"}, targets, error)) << error;
  EXPECT_EQ(shownPaths(targets),
            (std::vector<std::string>{"loose.txt", "pack/a.tkl", "pack/b.tkl"}));
}

TEST_F(Targets, AMissingPathIsAUsageError) {
  std::vector<CheckTarget> targets;
  std::string error;
  EXPECT_FALSE(listTargets({}, targets, error));
  EXPECT_EQ(error,
            "tackle/baits/: no such folder; run baitcheck in the game folder, or name bait files "
            "or folders");
  writeFile("here.tkl", "");
  EXPECT_FALSE(listTargets({"here.tkl", "gone\x1b.tkl"}, targets, error));
  EXPECT_EQ(error, "gone?.tkl: no such file or folder");
}

}  // namespace
