// The "did you mean" of the checker: how far a mistyped name lies from a
// name the game reads.
#pragma once

#include <cstddef>
#include <string_view>

// The number of single-byte insertions, deletions and substitutions that
// turn `a` into `b`, ASCII letters compared without regard to case; any
// number above `limit` is given as limit + 1, so long names cost little.
std::size_t editDistanceIgnoringCase(std::string_view a, std::string_view b, std::size_t limit);
