#include "loan/loan_compute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/number_text.h"

namespace {

LoanInputs Inputs(const std::string& amount, const std::string& rate, const std::string& years,
                  int periods = 12, const std::string& start = "01-15-2025") {
    return LoanInputs{amount, rate, years, periods, start};
}

std::string Row(const LoanCalculation& c, int number) {
    const ScheduleRow& row = c.rows.at(static_cast<size_t>(number - 1));
    std::string line;
    for (int column = 1; column < kScheduleColumnCount; ++column) {
        if (column > 1) line += " ";
        line += ScheduleCellText(row, number, column);
    }
    return line;
}

TEST(LoanCompute, WorkedExampleComesOutToTheCent) {
    LoanCalculation c = CalculateLoan(Inputs("$100,000.00", "8.25%", "30"));
    ASSERT_EQ(c.fault, LoanInputFault::None);
    EXPECT_DOUBLE_EQ(static_cast<double>(c.monthlyRate), 0.006875);
    EXPECT_EQ(c.payments, 360);
    EXPECT_EQ(c.texts.payment, "$751.27");
    EXPECT_EQ(c.texts.count, "360");
    EXPECT_EQ(c.texts.yearly, "$9,015.24");
    EXPECT_EQ(c.texts.principal, "$100,000.00");
    EXPECT_EQ(c.texts.charges, "$170,451.76");
    EXPECT_EQ(c.texts.cost, "$270,451.76");
    ASSERT_EQ(c.rows.size(), 360u);
    EXPECT_EQ(Row(c, 1), "01/2025 $63.77 $687.50 $63.77 $687.50 $99,936.23");
    EXPECT_EQ(Row(c, 2), "02/2025 $64.21 $687.06 $127.98 $1,374.56 $99,872.02");
    // The payment shown is a fraction of a cent above the exact one: the last pays less.
    EXPECT_EQ(Row(c, 360), "12/2054 $740.74 $5.09 $100,000.00 $170,451.76 $0.00");
    EXPECT_EQ(ScheduleCellText(c.rows[359], 360, 0), "360");
}

TEST(LoanCompute, CompoundingChangesOnlyTheMonthlyRate) {
    const struct {
        int option;
        const char* payment;
    } cases[] = {{5, "$730.53"}, {0, "$753.20"}, {2, "$751.27"}};
    for (const auto& k : cases) {
        int periods = kCompoundingOptions[k.option].periodsPerYear;
        LoanCalculation c = CalculateLoan(Inputs("100000", "8.25", "30", periods));
        EXPECT_EQ(c.texts.payment, k.payment) << kCompoundingOptions[k.option].text;
        EXPECT_EQ(c.payments, 360) << kCompoundingOptions[k.option].text;
    }
    // No option chosen counts as monthly.
    EXPECT_EQ(CalculateLoan(Inputs("100000", "8.25", "30", 0)).texts.payment, "$751.27");
}

TEST(LoanCompute, PaymentCountRoundsHalvesToEven) {
    const struct {
        const char* years;
        int payments;
    } cases[] = {{".5", 6}, {"2.375", 28}, {"2.5417", 31}, {".125", 2}, {"1", 12}, {"1000", 12000}};
    for (const auto& k : cases)
        EXPECT_EQ(CalculateLoan(Inputs("1000", "12", k.years)).payments, k.payments) << k.years;
    LoanCalculation c = CalculateLoan(Inputs("1000", "12", "1"));
    EXPECT_DOUBLE_EQ(static_cast<double>(c.monthlyRate), 0.01);
    EXPECT_EQ(c.texts.payment, "$88.85");
}

TEST(LoanCompute, UnusableInputsNameTheirField) {
    const struct {
        const char *amount, *rate, *years;
        LoanInputFault fault;
    } cases[] = {
        {"", "8", "30", LoanInputFault::Amount},
        {"$0.00", "8", "30", LoanInputFault::Amount},
        {"12k", "8", "30", LoanInputFault::Amount},
        {"1E+16", "8", "30", LoanInputFault::Amount},
        {"-$5.00", "8", "30", LoanInputFault::Amount},
        {"Infinity", "8", "30", LoanInputFault::Amount},
        {"1E+400", "8", "30", LoanInputFault::Amount},
        {"abc", "8", "30", LoanInputFault::Amount},
        {"1000", "", "30", LoanInputFault::Interest},
        {"1000", "0.00%", "30", LoanInputFault::None},
        {"1000", "8 %", "30", LoanInputFault::None},
        {"1000", "8.2.5", "30", LoanInputFault::Interest},
        {"1000", "-3", "30", LoanInputFault::Interest},
        {"1000", "Infinity", "30", LoanInputFault::Interest},
        {"1000", "1E+50", "30", LoanInputFault::Interest},
        {"1000", "1000.01", "30", LoanInputFault::Interest},
        {"1000", "1E-60", "30", LoanInputFault::None},  // as good as 0 %
        {"1000", "1E-20", "30", LoanInputFault::None},
        {"1000", "8", "", LoanInputFault::Years},
        {"1000", "8", "0", LoanInputFault::Years},
        {"1000", "8", "-1", LoanInputFault::Years},
        {"1000", "8", "Infinity", LoanInputFault::Years},
        {"1000", "8", ".04", LoanInputFault::Years},      // 0.48 payments
        {"1000", "8", "1000.05", LoanInputFault::Years},  // 12001 payments
        {"1000", "8", "30 years", LoanInputFault::Years},
        {"1E+308", "1E+30", "30", LoanInputFault::Amount},  // infinite totals
        {"1000", "8", ".05", LoanInputFault::None},         // one payment
    };
    for (const auto& k : cases) {
        LoanCalculation c = CalculateLoan(Inputs(k.amount, k.rate, k.years));
        std::string name = std::string(k.amount) + " | " + k.rate + " | " + k.years;
        EXPECT_EQ(c.fault, k.fault) << name;
        EXPECT_EQ(c.faultMessage.empty(), k.fault == LoanInputFault::None) << name;
        if (k.fault != LoanInputFault::None) EXPECT_TRUE(c.rows.empty()) << name;
    }
    LoanCalculation one = CalculateLoan(Inputs("1000", "12", ".05"));
    EXPECT_EQ(one.texts.payment, "$1,010.00");
    EXPECT_EQ(Row(one, 1), "01/2025 $1,000.00 $10.00 $1,000.00 $10.00 $0.00");
    // The message names the field and what it needs; "12k" is not $12.
    const struct {
        const char *amount, *rate, *years, *message;
    } messages[] = {
        {"12k", "8", "30",
         "Amount Financed: \"12k\" is not an amount. Type it in digits only, for example "
         "150000 or 12000.50."},
        {"1000", "", "30",
         "Annual Interest is empty. Type the yearly rate in percent, for example 8.25, or 0 for "
         "a loan without interest."},
        {"1000", "8", "0",
         "Duration of Loan must make at least one monthly payment (0.05 years or more). Type "
         "the duration in years, for example 30, or 0.5 for six monthly payments."},
    };
    for (const auto& k : messages)
        EXPECT_EQ(CalculateLoan(Inputs(k.amount, k.rate, k.years)).faultMessage, k.message);
}

// Without interest the payment is the amount shared out, and nothing is charged.
TEST(LoanCompute, InterestFreeLoan) {
    LoanCalculation c = CalculateLoan(Inputs("$1,000.00", "0", "2.5"));
    ASSERT_EQ(c.fault, LoanInputFault::None);
    EXPECT_EQ(c.texts.payment, "$33.33");
    EXPECT_EQ(c.texts.count, "30");
    EXPECT_EQ(c.texts.charges, "$0.00");
    EXPECT_EQ(c.texts.cost, "$1,000.00");
    EXPECT_EQ(Row(c, 1), "01/2025 $33.33 $0.00 $33.33 $0.00 $966.67");
    EXPECT_EQ(Row(c, 30), "06/2027 $33.43 $0.00 $1,000.00 $0.00 $0.00");
}

// Every schedule foots as a lender's statement does: the columns add up to the running
// totals and the totals to the fields, in whole cents.
TEST(LoanCompute, SchedulesFoot) {
    for (const char* amount : {"100000", "123456.78", "1000", "250", "1250000"}) {
        for (const char* rate : {"0", "3", "6.5", "8.25", "29"}) {
            for (const char* years : {"1", "7.5", "15", "30"}) {
                for (int periods : {12, 365, 1}) {
                    LoanCalculation c = CalculateLoan(Inputs(amount, rate, years, periods));
                    std::string name = std::string(amount) + " " + rate + " " + years + " " +
                                       std::to_string(periods);
                    ASSERT_EQ(c.fault, LoanInputFault::None) << name;
                    long long principal = 0, interest = 0;
                    for (const ScheduleRow& row : c.rows) {
                        principal += std::llround(row.principal * 100);
                        interest += std::llround(row.interest * 100);
                        EXPECT_EQ(principal, std::llround(row.totalPrincipal * 100)) << name;
                        EXPECT_EQ(interest, std::llround(row.totalInterest * 100)) << name;
                    }
                    EXPECT_EQ(ScheduleCellText(c.rows.back(), 1, 6), "$0.00") << name;
                    EXPECT_EQ(ScheduleCellText(c.rows.back(), 1, 4), c.texts.principal) << name;
                    EXPECT_EQ(ScheduleCellText(c.rows.back(), 1, 5), c.texts.charges) << name;
                    EXPECT_EQ(c.texts.count, std::to_string(c.rows.size())) << name;
                    long long payment = std::llround(c.payment * 100);
                    EXPECT_EQ(c.texts.yearly, FormatNumber(12 * payment / 100.0L, kMoneyMask))
                        << name;
                    for (size_t k = 0; k + 1 < c.rows.size(); ++k)
                        EXPECT_EQ(std::llround((c.rows[k].principal + c.rows[k].interest) * 100),
                                  payment)
                            << name << " row " << k + 1;
                }
            }
        }
    }
}

TEST(LoanCompute, MonthsRunIntoTheNextYear) {
    LoanCalculation c = CalculateLoan(Inputs("1000", "12", ".25", 12, "11-30-2024"));
    std::vector<std::string> dates;
    for (const ScheduleRow& row : c.rows) dates.push_back(ScheduleCellText(row, 1, 1));
    EXPECT_EQ(dates, (std::vector<std::string>{"11/2024", "12/2024", "01/2025"}));
}

TEST(LoanCompute, FinalBalanceNeverNegative) {
    for (const char* rate : {"3", "5.5", "6.375", "12", "17.9", "29"}) {
        for (const char* years : {"1", "7.5", "15", "30"}) {
            LoanCalculation c = CalculateLoan(Inputs("123456.78", rate, years));
            ASSERT_FALSE(c.rows.empty()) << rate << " " << years;
            std::string last = ScheduleCellText(c.rows.back(), c.payments, 6);
            EXPECT_NE(last[0], '-') << rate << " " << years << ": " << last;
            EXPECT_EQ(c.rows.back().balance, 0) << rate << " " << years;
        }
    }
}

TEST(LoanCompute, FieldsAfterLosingTheFocus) {
    const struct {
        const char *typed, *amount;
    } amounts[] = {{"100000", "$100,000.00"},
                   {"$1,234.5", "$1,234.50"},
                   {"", "$0.00"},
                   {"abc", "abc"},
                   {"-12", "-$12.00"},
                   {"1234567890", "$1,234,567,890.00"},
                   {"12k", "12k"},
                   {"0.44", "$0.44"}};
    for (const auto& k : amounts) EXPECT_EQ(AmountFieldText(k.typed), k.amount) << k.typed;
    const struct {
        const char *typed, *rate;
    } rates[] = {
        {"8.25", "8.25%"}, {"6.375", "6.375%"},    {"8.25%", "8.25%"},     {"7", "7.00%"}, {"", ""},
        {"0", "0.00%"},    {"5.12345", "5.1234%"}, {"5.12355", "5.1236%"}, {"x", "x"}};
    for (const auto& k : rates) EXPECT_EQ(InterestFieldText(k.typed), k.rate) << k.typed;
    const struct {
        const char *typed, *years;
    } years[] = {{".5", "0.5"}, {"30.", "30"}, {"2.375", "2.375"}, {"abc", "abc"}, {"", ""}};
    for (const auto& k : years) EXPECT_EQ(YearsFieldText(k.typed), k.years) << k.typed;
    // The shown rate is the rate used.
    LoanCalculation c = CalculateLoan(Inputs("100000", InterestFieldText("6.375"), "30"));
    EXPECT_EQ(c.rate, 6.375);
    EXPECT_EQ(c.texts.payment, "$623.87");
}

TEST(LoanCompute, TapeBlockOfFifteenLines) {
    LoanSheet s{
        "House",   "$100,000.00",
        "8.25%",   "30",
        "Monthly", {"$751.27", "360", "$9,015.20", "$100,000.00", "$170,455.98", "$270,455.98"}};
    std::vector<std::string> expected = {"Loan Analysis...",
                                         "Loan Name: House",
                                         "Amount Financed: $100,000.00",
                                         "Annual Interest: 8.25%",
                                         "Duration in Years: 30",
                                         "Compounded: Monthly",
                                         "",
                                         "Monthly Payments: $751.27",
                                         "Total # Payments: 360",
                                         "Yearly Prin + Int: $9,015.20",
                                         "",
                                         "Principal Amount: $100,000.00",
                                         "Finance Charges: $170,455.98",
                                         "Total Cost: $270,455.98",
                                         ""};
    EXPECT_EQ(LoanTapeLines(s), expected);
}

}  // namespace
