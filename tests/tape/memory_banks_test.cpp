#include "tape/memory_banks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/key_runner.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

// A session writing to a settings file of its own.
class MemoryBanksTest : public ::testing::Test {
  protected:
    std::string Stored(const std::string& key) {
        return ReadSetting(ini, kMemorySection, key, "absent");
    }

    TempFolder folder;
    std::string ini = folder.File(kSettingsFileName);
};

TEST_F(MemoryBanksTest, MemorySetStoresTheShownText) {
    KeySession session(ini);
    SessionOutcome o = session.Run("decimals=2 grouping=1 | 1234.5 MS");
    EXPECT_EQ(o.display, "1,234.50");
    EXPECT_EQ(o.memory, " M1 = 1,234.50");
    EXPECT_EQ(o.tape, std::vector<std::string>{"1,234.50 MS"});
    EXPECT_EQ(Stored("M1"), "1,234.50");
    EXPECT_EQ(Stored("M1v"), "1234.5");
    EXPECT_EQ(Stored("M2"), "absent");
    EXPECT_EQ(session.calc.state.entryText, "");
    // A digit after MS starts a new number.
    EXPECT_EQ(session.Run("7").display, "7");
}

TEST_F(MemoryBanksTest, MemoryAddKeepsShowingTheAddend) {
    KeySession session(ini);
    SessionOutcome o = session.Run("decimals=2 | 250 M+ M+");
    EXPECT_EQ(o.memory, " M1 = 500.00");
    EXPECT_EQ(o.tape, (std::vector<std::string>{"250.00 M+", "250.00 M+"}));
    EXPECT_EQ(o.display, "250.00");
    EXPECT_EQ(Stored("M1"), "500.00");
    EXPECT_EQ(Stored("M1v"), "500");
}

TEST_F(MemoryBanksTest, NegativeAndGroupedSums) {
    KeySession session(ini);
    SessionOutcome o = session.Run("1000 +/- M+ 250.25 +/- M+");
    EXPECT_EQ(o.memory, " M1 = -1,250.25");
    EXPECT_EQ(o.tape, (std::vector<std::string>{"-1,000 M+", "-250.25 M+"}));
    EXPECT_EQ(Stored("M1v"), "-1250.25");
}

TEST_F(MemoryBanksTest, SecondBankIsSeparate) {
    KeySession session(ini);
    session.Run("5 MS");
    SessionOutcome o = session.Run("2nd 7 MS");
    EXPECT_EQ(o.memory, " M2 = 7");
    EXPECT_TRUE(session.view.secondBankShown);
    EXPECT_EQ(Stored("M1"), "5");
    EXPECT_EQ(Stored("M2"), "7");
    EXPECT_EQ(Stored("M2v"), "7");

    o = session.Run("2nd");
    EXPECT_EQ(o.memory, " M1 = 5");
    EXPECT_FALSE(session.view.secondBankShown);
    EXPECT_EQ(session.Run("MR").display, "5");
    EXPECT_EQ(session.Run("2nd MR").display, "7");
}

TEST_F(MemoryBanksTest, SwitchingToAnEmptyBankShowsItsName) {
    KeySession session(ini);
    EXPECT_EQ(session.Run("2nd").memory, " M2");
    EXPECT_EQ(session.Run("2nd").memory, " M1");
    EXPECT_EQ(session.view.tape.size(), 0u);
}

TEST_F(MemoryBanksTest, MemoryClearRemovesOnlyItsBank) {
    KeySession session(ini);
    SessionOutcome o = session.Run("5 MS 2nd 7 MS MC");
    EXPECT_EQ(o.memory, " M2");
    EXPECT_EQ(o.tape, (std::vector<std::string>{"5 MS", "7 MS", "M2 Clear"}));
    EXPECT_EQ(Stored("M2"), "absent");
    EXPECT_EQ(Stored("M2v"), "absent");
    EXPECT_EQ(Stored("M1"), "5");
    EXPECT_EQ(Stored("M1v"), "5");
    EXPECT_EQ(ReadWholeFile(ini).find("M2"), std::string::npos);
    EXPECT_EQ(session.Run("MR").display, "0");
    EXPECT_EQ(session.Run("2nd").memory, " M1 = 5");
    EXPECT_EQ(session.Run("MC").tape.back(), "M1 Clear");
    EXPECT_EQ(Stored("M1"), "absent");
    EXPECT_EQ(Stored("M1v"), "absent");
}

TEST_F(MemoryBanksTest, HexValuesAreUnsigned) {
    KeySession session(ini);
    SessionOutcome o = session.Run("Hex FFFFFFFF MS");
    EXPECT_EQ(o.memory, " M1 = FFFFFFFF");
    EXPECT_EQ(session.banks.bank[0].value, 4294967295.0L);
    EXPECT_EQ(Stored("M1v"), "4294967295");
    EXPECT_EQ(session.Run("CE MR").display, "FFFFFFFF");
    EXPECT_EQ(session.Run("Dec MR").display, "4,294,967,295");
}

TEST_F(MemoryBanksTest, HexMemoryAddWritesTheSumInHex) {
    KeySession session(ini);
    SessionOutcome o = session.Run("Hex FF M+ M+");
    EXPECT_EQ(o.memory, " M1 = 1FE");
    EXPECT_EQ(o.display, "FF");
    EXPECT_EQ(o.tape, (std::vector<std::string>{"(Hex)", "FF M+", "FF M+"}));
    EXPECT_EQ(Stored("M1v"), "510");
}

TEST_F(MemoryBanksTest, RecallInOtherSystemsRoundsAndKeepsLow32Bits) {
    struct Case {
        std::string stored;
        std::string system;
        std::string shown;
    } cases[] = {
        {"4294967296", "Hex", "0"}, {"4294967297", "Hex", "1"}, {"2.5", "Hex", "2"},
        {"3.5", "Hex", "4"},        {"-1", "Hex", "FFFFFFFF"},  {"5", "Bin", "101"},
        {"8", "Oct", "10"},
    };
    for (const Case& c : cases) {
        TempFolder own;
        std::string path = own.File(kSettingsFileName);
        WriteSetting(path, kMemorySection, "M1v", c.stored);
        KeySession session(path);
        EXPECT_EQ(session.Run(c.system + " MR").display, c.shown) << c.stored << " " << c.system;
    }
}

TEST_F(MemoryBanksTest, RecallIsTakenByTheNextOperatorWithoutATapeLine) {
    KeySession session(ini);
    session.Run("5 MS Clear");
    size_t lines = session.view.tape.size();
    SessionOutcome o = session.Run("MR");
    EXPECT_EQ(o.tape.size(), lines);
    EXPECT_EQ(session.calc.state.entryActive, 1);
    EXPECT_EQ(session.calc.state.entryText, "");
    EXPECT_EQ(session.Run("+ 1 =").display, "6");
}

TEST_F(MemoryBanksTest, BanksSurviveARestart) {
    {
        KeySession first(ini);
        first.Run("decimals=2 | 1234.5 MS 2nd 7 +/- MS");
    }
    KeySession second(ini);
    SessionOutcome o = second.Run("decimals=2 |");
    EXPECT_EQ(o.memory, " M1 = 1,234.50");
    EXPECT_EQ(second.banks.active, 1);
    EXPECT_EQ(second.Run("MR").display, "1,234.50");
    o = second.Run("2nd");
    EXPECT_EQ(o.memory, " M2 = -7.00");
    EXPECT_EQ(second.Run("MR").display, "-7.00");
    EXPECT_EQ(second.Run("3 M+").memory, " M2 = -4.00");
}

TEST_F(MemoryBanksTest, AnOverflowedValueSurvivesARestart) {
    {
        KeySession first(ini);
        SessionOutcome o = first.Run("1E4000 * 1E4000 = MS");
        ASSERT_EQ(o.display, "Infinity");
        EXPECT_EQ(o.memory, " M1 = Infinity");
    }
    EXPECT_EQ(Stored("M1v"), "Infinity");
    KeySession second(ini);
    EXPECT_EQ(second.Run("MR").display, "Infinity");
    EXPECT_EQ(second.Run("5 +/- M+").memory, " M1 = Infinity");
}

TEST_F(MemoryBanksTest, EmptyFirstBankKeepsTheInitialField) {
    WriteSetting(ini, kMemorySection, "M2", "9");
    WriteSetting(ini, kMemorySection, "M2v", "9");
    KeySession session(ini);
    EXPECT_EQ(session.Run("").memory, " M1");
    EXPECT_EQ(session.Run("2nd").memory, " M2 = 9");
}

TEST_F(MemoryBanksTest, EditedFileIsUsedAsItIsOrFallsBackToZero) {
    struct Case {
        std::string text;
        std::string value;
        std::string field;
        std::string recalled;
    } cases[] = {
        {"12", "34", " M1 = 12", "34"},               // disagreeing text and value
        {"x", "abc", " M1 = x", "0"},                 // non-numeric value
        {"", "", " M1", "0"},                         // keys absent
        {"big", "1E99999", " M1 = big", "Infinity"},  // beyond any number
        {"low", "-1E99999", " M1 = low", "-Infinity"},
        {"nan", "NaN", " M1 = nan", "0"},
    };
    for (const Case& c : cases) {
        TempFolder own;
        std::string path = own.File(kSettingsFileName);
        WriteSetting(path, kMemorySection, "M1", c.text);
        WriteSetting(path, kMemorySection, "M1v", c.value);
        KeySession session(path);
        EXPECT_EQ(session.Run("").memory, c.field) << c.value;
        EXPECT_EQ(session.Run("MR").display, c.recalled) << c.value;
    }
}

TEST_F(MemoryBanksTest, WithoutSettingsFileBanksStillWork) {
    KeySession session;
    SessionOutcome o = session.Run("5 MS 3 M+ MR");
    EXPECT_EQ(o.memory, " M1 = 8");
    EXPECT_EQ(o.display, "8");
}

TEST_F(MemoryBanksTest, EveryKeyReturnsTheFocus) {
    KeySession session(ini);
    session.Run("5");
    int before = session.view.focusReturns;
    session.Run("MS M+ MR MC 2nd");
    EXPECT_EQ(session.view.focusReturns - before, 5);
}

}  // namespace
