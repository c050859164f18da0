#include "platform/profile_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/ansi_text.h"
#include "platform/ascii_case.h"
#include "platform/files.h"

namespace {

// A buffer above this size is given back when its file is done with, so one
// huge bait file does not hold its memory for the rest of the run; an
// ordinary one is kept, so a run of small files allocates once.
constexpr std::size_t kKeepCapacity = std::size_t{1} << 20;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// A NUL ends the name or value it stands in; then the rest is trimmed.
std::string_view cutAtNulAndTrim(std::string_view text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) {
    text = text.substr(0, nul);
  }
  return trimBlanks(text);
}

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Calls `onLine` with each line of `text[begin, end)` that holds more than
// blanks, already trimmed; stops early when `onLine` returns false.
template <typename OnLine>
void forEachLine(const std::string& text, std::size_t begin, std::size_t end, OnLine onLine) {
  std::size_t pos = begin;
  while (pos < end) {
    while (pos < end && isLineEnd(text[pos])) {
      ++pos;
    }
    const std::size_t lineBegin = pos;
    while (pos < end && !isLineEnd(text[pos])) {
      ++pos;
    }
    const std::string_view line =
        trimBlanks(std::string_view(text.data() + lineBegin, pos - lineBegin));
    if (!line.empty() && !onLine(line, lineBegin)) {
      return;
    }
  }
}

}  // namespace

void ProfileDocument::parse(std::string& bytes) {
  sections_.clear();
  const std::string_view view(bytes);
  if (view.size() >= 2 && view[0] == '\xFF' && view[1] == '\xFE') {
    utf16ToAnsi(view.substr(2), text_);
    encoding_ = ProfileEncoding::kUtf16;
  } else if (view.size() >= 3 && view.substr(0, 3) == "\xEF\xBB\xBF") {
    text_.assign(view.substr(3));
    encoding_ = ProfileEncoding::kUtf8Mark;
  } else {
    text_.swap(bytes);
    encoding_ = ProfileEncoding::kSingleByte;
  }
  bytes.clear();
}

void ProfileDocument::clear() {
  sections_.clear();
  text_.clear();
  encoding_ = ProfileEncoding::kSingleByte;
  if (text_.capacity() > kKeepCapacity) {
    std::string().swap(text_);
  }
}

const ProfileDocument::Section& ProfileDocument::lookUpSection(std::string_view name) const {
  for (const Section& known : sections_) {
    if (equalsIgnoringAsciiCase(known.name, name)) {
      return known;
    }
  }
  // A caller asking for ever new names must not grow the memory either.
  constexpr std::size_t kMaxRemembered = 16;
  if (sections_.size() >= kMaxRemembered) {
    sections_.clear();
  }
  Section& found = sections_.emplace_back();
  found.name.assign(name);
  forEachLine(text_, 0, text_.size(), [&](std::string_view line, std::size_t lineBegin) {
    if (line.front() != '[') {
      return true;
    }
    if (found.found) {
      found.bodyEnd = lineBegin;  // the next header ends the body
      return false;
    }
    std::string_view header = line.substr(1);
    header = header.substr(0, header.find(']'));
    if (equalsIgnoringAsciiCase(cutAtNulAndTrim(header), name)) {
      found.found = true;
      found.bodyBegin = static_cast<std::size_t>(line.data() - text_.data()) + line.size();
      found.bodyEnd = text_.size();
    }
    return true;
  });
  return found;
}

bool ProfileDocument::find(std::string_view section, std::string_view key,
                           std::string_view& value) const {
  section = trimBlanks(section);
  key = trimBlanks(key);
  const Section& match = lookUpSection(section);
  if (!match.found) {
    return false;
  }
  bool found = false;
  forEachLine(text_, match.bodyBegin, match.bodyEnd,
              [&](std::string_view line, std::size_t /*lineBegin*/) {
                if (line.front() == ';') {
                  return true;
                }
                const std::size_t equals = line.find('=');
                if (equals == std::string_view::npos ||
                    !equalsIgnoringAsciiCase(cutAtNulAndTrim(line.substr(0, equals)), key)) {
                  return true;
                }
                value = unquote(cutAtNulAndTrim(line.substr(equals + 1)));
                found = true;
                return false;
              });
  return found;
}

std::size_t getProfileString(const ProfileDocument& document, std::string_view section,
                             std::string_view key, std::string_view defaultText, char* out,
                             std::size_t outSize) {
  std::string_view value;
  if (!document.find(section, key, value)) {
    value = unquote(defaultText);
  }
  const std::size_t length = std::min({value.size(), kMaxProfileValue, outSize - 1});
  std::memcpy(out, value.data(), length);
  out[length] = '\0';
  return length;
}

namespace {

// The file that readProfileString parsed last.
struct KeptFile {
  bool valid = false;
  std::string path;
  std::string bytes;
  ProfileDocument document;
};

KeptFile& keptFile() {
  static KeptFile kept;
  return kept;
}

}  // namespace

std::size_t readProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultText, const std::string& path, char* out,
                              std::size_t outSize) {
  KeptFile& kept = keptFile();
  if (!kept.valid || kept.path != path) {
    kept.path = path;
    try {
      if (readRegularFile(path, kept.bytes)) {
        kept.document.parse(kept.bytes);
      } else {
        kept.document.clear();
      }
    } catch (const std::bad_alloc&) {
      // A file too large for the memory left is a file that cannot be read:
      // its keys take their defaults, and the other bait files still load.
      std::string().swap(kept.bytes);
      kept.document.clear();
    }
    kept.valid = true;
  }
  return getProfileString(kept.document, section, key, defaultText, out, outSize);
}

void releaseProfileFile() {
  KeptFile& kept = keptFile();
  kept.valid = false;
  kept.document.clear();
  if (kept.bytes.capacity() > kKeepCapacity) {
    std::string().swap(kept.bytes);
  }
}
