// The records every calculator operation works on, passed as one parameter so that
// tests can run several independent calculators side by side.
#pragma once

#include <functional>
#include <string>

#include "engine/calc_state.h"
#include "engine/calc_view.h"

// Where the calculator keeps its settings. The caller provides the reading and the
// writing (the program: the settings file; tests: whatever they check); without them
// nothing is read or kept.
struct SettingsPort {
    std::function<std::string(const std::string& section, const std::string& key,
                              const std::string& fallback)>
        read;
    std::function<void(const std::string& section, const std::string& key,
                       const std::string& value)>
        write;
};

struct Calculator {
    CalculatorState state;
    CalcView* view = nullptr;
    SettingsPort settings;  // every change is written at once
};

inline void WriteCalcSetting(Calculator& calc, const std::string& section, const std::string& key,
                             const std::string& value) {
    if (calc.settings.write) calc.settings.write(section, key, value);
}

inline std::string ReadCalcSetting(const Calculator& calc, const std::string& section,
                                   const std::string& key, const std::string& fallback) {
    return calc.settings.read ? calc.settings.read(section, key, fallback) : fallback;
}
