// Operators, equals, the item count and the average in both calculation modes.
#include "engine/operators.h"

#include <gtest/gtest.h>

#include "engine/key_runner.h"

namespace {

const std::string kTimes = "\xD7";
const std::string kDivide = "\xF7";

struct SessionCase {
    const char* keys;
    std::string tape;  // TapeOf notation
    const char* display;
    const char* average;
    const char* items;
};

void ExpectSessions(const std::vector<SessionCase>& cases) {
    for (const SessionCase& c : cases) {
        SessionOutcome expected{TapeOf(c.tape), c.display, c.average, c.items, " M1"};
        EXPECT_EQ(RunKeys(c.keys), expected) << "keys: " << c.keys;
    }
}

TEST(RoadOfOneCalculation, TwoPlusThreeStepByStep) {
    KeySession session;
    SessionOutcome o = session.Run("grouping=0 | 2");
    EXPECT_EQ(o.display, "2");
    EXPECT_EQ(session.calc.state.entryText, "2");
    o = session.Run("+");
    EXPECT_EQ(o, (SessionOutcome{{"2  "}, "2", " AVG = 2.00", "  1 Item", " M1"}));
    EXPECT_EQ(session.Run("3").display, "3");
    o = session.Run("=");
    EXPECT_EQ(o, (SessionOutcome{{"2  ", "3 +", std::string(26, '-'), "5 =", ""},
                                 "5",
                                 " AVG = 2.50",
                                 "  2 Items",
                                 " M1"}));
    const CalculatorState& s = session.calc.state;
    EXPECT_EQ(s.lastResult, 5);
    EXPECT_EQ(s.total, 0);
    EXPECT_EQ(s.itemCount, 0);
    EXPECT_EQ(s.pendingOperator, "");
    EXPECT_EQ(s.entryActive, 0);
    EXPECT_EQ(s.entryText, "");
}

TEST(Operators, BothModesSideBySide) {
    ExpectSessions({
        {"grouping=0 | 2 + 3 =", "2  |3 +|RULE|5 =|", "5", " AVG = 2.50", "  2 Items"},
        {"mode=adding grouping=0 | 2 + 3 =", "2 +|3 +|RULE|5 =|", "5", " AVG = 2.50", "  2 Items"},
        {"grouping=0 | 5 + + =", "5  |RULE|5 =|", "5", " AVG = 5.00", "  1 Item"},
        {"mode=adding grouping=0 | 5 + + =", "5 +|5 +|RULE|10 =|", "10", " AVG = 5.00",
         "  2 Items"},
        {"grouping=0 | 5 - 3 =", "5  |3 -|RULE|2 =|", "2", " AVG = 1.00", "  2 Items"},
        {"mode=adding grouping=0 | 5 - 3 =", "-5 -|3 -|RULE|-8 =|", "-8", " AVG = -4.00",
         "  2 Items"},
        {"grouping=0 | 4 * 5 =", "4  |5 " + kTimes + "|RULE|20 =|", "20", " AVG = n/a",
         "  2 Items"},
        {"mode=adding grouping=0 | 4 * 5 =", "4 " + kTimes + "|5  |RULE|20 =|", "20", " AVG = n/a",
         "  2 Items"},
        {"grouping=0 | 5 + 3 x 2 =", "5  |3 +|2 " + kTimes + "|RULE|16 =|", "16", " AVG = n/a",
         "  3 Items"},
        {"mode=adding grouping=0 | 5 + 3 * 2 =", "5 +|3 " + kTimes + "|2  |RULE|30 =|", "30",
         " AVG = n/a", "  3 Items"},
        {"grouping=0 | 9 / 2 =", "9  |2 " + kDivide + "|RULE|4.5 =|", "4.5", " AVG = n/a",
         "  2 Items"},
        {"mode=adding grouping=0 | 9 / 2 =", "9 " + kDivide + "|2  |RULE|4.5 =|", "4.5",
         " AVG = n/a", "  2 Items"},
        // Adding Machine: a repeated × without entry multiplies by the operand again.
        {"mode=adding grouping=0 | 3 * * =", "3 " + kTimes + "|3 " + kTimes + "|RULE|9 =|", "9",
         " AVG = n/a", "  2 Items"},
        {"grouping=0 | 10 + 20 + 30 =", "10  |20 +|30 +|RULE|60 =|", "60", " AVG = 20.00",
         "  3 Items"},
        // Calculator Mode: left to right, each operator applies the one before it.
        {"grouping=0 | 10 - 4 / 2 =", "10  |4 -|2 " + kDivide + "|RULE|3 =|", "3", " AVG = n/a",
         "  3 Items"},
    });
}

TEST(Operators, FloatingAndFixedResults) {
    ExpectSessions({
        {"1 / 3 =", "1  |3 " + kDivide + "|RULE|0.3333333333 =|", "0.3333333333", " AVG = n/a",
         "  2 Items"},
        {"2 * 3 =", "2  |3 " + kTimes + "|RULE|6 =|", "6", " AVG = n/a", "  2 Items"},
        // The average mask has no integer "0": values below 1 start at the point.
        {"0.1 + 0.2 =", "0.1  |0.2 +|RULE|0.3 =|", "0.3", " AVG = 0.15", "  2 Items"},
        {"decimals=2 | 2 + 3 =", "2.00  |3.00 +|RULE|5.00 =|", "5.00", " AVG = 2.50", "  2 Items"},
        // The first item is read as formatted, a later one as typed.
        {"decimals=2 | 2.675 + 2.125 =", "2.675  |2.125 +|RULE|4.80 =|", "4.80", " AVG = 2.40",
         "  2 Items"},
        {"decimals=0 | 10 / 4 =", "10  |4 " + kDivide + "|RULE|2.5 =|", "2.5", " AVG = n/a",
         "  2 Items"},
        {"decimals=4 | 2 / 3 =", "2.0000  |3.0000 " + kDivide + "|RULE|0.6667 =|", "0.6667",
         " AVG = n/a", "  2 Items"},
        {"1234 + 1000 =", "1,234  |1,000 +|RULE|2,234 =|", "2,234", " AVG = 1,117.00", "  2 Items"},
        {"decimals=2 | 999999 + 0.5 =", "999,999.00  |0.50 +|RULE|999,999.50 =|", "999,999.50",
         " AVG = 499,999.75", "  2 Items"},
    });
}

TEST(Operators, DivisionByZero) {
    ExpectSessions({
        {"8 / 0 =", "8  |Div0 Error " + kDivide + "|RULE|8 =|", "8", " AVG = n/a", "  2 Items"},
        {"decimals=2 | 8 / 0 =", "8.00  |Div0 Error " + kDivide + "|RULE|8.00 =|", "8.00",
         " AVG = n/a", "  2 Items"},
        // The calculation goes on with the unchanged total.
        {"8 / 0 / 2 =", "8  |Div0 Error " + kDivide + "|2 " + kDivide + "|RULE|4 =|", "4",
         " AVG = n/a", "  3 Items"},
        {"Hex A / 0 / 2 =",
         "(Hex)|A  |Div0 Error " + kDivide + "|2 " + kDivide + "|RULE|(Hex) 5 =|", "5",
         " AVG = n/a", "  3 Items"},
    });
    KeySession session;
    session.Run("8 / 0 =");
    EXPECT_EQ(session.calc.state.lastResult, 8);
    // A second = repeats the unchanged total, the figure its line shows.
    EXPECT_EQ(session.Run("=").tape.at(6), "8 =");
    EXPECT_EQ(session.calc.state.lastResult, 8);
}

TEST(Operators, EqualsWithoutCalculation) {
    ExpectSessions({
        {"2 + 3 = =", "2  |3 +|RULE|5 =||RULE|5 =|", "5", " AVG = 2.50", "  0 Items"},
        {"5 =", "5  |RULE|5 =|", "5", " AVG = 5.00", "  1 Item"},
        {"=", "RULE|0 =|", "0", " Avg = 0.00", "  0 Items"},
        // A result is the first item of the next calculation.
        {"2 + 3 = * 4 =", "2  |3 +|RULE|5 =||5  |4 " + kTimes + "|RULE|20 =|", "20", " AVG = n/a",
         "  2 Items"},
    });
}

TEST(Operators, AddingMachineSignFollowsTheNumber) {
    ExpectSessions({
        {"mode=adding | 10 + 4 - 3 - - =", "10 +|4 -|3 -|3 -|RULE|0 =|", "0", " AVG = 0.00",
         "  4 Items"},
        // "-" on a negative entry takes it away, turning it positive.
        {"mode=adding | 5 +/- - =", "5 -|RULE|5 =|", "5", " AVG = 5.00", "  1 Item"},
        {"mode=adding | 5 +/- + 2 + =", "-5 +|2 +|RULE|-3 =|", "-3", " AVG = -1.50", "  2 Items"},
        // A pasted number shown as computed (fixed 0) keeps its blank: the sign takes
        // its place rather than making "- 1234", which reads as nothing.
        {"mode=adding decimals=0 | Paste:~1234 - =", "-1,234 -|RULE|-1,234 =|", "-1,234",
         " AVG = -1,234.00", "  1 Item"},
        {"mode=adding decimals=0 grouping=0 | Paste:12 3 - =", "-123 -|RULE|-123 =|", "-123",
         " AVG = -123.00", "  1 Item"},
        // Other calcMode values are Calculator Mode.
        {"mode=7 | 5 + + =", "5  |RULE|5 =|", "5", " AVG = 5.00", "  1 Item"},
    });
}

TEST(Operators, HexCalculation) {
    ExpectSessions({
        {"Hex A + 6 =", "(Hex)|A  |6 +|RULE|(Hex) 10 =|", "10", " AVG = 8 (Hex)", "  2 Items"},
        {"Bin 101 * 11 =", "(Bin)|101  |11 " + kTimes + "|RULE|(Bin) 1111 =|", "1111", " AVG = n/a",
         "  2 Items"},
        {"Oct 7 + 1 =", "(Oct)|7  |1 +|RULE|(Oct) 10 =|", "10", " AVG = 4 (Oct)", "  2 Items"},
        {"Hex 0 - 1 =", "(Hex)|0  |1 -|RULE|(Hex) FFFFFFFF =|", "FFFFFFFF", " AVG = 0 (Hex)",
         "  2 Items"},
    });
}

TEST(Operators, OverflowFollowsFloatingPointRules) {
    std::string keys = "mode=adding grouping=0 | 99999999999999999 *";
    for (int i = 0; i < 300; ++i) keys += " *";
    KeySession session;
    SessionOutcome o = session.Run(keys + " =");
    EXPECT_EQ(o.display, "Infinity");
    EXPECT_EQ(o.tape.at(o.tape.size() - 2), "Infinity =");
    // The overflowed result still works as an operand and can be cleared.
    EXPECT_EQ(session.Run("+ 1 =").display, "Infinity");
    EXPECT_EQ(session.Run("Clear 2 + 3 =").display, "5");
}

}  // namespace
