// Starts the tool for the bad-input tests and reports how its run ended:
//   banalyse_bad_input_launch SECONDS GAME_FOLDER CONSOLE ERRORS EXECUTABLE
// prints "FINISHED EXIT_STATUS PEAK_KILOBYTES" (FINISHED 0 when the run was
// killed after SECONDS). A process of its own, small, so that the tool's
// peak memory is its own: a child forked straight from the test process
// would count the test's memory at the fork as well.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/bad_input/tool_run.h"

namespace {

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void startTool(const char* gameFolder, const char* console, const char* errors,
                            const char* executable) {
  const int out = open(console, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = open(errors, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0 || err < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0 ||
      chdir(gameFolder) != 0) {
    _exit(126);
  }
  if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 ||
                         setuid(kUnprivilegedId) != 0)) {
    _exit(126);
  }
  execl(executable, executable, static_cast<char*>(nullptr));
  _exit(127);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    (void)std::fprintf(stderr, "usage: %s SECONDS GAME_FOLDER CONSOLE ERRORS EXECUTABLE\n",
                       argv[0]);
    return 2;
  }
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(std::strtol(argv[1], nullptr, 10));
  const pid_t child = fork();
  if (child < 0) {
    return 1;
  }
  if (child == 0) {
    startTool(argv[2], argv[3], argv[4], argv[5]);
  }
  int status = 0;
  rusage usage{};
  bool finished = false;
  for (;;) {
    const pid_t done = wait4(child, &status, WNOHANG, &usage);
    if (done == child) {
      finished = true;
      break;
    }
    if (done < 0 || std::chrono::steady_clock::now() >= deadline) {
      kill(child, SIGKILL);
      wait4(child, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const int exitStatus = finished && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::printf("%d %d %ld\n", finished ? 1 : 0, exitStatus, usage.ru_maxrss);
  return 0;
}
