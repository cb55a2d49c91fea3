// Long sessions that cross features: number systems, memory, clipboard, change.
#include <gtest/gtest.h>

#include "engine/key_runner.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

const std::string kDivide = "\xF7";

TEST(MixedSession, CalculationContinuesAcrossNumberSystems) {
    KeySession session;
    SessionOutcome o = session.Run("10 + Hex 6 =");
    EXPECT_EQ(o, (SessionOutcome{TapeOf("10  |(Hex)|6 +|RULE|(Hex) 10 =|"), "10", " AVG = 8 (Hex)",
                                 "  2 Items", " M1"}));
    o = session.Run("+ 1 = Dec");
    EXPECT_EQ(o.display, "17");
    EXPECT_EQ(o.tape.back(), "(Dec)");
    EXPECT_EQ(o.average, " AVG = 8.00") << "the Hex average read back in Dec";
}

TEST(MixedSession, DivisionByZeroInHexReadsAsZeroInDec) {
    // Read in base 16, the "D" of "Div0 Error" would count as 13.
    SessionOutcome o = RunKeys("Hex A / 0 / Dec");
    EXPECT_EQ(o.tape, TapeOf("(Hex)|A  |Div0 Error " + kDivide + "|(Dec)"));
    EXPECT_EQ(o.display, "0");
}

TEST(MixedSession, ChangeAfterPercent) {
    SessionOutcome o = RunKeys("decimals=2 | 200 + 10 % 250 Chg");
    EXPECT_EQ(o.tape, TapeOf("200.00  |10% +|RULE|220.00 =||250.00 - 220.00|RULE|30.00 CH|"));
    EXPECT_EQ(o.display, "30.00");
}

TEST(MixedSession, MemoryAddInHex) {
    KeySession session;
    SessionOutcome o = session.Run("Hex FF M+ M+ CE MR");
    EXPECT_EQ(o.tape, TapeOf("(Hex)|FF M+|FF M+"));
    EXPECT_EQ(o.memory, " M1 = 1FE");
    EXPECT_EQ(o.display, "1FE");
    o = session.Run("+ 2 = Dec");
    EXPECT_EQ(o.tape, TapeOf("(Hex)|FF M+|FF M+|1FE  |2 +|RULE|(Hex) 200 =||(Dec)"));
    EXPECT_EQ(o.display, "512");
}

TEST(MixedSession, PasteOfGroupedText) {
    SessionOutcome o = RunKeys("Paste:1,234.5");
    EXPECT_EQ(o.display, "1,234.5");
    EXPECT_EQ(RunKeys("Paste:1,234.5 + 1 =").tape, TapeOf("1,234.5  |1 +|RULE|1,235.5 =|"));
    EXPECT_EQ(RunKeys("decimals=2 | 7 + Paste:1,000 =").tape,
              TapeOf("7.00  |1,000.00 +|RULE|1,007.00 =|"));
    // A digit typed after a paste extends the pasted number's entry text.
    EXPECT_EQ(RunKeys("Paste:1,234.5 6").display, " 1,234.56");
    // Text that is no number enters zero.
    EXPECT_EQ(RunKeys("5 + Paste:abc =").tape, TapeOf("5  |0 +|RULE|5 =|"));
}

TEST(MixedSession, CopyPasteRoundTrip) {
    KeySession session;
    session.Run("1234.5 + 1 = Copy Clear Paste + 2 =");
    EXPECT_EQ(session.view.clipboard, "1,235.5");
    EXPECT_EQ(session.view.tape,
              TapeOf("1,234.5  |1 +|RULE|1,235.5 =||Copy (1,235.5)|Clear|1,235.5  |2 +|RULE|"
                     "1,237.5 =|"));
}

TEST(MixedSession, MemoryPersistsThroughTheSettingsFile) {
    TempFolder folder;
    std::string ini = folder.File("Tallymax.ini");
    {
        KeySession first(ini);
        SessionOutcome o = first.Run("decimals=2 | 1234.5 MS");
        EXPECT_EQ(o.display, "1,234.50");
        EXPECT_EQ(o.memory, " M1 = 1,234.50");
        EXPECT_EQ(o.tape, TapeOf("1,234.50 MS"));
        EXPECT_EQ(ReadSetting(ini, kMemorySection, "M1v", ""), "1234.5");
    }
    KeySession second(ini);
    SessionOutcome o = second.Run("decimals=2 |");
    EXPECT_EQ(o.memory, " M1 = 1,234.50");
    o = second.Run("MR + 1 =");
    EXPECT_EQ(o.tape, TapeOf("1,234.50  |1.00 +|RULE|1,235.50 =|"));
}

TEST(MixedSession, DecimalChoiceAndGroupingMidCalculation) {
    KeySession session;
    session.Run("1000 + 2.345");
    EXPECT_EQ(session.Run("Fix2").display, "2.345");
    EXPECT_EQ(session.Run("Group").display, "2.345");
    SessionOutcome o = session.Run("= Float");
    EXPECT_EQ(o.tape, TapeOf("1,000  |2.345 +|RULE|1002.35 =|"));
    EXPECT_EQ(o.display, "1002.35");
}

TEST(MixedSession, AddingMachineDayOfSales) {
    SessionOutcome o =
        RunKeys("mode=adding decimals=2 tax=8 | 19.99 + 5.01 + + 3 - Tax = 100 Chg Feed 2 * 3 =");
    EXPECT_EQ(o.tape, TapeOf("19.99 +|5.01 +|5.01 +|3.00 -|27.01 Tx|29.17 +Tx|RULE|29.17 =||"
                             "100.00 - 29.17|RULE|70.83 CH|||2.00 \xD7|3.00  |RULE|6.00 =|"));
    EXPECT_EQ(o.display, "6.00");
    EXPECT_EQ(o.items, "  2 Items");
}

}  // namespace
