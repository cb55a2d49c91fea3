// The display helpers as pure text functions, and the View menu operations.
#include "engine/display_format.h"

#include <gtest/gtest.h>

#include "engine/key_runner.h"
#include "engine/number_text.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

struct DisplayCase {
    unsigned char numberMode;
    const char* shown;
    const char* expected;
};

TEST(FormatDisplay, RendersByDecimalChoice) {
    const DisplayCase cases[] = {
        {kModeFloating, "0.33333333333333333", "0.3333333333"},
        {kModeFloating, "6", "6"},
        {kModeFloating, "0.30000000000000000001", "0.3"},
        {kModeFloating, "5.", "5"},
        {kModeFloating, "", "0"},
        {kModeFloating, "Div0 Error", "0"},
        {kModeFloating, "1,234.5", "1234.5"},
        {2, "2.675", "2.68"},  // on a half: pushed up rather than to even
        {2, "2.125", "2.13"},
        {2, "5", "5.00"},
        {2, "", "0.00"},
        {2, "1,234.567", "1234.57"},
        {1, "-2.25", "-2.3"},  // a negative half mirrors the positive one
        {3, "0.0005", "0.001"},
        {4, "1.23456", "1.2346"},
        {0, "2.5", "2.5"},  // fixed 0 shows the number as computed
        {0, "", ""},
        {0, "1,234.", "1234"},
        {7, "2.5", "2.5"},  // 5..9 act as fixed 0
        {kModeHex, "FF", "FF"},
        {kModeBin, "", ""},
    };
    for (const DisplayCase& c : cases) {
        KeySession session;
        session.calc.state.numberMode = c.numberMode;
        session.view.display = c.shown;
        EXPECT_EQ(FormatDisplay(session.calc), c.expected)
            << "mode " << int(c.numberMode) << ", display \"" << c.shown << "\"";
        EXPECT_EQ(session.view.display, c.expected) << "shown for \"" << c.shown << "\"";
    }
}

TEST(ApplyDigitGrouping, InsertsSeparatorsIntoTheIntegerPart) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234567.891", "1,234,567.891"},
        {"-1234", "-1,234"},
        {"123", "123"},
        {"1234", "1,234"},
        {"123456", "123,456"},
        {"-123456.25", "-123,456.25"},
        {"1,234", "1,234"},
        {".5", "0.5"},
        {"1234.5678", "1,234.5678"},
        // Every group of a long integer part, not only the last 21 digits.
        {"1234567890123456789012", "1,234,567,890,123,456,789,012"},
        {"1123455665666667664543212", "1,123,455,665,666,667,664,543,212"},
        {"1.12345566566666766E+24", "1.12345566566666766E+24"},
        {" 1234.5", " 1,234.5"},  // a pasted entry keeps its leading blank
        {"Div0 Error", "Div0 Error"},
        {"1E+25", "1E+25"},
        {"Infinity", "Infinity"},
        {"", ""},
    };
    for (const auto& c : cases) {
        KeySession session;
        session.view.display = c.first;
        EXPECT_EQ(ApplyDigitGrouping(session.calc), c.second) << "display \"" << c.first << "\"";
    }
}

TEST(ItemsText, CountWithTwoBlanksAndNoun) {
    EXPECT_EQ(ItemsText(0), "  0 Items");
    EXPECT_EQ(ItemsText(1), "  1 Item");
    EXPECT_EQ(ItemsText(2), "  2 Items");
    EXPECT_EQ(ItemsText(123), "  123 Items");
}

TEST(AutoDecimal, EachDigitShiftsTheTypedDigits) {
    KeySession fixed2;
    fixed2.Run("decimals=2 auto=1 grouping=1 |");
    const std::pair<const char*, const char*> steps[] = {
        {"1", "0.01"},   {"2", "0.12"},     {"3", "1.23"},      {"4", "12.34"},
        {"5", "123.45"}, {"6", "1,234.56"}, {"Back", "123.45"},
    };
    for (const auto& step : steps)
        EXPECT_EQ(fixed2.Run(step.first).display, step.second) << "after " << step.first;

    EXPECT_EQ(RunKeys("decimals=2 auto=1 | 12.5").display, "12.5") << "a typed point stops it";
    EXPECT_EQ(RunKeys("decimals=4 auto=1 | 5").display, "0.0005");
    EXPECT_EQ(RunKeys("auto=1 | 1 2").display, "12") << "no shift in floating mode";
    EXPECT_EQ(RunKeys("decimals=2 auto=1 | 150 +").tape, TapeOf("1.50  "));
}

TEST(ViewMenu, SelectDecimalsRendersAndStoresTheChoice) {
    TempFolder folder;
    std::string ini = folder.File("Tallymax.ini");
    KeySession session(ini);
    EXPECT_EQ(session.Run("10 / 4 = Fix2").display, "2.50");
    EXPECT_EQ(session.calc.state.numberMode, 2);
    EXPECT_EQ(session.calc.state.decimalSetting, 2);
    EXPECT_TRUE(session.view.MenuChecked(CalcMenuItem::Decimals2));
    EXPECT_FALSE(session.view.MenuChecked(CalcMenuItem::Floating));
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Decimal Setting1", ""), "2");
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Decimal Setting2", ""), "2");

    EXPECT_EQ(session.Run("Fix0").display, "2.5");
    EXPECT_EQ(session.Run("Float").display, "2.5");
    EXPECT_TRUE(session.view.MenuChecked(CalcMenuItem::Floating));
    EXPECT_FALSE(session.view.MenuChecked(CalcMenuItem::Decimals2));
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Decimal Setting2", ""), "10");
}

TEST(ViewMenu, IgnoredOutsideDec) {
    TempFolder folder;
    std::string ini = folder.File("Tallymax.ini");
    KeySession session(ini);
    SessionOutcome before = session.Run("255 Hex");
    EXPECT_EQ(session.Run("Fix2 Group Auto"), before);
    EXPECT_EQ(session.calc.state.numberMode, kModeHex);
    EXPECT_EQ(session.calc.state.decimalSetting, kModeFloating);
    EXPECT_EQ(session.calc.state.digitGrouping, 1);
    EXPECT_EQ(session.calc.state.autoDecimal, 0);
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Decimal Setting2", "none"), "none");
}

TEST(ViewMenu, GroupingAndAutoDecimalToggleAndPersist) {
    TempFolder folder;
    std::string ini = folder.File("Tallymax.ini");
    KeySession session(ini);
    EXPECT_EQ(session.Run("1234567").display, "1,234,567");
    EXPECT_EQ(session.Run("Group").display, "1234567");
    EXPECT_FALSE(session.view.MenuChecked(CalcMenuItem::DigitGrouping));
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Digit Grouping", ""), "0");
    EXPECT_EQ(session.Run("Group").display, "1,234,567");
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Digit Grouping", ""), "1");

    // Auto decimal changes nothing shown until the next key.
    EXPECT_EQ(session.Run("Fix2 CE 12 Auto").display, "12");
    EXPECT_TRUE(session.view.MenuChecked(CalcMenuItem::AutoDecimal));
    EXPECT_EQ(ReadSetting(ini, kMainSection, "Auto Decimal", ""), "1");
    EXPECT_EQ(session.Run("3").display, "1.23");
}

TEST(HugeValues, ShownInExponentFormAlikeOnDisplayAndTape) {
    // (123456789123456789 + 999999999999999999) x 999999 is about 1.1234556656667E+24.
    SessionOutcome o = RunKeys("123456789123456789 + 999999999999999999 = x 999999 =");
    EXPECT_EQ(o.display, "1.12345566566666767E+24");
    ASSERT_GE(o.tape.size(), 3u);
    EXPECT_EQ(o.tape[o.tape.size() - 2], o.display + " =");
    EXPECT_NEAR(static_cast<double>(ParseNumber(o.display) / 1.123455665666667664543212e24L), 1.0,
                1e-15);
    for (const char* settings : {"decimals=2", "decimals=0", "decimals=float grouping=0"}) {
        SessionOutcome fixed =
            RunKeys(std::string(settings) + " | 999999999999999999 + 1 = x 1000000 =");
        EXPECT_EQ(fixed.display, "1E+24") << settings;
    }
    // Below 10^18 the display stays plain and grouped by threes.
    EXPECT_EQ(RunKeys("99999999999999999 + 1 =").display, "100,000,000,000,000,000");
}

}  // namespace
