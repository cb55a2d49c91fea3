#include "loan/loan_compute.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    EXPECT_EQ(c.monthlyRate, 0.006875f);
    EXPECT_EQ(c.payments, 360);
    EXPECT_EQ(c.texts.payment, "$751.27");
    EXPECT_EQ(c.texts.count, "360");
    EXPECT_EQ(c.texts.yearly, "$9,015.20");
    EXPECT_EQ(c.texts.principal, "$100,000.00");
    EXPECT_EQ(c.texts.charges, "$170,455.98");
    EXPECT_EQ(c.texts.cost, "$270,455.98");
    ASSERT_EQ(c.rows.size(), 360u);
    EXPECT_EQ(Row(c, 1), "01/2025 $63.77 $687.50 $63.77 $687.50 $99,936.23");
    // $64.20 if the monthly rate were held in double.
    EXPECT_EQ(Row(c, 2), "02/2025 $64.21 $687.06 $127.97 $1,374.56 $99,872.03");
    EXPECT_EQ(Row(c, 360), "12/2054 $746.14 $5.13 $100,000.00 $170,455.98 $.00");
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

TEST(LoanCompute, OptionTextsAndColumnsInOrder) {
    const char* texts[] = {"Daily", "Weekly", "Monthly", "Quarterly", "Semi-Annually", "Annualy"};
    const int periods[] = {365, 52, 12, 4, 2, 1};
    for (int i = 0; i < kCompoundingOptionCount; ++i) {
        EXPECT_STREQ(kCompoundingOptions[i].text, texts[i]);
        EXPECT_EQ(kCompoundingOptions[i].periodsPerYear, periods[i]) << texts[i];
    }
    EXPECT_STREQ(kCompoundingOptions[kMonthlyCompounding].text, "Monthly");
    const char* headers[] = {"#",           "Date",       "Principal", "Interest",
                             "T.Principal", "T.Interest", "Balance"};
    const int widths[] = {30, 60, 80, 80, 80, 80, 80};
    for (int i = 0; i < kScheduleColumnCount; ++i) {
        EXPECT_STREQ(kScheduleColumns[i].header, headers[i]);
        EXPECT_EQ(kScheduleColumns[i].width, widths[i]) << headers[i];
        EXPECT_EQ(kScheduleColumns[i].centred, i == 0) << headers[i];
    }
}

TEST(LoanCompute, PaymentCountRoundsHalvesToEven) {
    const struct {
        const char* years;
        int payments;
    } cases[] = {{".5", 6}, {"2.375", 28}, {"2.5417", 31}, {".125", 2}, {"1", 12}, {"1000", 12000}};
    for (const auto& k : cases)
        EXPECT_EQ(CalculateLoan(Inputs("1000", "12", k.years)).payments, k.payments) << k.years;
    LoanCalculation c = CalculateLoan(Inputs("1000", "12", "1"));
    EXPECT_EQ(c.monthlyRate, 0.01f);
    EXPECT_EQ(c.texts.payment, "$88.85");
}

TEST(LoanCompute, UnusableInputsNameTheirField) {
    const struct {
        const char *amount, *rate, *years;
        LoanInputFault fault;
    } cases[] = {
        {"", "8", "30", LoanInputFault::Amount},
        {"$.00", "8", "30", LoanInputFault::Amount},
        {"-$5.00", "8", "30", LoanInputFault::Amount},
        {"Infinity", "8", "30", LoanInputFault::Amount},
        {"1E+400", "8", "30", LoanInputFault::Amount},
        {"abc", "8", "30", LoanInputFault::Amount},
        {"1000", "", "30", LoanInputFault::Interest},
        {"1000", "0.00%", "30", LoanInputFault::Interest},
        {"1000", "-3", "30", LoanInputFault::Interest},
        {"1000", "Infinity", "30", LoanInputFault::Interest},
        {"1000", "1E+50", "30", LoanInputFault::Interest},  // beyond float: infinite
        {"1000", "1E-60", "30", LoanInputFault::Interest},  // 0 in float
        {"1000", "1E-20", "30", LoanInputFault::Interest},  // 1 + rate per month is 1
        {"1000", "8", "", LoanInputFault::Years},
        {"1000", "8", "0", LoanInputFault::Years},
        {"1000", "8", "-1", LoanInputFault::Years},
        {"1000", "8", "Infinity", LoanInputFault::Years},
        {"1000", "8", ".04", LoanInputFault::Years},        // 0.48 payments
        {"1000", "8", "1000.05", LoanInputFault::Years},    // 12001 payments
        {"1E+308", "1E+30", "30", LoanInputFault::Amount},  // infinite totals
        {"1000", "8", ".05", LoanInputFault::None},         // one payment
    };
    for (const auto& k : cases) {
        LoanCalculation c = CalculateLoan(Inputs(k.amount, k.rate, k.years));
        std::string name = std::string(k.amount) + " | " + k.rate + " | " + k.years;
        EXPECT_EQ(c.fault, k.fault) << name;
        if (k.fault != LoanInputFault::None) EXPECT_TRUE(c.rows.empty()) << name;
    }
    LoanCalculation one = CalculateLoan(Inputs("1000", "12", ".05"));
    EXPECT_EQ(one.texts.payment, "$1,010.00");
    EXPECT_EQ(Row(one, 1), "01/2025 $1,000.00 $10.00 $1,000.00 $10.00 $.00");
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
            EXPECT_LE(c.rows.back().balance, 0.05) << rate << " " << years;
        }
    }
}

TEST(LoanCompute, FieldsAfterLosingTheFocus) {
    const struct {
        const char *typed, *amount;
    } amounts[] = {
        {"100000", "$100,000.00"}, {"$1,234.5", "$1,234.50"}, {"", "$.00"},
        {"abc", "$.00"},           {"-12", "-$12.00"},        {"1234567890", "$1,234,567,890.00"}};
    for (const auto& k : amounts) EXPECT_EQ(AmountFieldText(k.typed), k.amount) << k.typed;
    const struct {
        const char *typed, *rate;
    } rates[] = {
        {"8.25", "8.25%"}, {"6.375", "6.375%"}, {"8.25%", "8.25%"},     {"7", "7.00%"},
        {"", ""},          {"0", "0.00%"},      {"5.12345", "5.1234%"}, {"5.12355", "5.1236%"}};
    for (const auto& k : rates) EXPECT_EQ(InterestFieldText(k.typed), k.rate) << k.typed;
    // The shown rate is the rate used.
    LoanCalculation c = CalculateLoan(Inputs("100000", InterestFieldText("6.375"), "30"));
    EXPECT_EQ(c.rate, 6.375f);
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
