// A bait file as the checks see it: where each of the loader's 38 requests
// is answered from, and the values the loader read. Built by checkBaitFile
// (file_check.h), which walks the file's lines once for all line checks.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "baitcheck/finding_list.h"
#include "catalogue/bait_keys.h"
#include "catalogue/bait_record.h"
#include "platform/profile_trace.h"

struct CheckedFile {
  const ProfileDocument* document = nullptr;
  // The answer to each row of kBaitKeys.
  std::array<ProfileAnswer, kBaitKeyCount> answers;
  // The key as written on the line that answers each row (views into the
  // document's text); empty when the row took its default.
  std::array<std::string_view, kBaitKeyCount> keyNames;
  // The values as the loader read them, the profile not yet scaled.
  const BaitRecord* record = nullptr;
};

// The sections the game reads, in the spelling findings use.
constexpr std::size_t kReadSectionCount = 3;
extern const std::array<const char*, kReadSectionCount> kReadSections;  // Header, bait, Class

// The position in kReadSections of the section a header name stands for,
// matched as the reader matches names; kReadSectionCount for a section the
// game does not read.
std::size_t readSectionIndex(std::string_view name);

// "[bait]" for a row of kBaitKeys: its section as findings name it.
std::string sectionOf(const BaitKey& row);

// The row's index in kBaitKeys.
std::size_t indexOf(const BaitKey& row);

// A header of the file: its line and its name.
struct HeaderAt {
  std::size_t line = 0;  // 0: none
  std::string name;
};

// The checks on the file's lines, fed one line at a time in file order:
// unknown-key, misplaced-key, repeated-section, repeated-key, orphan-key,
// bare-line, utf8-mark. With `listLines` false (a file that is not text) the
// lines are only walked, for nearMisses. Memory does not grow with the file.
class LineChecks {
 public:
  LineChecks(const CheckedFile& file, FindingList& findings, bool listLines);

  void visit(const ProfileLine& line);
  // Call once, after the last line.
  void finish();

  // For each read section, the first header whose name is near its name
  // without being it: the section its author most likely meant.
  const std::array<HeaderAt, kReadSectionCount>& nearMisses() const { return nearMisses_; }

 private:
  // The header of the lines being visited.
  struct Header {
    std::size_t number = 0;  // 0: above the first header
    std::string name;
    std::size_t readAs = kReadSectionCount;
    bool isFirst = false;
    std::vector<std::string> notRead;  // read keys under a repeated section
    std::size_t notReadCount = 0;
  };
  // A line without "=" that answers a request, and the lines it hides.
  struct Hiding {
    std::size_t line = 0;
    const BaitKey* row = nullptr;
    std::string name;
    std::vector<std::size_t> hidden;
    std::size_t hiddenCount = 0;
  };

  void startSection(const ProfileLine& line);
  void endSection();
  void keyLine(const ProfileLine& line);
  void orphanKey(const ProfileLine& line);
  void unknownKey(const ProfileLine& line);
  void misplacedKey(const ProfileLine& line, const BaitKey& row);
  void repeatedKey(const ProfileLine& line, const BaitKey& row);
  void bareLine(const ProfileLine& line);
  void checkUtf8Mark();
  std::string usedValue(const BaitKey& row) const;

  const CheckedFile& file_;
  FindingList& findings_;
  bool listLines_;
  Header header_;
  std::array<std::size_t, kReadSectionCount> firstHeaderLine_{};
  std::vector<Hiding> hiding_;  // of the current section
  std::array<HeaderAt, kReadSectionCount> nearMisses_;
  // The second header of the name of a header on line 1, which the game
  // reads when a UTF-8 mark hides the first.
  HeaderAt utf8Replacement_;
  std::string lineOneHeader_;
};

// The checks on the values read: partial-number, value-does-not-fit,
// corrected-value, flag-value, cut-value, missing-name, missing-section (with
// `nearMisses` from the line checks), class-out-of-range, empty-profile,
// utf8-name.
void checkValues(const CheckedFile& file, const std::array<HeaderAt, kReadSectionCount>& nearMisses,
                 FindingList& findings);
