// Number entry and the clearing keys, as whole sessions.
#include "engine/entry.h"

#include <gtest/gtest.h>

#include "engine/key_runner.h"

namespace {

struct ShownCase {
    const char* keys;
    const char* display;
};

void ExpectDisplays(const ShownCase* begin, const ShownCase* end) {
    for (const ShownCase* c = begin; c != end; ++c)
        EXPECT_EQ(RunKeys(c->keys).display, c->display) << "keys: " << c->keys;
}

TEST(NumberEntry, DigitsPointAndLimits) {
    const ShownCase cases[] = {
        {"grouping=0 | 1234", "1234"},
        {"1234", "1,234"},
        {"0 0", "0"},
        {"0 5", "5"},
        {". 5", "0.5"},
        {"0 . 5", "0.5"},
        {"1..5", "1..5"},         // every press appends a point
        {"decimals=2 | 5", "5"},  // the mask waits for the next operator
        {"decimals=2 grouping=0 | 1234 +", "1234.00"},
        {"decimals=2 | 1234 +", "1,234.00"},
        // Dec takes 18 characters; a point may still follow, then nothing more.
        {"grouping=0 | 1234567890123456789", "123456789012345678"},
        {"grouping=0 | 123456789012345678 . 5", "123456789012345678."},
        {"Hex 123456789", "12345678"},
        {"Hex ABCDEF12 3", "ABCDEF12"},
        {"Hex 0ABC", "ABC"},
        {"Bin 1010", "1010"},
        {"Oct 123456701234", "12345670123"},
    };
    ExpectDisplays(std::begin(cases), std::end(cases));
}

TEST(NumberEntry, BinTakesThirtyTwoDigits) {
    std::string ones(33, '1');
    EXPECT_EQ(RunKeys("Bin " + ones).display, std::string(32, '1'));
}

TEST(NumberEntry, SignAndBackspace) {
    const ShownCase cases[] = {
        {"5 +/-", "-5"},
        {"5 +/- +/-", "5"},
        {"5 +/- Back", "0"},  // "-" is left, becomes "" and shows as zero
        {"decimals=2 | 5 +/- Back", "0.00"},
        {"1234 +/-", "-1,234"},
        {"1234 +/- +/-", "1,234"},
        {"0 +/-", "0"},  // zero has no sign
        {"+/-", "0"},
        {"12345 Back", "1,234"},
        {"decimals=2 | 5 Back", "0.00"},
        {"decimals=2 auto=1 | 123 Back", "0.12"},
        {"2 + 3 = Back", "5"},  // after = Back only re-renders the result
        {"2 + 3 = +/-", "-5"},
        {"Hex FF Back", "F"},
        {"Hex F Back", ""},
    };
    ExpectDisplays(std::begin(cases), std::end(cases));
}

TEST(NumberEntry, SignOfAResultIsANewEntry) {
    // +/- on the shown total makes it the next operand.
    EXPECT_EQ(RunKeys("grouping=0 | 2 + 3 = +/- + 1 =").tape,
              TapeOf("2  |3 +|RULE|5 =||-5  |1 +|RULE|-4 =|"));
    // A number typed after +/- keeps its sign in entryText.
    KeySession session;
    session.Run("5 +/- 1");
    EXPECT_EQ(session.calc.state.entryText, "-51");
    EXPECT_EQ(session.view.display, "-51");
}

TEST(NumberEntry, SignOfAPastedNumber) {
    // A pasted number keeps a blank in front of its entry (and a pasted text may have
    // one too); the sign takes the blank's place so the number still reads.
    struct PastedCase {
        const char* keys;
        const char* display;
        std::string tape;
    } cases[] = {
        {"Paste:1234.5 +/- + 1 =", "-1,233.5", "-1,234.5  |1 +|RULE|-1,233.5 =|"},
        {"Paste:1234.5 6 +/- + 1 =", "-1,233.56", "-1,234.56  |1 +|RULE|-1,233.56 =|"},
        {"Paste:1234.5 +/- 6 + 1 =", "-1,233.56", "-1,234.56  |1 +|RULE|-1,233.56 =|"},
        {"Paste:~1234 +/- + 1 =", "-1,233", "-1,234  |1 +|RULE|-1,233 =|"},
        {"Paste:~-5 +/- + 1 =", "6", "5  |1 +|RULE|6 =|"},
        {"Paste:12 +/- +/- 3 + 1 =", "124", "123  |1 +|RULE|124 =|"},
    };
    for (const PastedCase& c : cases) {
        SessionOutcome o = RunKeys(c.keys);
        EXPECT_EQ(o.display, c.display) << "keys: " << c.keys;
        EXPECT_EQ(o.tape, TapeOf(c.tape)) << "keys: " << c.keys;
    }
    KeySession session;
    session.Run("Paste:1234.5 +/-");
    EXPECT_EQ(session.calc.state.entryText, "-1234.5");
    EXPECT_EQ(session.view.display, "-1234.5") << "the pasted text as it was, signed";
}

TEST(NumberEntry, BackspaceThroughAPastedNumber) {
    // Only the blank in front of a pasted entry is left: the entry is empty and the
    // display shows zero, not a blank.
    KeySession session;
    session.Run("Paste:12 Back");
    EXPECT_EQ(session.view.display, " 1");
    session.Run("Back");
    EXPECT_EQ(session.calc.state.entryText, "");
    EXPECT_EQ(session.view.display, "0");
    EXPECT_EQ(session.Run("7 + 1 =").tape, TapeOf("7  |1 +|RULE|8 =|"));
}

TEST(ClearKeys, ClearEntryKeepsTheCalculation) {
    EXPECT_EQ(RunKeys("decimals=2 | 7 CE").display, "0.00");
    EXPECT_EQ(RunKeys("decimals=0 | 7 CE").display, "");
    EXPECT_EQ(RunKeys("Hex F CE").display, "");
    EXPECT_EQ(RunKeys("2 + 9 CE 3 =").tape, TapeOf("2  |3 +|RULE|5 =|"));
}

TEST(ClearKeys, ClearAbandonsTheCalculation) {
    SessionOutcome o = RunKeys("2 + 3 * Clear");
    EXPECT_EQ(o, (SessionOutcome{TapeOf("2  |3 +|Clear"), "0", " AVG = 0.00", "  0 Items", " M1"}));
    EXPECT_EQ(RunKeys("decimals=0 | 2 + 3 Clear").display, "");
    // The next number starts a new calculation; the last result survives.
    KeySession session;
    session.Run("4 = 2 + Clear 6 + 1 =");
    EXPECT_EQ(session.view.tape, TapeOf("4  |RULE|4 =||2  |Clear|6  |1 +|RULE|7 =|"));
    session.Run("Clear =");
    EXPECT_EQ(session.view.display, "7") << "= repeats the last result, as its line shows";
    EXPECT_EQ(session.calc.state.lastResult, 7);
}

TEST(ClearKeys, ClearTapeAsksAndResets) {
    KeySession session;
    SessionOutcome before = session.Run("2 + 3");
    EXPECT_EQ(session.Run("CT:No"), before);
    EXPECT_EQ(session.Run("CT:Cancel"), before);
    ASSERT_EQ(session.view.questions.size(), 2u);
    EXPECT_EQ(session.view.questions[0],
              "Calculator|Clear tape history?  This also clears current calculations!\r\n");

    SessionOutcome cleared = session.Run("CT");
    EXPECT_EQ(cleared, (SessionOutcome{{}, "3", " AVG = 2.00", "  0 Items", " M1"}));
    EXPECT_EQ(session.Run("+ 1 =").tape, TapeOf("3  |1 +|RULE|4 =|"));
}

TEST(NumberEntry, EveryKeyReturnsTheFocus) {
    const char* keys[] = {"1", ".", "+/-", "Back", "CE",  "Clear", "+",     "-",     "*",    "/",
                          "=", "%", "1/x", "Tax",  "Chg", "Fix2",  "Float", "Group", "Auto", "CT"};
    for (const char* key : keys) {
        KeySession session;
        session.Run("5");
        int before = session.view.focusReturns;
        session.Run(key);
        EXPECT_GT(session.view.focusReturns, before) << "key " << key;
    }
}

}  // namespace
