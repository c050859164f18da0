// UTF-16 to Windows-1252 for systems without an ANSI code page, by the table
// of Windows' own answers.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/ansi_text.h"

namespace {

struct BestFit {
  std::uint16_t character;
  std::uint8_t byte;
};

// Every character of the basic plane that Windows does not turn into "?".
constexpr BestFit kCp1252BestFit[] = {
#include "platform/cp1252_best_fit.inc"
};

static_assert(std::is_sorted(std::begin(kCp1252BestFit), std::end(kCp1252BestFit),
                             [](const BestFit& a, const BestFit& b) {
                               return a.character < b.character;
                             }),
              "the best-fit table is searched by halves");

char toCp1252(std::uint16_t character) {
  const auto* found = std::lower_bound(
      std::begin(kCp1252BestFit), std::end(kCp1252BestFit), character,
      [](const BestFit& entry, std::uint16_t wanted) { return entry.character < wanted; });
  if (found != std::end(kCp1252BestFit) && found->character == character) {
    return static_cast<char>(found->byte);
  }
  return '?';
}

}  // namespace

void utf16ToAnsi(std::string_view utf16le, std::string& out) {
  out.clear();
  out.reserve(utf16le.size() / 2);
  for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
    const auto unit = static_cast<std::uint16_t>(static_cast<unsigned char>(utf16le[i]) |
                                                 static_cast<unsigned char>(utf16le[i + 1]) << 8);
    // A surrogate, alone or in a pair, is not in the table: each unit of it
    // gives "?", as Windows gives for a character beyond the basic plane.
    out.push_back(toCp1252(unit));
  }
}
