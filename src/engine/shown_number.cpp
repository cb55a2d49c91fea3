#include "engine/shown_number.h"

#include "engine/display_format.h"
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
