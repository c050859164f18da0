#include "platform/file_ops.h"

#include <array>
#include <cerrno>
#include <new>

#include "platform/native.h"

namespace {

// The seam's state: calls counted per kind since the last reset, the
// ordinal of the call of each kind that is to fail (0 for none), the watcher.
struct Seam {
  std::array<std::size_t, kFileCallKinds> counts{};
  std::array<std::size_t, kFileCallKinds> failAt{};
  FileCallWatcher watcher = nullptr;
};
Seam seam;

std::size_t indexOf(FileCall call) { return static_cast<std::size_t>(call); }

// Counts one call of kind `call`; true when this is the one to fail, with
// errno set as a failing device would set it.
bool failsNow(FileCall call) {
  const std::size_t i = indexOf(call);
  if (++seam.counts[i] != seam.failAt[i]) {
    return false;
  }
  errno = EIO;
  return true;
}

void tell(FileCall call, std::string_view subject, bool failed) {
  if (seam.watcher != nullptr) {
    const int reason = errno;  // the caller may still look at it
    seam.watcher(call, subject, failed);
    errno = reason;
  }
}

// A listing the system could not make for lack of memory ends the run as
// any exhausted allocation does, rather than passing for an empty folder.
void throwIfOutOfMemory() {
  if (errno == ENOMEM) {
    throw std::bad_alloc();
  }
}

}  // namespace

int openForReading(const std::string& path) {
  const int file =
      failsNow(FileCall::kOpenForReading) ? -1 : nativeOpenForReading(nativePath(path));
  tell(FileCall::kOpenForReading, path, file < 0);
  return file;
}

bool fileSizeIfRegular(int file, std::uint64_t& size) {
  const bool known = !failsNow(FileCall::kSizeQuery) && nativeRegularFileSize(file, size);
  tell(FileCall::kSizeQuery, {}, !known);
  return known;
}

long long readFromFile(int file, char* into, std::size_t size) {
  const long long got = failsNow(FileCall::kRead) ? -1 : nativeRead(file, into, size);
  tell(FileCall::kRead, {}, got < 0);
  return got;
}

int openForAppending(const char* path) {
  const int file = failsNow(FileCall::kOpenForAppending) ? -1 : nativeOpenForAppending(path);
  tell(FileCall::kOpenForAppending, path, file < 0);
  return file;
}

bool writeToFile(int file, const char* data, std::size_t size) {
  bool written = !failsNow(FileCall::kWrite);
  // A regular file takes all bytes in one call unless the disk is nearly
  // full; the rest is then offered again, and the system's refusal of it is
  // what counts.
  for (std::size_t done = 0; written && done < size;) {
    const long long put = nativeWrite(file, data + done, size - done);
    written = put > 0;
    done += written ? static_cast<std::size_t>(put) : 0;
  }
  tell(FileCall::kWrite, std::string_view(data, size), !written);
  return written;
}

bool closeFile(int file) {
  const bool fail = failsNow(FileCall::kClose);
  const bool closed = nativeClose(file) && !fail;
  tell(FileCall::kClose, {}, !closed);
  return closed;
}

bool removeFile(const char* path) {
  const bool removed = !failsNow(FileCall::kRemove) && nativeRemove(path);
  tell(FileCall::kRemove, path, !removed);
  return removed;
}

int openForEmptying(const char* path) {
  const int file = failsNow(FileCall::kOpenForEmptying) ? -1 : nativeOpenForEmptying(path);
  tell(FileCall::kOpenForEmptying, path, file < 0);
  return file;
}

bool FolderListing::start(const std::string& folder) {
  folder_.close();
  bool started = !failsNow(FileCall::kList);
  if (started) {
    started = folder_.open(folder);
    if (!started) {
      throwIfOutOfMemory();
    }
  }
  tell(FileCall::kList, folder, !started);
  return started;
}

bool FolderListing::next(std::filesystem::path& name) {
  if (!folder_.isOpen()) {
    return false;  // ended, or never started: no call is made
  }
  const bool failed = failsNow(FileCall::kList);
  const int found = failed ? -1 : folder_.next(name);
  if (found < 0 && !failed) {
    throwIfOutOfMemory();
  }
  if (found <= 0) {
    folder_.close();
  }
  tell(FileCall::kList, {}, found < 0);
  return found > 0;
}

void failFileCall(FileCall call, std::size_t ordinal) { seam.failAt[indexOf(call)] = ordinal; }

std::size_t fileCallCount(FileCall call) { return seam.counts[indexOf(call)]; }

void resetFileCalls() {
  seam.counts.fill(0);
  seam.failAt.fill(0);
}

void watchFileCalls(FileCallWatcher watcher) { seam.watcher = watcher; }
