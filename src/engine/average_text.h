// Reading the status bar's average back as a number.
#pragma once

#include <string>

// The value of an average field text in the number system `numberMode`: the
// " AVG = " in front (any letter case), the system's " (Hex)", " (Bin)" or " (Oct)"
// behind and the grouping commas are removed as such, and the rest is read in the
// system's base. " AVG = 5A (Hex)" gives 90; " AVG = 1,234.50" gives 1234.5; a text
// without a number (" AVG = n/a") gives 0.
long double ReadAverageText(const std::string& text, unsigned char numberMode);
