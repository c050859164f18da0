#include "tests/conformance/known_differences.h"

#include <limits>

namespace conformance {

namespace {

std::string utf16(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

}  // namespace

const std::vector<KnownProfileDifference>& knownProfileDifferences() {
  const std::string quoted255 = "\"" + std::string(255, 'q') + "\"";
  static const std::vector<KnownProfileDifference> cases = {
      {"a UTF-8 mark is skipped, the text kept as bytes (Wine decodes it)",
       "\xEF\xBB\xBF[Header]\r\nName=Caf\xC3\xA9\r\n",
       {"Header", "Name", "Unknown bait"},
       "Caf\xC3\xA9",
       "Caf\xE9"},
      {"a section name ends at the first \"]\" (Wine: at the last)",
       "[Class] old]\r\nFat=3\r\n",
       {"Class", "Fat", "0"},
       "3",
       "0"},
      {"a header without \"]\" runs to the line's end (Wine ignores it)",
       "[Class\r\nFat=3\r\n",
       {"Class", "Fat", "0"},
       "3",
       "0"},
      {"255 bytes between quotes are kept (Wine loses one more)",
       "[bait]\r\nGraphic=" + quoted255 + "\r\n",
       {"bait", "Graphic", "graphics/bait.pcx"},
       std::string(255, 'q'),
       std::string(254, 'q')},
      {"a default of 255 bytes between quotes is kept (Wine loses one more)",
       "",
       {"bait", "Graphic", quoted255},
       std::string(255, 'q'),
       std::string(254, 'q')},
      {"the odd last byte of a UTF-16 file is dropped (Wine reads past its buffer)",
       utf16(u"[bait]\r\nType=7") + "x",
       {"bait", "Type", "1"},
       "7",
       "7",
       true},
      {"the section \"\" is a \"[]\" header (Wine: the keys above any header)",
       "Type=above\r\n[]\r\nType=blank\r\n",
       {"", "Type", "1"},
       "blank",
       "above"},
  };
  return cases;
}

const std::vector<KnownNumberDifference>& knownNumberDifferences() {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  // The run-time keeps the low 32 bits; our integers saturate.
  static const std::vector<KnownNumberDifference> cases = {
      {"one past the largest", "2147483648", kMax, kMin},
      {"one below the smallest", "-2147483649", kMin, kMax},
      {"far beyond", "99999999999", kMax, 1215752191},
      {"far below", "-99999999999", kMin, -1215752191},
      {"2^32 + 1", "4294967297", kMax, 1},
  };
  return cases;
}

}  // namespace conformance
