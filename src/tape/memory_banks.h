// The two memory banks M1 and M2, mirrored in the "Memory" section.
#pragma once

#include <string>

#include "engine/calculator.h"

struct MemoryBank {
    long double value = 0;
    std::string text;  // the value as last shown
};

struct MemoryBanks {
    MemoryBank bank[2];  // M1 and M2
    int active = 1;      // 1 or 2; not saved
};

void SwitchMemoryBank(Calculator& calc, MemoryBanks& banks);
void MemoryClear(Calculator& calc, MemoryBanks& banks);
void MemoryRecall(Calculator& calc, MemoryBanks& banks);
void MemorySet(Calculator& calc, MemoryBanks& banks);
void MemoryAdd(Calculator& calc, MemoryBanks& banks);
// Reads both banks from the "Memory" section through the calculator's settings.
void LoadMemoryBanks(Calculator& calc, MemoryBanks& banks);

// " M1", or " M1 = " + text, for the active bank.
std::string MemoryFieldText(const MemoryBanks& banks);
