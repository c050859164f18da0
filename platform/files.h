// Whole-file reads and the clearing of an old file, the only places where
// the tool touches a file by a name that players control. Nothing here
// blocks: a name that is not a readable regular file simply yields nothing.
#pragma once

#include <cstddef>
#include <string>

// Replaces `bytes` with the whole content of `path` and returns true, when
// `path` names a regular file (after following links) that could be opened
// and read to its end. Otherwise returns false with `bytes` empty. The file
// is opened without blocking and only then looked at, so a FIFO, device,
// directory or dangling link, even one swapped in for a file a moment ago,
// is never read. A file costs one open, one size query, one read and one
// close, more reads only when it grows meanwhile. `bytes` keeps its capacity
// between calls. Throws std::bad_alloc when the file does not fit in memory.
bool readRegularFile(const std::string& path, std::string& bytes);

// How many regular files readRegularFile has opened in this process; the
// seam through which tests check that each bait file is read once.
std::size_t regularFileOpenCount();

// Clears the way for a new file at `path`: removes what is there (a file or
// a link, the link itself), or when it cannot be removed (a folder the
// player may not write to), empties it, which works only for a regular file
// itself, never through a link. True when nothing of an old file is left at
// `path`, or nothing was there; false when an old file, link or directory
// keeps its content.
bool clearOldFile(const char* path);
