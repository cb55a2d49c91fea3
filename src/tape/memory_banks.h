// The two memory banks M1 and M2, mirrored in the "Memory" section.
#pragma once

#include <string>

#include "engine/calculator.h"
#include "settings/settings_file.h"

void SwitchMemoryBank(Calculator& calc);
void MemoryClear(Calculator& calc);
void MemoryRecall(Calculator& calc);
void MemorySet(Calculator& calc);
void MemoryAdd(Calculator& calc);
void LoadMemoryBanks(Calculator& calc);
// The same from the settings file as loaded at start-up.
void LoadMemoryBanks(Calculator& calc, const SettingsSnapshot& file);

// " M1", or " M1 = " + text, for the active bank.
std::string MemoryFieldText(const Calculator& calc);
