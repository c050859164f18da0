#include "platform/profile_trace.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "testing/profile_model.h"

namespace {

using namespace std::string_literals;

ProfileDocument documentOf(std::string bytes) {
  ProfileDocument document;
  document.parse(bytes);
  return document;
}

std::vector<ProfileLine> linesOf(const ProfileDocument& document) {
  std::vector<ProfileLine> lines;
  forEachProfileLine(document, [&](const ProfileLine& line) { lines.push_back(line); });
  return lines;
}

struct LineCase {
  std::string text;
  ProfileLineKind kind;
  std::string name;
  std::string value;
};

TEST(ProfileTrace, ClassifiesEachLine) {
  using enum ProfileLineKind;
  const LineCase cases[] = {
      {"[ Class ] junk", kSection, "Class", ""},
      {"[Class", kSection, "Class", ""},
      {"[a]b]", kSection, "a", ""},
      {"[Class \0]"s, kSection, "Class ", ""},
      {"  ;Fat=9", kComment, "", ""},
      {"  Name  =  Red Worm  ", kKey, "Name", "Red Worm"},
      {"a=b=c", kKey, "a", "b=c"},
      {"=v", kKey, "", "v"},
      {"k=  'abc'  ", kKey, "k", "abc"},
      {"Name=ab \0cd"s, kKey, "Name", "ab "},
      {"Type \0x=7"s, kKey, "Type ", "7"},
      {"Name=\"ab\0\""s, kKey, "Name", "\"ab"},
      {"Ty\0pe=9"s, kKey, "Ty", "9"},
      {"Type", kBareKey, "Type", ""},
      {"Type \0x"s, kBareKey, "Type ", ""},
      {"\x1A\tkey  two\v", kBareKey, "key  two", ""},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    const ProfileDocument document = documentOf(c.text + "\n");
    const std::vector<ProfileLine> lines = linesOf(document);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].kind, c.kind);
    EXPECT_EQ(lines[0].name, c.name);
    EXPECT_EQ(lines[0].value, c.value);
    EXPECT_EQ(lines[0].text, trimProfileBlanks(c.text));
  }
}

TEST(ProfileTrace, NumbersLinesAsAnEditorDoes) {
  // Lines: 1 "k=0", 2 "[a]", 3 "", 4 "j=2", 5 "m", 6 "", 7 "  ", 8 "[b]",
  // 9 "", 10 ";c": CR LF, a lone CR and LF each end one line.
  const ProfileDocument document = documentOf("k=0\n[a]\r\n\r\nj=2\rm\n\n  \n[b]\r\r\n;c");
  const std::vector<ProfileLine> lines = linesOf(document);
  ASSERT_EQ(lines.size(), 6U);
  const std::size_t numbers[] = {1, 2, 4, 5, 8, 10};
  const std::size_t sections[] = {0, 1, 1, 1, 2, 2};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i].text);
    EXPECT_EQ(lines[i].number, numbers[i]);
    EXPECT_EQ(lines[i].section, sections[i]);
  }
}

struct LocateCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  ProfileSource source;
  std::size_t sectionLine;
  std::size_t keyLine;
  std::string value;
};

TEST(ProfileTrace, LocatesTheLinesThatAnswer) {
  using enum ProfileSource;
  const LocateCase cases[] = {
      {"value", "\r\n[H]\r\n\r\nName=x\r\n", "h", " name ", kValue, 2, 4, "x"},
      {"bare key hides later keys", "[b]\rType\rType=5\r", "b", "Type", kBareKey, 1, 2, ""},
      {"first key wins", "[b]\nType=1\nType=2\n", "b", "Type", kValue, 1, 2, "1"},
      {"later section ignored", "[bait]\nType=1\n[Bait]\nMinsize=7\n", "Bait", "Minsize", kNoKey, 1,
       0, ""},
      {"no such section", "[x]\nk=1\n", "y", "k", kNoSection, 0, 0, ""},
      {"blanks before a nul stay in the key", "[b]\nType \0x=7\n"s, "b", "Type", kNoKey, 1, 0, ""},
      {"comment is no key", "[b]\n;k=1\nk=2\n", "b", "k", kValue, 1, 3, "2"},
      {"keys above the first header", "k=1\n[b]\n", "", "k", kNoSection, 0, 0, ""},
  };
  for (const LocateCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ProfileDocument document = documentOf(c.file);
    const ProfileAnswer answer = locateProfileValue(document, c.section, c.key);
    EXPECT_EQ(answer.source, c.source);
    EXPECT_EQ(answer.sectionLine, c.sectionLine);
    EXPECT_EQ(answer.keyLine, c.keyLine);
    EXPECT_EQ(answer.value, c.value);
  }
}

// Random profile files built from the pieces the rules speak of: headers
// with and without "]", key lines, bare keys, comments, blanks of every
// kind, NULs and quotes in names and values, every kind of line end, names
// repeated in other spellings. Some also hold more section or key names than
// the reader's index keeps, so its scans past the index are checked too.
class RandomProfiles {
 public:
  explicit RandomProfiles(std::uint32_t seed) : random_(seed) {}

  // A section or key name from a small set, in any spelling.
  std::string name(bool section) {
    static const char* const kSections[] = {"Header", "bait", "Class", "a b", ""};
    static const char* const kKeys[] = {"Name", "Type", "k", "a b", ""};
    std::string text =
        section ? kSections[below(std::size(kSections))] : kKeys[below(std::size(kKeys))];
    for (char& c : text) {
      if (below(3) == 0) {
        c = static_cast<char>(c == static_cast<char>(foldToUpper(c)) ? foldToLower(c)
                                                                     : foldToUpper(c));
      }
    }
    return text;
  }

  std::string file() {
    std::string text;
    const std::size_t lineCount = below(40);
    const std::size_t crowdAt = below(8) == 0 ? below(lineCount + 1) : lineCount + 1;
    for (std::size_t i = 0; i <= lineCount; ++i) {
      if (i == crowdAt) {
        text += crowd();
      }
      if (i < lineCount) {
        text += line() + lineEnd();
      }
    }
    return text;
  }

  // A requested name: one of the file's names in any spelling, with blanks.
  std::string requested(bool section) {
    return pick({"", " ", "\t"}) + name(section) + pick({"", " ", "\x1A"});
  }

 private:
  std::size_t below(std::size_t bound) {
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
  }
  std::string pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + below(choices.size()));
  }
  std::string blanks() {
    std::string text;
    for (std::size_t n = below(3); n > 0; --n) {
      text += " \t\v\f\x1A"[below(5)];
    }
    return text;
  }
  std::string lineEnd() { return pick({"\n", "\r\n", "\r", "\r\r\n", "\n\n", "\n \n"}); }
  // A name or value, sometimes with a NUL, quotes or an "=" in it.
  std::string text(bool section) {
    std::string result = below(6) != 0 ? name(section) : pick({"v", "12", "x y", ""});
    switch (below(16)) {
      case 0:
        result.insert(below(result.size() + 1), 1, '\0');
        break;
      case 1:
        result = pick({"\"", "'"}) + result + pick({"\"", "'", ""});
        break;
      case 2:
        result += blanks() + '\0' + pick({"cd", "\""});
        break;
      case 3:
        result += "=" + pick({"b", ""});
        break;
      default:
        break;
    }
    return result;
  }
  std::string line() {
    switch (below(10)) {
      case 0:
      case 1:
      case 2:
        return blanks() + "[" + blanks() + text(true) + blanks() + pick({"]", "] junk", ""});
      case 3:
        return blanks() + pick({";", " ;"}) + text(false) + "=" + text(false);
      case 4:
        return blanks() + text(false) + blanks();
      case 5:
        return blanks();
      default:
        return blanks() + text(false) + blanks() + "=" + blanks() + text(false) + blanks();
    }
  }
  // More distinct names than the index keeps: sections, or keys in one
  // section.
  std::string crowd() {
    std::string text;
    if (below(2) == 0) {
      for (std::size_t i = 0; i < ProfileDocument::kIndexedSections + 2; ++i) {
        text += "[filler" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
      }
    } else {
      text += "[" + name(true) + "]\n";
      for (std::size_t i = 0; i < ProfileDocument::kIndexedKeys + 2; ++i) {
        text += "filler" + std::to_string(i) + "=" + std::to_string(i) + "\n";
      }
    }
    return text;
  }

  std::mt19937 random_;
};

void expectSameAnswer(const ProfileAnswer& actual, const ProfileAnswer& expected) {
  EXPECT_EQ(actual.source, expected.source);
  EXPECT_EQ(actual.sectionLine, expected.sectionLine);
  EXPECT_EQ(actual.keyLine, expected.keyLine);
  EXPECT_EQ(actual.value, expected.value);
}

// locateProfileValue and ProfileDocument::find answer from one lookup; this
// holds both against the plain walk of the trace's lines, over fresh
// documents and over one reused from file to file, as the tool reuses its
// own (with the names asked of earlier files remembered).
TEST(ProfileTrace, LocateAndFindAgreeWithTheLineWalkOnRandomFiles) {
  constexpr std::uint32_t kSeed = 20240611;
  RandomProfiles random(kSeed);
  ProfileDocument reused;
  for (int fileNumber = 0; fileNumber < 3000; ++fileNumber) {
    const std::string file = random.file();
    SCOPED_TRACE("file " + std::to_string(fileNumber) + ": " +
                 testing::PrintToString(file.substr(0, 300)));
    const ProfileDocument fresh = documentOf(file);
    std::string bytes = file;
    reused.parse(bytes);
    for (int request = 0; request < 12; ++request) {
      const std::string section = random.requested(true);
      const std::string key = random.requested(false);
      SCOPED_TRACE(testing::PrintToString(section) + " / " + testing::PrintToString(key));
      const ProfileAnswer expected = modelProfileAnswer(fresh, section, key);
      for (const ProfileDocument* document :
           {&fresh, static_cast<const ProfileDocument*>(&reused)}) {
        expectSameAnswer(locateProfileValue(*document, section, key), expected);
        std::string_view value;
        EXPECT_EQ(document->find(section, key, value), expected.source == ProfileSource::kValue);
        EXPECT_EQ(value, expected.value);
      }
    }
    if (HasFailure()) {
      return;
    }
  }
}

}  // namespace
