// Runs the tool as its own process, the way a player starts it: in a game
// folder, under a time bound, and with an ordinary user's rights even when
// the tests run as root (as CI does). Root ignores file permissions, so a
// case about an unreadable or unwritable file would not meet the failure it
// is about; the tool is then started under kUnprivilegedId instead.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

// The user and group the tool runs as when the tests run as root ("nobody").
constexpr unsigned kUnprivilegedId = 65534;

// What one run left behind.
struct ToolRun {
  bool finished = false;   // false when it was killed at the time bound
  int exitStatus = -1;     // -1 unless it exited normally
  std::string console;     // standard output
  std::string errors;      // standard error
  long peakKilobytes = 0;  // peak resident memory
};

// True when the tests run as root, so the tool is started as kUnprivilegedId.
bool testsRunAsRoot();

// When running as root: gives `path` and everything under it (links
// themselves, not their targets) to kUnprivilegedId, so that the tool may
// use it as its owner would. Otherwise does nothing: the files are already
// the current user's.
void handOver(const std::filesystem::path& path);

// Starts `executable` with `gameFolder` as its working directory, through a
// small launcher process that measures its peak memory, and waits at most
// `limit` for it; a run still going then is killed. Its standard output and
// error are kept in files under `scratch`, which must not lie inside the
// game folder.
ToolRun runTool(const std::filesystem::path& executable, const std::filesystem::path& gameFolder,
                const std::filesystem::path& scratch, std::chrono::seconds limit);
