// Converting the displayed value into every other unit of one category: the captured
// input text, the tape block, and what a conversion leaves in the calculator.
#pragma once

#include <string>
#include <vector>

#include "engine/calculator.h"

// The display text as the conversion takes it: one trailing "." removed, grouping
// commas kept (the header shows them).
std::string ConversionInputText(const std::string& displayText);

// The value converted: the input text without commas, read as a decimal number (no
// number reads as 0), held as a double.
double ConversionInputValue(const std::string& inputText);

// The tape block for unit `unit` (1-based) of category `category` (1..7): the header
// "(Length) Feet: 12", a rule of 26 "-", a line per other unit, and an empty line. No
// lines for a category or unit outside the lists.
std::vector<std::string> ConvertToAllUnits(int category, int unit, const std::string& inputText);

// Writes the block to the tape and empties `entryText`, so that the next digit starts
// a new number while the display keeps the converted value. Returns the tape line to
// bring to the top of the view: the header of a Volume block (the longest, which would
// scroll its header away), or -1.
int WriteConversion(Calculator& calc, int category, int unit, const std::string& inputText);
