// Random numeric texts for the conformance run, for the integer and the
// real rule: white space and signs, digits with points and exponents of every
// letter, texts close to the midpoint of two floats (where rounding twice
// differs from rounding once), the edges of the float range, and words that
// are not numbers. Never NUL, never an integer beyond the 32-bit range (the
// run-time wraps those, we saturate: fixed cases in known_differences.h).
#pragma once

#include <string>

#include "tests/conformance/random_source.h"

namespace conformance {

std::string randomNumberText(RandomSource& random);

}  // namespace conformance
