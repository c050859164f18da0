#include "platform/dir_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace {

using Names = std::vector<std::string>;

Names shownNames(const std::vector<FoundFile>& found) {
  Names names;
  for (const FoundFile& file : found) {
    names.push_back(file.shownName);
  }
  return names;
}

TEST(DirSearch, FindsEveryKindOfEntryWithTheSuffixInAnyCase) {
  const ScopedTempDir dir;
  for (const char* name : {"b.tkl", "A.TKL", "c.Tkl", "notes.txt", "x.tkl.bak", ".tkl", "tkl"}) {
    writeFile(std::string("baits/") + name, "");
  }
  std::filesystem::create_directory("baits/folder.tkl");
  std::filesystem::create_symlink("nowhere", "baits/dangling.tkl");
  EXPECT_EQ(shownNames(findFilesWithSuffix("baits/", ".tkl")),
            (Names{".tkl", "A.TKL", "b.tkl", "c.Tkl", "dangling.tkl", "folder.tkl"}));
}

TEST(DirSearch, NonAsciiNamesAreFoundAsTheirBytes) {
  // On POSIX systems a name is its bytes, whatever their encoding: shown and
  // opened as they are, ordered by them.
  const ScopedTempDir dir;
  const Names names = {
      "p\xC3\xAA"
      "che.tkl",
      "\xC3\xA4sche.tkl", "\xE9t\xE9.tkl", "\xE9\xAF\x89.tkl", "\xE9\xAF\x89.txt"};
  for (const std::string& name : names) {
    writeFile("baits/" + name, "[Header]\n");
  }
  const std::vector<FoundFile> found = findFilesWithSuffix("baits/", ".tkl");
  EXPECT_EQ(shownNames(found), (Names{"p\xC3\xAA"
                                      "che.tkl",
                                      "\xC3\xA4sche.tkl", "\xE9t\xE9.tkl", "\xE9\xAF\x89.tkl"}));
  for (const FoundFile& file : found) {
    EXPECT_EQ(file.openName, file.shownName);
  }
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
  Names names = {"worm.tkl",      "_x.tkl",   "Worm.tkl", "apple.tkl",
                 "\xE9t\xE9.tkl", "WORM.tkl", "b.tkl"};
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return scanOrderLess(a, b); });
  EXPECT_EQ(names, (Names{"apple.tkl", "b.tkl", "WORM.tkl", "Worm.tkl", "worm.tkl", "_x.tkl",
                          "\xE9t\xE9.tkl"}));
}

}  // namespace
