// End-to-end: runs the real banalyse binary in a copy of each game folder
// under tests/e2e/ and compares its console output and both reports, byte for
// byte, with the expected files beside the folder:
//   game/          the game folder the tool starts in (copied first)
//   runs           optional: how many times to run the tool (default 1)
//   stdout.txt     the console output of the last run
//   baithook.htm   the page after the last run
//   banalyse.txt   the log after the last run; when absent, no log may exist
// The folders themselves are written by make-cases.sh, beside this file; a
// test runs it afresh and compares, so a hand edit of either shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(BANALYSE_E2E_DIR)) {
    if (fs::is_directory(entry.path() / "game")) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenRun : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenRun, OutputMatchesExpectedFiles) {
  const fs::path expected = fs::path(BANALYSE_E2E_DIR) / GetParam();
  const ScopedTempDir dir;
  fs::copy(expected / "game", dir.path(), fs::copy_options::recursive);

  int runs = 1;
  if (fs::exists(expected / "runs")) {
    runs = std::stoi(readFile(expected / "runs"));
  }
  const std::string command = std::string("'") + BANALYSE_EXE + "' > console.out 2> errors.out";
  for (int run = 0; run < runs; ++run) {
    ASSERT_EQ(std::system(command.c_str()), 0) << readFile("errors.out");
  }

  EXPECT_EQ(readFile("errors.out"), "");
  EXPECT_EQ(readFile("console.out"), readFile(expected / "stdout.txt"));
  EXPECT_EQ(readFile("baithook.htm"), readFile(expected / "baithook.htm"));
  if (fs::exists(expected / "banalyse.txt")) {
    EXPECT_EQ(readFile("banalyse.txt"), readFile(expected / "banalyse.txt"));
  } else {
    EXPECT_FALSE(fs::exists("banalyse.txt"));
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, GoldenRun, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// Every folder and file in the case folders under `root` (files directly in
// `root`, such as this test's source, are no case), with each file's bytes.
std::map<std::string, std::string> caseTree(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    if (it.depth() == 0 && !it->is_directory()) {
      continue;
    }
    const std::string name = it->path().lexically_relative(root).generic_string();
    entries[name] = it->is_directory() ? "(folder)" : readFile(it->path());
  }
  return entries;
}

TEST(GoldenFiles, AreWhatMakeCasesWrites) {
  const ScopedTempDir dir;
  const std::string command = std::string("bash '") + BANALYSE_E2E_DIR + "/make-cases.sh' '" +
                              dir.path().string() + "/written' 2> errors.out";
  fs::create_directory("written");
  ASSERT_EQ(std::system(command.c_str()), 0) << readFile("errors.out");

  const auto written = caseTree(dir.path() / "written");
  const auto committed = caseTree(BANALYSE_E2E_DIR);
  std::set<std::string> names;
  for (const auto* tree : {&written, &committed}) {
    for (const auto& entry : *tree) {
      names.insert(entry.first);
    }
  }
  for (const std::string& name : names) {
    if (written.count(name) == 0) {
      ADD_FAILURE() << name << ": committed, but make-cases.sh does not write it";
    } else if (committed.count(name) == 0) {
      ADD_FAILURE() << name << ": written by make-cases.sh, but not committed";
    } else {
      EXPECT_EQ(written.at(name), committed.at(name)) << name;
    }
  }
}

}  // namespace
