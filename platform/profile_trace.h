// Where the profile reader's answers come from, line by line, for tools that
// explain a file to its author. The line walk classifies lines by the
// reader's own rules (profile_line.h) and a located answer is the reader's
// own lookup (ProfileDocument::lookUp), so an explanation cannot disagree
// with a value. Nothing here lies on the path of an ordinary request: line
// numbers are counted only when asked for.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/profile_line.h"    // ProfileLineKind
#include "platform/profile_reader.h"  // ProfileDocument, ProfileSource

// One non-blank line of a document. The views point into the document's text
// and stay valid while it lives unchanged.
struct ProfileLine {
  ProfileLineKind kind = ProfileLineKind::kComment;
  // 1-based, as an editor counts lines: CR LF, LF and a lone CR each end one.
  std::size_t number = 0;
  // The header the line stands under: 0 above the first header, n under the
  // n-th header of the file (a header line holds its own n).
  std::size_t section = 0;
  // kSection: the section name; kKey, kBareKey: the key name. As requests
  // match it: trimmed, then cut at a NUL.
  std::string_view name;
  // kKey: the value a request returns, before the cut to kMaxProfileValue
  // bytes: trimmed, cut at a NUL, outer quotes removed.
  std::string_view value;
  // The whole line, trimmed of blanks.
  std::string_view text;
};

// Calls `visit` with each non-blank line of `document`, in file order.
void forEachProfileLine(const ProfileDocument& document,
                        const std::function<void(const ProfileLine&)>& visit);

struct ProfileAnswer {
  ProfileSource source = ProfileSource::kNoSection;
  std::size_t sectionLine = 0;  // the header searched (the first of its name); 0 with kNoSection
  std::size_t keyLine = 0;      // the key line that answers, with kBareKey and kValue; else 0
  std::string_view value;       // with kValue: as ProfileLine::value
};

// Locates the answer to a request for `key` in `section` (names trimmed of
// blanks, matched without regard to ASCII case).
ProfileAnswer locateProfileValue(const ProfileDocument& document, std::string_view section,
                                 std::string_view key);
