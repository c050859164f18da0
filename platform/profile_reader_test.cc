#include "platform/profile_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "platform/files.h"
#include "testing/sanitizer.h"
#include "testing/temp_dir.h"

namespace {

using namespace std::string_literals;

std::string lookUp(const std::string& file, const char* section, const char* key,
                   const char* defaultText = "dflt") {
  ProfileDocument document;
  std::string bytes = file;
  document.parse(bytes);
  char out[256];
  const std::size_t length = getProfileString(document, section, key, defaultText, out, sizeof out);
  EXPECT_EQ(length, std::string(out).size());
  return std::string(out, length);
}

struct Case {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::string expected;
};

void runCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->name);
    EXPECT_EQ(lookUp(c->file, c->section, c->key), c->expected);
  }
}

TEST(ProfileReader, SectionsAndKeys) {
  const Case cases[] = {
      {"trimmed name and value", "[Header]\n  Name  =  Red Worm  \n", "Header", "Name", "Red Worm"},
      {"key case", "[Header]\nNAME=x\n", "Header", "name", "x"},
      {"section case", "[BAIT]\nType=5\n", "bait", "Type", "5"},
      {"requested names trimmed", "[s]\nk=v\n", " s\t", "\tk ", "v"},
      {"inner blanks must match", "[s]\nkey  two=v\n", "s", "key two", "dflt"},
      {"first key wins", "[bait]\nWeight=1\nWeight=2\n", "bait", "Weight", "1"},
      {"later section ignored", "[bait]\nType=1\n[Bait]\nMinsize=7\n", "Bait", "Minsize", "dflt"},
      {"key in earlier section only", "[bait]\nType=1\n[Header]\nName=h\n[BAIT]\nType=9\n", "bait",
       "Type", "1"},
      {"split at first equals", "[s]\na=b=c\n", "s", "a", "b=c"},
      {"line without equals", "[s]\nnovalue\n", "s", "novalue", "dflt"},
      {"bare key hides later keys", "[b]\nType\nType=5\n", "b", "Type", "dflt"},
      {"bare key in other case hides", "[b]\n  tYPE \nType=5\n", "b", "Type", "dflt"},
      {"bare key hides nothing else", "[b]\nType\nSize=5\n", "b", "Size", "5"},
      {"bare key in a later section", "[b]\nType=5\n[c]\nType\n", "b", "Type", "5"},
      {"keys above any section", "orphan=1\n[s]\n", "", "orphan", "dflt"},
      {"empty value is present", "[bait]\nHookbait=\n", "bait", "Hookbait", ""},
      {"section text after bracket", "[ Class ] junk\nFat=3\n", "Class", "Fat", "3"},
      {"header without bracket", "[Class\nFat=3\n", "Class", "Fat", "3"},
      {"bracket inside name", "[a]b]\nk=1\n", "a", "k", "1"},
      {"empty section name", "[  ]\nk=blank\n", "", "k", "blank"},
      {"comment line", "[Class]\n;Fat=9\n  ;Fat=8\nFat=3\n", "Class", "Fat", "3"},
      {"no comment after value", "[bait]\nType=3 ; old\n", "bait", "Type", "3 ; old"},
      {"hash is no comment", "[Header]\nName=Red #2\n", "Header", "Name", "Red #2"},
      {"missing section", "[x]\nk=1\n", "y", "k", "dflt"},
      {"missing key", "[x]\nk=1\n", "x", "j", "dflt"},
      {"empty file", "", "x", "k", "dflt"},
  };
  runCases(std::begin(cases), std::end(cases));
}

TEST(ProfileReader, LinesBlanksAndEncodings) {
  const Case cases[] = {
      {"lf", "[H]\nName=n\n", "H", "Name", "n"},
      {"crlf", "[H]\r\nName=n\r\n", "H", "Name", "n"},
      {"lone cr", "[H]\rName=n\r[b]\rType=3", "b", "Type", "3"},
      {"cr cr lf and blank lines", "[H]\r\r\n\n\nName=n\r\r\n", "H", "Name", "n"},
      {"no final line end", "[H]\nName=n", "H", "Name", "n"},
      {"tabs, vt, ff trimmed", "[s]\n\tk\v=\f x \t\n", "s", "k", "x"},
      {"ctrl-z is blank", "[H]\nName=ctrl z\x1A\n\x1A", "H", "Name", "ctrl z"},
      {"inner control bytes kept", "[H]\nName=vt\v ff\f end\n", "H", "Name", "vt\v ff\f end"},
      {"high bytes unchanged", "[H]\nName=caf\xE9 \x80\n", "H", "Name", "caf\xE9 \x80"},
      {"nul ends value", "[H]\nName=ab\0cd\n"s, "H", "Name", "ab"},
      {"nul ends key", "[b]\nTy\0pe=9\nType=3\n"s, "b", "Ty", "9"},
      {"nul ends section name", "[b\0x]\nk=1\n"s, "b", "k", "1"},
      {"blanks before a nul stay in a value", "[H]\nName=ab \0cd\n"s, "H", "Name", "ab "},
      {"blanks before a nul stay in a key", "[b]\nType \0x=7\n"s, "b", "Type", "dflt"},
      {"blanks before a nul stay in a section", "[Class \0]\nFat=3\n"s, "Class", "Fat", "dflt"},
      {"nul before the closing quote", "[H]\nName=\"ab\0\"\n"s, "H", "Name", "\"ab"},
      {"nul after a quoted value", "[H]\nName='ab' \0\n"s, "H", "Name", "'ab' "},
      {"value trimmed before the nul", "[H]\nName=  ab\0  \n"s, "H", "Name", "ab"},
      {"utf-8 mark skipped", "\xEF\xBB\xBF[Header]\nName=m\n", "Header", "Name", "m"},
      {"utf-8 mark elsewhere kept", "[H]\nName=\xEF\xBB\xBFx\n", "H", "Name", "\xEF\xBB\xBFx"},
      {"utf-16 without mark is bytes", std::string("[\0H\0]\0", 6), "H", "k", "dflt"},
  };
  runCases(std::begin(cases), std::end(cases));
}

std::string utf16(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(ProfileReader, DecodesUtf16IntoWindows1252) {
  const std::string file =
      utf16(
          u"[Header]\r\nName=caf\u00E9 \u20AC\u0081 \u0100\U0001F41F \xD800!\r\n[bait]\r\nType=3") +
      "x";  // an odd last byte is dropped
  EXPECT_EQ(lookUp(file, "Header", "Name"), "caf\xE9 \x80\x81 A?? ?!");
  EXPECT_EQ(lookUp(file, "bait", "Type"), "3");
}

TEST(ProfileReader, QuotesAndLengths) {
  const std::string v300(300, 'x');
  const Case cases[] = {
      {"double quotes", "[q]\nk=\"abc\"\n", "q", "k", "abc"},
      {"single quotes", "[q]\nk='gfx\\worm.pcx'\n", "q", "k", "gfx\\worm.pcx"},
      {"only the outer pair", "[q]\nk=\"A \"\"big\"\" one\"\n", "q", "k", "A \"\"big\"\" one"},
      {"mismatched", "[q]\nk=\"abc'\n", "q", "k", "\"abc'"},
      {"lone quote", "[q]\nk=\"\n", "q", "k", "\""},
      {"empty quotes", "[q]\nk=\"\"\n", "q", "k", ""},
      {"blanks inside kept", "[q]\nk=\" abc \"\n", "q", "k", " abc "},
      {"quotes after trimming", "[q]\nk=  'abc'  \n", "q", "k", "abc"},
      {"300 bytes cut to 255", "[l]\nk=" + v300 + "\n", "l", "k", std::string(255, 'x')},
      {"cut after unquoting", "[l]\nk=\"" + std::string(255, 'y') + "\"\n", "l", "k",
       std::string(255, 'y')},
  };
  runCases(std::begin(cases), std::end(cases));
  EXPECT_EQ(lookUp("", "s", "k", "'single'"), "single");
  EXPECT_EQ(lookUp("", "s", "k", v300.c_str()), std::string(255, 'x'));
}

// Sections are looked up when first asked for, and only a few lookups are
// remembered: many names asked for in turn, each again later, still find
// their own first section, and a document given a new file forgets them all.
TEST(ProfileReader, ManySectionNamesAskedForInTurn) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) {
    bytes += "[s" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  }
  bytes += "[S7]\nk=later\n";
  ProfileDocument document;
  document.parse(bytes);
  char out[256];
  for (int round = 0; round < 2; ++round) {
    for (int i = 39; i >= 0; --i) {
      const std::string section = "S" + std::to_string(i);
      getProfileString(document, section, "k", "none", out, sizeof out);
      EXPECT_EQ(std::string(out), std::to_string(i)) << section;
    }
  }
  bytes = "[s3]\nk=new\n";
  document.parse(bytes);
  getProfileString(document, "s3", "k", "none", out, sizeof out);
  EXPECT_STREQ(out, "new");
  getProfileString(document, "s4", "k", "none", out, sizeof out);
  EXPECT_STREQ(out, "none");
}

// A file with more names than the index keeps: a section of more key names
// than it holds, then more section names. Requests past the index are
// answered by scans; a document asked the same questions of an earlier file
// indexes their names anyway. Both must answer as the rules say.
TEST(ProfileReader, AnswersPastTheIndexBounds) {
  std::string file = "[crowd]\n";
  for (std::size_t i = 0; i < ProfileDocument::kIndexedKeys + 4; ++i) {
    file += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  }
  file += "late\nlate=1\nlater=2\n";
  for (std::size_t i = 0; i < ProfileDocument::kIndexedSections + 4; ++i) {
    file += "[s" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  }
  file += "[S67]\nk=again\n[bait]\nType=3\n[BAIT]\nMinsize=7\n[crowd]\nmore=1\n";
  struct Request {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Request requests[] = {
      {"crowd", "k5", "5"},    {"crowd", "k1027", "1027"},  {"crowd", "late", "dflt"},
      {"crowd", "later", "2"}, {"crowd", "more", "dflt"},   {"crowd", "none", "dflt"},
      {"s0", "k", "0"},        {"s67", "k", "67"},          {"S67", "k", "67"},
      {"bait", "Type", "3"},   {"Bait", "Minsize", "dflt"}, {"none", "k", "dflt"},
  };
  // Taught every other request: the rest are new to it after its parse,
  // and asked twice, the second time as names it has learned since.
  ProfileDocument taught;
  std::string bytes = file;
  taught.parse(bytes);
  char out[256];
  for (std::size_t i = 0; i < std::size(requests); i += 2) {
    getProfileString(taught, requests[i].section, requests[i].key, "dflt", out, sizeof out);
  }
  bytes = file;
  taught.parse(bytes);
  ProfileDocument fresh;
  bytes = file;
  fresh.parse(bytes);
  for (int round = 0; round < 2; ++round) {
    for (const Request& request : requests) {
      SCOPED_TRACE(std::string(request.section) + "/" + request.key);
      getProfileString(fresh, request.section, request.key, "dflt", out, sizeof out);
      EXPECT_STREQ(out, request.expected);
      getProfileString(taught, request.section, request.key, "dflt", out, sizeof out);
      EXPECT_STREQ(out, request.expected);
    }
  }
}

TEST(ProfileReader, CutsToTheCallersBuffer) {
  ProfileDocument document;
  std::string bytes = "[s]\nk=abcdef\n";
  document.parse(bytes);
  char out[4];
  EXPECT_EQ(getProfileString(document, "s", "k", "", out, sizeof out), 3U);
  EXPECT_STREQ(out, "abc");
}

TEST(ProfileReader, ReadsAFileOnceUntilReleased) {
  const ScopedTempDir dir;
  writeFile("a.tkl", "[s]\nk=first\n");
  char out[256];
  const std::size_t opensBefore = regularFileOpenCount();
  readProfileString("s", "k", "d", "a.tkl", out, sizeof out);
  writeFile("a.tkl", "[s]\nk=second\n");
  readProfileString("s", "k", "d", "a.tkl", out, sizeof out);
  EXPECT_STREQ(out, "first");
  EXPECT_EQ(regularFileOpenCount() - opensBefore, 1U);

  releaseProfileFile();
  readProfileString("s", "k", "d", "a.tkl", out, sizeof out);
  EXPECT_STREQ(out, "second");
  releaseProfileFile();
}

TEST(ProfileReader, WhatIsNotARegularFileHasNoSections) {
  const ScopedTempDir dir;
  std::filesystem::create_directory("folder.tkl");
  std::filesystem::create_symlink("missing-target", "dangling.tkl");
  for (const char* path : {"folder.tkl", "dangling.tkl", "no-such-file.tkl"}) {
    SCOPED_TRACE(path);
    char out[256];
    readProfileString("s", "k", "default", path, out, sizeof out);
    EXPECT_STREQ(out, "default");
    releaseProfileFile();
  }
}

#ifndef _WIN32
// Reads `path` with the address space capped at 512 MiB, in the forked child
// of a death test; exits with 0 when the request took its default.
void readUnderMemoryLimit(const char* path) {
  constexpr rlim_t kLimit = rlim_t{512} << 20;
  const rlimit limit{kLimit, kLimit};
  setrlimit(RLIMIT_AS, &limit);
  char out[256];
  readProfileString("s", "k", "default", path, out, sizeof out);
  releaseProfileFile();
  std::exit(std::string(out) == "default" ? 0 : 1);
}

TEST(ProfileReader, AFileLargerThanTheMemoryLeftReadsAsUnreadable) {
  if (kAddressSanitizer) {
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit this test sets; "
                    "the plain build runs it";
  }
  const ScopedTempDir dir;
  writeFile("huge.tkl", "[s]\nk=v\n");
  std::filesystem::resize_file("huge.tkl", std::uintmax_t{1} << 31);  // sparse: no disk used
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(readUnderMemoryLimit("huge.tkl"), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
