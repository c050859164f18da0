#include "tests/conformance/random_profiles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

namespace conformance {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\x1A";

std::vector<RandomProfile> draw(std::uint64_t seed, unsigned count) {
  RandomSource random(seed);
  std::vector<RandomProfile> profiles;
  for (unsigned i = 0; i < count; ++i) {
    profiles.push_back(randomProfile(random, 12));
  }
  return profiles;
}

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(begin, i - begin));
      begin = i + 1;
    }
  }
  return lines;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

TEST(RandomProfiles, TheSameSeedDrawsTheSameFiles) {
  const auto first = draw(7, 20);
  const auto again = draw(7, 20);
  const auto other = draw(8, 20);
  bool allSame = true;
  bool otherSame = true;
  for (std::size_t i = 0; i < first.size(); ++i) {
    allSame = allSame && first[i].bytes == again[i].bytes &&
              first[i].requests.back().key == again[i].requests.back().key;
    otherSame = otherSame && first[i].bytes == other[i].bytes;
  }
  EXPECT_TRUE(allSame);
  EXPECT_FALSE(otherSame);
}

// Over a few hundred files every feature of the dialect turns up.
TEST(RandomProfiles, ReachEveryRule) {
  std::map<std::string, int> seen;
  for (const RandomProfile& profile : draw(1, 400)) {
    seen["empty file"] += profile.kind == FileKind::kEmpty;
    seen["missing file"] += profile.kind == FileKind::kMissing;
    seen["folder"] += profile.kind == FileKind::kFolder;
    EXPECT_EQ(profile.requests.size(), toolRequests().size() + 12);
    if (profile.kind == FileKind::kUtf16) {
      seen["utf-16 file"]++;
      for (std::size_t i = 3; i < profile.bytes.size(); i += 2) {
        const auto high = static_cast<unsigned char>(profile.bytes[i]);
        seen["utf-16 surrogate"] += high >= 0xD8 && high <= 0xDF;
        seen["utf-16 beyond latin-1"] += high != 0 && (high < 0xD8 || high > 0xDF);
      }
      continue;
    }
    if (profile.kind != FileKind::kText) {
      continue;
    }
    const std::string& bytes = profile.bytes;
    seen["lone cr"] += bytes.find("\r[") != std::string::npos;
    seen["cr lf"] += bytes.find("\r\n") != std::string::npos;
    for (const char blank : kBlanks) {
      seen[std::string("blank ") + std::to_string(blank)] += bytes.find(blank) != std::string::npos;
    }
    seen["nul"] += bytes.find('\0') != std::string::npos;
    seen["high byte"] += bytes.find_first_of("\x80\xA0\xE9\xFF") != std::string::npos;
    bool inSection = false;
    std::map<std::string, int> sectionSpellings;
    for (const std::string_view line : linesOf(bytes)) {
      const std::string_view text = trimmed(line);
      if (text.empty()) {
        continue;
      }
      if (text[0] == '[') {
        inSection = true;
        std::string folded(text.substr(1, text.find(']') - 1));
        for (char& c : folded) {
          c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        seen["section repeated"] += sectionSpellings[folded]++ > 0;
      } else if (text[0] == ';') {
        seen["comment"]++;
      } else if (text.find('=') == std::string_view::npos) {
        seen["key without value"]++;
      } else {
        seen["key above any section"] += !inSection;
        const std::string_view value = trimmed(text.substr(text.find('=') + 1));
        seen["double quotes"] += value.size() > 1 && value.front() == '"' && value.back() == '"';
        seen["single quotes"] += value.size() > 1 && value.front() == '\'' && value.back() == '\'';
        seen["value of 200 to 400 bytes"] += value.size() >= 200 && value.size() <= 400;
      }
    }
  }
  for (const char* feature :
       {"empty file", "missing file", "folder", "utf-16 file", "utf-16 surrogate",
        "utf-16 beyond latin-1", "lone cr", "cr lf", "nul", "high byte", "section repeated",
        "comment", "key without value", "key above any section", "double quotes", "single quotes",
        "value of 200 to 400 bytes"}) {
    EXPECT_GT(seen[feature], 0) << feature;
  }
  for (const char blank : kBlanks) {
    EXPECT_GT(seen[std::string("blank ") + std::to_string(blank)], 0) << int{blank};
  }
}

// The listed differences from the platform under Wine have fixed cases of
// their own; the random files stay clear of them.
TEST(RandomProfiles, StayClearOfTheKnownDifferences) {
  for (const RandomProfile& profile : draw(2, 400)) {
    const std::string& bytes = profile.bytes;
    if (profile.kind == FileKind::kUtf16) {
      EXPECT_EQ(bytes.size() % 2, 0U) << "an odd UTF-16 file";
    } else {
      EXPECT_NE(bytes.rfind("\xEF\xBB\xBF", 0), 0U) << "a UTF-8 mark";
      EXPECT_NE(bytes.rfind("\xFF\xFE", 0), 0U) << "a UTF-16 mark in a single-byte file";
      for (const std::string_view line : linesOf(bytes)) {
        const std::string_view text = trimmed(line);
        if (!text.empty() && text[0] == '[') {
          EXPECT_EQ(std::count(text.begin(), text.end(), ']'), 1) << text;
        } else if (!text.empty() && text[0] != ';' && text.find('=') != std::string_view::npos) {
          std::string_view value = trimmed(text.substr(text.find('=') + 1));
          value = value.substr(0, value.find('\0'));
          EXPECT_FALSE(value.size() == 257 && (value[0] == '"' || value[0] == '\'') &&
                       value.back() == value[0])
              << "255 bytes between quotes";
        }
      }
    }
    for (const ProfileRequest& request : profile.requests) {
      EXPECT_FALSE(trimmed(request.section).empty()) << "the section \"\"";
      const std::string_view text = request.defaultText;
      EXPECT_TRUE(text.empty() || text.back() != ' ') << "a default ending in a space";
      const bool quoted =
          text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0];
      EXPECT_FALSE(quoted && text.size() == 257) << "255 bytes between quotes";
      EXPECT_FALSE(quoted && profile.kind == FileKind::kFolder) << "a quoted default, a folder";
    }
  }
}

}  // namespace
}  // namespace conformance
