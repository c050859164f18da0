// A console that goes away during a run: standard output a pipe whose reader
// has gone (`banalyse | head -1`, a pager quit early), or no standard output
// at all (`banalyse >&-`). Over a folder of several hundred bait files the
// progress lines overflow the console's buffer more than once, so the run
// meets the lost console part-way. Both reports must still be written whole, the same
// bytes as a run on a console that reads everything, and the run must end
// with the status the reports give.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBaitFiles = 400;

enum class Console { kFile, kPipeWithoutReader, kClosed };

std::string contentOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Runs the tool in `game` with its standard output as `console`; its exit
// status, or -1 when a signal ended it.
int runWithConsole(const fs::path& game, Console console) {
  int pipeEnds[2] = {-1, -1};
  if (console == Console::kPipeWithoutReader) {
    if (pipe(pipeEnds) != 0) {
      return -2;
    }
    close(pipeEnds[0]);  // the reader is gone before the first line
  }
  const pid_t child = fork();
  if (child == 0) {
    bool ready = chdir(game.c_str()) == 0;
    if (console == Console::kFile) {
      const int out = open("../console.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ready = ready && out >= 0 && dup2(out, STDOUT_FILENO) >= 0;
    } else if (console == Console::kPipeWithoutReader) {
      ready = ready && dup2(pipeEnds[1], STDOUT_FILENO) >= 0;
    } else {
      close(STDOUT_FILENO);
    }
    if (!ready) {
      _exit(126);
    }
    execl(BANALYSE_EXE, BANALYSE_EXE, static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pipeEnds[1] >= 0) {
    close(pipeEnds[1]);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    return -2;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LostConsole, BothReportsAreWrittenWholeAndTheRunSucceeds) {
  const ScopedTempDir dir;
  const fs::path game = dir.path() / "game";
  for (int i = 0; i < kBaitFiles; ++i) {
    writeFile(game / "tackle/baits" / ("bait" + std::to_string(i) + ".tkl"),
              "[Header]\nName=Bait number " + std::to_string(i) +
                  "\n[bait]\nAdjustsize=" + std::to_string(i % 4) + "\n");
  }
  ASSERT_EQ(runWithConsole(game, Console::kFile), 0);
  ASSERT_GT(contentOf(dir.path() / "console.out").size(), 2U * 4096)
      << "the console lines must overflow the console's buffer more than once";
  const std::string page = contentOf(game / "baithook.htm");
  const std::string log = contentOf(game / "banalyse.txt");

  for (const Console console : {Console::kPipeWithoutReader, Console::kClosed}) {
    SCOPED_TRACE(console == Console::kClosed ? "closed" : "pipe without a reader");
    fs::remove(game / "baithook.htm");
    fs::remove(game / "banalyse.txt");
    EXPECT_EQ(runWithConsole(game, console), 0);
    EXPECT_EQ(contentOf(game / "baithook.htm"), page);
    EXPECT_EQ(contentOf(game / "banalyse.txt"), log);
  }
}

}  // namespace
