// The calculator's one state record and the codes stored in it.
#pragma once

#include <cstdint>
#include <string>

// numberMode codes: 0..4 fixed decimals, 10 floating (all "decimal"), then the
// other number systems.
enum : unsigned char {
    kModeFloating = 10,
    kModeHex = 11,
    kModeBin = 12,
    kModeOct = 13,
};

enum CalcModeCode : int32_t { kCalculatorMode = 0, kAddingMachineMode = 1 };

struct CalculatorState {
    std::string entryText;        // raw typed characters, never grouping commas
    int entryActive = 0;          // 1 after a digit, point, sign change or 1/x
    long double total = 0;        // running result of the open calculation
    long double operand = 0;      // last operand read from the display
    std::string pendingOperator;  // "", "+", "-", "*", "/"
    int32_t itemCount = 0;        // operands entered in this calculation
    int averageShown = 0;         // the average field holds a valid average
    long double lastResult = 0;   // total of the last closed calculation
    int equalsPending = 0;        // set only while ApplyEquals runs the operator
    int32_t calcMode = kCalculatorMode;
    unsigned char numberMode = kModeFloating;
    unsigned char decimalSetting = kModeFloating;
    unsigned char autoDecimal = 0;
    unsigned char digitGrouping = 1;
    int32_t maxEntryLength = 18;
    float taxRate = 0;  // percent: 7.5 means 7.5 %
    // The display shows the typed digits shifted by the automatic point; entryText
    // still holds them as typed, for an entry that is a quantity, divisor or percentage.
    int entryShifted = 0;
    // +Tax made the taxed running total the total: the next operator key adds nothing.
    int totalTaxed = 0;
};

inline bool IsDecimalMode(unsigned char numberMode) {
    return numberMode <= kModeFloating;
}
