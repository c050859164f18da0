#include "tests/browser/dom_tree.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::array<std::string_view, 18> kVoidElements = {
    "area", "base",  "basefont", "bgsound", "br",   "col",   "embed",  "frame", "hr",
    "img",  "input", "keygen",   "link",    "meta", "param", "source", "track", "wbr"};

constexpr std::array<std::string_view, 8> kRawTextElements = {
    "script", "style", "xmp", "iframe", "noembed", "noframes", "noscript", "plaintext"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void appendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes the entity `entity` (the text between "&" and ";").
bool decodeEntity(std::string_view entity, std::string& out) {
  static constexpr std::array<std::pair<std::string_view, char32_t>, 6> kNamed = {
      {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}}};
  for (const auto& [name, code] : kNamed) {
    if (entity == name) {
      appendUtf8(code, out);
      return true;
    }
  }
  if (entity.size() < 2 || entity[0] != '#') {
    return false;
  }
  const bool hex = entity[1] == 'x' || entity[1] == 'X';
  const std::string_view digits = entity.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 6) {
    return false;
  }
  char32_t code = 0;
  for (const char c : digits) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : hex && std::isxdigit(static_cast<unsigned char>(c))
                          ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                          : -1;
    if (digit < 0) {
      return false;
    }
    code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
  }
  if (code > 0x10FFFF) {
    return false;
  }
  appendUtf8(code, out);
  return true;
}

class Parser {
 public:
  Parser(std::string_view html, std::string& error) : html_(html), error_(error) {}

  // Reads nodes into `parent` until its end tag, or until the input ends when
  // `parent` is the root.
  bool parseContent(DomNode& parent) {
    while (pos_ < html_.size()) {
      if (startsWith("</")) {
        return parseEndTag(parent);
      }
      if (startsWith("<!--")) {
        if (!skipPast("-->")) {
          return fail("unterminated comment");
        }
      } else if (startsWith("<!")) {
        if (!skipPast(">")) {
          return fail("unterminated declaration");
        }
      } else if (startsWith("<")) {
        if (!parseElement(parent)) {
          return false;
        }
      } else if (!parseText(parent)) {
        return false;
      }
    }
    if (parent.isElement()) {
      return fail("<" + parent.name + "> is never closed");
    }
    return true;
  }

 private:
  bool startsWith(std::string_view prefix) const {
    return html_.substr(pos_, prefix.size()) == prefix;
  }

  bool skipPast(std::string_view end) {
    const std::size_t found = html_.find(end, pos_);
    if (found == std::string_view::npos) {
      return false;
    }
    pos_ = found + end.size();
    return true;
  }

  bool fail(const std::string& message) {
    error_ = message + " at byte " + std::to_string(pos_);
    return false;
  }

  std::string readName() {
    std::string name;
    while (pos_ < html_.size()) {
      const char c = html_[pos_];
      if (std::isspace(static_cast<unsigned char>(c)) || c == '>' || c == '/' || c == '=') {
        break;
      }
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      ++pos_;
    }
    return name;
  }

  void skipSpace() {
    while (pos_ < html_.size() && std::isspace(static_cast<unsigned char>(html_[pos_]))) {
      ++pos_;
    }
  }

  bool decodeInto(std::string_view raw, std::string& out) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '&') {
        out += raw[i];
        continue;
      }
      const std::size_t semicolon = raw.find(';', i);
      if (semicolon == std::string_view::npos ||
          !decodeEntity(raw.substr(i + 1, semicolon - i - 1), out)) {
        return fail("unknown entity \"" + std::string(raw.substr(i, 12)) + "\"");
      }
      i = semicolon;
    }
    return true;
  }

  bool parseText(DomNode& parent) {
    const std::size_t end = std::min(html_.find('<', pos_), html_.size());
    DomNode text;
    if (!decodeInto(html_.substr(pos_, end - pos_), text.text)) {
      return false;
    }
    pos_ = end;
    parent.children.push_back(std::move(text));
    return true;
  }

  bool parseAttribute(DomNode& element) {
    std::string name = readName();
    if (name.empty()) {
      return fail("bad attribute in <" + element.name + ">");
    }
    std::string value;
    if (startsWith("=\"")) {
      pos_ += 2;
      const std::size_t close = html_.find('"', pos_);
      if (close == std::string_view::npos) {
        return fail("unterminated attribute value");
      }
      if (!decodeInto(html_.substr(pos_, close - pos_), value)) {
        return false;
      }
      pos_ = close + 1;
    }
    element.attributes.emplace_back(std::move(name), std::move(value));
    return true;
  }

  bool parseElement(DomNode& parent) {
    ++pos_;  // "<"
    DomNode element;
    element.name = readName();
    if (element.name.empty()) {
      return fail("bad start tag");
    }
    bool selfClosed = false;
    for (;;) {
      skipSpace();
      if (pos_ >= html_.size()) {
        return fail("unterminated start tag <" + element.name + ">");
      }
      if (startsWith("/>")) {
        pos_ += 2;
        selfClosed = true;
        break;
      }
      if (startsWith(">")) {
        ++pos_;
        break;
      }
      if (!parseAttribute(element)) {
        return false;
      }
    }
    if (!selfClosed && !contains(kVoidElements, element.name)) {
      if (contains(kRawTextElements, element.name)) {
        if (!parseRawText(element)) {
          return false;
        }
      } else if (!parseContent(element)) {
        return false;
      }
    }
    parent.children.push_back(std::move(element));
    return true;
  }

  bool parseRawText(DomNode& element) {
    const std::string endTag = "</" + element.name + ">";
    const std::size_t end = html_.find(endTag, pos_);
    if (end == std::string_view::npos) {
      return fail("<" + element.name + "> is never closed");
    }
    if (end > pos_) {
      DomNode text;
      text.text = std::string(html_.substr(pos_, end - pos_));
      element.children.push_back(std::move(text));
    }
    pos_ = end + endTag.size();
    return true;
  }

  bool parseEndTag(const DomNode& parent) {
    pos_ += 2;  // "</"
    const std::string name = readName();
    skipSpace();
    if (!startsWith(">")) {
      return fail("bad end tag </" + name + ">");
    }
    ++pos_;
    if (!parent.isElement()) {
      return fail("</" + name + "> closes no open element");
    }
    if (name != parent.name) {
      return fail("</" + name + "> where </" + parent.name + "> belongs");
    }
    return true;
  }

  std::string_view html_;
  std::string& error_;
  std::size_t pos_ = 0;
};

void collectElements(const DomNode& node, std::string_view name,
                     std::vector<const DomNode*>& found) {
  for (const DomNode& child : node.children) {
    if (child.name == name) {
      found.push_back(&child);
    }
    collectElements(child, name, found);
  }
}

}  // namespace

bool parseDom(std::string_view html, DomNode& root, std::string& error) {
  root = DomNode{};
  Parser parser(html, error);
  return parser.parseContent(root);
}

std::string textContent(const DomNode& node) {
  std::string text = node.text;
  for (const DomNode& child : node.children) {
    text += textContent(child);
  }
  return text;
}

std::vector<const DomNode*> findElements(const DomNode& node, std::string_view name) {
  std::vector<const DomNode*> found;
  collectElements(node, name, found);
  return found;
}

std::vector<const DomNode*> childElements(const DomNode& node, std::string_view name) {
  std::vector<const DomNode*> found;
  for (const DomNode& child : node.children) {
    if (child.name == name) {
      found.push_back(&child);
    }
  }
  return found;
}
