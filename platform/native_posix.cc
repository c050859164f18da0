// POSIX forms of platform/native.h: a name is its bytes.
#include "platform/native.h"

std::filesystem::path nativePath(const std::string& path) { return std::filesystem::path(path); }

std::string shownName(const std::filesystem::path& name) { return name.native(); }

std::string openName(const std::filesystem::path& name) { return name.native(); }

std::FILE* openForReading(const std::filesystem::path& path) {
  return std::fopen(path.c_str(), "rb");
}

void writeBytesUnchanged(std::FILE* /*stream*/) {
  // POSIX streams never translate line ends.
}
