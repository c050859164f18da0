#include "platform/profile_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/files.h"

namespace {

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

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldAscii(a[i]) != foldAscii(b[i])) {
      return false;
    }
  }
  return true;
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

// Windows-1252 bytes for U+0080 to U+009F's replacements at 0x80 to 0x9F:
// the code point each byte stands for, or 0 where the code page leaves the
// byte undefined (those five bytes map to the control character of their own
// value).
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toCp1252(std::uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  for (std::uint32_t i = 0; i < 32; ++i) {
    if (kCp1252High[i] == 0 ? codePoint == 0x80 + i : codePoint == kCp1252High[i]) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

// Decodes UTF-16LE `bytes` (mark already removed) into Windows-1252 `out`.
void decodeUtf16(std::string_view bytes, std::string& out) {
  out.clear();
  out.reserve(bytes.size() / 2);
  const auto unit = [&bytes](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const std::uint32_t first = unit(i);
    if (first >= 0xD800 && first <= 0xDBFF && i + 3 < bytes.size()) {
      const std::uint32_t second = unit(i + 2);
      if (second >= 0xDC00 && second <= 0xDFFF) {
        // A character beyond the basic plane; the code page has none.
        out.push_back('?');
        i += 2;
        continue;
      }
    }
    out.push_back(toCp1252(first));
  }
}

}  // namespace

void ProfileDocument::parse(std::string& bytes) {
  sections_.clear();
  const std::string_view view(bytes);
  if (view.size() >= 2 && view[0] == '\xFF' && view[1] == '\xFE') {
    decodeUtf16(view.substr(2), text_);
  } else if (view.size() >= 3 && view.substr(0, 3) == "\xEF\xBB\xBF") {
    text_.assign(view.substr(3));
  } else {
    text_.swap(bytes);
  }
  bytes.clear();
}

void ProfileDocument::clear() {
  // A huge file's buffer is given back; an ordinary one is kept for the next.
  constexpr std::size_t kKeepCapacity = 1 << 20;
  sections_.clear();
  text_.clear();
  if (text_.capacity() > kKeepCapacity) {
    std::string().swap(text_);
  }
}

const ProfileDocument::Section& ProfileDocument::lookUpSection(std::string_view name) const {
  for (const Section& known : sections_) {
    if (equalsIgnoringCase(known.name, name)) {
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
    if (equalsIgnoringCase(cutAtNulAndTrim(header), name)) {
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
                    !equalsIgnoringCase(cutAtNulAndTrim(line.substr(0, equals)), key)) {
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
  constexpr std::size_t kKeepCapacity = 1 << 20;
  KeptFile& kept = keptFile();
  kept.valid = false;
  kept.document.clear();
  if (kept.bytes.capacity() > kKeepCapacity) {
    std::string().swap(kept.bytes);
  }
}
