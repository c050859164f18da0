#include "baitcheck/shown_text.h"

#include <charconv>
#include <cstdint>

#include "platform/console_text.h"
#include "platform/windows_1252.h"

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
std::size_t utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1FU;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0FU;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07U;
  } else {
    return 0;
  }
  if (text.size() < length) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!isContinuation(text[i])) {
      return 0;
    }
    code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3FU);
  }
  // No overlong forms, no surrogates, nothing beyond U+10FFFF.
  constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return 0;
  }
  return length;
}

bool isValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = utf8SequenceLength(text);
    if (length == 0) {
      return false;
    }
    text.remove_prefix(length);
  }
  return true;
}

void appendUtf8(std::uint32_t code, std::string& out) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string realText(float value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, result.ptr);
}

}  // namespace

std::string quotedText(std::string_view text) {
  std::string out = "\"";
  if (text.size() > kQuotedBytes) {
    std::size_t cut = kQuotedBytes;
    while (cut > 0 && isContinuation(text[cut])) {
      --cut;
    }
    appendShowable(text.substr(0, cut), out);
    out.append("...");
  } else {
    appendShowable(text, out);
  }
  out.push_back('"');
  return out;
}

std::string cellText(const BaitFieldValue& value) {
  std::string out;
  switch (value.kind) {
    case BaitKeyKind::kText:
    case BaitKeyKind::kRef:
      appendShowable(value.text, out);
      return out;
    case BaitKeyKind::kReal:
    case BaitKeyKind::kIntegerAsReal:
      return realText(value.real);
    default:
      return std::to_string(value.integer);
  }
}

std::string shownValue(const BaitFieldValue& value) {
  if (value.kind == BaitKeyKind::kText || value.kind == BaitKeyKind::kRef) {
    return quotedText(value.text);
  }
  return cellText(value);
}

bool isUtf8BeyondAscii(std::string_view text) {
  bool beyondAscii = false;
  for (const char c : text) {
    beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
  }
  return beyondAscii && isValidUtf8(text);
}

std::string windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    appendUtf8(windows1252Character(byte), out);
  }
  return out;
}

std::string asUnicode(std::string_view text) {
  return isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
}
