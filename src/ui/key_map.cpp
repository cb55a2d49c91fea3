#include "ui/key_map.h"

#include <iterator>

#include "engine/calc_state.h"
#include "ui/control_ids.h"

namespace {

struct KeyCase {
    int key;
    const KeyboardFlags& flags;
    const KeyContext& context;
};

using Condition = bool (*)(const KeyCase&);

enum class FlagChange { None, ShiftOn, ShiftOff, CtrlOn, CtrlOff };

// One row of a table. In the key-down table `button` is shown pressed before the
// command runs; in the key-up table `button` and `secondButton` are released.
struct KeyRow {
    int keys[3];
    Condition when;
    int button;
    int secondButton;
    int command;
    FlagChange flagChange;
    bool updateNumLockField;
    bool returnFocus;
};

bool IsLetter(int key) {
    return key >= 'A' && key <= 'Z';
}
bool IsBin(const KeyCase& k) {
    return k.context.numberMode == kModeBin;
}
bool IsDecimal(const KeyCase& k) {
    return IsDecimalMode(k.context.numberMode);
}
bool IsDecimalOrHex(const KeyCase& k) {
    return k.context.numberMode <= kModeHex;
}
bool IsHex(const KeyCase& k) {
    return k.context.numberMode == kModeHex;
}

bool Always(const KeyCase&) {
    return true;
}
bool ShiftUp(const KeyCase& k) {
    return k.flags.shift == 0;
}
bool ShiftHeld(const KeyCase& k) {
    return k.flags.shift != 0;
}
bool CtrlHeld(const KeyCase& k) {
    return k.flags.ctrl != 0;
}
bool LaptopMapOn(const KeyCase& k) {
    return k.context.laptopMap;
}
// The letters of the laptop map count only while the map is on.
bool MapLetterAllowed(const KeyCase& k) {
    return k.context.laptopMap || !IsLetter(k.key);
}

// With the map on, "0" divides (row before) and "M" is the zero; with it off, "M" is
// just a letter.
bool ZeroAllowed(const KeyCase& k) {
    return k.context.laptopMap ? k.key != '0' : k.key != 'M';
}
bool MapDigitNotBin(const KeyCase& k) {
    return MapLetterAllowed(k) && !IsBin(k);
}
bool FiveAllowed(const KeyCase& k) {
    return ShiftUp(k) && MapDigitNotBin(k);
}
bool PercentAllowed(const KeyCase& k) {
    return ShiftHeld(k) && IsDecimal(k) && MapLetterAllowed(k);
}
bool NotBin(const KeyCase& k) {
    return !IsBin(k);
}
bool EightAllowed(const KeyCase& k) {
    return ShiftUp(k) && IsDecimalOrHex(k);
}
bool PlusFromEqualsOrPad(const KeyCase& k) {
    return k.key == kVkPadPlus || ShiftHeld(k);
}
bool MultiplyAllowed(const KeyCase& k) {
    return LaptopMapOn(k) || k.key == kVkPadMultiply;
}
bool MinusAllowed(const KeyCase& k) {
    return LaptopMapOn(k) || k.key == kVkPadMinus || k.key == kVkMinus;
}
// Ctrl+C copies in every number system, so the Hex letter "C" waits for Ctrl to be up.
bool CtrlUpAndHex(const KeyCase& k) {
    return !CtrlHeld(k) && IsHex(k);
}

constexpr int kPad(int digit) {
    return kVkPad0 + digit;
}

constexpr FlagChange kNoFlag = FlagChange::None;

// Key-down table, examined in order; the first row whose keys include the key and whose
// condition holds decides. A row whose condition fails is skipped, not final.
const KeyRow kKeyDownRows[] = {
    {{kVkBackspace}, Always, kIdBack, 0, kIdBack, kNoFlag, false, false},
    {{kVkShift}, Always, 0, 0, 0, FlagChange::ShiftOn, false, false},
    {{kVkCtrl}, Always, 0, 0, 0, FlagChange::CtrlOn, false, false},
    {{kVkDelete}, Always, kIdCE, 0, kIdCE, kNoFlag, false, false},
    {{kVkEscape}, ShiftUp, kIdClear, 0, kIdClear, kNoFlag, false, false},
    {{kVkEscape}, ShiftHeld, 0, 0, kIdCT, FlagChange::ShiftOff, false, false},
    {{kVkSpace}, Always, kIdStopwatchStart, 0, 0, kNoFlag, false, false},
    {{kVkUp}, Always, kIdFeed, 0, kIdFeed, kNoFlag, false, false},
    {{'0'}, LaptopMapOn, kIdDivide, 0, kIdDivide, kNoFlag, false, false},
    {{'0', kPad(0), 'M'}, ZeroAllowed, kIdKey0, 0, kIdKey0, kNoFlag, false, false},
    {{'1', kPad(1), 'J'}, MapLetterAllowed, kIdKey1, 0, kIdKey1, kNoFlag, false, false},
    {{'2', kPad(2), 'K'}, MapDigitNotBin, kIdKey2, 0, kIdKey2, kNoFlag, false, false},
    {{'3', kPad(3), 'L'}, MapDigitNotBin, kIdKey3, 0, kIdKey3, kNoFlag, false, false},
    {{'4', kPad(4), 'U'}, MapDigitNotBin, kIdKey4, 0, kIdKey4, kNoFlag, false, false},
    {{'5', kPad(5), 'I'}, FiveAllowed, kIdKey5, 0, kIdKey5, kNoFlag, false, false},
    {{'5', kPad(5), 'I'}, PercentAllowed, kIdPercent, 0, kIdPercent, kNoFlag, false, false},
    {{'6', kPad(6), 'O'}, MapDigitNotBin, kIdKey6, 0, kIdKey6, kNoFlag, false, false},
    {{'7', kPad(7)}, NotBin, kIdKey7, 0, kIdKey7, kNoFlag, false, false},
    {{'8', kPad(8)}, EightAllowed, kIdKey8, 0, kIdKey8, kNoFlag, false, false},
    {{'8', kPad(8)}, ShiftHeld, kIdMultiply, 0, kIdMultiply, kNoFlag, false, false},
    {{'9', kPad(9)}, IsDecimalOrHex, kIdKey9, 0, kIdKey9, kNoFlag, false, false},
    {{kVkPeriod, kVkPadPoint}, IsDecimal, kIdPoint, 0, kIdPoint, kNoFlag, false, false},
    {{kVkEquals}, ShiftUp, kIdEquals, 0, kIdEquals, kNoFlag, false, false},
    {{kVkEquals, kVkPadPlus}, PlusFromEqualsOrPad, kIdPlus, 0, kIdPlus, kNoFlag, false, false},
    {{kVkEnter}, Always, kIdEquals, 0, kIdEquals, kNoFlag, false, false},
    {{kVkPadMultiply, 'P'}, MultiplyAllowed, kIdMultiply, 0, kIdMultiply, kNoFlag, false, false},
    {{kVkPadMinus, kVkMinus, kVkSemicolon},
     MinusAllowed,
     kIdMinus,
     0,
     kIdMinus,
     kNoFlag,
     false,
     false},
    {{kVkSlash}, LaptopMapOn, kIdPlus, 0, kIdPlus, kNoFlag, false, false},
    {{kVkSlash, kVkPadDivide}, Always, kIdDivide, 0, kIdDivide, kNoFlag, false, false},
    {{'A'}, IsHex, kIdKeyA, 0, kIdKeyA, kNoFlag, false, false},
    {{'B'}, IsHex, kIdKeyB, 0, kIdKeyB, kNoFlag, false, false},
    {{'D'}, IsHex, kIdKeyD, 0, kIdKeyD, kNoFlag, false, false},
    {{'E'}, IsHex, kIdKeyE, 0, kIdKeyE, kNoFlag, false, false},
    {{'F'}, IsHex, kIdKeyF, 0, kIdKeyF, kNoFlag, false, false},
    {{'C'}, CtrlHeld, 0, 0, kMenuCopy, kNoFlag, false, false},
    {{'C'}, CtrlUpAndHex, kIdKeyC, 0, kIdKeyC, kNoFlag, false, false},
    {{'G'}, IsDecimal, kIdChg, 0, kIdChg, kNoFlag, false, false},
    {{'R'}, IsDecimal, kIdReciprocal, 0, kIdReciprocal, kNoFlag, false, false},
    {{'T'}, IsDecimal, kIdTax, 0, kIdTax, kNoFlag, false, false},
    {{'V'}, CtrlHeld, 0, 0, kMenuPaste, kNoFlag, false, false},
    {{kVkF9}, IsDecimal, kIdSign, 0, kIdSign, kNoFlag, false, false},
    {{kVkF1}, Always, kIdHelp, 0, 0, kNoFlag, false, false},
    {{kVkNumLock}, Always, 0, 0, 0, kNoFlag, true, true},
};

// Key-up table: releases are unconditional (releasing a button that was never pressed
// only repaints it). A key that presses one of two buttons depending on Shift releases
// both: Shift may well go up before the key, and the button pressed with it must not
// stay down.
const KeyRow kKeyUpRows[] = {
    {{kVkBackspace}, Always, kIdBack, 0, 0, kNoFlag, false, false},
    {{kVkShift}, Always, 0, 0, 0, FlagChange::ShiftOff, false, false},
    {{kVkCtrl}, Always, 0, 0, 0, FlagChange::CtrlOff, false, false},
    {{kVkUp}, Always, kIdFeed, 0, 0, kNoFlag, false, false},
    {{kVkDelete}, Always, kIdCE, 0, 0, kNoFlag, false, false},
    {{kVkEscape}, Always, kIdClear, kIdCT, 0, kNoFlag, false, false},
    {{kVkSpace}, Always, kIdStopwatchStart, 0, kIdStopwatchStart, kNoFlag, false, false},
    {{'0', kPad(0), 'M'}, Always, kIdKey0, kIdDivide, 0, kNoFlag, false, false},
    {{'1', kPad(1), 'J'}, Always, kIdKey1, 0, 0, kNoFlag, false, false},
    {{'2', kPad(2), 'K'}, Always, kIdKey2, 0, 0, kNoFlag, false, false},
    {{'3', kPad(3), 'L'}, Always, kIdKey3, 0, 0, kNoFlag, false, false},
    {{'4', kPad(4), 'U'}, Always, kIdKey4, 0, 0, kNoFlag, false, false},
    {{'6', kPad(6), 'O'}, Always, kIdKey6, 0, 0, kNoFlag, false, false},
    {{'7', kPad(7)}, Always, kIdKey7, 0, 0, kNoFlag, false, false},
    {{'9', kPad(9)}, Always, kIdKey9, 0, 0, kNoFlag, false, false},
    {{'5', kPad(5), 'I'}, Always, kIdKey5, kIdPercent, 0, kNoFlag, false, false},
    {{'8', kPad(8)}, Always, kIdKey8, kIdMultiply, 0, kNoFlag, false, false},
    {{kVkPeriod, kVkPadPoint}, Always, kIdPoint, 0, 0, kNoFlag, false, false},
    {{kVkEquals}, Always, kIdEquals, kIdPlus, 0, kNoFlag, false, false},
    {{kVkPadPlus}, Always, kIdPlus, 0, 0, kNoFlag, false, false},
    {{kVkEnter}, Always, kIdEquals, 0, 0, kNoFlag, false, false},
    {{kVkPadMultiply, 'P'}, Always, kIdMultiply, 0, 0, kNoFlag, false, false},
    {{kVkPadMinus, kVkMinus, kVkSemicolon}, Always, kIdMinus, 0, 0, kNoFlag, false, false},
    {{kVkSlash, kVkPadDivide}, Always, kIdDivide, kIdPlus, 0, kNoFlag, false, false},
    {{'A'}, Always, kIdKeyA, 0, 0, kNoFlag, false, false},
    {{'B'}, Always, kIdKeyB, 0, 0, kNoFlag, false, false},
    {{'C'}, Always, kIdKeyC, 0, 0, kNoFlag, false, false},
    {{'D'}, Always, kIdKeyD, 0, 0, kNoFlag, false, false},
    {{'E'}, Always, kIdKeyE, 0, 0, kNoFlag, false, false},
    {{'F'}, Always, kIdKeyF, 0, 0, kNoFlag, false, false},
    {{'G'}, Always, kIdChg, 0, 0, kNoFlag, false, false},
    {{'R'}, Always, kIdReciprocal, 0, 0, kNoFlag, false, false},
    {{'T'}, Always, kIdTax, 0, 0, kNoFlag, false, false},
    {{kVkF9}, Always, kIdSign, 0, 0, kNoFlag, false, false},
    // No focus return after F1: it would pull the focus back from the help window the
    // key has just opened (or brought forward), leaving it behind the main window.
    {{kVkF1}, Always, kIdHelp, 0, kIdHelp, kNoFlag, false, false},
};

bool RowHasKey(const KeyRow& row, int key) {
    for (int k : row.keys) {
        if (k != 0 && k == key) return true;
    }
    return false;
}

void ChangeFlags(FlagChange change, KeyboardFlags& flags) {
    switch (change) {
        case FlagChange::None:
            break;
        case FlagChange::ShiftOn:
            flags.shift = 1;
            break;
        case FlagChange::ShiftOff:
            flags.shift = 0;
            break;
        case FlagChange::CtrlOn:
            flags.ctrl = 1;
            break;
        case FlagChange::CtrlOff:
            flags.ctrl = 0;
            break;
    }
}

}  // namespace

KeyAction MapKey(KeyEvent event, int virtualKey, KeyboardFlags& flags, const KeyContext& context) {
    const KeyCase key{virtualKey, flags, context};
    const KeyRow* first =
        event == KeyEvent::Down ? std::begin(kKeyDownRows) : std::begin(kKeyUpRows);
    const KeyRow* last = event == KeyEvent::Down ? std::end(kKeyDownRows) : std::end(kKeyUpRows);
    KeyAction action;
    if (virtualKey == 0) return action;
    for (const KeyRow* row = first; row != last; ++row) {
        if (!RowHasKey(*row, virtualKey) || !row->when(key)) continue;
        action.matched = true;
        if (event == KeyEvent::Down) {
            action.pressButton = row->button;
        } else {
            action.releaseButtons[0] = row->button;
            action.releaseButtons[1] = row->secondButton;
        }
        action.command = row->command;
        action.updateNumLockField = row->updateNumLockField;
        action.returnFocus = row->returnFocus;
        ChangeFlags(row->flagChange, flags);
        return action;
    }
    return action;
}
