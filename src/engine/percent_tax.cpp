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
    // A percentage is taken as typed, never shifted by the automatic point, and
    // printed with every digit it was used with.
    s.operand = s.entryActive == 1 ? EntryValue(calc, true) : DisplayValue(calc);
    const long double p = s.operand / 100;
    const std::string percentText = ValueText(s.operand, 18);
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
        // Rounded once, and taken by the next operator as shown.
        s.operand = ShowComputed(calc, 1 / v);
    } else {
        calc.view->SetDisplayText(kDiv0Error);
    }
    s.entryText.clear();
    s.entryActive = 1;
    calc.view->ReturnFocus();
}

// The amount before tax is printed as it is used, the taxed amount is rounded once.
// On an entry the next operator takes the taxed amount as that entry. On a running
// total or a closed result the taxed amount becomes the total, or the last result,
// on a line of its own, so that "=" and Chg go on from it.
void AddTax(Calculator& calc) {
    CalculatorState& s = calc.state;
    const long double factor = TaxFactor(s.taxRate);
    if (s.entryActive == 1) {
        long double amount = EntryValue(calc, false);
        ShowKeyedValue(calc, amount);
        AppendTapeLine(calc, calc.view->DisplayText(), kTaxMark);
        s.operand = ShowComputed(calc, amount * factor);
        s.entryText.clear();
        calc.view->ReturnFocus();
        return;
    }
    const bool open = !s.pendingOperator.empty();
    long double amount = ShowComputed(calc, open ? s.total : DisplayValue(calc));
    AppendTapeLine(calc, calc.view->DisplayText(), kTaxMark);
    long double taxed = ShowComputed(calc, amount * factor);
    AppendTapeLine(calc, calc.view->DisplayText(), kTaxedMark);
    if (open) {
        s.total = taxed;
        s.totalTaxed = 1;
    } else {
        s.lastResult = taxed;
    }
    s.entryText.clear();
    calc.view->ReturnFocus();
}

void MakeChange(Calculator& calc) {
    CalculatorState& s = calc.state;
    RenderShownDecimal(calc);
    if (s.itemCount != 0) {
        calc.view->ReturnFocus();
        return;
    }
    s.operand = DisplayValue(calc);
    std::string line;
    if (s.operand > 0) {
        // The last total as it is shown now (the decimal choice may have changed
        // since it was printed): the figure the change line subtracts.
        line = calc.view->DisplayText();
        long double lastTotal = ShowComputed(calc, s.lastResult);
        line += " - " + calc.view->DisplayText();
        s.total = ShowComputed(calc, s.operand - lastTotal);
    } else {
        // Nothing tendered: the change line shows the 0 that becomes the last result.
        s.total = 0;
        line = "No Change";
        ShowDecimalValue(calc, 0);
    }
    AppendTapeLine(calc, line, "");
    AppendTapeLine(calc, kTapeRule, "");
    AppendTapeLine(calc, calc.view->DisplayText(), "CH");
    s.operand = 0;
    CloseCalculation(calc);
}
