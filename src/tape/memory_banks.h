// The two memory banks M1 and M2, mirrored in the "Memory" section.
#pragma once

#include <string>

#include "engine/calculator.h"

void SwitchMemoryBank(Calculator& calc);
void MemoryClear(Calculator& calc);
void MemoryRecall(Calculator& calc);
void MemorySet(Calculator& calc);
void MemoryAdd(Calculator& calc);
void LoadMemoryBanks(Calculator& calc);

// " M1", or " M1 = " + text, for the active bank.
std::string MemoryFieldText(const Calculator& calc);
