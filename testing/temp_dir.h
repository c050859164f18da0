// Test helpers: every path of the tool is relative to the working directory,
// so file tests run inside a fresh temporary folder.
#pragma once

#include <filesystem>
#include <string>

// Creates an empty temporary folder and makes it the working directory; on
// destruction restores the old working directory and removes the folder.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Writes `bytes` to `path`, creating its parent folders.
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// The whole content of `path`, or "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);
