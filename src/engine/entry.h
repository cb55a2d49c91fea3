// Number entry keys.
#pragma once

#include "engine/calculator.h"

void EnterDigit(Calculator& calc, int digit);  // 0..15
void EnterDecimalPoint(Calculator& calc);
void ToggleSign(Calculator& calc);
void Backspace(Calculator& calc);
void ClearEntry(Calculator& calc);
void ClearAll(Calculator& calc);
