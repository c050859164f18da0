#include "catalogue/bait_file.h"

#include <cstring>
#include <string>
#include <string_view>

#include "catalogue/bait_record.h"
#include "platform/numbers.h"
#include "platform/profile_reader.h"
#include "reports/size_analysis.h"

char valueBuffer[kValueBufferSize];

const char* readProfileValue(const char* section, const char* key, const char* defaultText,
                             const char* fileName) {
  static std::string path;  // reused, so the 38 reads of a file allocate nothing
  path.assign(fileName);
  readProfileString(section, key, defaultText, path, valueBuffer, kValueBufferSize);
  return valueBuffer;
}

namespace {

// One helper per way a value is read, so that loadBaitFile reads as the
// table of keys it follows.
struct BaitFileReader {
  const char* fileName;

  OwnedText text(const char* section, const char* key, const char* defaultText) const {
    return copyString(readProfileValue(section, key, defaultText, fileName));
  }
  std::int32_t integer(const char* section, const char* key, const char* defaultText) const {
    return parseInteger(readProfileValue(section, key, defaultText, fileName));
  }
  std::int16_t integer16(const char* section, const char* key, const char* defaultText) const {
    return static_cast<std::int16_t>(integer(section, key, defaultText));  // keeps the low bits
  }
  float real(const char* section, const char* key, const char* defaultText) const {
    return parseReal(readProfileValue(section, key, defaultText, fileName));
  }
  // Set only by exactly "1": "01", "yes" or an empty value leave it clear.
  std::uint16_t flag(const char* key, const char* defaultText, std::uint16_t bit) const {
    return std::strcmp(readProfileValue("bait", key, defaultText, fileName), "1") == 0 ? bit : 0;
  }
};

void readRef(BaitRecord& record, const char* value) {
  record.ref.fill('\0');
  const std::string_view code = std::string_view(value).substr(0, kRefSize - 1);  // cut to 19
  std::memcpy(record.ref.data(), code.data(), code.size());
  std::memcpy(record.refCode.data(), record.ref.data(), record.refCode.size());
}

}  // namespace

void normaliseProfile(BaitRecord& record) {
  float sum = 0;
  for (const std::int16_t entry : record.profile) {
    sum += static_cast<float>(entry);  // exact: a float holds every 16-bit value
  }
  if (sum == 0) {
    record.profile.fill(0);
    return;
  }
  const double scale = 400.0 / static_cast<double>(sum);
  for (std::int16_t& entry : record.profile) {
    entry = static_cast<std::int16_t>(truncateToInt32(entry * scale));
  }
}

void readBaitFile(BaitRecord& r, const char* fileName) {
  const BaitFileReader read{fileName};
  r.path = copyString(fileName);
  r.name = read.text("Header", "Name", "Unknown bait");
  readRef(r, readProfileValue("Header", "Ref", "DEFBAIT", fileName));
  r.bigGraphic = read.text("bait", "bigGraphic", "graphics/bait.pcx");
  r.graphic = read.text("bait", "Graphic", "graphics/bait.pcx");
  r.desc = read.text("Header", "Desc", "[None]");
  r.type = static_cast<std::int8_t>(read.integer("bait", "Type", "1"));
  r.usage = 0;
  r.usage |= read.flag("Hairrig", "0", kHairrig);
  r.usage |= read.flag("Hookbait", "1", kHookbait);
  r.usage |= read.flag("Multi", "1", kMulti);
  r.usage |= read.flag("Feeder", "1", kFeeder);
  r.usage |= read.flag("Loosefeed", "1", kLoosefeed);
  r.addSize = read.integer("bait", "Addsize", "256");
  r.adjustSize = read.integer16("bait", "Adjustsize", "1");
  if (r.adjustSize < 1) {
    r.adjustSize = 1;
  }
  r.minSize = read.integer("bait", "Minsize", "1");
  r.weight = read.real("bait", "Weight", "0");
  r.adjWeight = read.real("bait", "AdjWeight", "1");
  r.disperHour = static_cast<float>(read.integer("bait", "Disperhour", "100"));
  r.smallFact = read.real("bait", "Smallfact", "5.0");
  if (r.smallFact > 5.0F) {
    r.smallFact = 5.0F;
  }
  r.classType = read.integer16("Class", "ClassType", "1");
  static constexpr const char* kProfileKeys[kProfileSize] = {
      "Protein", "Starch", "Carbo", "Sweet", "Sour", "Bitter",
      "Spicey",  "Citrus", "Blood", "Fish",  "Fat"};
  for (std::size_t i = 0; i < kProfileSize; ++i) {
    r.profile[i] = read.integer16("Class", kProfileKeys[i], "0");
  }
  r.hardness = read.integer16("Class", "Hardness", "0");
  r.move = read.integer16("Class", "Move", "0");
  r.smell = read.integer16("Class", "Smell", "0");
  r.seaPop = read.integer16("Class", "Seapop", "0");
  r.freshPop = read.integer16("Class", "Freshpop", "100");
  r.hookSize = read.real("Bait", "hooksize", "16");
  r.adjHookSize = read.real("Bait", "adjhooksize", "-1");
  r.liveBait = read.integer16("Class", "Livebait", "0");
  // All 38 values are read: the parsed file is no longer needed.
  releaseProfileFile();
}

std::int16_t loadBaitFile(const char* fileName) {
  BaitRecord* record = baitList;
  if (record == nullptr) {
    return 0;
  }
  readBaitFile(*record, fileName);
  normaliseProfile(*record);
  writeSizeAnalysis(*record);
  return 1;
}
