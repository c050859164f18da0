// Reader of profile (initialisation) files, giving for any file the value that
// the Windows profile reader gives. The dialect, as players' editors have
// written it over the years:
//
//  1. A file that is missing, unreadable, empty or not a regular file has no
//     sections: every request returns its default.
//  2. Bytes are single-byte text and are returned unchanged. A UTF-8 mark
//     (EF BB BF) at the start is skipped. A file starting with the UTF-16LE
//     mark (FF FE) is decoded and re-encoded in the ANSI code page first, as
//     Windows converts it (ansi_text.h); an odd last byte is dropped.
//  3. A line ends at any run of CR and LF bytes.
//  4. Blanks are space, tab, vertical tab, form feed and Ctrl-Z. Lines, names
//     and values are trimmed of blanks at both ends; inner blanks are kept.
//  5. A NUL byte ends the section name, key name or value in which it stands,
//     after that name or value was trimmed and before its quotes are looked
//     at: "Name=ab <NUL>cd" gives "ab ", "Type <NUL>x=7" is the key "Type ",
//     "Name=\"ab<NUL>\"" gives "\"ab". A key line is still split at its first
//     "=": "Ty<NUL>pe=9" is the key "Ty" with the value "9".
//  6. A line whose first non-blank byte is ";" is a comment. There are no
//     comments after a value.
//  7. A line whose first non-blank byte is "[" starts a section, named by the
//     trimmed text up to the first "]" (or the line's end). Text after the
//     "]" is ignored.
//  8. Any other line is a key line: the trimmed text before the first "=" is
//     the key, the trimmed text after it the value. A line without "=" is a
//     key without a value: a request for it returns the default, and it hides
//     later keys of its name. Key lines above the first section belong to no
//     section a request can name.
//  9. Section and key names match without regard to ASCII case; requested
//     names are trimmed of blanks first.
// 10. Only the first section of a name is searched, and in it the first key of
//     a name wins; later sections of the same name are ignored entirely.
// 11. A present key returns its value, even an empty one.
// 12. A value (or default) at least two bytes long that starts and ends with
//     the same quote, '"' or '\'', loses that outer pair.
// 13. Values and defaults are cut to their first 255 bytes.
//
// profile_line.h holds the rules of a single line (3 to 8 and 12); this file
// finds sections and keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The longest value a request returns, in bytes.
constexpr std::size_t kMaxProfileValue = 255;

// How the bytes of a file were taken (rule 2).
enum class ProfileEncoding {
  kSingleByte,  // as they stand
  kUtf8Mark,    // as they stand, after a UTF-8 mark that was skipped
  kUtf16,       // decoded from UTF-16LE into the ANSI code page
};

// Where a request for a key in a section is answered from.
enum class ProfileSource {
  kNoSection,  // no section of that name: the default
  kNoKey,      // the section has no key of that name: the default
  kBareKey,    // the first key of that name has no "=": the default
  kValue,      // the first key of that name gives its value
};

// The answer to one request, as offsets into ProfileDocument::text().
struct ProfileLookup {
  ProfileSource source = ProfileSource::kNoSection;
  std::size_t header = 0;   // the header line searched; not with kNoSection
  std::size_t keyLine = 0;  // the key line that answers, with kBareKey and kValue
  std::string_view value;   // with kValue: before the cut to kMaxProfileValue
};

// One profile file, parsed. It holds the file's text and a small index of
// it, built in one pass when the file is parsed: the first header of each of
// the first kIndexedSections section names, and in those sections the first
// line of each of the first kIndexedKeys key names, counted over the whole
// file. A request is then answered from the index without reading the text
// again, however many requests a file gets. The index never grows beyond
// those bounds (with the names below, about 60 KB, taken when the first file
// is parsed), whatever the file holds; a file with more names than that
// (none that players write) answers a request beyond the index by a scan
// from where the index stopped (a section past it is scanned for once, and
// the last kScannedSections such scans are remembered).
//
// A document also remembers the names it was asked for (at most
// kLearnedRequests pairs): the next file parsed into it is indexed for them
// however many other names it holds, so a caller that asks every file the
// same questions gets each file scanned once. Answers never depend on what
// was remembered, only their cost.
//
// The views it hands out stay valid while it lives unchanged. Not for use
// from two threads at once.
class ProfileDocument {
 public:
  static constexpr std::size_t kIndexedSections = 64;
  static constexpr std::size_t kIndexedKeys = 1024;
  static constexpr std::size_t kLearnedRequests = 64;
  static constexpr std::size_t kScannedSections = 16;

  ProfileDocument() = default;

  // Replaces the content with `bytes`, a whole file as read from disk
  // (rule 2 is applied here), and indexes it. `bytes` is left empty, its
  // buffer reused. When memory runs out, throws std::bad_alloc and leaves
  // the document with no sections.
  void parse(std::string& bytes);

  // Forgets the content: the document then has no sections. Keeps its
  // buffers unless they grew large, so a run of small files allocates once,
  // and keeps the names it was asked for.
  void clear();

  // Where the value of `key` in section `section` comes from (rules 8 to 12,
  // without the cut to 255).
  ProfileLookup lookUp(std::string_view section, std::string_view key) const;

  // The value of `key` in section `section` (rules 8 to 12, without the cut
  // to 255), or false when the section or key is missing or the key has no
  // "=". The same answer as lookUp.
  bool find(std::string_view section, std::string_view key, std::string_view& value) const;

  // The text requests are answered from (after rule 2), and how it was taken
  // from the file's bytes.
  std::string_view text() const { return text_; }
  ProfileEncoding encoding() const { return encoding_; }

 private:
  // The first header of one section name. The name lies in text_.
  struct IndexedSection {
    std::size_t header = 0;
    std::size_t nameBegin = 0;
    std::size_t nameLength = 0;
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;
    // Key lines from here to bodyEnd are in the index only when their name
    // was asked for before the parse (the index was full).
    std::size_t keysIndexedBefore = 0;
    std::uint64_t learnedKeys = 0;  // bit i: learned_[i] names this section
    std::uint32_t nameHash = 0;
    std::uint32_t slot = 0;
  };
  // The first line of one key name in an indexed section. The name starts
  // the line.
  struct IndexedKey {
    std::size_t line = 0;
    std::size_t nameLength = 0;
    std::uint32_t nameHash = 0;
    std::uint32_t section = 0;  // index into sections_
    std::uint32_t slot = 0;
  };
  struct LearnedRequest {
    std::string section;
    std::string key;
    std::uint32_t sectionHash = 0;
    std::uint32_t keyHash = 0;
  };
  // A section as a request searches it: indexed, or found by a scan.
  struct Body {
    std::size_t header = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
  };
  // The outcome of a scan for a section past the index.
  struct ScannedSection {
    std::string name;
    bool found = false;
    Body body;
  };

  void resetIndex();  // allocates nothing
  void buildIndex();
  std::uint32_t findSlot(std::uint32_t section, std::string_view name, std::uint32_t hash) const;
  std::size_t findIndexedSection(std::string_view name, std::uint32_t hash) const;
  bool learnedSection(std::string_view name, std::uint32_t hash) const;
  bool learnedKey(const IndexedSection& section, std::string_view name, std::uint32_t hash) const;
  std::size_t learn(std::string_view section, std::uint32_t sectionHash, std::string_view key,
                    std::uint32_t keyHash) const;
  bool scanForSection(std::string_view name, Body& body) const;
  bool sectionPastIndex(std::string_view name, Body& body) const;
  std::size_t scanForKey(std::string_view key, std::size_t begin, std::size_t end) const;

  std::string text_;
  ProfileEncoding encoding_ = ProfileEncoding::kSingleByte;
  std::vector<IndexedSection> sections_;
  std::vector<IndexedKey> keys_;
  // Open addressing over both tables: 0 is free, otherwise a section's
  // index + 1 with kSectionSlot set, or a key's index + 1.
  std::vector<std::uint32_t> slots_;
  // Where headers of names not in the index begin to be possible; npos when
  // every section name of the file is in it.
  std::size_t headersIndexedBefore_ = 0;
  // The last few sections scanned for past the index, so that each is
  // scanned for once; at most kScannedSections.
  mutable std::vector<ScannedSection> scanned_;
  mutable std::vector<LearnedRequest> learned_;
  std::size_t learnedAtParse_ = 0;       // learned_[0, this) were known to the index
  mutable std::size_t lastLearned_ = 0;  // where learn() last found a request
};

// The value for `section` and `key` in `document`, or `defaultText` when it is
// missing, unquoted and cut to at most kMaxProfileValue bytes and to
// `outSize` - 1 bytes, copied into `out` with a terminating NUL. Returns the
// number of bytes copied. `outSize` must be at least 1.
std::size_t getProfileString(const ProfileDocument& document, std::string_view section,
                             std::string_view key, std::string_view defaultText, char* out,
                             std::size_t outSize);

// As getProfileString, for the file at `path`. The reader keeps the last file
// it parsed, so a series of requests naming the same file reads it once; call
// releaseProfileFile() when done with it, after which the next request reads
// the file afresh.
std::size_t readProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultText, const std::string& path, char* out,
                              std::size_t outSize);

// Drops the file kept by readProfileString.
void releaseProfileFile();
