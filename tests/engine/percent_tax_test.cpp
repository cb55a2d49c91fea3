// Percent, reciprocal, tax and change.
#include "engine/percent_tax.h"

#include <gtest/gtest.h>

#include "engine/key_runner.h"

namespace {

const std::string kTimes = "\xD7";
const std::string kDivide = "\xF7";

struct TapeCase {
    const char* keys;
    std::string tape;  // TapeOf notation
    const char* display;
};

void ExpectTapes(const std::vector<TapeCase>& cases) {
    for (const TapeCase& c : cases) {
        SessionOutcome o = RunKeys(c.keys);
        EXPECT_EQ(o.tape, TapeOf(c.tape)) << "keys: " << c.keys;
        EXPECT_EQ(o.display, c.display) << "keys: " << c.keys;
    }
}

TEST(Percent, AppliesThePendingOperator) {
    ExpectTapes({
        {"200 + 10 %", "200  |10% +|RULE|220 =|", "220"},
        {"50 %", "50 %|RULE|0.5 =|", "0.5"},
        {"200 - 25 %", "200  |25% -|RULE|150 =|", "150"},
        {"200 * 50 %", "200  |50% " + kTimes + "|RULE|100 =|", "100"},
        {"200 / 50 %", "200  |50% " + kDivide + "|RULE|400 =|", "400"},
        {"1000 + 10 %", "1,000  |10% +|RULE|1,100 =|", "1,100"},
        {"decimals=2 | 80 + 12.5 %", "80.00  |12.5% +|RULE|90.00 =|", "90.00"},
        {"mode=adding | 200 + 10 %", "200 +|10% +|RULE|220 =|", "220"},
        // A zero percentage under ÷ is a division by zero: the total stays.
        {"200 / 0 %", "200  |0% " + kDivide + "|RULE|200 =|", "200"},
    });
    SessionOutcome o = RunKeys("200 + 10 %");
    EXPECT_EQ(o.items, "  2 Items");
    EXPECT_EQ(o.average, " AVG = 200.00");

    KeySession session;
    session.Run("200 / 0 %");
    EXPECT_EQ(session.calc.state.lastResult, 200);
    EXPECT_EQ(session.calc.state.pendingOperator, "");
}

TEST(Reciprocal, ReplacesTheShownNumber) {
    EXPECT_EQ(RunKeys("4 1/x").display, "0.25");
    EXPECT_EQ(RunKeys("0 1/x").display, "Div0 Error");
    EXPECT_EQ(RunKeys("decimals=2 | 3 1/x").display, "0.33");
    EXPECT_EQ(RunKeys("4 1/x + 1 =").tape, TapeOf("0.25  |1 +|RULE|1.25 =|"));
    // The reciprocal is the next operand, and "Div0 Error" reads as 0.
    EXPECT_EQ(RunKeys("10 + 4 1/x =").tape, TapeOf("10  |0.25 +|RULE|10.25 =|"));
    EXPECT_EQ(RunKeys("10 + 0 1/x =").tape, TapeOf("10  |0 +|RULE|10 =|"));
    EXPECT_TRUE(RunKeys("0 1/x").tape.empty());
}

TEST(Tax, AddsTheRateToTheShownNumber) {
    SessionOutcome o = RunKeys("decimals=2 tax=7.5 | 100 Tax");
    EXPECT_EQ(o.tape, TapeOf("100.00 Tx"));
    EXPECT_EQ(o.display, "107.50");
    // A rate held as a float is taken as typed: 7.3, not 7.30000019...
    EXPECT_EQ(RunKeys("tax=7.3 | 100 Tax").display, "107.3");
    EXPECT_EQ(RunKeys("tax=0 | 12 Tax").display, "12");
    EXPECT_EQ(RunKeys("tax=19 | 1000 Tax").tape, TapeOf("1,000 Tx"));
    EXPECT_EQ(RunKeys("tax=19 | 1000 Tax").display, "1,190");
    // Typed before +Tax, the taxed amount is the next operand.
    EXPECT_EQ(RunKeys("tax=10 | 100 Tax + 10 =").tape, TapeOf("100 Tx|110  |10 +|RULE|120 =|"));
    // After an operator the taxed running total becomes the total, on a line of its own.
    EXPECT_EQ(RunKeys("tax=10 | 5 + 100 + Tax =").tape,
              TapeOf("5  |100 +|105 Tx|115.5 +Tx|RULE|115.5 =|"));
}

TEST(Tax, RatesOfUpToSevenDigitsActAsTyped) {
    // The float nearest a rate of seven significant digits lies closer to it than to
    // any other such rate, so the rate comes back exactly across the whole range.
    const std::pair<const char*, const char*> cases[] = {
        {"tax=9.999999 | 100 Tax", "109.999999"},
        {"tax=8.875 | 100 Tax", "108.875"},
        {"tax=-10 | 100 Tax", "90"},
        {"tax=0.000001 | 1000000 Tax", "1,000,000.01"},
        {"tax=123456.7 | 10 Tax", "12,355.67"},
    };
    for (const auto& c : cases) EXPECT_EQ(RunKeys(c.first).display, c.second) << c.first;
}

TEST(Change, AfterATotal) {
    ExpectTapes({
        {"decimals=2 | 2 + 1.5 = 5 Chg", "2.00  |1.50 +|RULE|3.50 =||5.00 - 3.50|RULE|1.50 CH|",
         "1.50"},
        {"decimals=2 | 2 + 1.5 = 0 Chg", "2.00  |1.50 +|RULE|3.50 =||No Change|RULE|0.00 CH|",
         "0.00"},
        // Less than the total gives a negative change.
        {"10 = 4 Chg", "10  |RULE|10 =||4 - 10|RULE|-6 CH|", "-6"},
        // The change becomes the last total, so a second Chg subtracts from it.
        {"decimals=2 | 2 + 1.5 = 5 Chg 2 Chg",
         "2.00  |1.50 +|RULE|3.50 =||5.00 - 3.50|RULE|1.50 CH||2.00 - 1.50|RULE|0.50 CH|", "0.50"},
        // While a calculation is open Chg only formats the display.
        {"decimals=2 | 2 + 3 Chg", "2.00  ", "3.00"},
        {"1234 = 2000 Chg", "1,234  |RULE|1,234 =||2,000 - 1,234|RULE|766 CH|", "766"},
    });
    KeySession session;
    session.Run("10 = 4 Chg");
    EXPECT_EQ(session.calc.state.lastResult, -6);
    EXPECT_EQ(session.view.items, "  1 Item") << "Chg leaves the items field as it was";
}

}  // namespace
