#include "platform/profile_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <new>

#include "platform/ansi_text.h"
#include "platform/ascii_case.h"
#include "platform/files.h"
#include "platform/profile_line.h"

namespace {

// A buffer above this size is given back when its file is done with, so one
// huge bait file does not hold its memory for the rest of the run; an
// ordinary one is kept, so a run of small files allocates once.
constexpr std::size_t kKeepCapacity = std::size_t{1} << 20;

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// Room for every entry the index can hold, at most half full, so that
// probes stay short.
constexpr std::size_t kSlotCount = 4096;
static_assert(kSlotCount >= 2 * (ProfileDocument::kIndexedSections + ProfileDocument::kIndexedKeys +
                                 2 * ProfileDocument::kLearnedRequests));
static_assert((kSlotCount & (kSlotCount - 1)) == 0);
constexpr std::uint32_t kSectionSlot = std::uint32_t{1} << 31;
// The section number of a section slot in the probe sequence.
constexpr std::uint32_t kSectionsTable = std::numeric_limits<std::uint32_t>::max();

// FNV-1a over the name folded to upper case, so that names equal without
// regard to case have equal hashes.
std::uint32_t hashName(std::string_view name) {
  std::uint32_t hash = 2166136261U;
  for (const char c : name) {
    hash = (hash ^ foldToUpper(c)) * 16777619U;
  }
  return hash;
}

std::size_t firstSlot(std::uint32_t table, std::uint32_t hash) {
  std::uint32_t mixed = hash ^ (table * 0x9E3779B1U);
  mixed ^= mixed >> 15;
  return mixed & (kSlotCount - 1);
}

std::size_t offsetIn(std::string_view text, std::string_view part) {
  return static_cast<std::size_t>(part.data() - text.data());
}

}  // namespace

void ProfileDocument::parse(std::string& bytes) {
  try {
    const std::string_view view(bytes);
    if (view.size() >= 2 && view[0] == '\xFF' && view[1] == '\xFE') {
      utf16ToAnsi(view.substr(2), text_);
      encoding_ = ProfileEncoding::kUtf16;
    } else if (view.size() >= 3 && view.substr(0, 3) == "\xEF\xBB\xBF") {
      text_.assign(view.substr(3));
      encoding_ = ProfileEncoding::kUtf8Mark;
    } else {
      text_.swap(bytes);
      encoding_ = ProfileEncoding::kSingleByte;
    }
    bytes.clear();
    buildIndex();
  } catch (...) {
    clear();  // no index of another text, none half built: no sections
    throw;
  }
}

void ProfileDocument::clear() {
  text_.clear();
  encoding_ = ProfileEncoding::kSingleByte;
  if (text_.capacity() > kKeepCapacity) {
    std::string().swap(text_);
  }
  resetIndex();
}

std::uint32_t ProfileDocument::findSlot(std::uint32_t section, std::string_view name,
                                        std::uint32_t hash) const {
  for (std::size_t slot = firstSlot(section, hash);; slot = (slot + 1) & (kSlotCount - 1)) {
    const std::uint32_t entry = slots_[slot];
    if (entry == 0) {
      return static_cast<std::uint32_t>(slot);
    }
    if (section == kSectionsTable) {
      if ((entry & kSectionSlot) == 0) {
        continue;
      }
      const IndexedSection& known = sections_[(entry & ~kSectionSlot) - 1];
      if (known.nameHash == hash && known.nameLength == name.size() &&
          equalsIgnoringAsciiCase(std::string_view(text_).substr(known.nameBegin, known.nameLength),
                                  name)) {
        return static_cast<std::uint32_t>(slot);
      }
    } else {
      if ((entry & kSectionSlot) != 0) {
        continue;
      }
      const IndexedKey& known = keys_[entry - 1];
      if (known.section == section && known.nameHash == hash && known.nameLength == name.size() &&
          equalsIgnoringAsciiCase(std::string_view(text_).substr(known.line, known.nameLength),
                                  name)) {
        return static_cast<std::uint32_t>(slot);
      }
    }
  }
}

std::size_t ProfileDocument::findIndexedSection(std::string_view name, std::uint32_t hash) const {
  const std::uint32_t entry = slots_[findSlot(kSectionsTable, name, hash)];
  return entry == 0 ? kNone : (entry & ~kSectionSlot) - 1;
}

bool ProfileDocument::learnedSection(std::string_view name, std::uint32_t hash) const {
  for (std::size_t i = 0; i < learnedAtParse_; ++i) {
    if (learned_[i].sectionHash == hash && equalsIgnoringAsciiCase(learned_[i].section, name)) {
      return true;
    }
  }
  return false;
}

bool ProfileDocument::learnedKey(const IndexedSection& section, std::string_view name,
                                 std::uint32_t hash) const {
  for (std::uint64_t bits = section.learnedKeys; bits != 0; bits &= bits - 1) {
    const LearnedRequest& known = learned_[static_cast<std::size_t>(std::countr_zero(bits))];
    if (known.keyHash == hash && equalsIgnoringAsciiCase(known.key, name)) {
      return true;
    }
  }
  return false;
}

void ProfileDocument::resetIndex() {
  for (const IndexedSection& section : sections_) {
    slots_[section.slot] = 0;
  }
  for (const IndexedKey& key : keys_) {
    slots_[key.slot] = 0;
  }
  sections_.clear();
  keys_.clear();
  scanned_.clear();
  headersIndexedBefore_ = kNone;
}

void ProfileDocument::buildIndex() {
  resetIndex();
  if (slots_.empty()) {
    // All the index will ever hold, taken once.
    slots_.assign(kSlotCount, 0);
    sections_.reserve(kIndexedSections + kLearnedRequests);
    keys_.reserve(kIndexedKeys + kLearnedRequests);
  }
  // A caller asking for ever new names must not grow the memory: once the
  // list is full it is started afresh.
  if (learned_.size() >= kLearnedRequests) {
    learned_.clear();
  }
  learnedAtParse_ = learned_.size();
  // The hashes of the section names asked for, each name once: a file past
  // the bounds can have a header on every other line, and the tool asks for
  // three names.
  std::uint32_t learnedSectionHashes[kLearnedRequests];
  std::size_t learnedSectionCount = 0;
  for (std::size_t i = 0; i < learnedAtParse_; ++i) {
    const std::uint32_t hash = learned_[i].sectionHash;
    if (std::find(learnedSectionHashes, learnedSectionHashes + learnedSectionCount, hash) ==
        learnedSectionHashes + learnedSectionCount) {
      learnedSectionHashes[learnedSectionCount++] = hash;
    }
  }

  const std::string_view all(text_);
  std::size_t current = kNone;  // the indexed section whose body the pass is in
  bool keysFull = false;
  std::size_t pos = 0;
  std::string_view line;
  while (nextProfileLine(all, pos, line)) {
    if (isProfileHeader(line)) {
      if (current != kNone) {
        sections_[current].bodyEnd = offsetIn(all, line);
        current = kNone;
      }
      if (headersIndexedBefore_ != kNone && learnedAtParse_ == 0) {
        continue;  // nothing more can enter the section table
      }
      std::string_view name;
      classifyProfileLine(line, name);
      const std::uint32_t hash = hashName(name);
      const std::uint32_t slot = findSlot(kSectionsTable, name, hash);
      if (slots_[slot] != 0) {
        continue;  // a later section of a name already seen: never searched
      }
      if (sections_.size() >= kIndexedSections &&
          (std::find(learnedSectionHashes, learnedSectionHashes + learnedSectionCount, hash) ==
               learnedSectionHashes + learnedSectionCount ||
           !learnedSection(name, hash))) {
        headersIndexedBefore_ = std::min(headersIndexedBefore_, offsetIn(all, line));
        continue;
      }
      IndexedSection& section = sections_.emplace_back();
      section.header = offsetIn(all, line);
      section.nameBegin = name.empty() ? 0 : offsetIn(all, name);
      section.nameLength = name.size();
      section.bodyBegin = pos;
      section.bodyEnd = all.size();
      section.keysIndexedBefore = keysFull ? pos : kNone;
      section.nameHash = hash;
      section.slot = slot;
      for (std::size_t i = 0; i < learnedAtParse_; ++i) {
        if (learned_[i].sectionHash == hash && equalsIgnoringAsciiCase(learned_[i].section, name)) {
          section.learnedKeys |= std::uint64_t{1} << i;
        }
      }
      current = sections_.size() - 1;
      slots_[slot] = kSectionSlot | static_cast<std::uint32_t>(sections_.size());
      continue;
    }
    if (current == kNone || isProfileComment(line)) {
      continue;
    }
    IndexedSection& section = sections_[current];
    if (keysFull && section.learnedKeys == 0) {
      continue;
    }
    std::string_view name;
    classifyProfileLine(line, name);
    const std::uint32_t hash = hashName(name);
    // Once the index is full, only names asked for before enter it.
    if (keysFull && !learnedKey(section, name, hash)) {
      continue;
    }
    const std::uint32_t slot = findSlot(static_cast<std::uint32_t>(current), name, hash);
    if (slots_[slot] != 0) {
      continue;  // a later key of a name already seen: hidden
    }
    if (!keysFull && keys_.size() >= kIndexedKeys) {
      keysFull = true;
      section.keysIndexedBefore = offsetIn(all, line);
      if (!learnedKey(section, name, hash)) {
        continue;
      }
    }
    IndexedKey& key = keys_.emplace_back();
    key.line = offsetIn(all, line);
    key.nameLength = name.size();
    key.nameHash = hash;
    key.section = static_cast<std::uint32_t>(current);
    key.slot = slot;
    slots_[slot] = static_cast<std::uint32_t>(keys_.size());
  }
}

std::size_t ProfileDocument::learn(std::string_view section, std::uint32_t sectionHash,
                                   std::string_view key, std::uint32_t keyHash) const {
  // A caller that asks every file the same questions asks them in the same
  // order: the search starts after the last one found.
  for (std::size_t n = 0; n < learned_.size(); ++n) {
    const std::size_t i = (lastLearned_ + 1 + n) % learned_.size();
    const LearnedRequest& known = learned_[i];
    if (known.sectionHash == sectionHash && known.keyHash == keyHash &&
        equalsIgnoringAsciiCase(known.section, section) &&
        equalsIgnoringAsciiCase(known.key, key)) {
      lastLearned_ = i;
      return i;
    }
  }
  if (learned_.size() < kLearnedRequests) {
    try {
      learned_.push_back({std::string(section), std::string(key), sectionHash, keyHash});
    } catch (const std::bad_alloc&) {
      // Remembering a name only saves time later; an answer needs none.
    }
  }
  return kNone;
}

bool ProfileDocument::scanForSection(std::string_view name, Body& body) const {
  const std::string_view all(text_);
  std::size_t pos = headersIndexedBefore_;
  bool found = false;
  std::string_view line;
  while (nextProfileLine(all, pos, line)) {
    if (!isProfileHeader(line)) {
      continue;
    }
    if (found) {
      body.end = offsetIn(all, line);
      return true;
    }
    std::string_view header;
    classifyProfileLine(line, header);
    if (equalsIgnoringAsciiCase(header, name)) {
      found = true;
      body.header = offsetIn(all, line);
      body.begin = pos;
      body.end = all.size();
    }
  }
  return found;
}

bool ProfileDocument::sectionPastIndex(std::string_view name, Body& body) const {
  for (const ScannedSection& known : scanned_) {
    if (equalsIgnoringAsciiCase(known.name, name)) {
      body = known.body;
      return known.found;
    }
  }
  const bool found = scanForSection(name, body);
  // A caller asking for ever new names must not grow the memory either.
  if (scanned_.size() >= kScannedSections) {
    scanned_.clear();
  }
  try {
    scanned_.push_back({std::string(name), found, body});
  } catch (const std::bad_alloc&) {
    // Remembering the scan only saves time later.
  }
  return found;
}

std::size_t ProfileDocument::scanForKey(std::string_view key, std::size_t begin,
                                        std::size_t end) const {
  const std::string_view body = std::string_view(text_).substr(0, end);
  std::size_t pos = begin;
  std::string_view line;
  while (nextProfileLine(body, pos, line)) {
    std::string_view name;
    const ProfileLineKind kind = classifyProfileLine(line, name);
    if ((kind == ProfileLineKind::kKey || kind == ProfileLineKind::kBareKey) &&
        equalsIgnoringAsciiCase(name, key)) {
      return offsetIn(body, line);
    }
  }
  return kNone;
}

ProfileLookup ProfileDocument::lookUp(std::string_view section, std::string_view key) const {
  section = trimProfileBlanks(section);
  key = trimProfileBlanks(key);
  const std::uint32_t sectionHash = hashName(section);
  const std::uint32_t keyHash = hashName(key);
  // Asked for before this file was parsed: the index holds the answer.
  const bool known = learn(section, sectionHash, key, keyHash) < learnedAtParse_;

  ProfileLookup answer;
  if (slots_.empty()) {
    return answer;  // never given a file
  }
  Body body;
  const std::size_t indexed = findIndexedSection(section, sectionHash);
  if (indexed != kNone) {
    const IndexedSection& match = sections_[indexed];
    body = {match.header, match.bodyBegin, match.bodyEnd};
  } else if (headersIndexedBefore_ == kNone || learnedSection(section, sectionHash) ||
             !sectionPastIndex(section, body)) {
    // Not in an index that holds every section name, or every name asked
    // for before: there is no such section.
    return answer;
  }
  answer.source = ProfileSource::kNoKey;
  answer.header = body.header;

  std::size_t line = kNone;
  if (indexed == kNone) {
    line = scanForKey(key, body.begin, body.end);
  } else if (const std::uint32_t entry =
                 slots_[findSlot(static_cast<std::uint32_t>(indexed), key, keyHash)];
             entry != 0) {
    line = keys_[entry - 1].line;
  } else if (sections_[indexed].keysIndexedBefore != kNone && !known) {
    line = scanForKey(key, sections_[indexed].keysIndexedBefore, body.end);
  }
  if (line == kNone) {
    return answer;
  }
  answer.keyLine = line;
  // The line is classified again by the same rules that indexed it.
  const std::string_view all(text_);
  std::size_t end = line;
  std::string_view keyText;
  nextProfileLine(all, end, keyText);
  std::string_view name;
  if (classifyProfileLine(keyText, name) == ProfileLineKind::kBareKey) {
    answer.source = ProfileSource::kBareKey;
  } else {
    answer.source = ProfileSource::kValue;
    answer.value = profileKeyValue(keyText);
  }
  return answer;
}

bool ProfileDocument::find(std::string_view section, std::string_view key,
                           std::string_view& value) const {
  const ProfileLookup answer = lookUp(section, key);
  if (answer.source != ProfileSource::kValue) {
    return false;
  }
  value = answer.value;
  return true;
}

std::size_t getProfileString(const ProfileDocument& document, std::string_view section,
                             std::string_view key, std::string_view defaultText, char* out,
                             std::size_t outSize) {
  std::string_view value;
  if (!document.find(section, key, value)) {
    value = unquoteProfileValue(defaultText);
  }
  const std::size_t length = std::min({value.size(), kMaxProfileValue, outSize - 1});
  std::memcpy(out, value.data(), length);
  out[length] = '\0';
  return length;
}

namespace {

// The file that readProfileString parsed last.
struct KeptFile {
  bool valid = false;
  std::string path;
  std::string bytes;
  ProfileDocument document;
};

KeptFile& keptFile() {
  static KeptFile kept;
  return kept;
}

}  // namespace

std::size_t readProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultText, const std::string& path, char* out,
                              std::size_t outSize) {
  KeptFile& kept = keptFile();
  if (!kept.valid || kept.path != path) {
    kept.path = path;
    try {
      if (readRegularFile(path, kept.bytes)) {
        kept.document.parse(kept.bytes);
      } else {
        kept.document.clear();
      }
    } catch (const std::bad_alloc&) {
      // A file too large for the memory left is a file that cannot be read:
      // its keys take their defaults, and the other bait files still load.
      std::string().swap(kept.bytes);
      kept.document.clear();
    }
    kept.valid = true;
  }
  return getProfileString(kept.document, section, key, defaultText, out, outSize);
}

void releaseProfileFile() {
  KeptFile& kept = keptFile();
  kept.valid = false;
  kept.document.clear();
  if (kept.bytes.capacity() > kKeepCapacity) {
    std::string().swap(kept.bytes);
  }
}
