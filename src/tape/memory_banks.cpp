#include "tape/memory_banks.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"
#include "settings/setting_names.h"
#include "tape/tape.h"

namespace {

MemoryBank& ActiveBank(MemoryBanks& banks) {
    return banks.bank[banks.active == 2 ? 1 : 0];
}

std::string BankName(int bank) {
    return bank == 2 ? "M2" : "M1";
}

int ActiveBankNumber(const MemoryBanks& banks) {
    return banks.active == 2 ? 2 : 1;
}

void ShowMemoryField(Calculator& calc, const MemoryBanks& banks) {
    calc.view->SetMemoryText(MemoryFieldText(banks));
}

// The display re-rendered as it is used: in Dec a keyed figure with all its digits,
// a computed one as the decimal choice rounds it.
std::string RenderDisplay(Calculator& calc) {
    if (IsDecimalMode(calc.state.numberMode)) return RenderShownDecimal(calc);
    return FormatDisplay(calc);
}

// `x` exactly as the display shows numbers in the current system: in Dec a memory
// value is a keyed figure, shown with every digit it holds.
std::string ShowValue(Calculator& calc, long double x) {
    if (IsDecimalMode(calc.state.numberMode))
        ShowKeyedValue(calc, x);
    else
        calc.view->SetDisplayText(SystemValueText(calc.state.numberMode, x));
    return calc.view->DisplayText();
}

// The bank's two keys in the "Memory" section; empty values remove them.
void WriteBankKeys(Calculator& calc, int bank, const std::string& text,
                   const std::string& valueText) {
    std::string name = BankName(bank);
    WriteCalcSetting(calc, kMemorySection, name, text);
    WriteCalcSetting(calc, kMemorySection, name + "v", valueText);
}

void SaveBank(Calculator& calc, const MemoryBanks& banks, int bank) {
    const MemoryBank& b = banks.bank[bank - 1];
    WriteBankKeys(calc, bank, b.text, ValueText(b.value, 15));
}

void LoadBank(const Calculator& calc, MemoryBanks& banks, int bank) {
    MemoryBank& b = banks.bank[bank - 1];
    std::string name = BankName(bank);
    b.text = ReadCalcSetting(calc, kMemorySection, name, "");
    // "Infinity", as "MS" stores an overflowed display, comes back as it was stored:
    // the keys carry it on like any other value.
    b.value = ParseNumber(ReadCalcSetting(calc, kMemorySection, name + "v", ""));
}

}  // namespace

std::string MemoryFieldText(const MemoryBanks& banks) {
    int bank = ActiveBankNumber(banks);
    const std::string& text = banks.bank[bank - 1].text;
    return " " + BankName(bank) + (text.empty() ? "" : " = " + text);
}

void SwitchMemoryBank(Calculator& calc, MemoryBanks& banks) {
    banks.active = ActiveBankNumber(banks) == 2 ? 1 : 2;
    calc.view->ShowSecondBank(banks.active == 2);
    ShowMemoryField(calc, banks);
    calc.view->ReturnFocus();
}

void MemoryClear(Calculator& calc, MemoryBanks& banks) {
    int bank = ActiveBankNumber(banks);
    ActiveBank(banks) = MemoryBank{};
    ShowMemoryField(calc, banks);
    WriteBankKeys(calc, bank, "", "");
    AppendTapeLine(calc, BankName(bank), "Clear");
    calc.state.entryText.clear();
    calc.view->ReturnFocus();
}

void MemoryRecall(Calculator& calc, MemoryBanks& banks) {
    ShowValue(calc, ActiveBank(banks).value);
    calc.state.entryText.clear();
    calc.state.entryActive = 1;  // the next operator takes it as if typed
    calc.view->ReturnFocus();
}

void MemorySet(Calculator& calc, MemoryBanks& banks) {
    int bank = ActiveBankNumber(banks);
    MemoryBank& b = ActiveBank(banks);
    b.text = RenderDisplay(calc);
    ShowMemoryField(calc, banks);
    b.value = ReadShownNumber(calc);
    AppendTapeLine(calc, b.text, "MS");
    SaveBank(calc, banks, bank);
    calc.state.entryText.clear();
    calc.view->ReturnFocus();
}

void MemoryAdd(Calculator& calc, MemoryBanks& banks) {
    int bank = ActiveBankNumber(banks);
    MemoryBank& b = ActiveBank(banks);
    std::string addend = RenderDisplay(calc);
    b.value += ReadShownNumber(calc);
    b.text = ShowValue(calc, b.value);
    calc.view->SetDisplayText(addend);  // the display keeps showing the addend
    ShowMemoryField(calc, banks);
    SaveBank(calc, banks, bank);
    AppendTapeLine(calc, addend, "M+");
    calc.state.entryText.clear();
    calc.view->ReturnFocus();
}

void LoadMemoryBanks(Calculator& calc, MemoryBanks& banks) {
    if (!calc.settings.read) return;
    LoadBank(calc, banks, 1);
    LoadBank(calc, banks, 2);
    if (!banks.bank[0].text.empty()) calc.view->SetMemoryText(" M1 = " + banks.bank[0].text);
}
