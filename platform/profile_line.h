// What a line of a profile file is: where it ends, what kind it is, its name
// and its value. The one place these rules are written, shared by the reader
// (profile_reader.cc), which answers requests, and the line trace
// (profile_trace.cc), which explains the answers, so the two cannot differ.
// The rules, numbered as in profile_reader.h: 3 and 4 (lines and blanks),
// 5 (NUL), 6 (comments), 7 (headers), 8 (key lines and bare keys) and 12
// (outer quotes).
//
// Everything here works on views into a document's text and allocates
// nothing; a view returned stays valid as long as the text it points into.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

enum class ProfileLineKind {
  kSection,  // first non-blank byte "[": starts a section
  kKey,      // name=value
  kBareKey,  // any other line without "=": a key without a value
  kComment,  // first non-blank byte ";"
};

constexpr bool isProfileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

constexpr bool isProfileLineEnd(char c) { return c == '\r' || c == '\n'; }

constexpr std::string_view trimProfileBlanks(std::string_view text) {
  while (!text.empty() && isProfileBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isProfileBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// The position of the first CR or LF in `text` at or after `pos`, or the
// size of `text` when there is none. Most lines are tens of bytes long, so
// it looks at eight bytes at a time for any byte below 0x0E (CR and LF are
// the only line ends among them; tabs and NULs are checked and passed).
inline std::size_t findProfileLineEnd(std::string_view text, std::size_t pos) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101U;
    constexpr std::uint64_t kHighBits = 0x8080808080808080U;
    while (size - pos >= sizeof(std::uint64_t)) {
      std::uint64_t word;
      std::memcpy(&word, data + pos, sizeof word);
      // Marks the lowest byte below 0x0E exactly (a borrow can only mark
      // bytes above it).
      const std::uint64_t low = (word - kOnes * 0x0E) & ~word & kHighBits;
      if (low == 0) {
        pos += sizeof word;
        continue;
      }
      pos += static_cast<std::size_t>(std::countr_zero(low)) / 8;
      if (isProfileLineEnd(data[pos])) {
        return pos;
      }
      ++pos;
    }
  }
  while (pos < size && !isProfileLineEnd(data[pos])) {
    ++pos;
  }
  return pos;
}

// Moves `pos` past the next line of `text` that holds more than blanks and
// sets `line` to that line trimmed of blanks (a view into `text`); returns
// false, with `pos` at the end, when no such line is left. Runs of CR and LF
// bytes end lines, so blank lines and every kind of line end are skipped.
inline bool nextProfileLine(std::string_view text, std::size_t& pos, std::string_view& line) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  while (pos < size) {
    while (pos < size && (isProfileLineEnd(data[pos]) || isProfileBlank(data[pos]))) {
      ++pos;
    }
    const std::size_t begin = pos;
    pos = findProfileLineEnd(text, pos);
    std::size_t end = pos;
    while (end > begin && isProfileBlank(data[end - 1])) {
      --end;
    }
    if (end > begin) {
      line = std::string_view(data + begin, end - begin);
      return true;
    }
  }
  return false;
}

// The number of line ends in `text[begin, end)` as an editor counts them:
// LF, CR LF and a lone CR each end one line. `end` must not fall between the
// CR and LF of one line end.
inline std::size_t countProfileLineEnds(std::string_view text, std::size_t begin, std::size_t end) {
  std::size_t count = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++count;
    }
  }
  return count;
}

// A name or value as requests see it: trimmed on its whole text first, then
// cut at a NUL, so blanks before a NUL stay ("ab <NUL>cd" gives "ab ").
constexpr std::string_view trimThenCutAtNul(std::string_view text) {
  text = trimProfileBlanks(text);
  return text.substr(0, text.find('\0'));
}

// Removes one outer pair of matching quotes, '"' or '\''.
constexpr std::string_view unquoteProfileValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Whether `line`, a non-empty line trimmed of blanks (as nextProfileLine
// gives it), is a comment or a section header; any other line is a key line.
// The reader's index pass asks only this of most lines.
constexpr bool isProfileComment(std::string_view line) {
  return !line.empty() && line.front() == ';';
}
constexpr bool isProfileHeader(std::string_view line) {
  return !line.empty() && line.front() == '[';
}

// The kind of `line`, a non-empty line trimmed of blanks (as nextProfileLine
// gives it), and its name: the section name of a header, the key name of a
// key line or bare key, empty for a comment.
inline ProfileLineKind classifyProfileLine(std::string_view line, std::string_view& name) {
  if (isProfileComment(line)) {
    name = {};
    return ProfileLineKind::kComment;
  }
  if (isProfileHeader(line)) {
    const std::string_view header = line.substr(1);
    name = trimThenCutAtNul(header.substr(0, header.find(']')));
    return ProfileLineKind::kSection;
  }
  const void* const equals = std::memchr(line.data(), '=', line.size());
  if (equals == nullptr) {
    name = trimThenCutAtNul(line);
    return ProfileLineKind::kBareKey;
  }
  name = trimThenCutAtNul(
      line.substr(0, static_cast<std::size_t>(static_cast<const char*>(equals) - line.data())));
  return ProfileLineKind::kKey;
}

// The value of a key line (kind kKey), as a request returns it before the cut
// to 255 bytes: the text after the first "=", trimmed, cut at a NUL, outer
// quotes removed. Empty for a line without "=".
constexpr std::string_view profileKeyValue(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    return {};
  }
  return unquoteProfileValue(trimThenCutAtNul(line.substr(equals + 1)));
}
