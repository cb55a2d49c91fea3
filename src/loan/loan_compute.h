// The loan computation: the monthly payment, the totals and the amortization schedule
// from the texts of the loan window's input fields, and the texts it shows them in.
#pragma once

#include <string>
#include <vector>

// A compounding option of the loan window, in the order of its drop-down list (the
// index is what a profile stores).
struct CompoundingOption {
    const char* text;
    int periodsPerYear;
};
inline constexpr int kCompoundingOptionCount = 6;
extern const CompoundingOption kCompoundingOptions[kCompoundingOptionCount];
inline constexpr int kMonthlyCompounding = 2;

// 1,000 years of monthly payments: a longer schedule would take minutes to build and
// gigabytes to hold, so such a duration is refused like a non-positive one.
inline constexpr int kMaxLoanPayments = 12000;

inline constexpr const char* kMoneyMask = "$#,###,###.00";
// Two to four decimals: a two-decimal mask would round 6.375 % to 6.38 % and the
// calculation would then use the rounded rate.
inline constexpr const char* kRateMask = "0.00##%";

struct LoanInputs {
    std::string amount;    // as the amount field shows it ("$100,000.00")
    std::string interest;  // as the interest field shows it ("8.25%")
    std::string years;     // as typed
    int periodsPerYear = 12;
    std::string startDate;  // "MM-dd-yyyy"
};

// Which input stopped the calculation; the window puts the focus on it.
enum class LoanInputFault { None, Amount, Interest, Years };

// Money in whole cents, as a lender's statement holds it: the payment is the one shown,
// each row's interest is rounded to the cent, and the totals are sums of printed cells.
struct ScheduleRow {
    int month = 1;  // 1..12
    int year = 0;
    long double principal = 0, interest = 0, totalPrincipal = 0, totalInterest = 0, balance = 0;
};

// The six result fields, as the window shows them.
struct LoanResultTexts {
    std::string payment, count, yearly, principal, charges, cost;
};

struct LoanCalculation {
    LoanInputFault fault = LoanInputFault::Amount;
    std::string faultMessage;  // names the field and what it needs
    double amount = 0;
    double rate = 0;  // percent
    double years = 0;
    long double monthlyRate = 0;
    int payments = 0;
    long double payment = 0;  // rounded to the cent
    LoanResultTexts texts;
    std::vector<ScheduleRow> rows;
};

// The largest amount financed: beyond it a cent is no longer held exactly.
inline constexpr double kMaxLoanAmount = 1e15;
// The highest annual rate in percent; above it the totals outgrow the cents they add up.
inline constexpr double kMaxLoanRate = 1000;

LoanCalculation CalculateLoan(const LoanInputs& inputs);

// The schedule's columns: "#", "Date", "Principal", "Interest", "T.Principal",
// "T.Interest", "Balance".
inline constexpr int kScheduleColumnCount = 7;
struct ScheduleColumn {
    const char* header;
    int width;
    bool centred;
};
extern const ScheduleColumn kScheduleColumns[kScheduleColumnCount];

// The text of `column` in the row numbered `number` (1 for the first payment).
std::string ScheduleCellText(const ScheduleRow& row, int number, int column);

// The amount field after it loses the focus: its value as money ("" gives $0.00); a
// text that is not a number stays as typed, for the calculation to name.
std::string AmountFieldText(const std::string& typed);
// The interest field after it loses the focus: "8.25" shows "8.25%"; empty, or not a
// number, stays as typed.
std::string InterestFieldText(const std::string& typed);

// The years field after it loses the focus: a number as a plain decimal text (".5"
// shows "0.5", "30." shows "30", on paper ".5" reads as 5); anything else as typed.
std::string YearsFieldText(const std::string& typed);

// What the tape block and the printed report are made of: the window's texts.
struct LoanSheet {
    std::string name, amount, interest, years, compounding;
    LoanResultTexts results;
};

// The 15 lines of the "Loan Analysis..." block on the tape.
std::vector<std::string> LoanTapeLines(const LoanSheet& sheet);
