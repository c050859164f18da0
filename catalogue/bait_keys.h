// The 38 keys that readBaitFile reads, as a table: where each is read from,
// its default, how its text becomes a field, and the field it fills. For
// tools that explain a bait file to its author (baitcheck); the loader itself
// reads one key per line, and bait_keys_test.cc checks every row of this
// table against the loader, so the two cannot drift apart.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/bait_record.h"

// How the loader turns a key's text into its field.
enum class BaitKeyKind {
  kText,           // copied as it is
  kRef,            // copied into `ref`: at most kRefSize - 1 bytes
  kInteger,        // the integer rule, into a signed 32-bit field
  kInteger16,      // the integer rule, the low 16 bits kept
  kInteger8,       // the integer rule, the low 8 bits kept
  kIntegerAsReal,  // the integer rule, stored in a 32-bit real
  kReal,           // the real rule, into a 32-bit real
  kFlag,           // a usage bit, set only by exactly "1"
};

// The one change the loader makes to a value after converting it.
enum class BaitCorrection {
  kNone,
  kAtLeastOne,  // raised to 1 when below 1
  kAtMostFive,  // lowered to 5.0 when above 5.0
};

// A field's content. Which member holds it follows from `kind`: `text` for
// kText and kRef (valid while the record or text it was taken from lives
// unchanged), `integer` for the integer kinds and kFlag (1 set, 0 clear),
// `real` for kReal and kIntegerAsReal.
struct BaitFieldValue {
  BaitKeyKind kind = BaitKeyKind::kText;
  std::string_view text;
  std::int32_t integer = 0;
  float real = 0;
};

struct BaitKey {
  const char* section;  // as the loader asks for it: "Header", "bait", "Bait" or "Class"
  const char* key;
  const char* defaultText;
  BaitKeyKind kind;
  BaitCorrection correction;
  BaitFieldValue (*field)(const BaitRecord&);  // the field this key fills
};

constexpr std::size_t kBaitKeyCount = 38;

// In the loader's order: Name and Ref first, and the eleven profile keys
// (Protein to Fat) together from kFirstProfileKey on, in the order of
// BaitRecord::profile.
extern const std::array<BaitKey, kBaitKeyCount> kBaitKeys;
constexpr std::size_t kNameKey = 0;
constexpr std::size_t kRefKey = 1;
constexpr std::size_t kFirstProfileKey = 19;

// The row of `key`, matched without regard to ASCII case (no two rows share
// a name in any spelling); null when the loader reads no such key.
const BaitKey* findBaitKey(std::string_view key);

// The value `text` gives a field of `kind` before any correction, by the
// loader's own conversions (platform/numbers.h): for kText the whole `text`,
// for kRef its first kRefSize - 1 bytes.
BaitFieldValue readBaitValue(BaitKeyKind kind, std::string_view text);

// `value` after `correction`.
BaitFieldValue correctBaitValue(BaitFieldValue value, BaitCorrection correction);

// True when `a` and `b` hold the same content.
bool operator==(const BaitFieldValue& a, const BaitFieldValue& b);
