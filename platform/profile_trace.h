// Where the profile reader's answers come from, line by line, for tools that
// explain a file to its author. The line walk applies the reader's own rules
// (profile_reader.h) and a located answer is the one a request gives, so an
// explanation cannot disagree with a value. Nothing here lies on the path of
// an ordinary request: line numbers are counted only when asked for.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/profile_reader.h"

enum class ProfileLineKind {
  kSection,  // first non-blank byte "[": starts a section
  kKey,      // name=value
  kBareKey,  // any other line without "=": a key without a value
  kComment,  // first non-blank byte ";"
};

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

// Where a request for `key` in `section` is answered from.
enum class ProfileSource {
  kNoSection,  // no section of that name: the default
  kNoKey,      // the section has no key of that name: the default
  kBareKey,    // the first key of that name has no "=": the default
  kValue,      // the first key of that name gives its value
};

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
