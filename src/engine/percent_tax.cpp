#include "engine/percent_tax.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/operators.h"
#include "engine/shown_number.h"
#include "engine/tape_lines.h"

namespace {

// The tax rate is kept as a 32-bit float; widened as it is, a rate such as 7.3
// becomes 7.30000019073486... and 100 +Tax would show "107.3000001907". The rate is
// therefore taken as the decimal number of 7 significant digits (the float's
// precision) nearest to it: the rate the user typed.
long double TaxFactor(float taxRate) {
    return 1 + ParseNumber(ValueText(taxRate, 7)) / 100;
}

}  // namespace

void ApplyPercent(Calculator& calc) {
    CalculatorState& s = calc.state;
    s.operand = DisplayValue(calc);
    const long double p = s.operand / 100;
    const std::string percentText = ValueText(s.operand, 15);
    const std::string& pending = s.pendingOperator;
    bool applied = true;
    bool divisionByZero = false;
    if (pending.empty()) {
        s.total = p;
        AppendTapeLine(calc, percentText, "%");
    } else if (pending == "+") {
        s.total += s.total * p;
        AppendTapeLine(calc, percentText + "%", "+");
    } else if (pending == "-") {
        s.total -= s.total * p;
        AppendTapeLine(calc, percentText + "%", "-");
    } else if (pending == "*") {
        s.total *= p;
        AppendTapeLine(calc, percentText + "%", "\xD7");
    } else if (pending == "/") {
        // Like the ÷ key: a zero percentage leaves the total as it was.
        divisionByZero = p == 0;
        if (!divisionByZero) s.total /= p;
        AppendTapeLine(calc, percentText + "%", "\xF7");
    } else {
        applied = false;
    }
    if (applied) {
        s.entryText.clear();
        s.itemCount += 1;
        calc.view->SetDisplayText(divisionByZero ? kDiv0Error : ValueText(s.total, 15));
    }
    s.entryActive = 0;
    s.pendingOperator.clear();
    ApplyEquals(calc);
}

void ApplyReciprocal(Calculator& calc) {
    CalculatorState& s = calc.state;
    long double v = DisplayValue(calc);
    if (v != 0) {
        s.operand = 1 / v;
        ShowDecimalValue(calc, s.operand);
    } else {
        calc.view->SetDisplayText(kDiv0Error);
    }
    s.entryText.clear();
    s.entryActive = 1;
    calc.view->ReturnFocus();
}

void AddTax(Calculator& calc) {
    CalculatorState& s = calc.state;
    RenderDecimalDisplay(calc);
    AppendTapeLine(calc, calc.view->DisplayText(), "Tx");
    s.operand = DisplayValue(calc) * TaxFactor(s.taxRate);
    ShowDecimalValue(calc, s.operand);
    s.entryText.clear();
    calc.view->ReturnFocus();
}

void MakeChange(Calculator& calc) {
    CalculatorState& s = calc.state;
    RenderDecimalDisplay(calc);
    if (s.itemCount != 0) {
        calc.view->ReturnFocus();
        return;
    }
    s.operand = DisplayValue(calc);
    std::string line;
    if (s.operand > 0) {
        long double change = s.operand - s.lastResult;
        s.total = change;
        line = calc.view->DisplayText();
        ShowDecimalValue(calc, s.lastResult);
        line += " - " + calc.view->DisplayText();
        ShowDecimalValue(calc, change);
    } else {
        s.total = 0;
        line = "No Change";
    }
    AppendTapeLine(calc, line, "");
    AppendTapeLine(calc, kTapeRule, "");
    AppendTapeLine(calc, calc.view->DisplayText(), "CH");
    s.operand = 0;
    CloseCalculation(calc);
}
