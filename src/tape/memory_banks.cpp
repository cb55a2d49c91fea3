#include "tape/memory_banks.h"

#include <string>

#include "engine/display_format.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"
#include "settings/settings_file.h"
#include "tape/tape.h"
#include "ui/control_ids.h"

namespace {

MemoryBank& ActiveBank(Calculator& calc) {
    return calc.banks[calc.activeBank == 2 ? 1 : 0];
}

std::string BankName(int bank) {
    return bank == 2 ? "M2" : "M1";
}

int ActiveBankNumber(const Calculator& calc) {
    return calc.activeBank == 2 ? 2 : 1;
}

void ShowMemoryField(Calculator& calc) {
    calc.view->SetMemoryText(MemoryFieldText(calc));
}

// The display re-rendered as the decimal choice and grouping show numbers.
std::string RenderDisplay(Calculator& calc) {
    std::string shown = FormatDisplay(calc);
    if (calc.state.digitGrouping == 1 && IsDecimalMode(calc.state.numberMode))
        shown = ApplyDigitGrouping(calc);
    return shown;
}

// `x` exactly as the display shows numbers in the current system. In Dec the
// display is the formatter, so this leaves `x` shown there.
std::string ShowValue(Calculator& calc, long double x) {
    if (IsDecimalMode(calc.state.numberMode))
        ShowDecimalValue(calc, x);
    else
        calc.view->SetDisplayText(SystemValueText(calc.state.numberMode, x));
    return calc.view->DisplayText();
}

// The bank's two keys in the "Memory" section; empty values remove them.
void WriteBankKeys(Calculator& calc, int bank, const std::string& text,
                   const std::string& valueText) {
    if (calc.settingsPath.empty()) return;
    std::string name = BankName(bank);
    WriteSetting(calc.settingsPath, kMemorySection, name, text);
    WriteSetting(calc.settingsPath, kMemorySection, name + "v", valueText);
}

void SaveBank(Calculator& calc, int bank) {
    const MemoryBank& b = calc.banks[bank - 1];
    WriteBankKeys(calc, bank, b.text, ValueText(b.value, 15));
}

void LoadBank(Calculator& calc, const SettingsSnapshot& file, int bank) {
    MemoryBank& b = calc.banks[bank - 1];
    std::string name = BankName(bank);
    b.text = ReadSetting(file, kMemorySection, name, "");
    // "Infinity", as "MS" stores an overflowed display, comes back as it was stored:
    // the keys carry it on like any other value.
    b.value = ParseNumber(ReadSetting(file, kMemorySection, name + "v", ""));
}

}  // namespace

std::string MemoryFieldText(const Calculator& calc) {
    int bank = ActiveBankNumber(calc);
    const std::string& text = calc.banks[bank - 1].text;
    return " " + BankName(bank) + (text.empty() ? "" : " = " + text);
}

void SwitchMemoryBank(Calculator& calc) {
    calc.activeBank = ActiveBankNumber(calc) == 2 ? 1 : 2;
    bool second = calc.activeBank == 2;
    calc.view->ShowControl(kIdMem2Label, second);
    calc.view->SetToggleState(kIdSecond, second);
    ShowMemoryField(calc);
    calc.view->ReturnFocus();
}

void MemoryClear(Calculator& calc) {
    int bank = ActiveBankNumber(calc);
    ActiveBank(calc) = MemoryBank{};
    ShowMemoryField(calc);
    WriteBankKeys(calc, bank, "", "");
    AppendTapeLine(calc, BankName(bank), "Clear");
    calc.state.entryText.clear();
    calc.view->ReturnFocus();
}

void MemoryRecall(Calculator& calc) {
    ShowValue(calc, ActiveBank(calc).value);
    calc.state.entryText.clear();
    calc.state.entryActive = 1;  // the next operator takes it as if typed
    calc.view->ReturnFocus();
}

void MemorySet(Calculator& calc) {
    int bank = ActiveBankNumber(calc);
    MemoryBank& b = ActiveBank(calc);
    b.text = RenderDisplay(calc);
    ShowMemoryField(calc);
    b.value = ReadShownNumber(calc);
    AppendTapeLine(calc, b.text, "MS");
    SaveBank(calc, bank);
    calc.state.entryText.clear();
    calc.view->ReturnFocus();
}

void MemoryAdd(Calculator& calc) {
    int bank = ActiveBankNumber(calc);
    MemoryBank& b = ActiveBank(calc);
    std::string addend = RenderDisplay(calc);
    b.value += ReadShownNumber(calc);
    b.text = ShowValue(calc, b.value);
    calc.view->SetDisplayText(addend);  // the display keeps showing the addend
    ShowMemoryField(calc);
    SaveBank(calc, bank);
    AppendTapeLine(calc, addend, "M+");
    calc.state.entryText.clear();
    calc.view->ReturnFocus();
}

void LoadMemoryBanks(Calculator& calc) {
    if (calc.settingsPath.empty()) return;
    LoadMemoryBanks(calc, LoadSettingsSnapshot(calc.settingsPath));
}

void LoadMemoryBanks(Calculator& calc, const SettingsSnapshot& file) {
    if (calc.settingsPath.empty()) return;
    LoadBank(calc, file, 1);
    LoadBank(calc, file, 2);
    if (!calc.banks[0].text.empty()) calc.view->SetMemoryText(" M1 = " + calc.banks[0].text);
}
