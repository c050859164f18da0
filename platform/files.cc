#include "platform/files.h"

#include <cerrno>
#include <cstdint>

#include "platform/file_ops.h"

namespace {

std::size_t openCount = 0;

// Closes a file that was only read: a failed close loses nothing.
class ReadFile {
 public:
  explicit ReadFile(int file) : file_(file) {}
  ~ReadFile() {
    if (file_ >= 0) {
      (void)closeFile(file_);
    }
  }
  ReadFile(const ReadFile&) = delete;
  ReadFile& operator=(const ReadFile&) = delete;
  int get() const { return file_; }

 private:
  int file_;
};

}  // namespace

bool readRegularFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  const ReadFile file(openForReading(path));
  std::uint64_t size = 0;
  if (file.get() < 0 || !fileSizeIfRegular(file.get(), size) || size >= bytes.max_size()) {
    return false;
  }
  ++openCount;
  // The spare byte lets the first read show the end of a file that has not
  // grown since its size was taken: a short read of a regular file is its end.
  bytes.resize(static_cast<std::size_t>(size) + 1);
  std::size_t have = 0;
  for (;;) {
    const long long got = readFromFile(file.get(), bytes.data() + have, bytes.size() - have);
    if (got < 0) {
      bytes.clear();
      return false;
    }
    have += static_cast<std::size_t>(got);
    if (have < bytes.size()) {
      break;
    }
    bytes.resize(bytes.size() * 2);
  }
  bytes.resize(have);
  return true;
}

std::size_t regularFileOpenCount() { return openCount; }

bool clearOldFile(const char* path) {
  if (removeFile(path) || errno == ENOENT) {
    return true;
  }
  const int file = openForEmptying(path);
  if (file < 0) {
    return false;
  }
  // Emptied by the open itself; a failed close takes nothing back.
  (void)closeFile(file);
  return true;
}
