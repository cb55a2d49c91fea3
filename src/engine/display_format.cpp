#include "engine/display_format.h"

#include <cmath>
#include <string>

#include "engine/number_system.h"
#include "engine/number_text.h"
#include "settings/setting_names.h"

namespace {

const char* DisplayMask(unsigned char numberMode) {
    switch (numberMode) {
        case 1:
            return "###########0.0";
        case 2:
            return "###########0.00";
        case 3:
            return "###########0.000";
        case 4:
            return "###########0.0000";
        case kModeFloating:
            return "###########0.##########";
        default:
            return nullptr;  // fixed 0, 5..9 and the other number systems: shown as computed
    }
}

// Whether `x` has more integer digits than ValueText writes plainly (it then uses
// its exponent form). Tiny values are left to the mask, which rounds them.
bool NeedsExponentForm(long double x) {
    if (!std::isfinite(x)) return false;
    return ValueText(x, 18).find("E+") != std::string::npos;
}

bool AllDigits(const std::string& text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

void WriteMainSetting(Calculator& calc, const char* key, int value) {
    WriteCalcSetting(calc, kMainSection, key, std::to_string(value));
}

CalcMenuItem DecimalsMenuItem(int choice) {
    return choice == kModeFloating
               ? CalcMenuItem::Floating
               : static_cast<CalcMenuItem>(static_cast<int>(CalcMenuItem::Decimals0) + choice);
}

}  // namespace

long double DisplayValue(const Calculator& calc) {
    return ParseNumber(WithoutCommas(calc.view->DisplayText()));
}

std::string FormatDisplay(Calculator& calc) {
    std::string text = WithoutCommas(calc.view->DisplayText());
    long double x = ParseNumber(text);
    const char* mask = DisplayMask(calc.state.numberMode);
    if (mask && NeedsExponentForm(x)) {
        // A mask would write out every integer digit, and past the 18 the display
        // carries those digits would be made up: such a value keeps ValueText's form.
        text = ValueText(x, 18);
        mask = nullptr;
    }
    // The mask rounds exact halves to even; a computed figure is rounded half away
    // from zero first, so that a refund shows the mirror of its sale.
    if (mask) text = FormatNumber(RoundedHalfAway(x, ResultDecimals(calc.state.numberMode)), mask);
    if (!text.empty() && text.back() == '.') text.pop_back();
    calc.view->SetDisplayText(text);
    return text;
}

std::string ApplyDigitGrouping(Calculator& calc) {
    std::string text = WithoutCommas(calc.view->DisplayText());
    // A pasted entry keeps the blank in front of a non-negative number.
    size_t blanks = text.find_first_not_of(' ');
    std::string sign = text.substr(0, blanks == std::string::npos ? 0 : blanks);
    text.erase(0, sign.size());
    if (!text.empty() && text[0] == '-') {
        sign += "-";
        text.erase(0, 1);
    }
    std::string fraction;
    size_t point = text.find('.');
    if (point != std::string::npos) {
        fraction = text.substr(point);
        text.erase(point);
    }
    // Only a run of digits is grouped, and all of it by threes: "Div0 Error" or an
    // exponent form such as "1E+25" must not get separators inside its letters, and
    // a long pasted integer must not come out grouped in its last digits only.
    if (!text.empty() && AllDigits(text)) {
        for (size_t digits = (text.size() - 1) / 3 * 3; digits >= 3; digits -= 3)
            text.insert(text.size() - digits, ",");
    }
    text = WithZeroBeforePoint(sign + text + fraction);
    calc.view->SetDisplayText(text);
    return text;
}

int ResultDecimals(unsigned char numberMode) {
    if (numberMode >= 1 && numberMode <= 4) return numberMode;
    return numberMode == kModeFloating ? 10 : -1;
}

long double RoundedResult(const Calculator& calc, long double x) {
    // An overflow that ends in no number at all (infinity times 0, infinity less
    // infinity) is shown as 0, and goes on as the 0 it shows.
    if (std::isnan(x)) return 0;
    int decimals = ResultDecimals(calc.state.numberMode);
    return decimals < 0 ? x : RoundedHalfAway(x, decimals);
}

void ApplyAutoDecimal(Calculator& calc) {
    std::string text = WithoutCommas(calc.view->DisplayText());
    calc.state.entryShifted = 0;
    if (text.find('.') != std::string::npos) return;
    unsigned char places = calc.state.numberMode;
    if (places >= 1 && places <= 4) {
        calc.state.entryShifted = 1;
        long double x = ParseNumber(text);
        for (unsigned char i = 0; i < places; ++i) x /= 10;
        calc.view->SetDisplayText(ValueText(x, 18));
    }
    FormatDisplay(calc);
}

std::string ItemsText(int32_t count) {
    return "  " + ValueText(count, 15) + (count == 1 ? " Item" : " Items");
}

void SelectDecimals(Calculator& calc, int choice) {
    bool known = choice == kModeFloating || (choice >= 0 && choice <= 4);
    if (calc.state.numberMode > kModeFloating || !known) {
        calc.view->ReturnFocus();
        return;
    }
    calc.view->CheckMenu(CalcMenuItem::Floating, false);
    for (int d = 0; d <= 4; ++d) calc.view->CheckMenu(DecimalsMenuItem(d), false);
    calc.view->CheckMenu(DecimalsMenuItem(choice), true);
    calc.state.numberMode = static_cast<unsigned char>(choice);
    calc.state.decimalSetting = static_cast<unsigned char>(choice);
    WriteMainSetting(calc, "Decimal Setting1", choice);
    WriteMainSetting(calc, "Decimal Setting2", choice);
    SetNumberSystem(calc, kSystemDec);
    calc.view->ReturnFocus();
}

void ToggleDigitGrouping(Calculator& calc) {
    if (calc.state.numberMode > kModeFloating) {
        calc.view->ReturnFocus();
        return;
    }
    calc.state.digitGrouping = calc.state.digitGrouping == 1 ? 0 : 1;
    calc.view->CheckMenu(CalcMenuItem::DigitGrouping, calc.state.digitGrouping == 1);
    WriteMainSetting(calc, "Digit Grouping", calc.state.digitGrouping);
    SetNumberSystem(calc, kSystemDec);
    calc.view->ReturnFocus();
}

void ToggleAutoDecimal(Calculator& calc) {
    if (calc.state.numberMode > kModeFloating) {
        calc.view->ReturnFocus();
        return;
    }
    calc.state.autoDecimal = calc.state.autoDecimal == 1 ? 0 : 1;
    calc.view->CheckMenu(CalcMenuItem::AutoDecimal, calc.state.autoDecimal == 1);
    WriteMainSetting(calc, "Auto Decimal", calc.state.autoDecimal);
    calc.view->ReturnFocus();
}
