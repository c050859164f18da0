#include "catalogue/bait_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>

#include "catalogue/bait_record.h"
#include "testing/temp_dir.h"

namespace {

using Profile = std::array<std::int16_t, kProfileSize>;

class BaitFile : public ::testing::Test {
 protected:
  // Loads `content` as a bait file into a fresh head record.
  BaitRecord& load(const std::string& content) {
    writeFile("tackle/baits/test.tkl", content);
    BaitRecord* record = newBaitRecord();
    EXPECT_EQ(loadBaitFile("tackle/baits/test.tkl"), 1);
    return *record;
  }
  void TearDown() override { freeBaitList(baitList); }

  ScopedTempDir dir_;
};

TEST_F(BaitFile, EmptyFileTakesEveryDefault) {
  const BaitRecord& r = load("");
  EXPECT_STREQ(textOf(r.name), "Unknown bait");
  EXPECT_STREQ(r.ref.data(), "DEFBAIT");
  EXPECT_EQ(std::string(r.refCode.data(), 4), "DEFB");
  EXPECT_STREQ(textOf(r.path), "tackle/baits/test.tkl");
  EXPECT_STREQ(textOf(r.desc), "[None]");
  EXPECT_STREQ(textOf(r.graphic), "graphics/bait.pcx");
  EXPECT_STREQ(textOf(r.bigGraphic), "graphics/bait.pcx");
  EXPECT_EQ(r.type, 1);
  EXPECT_EQ(r.usage, 30);
  EXPECT_EQ(r.addSize, 256);
  EXPECT_EQ(r.adjustSize, 1);
  EXPECT_EQ(r.minSize, 1);
  EXPECT_EQ(r.weight, 0.0F);
  EXPECT_EQ(r.adjWeight, 1.0F);
  EXPECT_EQ(r.disperHour, 100.0F);
  EXPECT_EQ(r.smallFact, 5.0F);
  EXPECT_EQ(r.classType, 1);
  EXPECT_EQ(r.profile, Profile{});
  EXPECT_EQ(r.hardness, 0);
  EXPECT_EQ(r.move, 0);
  EXPECT_EQ(r.smell, 0);
  EXPECT_EQ(r.seaPop, 0);
  EXPECT_EQ(r.freshPop, 100);
  EXPECT_EQ(r.hookSize, 16.0F);
  EXPECT_EQ(r.adjHookSize, -1.0F);
  EXPECT_EQ(r.liveBait, 0);
  EXPECT_TRUE(readFile("banalyse.txt").rfind("Unknown bait\n", 0) == 0);
}

TEST_F(BaitFile, ReadsEveryKeyFromItsSection) {
  const BaitRecord& r = load(
      "[Header]\r\nName=Lobworm\r\nRef=LOBW01\r\nDesc=A fat worm\r\n"
      "[Bait]\r\nbigGraphic=gfx/lob_big.pcx\r\nGraphic=gfx/lob.pcx\r\nType=2\r\nHairrig=1\r\n"
      "Hookbait=1\r\nMulti=0\r\nFeeder=yes\r\nLoosefeed=01\r\nAddsize=64\r\nAdjustsize=4\r\n"
      "Minsize=-12\r\nWeight=1.25\r\nAdjWeight=0.5\r\nDisperhour=33.9\r\nSmallfact=2.5\r\n"
      "hooksize=12\r\nadjhooksize=-2\r\n"
      "[CLASS]\r\nClassType=9\r\nProtein=300\r\nFat=100\r\nHardness=-3\r\nMove=7\r\nSmell=8\r\n"
      "Seapop=40\r\nFreshpop=60\r\nLivebait=1\r\n");
  EXPECT_STREQ(textOf(r.name), "Lobworm");
  EXPECT_STREQ(r.ref.data(), "LOBW01");
  EXPECT_STREQ(textOf(r.desc), "A fat worm");
  EXPECT_STREQ(textOf(r.bigGraphic), "gfx/lob_big.pcx");
  EXPECT_STREQ(textOf(r.graphic), "gfx/lob.pcx");
  EXPECT_EQ(r.type, 2);
  EXPECT_EQ(r.usage, kHairrig | kHookbait);
  EXPECT_EQ(r.addSize, 64);
  EXPECT_EQ(r.adjustSize, 4);
  EXPECT_EQ(r.minSize, -12);
  EXPECT_EQ(r.weight, 1.25F);
  EXPECT_EQ(r.adjWeight, 0.5F);
  EXPECT_EQ(r.disperHour, 33.0F);
  EXPECT_EQ(r.smallFact, 2.5F);
  EXPECT_EQ(r.hookSize, 12.0F);
  EXPECT_EQ(r.adjHookSize, -2.0F);
  EXPECT_EQ(r.classType, 9);
  EXPECT_EQ(r.profile, (Profile{300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100}));
  EXPECT_EQ(r.hardness, -3);
  EXPECT_EQ(r.move, 7);
  EXPECT_EQ(r.smell, 8);
  EXPECT_EQ(r.seaPop, 40);
  EXPECT_EQ(r.freshPop, 60);
  EXPECT_EQ(r.liveBait, 1);
}

// The log block follows the corrected field: a line per size and four more.
// The largest size, 32767, is run end to end by the bad-input suite; here a
// size beyond eight bits shows the field without writing 262,000 fragments.
TEST_F(BaitFile, CorrectionsAndNarrowFields) {
  const struct {
    const char* bait;
    std::int16_t adjustSize;
    float smallFact;
    std::int8_t type;
  } cases[] = {
      {"Adjustsize=0\nSmallfact=7.5\n", 1, 5.0F, 1},
      {"Adjustsize=-4\nSmallfact=-2\n", 1, -2.0F, 1},
      {"Adjustsize=300\nSmallfact=1e39\n", 300, 5.0F, 1},
      {"Adjustsize=65538\nType=258\n", 2, 5.0F, 2},         // low 16 and low 8 bits
      {"Adjustsize=32768\nType=-1\n", 1, 5.0F, -1},         // wraps to -32768, raised to 1
      {"Adjustsize=99999999999\nType=0x10\n", 1, 5.0F, 0},  // saturates to -1 in 16 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bait);
    std::filesystem::remove("banalyse.txt");
    const BaitRecord& r = load(std::string("[bait]\n") + c.bait);
    EXPECT_EQ(r.adjustSize, c.adjustSize);
    EXPECT_EQ(r.smallFact, c.smallFact);
    EXPECT_EQ(r.type, c.type);
    const std::string log = readFile("banalyse.txt");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4 + c.adjustSize);
  }
}

TEST_F(BaitFile, FlagsAreSetOnlyByExactlyOne) {
  const struct {
    const char* hookbait;
    std::uint16_t usage;
  } cases[] = {{"1", 30}, {"0", 28}, {"", 28}, {"01", 28}, {"yes", 28}, {" 1 ", 30}, {"'1'", 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hookbait);
    EXPECT_EQ(load(std::string("[bait]\nHookbait=") + c.hookbait + "\n").usage, c.usage);
  }
}

TEST_F(BaitFile, LongRefIsCutTo19Bytes) {
  const BaitRecord& r = load("[Header]\nRef=ABCDEFGHIJKLMNOPQRSTUVWXYZ\n");
  EXPECT_STREQ(r.ref.data(), "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(std::string(r.refCode.data(), 4), "ABCD");
  const BaitRecord& shortRef = load("[Header]\nRef=AB\n");
  EXPECT_EQ(std::string(shortRef.refCode.data(), 4), std::string("AB\0\0", 4));
}

TEST_F(BaitFile, BothSpellingsOfTheBaitSectionReachOneSection) {
  for (const char* header : {"[bait]", "[Bait]", "[BAIT]"}) {
    SCOPED_TRACE(header);
    const BaitRecord& r = load(std::string(header) + "\nType=4\nhooksize=8\n");
    EXPECT_EQ(r.type, 4);
    EXPECT_EQ(r.hookSize, 8.0F);
  }
  // A second header of the same name is ignored with all its keys.
  const BaitRecord& r = load("[bait]\nType=4\n[Bait]\nhooksize=8\n");
  EXPECT_EQ(r.type, 4);
  EXPECT_EQ(r.hookSize, 16.0F);
}

TEST_F(BaitFile, ProfileIsNormalisedToAbout400) {
  const struct {
    const char* classSection;
    Profile expected;
  } cases[] = {
      {"Protein=3\n", {400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Protein=1\nStarch=1\nCarbo=1\n", {133, 133, 133, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Protein=1\nStarch=1\nCarbo=2\n", {100, 100, 200, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"Sweet=5\nSour=-5\n", {}},
      {"Blood=-1\nFish=3\n", {0, 0, 0, 0, 0, 0, 0, 0, -200, 600, 0}},
      {"Fat=1\nBitter=-2\n", {0, 0, 0, 0, 0, 800, 0, 0, 0, 0, -400}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.classSection);
    EXPECT_EQ(load(std::string("[Class]\n") + c.classSection).profile, c.expected);
  }
}

TEST_F(BaitFile, NormalisationKeepsTheLow16BitsOfLargeResults) {
  // 32767 and -32766 add up to 1, so the first entry becomes 13,106,800,
  // whose low 16 bits are stored.
  BaitRecord record;
  record.profile = {32767, -32766};
  normaliseProfile(record);
  EXPECT_EQ(record.profile[0], static_cast<std::int16_t>(13106800 & 0xFFFF));
  EXPECT_EQ(record.profile[1], static_cast<std::int16_t>(-13106400 & 0xFFFF));
}

}  // namespace
