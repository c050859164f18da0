// The checks on the values the loader read: each value against what was
// written, and the file's values as a whole.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "baitcheck/checked_file.h"
#include "baitcheck/number_text.h"
#include "baitcheck/shown_text.h"
#include "platform/console_text.h"
#include "platform/profile_reader.h"

namespace {

// The class names of the page run from 1 to 10.
constexpr std::int16_t kFirstClass = 1;
constexpr std::int16_t kLastClass = 10;

bool isNumeric(BaitKeyKind kind) {
  return kind != BaitKeyKind::kText && kind != BaitKeyKind::kRef && kind != BaitKeyKind::kFlag;
}

class ValueChecker {
 public:
  ValueChecker(const CheckedFile& file, FindingList& findings) : file_(file), findings_(findings) {}

  void checkRow(const BaitKey& row) {
    const std::size_t index = indexOf(row);
    const ProfileAnswer& answer = file_.answers[index];
    if (answer.source != ProfileSource::kValue) {
      return;
    }
    line_ = answer.keyLine;
    key_ = std::string(file_.keyNames[index]);
    const std::string_view written = answer.value;
    const std::string_view read = written.substr(0, kMaxProfileValue);
    if (written.size() > kMaxProfileValue) {
      add(CheckCode::kCutValue,
          {" is ", std::to_string(written.size()), " bytes long: the game reads only its first ",
           std::to_string(kMaxProfileValue)});
    }
    if (row.kind == BaitKeyKind::kRef && read.size() > kRefSize - 1) {
      add(CheckCode::kCutValue,
          {" ", quotedText(read), " is ", std::to_string(read.size()),
           " bytes long: the game keeps only its first ", std::to_string(kRefSize - 1), ", ",
           quotedText(read.substr(0, kRefSize - 1))});
    }
    if (row.kind == BaitKeyKind::kFlag && read != "0" && read != "1") {
      add(CheckCode::kFlagValue,
          {" ", quotedText(read), " is neither 0 nor 1, so the flag is clear"});
    }
    if (isNumeric(row.kind)) {
      checkNumber(row, read);
    }
  }

  void checkFile(const std::array<HeaderAt, kReadSectionCount>& nearMisses) {
    line_ = 0;
    const BaitRecord& record = *file_.record;
    const BaitKey& name = kBaitKeys[kNameKey];
    if (file_.answers[kNameKey].source != ProfileSource::kValue) {
      findings_.add(
          CheckCode::kMissingName, 0,
          "no Name in [Header], so the game shows the bait as " + shownValue(name.field(record)));
    } else if (file_.document->encoding() != ProfileEncoding::kUtf16 &&
               isUtf8BeyondAscii(name.field(record).text)) {
      const std::string_view text = name.field(record).text;
      findings_.add(CheckCode::kUtf8Name, file_.answers[kNameKey].keyLine,
                    "Name " + quotedText(text) +
                        " is written in UTF-8: the game shows it in the Windows code page, as " +
                        quotedText(windows1252ToUtf8(text)));
    }
    checkSections(nearMisses);
    const BaitKey& classType = *findBaitKey("ClassType");
    if (record.classType < kFirstClass || record.classType > kLastClass) {
      const ProfileAnswer& answer = file_.answers[indexOf(classType)];
      findings_.add(CheckCode::kClassOutOfRange,
                    answer.source == ProfileSource::kValue ? answer.keyLine : 0,
                    "ClassType " + std::to_string(record.classType) + " is outside " +
                        std::to_string(kFirstClass) + " to " + std::to_string(kLastClass) +
                        ", so the page shows no class for the bait");
    }
    std::int32_t sum = 0;
    for (const std::int16_t entry : record.profile) {
      sum += entry;
    }
    // A file without [Class] has missing-section, which says as much.
    if (sum == 0 && file_.answers[kFirstProfileKey].source != ProfileSource::kNoSection) {
      findings_.add(CheckCode::kEmptyProfile, 0,
                    "the eleven nutrient and flavour values (Protein to Fat) add up to 0, so the "
                    "game sets them all to 0");
    }
  }

 private:
  // A finding about the current key, its message starting after the key.
  // (Appended piece by piece: GCC 12 wrongly warns of overlapping copies in
  // long chains of string additions.)
  void add(CheckCode code, std::initializer_list<std::string_view> rest) {
    std::string message = key_;
    for (const std::string_view part : rest) {
      message.append(part);
    }
    findings_.add(code, line_, std::move(message));
  }

  void checkNumber(const BaitKey& row, std::string_view read) {
    const bool real = row.kind == BaitKeyKind::kReal;
    const NumberPrefix prefix = real ? realPrefix(read) : integerPrefix(read);
    const BaitFieldValue asRead = readBaitValue(row.kind, read);
    if (read.empty()) {
      add(CheckCode::kPartialNumber, {" is empty, so it reads as ", shownValue(asRead)});
    } else if (!prefix.hasDigits) {
      add(CheckCode::kPartialNumber,
          {" ", quotedText(read), " is not a number, so it reads as ", shownValue(asRead)});
    } else if (!isWholeNumber(read, prefix)) {
      add(CheckCode::kPartialNumber,
          {" ", quotedText(read), " is read only in part, as ", shownValue(asRead)});
    }
    if (prefix.hasDigits) {
      checkFit(row, read.substr(0, prefix.length), prefix, asRead);
    }
    const BaitFieldValue corrected = correctBaitValue(asRead, row.correction);
    if (!(corrected == asRead)) {
      add(CheckCode::kCorrectedValue,
          {" ", shownValue(asRead),
           row.correction == BaitCorrection::kAtLeastOne ? " is below 1" : " is above 5",
           ", so the game uses ", shownValue(corrected)});
    }
  }

  void checkFit(const BaitKey& row, std::string_view number, const NumberPrefix& prefix,
                const BaitFieldValue& asRead) {
    switch (row.kind) {
      case BaitKeyKind::kInteger:
      case BaitKeyKind::kIntegerAsReal:
        if (prefix.beyondInt32) {
          add(CheckCode::kValueDoesNotFit,
              {" ", number, " is beyond the 32-bit range, so the game holds it at ",
               shownValue(asRead)});
        }
        break;
      case BaitKeyKind::kInteger16:
        checkRange(number, -32768, 32767, asRead);
        break;
      case BaitKeyKind::kInteger8:
        checkRange(number, -128, 127, asRead);
        break;
      case BaitKeyKind::kReal:
        if (std::isinf(asRead.real)) {
          add(CheckCode::kValueDoesNotFit,
              {" ", number, " is beyond the range of a 32-bit real, so the game reads ",
               shownValue(asRead)});
        }
        break;
      default:
        break;
    }
  }

  // A number beyond the 32-bit range is held at its bounds first, which lie
  // outside any narrower field too.
  void checkRange(std::string_view number, std::int32_t low, std::int32_t high,
                  const BaitFieldValue& asRead) {
    const std::int32_t wide = readBaitValue(BaitKeyKind::kInteger, number).integer;
    if (wide < low || wide > high) {
      add(CheckCode::kValueDoesNotFit,
          {" ", number, " does not fit in ", std::to_string(low), " to ", std::to_string(high),
           ", so the game reads ", shownValue(asRead)});
    }
  }

  void checkSections(const std::array<HeaderAt, kReadSectionCount>& nearMisses) {
    // [Header] has missing-name; the other two sections are named here.
    for (std::size_t section = 1; section < kReadSectionCount; ++section) {
      std::size_t keys = 0;
      bool missing = false;
      for (const BaitKey& row : kBaitKeys) {
        if (readSectionIndex(row.section) == section) {
          ++keys;
          missing = file_.answers[indexOf(row)].source == ProfileSource::kNoSection;
        }
      }
      if (!missing) {
        continue;
      }
      std::string message = std::string("no [") + kReadSections[section] + "] section, so all " +
                            std::to_string(keys) + " of its keys take their defaults";
      if (nearMisses[section].line != 0) {
        message += "; is [";
        appendShowable(nearMisses[section].name.substr(0, kQuotedBytes), message);
        message += "] on line " + std::to_string(nearMisses[section].line) + " meant to be it?";
      }
      findings_.add(CheckCode::kMissingSection, 0, std::move(message));
    }
  }

  const CheckedFile& file_;
  FindingList& findings_;
  std::size_t line_ = 0;
  std::string key_;
};

}  // namespace

void checkValues(const CheckedFile& file, const std::array<HeaderAt, kReadSectionCount>& nearMisses,
                 FindingList& findings) {
  ValueChecker checker(file, findings);
  for (const BaitKey& row : kBaitKeys) {
    checker.checkRow(row);
  }
  checker.checkFile(nearMisses);
}
