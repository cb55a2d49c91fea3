#include "loan/loan_profiles.h"

#include <cstdio>

#include "engine/number_text.h"
#include "loan/loan_compute.h"
#include "settings/settings_file.h"

namespace {

const char* const kKeyStems[] = {"Name",      "Principal",          "Interest", "Years",
                                 "StartDate", "CompoundingPeriods", "Locked"};

std::string Key(const char* stem, int slot) {
    return std::string(stem) + std::to_string(slot);
}

void DeleteSlotKeys(const std::string& path, int slot) {
    for (const char* stem : kKeyStems) WriteSetting(path, kLoanSection, Key(stem, slot), "");
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool IsProfileSlot(int slot) {
    return slot >= 1 && slot <= kMaxLoanProfiles;
}

LoanProfileTable LoadLoanProfileTable(const std::string& path) {
    for (const char* old : {"Principal", "Interest", "Years", "StartDate", "Payments Made"})
        if (!ReadSetting(path, kLoanSection, old, "").empty())
            WriteSetting(path, kLoanSection, old, "");
    LoanProfileTable table;
    for (int n = 1; n <= kMaxLoanProfiles; ++n) {
        LoanProfile& p = table.slots[n];
        p.name = ReadSetting(path, kLoanSection, Key("Name", n), "");
        if (p.Free()) continue;
        p.principal = ReadSetting(path, kLoanSection, Key("Principal", n), "");
        p.interest = ReadSetting(path, kLoanSection, Key("Interest", n), "");
        p.years = ReadSetting(path, kLoanSection, Key("Years", n), "");
        p.startDate = ReadSetting(path, kLoanSection, Key("StartDate", n), "");
        p.compounding = ReadSetting(path, kLoanSection, Key("CompoundingPeriods", n), "2");
        p.locked = ReadSetting(path, kLoanSection, Key("Locked", n), "0");
    }
    return table;
}

int LowestFreeSlot(const LoanProfileTable& table) {
    for (int n = 1; n <= kMaxLoanProfiles; ++n)
        if (table.slots[n].Free()) return n;
    return 0;
}

bool NameUsedByOtherSlot(const LoanProfileTable& table, const std::string& name, int exceptSlot) {
    for (int n = 1; n <= kMaxLoanProfiles; ++n)
        if (n != exceptSlot && !table.slots[n].Free() && table.slots[n].name == name) return true;
    return false;
}

std::string TrimmedProfileName(const std::string& answer) {
    size_t first = answer.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = answer.find_last_not_of(" \t");
    return answer.substr(first, last - first + 1);
}

void StoreNewProfile(const std::string& path, LoanProfileTable& table, int slot,
                     const std::string& name) {
    if (!IsProfileSlot(slot)) return;
    DeleteSlotKeys(path, slot);
    table.slots[slot] = LoanProfile();
    table.slots[slot].name = name;
    WriteSetting(path, kLoanSection, Key("Name", slot), name);
}

void StoreProfileName(const std::string& path, LoanProfileTable& table, int slot,
                      const std::string& name) {
    if (!IsProfileSlot(slot)) return;
    table.slots[slot].name = name;
    WriteSetting(path, kLoanSection, Key("Name", slot), name);
}

void EraseProfile(const std::string& path, LoanProfileTable& table, int slot) {
    if (!IsProfileSlot(slot)) return;
    table.slots[slot] = LoanProfile();
    table.slots[slot].name.clear();
    table.slots[slot].compounding.clear();
    table.slots[slot].locked.clear();
    DeleteSlotKeys(path, slot);
}

void StoreProfileLock(const std::string& path, LoanProfileTable& table, int slot, bool locked) {
    // A freed slot takes no lock: it would come back locked with the next profile.
    if (!IsProfileSlot(slot) || table.slots[slot].Free()) return;
    table.slots[slot].locked = locked ? "1" : "0";
    WriteSetting(path, kLoanSection, Key("Locked", slot), table.slots[slot].locked);
}

void StoreProfileInputs(const std::string& path, LoanProfileTable& table, int slot,
                        const LoanCalculation& c, const std::string& startDate,
                        int compoundingIndex) {
    if (!IsProfileSlot(slot) || table.slots[slot].Free()) return;
    LoanProfile& p = table.slots[slot];
    p.principal = ValueText(c.amount, 15);
    p.interest = ValueText(c.rate, 7);
    p.years = ValueText(c.years, 7);
    p.startDate = startDate;
    p.compounding = std::to_string(compoundingIndex);
    WriteSetting(path, kLoanSection, Key("Name", slot), p.name);
    WriteSetting(path, kLoanSection, Key("Principal", slot), p.principal);
    WriteSetting(path, kLoanSection, Key("Interest", slot), p.interest);
    WriteSetting(path, kLoanSection, Key("Years", slot), p.years);
    WriteSetting(path, kLoanSection, Key("StartDate", slot), p.startDate);
    WriteSetting(path, kLoanSection, Key("CompoundingPeriods", slot), p.compounding);
}

int StoredCompoundingIndex(const std::string& text) {
    if (text.empty() || text.size() > 3) return -1;
    for (char c : text)
        if (!IsDigit(c)) return -1;
    int index = std::stoi(text);
    return index < kCompoundingOptionCount ? index : -1;
}

bool StoredStartDate(const std::string& text, CalendarDate& date) {
    if (text.size() != 10) return false;
    for (int at : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsDigit(text[static_cast<size_t>(at)])) return false;
    CalendarDate d;
    d.month = std::stoi(text.substr(0, 2));
    d.day = std::stoi(text.substr(3, 2));
    d.year = std::stoi(text.substr(6, 4));
    if (d.year < 1753 || d.month < 1 || d.month > 12 || d.day < 1) return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    int days = kDays[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
    if (d.day > days) return false;
    date = d;
    return true;
}

std::string StartDateText(const CalendarDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", date.month, date.day, date.year);
    return text;
}
