// The directory search that finds the bait files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry found by the search, under its two names (platform/native.h):
// `shownName` for the console, `openName` to build the path that reads it.
// Both are bare, without the directory; on POSIX systems they are equal.
struct FoundFile {
  std::string shownName;
  std::string openName;
};

// The entries of `directory` whose names end in `suffix`, compared without
// regard to ASCII case (as the Windows search matches), of any kind: files,
// links, directories, FIFOs. `directory` is in the open form. The entries
// come in one fixed order on every machine: by shown name with ASCII letters
// folded to upper case and compared bytewise, ties broken by the raw bytes of
// the shown name, then of the open name (two Windows names can show alike).
// A missing or unreadable directory gives no entries; an error part-way ends
// the list where it occurred.
std::vector<FoundFile> findFilesWithSuffix(const std::string& directory, std::string_view suffix);

// The scan order: true when `a` comes before `b`.
bool scanOrderLess(std::string_view a, std::string_view b);
