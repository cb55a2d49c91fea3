// The records every calculator operation works on, passed as one parameter so that
// tests can run several independent calculators side by side.
#pragma once

#include <string>

#include "engine/calc_state.h"
#include "engine/calc_view.h"

struct MemoryBank {
    long double value = 0;
    std::string text;  // the value as last shown
};

struct Calculator {
    CalculatorState state;
    CalcView* view = nullptr;
    std::string settingsPath;  // the settings file; every change is written at once
    MemoryBank banks[2];       // bank 1 and bank 2
    int activeBank = 1;        // 1 or 2; not saved
};
