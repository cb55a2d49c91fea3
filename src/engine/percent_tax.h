// Percent, reciprocal, tax and change keys.
#pragma once

#include "engine/calculator.h"

void ApplyPercent(Calculator& calc);
void ApplyReciprocal(Calculator& calc);
void AddTax(Calculator& calc);
void MakeChange(Calculator& calc);
