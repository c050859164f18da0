#include "platform/dir_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace {

using Names = std::vector<std::string>;

TEST(DirSearch, FindsEveryKindOfEntryWithTheSuffixInAnyCase) {
  const ScopedTempDir dir;
  for (const char* name : {"b.tkl", "A.TKL", "c.Tkl", "notes.txt", "x.tkl.bak", ".tkl", "tkl"}) {
    writeFile(std::string("baits/") + name, "");
  }
  std::filesystem::create_directory("baits/folder.tkl");
  std::filesystem::create_symlink("nowhere", "baits/dangling.tkl");
  EXPECT_EQ(findFilesWithSuffix("baits/", ".tkl"),
            (Names{".tkl", "A.TKL", "b.tkl", "c.Tkl", "dangling.tkl", "folder.tkl"}));
}

TEST(DirSearch, MissingFolderGivesNothing) {
  const ScopedTempDir dir;
  EXPECT_TRUE(findFilesWithSuffix("tackle/baits/", ".tkl").empty());
  writeFile("tackle/baits", "a file, not a folder");
  EXPECT_TRUE(findFilesWithSuffix("tackle/baits/", ".tkl").empty());
}

TEST(DirSearch, ScanOrderFoldsToUpperCaseThenRawBytes) {
  // Folded to upper case, "_" (95) sorts after the letters (65 to 90);
  // names equal when folded are ordered by their raw bytes; high bytes are
  // unsigned and come last.
  Names names = {"worm.tkl", "_x.tkl", "Worm.tkl", "apple.tkl", "\xE9t\xE9.tkl", "WORM.tkl", "b.tkl"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return scanOrderLess(a, b); });
  EXPECT_EQ(names, (Names{"apple.tkl", "b.tkl", "WORM.tkl", "Worm.tkl", "worm.tkl", "_x.tkl",
                          "\xE9t\xE9.tkl"}));
}

}  // namespace
