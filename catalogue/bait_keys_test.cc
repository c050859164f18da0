#include "catalogue/bait_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/bait_file.h"
#include "testing/temp_dir.h"

namespace {

// The sections a bait file can hold keys in; "Bait" and "bait" are one.
constexpr const char* kSections[] = {"Header", "bait", "Class"};

bool sameSection(const char* a, const char* b) {
  return std::string_view(a) == b ||
         (std::string_view(a) == "Bait" && std::string_view(b) == "bait") ||
         (std::string_view(a) == "bait" && std::string_view(b) == "Bait");
}

// A bait file with the three sections, holding `line` under every section
// for which `under` is true.
template <typename Under>
std::string fileWith(const std::string& line, Under under) {
  std::string file;
  for (const char* section : kSections) {
    file.append("[").append(section).append("]\n");
    if (under(section)) {
      file.append(line).append("\n");
    }
  }
  return file;
}

class BaitKeys : public ::testing::Test {
 protected:
  // Reads `content` as a bait file through the loader.
  void read(const std::string& content, BaitRecord& record) {
    writeFile("x.tkl", content);
    readBaitFile(record, "x.tkl");
  }

  ScopedTempDir dir_;
};

TEST_F(BaitKeys, DefaultsAreTheLoaders) {
  BaitRecord record;
  read("", record);
  for (const BaitKey& row : kBaitKeys) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(row.field(record),
              correctBaitValue(readBaitValue(row.kind, row.defaultText), row.correction));
  }
}

// Each row's key, written under its own section, fills its own field as its
// kind says and changes no other field; written under every other section,
// it changes nothing.
TEST_F(BaitKeys, EachRowIsReadFromItsSectionIntoItsFieldAsItsKind) {
  struct Expected {
    BaitKeyKind kind;
    const char* text;
    std::int32_t integer;
    float real;
  };
  const struct {
    const char* value;
    Expected expected[8];
  } sentinels[] = {
      {"70000.5",
       {{BaitKeyKind::kText, "70000.5", 0, 0},
        {BaitKeyKind::kRef, "70000.5", 0, 0},
        {BaitKeyKind::kInteger, "", 70000, 0},
        {BaitKeyKind::kInteger16, "", 4464, 0},
        {BaitKeyKind::kInteger8, "", 112, 0},
        {BaitKeyKind::kIntegerAsReal, "", 0, 70000.0F},
        {BaitKeyKind::kReal, "", 0, 70000.5F},
        {BaitKeyKind::kFlag, "", 0, 0}}},
      {"-70000.5",
       {{BaitKeyKind::kText, "-70000.5", 0, 0},
        {BaitKeyKind::kRef, "-70000.5", 0, 0},
        {BaitKeyKind::kInteger, "", -70000, 0},
        {BaitKeyKind::kInteger16, "", -4464, 0},
        {BaitKeyKind::kInteger8, "", -112, 0},
        {BaitKeyKind::kIntegerAsReal, "", 0, -70000.0F},
        {BaitKeyKind::kReal, "", 0, -70000.5F},
        {BaitKeyKind::kFlag, "", 0, 0}}},
      {"1",
       {{BaitKeyKind::kText, "1", 0, 0},
        {BaitKeyKind::kRef, "1", 0, 0},
        {BaitKeyKind::kInteger, "", 1, 0},
        {BaitKeyKind::kInteger16, "", 1, 0},
        {BaitKeyKind::kInteger8, "", 1, 0},
        {BaitKeyKind::kIntegerAsReal, "", 0, 1.0F},
        {BaitKeyKind::kReal, "", 0, 1.0F},
        {BaitKeyKind::kFlag, "", 1, 0}}},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
       {{BaitKeyKind::kText, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0, 0},
        {BaitKeyKind::kRef, "ABCDEFGHIJKLMNOPQRS", 0, 0},
        {BaitKeyKind::kInteger, "", 0, 0},
        {BaitKeyKind::kInteger16, "", 0, 0},
        {BaitKeyKind::kInteger8, "", 0, 0},
        {BaitKeyKind::kIntegerAsReal, "", 0, 0},
        {BaitKeyKind::kReal, "", 0, 0},
        {BaitKeyKind::kFlag, "", 0, 0}}},
  };
  BaitRecord defaults;
  read("", defaults);
  for (const BaitKey& row : kBaitKeys) {
    for (const auto& sentinel : sentinels) {
      SCOPED_TRACE(std::string(row.key) + "=" + sentinel.value);
      const std::string line = std::string(row.key) + "=" + sentinel.value;
      BaitRecord record;
      read(fileWith(line, [&](const char* s) { return sameSection(s, row.section); }), record);
      const BaitFieldValue asRead = readBaitValue(row.kind, sentinel.value);
      for (const Expected& e : sentinel.expected) {
        if (e.kind == row.kind) {
          EXPECT_EQ(asRead, (BaitFieldValue{e.kind, e.text, e.integer, e.real}));
        }
      }
      for (const BaitKey& other : kBaitKeys) {
        SCOPED_TRACE(other.key);
        EXPECT_EQ(other.field(record), &other == &row ? correctBaitValue(asRead, row.correction)
                                                      : other.field(defaults));
      }
      read(fileWith(line, [&](const char* s) { return !sameSection(s, row.section); }), record);
      for (const BaitKey& other : kBaitKeys) {
        SCOPED_TRACE(other.key);
        EXPECT_EQ(other.field(record), other.field(defaults));
      }
    }
  }
}

TEST(BaitKeyTable, CorrectionsAndLookUp) {
  const BaitKey* adjustSize = findBaitKey("ADJUSTSIZE");
  ASSERT_NE(adjustSize, nullptr);
  EXPECT_EQ(correctBaitValue(readBaitValue(adjustSize->kind, "-3"), adjustSize->correction).integer,
            1);
  const BaitKey* smallFact = findBaitKey("smallfact");
  ASSERT_NE(smallFact, nullptr);
  EXPECT_EQ(correctBaitValue(readBaitValue(smallFact->kind, "7.5"), smallFact->correction).real,
            5.0F);
  EXPECT_EQ(correctBaitValue(readBaitValue(smallFact->kind, "-2"), smallFact->correction).real,
            -2.0F);
  EXPECT_EQ(findBaitKey("Hook"), nullptr);
  EXPECT_EQ(findBaitKey("Hooksize"), &kBaitKeys[35]);
  EXPECT_STREQ(kBaitKeys[kNameKey].key, "Name");
  EXPECT_STREQ(kBaitKeys[kRefKey].key, "Ref");
  EXPECT_STREQ(kBaitKeys[kFirstProfileKey].key, "Protein");
  EXPECT_STREQ(kBaitKeys[kFirstProfileKey + kProfileSize - 1].key, "Fat");
}

}  // namespace
