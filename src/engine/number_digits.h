// The decimal digits of a value, shared by the plain texts and the picture masks so
// that both round from the same expansion and never in binary floating point.
#pragma once

#include <string>

// |x| = 0.d1 d2 d3 ... x 10^pointPlace, read as the digits "d1d2d3...". An empty
// digit string is zero; otherwise the first digit is not 0 and there are no
// trailing zeros.
struct DecimalDigits {
    std::string digits;
    int pointPlace = 0;
};

// |x| rounded to `significant` digits (1..18), exact halves to the even digit.
// `x` must be finite.
DecimalDigits DecimalExpansion(long double x, int significant);

enum class Halves { ToEven, AwayFromZero };

// Rounds `d` so that no digit below 10^-decimals remains (decimals may be
// negative), halves to the even digit or away from zero; judged on the digits alone.
DecimalDigits RoundToDecimals(DecimalDigits d, int decimals, Halves halves = Halves::ToEven);
