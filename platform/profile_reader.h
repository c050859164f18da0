// Reader of profile (initialisation) files, giving for any file the value that
// the Windows profile reader gives. The dialect, as players' editors have
// written it over the years:
//
//  1. A file that is missing, unreadable, empty or not a regular file has no
//     sections: every request returns its default.
//  2. Bytes are single-byte text and are returned unchanged. A UTF-8 mark
//     (EF BB BF) at the start is skipped. A file starting with the UTF-16LE
//     mark (FF FE) is decoded and re-encoded as Windows-1252 first, with "?"
//     for characters that code page lacks; an odd last byte is dropped.
//  3. A line ends at any run of CR and LF bytes.
//  4. Blanks are space, tab, vertical tab, form feed and Ctrl-Z. Lines, names
//     and values are trimmed of blanks at both ends; inner blanks are kept.
//  5. A NUL byte ends the name or value in which it stands.
//  6. A line whose first non-blank byte is ";" is a comment. There are no
//     comments after a value.
//  7. A line whose first non-blank byte is "[" starts a section, named by the
//     trimmed text up to the first "]" (or the line's end). Text after the
//     "]" is ignored.
//  8. Any other line with an "=" is a key line: the trimmed text before the
//     first "=" is the key, the trimmed text after it the value. A line
//     without "=" is ignored, and so are key lines above the first section.
//  9. Section and key names match without regard to ASCII case; requested
//     names are trimmed of blanks first.
// 10. Only the first section of a name is searched, and in it the first key of
//     a name wins; later sections of the same name are ignored entirely.
// 11. A present key returns its value, even an empty one.
// 12. A value (or default) at least two bytes long that starts and ends with
//     the same quote, '"' or '\'', loses that outer pair.
// 13. Values and defaults are cut to their first 255 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The longest value a request returns, in bytes.
constexpr std::size_t kMaxProfileValue = 255;

// One profile file, parsed. It holds the file's text and where the sections
// asked for so far lie in it; the views it hands out stay valid while it
// lives unchanged. Its extra memory does not grow with the file: a section
// is looked up on the first request naming it, and only the few names asked
// for are remembered (an index of every header would cost many times the
// size of a file of empty "[" lines). Not for use from two threads at once.
// How the bytes of a file were taken (rule 2).
enum class ProfileEncoding {
  kSingleByte,  // as they stand
  kUtf8Mark,    // as they stand, after a UTF-8 mark that was skipped
  kUtf16,       // decoded from UTF-16LE into the ANSI code page
};

class ProfileDocument {
 public:
  ProfileDocument() = default;

  // Replaces the content with `bytes`, a whole file as read from disk
  // (rule 2 is applied here). `bytes` is left empty, its buffer reused.
  void parse(std::string& bytes);

  // Forgets the content: the document then has no sections. Keeps its
  // buffers unless they grew large, so a run of small files allocates once.
  void clear();

  // The value of `key` in section `section` (rules 9 to 12, without the cut
  // to 255), or false when the section or key is missing.
  bool find(std::string_view section, std::string_view key, std::string_view& value) const;

  // The text requests are answered from (after rule 2), and how it was taken
  // from the file's bytes.
  std::string_view text() const { return text_; }
  ProfileEncoding encoding() const { return encoding_; }

 private:
  // A requested section name and the body of the first section of that
  // name, when there is one.
  struct Section {
    std::string name;
    bool found = false;
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;
  };
  const Section& lookUpSection(std::string_view name) const;

  std::string text_;
  ProfileEncoding encoding_ = ProfileEncoding::kSingleByte;
  mutable std::vector<Section> sections_;  // remembered lookups
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
