// The open calculation as one line of text, so that a restart goes on with the column
// where it stopped: the running total, the pending operator, the item count, the last
// result and the texts of the display and the status fields.
#pragma once

#include <string>

#include "engine/calculator.h"

std::string OpenCalculationText(const Calculator& calc);

// Puts back what OpenCalculationText wrote and shows its texts. A text it did not
// write (damaged, foreign, of another version) changes nothing and gives false. The
// display is put back only in the number system it was written in.
bool ResumeOpenCalculation(Calculator& calc, const std::string& text);
