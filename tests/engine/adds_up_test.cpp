// Every calculation on the tape adds up from the figures printed on it: keyed figures
// are used and printed with all their digits, computed ones are rounded once, halves
// away from zero, and used as printed. One table, run through the engine and (in the
// native build) re-added by the tape auditor.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/key_runner.h"
#include "engine/number_text.h"
#include "engine/open_calculation.h"
#ifdef TALLYMAX_TAPE_AUDITOR
#include "engine/tape_auditor.h"
#endif

namespace {

const std::string kTimes = "\xD7";
const std::string kDivide = "\xF7";

struct Case {
    std::string keys;
    std::string tape;  // TapeOf notation
    const char* display;
    const char* items;
};

#ifdef TALLYMAX_TAPE_AUDITOR
// The auditor's settings from the key notation's settings part.
AuditSettings AuditSettingsFor(const std::string& keys) {
    AuditSettings a;
    std::size_t bar = keys.find('|');
    std::istringstream head(bar == std::string::npos ? "" : keys.substr(0, bar));
    for (std::string token; head >> token;) {
        std::string value = token.substr(token.find('=') + 1);
        if (token.rfind("mode=", 0) == 0) a.addingMachine = value == "adding";
        if (token.rfind("tax=", 0) == 0) a.taxRate = value;
        if (token.rfind("decimals=", 0) == 0)
            a.decimals = value == "float" ? 10 : value == "0" ? -1 : std::stoi(value);
    }
    return a;
}
#endif

const Case kCases[] = {
    // The first entry is used as keyed, and so is a later one: 125.00 both ways.
    {"decimals=2 | 0.125 * 1000 =", "0.125  |1,000.00 " + kTimes + "|RULE|125.00 =|", "125.00",
     "  2 Items"},
    {"decimals=2 | 1000 * 0.125 =", "1,000.00  |0.125 " + kTimes + "|RULE|125.00 =|", "125.00",
     "  2 Items"},
    {"decimals=2 | 2.345 + 2.345 =", "2.345  |2.345 +|RULE|4.69 =|", "4.69", "  2 Items"},
    // Keyed figures padded to the decimals, results rounded once (5.625 to 5.63).
    {"decimals=2 | 3 + 2.5 + 0.125 =", "3.00  |2.50 +|0.125 +|RULE|5.63 =|", "5.63", "  3 Items"},
    // A refund mirrors its sale.
    {"decimals=2 | 0 - 2.345 =", "0.00  |2.345 -|RULE|-2.35 =|", "-2.35", "  2 Items"},
    {"mode=adding decimals=2 | 0 - 2.345 - =", "0.00 -|2.345 -|RULE|-2.35 =|", "-2.35",
     "  2 Items"},
    {"decimals=2 tax=7.5 | 1 +/- Tax", "-1.00 Tx", "-1.08", " 0 Items"},
    {"decimals=2 tax=7.5 | 1 Tax", "1.00 Tx", "1.08", " 0 Items"},
    // +Tax on a closed result: = and Chg go on from the taxed amount.
    {"decimals=2 tax=7.5 | 100 + 0 = Tax = 200 Chg",
     "100.00  |0.00 +|RULE|100.00 =||100.00 Tx|107.50 +Tx|RULE|107.50 =||200.00 - 107.50|RULE|"
     "92.50 CH|",
     "92.50", "  0 Items"},
    {"mode=adding decimals=2 tax=7.5 | 100 + 0 = Tax 200 Chg",
     "100.00 +|0.00 +|RULE|100.00 =||100.00 Tx|107.50 +Tx|200.00 - 107.50|RULE|92.50 CH|", "92.50",
     "  2 Items"},
    // +Tax on a running total makes it the total; an operator right after adds nothing.
    {"mode=adding decimals=2 tax=7.5 | 100 + 50 + Tax 20 + =",
     "100.00 +|50.00 +|150.00 Tx|161.25 +Tx|20.00 +|RULE|181.25 =|", "181.25", "  3 Items"},
    {"mode=adding decimals=2 tax=7.5 | 100 + Tax + =",
     "100.00 +|100.00 Tx|107.50 +Tx|RULE|107.50 =|", "107.50", "  1 Item"},
    // On a typed entry the next operator takes the taxed amount, printed as that entry.
    {"decimals=2 tax=7.5 | 100 Tax + 10 =", "100.00 Tx|107.50  |10.00 +|RULE|117.50 =|", "117.50",
     "  2 Items"},
    // The automatic point is for amounts added or subtracted.
    {"decimals=2 auto=1 | 1999 * 3 =", "1,999.00  |3.00 " + kTimes + "|RULE|5,997.00 =|",
     "5,997.00", "  2 Items"},
    {"mode=adding decimals=2 auto=1 | 1999 + 1 + =", "19.99 +|0.01 +|RULE|20.00 =|", "20.00",
     "  2 Items"},
    {"decimals=2 auto=1 | 20000 + 15 %", "200.00  |15% +|RULE|230.00 =|", "230.00", "  2 Items"},
    {"decimals=2 auto=1 | 5000 / 4 =", "5,000.00  |4.00 " + kDivide + "|RULE|1,250.00 =|",
     "1,250.00", "  2 Items"},
    // Memory gives back what was stored, every digit.
    {"decimals=2 | 0.125 MS Clear MR + 1 =", "0.125 MS|Clear|0.125  |1.00 +|RULE|1.13 =|", "1.13",
     "  2 Items"},
    // What the calculator computed goes on as printed: after =, and after 1/x.
    {"decimals=2 | 10 / 3 = * 3 =",
     "10.00  |3.00 " + kDivide + "|RULE|3.33 =||3.33  |3.00 " + kTimes + "|RULE|9.99 =|", "9.99",
     "  2 Items"},
    {"decimals=2 | 3 1/x + 1 =", "0.33  |1.00 +|RULE|1.33 =|", "1.33", "  2 Items"},
    {"2 / 3 = * 3 =",
     "2  |3 " + kDivide + "|RULE|0.6666666667 =||0.6666666667  |3 " + kTimes +
         "|RULE|2.0000000001 =|",
     "2.0000000001", "  2 Items"},
    // The choice 0 shows results as computed, and goes on with them as printed.
    {"decimals=0 | 10 / 4 =", "10  |4 " + kDivide + "|RULE|2.5 =|", "2.5", "  2 Items"},
    {"decimals=0 | 1 / 3 = Chg",
     "1  |3 " + kDivide +
         "|RULE|0.333333333333333333 =||0.333333333333333333 - 0.333333333333333333|RULE|0 CH|",
     "0", "  2 Items"},
    // Chg subtracts the last total as it is shown after a change of decimals.
    {"decimals=3 | 0.125 = Fix2 Chg", "0.125  |RULE|0.125 =||0.13 - 0.13|RULE|0.00 CH|", "0.00",
     "  1 Item"},
    // A recalled figure keeps its digits through Back; a tiny one is written out.
    {"decimals=2 | 0.125 MS Clear MR Back + 1 =", "0.125 MS|Clear|0.125  |1.00 +|RULE|1.13 =|",
     "1.13", "  2 Items"},
    {"decimals=2 | .000000000001 + 1 =", "0.000000000001  |1.00 +|RULE|1.00 =|", "1.00",
     "  2 Items"},
    // The second operand of an Adding Machine product needs no sign of its own while
    // the operator line above shows it, a feed between or not.
    {"mode=adding decimals=2 | 4 * Feed 5 =", "4.00 " + kTimes + "||5.00  |RULE|20.00 =|", "20.00",
     "  2 Items"},
};

TEST(AddsUp, TapesAddUpOnPaper) {
    for (const Case& c : kCases) {
        KeySession session;
        SessionOutcome o = session.Run(c.keys);
        EXPECT_EQ(o.tape, TapeOf(c.tape)) << c.keys;
        EXPECT_EQ(o.display, c.display) << c.keys;
        EXPECT_EQ(o.items, c.items) << c.keys;
        // The = line and the last result are one figure.
        if (!o.tape.empty() && o.tape.back().empty() && o.tape.size() >= 2 &&
            o.tape[o.tape.size() - 2].find(" =") != std::string::npos)
            EXPECT_EQ(session.calc.state.lastResult,
                      ParseNumber(WithoutCommas(o.tape[o.tape.size() - 2])))
                << c.keys;
#ifdef TALLYMAX_TAPE_AUDITOR
        // The auditor reads a tape of one decimal setting.
        if (c.keys.find("Fix") != std::string::npos) continue;
        AuditFinding f = AuditTape(o.tape, AuditSettingsFor(c.keys));
        EXPECT_TRUE(f.addsUp) << c.keys << ": " << f.reason;
#endif
    }
}

TEST(AddsUp, TheOpenColumnGoesOnAfterARestart) {
    KeySession before;
    before.Run("mode=adding decimals=2 | 111.11 + 222.22 + 333.33 +");
    std::string kept = OpenCalculationText(before.calc);

    KeySession after;
    after.Run("mode=adding decimals=2 |");
    ASSERT_TRUE(ResumeOpenCalculation(after.calc, kept));
    EXPECT_EQ(after.view.display, "666.66");
    EXPECT_EQ(after.view.items, "  3 Items");
    SessionOutcome o = after.Run("444.44 + =");
    EXPECT_EQ(o.tape, TapeOf("444.44 +|RULE|1,111.10 =|"));
    EXPECT_EQ(o.items, "  4 Items");

    // What it did not write changes nothing.
    for (const std::string& foreign : {std::string(), std::string("calc1"), kept + "\t1",
                                       std::string("calc1\tZZ") + kept.substr(5)}) {
        KeySession fresh;
        fresh.Run("grouping=1 |");
        EXPECT_FALSE(ResumeOpenCalculation(fresh.calc, foreign)) << foreign;
        EXPECT_EQ(fresh.calc.state.pendingOperator, "");
    }
}

#ifdef TALLYMAX_TAPE_AUDITOR
TEST(AddsUp, TheAuditorFindsTheFirstLineThatDoesNotAddUp) {
    AuditSettings two;
    two.decimals = 2;
    two.taxRate = "7.5";
    const std::pair<std::string, int> tapes[] = {
        {"0.13  |1,000.00 " + kTimes + "|RULE|125.00 =|", 3},  // a rounded first entry
        {"0.00  |2.345 -|RULE|-2.34 =|", 3},                   // a half towards zero
        {"100.00 =||100.00 Tx|107.50 +Tx|200.00 - 100.00|RULE|92.50 CH|", 4},
        {"150.00 +|150.00 Tx|161.26 +Tx|RULE|161.26 =|", 2},
        {"5.00 =||RULE|4.00 =|", 3},
        {"2.00 =||5.00 Tx|5.38 +Tx|", 2},  // tax on a closed result is on that result
    };
    for (const auto& [tape, line] : tapes) {
        AuditFinding f = AuditTape(TapeOf(tape), two);
        EXPECT_FALSE(f.addsUp) << tape;
        EXPECT_EQ(f.line, line) << tape << ": " << f.reason;
    }
}
#endif

}  // namespace
