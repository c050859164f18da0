// POSIX forms of platform/native.h: a name is its bytes.
#include "platform/native.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

std::filesystem::path nativePath(const std::string& path) { return std::filesystem::path(path); }

std::string shownName(const std::filesystem::path& name) { return name.native(); }

std::string openName(const std::filesystem::path& name) { return name.native(); }

int nativeOpenForReading(const std::filesystem::path& path) {
  return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool nativeRegularFileSize(int file, std::uint64_t& size) {
  struct stat status {};
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
    return false;
  }
  size = static_cast<std::uint64_t>(status.st_size);
  return true;
}

long long nativeRead(int file, char* into, std::size_t size) {
  return read(file, into, size < SSIZE_MAX ? size : SSIZE_MAX);
}

int nativeOpenForAppending(const char* path) {
  // Without blocking, so that a FIFO named like a report fails at once
  // instead of waiting for a reader.
  return open(path, O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
}

long long nativeWrite(int file, const char* data, std::size_t size) {
  return write(file, data, size < SSIZE_MAX ? size : SSIZE_MAX);
}

bool nativeClose(int file) { return close(file) == 0; }

bool nativeRemove(const char* path) { return unlink(path) == 0; }

int nativeOpenForEmptying(const char* path) {
  return open(path, O_WRONLY | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool NativeFolder::open(const std::string& folder) {
  close();
  handle_ = opendir(folder.c_str());
  return handle_ != nullptr;
}

int NativeFolder::next(std::filesystem::path& name) {
  for (;;) {
    errno = 0;  // readdir tells the end from a failure only by errno
    const dirent* entry = readdir(static_cast<DIR*>(handle_));
    if (entry == nullptr) {
      return errno == 0 ? 0 : -1;
    }
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      name = entry->d_name;
      return 1;
    }
  }
}

void NativeFolder::close() noexcept {
  if (handle_ != nullptr) {
    (void)closedir(static_cast<DIR*>(handle_));
    handle_ = nullptr;
  }
}

void prepareStandardStreams() {
  (void)signal(SIGPIPE, SIG_IGN);
  for (int standard = 0; standard <= 2; ++standard) {
    if (fcntl(standard, F_GETFD) == -1 && errno == EBADF) {
      // open takes the lowest free number, which is this one.
      (void)open("/dev/null", O_RDWR);
    }
  }
}
