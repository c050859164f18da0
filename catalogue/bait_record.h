// The bait record and the catalogue: one global singly linked list of
// records, headed by baitList, that owns every record from its load until the
// end of the run.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

// Bits of BaitRecord::usage: what the bait may be used as.
enum UsageBit : std::uint16_t {
  kHairrig = 1,
  kHookbait = 2,
  kMulti = 4,
  kFeeder = 8,
  kLoosefeed = 16,
};

// An owned, NUL-terminated text; empty (null) when memory ran out while
// copying it, which readers treat as empty text (see textOf).
using OwnedText = std::unique_ptr<char[]>;

constexpr std::size_t kRefSize = 20;
constexpr std::size_t kProfileSize = 11;

// One bait, as read from its definition file. Weights of fish are whole drams.
struct BaitRecord {
  BaitRecord* next = nullptr;
  OwnedText name;
  std::array<char, kRefSize> ref{};  // at most 19 bytes and a terminating NUL
  std::array<char, 4> refCode{};     // the first four bytes of ref
  OwnedText path;
  OwnedText desc;
  OwnedText graphic;
  OwnedText bigGraphic;
  std::int8_t type = 0;
  float weight = 0;
  float adjWeight = 0;
  std::uint16_t usage = 0;
  std::int32_t minSize = 0;
  std::int32_t addSize = 0;
  std::int16_t adjustSize = 0;  // number of sizes, at least 1 once loaded
  float hookSize = 0;
  float adjHookSize = 0;
  float disperHour = 0;
  std::int16_t classType = 0;
  // Protein, Starch, Carbo, Sweet, Sour, Bitter, Spicey, Citrus, Blood, Fish,
  // Fat; normalised to a total of about 400 when loaded.
  std::array<std::int16_t, kProfileSize> profile{};
  std::int16_t hardness = 0;
  std::int16_t move = 0;
  std::int16_t smell = 0;
  std::int16_t seaPop = 0;
  std::int16_t freshPop = 0;
  std::int16_t liveBait = 0;
  float smallFact = 0;
};

// Head of the catalogue; null when it is empty.
extern BaitRecord* baitList;

// A new heap copy of `text`, or null when memory is exhausted.
OwnedText copyString(const char* text);

// The text held by `text`, or "" when it holds none.
const char* textOf(const OwnedText& text);

// Creates a record, initialises it with initBaitRecord and links it in front
// of baitList. Returns it, or null when memory is exhausted (baitList is then
// unchanged).
BaitRecord* newBaitRecord();

// Sets name, path and desc to none, ref to "DEFAULT" and type to 1; leaves
// every other field as it is.
void initBaitRecord(BaitRecord& record);

// The number of records from `first` along next whose type equals `wanted`.
std::size_t countBaitsOfType(const BaitRecord* first, std::int8_t wanted);

// Orders the list that starts at `first` by name and returns its new head.
// Names compare bytewise with ASCII letters folded to lower case, a prefix
// first; equal names keep their order. When fewer than two records have type
// 1 or 2 the list is returned as it is. O(n log n) time, O(1) extra memory.
BaitRecord* sortBaitsByName(BaitRecord* first);

// The name order used by the sort: negative, zero or positive as `a` sorts
// before, with or after `b`. A record without a name sorts as "".
int compareBaitNames(const BaitRecord& a, const BaitRecord& b);

// Releases every record from `first` along next, with its texts. If `first`
// is the head of baitList, baitList becomes empty.
void freeBaitList(BaitRecord* first);
