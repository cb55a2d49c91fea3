// Reading and writing the display's number in the active number system, shared by
// the engine keys: Dec reads the grouped decimal text, Hex, Bin and Oct read and
// write whole numbers of 32 bits.
#pragma once

#include <string>

#include "engine/calculator.h"

// The only error text of the engine, shown instead of a number.
inline constexpr const char* kDiv0Error = "Div0 Error";

// The display read as a number: DisplayValue in Dec, an unsigned integer in the
// base of Hex, Bin or Oct. "Div0 Error" reads as 0 in every system (read in base 16
// its leading "D" would otherwise count as 13).
long double ReadShownNumber(const Calculator& calc);

// HexText, BinText or OctText by numberMode (11, 12, 13); ValueText with 18 digits
// for a decimal numberMode.
std::string SystemValueText(unsigned char numberMode, long double x);

// "(Hex)", "(Bin)" or "(Oct)" as the tape names the system; "(Dec)" for a decimal
// numberMode.
std::string SystemTag(unsigned char numberMode);
// " (Hex)", " (Bin)" or " (Oct)" after an average; "" in Dec.
std::string SystemSuffix(unsigned char numberMode);

// `text` without the blanks, tabs and line feeds that ParseNumber skips in front of a
// number. A pasted number keeps a blank where its sign would stand; a sign put in
// front of the blank ("- 1234") would read as no number at all.
std::string WithoutLeadingBlanks(const std::string& text);

// FormatDisplay, then the grouping when it is on.
void RenderDecimalDisplay(Calculator& calc);

// Shows ValueText(x, 18) re-rendered as the decimal display shows numbers.
void ShowDecimalValue(Calculator& calc, long double x);

// Shows a figure the calculator computed, rounded once to the decimal choice, and
// returns it as shown: the figure that goes on, also where the choice 0 shows more
// digits than are printed.
long double ShowComputed(Calculator& calc, long double x);

// Shows a figure the user keyed in (typed, pasted or recalled from memory) exactly:
// every digit it has, padded with zeros to the fixed decimal choice, grouped when
// grouping is on. With 2 decimals 0.125 shows "0.125", 3 shows "3.00".
void ShowKeyedValue(Calculator& calc, long double x);

// ValueText with 18 digits, but a figure below 1E-10 written out in full ("0.000000000001").
std::string PlainValueText(long double x);

// The decimal display re-rendered for use: a keyed figure (an entry is active) keeps
// all its digits, a computed one is rounded to the decimal choice. Returns the text.
std::string RenderShownDecimal(Calculator& calc);

// The number the current entry stands for in Dec. `asTyped` takes digits that the
// automatic point shifted on the display as they were typed: the automatic point is
// for amounts that are added or subtracted, not quantities, divisors or percentages.
long double EntryValue(const Calculator& calc, bool asTyped);
