// A second, plain answer to a profile request, for tests and fuzz targets to
// hold the reader's indexed lookup against: it walks the trace's lines in
// file order and takes the first header of the name, then the first key of
// the name under it. No index, no bounds, no remembered names.
#pragma once

#include <string_view>

#include "platform/ascii_case.h"
#include "platform/profile_line.h"
#include "platform/profile_trace.h"

inline ProfileAnswer modelProfileAnswer(const ProfileDocument& document, std::string_view section,
                                        std::string_view key) {
  section = trimProfileBlanks(section);
  key = trimProfileBlanks(key);
  ProfileAnswer answer;
  std::size_t searched = 0;  // the number of the header searched, once found
  bool done = false;
  forEachProfileLine(document, [&](const ProfileLine& line) {
    if (done) {
      return;
    }
    if (line.kind == ProfileLineKind::kSection) {
      if (searched != 0) {
        done = true;
      } else if (equalsIgnoringAsciiCase(line.name, section)) {
        searched = line.section;
        answer.source = ProfileSource::kNoKey;
        answer.sectionLine = line.number;
      }
      return;
    }
    if (searched != 0 &&
        (line.kind == ProfileLineKind::kKey || line.kind == ProfileLineKind::kBareKey) &&
        equalsIgnoringAsciiCase(line.name, key)) {
      answer.source =
          line.kind == ProfileLineKind::kKey ? ProfileSource::kValue : ProfileSource::kBareKey;
      answer.keyLine = line.number;
      answer.value = line.value;
      done = true;
    }
  });
  return answer;
}
