// The directory search that finds the bait files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The names of the entries of `directory` whose names end in `suffix`,
// compared without regard to ASCII case (as the Windows search matches), of
// any kind: files, links, directories, FIFOs. Names are bare, without the
// directory. They come in one fixed order on every machine: by name with
// ASCII letters folded to upper case and compared bytewise, ties broken by
// the raw bytes. A missing or unreadable directory gives no names; an error
// part-way ends the list where it occurred.
std::vector<std::string> findFilesWithSuffix(const std::string& directory, std::string_view suffix);

// The scan order: true when `a` comes before `b`.
bool scanOrderLess(std::string_view a, std::string_view b);
