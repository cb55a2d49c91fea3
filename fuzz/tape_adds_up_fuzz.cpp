// Property: whatever keys are pressed, the tape adds up on paper. Random key sequences
// run through the engine in either mode, with every decimal choice, the automatic point
// and grouping on or off and a tax rate; the auditor then re-adds every calculation on
// the tape from its printed figures, and after every = the last result is the figure
// its line shows. Keys the number system disables are not pressed, as on the keypad.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/key_runner.h"
#include "engine/number_text.h"
#include "engine/tape_auditor.h"
#include "fuzz_input.h"

namespace {

// clang-format off
const char* const kKeys[] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "0", "5", "9",
    "+", "-", "*", "/", "+", "-", "=", "=", "%", "Tax", "Chg", "1/x", "+/-", "CE", "Back",
    "MS", "MR", "M+", "MC", "2nd", "Hex", "Dec", "Bin", "Oct", "A", "F", "Clear", "CT", "Feed",
    "Copy", "Paste", "Paste:1,234.56", "Paste:-0.125", "Paste:~7.5~",
    "Paste:12345678901234567", "Paste:1e3", "Fix0", "Fix2", "Fix4", "Float"};
// clang-format on
const char* const kDecimals[] = {"0", "1", "2", "3", "4", "float"};
const char* const kTaxRates[] = {"0", "7.5", "8", "19", "6.25", "12.345", "100", "0.5"};

[[noreturn]] void PropertyFailed(const std::string& what, const std::string& keys,
                                 const SessionOutcome& o) {
    std::fprintf(stderr, "property failed: %s\nkeys: %s\n%s\n", what.c_str(), keys.c_str(),
                 Describe(o).c_str());
    std::abort();
}

bool IsEqualsLine(const std::string& line) {
    return line.size() > 2 && line.compare(line.size() - 2, 2, " =") == 0 && line[0] != '(';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    uint8_t setup = in.Byte();
    const bool adding = setup & 1;
    const char* decimals = kDecimals[(setup >> 1) % 6];
    const char* tax = kTaxRates[in.Byte() % 8];
    std::string settings = std::string(adding ? "mode=adding" : "mode=calculator") +
                           " decimals=" + decimals + " grouping=" + ((setup & 16) ? "1" : "0") +
                           " auto=" + ((setup & 32) ? "1" : "0") + " tax=" + tax + " |";
    AuditSettings audit;
    audit.addingMachine = adding;
    audit.taxRate = tax;
    auto auditDecimals = [](int choice) { return choice == 0 ? -1 : choice; };
    KeySession session;
    session.Run(settings);
    audit.decimals = auditDecimals(session.calc.state.decimalSetting);
    std::string keys = settings;
    for (int pressed = 0; pressed < 300 && !in.Empty(); ++pressed) {
        const std::string key = kKeys[in.Byte() % (sizeof kKeys / sizeof kKeys[0])];
        std::string caption = key == "Tax" ? "+Tax" : key;
        if (session.view.disabledKeys.count(caption)) continue;
        keys += " " + key;
        const std::size_t linesBefore = session.view.tape.size();
        const int choiceBefore = session.calc.state.decimalSetting;
        SessionOutcome o = session.Run(key);
        const int choice = session.calc.state.decimalSetting;
        if (o.tape.size() < linesBefore) {
            // Clear Tape: the tape starts again, under the setting of now.
            audit.changes.clear();
            audit.decimals = auditDecimals(choice);
        } else if (choice != choiceBefore) {
            audit.changes.push_back({o.tape.size(), auditDecimals(choice)});
        }
        const std::vector<std::string>& tape = o.tape;
        if (IsDecimalMode(session.calc.state.numberMode) && (key == "=" || key == "%") &&
            !tape.empty() && tape.size() >= 2 && IsEqualsLine(tape[tape.size() - 2])) {
            std::string shown = WithoutCommas(tape[tape.size() - 2]);
            if (ValueText(ParseNumber(shown), 18) != ValueText(session.calc.state.lastResult, 18))
                PropertyFailed("the = line is not the last result", keys, o);
        }
    }
    AuditFinding finding = AuditTape(session.view.tape, audit);
    if (!finding.addsUp)
        PropertyFailed("line " + std::to_string(finding.line) + " " + finding.reason, keys,
                       session.Outcome());
    return 0;
}
