#include "platform/dir_search.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

unsigned char foldUpper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) {
    return false;
  }
  const std::string_view tail = name.substr(name.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(),
                    [](char a, char b) { return foldUpper(a) == foldUpper(b); });
}

}  // namespace

bool scanOrderLess(std::string_view a, std::string_view b) {
  // One pass over both names: the first difference of the folded bytes
  // decides, then the length; only names equal when folded fall back on
  // their first raw difference, noted on the way.
  const std::size_t common = std::min(a.size(), b.size());
  int rawOrder = 0;
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char foldedA = foldUpper(a[i]);
    const unsigned char foldedB = foldUpper(b[i]);
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

std::vector<std::string> findFilesWithSuffix(const std::string& directory, std::string_view suffix) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator entry(std::filesystem::path(directory), error);
  const std::filesystem::directory_iterator end;
  for (; !error && entry != end; entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (endsWithIgnoringCase(name, suffix)) {
      names.push_back(std::move(name));
    }
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return scanOrderLess(a, b); });
  return names;
}
