#include "loan/loan_profiles.h"

#include <gtest/gtest.h>

#include <string>

#include "loan/loan_compute.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

struct Store {
    TempFolder folder;
    std::string path = folder.File("Tallymax.ini");
    std::string Get(const std::string& key) const {
        return ReadSetting(path, kLoanSection, key, "<missing>");
    }
};

TEST(LoanProfiles, LoadReadsNamedSlotsAndDropsTheOldLayout) {
    Store s;
    WriteWholeFile(s.path,
                   "[Loan Settings]\r\nPrincipal=5000\r\nInterest=7\r\nYears=\r\n"
                   "Payments Made=12\r\nName3=Car\r\nPrincipal3=20000\r\nInterest3=5.5\r\n"
                   "Years3=5\r\nStartDate3=03-01-2024\r\nName7=House\r\nPrincipal5=9\r\n");
    LoanProfileTable t = LoadLoanProfileTable(s.path);
    EXPECT_EQ(s.Get("Principal"), "<missing>");
    EXPECT_EQ(s.Get("Interest"), "<missing>");
    EXPECT_EQ(s.Get("Payments Made"), "<missing>");
    EXPECT_EQ(s.Get("Principal5"), "9");  // a free slot's keys are not read, nor touched
    EXPECT_EQ(t.slots[3].name, "Car");
    EXPECT_EQ(t.slots[3].principal, "20000");
    EXPECT_EQ(t.slots[3].startDate, "03-01-2024");
    EXPECT_EQ(t.slots[3].compounding, "2");
    EXPECT_EQ(t.slots[3].locked, "0");
    EXPECT_EQ(t.slots[7].name, "House");
    EXPECT_TRUE(t.slots[5].Free());
    EXPECT_EQ(t.slots[5].principal, "");
    EXPECT_EQ(LowestFreeSlot(t), 1);
}

TEST(LoanProfiles, SlotsAreTakenLowestFirstAndReused) {
    Store s;
    LoanProfileTable t;
    for (int n = 1; n <= kMaxLoanProfiles; ++n) {
        int slot = LowestFreeSlot(t);
        ASSERT_EQ(slot, n);
        StoreNewProfile(s.path, t, slot, "Loan " + std::to_string(n));
    }
    EXPECT_EQ(LowestFreeSlot(t), 0);
    EraseProfile(s.path, t, 4);
    EXPECT_EQ(LowestFreeSlot(t), 4);
    EXPECT_EQ(s.Get("Name4"), "<missing>");
    EXPECT_EQ(LoadLoanProfileTable(s.path).slots[20].name, "Loan 20");
}

TEST(LoanProfiles, NamesMatchExactlyAndIgnoreTheirOwnSlot) {
    LoanProfileTable t;
    t.slots[2].name = "Alpha";
    t.slots[5].name = "Beta";
    EXPECT_TRUE(NameUsedByOtherSlot(t, "Alpha", 0));
    EXPECT_FALSE(NameUsedByOtherSlot(t, "alpha", 0));
    EXPECT_FALSE(NameUsedByOtherSlot(t, "Alpha", 2));  // a rename to its own name
    EXPECT_TRUE(NameUsedByOtherSlot(t, "Alpha", 5));
    const struct {
        const char *answer, *name;
    } cases[] = {{" Car ", "Car"}, {"\tCar", "Car"}, {"   ", ""}, {"", ""}, {"My  Car", "My  Car"}};
    for (const auto& k : cases) EXPECT_EQ(TrimmedProfileName(k.answer), k.name) << k.answer;
}

TEST(LoanProfiles, WritesOnlyTheKeysOfEachEvent) {
    Store s;
    WriteWholeFile(s.path, "[Loan Settings]\r\nLocked1=1\r\nYears1=9\r\n");  // left over
    LoanProfileTable t = LoadLoanProfileTable(s.path);
    StoreNewProfile(s.path, t, 1, "Car");
    EXPECT_EQ(ReadWholeFile(s.path), "[Loan Settings]\r\nName1=Car\r\n");

    LoanCalculation c = CalculateLoan(LoanInputs{"$100,000.00", "6.375%", "2.5", 12, ""});
    StoreProfileInputs(s.path, t, 1, c, "01-15-2025", 5);
    EXPECT_EQ(ReadWholeFile(s.path),
              "[Loan Settings]\r\nName1=Car\r\nPrincipal1=100000\r\nInterest1=6.375\r\n"
              "Years1=2.5\r\nStartDate1=01-15-2025\r\nCompoundingPeriods1=5\r\n");
    StoreProfileLock(s.path, t, 1, true);
    EXPECT_EQ(s.Get("Locked1"), "1");
    StoreProfileName(s.path, t, 1, "Truck");
    EXPECT_EQ(s.Get("Name1"), "Truck");

    LoanProfileTable back = LoadLoanProfileTable(s.path);
    EXPECT_EQ(back.slots[1].interest, "6.375");
    EXPECT_EQ(back.slots[1].locked, "1");

    EraseProfile(s.path, t, 1);
    EXPECT_EQ(ReadWholeFile(s.path), "[Loan Settings]\r\n");
    // A lock on the freed slot is not stored: the next profile there would come back locked.
    StoreProfileLock(s.path, t, 1, true);
    StoreProfileInputs(s.path, t, 1, c, "01-15-2025", 2);
    StoreProfileLock(s.path, t, 0, true);
    StoreProfileLock(s.path, t, 21, true);
    EXPECT_EQ(ReadWholeFile(s.path), "[Loan Settings]\r\n");
}

TEST(LoanProfiles, StoredCompoundingMustBeAnOption) {
    const struct {
        const char* text;
        int index;
    } cases[] = {{"0", 0},    {"2", 2}, {"5", 5},  {"6", -1},           {"-1", -1},
                 {"2.5", -1}, {"", -1}, {"x", -1}, {"99999999999", -1}, {"1e1", -1},
                 {"05", 5}};
    for (const auto& k : cases) EXPECT_EQ(StoredCompoundingIndex(k.text), k.index) << k.text;
}

TEST(LoanProfiles, StoredStartDateMustBeARealDate) {
    const struct {
        const char* text;
        bool real;
    } cases[] = {{"01-15-2025", true},  {"02-29-2024", true},  {"12-31-9999", true},
                 {"02-29-2025", false}, {"13-01-2025", false}, {"00-10-2025", false},
                 {"04-31-2025", false}, {"01-00-2025", false}, {"ab-cd-efgh", false},
                 {"1-15-2025", false},  {"01-15-1600", false}, {"01-15-20255", false}};
    for (const auto& k : cases) {
        CalendarDate d;
        EXPECT_EQ(StoredStartDate(k.text, d), k.real) << k.text;
        if (k.real) EXPECT_EQ(StartDateText(d), k.text);
    }
}

}  // namespace
