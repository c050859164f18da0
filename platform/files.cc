#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

std::size_t openCount = 0;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool readRegularFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  const std::filesystem::path fsPath(path);
  if (!std::filesystem::is_regular_file(fsPath, error) || error) {
    return false;
  }
  const FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    return false;
  }
  ++openCount;
  const auto size = std::filesystem::file_size(fsPath, error);
  if (!error && size < bytes.max_size()) {
    bytes.reserve(static_cast<std::size_t>(size));
  }
  char chunk[64 * 1024];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.append(chunk, got);
    if (got < sizeof chunk) {
      break;
    }
  }
  if (std::ferror(file.get()) != 0) {
    bytes.clear();
    return false;
  }
  return true;
}

std::size_t regularFileOpenCount() { return openCount; }

void removeFileUnlessDirectory(const std::string& path) {
  std::error_code error;
  const std::filesystem::path fsPath(path);
  const auto status = std::filesystem::symlink_status(fsPath, error);
  if (error || status.type() == std::filesystem::file_type::directory) {
    return;
  }
  std::filesystem::remove(fsPath, error);
}
