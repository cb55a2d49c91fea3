#include "engine/shown_number.h"

#include <cmath>

#include "engine/display_format.h"
#include "engine/number_digits.h"
#include "engine/number_text.h"

long double ReadShownNumber(const Calculator& calc) {
    if (calc.view->DisplayText() == kDiv0Error) return 0;
    switch (calc.state.numberMode) {
        case kModeHex:
            return ParseNumber("&H0" + calc.view->DisplayText());
        case kModeBin:
            return ParseNumber("&B0" + calc.view->DisplayText());
        case kModeOct:
            return ParseNumber("&Q0" + calc.view->DisplayText());
        default:
            return DisplayValue(calc);
    }
}

std::string SystemValueText(unsigned char numberMode, long double x) {
    switch (numberMode) {
        case kModeHex:
            return HexText(x);
        case kModeBin:
            return BinText(x);
        case kModeOct:
            return OctText(x);
        default:
            return ValueText(x, 18);
    }
}

std::string SystemTag(unsigned char numberMode) {
    switch (numberMode) {
        case kModeHex:
            return "(Hex)";
        case kModeBin:
            return "(Bin)";
        case kModeOct:
            return "(Oct)";
        default:
            return "(Dec)";
    }
}

std::string SystemSuffix(unsigned char numberMode) {
    return IsDecimalMode(numberMode) ? "" : " " + SystemTag(numberMode);
}

std::string WithoutLeadingBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\n");
    return first == std::string::npos ? std::string() : text.substr(first);
}

void RenderDecimalDisplay(Calculator& calc) {
    FormatDisplay(calc);
    if (calc.state.digitGrouping == 1) ApplyDigitGrouping(calc);
}

void ShowDecimalValue(Calculator& calc, long double x) {
    calc.view->SetDisplayText(ValueText(x, 18));
    RenderDecimalDisplay(calc);
}

long double ShowComputed(Calculator& calc, long double x) {
    ShowDecimalValue(calc, RoundedResult(calc, x));
    return DisplayValue(calc);
}

void ShowKeyedValue(Calculator& calc, long double x) {
    std::string text = PlainValueText(x);
    const unsigned char places = calc.state.numberMode;
    if (places >= 1 && places <= 4 && std::isfinite(x) && text.find('E') == std::string::npos) {
        size_t point = text.find('.');
        size_t have = point == std::string::npos ? 0 : text.size() - point - 1;
        if (point == std::string::npos) text += '.';
        if (have < places) text.append(places - have, '0');
    }
    calc.view->SetDisplayText(text);
    if (calc.state.digitGrouping == 1) ApplyDigitGrouping(calc);
}

std::string RenderShownDecimal(Calculator& calc) {
    if (calc.state.entryActive == 1 && calc.view->DisplayText() != kDiv0Error)
        ShowKeyedValue(calc, DisplayValue(calc));
    else
        RenderDecimalDisplay(calc);
    return calc.view->DisplayText();
}

std::string PlainValueText(long double x) {
    std::string text = ValueText(x, 18);
    // A keyed figure has at most 17 decimals: written out, not as "1E-12".
    if (std::isfinite(x) && text.find("E-") != std::string::npos) {
        DecimalDigits d = DecimalExpansion(x, 18);
        text = (x < 0 ? "-0." : "0.") + std::string(-d.pointPlace, '0') + d.digits;
    }
    return text;
}

long double EntryValue(const Calculator& calc, bool asTyped) {
    const CalculatorState& s = calc.state;
    if (asTyped && s.entryShifted == 1 && !s.entryText.empty())
        return ParseNumber(WithoutLeadingBlanks(s.entryText));
    return ReadShownNumber(calc);
}
