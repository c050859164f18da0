#include "baitcheck/targets.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "platform/console_text.h"
#include "platform/dir_search.h"
#include "platform/native.h"

namespace {

constexpr const char* kBaitSuffix = ".tkl";

std::string shown(const std::string& path) {
  std::string out;
  appendShowable(path, out);
  return out;
}

bool addFolder(const std::string& folder, std::vector<CheckTarget>& targets, std::string& error) {
  std::error_code failure;
  const std::filesystem::directory_iterator readable(nativePath(folder), failure);
  if (failure) {
    error = shown(folder) + ": cannot read the folder";
    return false;
  }
  std::string prefix = folder;
  if (nativePath(folder).has_filename()) {
    prefix.push_back('/');
  }
  for (const FoundFile& found : findFilesWithSuffix(prefix, kBaitSuffix)) {
    targets.push_back(CheckTarget{prefix + found.openName, prefix + found.shownName});
  }
  return true;
}

}  // namespace

bool listTargets(const std::vector<std::string>& paths, std::vector<CheckTarget>& targets,
                 std::string& error) {
  if (paths.empty()) {
    std::error_code failure;
    if (!std::filesystem::is_directory(nativePath(kDefaultBaitFolder), failure)) {
      error = std::string(kDefaultBaitFolder) +
              ": no such folder; run baitcheck in the game folder, or name bait files or folders";
      return false;
    }
    return addFolder(kDefaultBaitFolder, targets, error);
  }
  for (const std::string& path : paths) {
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(nativePath(path), failure);
    if (status.type() == std::filesystem::file_type::not_found) {
      error = shown(path) + ": no such file or folder";
      return false;
    }
    if (status.type() == std::filesystem::file_type::none) {
      error = shown(path) + ": cannot be reached";
      return false;
    }
    if (status.type() == std::filesystem::file_type::directory) {
      if (!addFolder(path, targets, error)) {
        return false;
      }
    } else {
      targets.push_back(CheckTarget{path, path});
    }
  }
  // The same file named twice would be its own duplicate.
  std::set<std::string> seen;
  std::vector<CheckTarget> unique;
  for (CheckTarget& target : targets) {
    if (seen.insert(target.openPath).second) {
      unique.push_back(std::move(target));
    }
  }
  targets.swap(unique);
  return true;
}
