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
    if (IsDecimalMode(mode)) return " AVG = " + FormatNumber(average, "#,.00");
    return " AVG = " + SystemValueText(mode, average) + SystemSuffix(mode);
}

// The first item of a calculation becomes the running total.
void StartCalculation(Calculator& calc, char op) {
    CalculatorState& s = calc.state;
    bool adding = s.calcMode == kAddingMachineMode;
    if (IsDecimalMode(s.numberMode)) {
        FormatDisplay(calc);
        if (op == '-' && adding) {
            // The sign follows the number in Adding Machine Mode: "-" negates the
            // shown number (an already negative one turns positive, rather than
            // becoming "--5", which reads as nothing).
            std::string shown = WithoutLeadingBlanks(calc.view->DisplayText());
            calc.view->SetDisplayText(!shown.empty() && shown[0] == '-' ? shown.substr(1)
                                                                        : "-" + shown);
        }
        if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
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

// The operator applied to the running total with the shown number, or with the last
// operand again when nothing was entered (the repeat entry of Adding Machine Mode).
void ContinueCalculation(Calculator& calc, char op) {
    CalculatorState& s = calc.state;
    if (s.entryActive == 1) s.operand = ReadShownNumber(calc);
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
    if (IsDecimalMode(s.numberMode)) {
        ShowDecimalValue(calc, s.operand);
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
    // not an operator entry of its own.
    bool unmarked = !IsAdding(op) && s.calcMode == kAddingMachineMode && s.equalsPending == 1;
    AppendTapeLine(calc, s.entryText, unmarked ? " " : OperatorSign(op));
    s.entryText.clear();
    s.itemCount += 1;
}

}  // namespace

void ApplyOperator(Calculator& calc, char op) {
    CalculatorState& s = calc.state;
    if (op != '+' && op != '-' && op != '*' && op != '/') {
        calc.view->ReturnFocus();
        return;
    }
    const std::string own(1, op);
    if (op == '*' || op == '/') {
        calc.view->SetAverageText(" AVG = n/a");
        s.averageShown = 0;
    }
    if (s.calcMode == kAddingMachineMode && !s.pendingOperator.empty()) s.pendingOperator = own;

    const std::string pending = s.pendingOperator;
    if (pending.empty()) {
        StartCalculation(calc, op);
    } else if (pending == own) {
        if (s.entryActive == 1 || s.calcMode == kAddingMachineMode) ContinueCalculation(calc, op);
    } else if (pending == "+" || pending == "-" || pending == "*" || pending == "/") {
        ApplyOperator(calc, pending[0]);
    }

    calc.view->SetItemsText(ItemsText(s.itemCount));
    s.entryActive = 0;
    s.pendingOperator = own;
    calc.view->ReturnFocus();
}

void ApplyEquals(Calculator& calc) {
    CalculatorState& s = calc.state;
    if (s.itemCount == 0) s.total = s.lastResult;
    if (s.entryActive == 1) {
        s.equalsPending = 1;
        ApplyOperator(calc, s.pendingOperator.empty() ? '+' : s.pendingOperator[0]);
        s.equalsPending = 0;
    }
    AppendTapeLine(calc, kTapeRule, "");
    std::string result;
    if (IsDecimalMode(s.numberMode)) {
        FormatDisplay(calc);
        if (s.digitGrouping == 1) ApplyDigitGrouping(calc);
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
    AppendTapeLine(calc, "", "");
    calc.view->ReturnFocus();
}
