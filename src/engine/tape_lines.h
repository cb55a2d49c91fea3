// How every part of the program writes to the paper tape.
#pragma once

#include <string>

#include "engine/calculator.h"

// The rule under the operands of a closed calculation (and of every tool's tape block).
inline const std::string kTapeRule(26, '-');

// Appends body, or body + " " + marker, as the last tape line.
void AppendTapeLine(Calculator& calc, const std::string& body, const std::string& marker);
