// Runs a readable key notation through the real engine operations against a
// RecordingView, so that a test can compare a whole session's outcome at once.
//
// Notation: tokens separated by blanks, optionally preceded by settings and "|":
//   "mode=adding decimals=2 grouping=1 auto=0 tax=7.5 | 1234.5 MS MR"
// Settings: mode=calculator|adding|<int>, decimals=float|0..9, grouping=0|1, auto=0|1,
//   tax=<number>. In the first run of a session they are applied before start-up;
//   later they change the state as the options dialog and the View menu would.
// Keys: numbers are typed digit by digit ("1234.5", hex digits "A".."F"; type
//   "CE" as hex digits as "0CE", since "CE" is the key), "+", "-", "*" or "x", "/",
//   "=", "%", "1/x", "+/-", "Back", "CE", "Clear", "CT" (answered Yes), "CT:No",
//   "CT:Cancel", "Tax", "Chg", "Feed", "MC", "MR", "MS", "M+", "2nd", "Dec", "Hex",
//   "Bin", "Oct", "Copy", "Paste", "Paste:<text>" (the clipboard gets <text> first,
//   "~" standing for a blank; "Paste:" alone empties the clipboard), "Fix0".."Fix4",
//   "Float", "Group", "Auto".
// An unknown token or setting throws std::invalid_argument naming it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/recording_view.h"
#include "tape/memory_banks.h"

// The rule line that closes every calculation: 26 "-".
extern const std::string kRule;

struct SessionOutcome {
    std::vector<std::string> tape;
    std::string display;
    std::string average;
    std::string items;
    std::string memory;

    bool operator==(const SessionOutcome& o) const {
        return tape == o.tape && display == o.display && average == o.average && items == o.items &&
               memory == o.memory;
    }
};

// Tape lines written compactly: "2  |3 +|RULE|5 =|" is {"2  ", "3 +", kRule, "5 =", ""}.
std::vector<std::string> TapeOf(const std::string& lines);

// Readable form of an outcome for failure messages, tape lines in brackets.
std::string Describe(const SessionOutcome& outcome);
void PrintTo(const SessionOutcome& outcome, std::ostream* os);

class KeySession {
  public:
    // With a settings path, start-up loads the memory banks from it and every
    // settings write of the engine goes to that file.
    explicit KeySession(std::string settingsPath = "");
    KeySession(const KeySession&) = delete;
    KeySession& operator=(const KeySession&) = delete;

    // Runs the keys and returns the outcome of the whole session so far.
    SessionOutcome Run(const std::string& keys);
    SessionOutcome Outcome() const;

    RecordingView view;
    Calculator calc;
    MemoryBanks banks;

  private:
    void ApplySetting(const std::string& key, const std::string& value);
    void StartUp();
    void PressKey(const std::string& token);

    bool started_ = false;
};

// A fresh session running `keys`.
SessionOutcome RunKeys(const std::string& keys);
