// Every code, each on a small bait file with the exact lines a modder sees.
#include "baitcheck/file_check.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "baitcheck/testing.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::string_literals;

// A file the game reads as written: it gives no finding.
const std::string kSound =
    "[Header]\nName=Test worm\nRef=TWORM\nDesc=A worm for tests.\n"
    "[bait]\nType=1\nWeight=1.5\nHookbait=1\n"
    "[Class]\nClassType=1\nProtein=60\nFat=40\n";

struct Case {
  const char* name;
  std::string file;  // t.tkl
  std::vector<std::string> expected;
};

const Case kCases[] = {
    {"unknown keys, with the nearest read key",
     "[Header]\nName=A\nColour=red\nNmae=B\n[bait]\nWieght=2\nTYPE=3\n[Class]\nProtein=1\nTyep=2\n",
     {
         "t.tkl:3: warning: \"Colour\" is not a key the game reads [unknown-key]",
         "t.tkl:4: warning: \"Nmae\" is not a key the game reads; did you mean \"Name\"? "
         "[unknown-key]",
         "t.tkl:6: warning: \"Wieght\" is not a key the game reads; did you mean \"Weight\"? "
         "[unknown-key]",
         "t.tkl:10: warning: \"Tyep\" is not a key the game reads; did you mean \"Type\", read "
         "from [bait]? [unknown-key]",
     }},
    {"misplaced keys",
     "[Header]\nName=A\n[bait]\nType=2\n[Class]\nProtein=1\nHooksize=12\nName=B\n[Notes]\n"
     "Weight=3\nNotes=fine here\n",
     {
         "t.tkl:7: warning: \"Hooksize\" is read only from [bait]; here it is under [Class], so "
         "the game uses 16 [misplaced-key]",
         "t.tkl:8: warning: \"Name\" is read only from [Header]; here it is under [Class], so the "
         "game uses \"A\" [misplaced-key]",
         "t.tkl:10: warning: \"Weight\" is read only from [bait]; here it is under [Notes], so the "
         "game uses 0 [misplaced-key]",
     }},
    {"repeated sections",
     "[Header]\nName=A\n[bait]\nType=2\n[Class]\nProtein=1\n[Bait]\nhooksize=4\nMulti=0\n"
     "Colour=red\nName=B\n[BAIT]\n[header]\nRef=X\n",
     {
         "t.tkl:7: warning: [Bait] repeats [bait] of line 3: the game reads only the first, so "
         "\"hooksize\" (line 8) and \"Multi\" (line 9) are not read [repeated-section]",
         "t.tkl:10: warning: \"Colour\" is not a key the game reads [unknown-key]",
         "t.tkl:11: warning: \"Name\" is read only from [Header]; here it is under [Bait], so the "
         "game uses \"A\" [misplaced-key]",
         "t.tkl:12: warning: [BAIT] repeats [bait] of line 3: the game reads only the first, and "
         "nothing under this one [repeated-section]",
         "t.tkl:13: warning: [header] repeats [Header] of line 1: the game reads only the first, "
         "so \"Ref\" (line 14) is not read [repeated-section]",
     }},
    {"repeated keys",
     "[Header]\nName=A\nName=B\n[bait]\nWeight=2\nweight=3\nWEIGHT=4\n[Class]\nProtein=1\n",
     {
         "t.tkl:3: warning: \"Name\" repeats line 2: the game reads only the first, so it uses "
         "\"A\" [repeated-key]",
         "t.tkl:6: warning: \"weight\" repeats line 5: the game reads only the first, so it uses 2 "
         "[repeated-key]",
         "t.tkl:7: warning: \"WEIGHT\" repeats line 5: the game reads only the first, so it uses 2 "
         "[repeated-key]",
     }},
    {"keys above the first section",
     "Name=A\nMy bait pack\nColour=red\n[Header]\nRef=R\n[bait]\n[Class]\nProtein=1\n",
     {
         "t.tkl: warning: no Name in [Header], so the game shows the bait as \"Unknown bait\" "
         "[missing-name]",
         "t.tkl:1: warning: \"Name\" stands above the first section, where the game reads no key; "
         "it is read only from [Header], so the game uses \"Unknown bait\" [orphan-key]",
         "t.tkl:2: warning: \"My bait pack\" stands above the first section, where the game reads "
         "no key [orphan-key]",
         "t.tkl:3: warning: \"Colour\" stands above the first section, where the game reads no "
         "key [orphan-key]",
     }},
    {"lines that are not key=value",
     "[Header]\nName=A\n[bait]\nWeight\nWeight=2\nHooksize 12\n# old weight\nType: 3\nGraphic\n"
     "Minsize=3\nMinsize\n[Class]\nProtein=1\nsmell\n",
     {
         "t.tkl:4: warning: \"Weight\" has no \"=\": the game takes it for a key without a value, "
         "so it uses the default 0, and does not read \"Weight\" on line 5 [bare-line]",
         "t.tkl:6: warning: \"Hooksize 12\" is neither a comment nor key=value, so the game reads "
         "nothing from it; did you mean \"Hooksize=12\"? [bare-line]",
         "t.tkl:7: warning: \"# old weight\" is neither a comment nor key=value, so the game reads "
         "nothing from it; comments start with \";\" [bare-line]",
         "t.tkl:8: warning: \"Type: 3\" is neither a comment nor key=value, so the game reads "
         "nothing from it; did you mean \"Type=3\"? [bare-line]",
         "t.tkl:9: warning: \"Graphic\" has no \"=\": the game takes it for a key without a value, "
         "so it uses the default \"graphics/bait.pcx\" [bare-line]",
         "t.tkl:11: warning: \"Minsize\" has no \"=\"; the game reads \"Minsize\" from line 10 "
         "only [bare-line]",
         "t.tkl:14: warning: \"smell\" has no \"=\": the game takes it for a key without a value, "
         "so it uses the default 0 [bare-line]",
     }},
    {"numbers read in part or not at all",
     "[Header]\nName=A\n[bait]\nType=3 ; old\nWeight=1,5\nAdjWeight=0x10\nhooksize=inf\nMinsize=\n"
     "Addsize=12abc\nDisperhour=1.5e2\nSmallfact=1.5e2x\n[Class]\nProtein=1e3\nFat=+7\n",
     {
         "t.tkl:4: warning: Type \"3 ; old\" is read only in part, as 3 [partial-number]",
         "t.tkl:5: warning: Weight \"1,5\" is read only in part, as 1 [partial-number]",
         "t.tkl:6: warning: AdjWeight \"0x10\" is read only in part, as 0 [partial-number]",
         "t.tkl:7: warning: hooksize \"inf\" is not a number, so it reads as 0 [partial-number]",
         "t.tkl:8: warning: Minsize is empty, so it reads as 0 [partial-number]",
         "t.tkl:9: warning: Addsize \"12abc\" is read only in part, as 12 [partial-number]",
         "t.tkl:10: warning: Disperhour \"1.5e2\" is read only in part, as 1 [partial-number]",
         "t.tkl:11: warning: Smallfact \"1.5e2x\" is read only in part, as 150 [partial-number]",
         "t.tkl:11: warning: Smallfact 150 is above 5, so the game uses 5 [corrected-value]",
         "t.tkl:13: warning: Protein \"1e3\" is read only in part, as 1 [partial-number]",
     }},
    {"values beyond their fields",
     "[Header]\nName=A\n[bait]\nType=300\nAddsize=-99999999999\nAdjustsize=40000\nWeight=1e39\n"
     "Disperhour=3000000000\nMinsize=2147483647\n[Class]\nHardness=-40000\nProtein=1\n"
     "ClassType=65537\n",
     {
         "t.tkl:4: warning: Type 300 does not fit in -128 to 127, so the game reads 44 "
         "[value-does-not-fit]",
         "t.tkl:5: warning: Addsize -99999999999 is beyond the 32-bit range, so the game holds it "
         "at -2147483648 [value-does-not-fit]",
         "t.tkl:6: warning: Adjustsize 40000 does not fit in -32768 to 32767, so the game reads "
         "-25536 [value-does-not-fit]",
         "t.tkl:6: warning: Adjustsize -25536 is below 1, so the game uses 1 [corrected-value]",
         "t.tkl:7: warning: Weight 1e39 is beyond the range of a 32-bit real, so the game reads "
         "inf "
         "[value-does-not-fit]",
         "t.tkl:8: warning: Disperhour 3000000000 is beyond the 32-bit range, so the game holds it "
         "at 2147483648 [value-does-not-fit]",
         "t.tkl:11: warning: Hardness -40000 does not fit in -32768 to 32767, so the game reads "
         "25536 [value-does-not-fit]",
         "t.tkl:13: warning: ClassType 65537 does not fit in -32768 to 32767, so the game reads 1 "
         "[value-does-not-fit]",
     }},
    {"corrected values",
     "[Header]\nName=A\n[bait]\nAdjustsize=0\nSmallfact=7.5\n[Class]\nProtein=1\n",
     {
         "t.tkl:4: warning: Adjustsize 0 is below 1, so the game uses 1 [corrected-value]",
         "t.tkl:5: warning: Smallfact 7.5 is above 5, so the game uses 5 [corrected-value]",
     }},
    {"flags neither 0 nor 1",
     "[Header]\nName=A\n[bait]\nHairrig=yes\nHookbait=01\nMulti=true\nFeeder=\nLoosefeed=0\n"
     "[Class]\nProtein=1\n",
     {
         "t.tkl:4: warning: Hairrig \"yes\" is neither 0 nor 1, so the flag is clear [flag-value]",
         "t.tkl:5: warning: Hookbait \"01\" is neither 0 nor 1, so the flag is clear [flag-value]",
         "t.tkl:6: warning: Multi \"true\" is neither 0 nor 1, so the flag is clear [flag-value]",
         "t.tkl:7: warning: Feeder \"\" is neither 0 nor 1, so the flag is clear [flag-value]",
     }},
    {"values cut short",
     "[Header]\nName=A\nRef=ABCDEFGHIJKLMNOPQRST\nDesc=" + std::string(300, 'd') +
         "\n[bait]\n[Class]\nProtein=1\n",
     {
         "t.tkl:3: warning: Ref \"ABCDEFGHIJKLMNOPQRST\" is 20 bytes long: the game keeps only its "
         "first 19, \"ABCDEFGHIJKLMNOPQRS\" [cut-value]",
         "t.tkl:4: warning: Desc is 300 bytes long: the game reads only its first 255 "
         "[cut-value]",
     }},
    {"no name",
     "[Header]\nRef=R\n[bait]\n[Class]\nProtein=1\n",
     {"t.tkl: warning: no Name in [Header], so the game shows the bait as \"Unknown bait\" "
      "[missing-name]"}},
    {"missing sections",
     "[Header]\nName=A\n[Baits]\nType=2\n",
     {
         "t.tkl: warning: no [bait] section, so all 17 of its keys take their defaults; is "
         "[Baits] on line 3 meant to be it? [missing-section]",
         "t.tkl: warning: no [Class] section, so all 18 of its keys take their defaults "
         "[missing-section]",
         "t.tkl:4: warning: \"Type\" is read only from [bait]; here it is under [Baits], so the "
         "game uses 1 [misplaced-key]",
     }},
    {"class out of range",
     "[Header]\nName=A\n[bait]\n[Class]\nClassType=11\nProtein=1\n",
     {"t.tkl:5: warning: ClassType 11 is outside 1 to 10, so the page shows no class for the "
      "bait [class-out-of-range]"}},
    {"empty profile",
     "[Header]\nName=A\n[bait]\n[Class]\nProtein=5\nFat=-5\n",
     {"t.tkl: warning: the eleven nutrient and flavour values (Protein to Fat) add up to 0, so "
      "the game sets them all to 0 [empty-profile]"}},
    {"UTF-8 mark before a header",
     "\xEF\xBB\xBF[Header]\nName=A\nRef=R\n[bait]\n[Class]\nProtein=1\n[Header]\nName=B\n",
     {
         "t.tkl:1: warning: the file starts with a UTF-8 mark: banalyse skips it, but the game's "
         "own reader takes it as part of line 1 and does not see [Header] there, so it does not "
         "read \"Name\" (line 2) and \"Ref\" (line 3), and reads [Header] of line 7 in its place "
         "[utf8-mark]",
         "t.tkl:7: warning: [Header] repeats [Header] of line 1: the game reads only the first, "
         "so \"Name\" (line 8) is not read [repeated-section]",
     }},
    {"name in UTF-8",
     "[Header]\nName=P\xC3\xAA"
     "che\n[bait]\n[Class]\nProtein=1\n",
     {"t.tkl:2: warning: Name \"P\xC3\xAA"
      "che\" is written in UTF-8: the game shows it in the "
      "Windows code page, as \"P\xC3\x83\xC2\xAA"
      "che\" [utf8-name]"}},
    {"NUL bytes",
     "[Header]\nName=A\0B\n[bait]\nJunk\n[Class]\nProtein=1\n"s,
     {"t.tkl:2: warning: the file holds 1 NUL byte, the first on this line: the game ends a name "
      "or value at a NUL, and this may not be a bait file at all (its lines are not checked) "
      "[not-text]"}},
    {"editor line numbers across line ends",
     "[Header]\r\nName=A\r\r\n[bait]\rColour=red\n\n[Class]\nProtein=1\n",
     {"t.tkl:5: warning: \"Colour\" is not a key the game reads [unknown-key]"}},
};

class FileCheck : public ::testing::Test {
 protected:
  ScopedTempDir dir_;
};

std::string joinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text.append(line).append("\n");
  }
  return text;
}

TEST_F(FileCheck, EachMistakeIsNamedOnItsLine) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    writeFile("t.tkl", c.file);
    const CapturedRun run = runCaptured({"t.tkl"});
    const std::size_t count = c.expected.size();
    EXPECT_EQ(run.out, joinedLines(c.expected) + "1 file, 1 with findings, " +
                           std::to_string(count) + (count == 1 ? " finding\n" : " findings\n"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "");
  }
}

TEST_F(FileCheck, FilesTheGameReadsAsWrittenGiveNoFinding) {
  const std::string variants[] = {
      kSound,
      "\xEF\xBB\xBF; saved as UTF-8\n" + kSound,  // the mark hides no header
      "[Header]\nName=P\xEA"
      "che\n[bait]\n[Class]\nProtein=1\n",  // Windows-1252
      "[ header ] notes\r\nNAME = \"Quoted worm\" \r\n[BAIT]\r\nsmallfact=-2\r\nWeight=1.5e2\r\n"
      "AdjWeight=1D2\r\nhooksize=4d-1\r\nType=+7\r\n;Type=x\r\n[Class]\r\nFat=7\r\n",
      "\xFF\xFE[\0H\0e\0a\0d\0e\0r\0]\0\n\0N\0a\0m\0e\0=\0A\0\n\0[\0b\0a\0i\0t\0]\0\n\0[\0C\0l\0"
      "a\0s\0s\0]\0\n\0F\0a\0t\0=\0\x31\0"
      "\n\0"s,
  };
  for (const std::string& file : variants) {
    SCOPED_TRACE(file);
    writeFile("t.tkl", file);
    const CapturedRun run = runCaptured({"t.tkl"});
    EXPECT_EQ(run.out, "1 file, 0 with findings, 0 findings\n");
    EXPECT_EQ(run.status, 0);
  }
}

TEST_F(FileCheck, FilesThatCannotBeReadTakeEveryDefault) {
  std::filesystem::create_directories("baits/a-folder.tkl");
  std::filesystem::create_symlink("nowhere.tkl", "baits/b-dangling.tkl");
  ASSERT_EQ(mkfifo("baits/c-fifo.tkl", 0600), 0);
  const CapturedRun run = runCaptured({"baits"});
  EXPECT_EQ(run.out,
            "baits/a-folder.tkl: warning: the file cannot be read (it is a folder), so the game "
            "reads every value as its default [unreadable]\n"
            "baits/b-dangling.tkl: warning: the file cannot be read (there is no such file), so "
            "the game reads every value as its default [unreadable]\n"
            "baits/c-fifo.tkl: warning: the file cannot be read (it is not a regular file), so the "
            "game reads every value as its default [unreadable]\n"
            "3 files, 3 with findings, 3 findings\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(FileCheck, SameNameOrRefInTwoFiles) {
  writeFile("a.tkl", "[Header]\nName=Same\nRef=R1\n[bait]\n[Class]\nFat=1\n");
  writeFile("b.tkl", "[Header]\nRef=R1\nName=Same\n[bait]\n[Class]\nFat=1\n");
  writeFile("c.tkl", "[Header]\nName=same\nRef=R2\n[bait]\n[Class]\nFat=1\n");
  writeFile("d.tkl", "[Header]\n[bait]\n[Class]\nFat=1\n");
  writeFile("e.tkl", "[Header]\n[bait]\n[Class]\nFat=1\n");
  const CapturedRun run = runCaptured({"a.tkl", "b.tkl", "c.tkl", "d.tkl", "e.tkl"});
  EXPECT_EQ(run.out,
            "b.tkl:2: warning: Ref \"R1\" is also the Ref of a.tkl [duplicate-ref]\n"
            "b.tkl:3: warning: Name \"Same\" is also the Name of a.tkl [duplicate-name]\n"
            "d.tkl: warning: no Name in [Header], so the game shows the bait as \"Unknown bait\" "
            "[missing-name]\n"
            "e.tkl: warning: no Name in [Header], so the game shows the bait as \"Unknown bait\" "
            "[missing-name]\n"
            "5 files, 3 with findings, 4 findings\n");
}

// A file of many stray lines lists 50 findings of a code and counts the
// rest in one more, at the first line left out.
TEST_F(FileCheck, ManyFindingsOfOneCodeAreCountedPastFifty) {
  std::string file = "[Header]\nName=A\n[bait]\n[Class]\nFat=1\n";
  for (int i = 0; i < 70; ++i) {
    file += "Colour" + std::to_string(i) + "=red\n";
  }
  writeFile("t.tkl", file);
  const CapturedRun run = runCaptured({"t.tkl"});
  const std::size_t listed = run.out.find("t.tkl:55: warning: \"Colour49\" is not a key");
  const std::size_t note = run.out.find(
      "t.tkl:56: warning: and 20 more like the above from here on, not listed [unknown-key]\n"
      "1 file, 1 with findings, 51 findings\n");
  EXPECT_NE(listed, std::string::npos) << run.out;
  EXPECT_NE(note, std::string::npos) << run.out;
  EXPECT_LT(listed, note);
}

// Every code is reached by a case above or by a test of its own.
TEST(CheckCodes, EveryCodeIsReachedByACase) {
  std::set<std::string> reached = {"unreadable", "duplicate-name", "duplicate-ref"};
  for (const Case& c : kCases) {
    for (const std::string& line : c.expected) {
      reached.insert(line.substr(line.rfind('[') + 1, line.size() - line.rfind('[') - 2));
    }
  }
  for (const CheckCode code : allCheckCodes()) {
    EXPECT_EQ(reached.count(std::string(codeName(code))), 1U) << codeName(code);
  }
}

}  // namespace
