#include "engine/number_system.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"
#include "engine/tape_lines.h"
#include "settings/setting_names.h"

namespace {

struct SystemInfo {
    unsigned char numberMode;  // the code stored for the system (Dec: the decimal choice)
    int maxEntryLength;
    const char* readPrefix;  // "" for Dec, which reads through DisplayValue
    const char* tapeLine;
    const char* averageStrip;  // every one of these characters leaves the average text
};

const SystemInfo kSystems[] = {
    {kModeFloating, 18, "", "(Dec)", "AVG= ,"},
    {kModeHex, 8, "&H0", "(Hex)", "AVG= (Hex),"},
    {kModeBin, 32, "&B0", "(Bin)", "AVG= (Bin),"},
    {kModeOct, 11, "&Q0", "(Oct)", "AVG= (Oct),"},
};

// The keys that only some systems have; every other key stays enabled in all four.
const CalcKey kSystemDependentKeys[] = {CalcKey::Sign,   CalcKey::Point,      CalcKey::Percent,
                                        CalcKey::Tax,    CalcKey::Reciprocal, CalcKey::Change,
                                        CalcKey::Convert};

// Codes outside 11..13 are decimal choices (5..9 act as fixed 0 elsewhere).
const SystemInfo& InfoOfMode(unsigned char numberMode) {
    if (numberMode >= kModeHex && numberMode <= kModeOct)
        return kSystems[numberMode - kModeFloating];
    return kSystems[kSystemDec];
}

// Removes every character of `set` wherever it stands: "1A (Hex)" stripped of
// "AVG= (Hex)," leaves "1", as the average has always been read.
std::string WithoutCharacters(const std::string& text, const std::string& set) {
    std::string out;
    for (char c : text)
        if (set.find(c) == std::string::npos) out += c;
    return out;
}

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
    const SystemInfo& leaving = InfoOfMode(s.numberMode);
    long double shown = ReadShownNumber(calc);
    long double average = ParseNumber(leaving.readPrefix +
                                      WithoutCharacters(view.AverageText(), leaving.averageStrip));

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
        view.SetDisplayText(ValueText(shown, 18));
        FormatDisplay(calc);
        if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
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
