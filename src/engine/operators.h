// The four operators, equals, the item count and the running average.
#pragma once

#include "engine/calculator.h"

// op is one of '+', '-', '*', '/'.
void ApplyOperator(Calculator& calc, char op);
void ApplyEquals(Calculator& calc);
