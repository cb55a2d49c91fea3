// Number texts shared by every subsystem: reading numbers out of text and writing
// values as the display, the tape, the status bar and the reports show them.
#pragma once

#include <cstdint>
#include <string>

// Reads the leading number of `text`: blanks, tabs and line feeds are skipped, then
// the longest prefix that forms a decimal number ("-"/"+", digits, one ".", an
// optional exponent "E"/"e" with sign and digits), rounded to the nearest value.
// "&H0...", "&B0...", "&Q0..." read unsigned hex, binary and octal integers. A text
// without a leading number gives 0 ("Div0 Error", "", "-", "."); "1..5" gives 1.
// Reads back everything ValueText writes: "Infinity" and "-Infinity" give the
// infinities, a value beyond the largest gives infinity except the largest value's
// own 18-digit text, and "NaN" gives 0 like any other word. Zero is never negative.
long double ParseNumber(const std::string& text);

// Shortest plain decimal text of `x` rounded to at most `digits` significant digits
// (1..18; the engine uses 18 or 15), exact halves to even, no trailing zeros or
// point, "0." before a fraction below 1 ("0.25", "-1234.5"). Values that round to
// at least 1E+18 or below 1E-10 use an exponent form with at least two exponent
// digits ("1.5E+25", "-2E-30", "1E-11"). NaN gives "NaN", the infinities
// "Infinity" and "-Infinity".
std::string ValueText(long double x, int digits);

// `x` rounded to `decimals` places, an exact half away from zero (so that -2.345 and
// 2.345 mirror each other), judged like FormatNumber on the 18-digit decimal
// expansion: a figure that prints as a half is treated as one, whatever binary
// neighbour holds it. NaN and the infinities come back as they are.
long double RoundedHalfAway(long double x, int decimals);

// `x` rounded to the nearest integer (halves to even); false when it is not finite
// or falls outside the signed 64-bit range.
bool RoundToInt64(long double x, int64_t& out);

// Low 32 bits of `x` rounded to an integer, unsigned, upper-case, no leading zeros.
// A value outside the signed 64-bit range (or not a number) gives "0".
std::string HexText(long double x);
std::string BinText(long double x);
std::string OctText(long double x);

// Renders `x` through a picture mask such as "#,.00", "$#,###,###.00", "0.00%" or
// "###########0.##########". "0" positions always show a digit, "#" positions only
// a digit the number has, but a value below 1 keeps a "0" before the point; "."
// places the point, written only before fraction digits, so that no number ends in a
// bare point; a "," before the point groups the integer digits by three; "%" multiplies
// by 100; other characters are copied, those before the first digit position in
// front of the number, the rest after it. The integer part is never cut. Halves go
// to the even digit, judged on the value's 18-significant-digit decimal expansion.
// A negative value gets "-" in front of everything ("-$5.00") unless it rounds to
// zero. NaN and the infinities give ValueText's words.
std::string FormatNumber(long double x, const std::string& mask);

// `text` with a "0" before a point that has no digit in front of it (".4" gives
// "0.4", "-.4" gives "-0.4"): on paper a bare ".4" reads as 4.
std::string WithZeroBeforePoint(const std::string& text);

// Text with every "," removed.
std::string WithoutCommas(const std::string& text);
