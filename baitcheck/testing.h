// Test helpers for baitcheck: a run in-process, its output captured.
#pragma once

#include <string>
#include <vector>

struct CapturedRun {
  int status = -1;
  std::string out;
  std::string errors;
};

// Runs baitcheck with `arguments` (without the program name) in the working
// directory.
CapturedRun runCaptured(const std::vector<std::string>& arguments);
