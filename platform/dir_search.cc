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
  const bool foldedLess = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return foldUpper(x) < foldUpper(y); });
  if (foldedLess) {
    return true;
  }
  const bool foldedGreater = std::lexicographical_compare(
      b.begin(), b.end(), a.begin(), a.end(),
      [](char x, char y) { return foldUpper(x) < foldUpper(y); });
  if (foldedGreater) {
    return false;
  }
  // Equal when folded: the raw bytes decide, unsigned.
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
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
