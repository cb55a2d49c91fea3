#include "loan/loan_compute.h"

#include <cmath>
#include <cstring>

#include "engine/number_text.h"

const CompoundingOption kCompoundingOptions[kCompoundingOptionCount] = {
    {"Daily", 365},   {"Weekly", 52},       {"Monthly", 12},
    {"Quarterly", 4}, {"Semi-Annually", 2}, {"Annualy", 1},
};

const ScheduleColumn kScheduleColumns[kScheduleColumnCount] = {
    {"#", 30, true},         {"Date", 60, false},        {"Principal", 80, false},
    {"Interest", 80, false}, {"T.Principal", 80, false}, {"T.Interest", 80, false},
    {"Balance", 80, false},
};

namespace {

std::string Without(const std::string& text, const char* drop) {
    std::string out;
    for (char c : text)
        if (!std::strchr(drop, c)) out += c;
    return out;
}

// A value that is not a finite positive number counts as no entry at all.
bool UsablePositive(long double x) {
    return std::isfinite(x) && x > 0;
}

std::vector<ScheduleRow> BuildSchedule(const LoanCalculation& c, const std::string& startDate) {
    // Only month and year matter: every payment falls in the next month.
    int month = static_cast<int>(ParseNumber(startDate.substr(0, 2)));
    long double yearValue = startDate.size() > 6 ? ParseNumber(startDate.substr(6, 4)) : 0;
    int year =
        std::isfinite(yearValue) && std::fabs(yearValue) < 1e6L ? static_cast<int>(yearValue) : 0;
    if (month < 1 || month > 12) month = 1;

    std::vector<ScheduleRow> rows;
    rows.reserve(static_cast<size_t>(c.payments));
    const long double i = c.monthlyRate;
    const long double m = c.payment;
    ScheduleRow row;
    row.month = month;
    row.year = year;
    row.interest = static_cast<double>(static_cast<long double>(c.amount) * i);
    row.principal = static_cast<double>(m - row.interest);
    row.balance = static_cast<double>(static_cast<long double>(c.amount) - row.principal);
    row.totalPrincipal = row.principal;
    row.totalInterest = row.interest;
    rows.push_back(row);
    for (int k = 2; k <= c.payments; ++k) {
        if (++row.month > 12) {
            row.month = 1;
            ++row.year;
        }
        const long double before = row.balance;
        row.interest = static_cast<double>(before * i);
        row.principal = static_cast<double>(m - row.interest);
        // The last balance is a rounding remainder of either sign; it never shows a minus.
        row.balance = static_cast<double>(std::fabs(before - row.principal));
        row.totalPrincipal =
            static_cast<double>(static_cast<long double>(row.totalPrincipal) + row.principal);
        row.totalInterest =
            static_cast<double>(static_cast<long double>(row.totalInterest) + row.interest);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

LoanCalculation CalculateLoan(const LoanInputs& in) {
    LoanCalculation c;
    c.amount = static_cast<double>(ParseNumber(Without(in.amount, ",$")));
    c.rate = static_cast<float>(ParseNumber(Without(in.interest, "%")));
    c.years = static_cast<float>(ParseNumber(in.years));
    const int nc = in.periodsPerYear > 0 ? in.periodsPerYear : 12;

    if (!UsablePositive(c.amount)) {
        c.fault = LoanInputFault::Amount;
        return c;
    }
    if (!UsablePositive(c.rate)) {
        c.fault = LoanInputFault::Interest;
        return c;
    }
    if (!UsablePositive(c.years)) {
        c.fault = LoanInputFault::Years;
        return c;
    }
    c.monthlyRate = static_cast<float>(std::pow(1.0L + static_cast<long double>(c.rate) / 100 / nc,
                                                static_cast<long double>(nc) / 12) -
                                       1);
    // A rate too small to leave anything per month after rounding to float.
    if (!UsablePositive(c.monthlyRate)) {
        c.fault = LoanInputFault::Interest;
        return c;
    }
    const long double n = std::nearbyint(12.0L * c.years);  // halves to even
    if (n < 1 || n > kMaxLoanPayments) {
        c.fault = LoanInputFault::Years;
        return c;
    }
    c.payments = static_cast<int>(n);
    const long double i = c.monthlyRate;
    c.payment = static_cast<double>(static_cast<long double>(c.amount) * i /
                                    (1 - std::pow(1 + i, -static_cast<long double>(c.payments))));
    // An amount near the largest double at a huge rate: the totals would be infinite.
    if (!UsablePositive(c.payment) ||
        !std::isfinite(static_cast<double>(c.payments * static_cast<long double>(c.payment)))) {
        c.fault = LoanInputFault::Amount;
        return c;
    }
    c.fault = LoanInputFault::None;

    const long double m = c.payment;
    const long double total = c.payments * m;
    c.texts.payment = FormatNumber(m, kMoneyMask);
    c.texts.count = ValueText(c.payments, 15);
    c.texts.yearly = FormatNumber(12 * m, kMoneyMask);
    c.texts.principal = FormatNumber(c.amount, kMoneyMask);
    c.texts.charges = FormatNumber(total - c.amount, kMoneyMask);
    c.texts.cost = FormatNumber(total, kMoneyMask);
    c.rows = BuildSchedule(c, in.startDate);
    return c;
}

std::string ScheduleCellText(const ScheduleRow& row, int number, int column) {
    switch (column) {
        case 0:
            return ValueText(number, 15);
        case 1:
            return FormatNumber(row.month, "00") + "/" + FormatNumber(row.year, "0000");
        case 2:
            return FormatNumber(row.principal, kMoneyMask);
        case 3:
            return FormatNumber(row.interest, kMoneyMask);
        case 4:
            return FormatNumber(row.totalPrincipal, kMoneyMask);
        case 5:
            return FormatNumber(row.totalInterest, kMoneyMask);
        case 6:
            return FormatNumber(row.balance, kMoneyMask);
        default:
            return std::string();
    }
}

// The amounts are held as doubles (and the rate as a float): narrowed before they are
// shown, no field shows more than the calculation uses, and no field text grows past
// what the settings file keeps of a value.
std::string AmountFieldText(const std::string& typed) {
    return FormatNumber(static_cast<double>(ParseNumber(Without(typed, "$,"))), kMoneyMask);
}

std::string InterestFieldText(const std::string& typed) {
    if (typed.empty()) return typed;
    return FormatNumber(static_cast<double>(ParseNumber(Without(typed, "%"))) / 100, kRateMask);
}

std::vector<std::string> LoanTapeLines(const LoanSheet& s) {
    return {
        "Loan Analysis...",
        "Loan Name: " + s.name,
        "Amount Financed: " + s.amount,
        "Annual Interest: " + s.interest,
        "Duration in Years: " + s.years,
        "Compounded: " + s.compounding,
        "",
        "Monthly Payments: " + s.results.payment,
        "Total # Payments: " + s.results.count,
        "Yearly Prin + Int: " + s.results.yearly,
        "",
        "Principal Amount: " + s.results.principal,
        "Finance Charges: " + s.results.charges,
        "Total Cost: " + s.results.cost,
        "",
    };
}
