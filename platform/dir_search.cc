#include "platform/dir_search.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "platform/ascii_case.h"
#include "platform/file_ops.h"
#include "platform/native.h"

namespace {

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) {
    return false;
  }
  const std::string_view tail = name.substr(name.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(),
                    [](char a, char b) { return foldToUpper(a) == foldToUpper(b); });
}

}  // namespace

bool scanOrderLess(std::string_view a, std::string_view b) {
  // One pass over both names: the first difference of the folded bytes
  // decides, then the length; only names equal when folded fall back on
  // their first raw difference, noted on the way.
  const std::size_t common = std::min(a.size(), b.size());
  int rawOrder = 0;
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char foldedA = foldToUpper(a[i]);
    const unsigned char foldedB = foldToUpper(b[i]);
    if (foldedA != foldedB) {
      return foldedA < foldedB;
    }
    if (rawOrder == 0 && a[i] != b[i]) {
      rawOrder = static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return rawOrder < 0;
}

std::vector<FoundFile> findFilesWithSuffix(const std::string& directory, std::string_view suffix) {
  std::vector<FoundFile> found;
  FolderListing listing;
  if (!listing.start(directory)) {
    return found;
  }
  for (std::filesystem::path name; listing.next(name);) {
    // The open form keeps every character, so a look-alike in the shown form
    // can neither make nor hide the suffix.
    std::string open = openName(name);
    if (endsWithIgnoringCase(open, suffix)) {
      found.push_back(FoundFile{shownName(name), std::move(open)});
    }
  }
  std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
    if (a.shownName != b.shownName) {
      return scanOrderLess(a.shownName, b.shownName);
    }
    return a.openName < b.openName;  // char_traits compares bytes unsigned
  });
  return found;
}
