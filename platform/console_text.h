// Text from bait folders on its way to a player's terminal.
#pragma once

#include <string>
#include <string_view>

// Appends `name` to `out` with every control byte (below 0x20, and 0x7F) shown
// as "?": names come from other players' bait packs, and a terminal would
// act on an escape sequence or a line break in one instead of showing it.
// Other bytes pass unchanged.
inline void appendShowable(std::string_view name, std::string& out) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    out.push_back(byte < 0x20 || byte == 0x7F ? '?' : c);
  }
}
