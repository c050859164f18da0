#include "tests/bad_input/tool_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <system_error>

namespace {

std::string contentOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace

bool testsRunAsRoot() { return geteuid() == 0; }

void handOver(const std::filesystem::path& path) {
  if (!testsRunAsRoot()) {
    return;
  }
  const auto give = [](const std::filesystem::path& entry) {
    if (lchown(entry.c_str(), kUnprivilegedId, kUnprivilegedId) != 0) {
      throw std::filesystem::filesystem_error("cannot hand over", entry,
                                              std::error_code(errno, std::generic_category()));
    }
  };
  give(path);
  if (std::filesystem::is_directory(std::filesystem::symlink_status(path))) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
      give(entry.path());
    }
  }
}

ToolRun runTool(const std::filesystem::path& executable, const std::filesystem::path& gameFolder,
                const std::filesystem::path& scratch, std::chrono::seconds limit) {
  const std::string seconds = std::to_string(limit.count());
  const std::string console = (scratch / "console.out").string();
  const std::string errors = (scratch / "errors.out").string();
  const std::string outcome = (scratch / "outcome.out").string();
  ToolRun run;
  const pid_t launcher = fork();
  if (launcher < 0) {
    return run;
  }
  if (launcher == 0) {
    const int out = open(outcome.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) {
      _exit(126);
    }
    execl(BANALYSE_LAUNCH, BANALYSE_LAUNCH, seconds.c_str(), gameFolder.c_str(), console.c_str(),
          errors.c_str(), executable.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(launcher, &status, 0);
  std::istringstream report(contentOf(outcome));
  int finished = 0;
  report >> finished >> run.exitStatus >> run.peakKilobytes;
  run.finished = report && finished == 1;
  run.console = contentOf(console);
  run.errors = contentOf(errors);
  return run;
}
