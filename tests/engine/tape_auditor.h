// Reads a tape back as a bookkeeper would, and re-adds every calculation on it from the
// printed figures alone, in exact rational arithmetic: each result, taxed total and
// change must be the printed entries combined left to right with their printed
// operators, rounded once to the decimal setting, an exact half away from zero.
//
// The calculator works in 80-bit binary floating point. Where its own error could move
// a figure across a rounding boundary (a figure that lies within that error of a half,
// or past the 18 digits it carries), the auditor accepts either neighbour; an exact
// half of a figure the calculator carries in full is never excused.
#pragma once

#include <string>
#include <vector>

struct AuditSettings {
    int decimals = 10;  // results rounded to: 1..4 fixed, 10 floating, -1 as computed
    bool addingMachine = false;
    std::string taxRate = "0";  // percent, as the options dialog holds it
    // Changes of the decimal setting: from tape line `first` on, `decimals`.
    struct Change {
        std::size_t first;
        int decimals;
    };
    std::vector<Change> changes;
};

struct AuditFinding {
    bool addsUp = true;
    int line = -1;       // the first line that does not add up
    std::string reason;  // what was expected there
};

AuditFinding AuditTape(const std::vector<std::string>& lines, const AuditSettings& settings);
