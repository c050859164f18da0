#include "tests/conformance/random_profiles.h"

#include <iterator>
#include <string_view>

#include "platform/windows_1252.h"
#include "tests/conformance/random_numbers.h"

namespace conformance {

const std::vector<ProfileRequest>& toolRequests() {
  // As catalogue/bait_file.cc asks them, in its order.
  static const std::vector<ProfileRequest> requests = {
      {"Header", "Name", "Unknown bait"},
      {"Header", "Ref", "DEFBAIT"},
      {"bait", "bigGraphic", "graphics/bait.pcx"},
      {"bait", "Graphic", "graphics/bait.pcx"},
      {"Header", "Desc", "[None]"},
      {"bait", "Type", "1"},
      {"bait", "Hairrig", "0"},
      {"bait", "Hookbait", "1"},
      {"bait", "Multi", "1"},
      {"bait", "Feeder", "1"},
      {"bait", "Loosefeed", "1"},
      {"bait", "Addsize", "256"},
      {"bait", "Adjustsize", "1"},
      {"bait", "Minsize", "1"},
      {"bait", "Weight", "0"},
      {"bait", "AdjWeight", "1"},
      {"bait", "Disperhour", "100"},
      {"bait", "Smallfact", "5.0"},
      {"Class", "ClassType", "1"},
      {"Class", "Protein", "0"},
      {"Class", "Starch", "0"},
      {"Class", "Carbo", "0"},
      {"Class", "Sweet", "0"},
      {"Class", "Sour", "0"},
      {"Class", "Bitter", "0"},
      {"Class", "Spicey", "0"},
      {"Class", "Citrus", "0"},
      {"Class", "Blood", "0"},
      {"Class", "Fish", "0"},
      {"Class", "Fat", "0"},
      {"Class", "Hardness", "0"},
      {"Class", "Move", "0"},
      {"Class", "Smell", "0"},
      {"Class", "Seapop", "0"},
      {"Class", "Freshpop", "100"},
      {"Bait", "hooksize", "16"},
      {"Bait", "adjhooksize", "-1"},
      {"Class", "Livebait", "0"},
  };
  return requests;
}

namespace {

// A file is drawn as a list of units: a value below 0x100 is a byte of
// single-byte text (in a UTF-16 file, the character that byte stands for in
// Windows-1252), and kRawUnit + u is the UTF-16 unit u itself, which only a
// UTF-16 file holds.
constexpr std::uint32_t kRawUnit = 0x10000;
using Units = std::vector<std::uint32_t>;

constexpr std::string_view kBlanks = " \t\v\f\x1A";
constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kNamePunctuation = "_-.#!$%&()*+,/:<>?@^`{|}~'\"";
constexpr std::string_view kValuePunctuation = "_-.#!$%&()*+,/:<>?@^`{|}~=;[]\\";
const char* const kLineEnds[] = {"\n", "\r\n", "\r", "\r\r\n", "\n\n", "\r\n\r\n", "\n\r", "\r\r"};

// Characters outside Windows-1252 for values of UTF-16 files: look-alikes
// of letters, of blanks, quotes, "=" and brackets, and characters with none.
constexpr std::uint16_t kForeignCharacters[] = {
    0x0100, 0x0141, 0x015B, 0x0108, 0x01CD, 0x0394, 0x03A9, 0x03C0, 0x0410, 0x05D0,
    0x2002, 0x3000, 0x2007, 0x200B, 0x2028, 0xFEFF, 0xFF02, 0xFF07, 0xFF1D, 0xFF3B,
    0xFF3D, 0xFF1B, 0x2212, 0x221E, 0x2264, 0x2550, 0x4E2D, 0x9BC9, 0xAC00, 0xFFFD,
    0x0080, 0x0085, 0x009F, 0x00AD, 0x1E00, 0x20A4, 0x2122, 0x301A, 0xE000, 0xFFFF};

std::string blanks(RandomSource& random, unsigned percent) {
  std::string out;
  if (random.chance(percent)) {
    const auto count = 1 + random.below(3);
    for (std::uint64_t i = 0; i < count; ++i) {
      out.push_back(pick(random, kBlanks));
    }
  }
  return out;
}

bool isBlank(std::uint32_t unit) {
  return unit < 0x100 && kBlanks.find(static_cast<char>(unit)) != std::string_view::npos;
}

// Other spellings of `name`: ASCII letters in random case, most of the time.
std::string respelled(RandomSource& random, std::string name) {
  if (random.chance(40)) {
    return name;
  }
  for (char& c : name) {
    if (kLetters.find(c) != std::string_view::npos && random.chance(50)) {
      c = static_cast<char>(c ^ 0x20);
    }
  }
  return name;
}

// A name as a player might type one: mostly letters, sometimes digits,
// punctuation, high bytes, control bytes and inner blanks. Never empty, never
// starting with "[" or ";", never holding "=", "]", CR, LF or NUL.
std::string randomName(RandomSource& random) {
  std::string name;
  const auto length = 1 + random.below(10);
  for (std::uint64_t i = 0; i < length; ++i) {
    const auto kind = random.below(100);
    if (kind < 72) {
      name.push_back(pick(random, kLetters));
    } else if (kind < 86) {
      name.push_back(static_cast<char>('0' + random.below(10)));
    } else if (kind < 93) {
      name.push_back(pick(random, kNamePunctuation));
    } else if (kind < 98) {
      name.push_back(static_cast<char>(0x80 + random.below(0x80)));
    } else {
      const char controls[] = "\x01\x02\x07\x08\x0E\x1B\x1C\x1F\x7F";
      name.push_back(controls[random.below(sizeof controls - 1)]);
    }
  }
  if (name.size() > 2 && random.chance(10)) {
    name.insert(1 + random.below(name.size() - 1), 1, pick(random, kBlanks));
  }
  return name;
}

std::string randomWords(RandomSource& random, std::size_t length, unsigned highBytePercent) {
  std::string text;
  while (text.size() < length) {
    const auto kind = random.below(100);
    if (kind < highBytePercent) {
      text.push_back(static_cast<char>(0x80 + random.below(0x80)));
    } else if (kind < 70) {
      text.push_back(pick(random, kLetters));
    } else if (kind < 82) {
      text.push_back(static_cast<char>('0' + random.below(10)));
    } else if (kind < 92) {
      text.push_back(pick(random, kValuePunctuation));
    } else if (!text.empty() && !isBlank(static_cast<unsigned char>(text.back()))) {
      text.push_back(random.chance(70) ? ' ' : pick(random, kBlanks));
    }
  }
  return text;
}

// The platform reads a quoted text of exactly 255 bytes between its quotes
// one byte short (a fault of Wine's); such texts get one byte more.
void avoidQuotedLength255(Units& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && isBlank(text[end - 1])) {
    --end;
  }
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] == 0) {
      end = i;
      break;
    }
  }
  if (end - begin == 257 && (text[begin] == '"' || text[begin] == '\'') &&
      text[end - 1] == text[begin]) {
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(begin) + 1, 'x');
  }
}

void avoidQuotedLength255(std::string& text) {
  Units units(text.begin(), text.end());
  for (auto& unit : units) {
    unit &= 0xFF;
  }
  avoidQuotedLength255(units);
  text.assign(units.begin(), units.end());
}

void append(Units& out, std::string_view bytes) {
  for (const char c : bytes) {
    out.push_back(static_cast<unsigned char>(c));
  }
}

bool isOrdinary(std::uint32_t unit) {
  return (unit >= '0' && unit <= '9') ||
         (unit < 0x80 && kLetters.find(static_cast<char>(unit)) != std::string_view::npos);
}

class FileDrawer {
 public:
  FileDrawer(RandomSource& random, bool utf16, bool quotedDefaults)
      : random_(random), utf16_(utf16), quotedDefaults_(quotedDefaults) {}

  Units draw() {
    Units text;
    if (random_.chance(3)) {
      append(text, blanks(random_, 100));
      lineEnd(text);
      return text;
    }
    if (random_.chance(10)) {
      lineEnd(text);
    }
    if (random_.chance(25)) {
      const auto lines = 1 + random_.below(4);
      for (std::uint64_t i = 0; i < lines; ++i) {
        bodyLine(text, nullptr);
        lineEnd(text);
      }
    }
    const auto sectionCount = 1 + random_.below(6);
    for (std::uint64_t s = 0; s < sectionCount; ++s) {
      Section& section = sections_.emplace_back();
      header(text, section);
      lineEnd(text);
      const auto lines = random_.below(11);
      for (std::uint64_t i = 0; i < lines; ++i) {
        bodyLine(text, &section);
        lineEnd(text);
      }
    }
    if (random_.chance(30) && !text.empty()) {
      // The last line needs no line end.
      while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
      }
    }
    return text;
  }

  ProfileRequest randomRequest() {
    ProfileRequest request;
    const Section* section = nullptr;
    const auto sectionKind = random_.below(100);
    if (sectionKind < 60 && !sections_.empty()) {
      section = &sections_[random_.below(sections_.size())];
      request.section = respelled(random_, section->name);
    } else if (sectionKind < 85) {
      request.section = respelled(random_, anyToolRequest().section);
    } else {
      request.section = randomName(random_);
    }
    request.section = blanks(random_, 15) + request.section + blanks(random_, 15);
    if (request.section.find_first_not_of(kBlanks) == std::string::npos) {
      request.section = "bait";  // the platform under Wine reads "" as the part above any header
    }
    const auto keyKind = random_.below(100);
    if (keyKind < 60 && section != nullptr && !section->keys.empty()) {
      request.key = respelled(random_, section->keys[random_.below(section->keys.size())]);
    } else if (keyKind < 85) {
      request.key = respelled(random_, anyToolRequest().key);
    } else if (keyKind < 95) {
      request.key = randomName(random_);
    }
    request.key = blanks(random_, 10) + request.key + blanks(random_, 10);
    request.defaultText = randomDefault();
    return request;
  }

 private:
  struct Section {
    std::string name;  // as a request can name it: the part before any NUL
    std::vector<std::string> keys;
  };

  const ProfileRequest& anyToolRequest() {
    const auto& requests = toolRequests();
    return requests[random_.below(requests.size())];
  }

  void lineEnd(Units& text) { append(text, kLineEnds[random_.below(std::size(kLineEnds))]); }

  // A name as written in the file: `name`, at times followed by a NUL and
  // more text, before or after blanks.
  void nameWithNul(Units& text, const std::string& name, std::string_view forbidden) {
    append(text, name);
    if (random_.chance(7)) {
      append(text, blanks(random_, 50));
      text.push_back(0);
      std::string tail = randomWords(random_, random_.below(6), 10);
      for (char& c : tail) {
        if (forbidden.find(c) != std::string_view::npos) {
          c = '_';
        }
      }
      append(text, tail);
    }
  }

  void header(Units& text, Section& section) {
    const auto kind = random_.below(100);
    if (kind < 25 && !sections_.empty() && sections_.size() > 1) {
      section.name = respelled(random_, sections_[random_.below(sections_.size() - 1)].name);
    } else if (kind < 75) {
      section.name = respelled(random_, anyToolRequest().section);
    } else {
      section.name = randomName(random_);
      for (char& c : section.name) {
        c = c == '"' ? '[' : c;  // an inner "[" now and then
      }
    }
    append(text, blanks(random_, 20));
    text.push_back('[');
    append(text, blanks(random_, 15));
    nameWithNul(text, section.name, "]");
    append(text, blanks(random_, 15));
    text.push_back(']');
    if (random_.chance(20)) {
      std::string junk = blanks(random_, 50) + randomWords(random_, random_.below(12), 10);
      for (char& c : junk) {
        c = c == ']' ? ')' : c;
      }
      append(text, junk);
    }
    append(text, blanks(random_, 15));
  }

  std::string keyName(const Section* section) {
    const auto kind = random_.below(100);
    if (kind < 15 && section != nullptr && !section->keys.empty()) {
      return respelled(random_, section->keys[random_.below(section->keys.size())]);
    }
    if (kind < 65) {
      return respelled(random_, anyToolRequest().key);
    }
    return randomName(random_);
  }

  void bodyLine(Units& text, Section* section) {
    const auto kind = random_.below(100);
    append(text, blanks(random_, 20));
    if (kind < 74) {
      const std::string key = keyName(section);
      if (section != nullptr) {
        section->keys.push_back(key);
      }
      nameWithNul(text, key, "=");
      append(text, blanks(random_, 20));
      text.push_back('=');
      Units valuePart;
      append(valuePart, blanks(random_, 20));
      value(valuePart);
      append(valuePart, blanks(random_, 15));
      avoidQuotedLength255(valuePart);
      text.insert(text.end(), valuePart.begin(), valuePart.end());
    } else if (kind < 82) {
      text.push_back(';');
      append(text, randomWords(random_, random_.below(20), 10));
    } else if (kind < 90) {
      const std::string key = keyName(section);
      if (section != nullptr) {
        section->keys.push_back(key);
      }
      nameWithNul(text, key, "=");
      append(text, blanks(random_, 20));
    } else if (kind < 95) {
      append(text, blanks(random_, 50));
    } else {
      text.push_back('=');
      append(text, randomWords(random_, random_.below(8), 10));
      if (section != nullptr) {
        section->keys.emplace_back();
      }
    }
  }

  std::string valueText() {
    switch (random_.below(10)) {
      case 0:
      case 1:
      case 2: {
        std::string number = randomNumberText(random_);
        for (char& c : number) {
          c = (c == '\r' || c == '\n') ? ' ' : c;
        }
        return number;
      }
      case 3:
      case 4:
      case 5:
        return randomWords(random_, 1 + random_.below(24), 5);
      case 6:
        return randomWords(random_, 200 + random_.below(201), 5);
      case 7:
        return "";
      case 8:
        return randomWords(random_, 1 + random_.below(16), 35);
      default: {
        const char* const kToolLike[] = {
            "graphics/bait.pcx", "gfx\\worm.pcx", "Red Worm", "1", "0", "01", "yes",
            "3 ; old",           "Red #2",        "7.5 ; max"};
        return kToolLike[random_.below(std::size(kToolLike))];
      }
    }
  }

  void value(Units& out) {
    std::string text = valueText();
    const auto quoting = random_.below(100);
    if (quoting < 15) {
      text = '"' + text + '"';
    } else if (quoting < 25) {
      text = '\'' + text + '\'';
    } else if (quoting < 28) {
      text = '"' + text + '\'';
    } else if (quoting < 30) {
      text = pick(random_, "\"'") + text;
    } else if (quoting < 32) {
      text += pick(random_, "\"'");
    } else if (quoting < 34) {
      text = random_.chance(50) ? "\"\"" : "''";
    }
    Units units;
    append(units, text);
    if (random_.chance(9)) {
      Units cut;
      append(cut, blanks(random_, 50));
      cut.push_back(0);
      append(cut, randomWords(random_, random_.below(8), 10));
      units.insert(units.begin() + static_cast<std::ptrdiff_t>(random_.below(units.size() + 1)),
                   cut.begin(), cut.end());
    }
    if (utf16_ && random_.chance(50)) {
      insertForeignCharacters(units);
    }
    out.insert(out.end(), units.begin(), units.end());
  }

  // Characters the code page lacks go only between two letters or digits of
  // a value: there decoding the file first or converting each value last
  // gives the same bytes, whereas a look-alike of a blank or a quote at a
  // value's edge, or of "=" or "[" in a name, would read differently.
  void insertForeignCharacters(Units& units) {
    const auto count = 1 + random_.below(3);
    for (std::uint64_t n = 0; n < count; ++n) {
      std::vector<std::size_t> places;
      for (std::size_t i = 1; i < units.size(); ++i) {
        if (isOrdinary(units[i - 1]) && isOrdinary(units[i])) {
          places.push_back(i);
        }
      }
      if (places.empty()) {
        return;
      }
      Units foreign;
      const auto kind = random_.below(100);
      if (kind < 50) {
        foreign.push_back(kRawUnit +
                          kForeignCharacters[random_.below(std::size(kForeignCharacters))]);
      } else if (kind < 75) {
        // Any character of the basic plane outside the surrogates.
        auto unit = static_cast<std::uint32_t>(0x100 + random_.below(0xFF00));
        if (unit >= 0xD800 && unit <= 0xDFFF) {
          unit -= 0x800;
        }
        foreign.push_back(kRawUnit + unit);
      } else if (kind < 90) {
        // A surrogate pair: a character beyond the basic plane.
        foreign.push_back(kRawUnit + 0xD800 + static_cast<std::uint32_t>(random_.below(0x400)));
        foreign.push_back(kRawUnit + 0xDC00 + static_cast<std::uint32_t>(random_.below(0x400)));
      } else {
        // A lone surrogate, high or low.
        foreign.push_back(kRawUnit + (random_.chance(50) ? 0xD800U : 0xDC00U) +
                          static_cast<std::uint32_t>(random_.below(0x400)));
      }
      const std::size_t at = places[random_.below(places.size())];
      units.insert(units.begin() + static_cast<std::ptrdiff_t>(at), foreign.begin(), foreign.end());
    }
  }

  std::string randomDefault() {
    std::string text;
    const auto kind = random_.below(100);
    if (kind < 40) {
      text = anyToolRequest().defaultText;
    } else if (kind < 60) {
      text = randomWords(random_, 1 + random_.below(12), 10);
    } else if (kind < 70) {
      const char quote = quotedDefaults_ ? pick(random_, "\"'") : '_';
      text = quote + randomWords(random_, random_.below(12), 10) + quote;
    } else if (kind < 75) {
      text = "";
    } else if (kind < 80) {
      text = randomWords(random_, 200 + random_.below(201), 5);
    } else if (kind < 90) {
      text = blanks(random_, 100) + randomWords(random_, 1 + random_.below(8), 10);
    } else {
      text = randomNumberText(random_);
    }
    // The platform strips spaces at a default's end; the tool's defaults
    // have none.
    while (!text.empty() && text.back() == ' ') {
      text.pop_back();
    }
    avoidQuotedLength255(text);
    return text;
  }

  RandomSource& random_;
  bool utf16_;
  bool quotedDefaults_;
  std::vector<Section> sections_;
};

std::string encode(const Units& text, bool utf16) {
  std::string bytes;
  if (!utf16) {
    for (const std::uint32_t unit : text) {
      bytes.push_back(static_cast<char>(unit));
    }
    // A file starting with a mark would be read as another encoding.
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0 || bytes.rfind("\xFF\xFE", 0) == 0) {
      bytes.insert(0, "\n");
    }
    return bytes;
  }
  bytes = "\xFF\xFE";
  for (const std::uint32_t unit : text) {
    std::uint32_t character = unit;
    if (unit >= kRawUnit) {
      character = unit - kRawUnit;
    } else if (unit < 0x100) {
      character = windows1252Character(static_cast<unsigned char>(unit));
    }
    bytes.push_back(static_cast<char>(character & 0xFF));
    bytes.push_back(static_cast<char>(character >> 8));
  }
  return bytes;
}

}  // namespace

RandomProfile randomProfile(RandomSource& random, unsigned extraRequests) {
  RandomProfile profile;
  const auto kind = random.below(100);
  if (kind < 2) {
    profile.kind = FileKind::kEmpty;
  } else if (kind < 3) {
    profile.kind = FileKind::kMissing;
  } else if (kind < 4) {
    profile.kind = FileKind::kFolder;
  } else if (kind < 16) {
    profile.kind = FileKind::kUtf16;
  }
  const bool utf16 = profile.kind == FileKind::kUtf16;
  // The platform under Wine hands back a quoted default with its quotes when
  // the path is a folder; the tool's defaults hold no quotes.
  FileDrawer drawer(random, utf16, profile.kind != FileKind::kFolder);
  if (profile.kind == FileKind::kText || utf16) {
    profile.bytes = encode(drawer.draw(), utf16);
  }
  profile.requests = toolRequests();
  for (unsigned i = 0; i < extraRequests; ++i) {
    profile.requests.push_back(drawer.randomRequest());
  }
  return profile;
}

}  // namespace conformance
