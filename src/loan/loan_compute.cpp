#include "loan/loan_compute.h"

#include <cfloat>
#include <algorithm>
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

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole text is one decimal number ("12k" is not 12): sign, digits with at most
// one point, an optional exponent.
bool IsWholeNumber(const std::string& text) {
    size_t i = 0, n = text.size();
    if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
    bool digits = false, point = false;
    for (; i < n; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
        size_t start = i;
        while (i < n && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == start) return false;
    }
    return i == n;
}

// A field's number, read only when the field holds nothing else.
bool FieldNumber(const std::string& text, const char* drop, long double& value) {
    std::string plain = Trimmed(Without(text, drop));
    if (!IsWholeNumber(plain)) return false;
    value = ParseNumber(plain);
    return true;
}

long double RoundedCents(long double dollars) {
    return std::round(dollars * 100);  // halves away from zero
}

LoanCalculation Refused(LoanCalculation c, LoanInputFault fault, const std::string& message) {
    c.fault = fault;
    c.faultMessage = message;
    return c;
}

std::string Quoted(const std::string& text) {
    return "\"" + Trimmed(text) + "\"";
}

// Rows as a lender's statement has them: interest is the balance times the monthly
// rate rounded to the cent, principal is the payment less that interest, and the last
// row (or one that would overpay) pays the exact balance. Everything is whole cents.
std::vector<ScheduleRow> BuildSchedule(long double amountCents, long double paymentCents,
                                       long double i, int payments, const std::string& startDate) {
    // Only month and year matter: every payment falls in the next month.
    int month = static_cast<int>(ParseNumber(startDate.substr(0, 2)));
    long double yearValue = startDate.size() > 6 ? ParseNumber(startDate.substr(6, 4)) : 0;
    int year =
        std::isfinite(yearValue) && std::fabs(yearValue) < 1e6L ? static_cast<int>(yearValue) : 0;
    if (month < 1 || month > 12) month = 1;

    std::vector<ScheduleRow> rows;
    rows.reserve(static_cast<size_t>(payments));
    long double balance = amountCents, totalPrincipal = 0, totalInterest = 0;
    for (int k = 1; k <= payments && balance > 0; ++k) {
        long double interest = std::round(balance * i);
        long double principal = paymentCents - interest;
        if (k == payments || principal >= balance) principal = balance;
        balance -= principal;
        totalPrincipal += principal;
        totalInterest += interest;
        ScheduleRow row;
        row.month = month;
        row.year = year;
        row.principal = principal / 100;
        row.interest = interest / 100;
        row.totalPrincipal = totalPrincipal / 100;
        row.totalInterest = totalInterest / 100;
        row.balance = balance / 100;
        rows.push_back(row);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return rows;
}

}  // namespace

LoanCalculation CalculateLoan(const LoanInputs& in) {
    LoanCalculation c;
    long double amount = 0, rate = 0, years = 0;
    if (!FieldNumber(in.amount, ",$", amount))
        return Refused(c, LoanInputFault::Amount,
                       Trimmed(Without(in.amount, "$,")).empty()
                           ? "Amount Financed is empty. Type the amount of the loan in "
                             "digits, for example 150000."
                           : "Amount Financed: " + Quoted(in.amount) +
                                 " is not an amount. Type it in digits only, for example "
                                 "150000 or 12000.50.");
    c.amount = static_cast<double>(amount);
    if (!(amount > 0) || !std::isfinite(amount))
        return Refused(c, LoanInputFault::Amount,
                       amount > 0 ? "Amount Financed is too large: the most is "
                                    "$1,000,000,000,000,000.00."
                                  : "Amount Financed must be more than $0.00.");
    if (amount > kMaxLoanAmount)
        return Refused(c, LoanInputFault::Amount,
                       "Amount Financed is too large: the most is $1,000,000,000,000,000.00.");
    if (RoundedCents(amount) < 1)
        return Refused(c, LoanInputFault::Amount, "Amount Financed must be at least $0.01.");

    if (!FieldNumber(in.interest, "%", rate))
        return Refused(c, LoanInputFault::Interest,
                       (Trimmed(Without(in.interest, "%")).empty()
                            ? std::string("Annual Interest is empty.")
                            : "Annual Interest: " + Quoted(in.interest) + " is not a rate.") +
                           " Type the yearly rate in percent, for example 8.25, or 0 for a "
                           "loan without interest.");
    c.rate = static_cast<double>(rate);
    if (rate < 0)
        return Refused(c, LoanInputFault::Interest,
                       "Annual Interest cannot be below 0 %. Type the yearly rate in percent, "
                       "for example 8.25.");
    if (!(rate <= kMaxLoanRate))
        return Refused(c, LoanInputFault::Interest, "Annual Interest can be at most 1000 %.");

    const char* yearsHelp =
        " Type the duration in years, for example 30, or 0.5 for six monthly payments.";
    if (!FieldNumber(in.years, "", years))
        return Refused(c, LoanInputFault::Years,
                       (Trimmed(in.years).empty() ? std::string("Duration of Loan is empty.")
                                                  : "Duration of Loan: " + Quoted(in.years) +
                                                        " is not a number of years.") +
                           yearsHelp);
    c.years = static_cast<double>(years);
    const long double n = std::nearbyint(12.0L * years);  // halves to even
    if (!(n >= 1))
        return Refused(c, LoanInputFault::Years,
                       std::string("Duration of Loan must make at least one monthly payment "
                                   "(0.05 years or more).") +
                           yearsHelp);
    if (n > kMaxLoanPayments)
        return Refused(c, LoanInputFault::Years, "Duration of Loan can be at most 1000 years.");
    c.payments = static_cast<int>(n);

    const int nc = in.periodsPerYear > 0 ? in.periodsPerYear : 12;
    const long double i = std::pow(1.0L + rate / 100 / nc, static_cast<long double>(nc) / 12) - 1;
    c.monthlyRate = i;
    const long double amountCents = RoundedCents(amount);
    // Without interest the amount is simply shared out over the payments.
    const long double exact = i > 0 ? amountCents * i / (1 - std::pow(1 + i, -n)) : amountCents / n;
    // At least a cent: an amount too small to share out over every payment is paid
    // off a cent at a time, in fewer payments, rather than by payments of nothing.
    const long double paymentCents = std::max(1.0L, std::round(exact));
    c.payment = paymentCents / 100;
    c.fault = LoanInputFault::None;

    c.rows = BuildSchedule(amountCents, paymentCents, i, c.payments, in.startDate);
    // A small loan paid off early has as many payments as rows.
    c.payments = static_cast<int>(c.rows.size());
    const long double charges = c.rows.empty() ? 0 : c.rows.back().totalInterest;
    c.texts.payment = FormatNumber(c.payment, kMoneyMask);
    c.texts.count = ValueText(static_cast<long double>(c.rows.size()), 15);
    c.texts.yearly = FormatNumber(12 * paymentCents / 100, kMoneyMask);
    c.texts.principal = FormatNumber(amountCents / 100, kMoneyMask);
    c.texts.charges = FormatNumber(charges, kMoneyMask);
    c.texts.cost = FormatNumber((amountCents + RoundedCents(charges)) / 100, kMoneyMask);
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

// The calculation holds the amount as a double: a typed value beyond its range shows as
// the infinity the calculation refuses, so that no field text grows past what the
// settings file keeps of a value.
static long double WithinDoubleRange(long double x) {
    if (std::fabs(x) > DBL_MAX) return x < 0 ? -HUGE_VALL : HUGE_VALL;
    return x;
}

std::string AmountFieldText(const std::string& typed) {
    long double value = 0;
    if (Trimmed(Without(typed, "$,")).empty()) return FormatNumber(0, kMoneyMask);
    if (!FieldNumber(typed, "$,", value)) return typed;
    return FormatNumber(WithinDoubleRange(value), kMoneyMask);
}

std::string InterestFieldText(const std::string& typed) {
    long double value = 0;
    if (!FieldNumber(typed, "%", value)) return typed;
    return FormatNumber(WithinDoubleRange(value) / 100, kRateMask);
}

std::string YearsFieldText(const std::string& typed) {
    long double value = 0;
    if (!FieldNumber(typed, "", value) || !std::isfinite(value)) return typed;
    return ValueText(value, 15);
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
