// Number texts shared by every subsystem: reading numbers out of text and writing
// values as the display, the tape, the status bar and the reports show them.
#pragma once

#include <cstdint>
#include <string>

// Reads the leading number of `text`: blanks, tabs and line feeds are skipped, then
// the longest prefix that forms a decimal number ("-"/"+", digits, one ".", an
// optional exponent). "&H0...", "&B0...", "&Q0..." read unsigned hex, binary and octal
// integers. A text without a leading number gives 0.
long double ParseNumber(const std::string& text);

// Shortest plain decimal text of `x` rounded to at most `digits` significant digits
// (18 or 15), no trailing zeros or point. Very large and very small values use an
// exponent form ("1.5E+25", "-2E-30") that ParseNumber reads back.
std::string ValueText(long double x, int digits);

// `x` rounded to the nearest integer (halves to even); false when it is not finite
// or falls outside the signed 64-bit range.
bool RoundToInt64(long double x, int64_t& out);

// Low 32 bits of `x` rounded to an integer, unsigned, upper-case, no leading zeros.
// A value outside the signed 64-bit range gives "0".
std::string HexText(long double x);
std::string BinText(long double x);
std::string OctText(long double x);

// Renders `x` through a picture mask such as "#,.00", "$#,###,###.00", "0.00%" or
// "###########0.##########". Halves go to the even digit, judged on the value's
// 18-significant-digit decimal expansion.
std::string FormatNumber(long double x, const std::string& mask);

// Text with every "," removed.
std::string WithoutCommas(const std::string& text);
