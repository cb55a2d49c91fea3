// Dec, Hex, Bin and Oct.
#pragma once

#include "engine/calculator.h"

enum NumberSystem : int { kSystemDec = 0, kSystemHex = 1, kSystemBin = 2, kSystemOct = 3 };

void SetNumberSystem(Calculator& calc, int system);
