// The checks on a file's lines: where each key line stands, and whether the
// game reads it there.
#include <string>
#include <vector>

#include "baitcheck/checked_file.h"
#include "baitcheck/edit_distance.h"
#include "baitcheck/shown_text.h"
#include "platform/ascii_case.h"
#include "platform/console_text.h"

namespace {

// A finding lists at most this many lines or keys; the rest are counted.
constexpr std::size_t kMaxListed = 8;

// A did-you-mean suggestion is made within this many edits.
constexpr std::size_t kMaxEdits = 2;

bool readFrom(const BaitKey& row, std::size_t readAs) {
  return readAs < kReadSectionCount && equalsIgnoringAsciiCase(row.section, kReadSections[readAs]);
}

std::string bracketed(std::string_view name) {
  std::string out = "[";
  appendShowable(name.substr(0, kQuotedBytes), out);
  out.push_back(']');
  return out;
}

// "a", "a and b", "a, b and c"; when `total` is more than the items listed,
// "a, b, and 3 more".
std::string joined(const std::vector<std::string>& items, std::size_t total) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) {
      out.append(i + 1 == items.size() && total == items.size() ? " and " : ", ");
    }
    out.append(items[i]);
  }
  if (total > items.size()) {
    out.append(", and ").append(std::to_string(total - items.size())).append(" more");
  }
  return out;
}

std::string linesText(const std::vector<std::size_t>& numbers, std::size_t total) {
  std::vector<std::string> items;
  items.reserve(numbers.size());
  for (const std::size_t number : numbers) {
    items.push_back(std::to_string(number));
  }
  return (total == 1 ? "line " : "lines ") + joined(items, total);
}

std::string keyAt(std::string_view name, std::size_t line) {
  return quotedText(name) + " (line " + std::to_string(line) + ")";
}

// The read key nearest to `name` within kMaxEdits, one read from `readAs`
// first among equals; null when none is that near.
const BaitKey* nearestKey(std::string_view name, std::size_t readAs) {
  const BaitKey* best = nullptr;
  std::size_t bestEdits = kMaxEdits + 1;
  for (const BaitKey& row : kBaitKeys) {
    const std::size_t edits = editDistanceIgnoringCase(name, row.key, kMaxEdits);
    if (edits > kMaxEdits) {
      continue;
    }
    if (best == nullptr || edits < bestEdits ||
        (edits == bestEdits && !readFrom(*best, readAs) && readFrom(row, readAs))) {
      best = &row;
      bestEdits = edits;
    }
  }
  return best;
}

bool isBlankOrColon(char c) { return c == ' ' || c == '\t' || c == ':'; }

// "Weight: 3" or "Weight 3" under the section that reads Weight gives
// "Weight=3"; anything else gives "".
std::string meantKeyLine(std::string_view text, std::size_t readAs) {
  for (const BaitKey& row : kBaitKeys) {
    const std::string_view key = row.key;
    if (!readFrom(row, readAs) || text.size() <= key.size() ||
        !equalsIgnoringAsciiCase(text.substr(0, key.size()), key) ||
        !isBlankOrColon(text[key.size()])) {
      continue;
    }
    std::string_view rest = text.substr(key.size());
    while (!rest.empty() && isBlankOrColon(rest.front())) {
      rest.remove_prefix(1);
    }
    return std::string(text.substr(0, key.size())) + "=" + std::string(rest);
  }
  return {};
}

}  // namespace

const std::array<const char*, kReadSectionCount> kReadSections = {"Header", "bait", "Class"};

std::size_t readSectionIndex(std::string_view name) {
  for (std::size_t i = 0; i < kReadSectionCount; ++i) {
    if (equalsIgnoringAsciiCase(name, kReadSections[i])) {
      return i;
    }
  }
  return kReadSectionCount;
}

std::string sectionOf(const BaitKey& row) {
  return std::string("[") + kReadSections[readSectionIndex(row.section)] + "]";
}

std::size_t indexOf(const BaitKey& row) {
  return static_cast<std::size_t>(&row - kBaitKeys.data());
}

LineChecks::LineChecks(const CheckedFile& file, FindingList& findings, bool listLines)
    : file_(file), findings_(findings), listLines_(listLines) {}

void LineChecks::visit(const ProfileLine& line) {
  switch (line.kind) {
    case ProfileLineKind::kSection:
      endSection();
      startSection(line);
      break;
    case ProfileLineKind::kKey:
    case ProfileLineKind::kBareKey:
      if (listLines_) {
        keyLine(line);
      }
      break;
    case ProfileLineKind::kComment:
      break;
  }
}

void LineChecks::finish() {
  endSection();
  if (listLines_) {
    checkUtf8Mark();
  }
}

std::string LineChecks::usedValue(const BaitKey& row) const {
  return shownValue(row.field(*file_.record));
}

void LineChecks::startSection(const ProfileLine& line) {
  header_ = Header{};
  header_.number = line.number;
  header_.name.assign(line.name);
  header_.readAs = readSectionIndex(line.name);
  if (header_.readAs == kReadSectionCount) {
    for (std::size_t i = 0; i < kReadSectionCount; ++i) {
      if (nearMisses_[i].line == 0 &&
          editDistanceIgnoringCase(line.name, kReadSections[i], kMaxEdits) <= kMaxEdits) {
        nearMisses_[i] = HeaderAt{line.number, std::string(line.name)};
      }
    }
    return;
  }
  std::size_t& first = firstHeaderLine_[header_.readAs];
  header_.isFirst = first == 0;
  if (header_.isFirst) {
    first = line.number;
  }
  if (line.number == 1) {
    lineOneHeader_ = header_.name;
  } else if (firstHeaderLine_[header_.readAs] == 1 && utf8Replacement_.line == 0) {
    utf8Replacement_ = HeaderAt{line.number, header_.name};
  }
}

void LineChecks::endSection() {
  if (!listLines_) {
    return;
  }
  if (header_.readAs < kReadSectionCount && !header_.isFirst) {
    std::string message = bracketed(header_.name) + " repeats [" + kReadSections[header_.readAs] +
                          "] of line " + std::to_string(firstHeaderLine_[header_.readAs]) +
                          ": the game reads only the first";
    if (header_.notReadCount == 0) {
      message += ", and nothing under this one";
    } else {
      message += ", so " + joined(header_.notRead, header_.notReadCount) +
                 (header_.notReadCount == 1 ? " is not read" : " are not read");
    }
    findings_.add(CheckCode::kRepeatedSection, header_.number, std::move(message));
  }
  for (const Hiding& hiding : hiding_) {
    const BaitKey& row = *hiding.row;
    std::string message =
        quotedText(hiding.name) +
        " has no \"=\": the game takes it for a key without a value, so it uses the default " +
        shownValue(correctBaitValue(readBaitValue(row.kind, row.defaultText), row.correction));
    if (hiding.hiddenCount > 0) {
      message += ", and does not read " + quotedText(hiding.name) + " on " +
                 linesText(hiding.hidden, hiding.hiddenCount);
    }
    findings_.add(CheckCode::kBareLine, hiding.line, std::move(message));
  }
  hiding_.clear();
}

void LineChecks::keyLine(const ProfileLine& line) {
  for (Hiding& hiding : hiding_) {
    if (line.number > hiding.line && equalsIgnoringAsciiCase(line.name, hiding.name)) {
      if (hiding.hiddenCount++ < kMaxListed) {
        hiding.hidden.push_back(line.number);
      }
    }
  }
  if (header_.number == 0) {
    orphanKey(line);
    return;
  }
  const BaitKey* row = line.kind == ProfileLineKind::kKey ? findBaitKey(line.name) : nullptr;
  const bool readSection = header_.readAs < kReadSectionCount;
  if (readSection && header_.isFirst) {
    if (line.kind == ProfileLineKind::kBareKey) {
      bareLine(line);
    } else if (row != nullptr && readFrom(*row, header_.readAs)) {
      repeatedKey(line, *row);
    } else if (row != nullptr) {
      misplacedKey(line, *row);
    } else {
      unknownKey(line);
    }
  } else if (row != nullptr && !readFrom(*row, header_.readAs)) {
    misplacedKey(line, *row);
  } else if (row != nullptr) {
    if (header_.notReadCount++ < kMaxListed) {
      header_.notRead.push_back(keyAt(line.name, line.number));
    }
  } else if (readSection && line.kind == ProfileLineKind::kKey) {
    unknownKey(line);
  }
}

void LineChecks::orphanKey(const ProfileLine& line) {
  std::string message =
      quotedText(line.name) + " stands above the first section, where the game reads no key";
  const BaitKey* row = line.kind == ProfileLineKind::kKey ? findBaitKey(line.name) : nullptr;
  if (row != nullptr) {
    message +=
        "; it is read only from " + sectionOf(*row) + ", so the game uses " + usedValue(*row);
  }
  findings_.add(CheckCode::kOrphanKey, line.number, std::move(message));
}

void LineChecks::unknownKey(const ProfileLine& line) {
  std::string message = quotedText(line.name) + " is not a key the game reads";
  if (const BaitKey* nearest = nearestKey(line.name, header_.readAs)) {
    message += "; did you mean " + quotedText(nearest->key);
    if (!readFrom(*nearest, header_.readAs)) {
      message += ", read from " + sectionOf(*nearest);
    }
    message += "?";
  }
  findings_.add(CheckCode::kUnknownKey, line.number, std::move(message));
}

void LineChecks::misplacedKey(const ProfileLine& line, const BaitKey& row) {
  findings_.add(CheckCode::kMisplacedKey, line.number,
                quotedText(line.name) + " is read only from " + sectionOf(row) +
                    "; here it is under " + bracketed(header_.name) + ", so the game uses " +
                    usedValue(row));
}

void LineChecks::repeatedKey(const ProfileLine& line, const BaitKey& row) {
  const ProfileAnswer& answer = file_.answers[indexOf(row)];
  // A key after a line without "=" of its name is named by that line's
  // finding, which hides it.
  if (answer.keyLine == line.number || answer.source != ProfileSource::kValue) {
    return;
  }
  findings_.add(CheckCode::kRepeatedKey, line.number,
                quotedText(line.name) + " repeats line " + std::to_string(answer.keyLine) +
                    ": the game reads only the first, so it uses " + usedValue(row));
}

void LineChecks::bareLine(const ProfileLine& line) {
  const BaitKey* row = findBaitKey(line.name);
  if (row != nullptr && readFrom(*row, header_.readAs)) {
    const ProfileAnswer& answer = file_.answers[indexOf(*row)];
    if (answer.keyLine == line.number) {
      hiding_.push_back(Hiding{line.number, row, std::string(line.name), {}, 0});
    } else {
      findings_.add(CheckCode::kBareLine, line.number,
                    quotedText(line.name) + " has no \"=\"; the game reads " +
                        quotedText(line.name) + " from line " + std::to_string(answer.keyLine) +
                        " only");
    }
    return;
  }
  std::string message = quotedText(line.text) +
                        " is neither a comment nor key=value, so the game reads nothing from it";
  if (line.text.front() == '#' || line.text.substr(0, 2) == "//") {
    message += "; comments start with \";\"";
  } else if (const std::string meant = meantKeyLine(line.text, header_.readAs); !meant.empty()) {
    message += "; did you mean " + quotedText(meant) + "?";
  }
  findings_.add(CheckCode::kBareLine, line.number, std::move(message));
}

// The game's own reader keeps a UTF-8 mark as part of line 1, so a header
// there is no header to it.
void LineChecks::checkUtf8Mark() {
  if (file_.document->encoding() != ProfileEncoding::kUtf8Mark || lineOneHeader_.empty() ||
      readSectionIndex(lineOneHeader_) == kReadSectionCount) {
    return;
  }
  std::vector<std::string> missed;
  for (const BaitKey& row : kBaitKeys) {
    const ProfileAnswer& answer = file_.answers[indexOf(row)];
    if (answer.sectionLine == 1 && answer.keyLine != 0) {
      missed.push_back(keyAt(file_.keyNames[indexOf(row)], answer.keyLine));
    }
  }
  if (missed.empty() && utf8Replacement_.line == 0) {
    return;
  }
  std::string message =
      "the file starts with a UTF-8 mark: banalyse skips it, but the game's own reader takes it "
      "as part of line 1 and does not see " +
      bracketed(lineOneHeader_) + " there";
  if (!missed.empty()) {
    message += ", so it does not read " + joined(missed, missed.size());
  }
  if (utf8Replacement_.line != 0) {
    message += ", and reads " + bracketed(utf8Replacement_.name) + " of line " +
               std::to_string(utf8Replacement_.line) + " in its place";
  }
  findings_.add(CheckCode::kUtf8Mark, 1, std::move(message));
}
