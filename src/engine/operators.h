// The four operators, equals, the item count and the running average.
#pragma once

#include "engine/calculator.h"

// op is one of '+', '-', '*', '/'.
void ApplyOperator(Calculator& calc, char op);
void ApplyEquals(Calculator& calc);
// Closes the open calculation once its result is on the tape: the total becomes the
// last result, the state waits for a new calculation, and a blank line follows it.
void CloseCalculation(Calculator& calc);
