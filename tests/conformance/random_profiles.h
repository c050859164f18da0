// Random profile files for the conformance run, drawn from a seed so that a
// run's seed replays it exactly. Shaped to reach every rule of the profile
// reader: line ends of every kind, all five blanks, NULs in names and values,
// comments, keys without values, both quotes, long values, sections repeated
// in other spellings, repeated keys, keys above the first section, high
// bytes, UTF-16 files with characters the code page lacks, and empty, missing
// and folder paths.
//
// What is drawn here never reaches the places where the platform under Wine
// is known to part from our rules (those have fixed cases of their own, in
// known_differences.h): no UTF-8 mark at a file's start, every section header
// closed by exactly one "]", no quoted text of exactly 255 bytes between its
// quotes, no odd-length UTF-16 file, no request for the section "". Nor does
// it draw a default that ends in a space, which the platform strips, or a
// quoted default for a folder, which the platform returns with its quotes:
// the tool passes neither.
#pragma once

#include <string>
#include <vector>

#include "tests/conformance/random_source.h"

namespace conformance {

struct ProfileRequest {
  std::string section;
  std::string key;
  std::string defaultText;
};

enum class FileKind {
  kText,     // single-byte text
  kUtf16,    // UTF-16LE with its mark
  kEmpty,    // a file of no bytes
  kMissing,  // nothing at the path
  kFolder,   // a folder at the path
};

struct RandomProfile {
  FileKind kind = FileKind::kText;
  std::string bytes;  // the file's content, for the three kinds of file
  std::vector<ProfileRequest> requests;
};

// The 38 requests the tool makes of every bait file, in its order.
const std::vector<ProfileRequest>& toolRequests();

// A random file with the tool's requests and `extraRequests` random ones,
// most of them naming the file's own sections and keys in other spellings.
RandomProfile randomProfile(RandomSource& random, unsigned extraRequests);

}  // namespace conformance
