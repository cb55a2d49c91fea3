#include "engine/key_runner.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

#include "engine/display_format.h"
#include "engine/entry.h"
#include "engine/number_system.h"
#include "engine/number_text.h"
#include "engine/operators.h"
#include "engine/percent_tax.h"
#include "settings/settings_port.h"
#include "tape/memory_banks.h"
#include "tape/tape.h"

namespace {

std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::vector<std::string> Tokens(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    return tokens;
}

bool IsSettingToken(const std::string& token) {
    size_t eq = token.find('=');
    return eq != std::string::npos && eq > 0;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsNumberToken(const std::string& token) {
    return !token.empty() && std::all_of(token.begin(), token.end(),
                                         [](char c) { return c == '.' || DigitValue(c) >= 0; });
}

int ParseIntSetting(const std::string& key, const std::string& value) {
    try {
        size_t used = 0;
        int n = std::stoi(value, &used);
        if (used == value.size()) return n;
    } catch (const std::exception&) {
    }
    throw std::invalid_argument("setting " + key + " needs a whole number, not '" + value + "'");
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

}  // namespace

std::vector<std::string> TapeOf(const std::string& lines) {
    std::vector<std::string> tape = SplitOn(lines, '|');
    for (std::string& line : tape)
        if (line == "RULE") line = kTapeRule;
    return tape;
}

std::string Describe(const SessionOutcome& o) {
    std::string s = "tape [";
    for (size_t i = 0; i < o.tape.size(); ++i) s += (i ? ", " : "") + Quoted(o.tape[i]);
    s += "] display " + Quoted(o.display) + " average " + Quoted(o.average) + " items " +
         Quoted(o.items) + " memory " + Quoted(o.memory);
    return s;
}

void PrintTo(const SessionOutcome& outcome, std::ostream* os) {
    *os << Describe(outcome);
}

KeySession::KeySession(std::string settingsPath) {
    calc.view = &view;
    if (!settingsPath.empty()) calc.settings = FileSettingsPort(settingsPath);
}

SessionOutcome KeySession::Outcome() const {
    return SessionOutcome{view.tape, view.display, view.average, view.items, view.memory};
}

void KeySession::ApplySetting(const std::string& key, const std::string& value) {
    CalculatorState& s = calc.state;
    if (key == "mode") {
        if (value == "adding")
            s.calcMode = kAddingMachineMode;
        else if (value == "calculator")
            s.calcMode = kCalculatorMode;
        else
            s.calcMode = ParseIntSetting(key, value);
    } else if (key == "decimals") {
        int choice = value == "float" ? kModeFloating : ParseIntSetting(key, value);
        if (choice < 0 || choice > kModeFloating)
            throw std::invalid_argument("decimals must be float or 0..10, not " + value);
        s.decimalSetting = static_cast<unsigned char>(choice);
        if (IsDecimalMode(s.numberMode)) s.numberMode = s.decimalSetting;
    } else if (key == "grouping") {
        s.digitGrouping = ParseIntSetting(key, value) == 1;
    } else if (key == "auto") {
        s.autoDecimal = ParseIntSetting(key, value) == 1;
    } else if (key == "tax") {
        s.taxRate = static_cast<float>(ParseNumber(value));
    } else {
        throw std::invalid_argument("unknown setting " + Quoted(key));
    }
}

// What the program's start-up does after reading the settings: the memory banks are
// read, then the number system of numberMode is shown.
void KeySession::StartUp() {
    started_ = true;
    LoadMemoryBanks(calc, banks);
    SetNumberSystem(calc, std::max(0, calc.state.numberMode - 10));
}

void KeySession::PressKey(const std::string& token) {
    static const std::map<std::string, void (*)(Calculator&)> kKeys = {
        {"+", [](Calculator& c) { ApplyOperator(c, '+'); }},
        {"-", [](Calculator& c) { ApplyOperator(c, '-'); }},
        {"*", [](Calculator& c) { ApplyOperator(c, '*'); }},
        {"x", [](Calculator& c) { ApplyOperator(c, '*'); }},
        {"/", [](Calculator& c) { ApplyOperator(c, '/'); }},
        {"=", ApplyEquals},
        {"%", ApplyPercent},
        {"1/x", ApplyReciprocal},
        {"+/-", ToggleSign},
        {"Back", Backspace},
        {"CE", ClearEntry},
        {"Clear", ClearAll},
        {"CT", ClearTape},
        {"Tax", AddTax},
        {"Chg", MakeChange},
        {"Feed", PaperFeed},
        {"Dec", [](Calculator& c) { SetNumberSystem(c, kSystemDec); }},
        {"Hex", [](Calculator& c) { SetNumberSystem(c, kSystemHex); }},
        {"Bin", [](Calculator& c) { SetNumberSystem(c, kSystemBin); }},
        {"Oct", [](Calculator& c) { SetNumberSystem(c, kSystemOct); }},
        {"Copy", CopyDisplay},
        {"Paste", PasteDisplay},
        {"Fix0", [](Calculator& c) { SelectDecimals(c, 0); }},
        {"Fix1", [](Calculator& c) { SelectDecimals(c, 1); }},
        {"Fix2", [](Calculator& c) { SelectDecimals(c, 2); }},
        {"Fix3", [](Calculator& c) { SelectDecimals(c, 3); }},
        {"Fix4", [](Calculator& c) { SelectDecimals(c, 4); }},
        {"Float", [](Calculator& c) { SelectDecimals(c, kModeFloating); }},
        {"Group", ToggleDigitGrouping},
        {"Auto", ToggleAutoDecimal},
    };
    static const std::map<std::string, void (*)(Calculator&, MemoryBanks&)> kMemoryKeys = {
        {"MC", MemoryClear}, {"MR", MemoryRecall},      {"MS", MemorySet},
        {"M+", MemoryAdd},   {"2nd", SwitchMemoryBank},
    };
    auto key = kKeys.find(token);
    auto memoryKey = kMemoryKeys.find(token);
    if (key != kKeys.end()) {
        key->second(calc);
    } else if (memoryKey != kMemoryKeys.end()) {
        memoryKey->second(calc, banks);
    } else if (token == "CT:No" || token == "CT:Cancel") {
        view.answers.push_back(token == "CT:No" ? Answer::No : Answer::Cancel);
        ClearTape(calc);
    } else if (token.rfind("Paste:", 0) == 0) {
        std::string text = token.substr(6);
        std::replace(text.begin(), text.end(), '~', ' ');
        view.PutClipboardText(text);
        view.clipboardHasText = !text.empty();
        PasteDisplay(calc);
    } else if (IsNumberToken(token)) {
        for (char c : token) {
            if (c == '.')
                EnterDecimalPoint(calc);
            else
                EnterDigit(calc, DigitValue(c));
        }
    } else {
        throw std::invalid_argument("unknown key " + Quoted(token));
    }
}

SessionOutcome KeySession::Run(const std::string& keys) {
    std::string keyPart = keys;
    size_t bar = keys.find('|');
    if (bar != std::string::npos) {
        std::vector<std::string> head = Tokens(keys.substr(0, bar));
        if (!head.empty() && std::all_of(head.begin(), head.end(), IsSettingToken)) {
            for (const std::string& setting : head) {
                size_t eq = setting.find('=');
                ApplySetting(setting.substr(0, eq), setting.substr(eq + 1));
            }
            keyPart = keys.substr(bar + 1);
        }
    }
    if (!started_) StartUp();
    for (const std::string& token : Tokens(keyPart)) PressKey(token);
    return Outcome();
}

SessionOutcome RunKeys(const std::string& keys) {
    KeySession session;
    return session.Run(keys);
}
