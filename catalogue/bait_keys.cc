#include "catalogue/bait_keys.h"

#include <algorithm>

#include "platform/ascii_case.h"
#include "platform/numbers.h"

namespace {

BaitFieldValue text(const OwnedText& owned) { return {BaitKeyKind::kText, textOf(owned), 0, 0}; }
BaitFieldValue integer(BaitKeyKind kind, std::int32_t value) { return {kind, {}, value, 0}; }
BaitFieldValue real(BaitKeyKind kind, float value) { return {kind, {}, 0, value}; }
BaitFieldValue flag(const BaitRecord& r, std::uint16_t bit) {
  return integer(BaitKeyKind::kFlag, (r.usage & bit) != 0 ? 1 : 0);
}
BaitFieldValue ref(const BaitRecord& r) {
  const auto* const end = std::find(r.ref.begin(), r.ref.end(), '\0');
  return {BaitKeyKind::kRef,
          std::string_view(r.ref.data(), static_cast<std::size_t>(end - r.ref.begin())), 0, 0};
}
BaitFieldValue int16(std::int16_t value) { return integer(BaitKeyKind::kInteger16, value); }

using K = BaitKeyKind;
using C = BaitCorrection;
using R = const BaitRecord&;

}  // namespace

const std::array<BaitKey, kBaitKeyCount> kBaitKeys = {{
    {"Header", "Name", "Unknown bait", K::kText, C::kNone, [](R r) { return text(r.name); }},
    {"Header", "Ref", "DEFBAIT", K::kRef, C::kNone, [](R r) { return ref(r); }},
    {"bait", "bigGraphic", "graphics/bait.pcx", K::kText, C::kNone,
     [](R r) { return text(r.bigGraphic); }},
    {"bait", "Graphic", "graphics/bait.pcx", K::kText, C::kNone,
     [](R r) { return text(r.graphic); }},
    {"Header", "Desc", "[None]", K::kText, C::kNone, [](R r) { return text(r.desc); }},
    {"bait", "Type", "1", K::kInteger8, C::kNone,
     [](R r) { return integer(K::kInteger8, r.type); }},
    {"bait", "Hairrig", "0", K::kFlag, C::kNone, [](R r) { return flag(r, kHairrig); }},
    {"bait", "Hookbait", "1", K::kFlag, C::kNone, [](R r) { return flag(r, kHookbait); }},
    {"bait", "Multi", "1", K::kFlag, C::kNone, [](R r) { return flag(r, kMulti); }},
    {"bait", "Feeder", "1", K::kFlag, C::kNone, [](R r) { return flag(r, kFeeder); }},
    {"bait", "Loosefeed", "1", K::kFlag, C::kNone, [](R r) { return flag(r, kLoosefeed); }},
    {"bait", "Addsize", "256", K::kInteger, C::kNone,
     [](R r) { return integer(K::kInteger, r.addSize); }},
    {"bait", "Adjustsize", "1", K::kInteger16, C::kAtLeastOne,
     [](R r) { return int16(r.adjustSize); }},
    {"bait", "Minsize", "1", K::kInteger, C::kNone,
     [](R r) { return integer(K::kInteger, r.minSize); }},
    {"bait", "Weight", "0", K::kReal, C::kNone, [](R r) { return real(K::kReal, r.weight); }},
    {"bait", "AdjWeight", "1", K::kReal, C::kNone, [](R r) { return real(K::kReal, r.adjWeight); }},
    {"bait", "Disperhour", "100", K::kIntegerAsReal, C::kNone,
     [](R r) { return real(K::kIntegerAsReal, r.disperHour); }},
    {"bait", "Smallfact", "5.0", K::kReal, C::kAtMostFive,
     [](R r) { return real(K::kReal, r.smallFact); }},
    {"Class", "ClassType", "1", K::kInteger16, C::kNone, [](R r) { return int16(r.classType); }},
    {"Class", "Protein", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[0]); }},
    {"Class", "Starch", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[1]); }},
    {"Class", "Carbo", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[2]); }},
    {"Class", "Sweet", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[3]); }},
    {"Class", "Sour", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[4]); }},
    {"Class", "Bitter", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[5]); }},
    {"Class", "Spicey", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[6]); }},
    {"Class", "Citrus", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[7]); }},
    {"Class", "Blood", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[8]); }},
    {"Class", "Fish", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[9]); }},
    {"Class", "Fat", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.profile[10]); }},
    {"Class", "Hardness", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.hardness); }},
    {"Class", "Move", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.move); }},
    {"Class", "Smell", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.smell); }},
    {"Class", "Seapop", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.seaPop); }},
    {"Class", "Freshpop", "100", K::kInteger16, C::kNone, [](R r) { return int16(r.freshPop); }},
    {"Bait", "hooksize", "16", K::kReal, C::kNone, [](R r) { return real(K::kReal, r.hookSize); }},
    {"Bait", "adjhooksize", "-1", K::kReal, C::kNone,
     [](R r) { return real(K::kReal, r.adjHookSize); }},
    {"Class", "Livebait", "0", K::kInteger16, C::kNone, [](R r) { return int16(r.liveBait); }},
}};

const BaitKey* findBaitKey(std::string_view key) {
  for (const BaitKey& row : kBaitKeys) {
    if (equalsIgnoringAsciiCase(row.key, key)) {
      return &row;
    }
  }
  return nullptr;
}

BaitFieldValue readBaitValue(BaitKeyKind kind, std::string_view text) {
  switch (kind) {
    case BaitKeyKind::kText:
      return {kind, text, 0, 0};
    case BaitKeyKind::kRef:
      return {kind, text.substr(0, kRefSize - 1), 0, 0};
    case BaitKeyKind::kInteger:
      return integer(kind, parseInteger(text));
    case BaitKeyKind::kInteger16:
      return integer(kind, static_cast<std::int16_t>(parseInteger(text)));
    case BaitKeyKind::kInteger8:
      return integer(kind, static_cast<std::int8_t>(parseInteger(text)));
    case BaitKeyKind::kIntegerAsReal:
      return real(kind, static_cast<float>(parseInteger(text)));
    case BaitKeyKind::kReal:
      return real(kind, parseReal(text));
    case BaitKeyKind::kFlag:
      return integer(kind, text == "1" ? 1 : 0);
  }
  return {};
}

BaitFieldValue correctBaitValue(BaitFieldValue value, BaitCorrection correction) {
  if (correction == BaitCorrection::kAtLeastOne && value.integer < 1) {
    value.integer = 1;
  } else if (correction == BaitCorrection::kAtMostFive && value.real > 5.0F) {
    value.real = 5.0F;
  }
  return value;
}

bool operator==(const BaitFieldValue& a, const BaitFieldValue& b) {
  if (a.kind != b.kind) {
    return false;
  }
  switch (a.kind) {
    case BaitKeyKind::kText:
    case BaitKeyKind::kRef:
      return a.text == b.text;
    case BaitKeyKind::kReal:
    case BaitKeyKind::kIntegerAsReal:
      return a.real == b.real;
    default:
      return a.integer == b.integer;
  }
}
