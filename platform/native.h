// The few operations whose form differs between POSIX systems and Windows.
// The rest of platform/ is written once, against these; native_posix.cc and
// native_windows.cc implement them, and the build picks one.
//
// File names. The tool handles names as narrow strings, in two forms:
//  - the shown form: what the console prints and the scan order compares;
//  - the open form: what the tool hands back to platform/ to reach the file.
// On POSIX systems a name is its bytes, and both forms are those bytes,
// whatever their encoding.
// On Windows the file system holds UTF-16 names. The shown form is the name
// in the ANSI code page, exactly as the narrow file functions (FindFirstFileA,
// the C run-time's _findfirst) give it: a character the code page lacks
// becomes a look-alike (a plain "o" for an o with a double acute) or "?".
// That form may fail to open the file, or open another one, and two files
// may share it; so the open form is the name in UTF-8, which keeps every
// character, and nativePath turns it back into the full UTF-16 name. (A name
// holding a lone UTF-16 surrogate, which no editor writes, has no UTF-8 form
// and cannot be reopened.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// The file-system path for `path`, a narrow path in the open form. Windows:
// the bytes are read as UTF-8; bytes that are not valid UTF-8 are read in the
// ANSI code page, as the narrow file functions would read them.
std::filesystem::path nativePath(const std::string& path);

// The shown form of `name`, a name as the file system gives it.
std::string shownName(const std::filesystem::path& name);

// The open form of `name`, a name as the file system gives it.
std::string openName(const std::filesystem::path& name);

// The raw file calls behind platform/file_ops.h, one per operation, as the
// system makes them. Files are plain descriptors (-1 for none); a failed call
// returns -1 (or false) and leaves the reason in errno. Paths are in the open
// form. Nothing here counts, fails on purpose or throws: that is file_ops.cc's.

// Opens `path` for reading its bytes unchanged, without blocking (a FIFO
// opens at once, a device never becomes the controlling terminal).
int nativeOpenForReading(const std::filesystem::path& path);

// The size of the file open on `file`, true only for a regular file.
bool nativeRegularFileSize(int file, std::uint64_t& size);

// One read of at most `size` bytes into `into`: the bytes read, 0 at the
// end, -1 on failure.
long long nativeRead(int file, char* into, std::size_t size);

// Opens `path` for appending, created when missing (mode 0666 less the umask
// on POSIX systems). Windows: text mode, so each "\n" written becomes CR LF,
// shared with other readers and writers as the C run-time shares it.
int nativeOpenForAppending(const char* path);

// One write of at most `size` bytes: the bytes written, or -1.
long long nativeWrite(int file, const char* data, std::size_t size);

// Closes `file`; false when the system reports a failure (the descriptor is
// released all the same).
bool nativeClose(int file);

// Removes the file or link `path` (a link itself, not its target); never a
// directory.
bool nativeRemove(const char* path);

// Opens the existing file `path` for writing, emptied. Never through a link
// and never blocking; fails for a directory.
int nativeOpenForEmptying(const char* path);

// A folder open for listing, through the system's own calls: no memory is
// allocated but the system's, whose lack shows as ENOMEM. Closed with it.
class NativeFolder {
 public:
  NativeFolder() = default;
  ~NativeFolder() { close(); }
  NativeFolder(const NativeFolder&) = delete;
  NativeFolder& operator=(const NativeFolder&) = delete;

  // Opens `folder` (open form), closing any folder open before; false on
  // failure, with errno set.
  bool open(const std::string& folder);

  // The next entry in the system's order, "." and ".." left out: 1 with its
  // bare name in `name`, 0 at the end, -1 on failure (errno set).
  int next(std::filesystem::path& name);

  void close() noexcept;
  bool isOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;  // POSIX: the DIR; Windows: the search handle
#ifdef _WIN32
  // The search begins by giving its first entry with the handle.
  std::filesystem::path first_;
  bool hasFirst_ = false;
#endif
};

// Makes the standard streams safe to use whatever the player's console did:
// the console lines are the same bytes on every platform (Windows' C run-time
// would otherwise widen each "\n" to CR LF; the reports keep their text mode
// and its CR LF, their defined line end). On POSIX systems a console that
// stopped reading no longer ends the process (writes to it just fail), and a
// standard descriptor that was closed is opened on the null device, so that
// no report file takes its number and receives console lines.
void prepareStandardStreams();
