// Memory running out at every point of a run: the real program (with a
// counting operator new, tests/faults/allocation_faults_main.cc) runs once
// per heap allocation of a run over a small game folder, that allocation
// failing. Each run must end with status 0 or 1, never a signal or a hang;
// say nothing on standard error but lines "banalyse: ..." in words; leave
// the bait files unchanged; and, in the sanitizer build, leak nothing
// (LeakSanitizer then fails the run with a status of its own).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "testing/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A status no run of the tool gives, for every sanitizer finding.
constexpr int kSanitizerStatus = 86;

const std::map<std::string, std::string> kBaits = {
    {"alder.tkl", "[Header]\nName=Alder Grub\nDesc=Soft\n[Class]\nClassType=2\nProtein=3\n"},
    {"birch.tkl", "[Header]\nName=Birch Fly\n[bait]\nAdjustsize=2\nHookbait=0\n"},
    {"cedar.tkl", "[Header]\r\nName=Cedar Moth\r\n[Bait]\r\nhooksize=8\r\n"},
};

struct Ending {
  bool exited = false;  // false when a signal ended it
  int status = -1;
  std::string errors;
  unsigned long long allocations = 0;
};

// Runs the program in `game` with allocation `failAt` failing.
Ending runFailing(const fs::path& game, unsigned long long failAt) {
  const fs::path errors = game.parent_path() / "errors.out";
  const fs::path count = game.parent_path() / "count.out";
  const std::string failText = std::to_string(failAt);
  const pid_t child = fork();
  if (child == 0) {
    const int out = open("/dev/null", O_WRONLY);
    const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0 ||
        chdir(game.c_str()) != 0) {
      _exit(126);
    }
    execl(BANALYSE_ALLOCATION_FAULTS, BANALYSE_ALLOCATION_FAULTS, failText.c_str(), count.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  Ending ending;
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    return ending;
  }
  ending.exited = WIFEXITED(status);
  ending.status = ending.exited ? WEXITSTATUS(status) : -1;
  ending.errors = readFile(errors);
  ending.allocations = std::strtoull(readFile(count).c_str(), nullptr, 10);
  return ending;
}

// Each line of `errors` is one the program may print.
bool onlyLinesInWords(const std::string& errors) {
  static const std::regex kLine(
      "banalyse: (out of memory|(baithook\\.htm|banalyse\\.txt): [0-9]+ of [0-9]+ writes failed)");
  std::istringstream lines(errors);
  for (std::string line; std::getline(lines, line);) {
    if (!std::regex_match(line, kLine)) {
      return false;
    }
  }
  return errors.empty() || errors.back() == '\n';
}

TEST(AllocationFaults, EachFailingAllocationEndsTheRunInWords) {
  for (const char* tool : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    const char* earlier = std::getenv(tool);
    const std::string options = std::string(earlier != nullptr ? earlier : "") +
                                ":exitcode=" + std::to_string(kSanitizerStatus);
    setenv(tool, options.c_str(), 1);
  }
  const ScopedTempDir dir;
  const fs::path game = dir.path() / "game";
  for (const auto& [name, bytes] : kBaits) {
    writeFile(game / "tackle/baits" / name, bytes);
  }

  const Ending clean = runFailing(game, 0);
  ASSERT_TRUE(clean.exited);
  ASSERT_EQ(clean.status, 0) << clean.errors;
  ASSERT_EQ(clean.errors, "");
  ASSERT_GT(clean.allocations, 20U);

  std::map<std::string, int> endings;
  for (unsigned long long k = 1; k <= clean.allocations; ++k) {
    SCOPED_TRACE(testing::Message() << "allocation " << k << " of " << clean.allocations);
    fs::remove(game / "baithook.htm");
    fs::remove(game / "banalyse.txt");
    const Ending ending = runFailing(game, k);
    ASSERT_TRUE(ending.exited) << "ended by a signal";
    ASSERT_TRUE(ending.status == 0 || ending.status == 1)
        << "status " << ending.status << ": " << ending.errors;
    ASSERT_TRUE(onlyLinesInWords(ending.errors)) << ending.errors;
    ASSERT_EQ(ending.status == 1, !ending.errors.empty()) << ending.errors;
    for (const auto& [name, bytes] : kBaits) {
      ASSERT_EQ(readFile(game / "tackle/baits" / name), bytes) << name;
    }
    ++endings[ending.status == 0 ? "done" : ending.errors];
  }
  for (const auto& [ending, runs] : endings) {
    std::cout << runs << " runs: " << ending << (ending == "done" ? "\n" : "");
  }
}

}  // namespace
