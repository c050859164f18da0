#include "platform/file_ops.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The calls seen by the watcher, in order.
std::vector<FileCall> seenCalls;

void noteCall(FileCall call, std::string_view /*subject*/, bool /*failed*/) {
  seenCalls.push_back(call);
}

// Each test starts with every call let through, counted from 0, and watched.
class FileOps : public ::testing::Test {
 protected:
  void SetUp() override {
    resetFileCalls();
    seenCalls.clear();
    watchFileCalls(noteCall);
  }
  void TearDown() override {
    watchFileCalls(nullptr);
    resetFileCalls();
  }
  ScopedTempDir dir_;
};

TEST_F(FileOps, ABaitFileCostsOpenSizeOneReadAndClose) {
  writeFile("bait.tkl", "[Header]\nName=Worm\n");
  std::string bytes = "left over";
  ASSERT_TRUE(readRegularFile("bait.tkl", bytes));
  EXPECT_EQ(bytes, "[Header]\nName=Worm\n");
  EXPECT_EQ(seenCalls, (std::vector<FileCall>{FileCall::kOpenForReading, FileCall::kSizeQuery,
                                              FileCall::kRead, FileCall::kClose}));
}

TEST_F(FileOps, WhatIsNoRegularFileIsOpenedWithoutBlockingThenLeftUnread) {
  // A FIFO opened for reading the ordinary way would wait for a writer.
  ASSERT_EQ(mkfifo("pipe.tkl", 0644), 0);
  fs::create_directory("folder.tkl");
  fs::create_symlink("nowhere.tkl", "dangling.tkl");
  for (const char* name : {"pipe.tkl", "folder.tkl", "dangling.tkl", "missing.tkl"}) {
    SCOPED_TRACE(name);
    std::string bytes = "left over";
    EXPECT_FALSE(readRegularFile(name, bytes));
    EXPECT_EQ(bytes, "");
  }
  for (const FileCall call : seenCalls) {
    EXPECT_NE(call, FileCall::kRead);
  }
  // Every descriptor opened was closed.
  EXPECT_EQ(fileCallCount(FileCall::kClose), 2U);  // pipe and folder; the others never opened
}

TEST_F(FileOps, AFailedCallOfEachReadingKindReadsNothing) {
  writeFile("bait.tkl", "[Header]\nName=Worm\n");
  for (const FileCall call : {FileCall::kOpenForReading, FileCall::kSizeQuery, FileCall::kRead}) {
    SCOPED_TRACE(static_cast<int>(call));
    resetFileCalls();
    failFileCall(call, 1);
    std::string bytes;
    EXPECT_FALSE(readRegularFile("bait.tkl", bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(fileCallCount(FileCall::kClose), call == FileCall::kOpenForReading ? 0U : 1U);
  }
}

TEST_F(FileOps, TheNthCallOfAKindFailsAndOnlyThatOne) {
  failFileCall(FileCall::kWrite, 2);
  const int file = openForAppending("out.txt");
  ASSERT_GE(file, 0);
  EXPECT_TRUE(writeToFile(file, "one ", 4));
  EXPECT_FALSE(writeToFile(file, "two ", 4));
  EXPECT_TRUE(writeToFile(file, "three", 5));
  EXPECT_TRUE(closeFile(file));
  EXPECT_EQ(readFile("out.txt"), "one three");
  EXPECT_EQ(fileCallCount(FileCall::kWrite), 3U);
}

TEST_F(FileOps, AFailedCloseStillReleasesTheDescriptor) {
  failFileCall(FileCall::kClose, 1);
  const int file = openForAppending("out.txt");
  ASSERT_GE(file, 0);
  EXPECT_TRUE(writeToFile(file, "kept", 4));
  EXPECT_FALSE(closeFile(file));
  EXPECT_EQ(fcntl(file, F_GETFD), -1);
  EXPECT_EQ(readFile("out.txt"), "kept");
}

TEST_F(FileOps, AListingEndsWhereAStepFails) {
  for (const char* name : {"a", "b", "c"}) {
    writeFile(fs::path("folder") / name, "");
  }
  const struct {
    std::size_t failing;  // the list call that fails; the first is the start
    std::size_t names;
  } cases[] = {{0, 3}, {1, 0}, {2, 0}, {3, 1}, {4, 2}, {5, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failing);
    resetFileCalls();
    failFileCall(FileCall::kList, c.failing);
    FolderListing listing;
    std::size_t names = 0;
    if (listing.start("folder")) {
      for (fs::path name; listing.next(name);) {
        ++names;
      }
    }
    EXPECT_EQ(names, c.names);
  }
}

// What clearOldFile leaves, for each thing an old page may be and each way
// the folder may refuse. Removal is refused through the seam, as a folder
// the player may not write to refuses it (root, who runs CI, is never
// refused by permissions).
TEST_F(FileOps, ClearingAnOldFile) {
  const struct {
    const char* name;
    void (*make)();
    bool removable;
    bool emptiable;
    bool cleared;
    bool gone;
    const char* content;  // what is left at the path, for a file that stays
  } cases[] = {
      {"missing", [] {}, true, true, true, true, nullptr},
      {"file", [] { writeFile("page.htm", "old\n"); }, true, true, true, true, nullptr},
      {"link", [] { fs::create_symlink("target.htm", "page.htm"); }, true, true, true, true,
       nullptr},
      {"undeletable file", [] { writeFile("page.htm", "old\n"); }, false, true, true, false, ""},
      {"undeletable, unemptiable file", [] { writeFile("page.htm", "old\n"); }, false, false, false,
       false, "old\n"},
      // Emptying never goes through a link: its target is another file.
      {"undeletable link", [] { fs::create_symlink("target.htm", "page.htm"); }, false, true, false,
       false, "target\n"},
      {"directory", [] { fs::create_directory("page.htm"); }, true, true, false, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::error_code error;
    fs::remove_all("page.htm", error);
    writeFile("target.htm", "target\n");
    c.make();
    resetFileCalls();
    failFileCall(FileCall::kRemove, c.removable ? 0 : 1);
    failFileCall(FileCall::kOpenForEmptying, c.emptiable ? 0 : 1);
    EXPECT_EQ(clearOldFile("page.htm"), c.cleared);
    EXPECT_EQ(!fs::exists(fs::symlink_status("page.htm")), c.gone);
    if (c.content != nullptr) {
      EXPECT_EQ(readFile("page.htm"), c.content);
    }
    EXPECT_EQ(readFile("target.htm"), "target\n");
  }
  EXPECT_TRUE(fs::is_directory("page.htm")) << "a directory is never removed";
}

}  // namespace
