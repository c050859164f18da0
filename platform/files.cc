#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/native.h"

namespace {

std::size_t openCount = 0;

struct FileCloser {
  // Only files read are closed here: a failed close loses nothing.
  void operator()(std::FILE* file) const { (void)std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool readRegularFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  // One status call both tells a regular file (after following links) from
  // anything that could block or fail, and gives the size to read.
  std::error_code error;
  const std::filesystem::path fsPath = nativePath(path);
  const auto size = std::filesystem::file_size(fsPath, error);
  if (error || size >= bytes.max_size()) {
    return false;
  }
  const FileHandle file(openForReading(fsPath));
  if (!file) {
    return false;
  }
  ++openCount;
  // Unbuffered, the reads land straight in `bytes`: no buffer to allocate and
  // no copy through one. The spare byte lets the first read show the end of
  // a file that has not grown since its size was taken.
  // Should this fail, the stream keeps a buffer of its own and reads the same.
  (void)std::setvbuf(file.get(), nullptr, _IONBF, 0);
  bytes.resize(static_cast<std::size_t>(size) + 1);
  std::size_t have = 0;
  for (;;) {
    have += std::fread(bytes.data() + have, 1, bytes.size() - have, file.get());
    if (have < bytes.size()) {
      break;
    }
    bytes.resize(bytes.size() * 2);
  }
  bytes.resize(have);
  if (std::ferror(file.get()) != 0) {
    bytes.clear();
    return false;
  }
  return true;
}

std::size_t regularFileOpenCount() { return openCount; }

void removeFileUnlessDirectory(const std::string& path) {
  std::error_code error;
  const std::filesystem::path fsPath = nativePath(path);
  const auto status = std::filesystem::symlink_status(fsPath, error);
  if (error || status.type() == std::filesystem::file_type::directory) {
    return;
  }
  std::filesystem::remove(fsPath, error);
}
