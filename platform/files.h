// Whole-file reads and removals, the only places where the tool touches a
// file by a name that players control. Nothing here throws or blocks: a name
// that is not a readable regular file simply yields nothing.
#pragma once

#include <cstddef>
#include <string>

// Replaces `bytes` with the whole content of `path` and returns true, when
// `path` names a regular file (after following links) that could be opened
// and read to its end. Otherwise returns false with `bytes` empty: a missing
// file, a directory, FIFO, device, socket or dangling link is never opened,
// so the call cannot hang on it. `bytes` keeps its capacity between calls.
bool readRegularFile(const std::string& path, std::string& bytes);

// How many times readRegularFile has opened a file in this process; the seam
// through which tests check that each bait file is read once.
std::size_t regularFileOpenCount();

// Removes `path` when it is a file or a link of any kind (the link itself,
// not its target); a directory of that name is left alone. Failures (a
// missing file, no permission) are ignored.
void removeFileUnlessDirectory(const std::string& path);
