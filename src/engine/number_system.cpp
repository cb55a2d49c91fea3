#include "engine/number_system.h"

#include <string>

#include "engine/average_text.h"
#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"
#include "engine/tape_lines.h"
#include "settings/setting_names.h"

namespace {

struct SystemInfo {
    unsigned char numberMode;  // the code stored for the system (Dec: the decimal choice)
    int maxEntryLength;
    const char* tapeLine;
};

const SystemInfo kSystems[] = {
    {kModeFloating, 18, "(Dec)"},
    {kModeHex, 8, "(Hex)"},
    {kModeBin, 32, "(Bin)"},
    {kModeOct, 11, "(Oct)"},
};

// The keys that only some systems have; every other key stays enabled in all four.
const CalcKey kSystemDependentKeys[] = {CalcKey::Sign,   CalcKey::Point,      CalcKey::Percent,
                                        CalcKey::Tax,    CalcKey::Reciprocal, CalcKey::Change,
                                        CalcKey::Convert};

int DigitCountOfSystem(int system) {
    switch (system) {
        case kSystemHex:
            return 16;
        case kSystemBin:
            return 2;
        case kSystemOct:
            return 8;
        default:
            return 10;
    }
}

// Each key is set once to its state in the new system; switching keys off and on
// again cost a noticeable part of start-up in the window.
void EnableKeysOf(Calculator& calc, int system) {
    int digits = DigitCountOfSystem(system);
    for (int d = 0; d < 16; ++d) calc.view->EnableDigitKey(d, d < digits);
    for (CalcKey key : kSystemDependentKeys) calc.view->EnableKey(key, system == kSystemDec);
}

}  // namespace

void SetNumberSystem(Calculator& calc, int system) {
    if (system < kSystemDec || system > kSystemOct) system = kSystemDec;
    CalculatorState& s = calc.state;
    CalcView& view = *calc.view;

    // Both numbers are read in the system being left, before anything changes.
    long double shown = ReadShownNumber(calc);
    // By pattern, not by character: stripping the letters of "AVG" and "(Hex)" one
    // by one would take the hex digits A, B, C, E with them.
    long double average = ReadAverageText(view.AverageText(), s.numberMode);

    s.entryText.clear();
    const SystemInfo& target = kSystems[system];
    s.maxEntryLength = target.maxEntryLength;
    EnableKeysOf(calc, system);
    view.CheckNumberSystem(system);

    if (system == kSystemDec) {
        if (s.numberMode != s.decimalSetting) {
            AppendTapeLine(calc, target.tapeLine, "");
            s.numberMode = s.decimalSetting;
        }
        if (s.entryActive == 1 && view.DisplayText() != kDiv0Error) {
            ShowKeyedValue(calc, shown);  // a keyed figure keeps every digit
        } else {
            view.SetDisplayText(ValueText(shown, 18));
            FormatDisplay(calc);
            if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
        }
        s.entryText.clear();
        if (s.averageShown == 1) view.SetAverageText(" AVG = " + FormatNumber(average, "#,.00"));
    } else {
        s.numberMode = target.numberMode;
        view.SetDisplayText(SystemValueText(s.numberMode, shown));
        // Written even when the system was already active, so a repeated press shows.
        AppendTapeLine(calc, target.tapeLine, "");
        if (s.averageShown == 1)
            view.SetAverageText(" AVG = " + SystemValueText(s.numberMode, average) + " " +
                                target.tapeLine);
    }

    WriteCalcSetting(calc, kMainSection, "Decimal Setting1",
                     std::to_string(static_cast<int>(s.numberMode)));
    view.ReturnFocus();
}
