// Every file call the tool makes, one function per operation: listing a
// folder, opening for reading, asking a file's size, reading, opening for
// appending, writing, closing, removing and emptying. The tool and its tests
// call these and nothing else, so this is also where the tests reach every
// file call of a run: each can be made to fail, the Nth call of a kind
// failing as the system would fail it, and each can be watched.
//
// Files are plain descriptors, -1 for none. Nothing here throws but
// std::bad_alloc, when memory runs out (a listing the system could not make
// for lack of memory included: it is no empty folder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/native.h"

// The kinds of file call, in the order a run first makes them.
enum class FileCall : std::uint8_t {
  kRemove,
  kOpenForEmptying,
  kOpenForAppending,
  kWrite,
  kClose,
  kList,  // the start of a listing, and each step to its next entry
  kOpenForReading,
  kSizeQuery,
  kRead,
};
constexpr std::size_t kFileCallKinds = 9;

// Opens `path` (open form) for reading, without blocking: a FIFO or device
// opens at once and is then told apart by fileSizeIfRegular. -1 on failure.
int openForReading(const std::string& path);

// The size of the regular file open on `file`; false for anything else or
// when the size cannot be had.
bool fileSizeIfRegular(int file, std::uint64_t& size);

// Reads at most `size` bytes into `into` in one call: the bytes read, 0 at
// the end of the file, -1 on failure.
long long readFromFile(int file, char* into, std::size_t size);

// Opens `path` for appending, created when missing; text mode on Windows, so
// "\n" is written as CR LF there. Never blocks. -1 on failure.
int openForAppending(const char* path);

// Writes all `size` bytes of `data`: one call, more only when the system
// takes less (as a nearly full disk may). False when any byte could not be
// written.
bool writeToFile(int file, const char* data, std::size_t size);

// Closes `file`. False when the system reports a failure, such as a full
// disk noticed only now; the descriptor is released either way.
bool closeFile(int file);

// Removes the file or link `path` (the link itself); never a directory.
// False when it was not removed, a missing file included.
bool removeFile(const char* path);

// Opens the existing regular file `path` for writing and empties it; never
// through a link, never a directory, never blocking. -1 on failure.
int openForEmptying(const char* path);

// A listing of one folder's entries, in the order the system gives them.
// The folder stays open until the listing ends or is destroyed.
class FolderListing {
 public:
  // Starts listing `folder` (open form); false when it cannot be read (a
  // missing folder included), in which case the listing is empty.
  bool start(const std::string& folder);

  // The next entry's bare name; false at the end, or when the system fails
  // part-way, which ends the listing there.
  bool next(std::filesystem::path& name);

 private:
  NativeFolder folder_;
};

// ---- The seam through which tests reach these calls ----

// Makes the `ordinal`th call of kind `call` since the last resetFileCalls
// fail (counting from 1); 0 lets every call of that kind through. A failed
// close still releases its descriptor; a failed call changes nothing else.
void failFileCall(FileCall call, std::size_t ordinal);

// How many calls of kind `call` were made since the last resetFileCalls.
std::size_t fileCallCount(FileCall call);

// Sets every count to 0 and lets every call through.
void resetFileCalls();

// Told of every call as it is made, with what it concerns: the path for
// opens, removals and the start of a listing, the bytes for a write, nothing
// for the others; and whether it failed. Null
// (the default) for none.
using FileCallWatcher = void (*)(FileCall call, std::string_view subject, bool failed);
void watchFileCalls(FileCallWatcher watcher);
