#include "engine/entry.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"
#include "engine/tape_lines.h"

namespace {

void ShowEntry(Calculator& calc) {
    calc.view->SetDisplayText(WithZeroBeforePoint(calc.state.entryText));
}

int EntryLength(const CalculatorState& s) {
    return static_cast<int>(s.entryText.size());
}

// What is left of an entry that holds no digit and no point: a lone sign, or the blank
// a pasted number keeps in front of it.
bool IsEmptyEntry(const std::string& entry) {
    return entry.find_first_not_of(" -") == std::string::npos;
}

}  // namespace

void EnterDigit(Calculator& calc, int digit) {
    CalculatorState& s = calc.state;
    if (digit >= 0 && digit <= 15 && EntryLength(s) < s.maxEntryLength) {
        if (s.entryText == "0") s.entryText.clear();
        s.entryShifted = 0;
        s.entryText += static_cast<char>(digit < 10 ? '0' + digit : 55 + digit);
        ShowEntry(calc);
        if (digit <= 9 && IsDecimalMode(s.numberMode)) {
            if (s.autoDecimal == 1) ApplyAutoDecimal(calc);
            if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
        }
        s.entryActive = 1;
    }
    calc.view->ReturnFocus();
}

void EnterDecimalPoint(Calculator& calc) {
    CalculatorState& s = calc.state;
    // One more than for digits, so that a point can follow a full-length entry.
    if (EntryLength(s) <= s.maxEntryLength) {
        if (s.entryText == "0") s.entryText.clear();
        s.entryText += '.';
        s.entryShifted = 0;
        ShowEntry(calc);
        if (s.digitGrouping == 1 && IsDecimalMode(s.numberMode)) ApplyDigitGrouping(calc);
        s.entryActive = 1;
    }
    calc.view->ReturnFocus();
}

void ToggleSign(Calculator& calc) {
    CalculatorState& s = calc.state;
    std::string shown = calc.view->DisplayText();
    if (DisplayValue(calc) != 0) {
        // A pasted number keeps a blank where its sign would stand; the sign takes its
        // place, since "- 1234" would read as no number at all.
        shown = WithoutLeadingBlanks(shown);
        if (!shown.empty() && shown[0] == '-') {
            shown.erase(0, 1);
            s.entryText = WithoutLeadingBlanks(s.entryText);
            if (!s.entryText.empty() && s.entryText[0] == '-') s.entryText.erase(0, 1);
        } else {
            shown = "-" + shown;
            if (ParseNumber(s.entryText) != 0)
                s.entryText = "-" + WithoutLeadingBlanks(s.entryText);
        }
        calc.view->SetDisplayText(shown);
        s.entryActive = 1;
    }
    calc.view->ReturnFocus();
}

void Backspace(Calculator& calc) {
    CalculatorState& s = calc.state;
    if (!s.entryText.empty()) {
        s.entryText.pop_back();
        s.entryShifted = 0;
        ShowEntry(calc);
    }
    if (IsEmptyEntry(s.entryText)) s.entryText.clear();
    // With no typed characters left, the shown figure is re-rendered: a recalled or
    // pasted one keeps its digits.
    if (s.entryText.empty() && IsDecimalMode(s.numberMode) && s.entryActive == 1)
        RenderShownDecimal(calc);
    else if (s.entryText.empty())
        FormatDisplay(calc);
    if (IsDecimalMode(s.numberMode)) {
        if (s.autoDecimal == 1) ApplyAutoDecimal(calc);
        if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
    }
    calc.view->ReturnFocus();
}

void ClearEntry(Calculator& calc) {
    calc.state.entryText.clear();
    calc.view->SetDisplayText("");
    FormatDisplay(calc);
    calc.view->ReturnFocus();
}

void ClearAll(Calculator& calc) {
    CalculatorState& s = calc.state;
    s.entryText.clear();
    s.total = 0;
    s.itemCount = 0;
    s.pendingOperator.clear();
    s.totalTaxed = 0;
    calc.view->SetDisplayText("");
    FormatDisplay(calc);
    AppendTapeLine(calc, "Clear", "");
    calc.view->SetItemsText(ItemsText(0));
    calc.view->SetAverageText(" AVG = 0.00");
    s.averageShown = 1;
    calc.view->ReturnFocus();
}
