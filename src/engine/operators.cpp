#include "engine/operators.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"
#include "engine/tape_lines.h"

namespace {

// The tape sign of an operator: "×" and "÷" are single Windows-1252 characters.
std::string OperatorSign(char op) {
    switch (op) {
        case '*':
            return "\xD7";
        case '/':
            return "\xF7";
        default:
            return std::string(1, op);
    }
}

bool IsAdding(char op) {
    return op == '+' || op == '-';
}

std::string AverageText(const Calculator& calc, long double average) {
    unsigned char mode = calc.state.numberMode;
    if (IsDecimalMode(mode))
        return " AVG = " + FormatNumber(RoundedHalfAway(average, 2), "#,.00");
    return " AVG = " + SystemValueText(mode, average) + SystemSuffix(mode);
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Whether the newest operator line on the tape carries `sign`, looking past blank,
// memory and other lines that are not items; a "+Tx" line, a new total, ends the look.
bool LastOperatorLineShows(const Calculator& calc, const std::string& sign) {
    const int count = calc.view->TapeLineCount();
    for (int i = count - 1; i >= 0 && i >= count - 64; --i) {
        const std::string line = calc.view->TapeLine(i);
        if (EndsWith(line, std::string(" ") + kTaxedMark) || EndsWith(line, "  ")) return false;
        for (const char* mark : {"+", "-", "\xD7", "\xF7"})
            if (EndsWith(line, std::string(" ") + mark)) return EndsWith(line, " " + sign);
    }
    return false;
}

// Whether an entry applied with `applied`, after `before` was pending and followed
// by the key `pressed`, is an amount: only amounts take the automatic point.
bool IsAmount(const std::string& before, char applied, char pressed) {
    auto multiplying = [](char op) { return op == '*' || op == '/' || op == '%'; };
    bool beforeMultiplying = !before.empty() && multiplying(before[0]);
    return !beforeMultiplying && !multiplying(applied) && !multiplying(pressed);
}

// The first item of a calculation becomes the running total. A keyed entry is taken
// and printed with all its digits; a figure the calculator showed (a result, or the
// zero after Clear) is taken as it is shown.
void StartCalculation(Calculator& calc, char op, char pressed) {
    CalculatorState& s = calc.state;
    bool adding = s.calcMode == kAddingMachineMode;
    if (IsDecimalMode(s.numberMode)) {
        if (calc.view->DisplayText() == kDiv0Error) {
            ShowDecimalValue(calc, 0);  // the error reads as 0, and the tape says so
        } else if (s.entryActive == 1) {
            ShowKeyedValue(calc, EntryValue(calc, !IsAmount("", op, pressed)));
        } else {
            FormatDisplay(calc);
            if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
        }
        if (op == '-' && adding) {
            // The sign follows the number in Adding Machine Mode: "-" negates the
            // shown number (an already negative one turns positive, rather than
            // becoming "--5", which reads as nothing).
            // Zero has no sign: "-0.00" would print a minus zero.
            std::string shown = WithoutLeadingBlanks(calc.view->DisplayText());
            if (DisplayValue(calc) != 0)
                calc.view->SetDisplayText(!shown.empty() && shown[0] == '-' ? shown.substr(1)
                                                                            : "-" + shown);
        }
        s.entryText = calc.view->DisplayText();
        s.operand = ParseNumber(WithoutCommas(s.entryText));
    } else {
        s.operand = ReadShownNumber(calc);
        s.entryText = SystemValueText(s.numberMode, s.operand);
    }
    if (IsAdding(op)) {
        calc.view->SetAverageText(AverageText(calc, s.operand));
        s.averageShown = 1;
    }
    s.total = s.operand;
    AppendTapeLine(calc, s.entryText, adding ? OperatorSign(op) : " ");
    s.itemCount += 1;
    s.entryText.clear();
}

// The operator applied to the running total with the entry, or with the last operand
// again when nothing was entered (the repeat entry of Adding Machine Mode). The entry
// line shows the operand exactly as it is used; the display then shows the total.
void ContinueCalculation(Calculator& calc, char op, const std::string& before, char pressed) {
    CalculatorState& s = calc.state;
    const bool decimal = IsDecimalMode(s.numberMode);
    if (s.entryActive == 1) {
        s.operand =
            decimal ? EntryValue(calc, !IsAmount(before, op, pressed)) : ReadShownNumber(calc);
    }
    bool divisionByZero = op == '/' && s.operand == 0;
    switch (op) {
        case '+':
            s.total += s.operand;
            break;
        case '-':
            s.total -= s.operand;
            break;
        case '*':
            s.total *= s.operand;
            break;
        case '/':
            if (!divisionByZero) s.total /= s.operand;
            break;
    }
    if (decimal) {
        ShowKeyedValue(calc, s.operand);
        s.entryText = calc.view->DisplayText();
        ShowDecimalValue(calc, s.total);
    } else {
        calc.view->SetDisplayText(SystemValueText(s.numberMode, s.total));
        s.entryText = SystemValueText(s.numberMode, s.operand);
    }
    if (divisionByZero) {
        s.entryText = kDiv0Error;
        calc.view->SetDisplayText(kDiv0Error);
    }
    if (IsAdding(op) && s.averageShown == 1)
        calc.view->SetAverageText(AverageText(calc, s.total / (s.itemCount + 1)));
    // The second operand of an Adding Machine product or quotient finished by = is
    // not an operator entry of its own: the operator line above shows the operator.
    // Where a +Tx line came between, the operand keeps its sign, so that the paper
    // still says what was done.
    const std::string sign = OperatorSign(op);
    bool shownAbove = LastOperatorLineShows(calc, sign);
    bool unmarked =
        !IsAdding(op) && s.calcMode == kAddingMachineMode && s.equalsPending == 1 && shownAbove;
    AppendTapeLine(calc, s.entryText, unmarked ? " " : sign);
    s.entryText.clear();
    s.itemCount += 1;
}

// One operator key: `op` is applied, `pressed` is the key the user pressed (the same,
// "=" for equals, or the next operator when Calculator Mode applies the pending one).
void OperatorKey(Calculator& calc, char op, char pressed) {
    CalculatorState& s = calc.state;
    if (op != '+' && op != '-' && op != '*' && op != '/') {
        calc.view->ReturnFocus();
        return;
    }
    const std::string own(1, op);
    const std::string before = s.pendingOperator;
    if (op == '*' || op == '/') {
        calc.view->SetAverageText(" AVG = n/a");
        s.averageShown = 0;
    }
    if (s.calcMode == kAddingMachineMode && !s.pendingOperator.empty()) s.pendingOperator = own;

    const std::string pending = s.pendingOperator;
    if (s.totalTaxed == 1 && s.entryActive == 0 && !pending.empty()) {
        // The taxed total stands as the total: a key right after +Tax adds nothing.
    } else if (pending.empty()) {
        StartCalculation(calc, op, pressed);
    } else if (pending == own) {
        if (s.entryActive == 1 || s.calcMode == kAddingMachineMode)
            ContinueCalculation(calc, op, before, pressed);
    } else if (pending == "+" || pending == "-" || pending == "*" || pending == "/") {
        OperatorKey(calc, pending[0], pressed);
    }

    s.totalTaxed = 0;
    calc.view->SetItemsText(ItemsText(s.itemCount));
    s.entryActive = 0;
    s.pendingOperator = own;
    calc.view->ReturnFocus();
}

}  // namespace

void ApplyOperator(Calculator& calc, char op) {
    OperatorKey(calc, op, op);
}

void ApplyEquals(Calculator& calc) {
    CalculatorState& s = calc.state;
    if (s.itemCount == 0) s.total = s.lastResult;
    if (s.entryActive == 1) {
        s.equalsPending = 1;
        OperatorKey(calc, s.pendingOperator.empty() ? '+' : s.pendingOperator[0], '=');
        s.equalsPending = 0;
    }
    AppendTapeLine(calc, kTapeRule, "");
    std::string result;
    if (IsDecimalMode(s.numberMode)) {
        // The result is rounded once, and the "=" line, the display and the last
        // result are that one figure (also after a division by zero, which left the
        // total as it was).
        s.total = ShowComputed(calc, s.total);
        result = calc.view->DisplayText();
    } else {
        std::string text = SystemValueText(s.numberMode, s.total);
        calc.view->SetDisplayText(text);
        result = SystemTag(s.numberMode) + " " + text;
    }
    AppendTapeLine(calc, result, "=");
    calc.view->SetItemsText(ItemsText(s.itemCount));
    CloseCalculation(calc);
}

void CloseCalculation(Calculator& calc) {
    CalculatorState& s = calc.state;
    s.lastResult = s.total;
    s.total = 0;
    s.entryText.clear();
    s.pendingOperator.clear();
    s.itemCount = 0;
    s.entryActive = 0;
    s.totalTaxed = 0;
    AppendTapeLine(calc, "", "");
    calc.view->ReturnFocus();
}
