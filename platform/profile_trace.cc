#include "platform/profile_trace.h"

#include "platform/ascii_case.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Trimmed on its whole text, then cut at a NUL.
std::string_view trimThenCutAtNul(std::string_view text) {
  text = trimBlanks(text);
  return text.substr(0, text.find('\0'));
}

std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

void classify(std::string_view text, ProfileLine& line) {
  line.text = text;
  line.value = {};
  if (text.front() == ';') {
    line.kind = ProfileLineKind::kComment;
    line.name = {};
  } else if (text.front() == '[') {
    line.kind = ProfileLineKind::kSection;
    const std::string_view header = text.substr(1);
    line.name = trimThenCutAtNul(header.substr(0, header.find(']')));
  } else if (const std::size_t equals = text.find('='); equals == std::string_view::npos) {
    line.kind = ProfileLineKind::kBareKey;
    line.name = trimThenCutAtNul(text);
  } else {
    line.kind = ProfileLineKind::kKey;
    line.name = trimThenCutAtNul(text.substr(0, equals));
    line.value = unquote(trimThenCutAtNul(text.substr(equals + 1)));
  }
}

}  // namespace

void forEachProfileLine(const ProfileDocument& document,
                        const std::function<void(const ProfileLine&)>& visit) {
  const std::string_view text = document.text();
  ProfileLine line;
  std::size_t number = 1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    // Count the line ends as an editor does: CR LF is one, so is a lone CR.
    while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n')) {
      if (text[pos] == '\n' || pos + 1 == text.size() || text[pos + 1] != '\n') {
        ++number;
      }
      ++pos;
    }
    const std::size_t begin = pos;
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') {
      ++pos;
    }
    const std::string_view trimmed = trimBlanks(text.substr(begin, pos - begin));
    if (trimmed.empty()) {
      continue;
    }
    classify(trimmed, line);
    line.number = number;
    if (line.kind == ProfileLineKind::kSection) {
      ++line.section;
    }
    visit(line);
  }
}

ProfileAnswer locateProfileValue(const ProfileDocument& document, std::string_view section,
                                 std::string_view key) {
  section = trimBlanks(section);
  key = trimBlanks(key);
  ProfileAnswer answer;
  std::size_t searched = 0;  // the section searched, once found
  bool done = false;
  forEachProfileLine(document, [&](const ProfileLine& line) {
    if (done) {
      return;
    }
    if (line.kind == ProfileLineKind::kSection) {
      if (searched != 0) {
        done = true;  // the next header ends the section searched
      } else if (equalsIgnoringAsciiCase(line.name, section)) {
        searched = line.section;
        answer.source = ProfileSource::kNoKey;
        answer.sectionLine = line.number;
      }
      return;
    }
    if (searched == 0 ||
        (line.kind != ProfileLineKind::kKey && line.kind != ProfileLineKind::kBareKey) ||
        !equalsIgnoringAsciiCase(line.name, key)) {
      return;
    }
    answer.source =
        line.kind == ProfileLineKind::kKey ? ProfileSource::kValue : ProfileSource::kBareKey;
    answer.keyLine = line.number;
    answer.value = line.value;
    done = true;
  });
  return answer;
}
