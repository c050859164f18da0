// Decimal text to numbers, and number conversions that are defined for every
// input. Bait files hold whatever their authors typed, so nothing here may
// trap, wrap unpredictably or depend on the C library's locale.
#pragma once

#include <cstdint>
#include <string_view>

// The integer rule: skip leading white space (space, tab, LF, VT, FF, CR),
// take one optional sign, then decimal digits up to the first other byte.
// No digits give 0. A value outside the signed 32-bit range saturates to the
// nearest bound.
std::int32_t parseInteger(std::string_view text);

// The real rule: skip leading white space, one optional sign, digits with at
// most one decimal point (at least one digit in all), then an exponent ("e",
// "E", "d" or "D", optional sign, digits) only when at least one exponent
// digit follows: "1D2" reads as 100.
// Anything else ends the number; no mantissa digit gives 0. Hexadecimal,
// "inf", "nan" and decimal commas are not numbers. The matched text becomes
// the nearest double (infinite beyond its range), which is then rounded to
// the nearest 32-bit real, as a store into a float field does.
float parseReal(std::string_view text);

// The nearest 32-bit real to `value` (round to nearest, ties to even), with
// infinity beyond the float range, NaN kept. Defined for every double.
float roundToFloat(double value);

// `value` truncated toward zero; NaN gives 0, values beyond the range
// saturate to the nearest bound.
std::int32_t truncateToInt32(double value);
std::int64_t truncateToInt64(double value);
