#include "tape/tape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/key_runner.h"

namespace {

const char kQuestion[] =
    "Calculator|Clear tape history?  This also clears current calculations!\r\n";

const char* InkName(TapeInk ink) {
    switch (ink) {
        case TapeInk::Red:
            return "red";
        case TapeInk::Blue:
            return "blue";
        default:
            return "default";
    }
}

TEST(TapeInkTest, ColourFollowsTheLineText) {
    struct Case {
        std::string line;
        TapeInk ink;
    } cases[] = {
        {"", TapeInk::Default},
        {"12.50 +", TapeInk::Default},
        {"5.00 -", TapeInk::Red},       // ends in " -"
        {"-3.00 +", TapeInk::Red},      // negative leading number
        {"-1,000.00 +", TapeInk::Red},  // reads as -1
        {"  -7", TapeInk::Red},         // leading blanks are skipped
        {"-", TapeInk::Default},        // no number and too short for " -"
        {"4.00 M+", TapeInk::Blue},
        {"-4.00 M+", TapeInk::Blue},  // M+ comes after the red rule
        {"-1,234.50 MS", TapeInk::Blue},
        {"Copy (-2.00)", TapeInk::Blue},
        {"Copy", TapeInk::Blue},
        {"Clear", TapeInk::Blue},
        {"M2 Clear", TapeInk::Blue},
        {"(Dec)", TapeInk::Blue},
        {"(Hex)", TapeInk::Blue},
        {"(Bin)", TapeInk::Blue},
        {"(Oct)", TapeInk::Blue},
        {"(Hex) 10 =", TapeInk::Default},  // "(" ... "=" keeps the default ink
        {"(", TapeInk::Blue},
        {"Saving...", TapeInk::Blue},
        {"-5...", TapeInk::Blue},
        {"..", TapeInk::Default},
        {"5 =", TapeInk::Default},
        {"-5 =", TapeInk::Red},
        {"M", TapeInk::Default},
        {std::string(26, '-'), TapeInk::Default},  // the rule line is no number
    };
    for (const Case& c : cases)
        EXPECT_STREQ(InkName(TapeLineInk(c.line)), InkName(c.ink)) << "\"" << c.line << "\"";
}

TEST(TapeTest, LinesJoinBodyAndMarker) {
    KeySession session;
    session.Run("");
    AppendTapeLine(session.calc, "12.50", "+");
    AppendTapeLine(session.calc, "Clear", "");
    EXPECT_EQ(session.view.tape, (std::vector<std::string>{"12.50 +", "Clear"}));
}

TEST(TapeTest, PaperFeedAddsAnEmptyLine) {
    SessionOutcome o = RunKeys("5 Feed Feed");
    EXPECT_EQ(o.tape, TapeOf("|"));
    EXPECT_EQ(o.display, "5");
}

TEST(TapeTest, ClearTapeAnsweredNoOrCancelChangesNothing) {
    for (const char* answer : {"CT:No", "CT:Cancel"}) {
        KeySession session;
        SessionOutcome before = session.Run("decimals=2 | 2 + 3");
        CalculatorState state = session.calc.state;
        SessionOutcome after = session.Run(answer);
        EXPECT_EQ(after, before) << answer;
        EXPECT_EQ(session.calc.state.pendingOperator, state.pendingOperator) << answer;
        EXPECT_EQ(session.calc.state.itemCount, state.itemCount) << answer;
        EXPECT_EQ(session.calc.state.total, state.total) << answer;
        EXPECT_EQ(session.calc.state.entryText, state.entryText) << answer;
        EXPECT_EQ(session.view.questions, std::vector<std::string>{kQuestion}) << answer;
    }
}

TEST(TapeTest, ClearTapeAnsweredYesEmptiesTapeAndCalculation) {
    KeySession session;
    SessionOutcome before = session.Run("decimals=2 | 2 + 3");
    SessionOutcome o = session.Run("CT");
    EXPECT_EQ(session.view.questions, std::vector<std::string>{kQuestion});
    EXPECT_TRUE(o.tape.empty());
    EXPECT_EQ(o.display, "3.00");          // kept and re-rendered, not emptied
    EXPECT_EQ(o.average, before.average);  // the average field keeps its text
    EXPECT_EQ(o.items, "  0 Items");
    const CalculatorState& s = session.calc.state;
    EXPECT_EQ(s.total, 0);
    EXPECT_EQ(s.itemCount, 0);
    EXPECT_EQ(s.pendingOperator, "");
    EXPECT_EQ(s.entryText, "");
    // A new calculation starts from scratch: the 2 + before CT is gone.
    EXPECT_EQ(session.Run("4 + 1 =").display, "5.00");
}

TEST(TapeTest, CopyPutsTheShownTextOnClipboardAndTape) {
    KeySession session;
    session.Run("");
    session.view.display = "1,234.50";
    CopyDisplay(session.calc);
    EXPECT_EQ(session.view.clipboard, "1,234.50");
    EXPECT_EQ(session.view.tape, std::vector<std::string>{"Copy (1,234.50)"});
    EXPECT_EQ(session.view.display, "1,234.50");
}

TEST(TapeTest, PasteShowsWhatItEnters) {
    struct Case {
        std::string keys;
        std::string display;
        std::string entryText;
    } cases[] = {
        {"Paste:1,234.5", "1,234.5", " 1234.5"},
        {"Paste:-2.5", "-2.5", "-2.5"},
        {"Paste:~$12.50", "12.50", " 12.5"},
        {"Paste:~~42abc", "42", " 42"},
        {"Paste:abc", "0", " 0"},
        {"Paste:-0", "-0", " 0"},
        {"Paste:", "0", " 0"},  // no text on the clipboard
        {"Hex Paste:1F", "1F", "1F"},
        {"Hex Paste:~0x1f~", "01F", "01F"},
        {"Hex Paste:", "", ""},
    };
    for (const Case& c : cases) {
        KeySession session;
        SessionOutcome o = session.Run(c.keys);
        EXPECT_EQ(o.display, c.display) << c.keys;
        EXPECT_EQ(session.calc.state.entryText, c.entryText) << c.keys;
        EXPECT_EQ(session.calc.state.entryActive, 1) << c.keys;
        EXPECT_EQ(o.tape.size(), c.keys.rfind("Hex", 0) == 0 ? 1u : 0u) << c.keys;
    }
}

TEST(TapeTest, PastedNumberIsTakenByTheNextOperator) {
    EXPECT_EQ(RunKeys("Paste:1,234.5 + 1 =").display, "1,235.5");
    EXPECT_EQ(RunKeys("Paste:~$12.50 + 1 =").tape, TapeOf("12.5  |1 +|RULE|13.5 =|"));
    EXPECT_EQ(RunKeys("Paste:hello + 1 =").tape, TapeOf("0  |1 +|RULE|1 =|"));
}

TEST(TapeTest, CopyThenPasteRoundTrips) {
    SessionOutcome o = RunKeys("decimals=2 | 1234.5 + Copy Clear Paste");
    EXPECT_EQ(o.display, "1,234.50");
}

TEST(TapeTest, EveryOperationReturnsTheFocus) {
    KeySession session;
    session.Run("");
    int before = session.view.focusReturns;
    session.Run("Feed CT CT:No Copy Paste");
    EXPECT_EQ(session.view.focusReturns - before, 5);
}

}  // namespace
