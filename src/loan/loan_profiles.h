// The loan profiles: up to 20 named loans in the "Loan Settings" section of the
// settings file, each in a numbered slot that it keeps for life.
#pragma once

#include <string>

#include "settings/setting_names.h"

struct LoanCalculation;

inline constexpr int kMaxLoanProfiles = 20;

// One slot, every field the text the settings file holds; an empty name is a free slot.
struct LoanProfile {
    std::string name;
    std::string principal;
    std::string interest;
    std::string years;
    std::string startDate;
    std::string compounding = "2";
    std::string locked = "0";

    bool Free() const { return name.empty(); }
};

struct LoanProfileTable {
    LoanProfile slots[kMaxLoanProfiles + 1];  // 1..20; slot 0 is never used
};

bool IsProfileSlot(int slot);

// Deletes the keys of the old single-loan layout, then reads every named slot.
LoanProfileTable LoadLoanProfileTable(const std::string& path);

// 0 when all 20 slots are taken.
int LowestFreeSlot(const LoanProfileTable& table);
// Whether a slot other than `exceptSlot` is named exactly `name` (case matters).
bool NameUsedByOtherSlot(const LoanProfileTable& table, const std::string& name, int exceptSlot);

// The input box's answer as a profile name: the settings file does not keep blanks
// and tabs around a value, so they are cut here and a name of blanks is no name.
std::string TrimmedProfileName(const std::string& answer);

// A new profile in a free slot: keys left behind in that slot go first, so that the
// new profile starts with nothing but its name.
void StoreNewProfile(const std::string& path, LoanProfileTable& table, int slot,
                     const std::string& name);
void StoreProfileName(const std::string& path, LoanProfileTable& table, int slot,
                      const std::string& name);
// Frees the slot and deletes all seven of its keys.
void EraseProfile(const std::string& path, LoanProfileTable& table, int slot);
void StoreProfileLock(const std::string& path, LoanProfileTable& table, int slot, bool locked);
// The inputs of a successful calculation, with the date field's text and the index of
// the compounding option.
void StoreProfileInputs(const std::string& path, LoanProfileTable& table, int slot,
                        const LoanCalculation& calculation, const std::string& startDate,
                        int compoundingIndex);

// A stored "CompoundingPeriods" as an option index, or -1 when it is not a whole
// number 0 to 5 (the window then keeps its current choice).
int StoredCompoundingIndex(const std::string& text);

struct CalendarDate {
    int year = 0, month = 0, day = 0;
};
// A stored "StartDate" ("MM-dd-yyyy") as a date; false unless it is a real date in
// the range the date picker takes (1753 to 9999).
bool StoredStartDate(const std::string& text, CalendarDate& date);
// "MM-dd-yyyy".
std::string StartDateText(const CalendarDate& date);
