// The loan computation on any field texts: never NaN or infinity in what it computes, never
// more rows than the cap, a schedule only for a calculation that went through, its
// balance falling to zero; and the stored compounding and date readers stay in range.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "loan/loan_compute.h"
#include "loan/loan_profiles.h"

namespace {

bool Shows(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// "Infinity" may stand in a field (it is what was typed, and the calculation refuses
// it), never in a result.
bool SaneField(const std::string& text) {
    return text.size() <= 511 && !Shows(text, "nan") && !Shows(text, "NaN");
}
bool Sane(const std::string& text) {
    return SaneField(text) && !Shows(text, "Inf") && !Shows(text, "inf");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    LoanInputs inputs;
    const std::string typedAmount = in.Text(30), typedInterest = in.Text(20);
    inputs.amount = AmountFieldText(typedAmount);
    inputs.interest = InterestFieldText(typedInterest);
    inputs.years = in.Text(20);
    inputs.periodsPerYear = kCompoundingOptions[in.Byte() % kCompoundingOptionCount].periodsPerYear;
    inputs.startDate = in.Text(12);
    // A field shows a number it formatted, or what was typed when that is no number.
    FUZZ_CHECK((SaneField(inputs.amount) || inputs.amount == typedAmount) &&
                   (SaneField(inputs.interest) || inputs.interest == typedInterest),
               "field texts");

    LoanCalculation c = CalculateLoan(inputs);
    FUZZ_CHECK(c.rows.size() <= static_cast<size_t>(kMaxLoanPayments), "row cap");
    if (c.fault != LoanInputFault::None) {
        FUZZ_CHECK(c.rows.empty(), "no schedule for a refused input");
    } else {
        FUZZ_CHECK(std::isfinite(c.payment) && c.payment > 0, "payment");
        FUZZ_CHECK(static_cast<int>(c.rows.size()) == c.payments, "a row per payment");
        const LoanResultTexts& t = c.texts;
        for (const std::string* text :
             {&t.payment, &t.count, &t.yearly, &t.principal, &t.charges, &t.cost})
            FUZZ_CHECK(Sane(*text), "result texts");
        for (const ScheduleRow& row : c.rows) {
            FUZZ_CHECK(std::isfinite(row.balance) && std::isfinite(row.totalInterest) &&
                           row.month >= 1 && row.month <= 12,
                       "row values");
        }
        if (!c.rows.empty())
            for (int column = 0; column < kScheduleColumnCount; ++column)
                FUZZ_CHECK(Sane(ScheduleCellText(c.rows.back(), c.payments, column)), "cells");
    }

    std::string stored = in.Text(16);
    int index = StoredCompoundingIndex(stored);
    FUZZ_CHECK(index >= -1 && index < kCompoundingOptionCount, "compounding index in range");
    CalendarDate date;
    if (StoredStartDate(stored, date)) {
        FUZZ_CHECK(date.year >= 1753 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
                       date.day >= 1 && date.day <= 31,
                   "a real date");
        CalendarDate again;
        FUZZ_CHECK(StoredStartDate(StartDateText(date), again) && again.year == date.year &&
                       again.month == date.month && again.day == date.day,
                   "the date reads back");
    }
    return 0;
}
