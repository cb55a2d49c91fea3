// Dec, Hex, Bin and Oct.
#pragma once

#include <string>

#include "engine/calculator.h"

enum NumberSystem : int { kSystemDec = 0, kSystemHex = 1, kSystemBin = 2, kSystemOct = 3 };

void SetNumberSystem(Calculator& calc, int system);

// The number a display text shows in the system of `numberMode`: decimal texts
// without their "," separators, Hex, Bin and Oct texts as unsigned integers
// ("FFFFFFFF" is 4294967295). The error text "Div0 Error" reads as 0 in every system.
long double SystemTextValue(const std::string& text, unsigned char numberMode);

// `x` as Hex, Bin or Oct writes it (numberMode 11, 12, 13): the low 32 bits of the
// value rounded to an integer. Decimal modes give ValueText(x, 18).
std::string SystemValueText(long double x, unsigned char numberMode);
