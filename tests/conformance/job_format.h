// The text form in which the conformance run hands requests to the Windows
// probe and takes its answers back. Shared by the probe (built for Windows)
// and the Linux side, so both read and write the same bytes.
//
// A job file holds one line per entry, each a letter, a space and fields
// separated by tabs:
//   F path                   the profile file the next Q lines ask (a path
//                            relative to the working directory)
//   Q section key default    one request of at most 255 bytes, as the tool
//                            makes it (a 256-byte buffer)
//   N text                   one numeric text, read by the integer and the
//                            real rule
// The answer file holds one line per Q or N line, in order:
//   for Q: the count returned, a tab, the value up to its first NUL
//   for N: the integer, a tab, the bits of the real as 8 hex digits
// Every field is escaped: bytes from 0x21 to 0x7E other than "\" stand for
// themselves, every other byte is written "\xNN". So a field never holds a
// tab, a line end or a space, and any byte string survives the trip.
#pragma once

#include <string>
#include <string_view>

namespace job_format {

inline void appendEscaped(std::string_view bytes, std::string& out) {
  static const char kHex[] = "0123456789ABCDEF";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F && byte != '\\') {
      out.push_back(c);
    } else {
      out += "\\x";
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    }
  }
}

inline std::string escaped(std::string_view bytes) {
  std::string out;
  appendEscaped(bytes, out);
  return out;
}

inline int hexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  return -1;
}

// The bytes `field` stands for; false when it is not a well-formed field.
inline bool unescape(std::string_view field, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out.push_back(field[i]);
      continue;
    }
    if (field.size() - i < 4 || field[i + 1] != 'x' || hexDigit(field[i + 2]) < 0 ||
        hexDigit(field[i + 3]) < 0) {
      return false;
    }
    out.push_back(static_cast<char>(hexDigit(field[i + 2]) * 16 + hexDigit(field[i + 3])));
    i += 3;
  }
  return true;
}

// Splits `line` at its tabs into `fields` (views into `line`).
template <typename Fields>
void splitAtTabs(std::string_view line, Fields& fields) {
  fields.clear();
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) {
      return;
    }
    line.remove_prefix(tab + 1);
  }
}

}  // namespace job_format
