// How every part of the program writes to the paper tape.
#pragma once

#include <string>

#include "engine/calculator.h"

// The rule under the operands of a closed calculation (and of every tool's tape block).
inline const std::string kTapeRule(26, '-');

// The marks of +Tax: the amount before tax, and the taxed amount that became the total
// or the last result.
inline constexpr const char* kTaxMark = "Tx";
inline constexpr const char* kTaxedMark = "+Tx";

// Whether `line` is one that a calculation key writes (an item, a percent, a result,
// a tax or change line, "Clear"): such a line always changes or closes the open
// calculation. Tool blocks, memory, copy, lap, feed and number-system lines are not.
bool IsCalculationLine(const std::string& line);

// Appends body, or body + " " + marker, as the last tape line.
void AppendTapeLine(Calculator& calc, const std::string& body, const std::string& marker);
