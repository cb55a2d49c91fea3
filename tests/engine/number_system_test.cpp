#include "engine/number_system.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/key_runner.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

struct Step {
    std::string keys;
    std::string display;
    std::vector<std::string> tape;  // the whole tape after the step
};

// Runs the steps in one session; each failure names the step.
void RunSteps(const std::string& settings, const std::vector<Step>& steps) {
    KeySession session;
    session.Run(settings.empty() ? "" : settings + " |");
    for (const Step& step : steps) {
        SessionOutcome o = session.Run(step.keys);
        EXPECT_EQ(o.display, step.display) << "after \"" << step.keys << "\"";
        EXPECT_EQ(o.tape, step.tape) << "after \"" << step.keys << "\"";
    }
}

TEST(NumberSystemTest, RoundTripThroughEverySystem) {
    RunSteps("grouping=0", {
                               {"255", "255", {}},
                               {"Hex", "FF", {"(Hex)"}},
                               {"Bin", "11111111", {"(Hex)", "(Bin)"}},
                               {"Oct", "377", {"(Hex)", "(Bin)", "(Oct)"}},
                               {"Dec", "255", {"(Hex)", "(Bin)", "(Oct)", "(Dec)"}},
                           });
}

TEST(NumberSystemTest, FractionsAreLostAndDecRestoresTheDecimalChoice) {
    RunSteps("decimals=2", {
                               {"2.7", "2.7", {}},
                               {"Hex", "3", {"(Hex)"}},
                               {"Dec", "3.00", {"(Hex)", "(Dec)"}},
                           });
}

TEST(NumberSystemTest, NegativeValuesComeBackUnsigned) {
    RunSteps("grouping=0", {
                               {"1 +/-", "-1", {}},
                               {"Hex", "FFFFFFFF", {"(Hex)"}},
                               {"Dec", "4294967295", {"(Hex)", "(Dec)"}},
                           });
    RunSteps("grouping=1", {{"1 +/- Oct Dec", "4,294,967,295", {"(Oct)", "(Dec)"}}});
    RunSteps("", {{"1 +/- Bin", "11111111111111111111111111111111", {"(Bin)"}}});
    RunSteps("", {{"1 +/- Oct", "37777777777", {"(Oct)"}}});
}

TEST(NumberSystemTest, OnlyALeavingSystemOrARepeatedOtherSystemWritesALine) {
    RunSteps("decimals=2", {
                               {"5 Dec", "5.00", {}},
                               {"Hex", "5", {"(Hex)"}},
                               {"Hex", "5", {"(Hex)", "(Hex)"}},
                               {"Dec", "5.00", {"(Hex)", "(Hex)", "(Dec)"}},
                               {"Dec", "5.00", {"(Hex)", "(Hex)", "(Dec)"}},
                           });
}

TEST(NumberSystemTest, UpperBitsAreLost) {
    RunSteps("grouping=0", {{"4294967301 Hex", "5", {"(Hex)"}}});
}

TEST(NumberSystemTest, AverageFollowsTheSystem) {
    KeySession session;
    SessionOutcome o = session.Run("2 + 3 =");
    ASSERT_EQ(o.average, " AVG = 2.50");
    EXPECT_EQ(session.Run("Hex").average, " AVG = 2 (Hex)");  // 2.5 rounds to even
    EXPECT_EQ(session.Run("Bin").average, " AVG = 10 (Bin)");
    EXPECT_EQ(session.Run("Oct").average, " AVG = 2 (Oct)");
    EXPECT_EQ(session.Run("Dec").average, " AVG = 2.00");
}

TEST(NumberSystemTest, AverageSurvivesEverySwitch) {
    struct Case {
        int system;
        unsigned char mode;
        std::string average;
        std::string expected;
    } cases[] = {
        {kSystemHex, kModeHex, " AVG = 1A (Hex)", " AVG = 26.00"},
        {kSystemHex, kModeHex, " AVG = FF (Hex)", " AVG = 255.00"},
        {kSystemHex, kModeHex, " AVG = ABCDEF (Hex)", " AVG = 11,259,375.00"},
        {kSystemBin, kModeBin, " AVG = 101 (Bin)", " AVG = 5.00"},
        {kSystemOct, kModeOct, " AVG = 17 (Oct)", " AVG = 15.00"},
    };
    for (const Case& c : cases) {
        KeySession session;
        session.Run("");
        SetNumberSystem(session.calc, c.system);
        session.calc.state.averageShown = 1;
        session.view.average = c.average;
        SetNumberSystem(session.calc, kSystemDec);
        EXPECT_EQ(session.view.average, c.expected) << c.average;
    }
    // The session of the report: FF + A + 6 + in Hex averages 90.
    KeySession session;
    EXPECT_EQ(session.Run("Hex FF + A + 6 +").average, " AVG = 5A (Hex)");
    EXPECT_EQ(session.Run("Bin").average, " AVG = 1011010 (Bin)");
    EXPECT_EQ(session.Run("Dec").average, " AVG = 90.00");
    EXPECT_EQ(session.Run("Hex").average, " AVG = 5A (Hex)");
}

TEST(NumberSystemTest, AverageFieldUntouchedWhileNoAverageIsShown) {
    KeySession session;
    session.Run("");
    session.calc.state.averageShown = 0;
    session.view.average = " AVG = n/a";
    session.Run("Hex Dec");
    EXPECT_EQ(session.view.average, " AVG = n/a");
}

TEST(NumberSystemTest, DivisionErrorReadsAsZeroInEverySystem) {
    for (const char* system : {"Hex", "Bin", "Oct"}) {
        KeySession session;
        session.Run(system);
        session.view.display = "Div0 Error";
        EXPECT_EQ(session.Run("Dec").display, "0") << system;
    }
}

TEST(NumberSystemTest, EnabledKeysAndRadioPerSystem) {
    const std::set<std::string> decOnly = {"+/-", ".", "%", "+Tax", "1/x", "Chg", "Cnv"};
    auto digitsFrom = [](int first) {
        std::set<std::string> keys;
        for (int d = first; d < 16; ++d) keys.insert(std::string(1, "0123456789ABCDEF"[d]));
        return keys;
    };
    auto unite = [](std::set<std::string> a, const std::set<std::string>& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    struct Case {
        std::string key;
        int system;
        std::set<std::string> disabled;
        int maxEntryLength;
    } cases[] = {
        {"Hex", kSystemHex, decOnly, 8},
        {"Bin", kSystemBin, unite(decOnly, digitsFrom(2)), 32},
        {"Oct", kSystemOct, unite(decOnly, digitsFrom(8)), 11},
        {"Dec", kSystemDec, digitsFrom(10), 18},
    };
    KeySession session;
    session.Run("");
    EXPECT_EQ(session.view.disabledKeys, digitsFrom(10)) << "at start-up";
    for (const Case& c : cases) {
        session.Run(c.key);
        EXPECT_EQ(session.view.disabledKeys, c.disabled) << c.key;
        EXPECT_EQ(session.view.checkedSystem, c.system) << c.key;
        EXPECT_EQ(session.calc.state.maxEntryLength, c.maxEntryLength) << c.key;
    }
}

TEST(NumberSystemTest, EntryLengthLimitPerSystem) {
    std::string ones33(33, '1');
    EXPECT_EQ(RunKeys("Bin " + ones33).display, std::string(32, '1'));
    EXPECT_EQ(RunKeys("Hex 123456789").display, "12345678");
    EXPECT_EQ(RunKeys("Hex 1234567A9").display, "1234567A");
    EXPECT_EQ(RunKeys("Oct 123456701234").display, "12345670123");
}

TEST(NumberSystemTest, SwitchEndsTheEntry) {
    // The next digit starts a new number instead of extending the converted one.
    EXPECT_EQ(RunKeys("12 Hex 3").display, "3");
}

TEST(NumberSystemTest, ChoiceIsWrittenToTheSettingsFile) {
    TempFolder folder;
    std::string ini = folder.File(kSettingsFileName);
    KeySession session(ini);
    session.Run("decimals=3 |");
    struct Case {
        std::string key;
        std::string stored;
    } cases[] = {{"Hex", "11"}, {"Bin", "12"}, {"Oct", "13"}, {"Dec", "3"}};
    for (const Case& c : cases) {
        session.Run(c.key);
        EXPECT_EQ(ReadSetting(ini, kMainSection, "Decimal Setting1", "absent"), c.stored) << c.key;
    }
}

TEST(NumberSystemTest, EverySwitchReturnsTheFocus) {
    KeySession session;
    session.Run("");
    int before = session.view.focusReturns;
    session.Run("Hex Bin Oct Dec Dec");
    EXPECT_EQ(session.view.focusReturns - before, 5);
}

}  // namespace
