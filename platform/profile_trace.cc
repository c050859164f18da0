#include "platform/profile_trace.h"

namespace {

// The editor's number of the line holding `offset`, counting on from
// `number`, the number of the line holding `from`.
std::size_t lineNumberAt(std::string_view text, std::size_t from, std::size_t number,
                         std::size_t offset) {
  return number + countProfileLineEnds(text, from, offset);
}

}  // namespace

void forEachProfileLine(const ProfileDocument& document,
                        const std::function<void(const ProfileLine&)>& visit) {
  const std::string_view text = document.text();
  ProfileLine line;
  std::size_t number = 1;
  std::size_t counted = 0;  // line ends are counted up to here
  std::size_t pos = 0;
  std::string_view trimmed;
  while (nextProfileLine(text, pos, trimmed)) {
    const std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data());
    number = lineNumberAt(text, counted, number, begin);
    counted = begin;
    line.kind = classifyProfileLine(trimmed, line.name);
    line.value = line.kind == ProfileLineKind::kKey ? profileKeyValue(trimmed) : std::string_view();
    line.text = trimmed;
    line.number = number;
    if (line.kind == ProfileLineKind::kSection) {
      ++line.section;
    }
    visit(line);
  }
}

ProfileAnswer locateProfileValue(const ProfileDocument& document, std::string_view section,
                                 std::string_view key) {
  const ProfileLookup lookup = document.lookUp(section, key);
  ProfileAnswer answer;
  answer.source = lookup.source;
  if (lookup.source == ProfileSource::kNoSection) {
    return answer;
  }
  const std::string_view text = document.text();
  answer.sectionLine = lineNumberAt(text, 0, 1, lookup.header);
  if (lookup.source == ProfileSource::kBareKey || lookup.source == ProfileSource::kValue) {
    answer.keyLine = lineNumberAt(text, lookup.header, answer.sectionLine, lookup.keyLine);
    answer.value = lookup.value;
  }
  return answer;
}
