// End-to-end: runs the real banalyse binary in a copy of each game folder
// under tests/e2e/ and compares its console output and both reports, byte for
// byte, with the expected files beside the folder:
//   game/          the game folder the tool starts in (copied first)
//   runs           optional: how many times to run the tool (default 1)
//   stdout.txt     the console output of the last run
//   baithook.htm   the page after the last run
//   banalyse.txt   the log after the last run; when absent, no log may exist
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

}  // namespace
