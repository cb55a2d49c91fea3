#include "ui/key_map.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/calc_state.h"
#include "ui/control_ids.h"

namespace {

constexpr unsigned char kFloat = kModeFloating;
constexpr unsigned char kFixed2 = 2;
constexpr unsigned char kBin = kModeBin;
constexpr bool kMapOn = true;
constexpr bool kMapOff = false;

struct DownCase {
    const char* name;
    int key;
    int shift;
    int ctrl;
    unsigned char mode;
    bool laptopMap;
    int pressed;  // 0 = no button shown pressed
    int command;  // 0 = nothing run
};

// A key-down that presses nothing and runs nothing must also not claim the key.
const DownCase kDownCases[] = {
    // Laptop map off.
    {"0 enters 0", '0', 0, 0, kFloat, kMapOff, kIdKey0, kIdKey0},
    {"keypad 0 enters 0", kVkPad0, 0, 0, kFloat, kMapOff, kIdKey0, kIdKey0},
    {"M ignored without map", 'M', 0, 0, kFloat, kMapOff, 0, 0},
    {"J ignored without map", 'J', 0, 0, kFloat, kMapOff, 0, 0},
    {"K ignored without map", 'K', 0, 0, kFloat, kMapOff, 0, 0},
    {"L ignored without map", 'L', 0, 0, kFloat, kMapOff, 0, 0},
    {"U ignored without map", 'U', 0, 0, kFloat, kMapOff, 0, 0},
    {"I ignored without map", 'I', 0, 0, kFloat, kMapOff, 0, 0},
    {"Shift+I ignored without map", 'I', 1, 0, kFloat, kMapOff, 0, 0},
    {"O ignored without map", 'O', 0, 0, kFloat, kMapOff, 0, 0},
    {"P ignored without map", 'P', 0, 0, kFloat, kMapOff, 0, 0},
    {"; ignored without map", kVkSemicolon, 0, 0, kFloat, kMapOff, 0, 0},
    {"/ divides without map", kVkSlash, 0, 0, kFloat, kMapOff, kIdDivide, kIdDivide},
    {"keypad / divides", kVkPadDivide, 0, 0, kFloat, kMapOff, kIdDivide, kIdDivide},
    {"- subtracts", kVkMinus, 0, 0, kFloat, kMapOff, kIdMinus, kIdMinus},
    {"keypad - subtracts", kVkPadMinus, 0, 0, kFloat, kMapOff, kIdMinus, kIdMinus},
    {"keypad * multiplies", kVkPadMultiply, 0, 0, kFloat, kMapOff, kIdMultiply, kIdMultiply},
    {"1 enters 1", '1', 0, 0, kFloat, kMapOff, kIdKey1, kIdKey1},
    {"keypad 6 enters 6", kVkPad0 + 6, 0, 0, kFloat, kMapOff, kIdKey6, kIdKey6},
    {"keypad 9 enters 9", kVkPad9, 0, 0, kFloat, kMapOff, kIdKey9, kIdKey9},
    // Laptop map on.
    {"map: 0 divides", '0', 0, 0, kFloat, kMapOn, kIdDivide, kIdDivide},
    {"map: keypad 0 enters 0", kVkPad0, 0, 0, kFloat, kMapOn, kIdKey0, kIdKey0},
    {"map: M enters 0", 'M', 0, 0, kFloat, kMapOn, kIdKey0, kIdKey0},
    {"map: J enters 1", 'J', 0, 0, kFloat, kMapOn, kIdKey1, kIdKey1},
    {"map: K enters 2", 'K', 0, 0, kFloat, kMapOn, kIdKey2, kIdKey2},
    {"map: L enters 3", 'L', 0, 0, kFloat, kMapOn, kIdKey3, kIdKey3},
    {"map: U enters 4", 'U', 0, 0, kFloat, kMapOn, kIdKey4, kIdKey4},
    {"map: I enters 5", 'I', 0, 0, kFloat, kMapOn, kIdKey5, kIdKey5},
    {"map: Shift+I is percent", 'I', 1, 0, kFloat, kMapOn, kIdPercent, kIdPercent},
    {"map: O enters 6", 'O', 0, 0, kFloat, kMapOn, kIdKey6, kIdKey6},
    {"map: 7 enters 7", '7', 0, 0, kFloat, kMapOn, kIdKey7, kIdKey7},
    {"map: P multiplies", 'P', 0, 0, kFloat, kMapOn, kIdMultiply, kIdMultiply},
    {"map: ; subtracts", kVkSemicolon, 0, 0, kFloat, kMapOn, kIdMinus, kIdMinus},
    {"map: / adds", kVkSlash, 0, 0, kFloat, kMapOn, kIdPlus, kIdPlus},
    {"map: keypad / still divides", kVkPadDivide, 0, 0, kFloat, kMapOn, kIdDivide, kIdDivide},
    {"map: main 1 still enters 1", '1', 0, 0, kFloat, kMapOn, kIdKey1, kIdKey1},
    {"map: keypad 4 still enters 4", kVkPad0 + 4, 0, 0, kFloat, kMapOn, kIdKey4, kIdKey4},
    {"map: K in Bin ignored", 'K', 0, 0, kModeBin, kMapOn, 0, 0},
    {"map: M in Bin enters 0", 'M', 0, 0, kModeBin, kMapOn, kIdKey0, kIdKey0},
    // Bin.
    {"Bin: 0 works", '0', 0, 0, kModeBin, kMapOff, kIdKey0, kIdKey0},
    {"Bin: 1 works", '1', 0, 0, kModeBin, kMapOff, kIdKey1, kIdKey1},
    {"Bin: 2 ignored", '2', 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: keypad 3 ignored", kVkPad0 + 3, 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: 5 ignored", '5', 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: Shift+5 ignored", '5', 1, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: 7 ignored", '7', 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: 8 ignored", '8', 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: Shift+8 multiplies", '8', 1, 0, kModeBin, kMapOff, kIdMultiply, kIdMultiply},
    {"Bin: 9 ignored", '9', 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: . ignored", kVkPeriod, 0, 0, kModeBin, kMapOff, 0, 0},
    {"Bin: + works", kVkPadPlus, 0, 0, kModeBin, kMapOff, kIdPlus, kIdPlus},
    // Oct.
    {"Oct: 7 works", '7', 0, 0, kModeOct, kMapOff, kIdKey7, kIdKey7},
    {"Oct: 6 works", '6', 0, 0, kModeOct, kMapOff, kIdKey6, kIdKey6},
    {"Oct: 8 ignored", '8', 0, 0, kModeOct, kMapOff, 0, 0},
    {"Oct: keypad 9 ignored", kVkPad9, 0, 0, kModeOct, kMapOff, 0, 0},
    {"Oct: . ignored", kVkPadPoint, 0, 0, kModeOct, kMapOff, 0, 0},
    {"Oct: Shift+5 ignored", '5', 1, 0, kModeOct, kMapOff, 0, 0},
    {"Oct: A ignored", 'A', 0, 0, kModeOct, kMapOff, 0, 0},
    // Hex.
    {"Hex: A enters 10", 'A', 0, 0, kModeHex, kMapOff, kIdKeyA, kIdKeyA},
    {"Hex: B enters 11", 'B', 0, 0, kModeHex, kMapOff, kIdKeyB, kIdKeyB},
    {"Hex: C enters 12", 'C', 0, 0, kModeHex, kMapOff, kIdKeyC, kIdKeyC},
    {"Hex: D enters 13", 'D', 0, 0, kModeHex, kMapOff, kIdKeyD, kIdKeyD},
    {"Hex: E enters 14", 'E', 0, 0, kModeHex, kMapOff, kIdKeyE, kIdKeyE},
    {"Hex: F enters 15", 'F', 0, 0, kModeHex, kMapOff, kIdKeyF, kIdKeyF},
    {"Hex: Ctrl+C copies", 'C', 0, 1, kModeHex, kMapOff, 0, kMenuCopy},
    {"Hex: 8 works", '8', 0, 0, kModeHex, kMapOff, kIdKey8, kIdKey8},
    {"Hex: 9 works", '9', 0, 0, kModeHex, kMapOff, kIdKey9, kIdKey9},
    {"Hex: . ignored", kVkPeriod, 0, 0, kModeHex, kMapOff, 0, 0},
    {"Hex: Shift+5 ignored", '5', 1, 0, kModeHex, kMapOff, 0, 0},
    {"Hex: G ignored", 'G', 0, 0, kModeHex, kMapOff, 0, 0},
    {"Hex: R ignored", 'R', 0, 0, kModeHex, kMapOff, 0, 0},
    {"Hex: T ignored", 'T', 0, 0, kModeHex, kMapOff, 0, 0},
    {"Hex: F9 ignored", kVkF9, 0, 0, kModeHex, kMapOff, 0, 0},
    // Decimal (floating and fixed).
    {"Dec: A ignored", 'A', 0, 0, kFloat, kMapOff, 0, 0},
    {"Dec: B ignored", 'B', 0, 0, kFloat, kMapOff, 0, 0},
    {"Dec: C ignored", 'C', 0, 0, kFloat, kMapOff, 0, 0},
    {"Dec: D ignored", 'D', 0, 0, kFloat, kMapOff, 0, 0},
    {"Dec: E ignored", 'E', 0, 0, kFixed2, kMapOff, 0, 0},
    {"Dec: F ignored", 'F', 0, 0, kFloat, kMapOff, 0, 0},
    {"Dec: Ctrl+C copies", 'C', 0, 1, kFloat, kMapOff, 0, kMenuCopy},
    {"Dec: Ctrl+V pastes", 'V', 0, 1, kFloat, kMapOff, 0, kMenuPaste},
    {"Hex: Ctrl+V pastes", 'V', 0, 1, kModeHex, kMapOff, 0, kMenuPaste},
    {"Dec: V alone ignored", 'V', 0, 0, kFloat, kMapOff, 0, 0},
    {"Dec: G makes change", 'G', 0, 0, kFixed2, kMapOff, kIdChg, kIdChg},
    {"Dec: R reciprocal", 'R', 0, 0, kFloat, kMapOff, kIdReciprocal, kIdReciprocal},
    {"Dec: T adds tax", 'T', 0, 0, kFloat, kMapOff, kIdTax, kIdTax},
    {"Dec: F9 toggles sign", kVkF9, 0, 0, kFloat, kMapOff, kIdSign, kIdSign},
    {"Dec: . point", kVkPeriod, 0, 0, kFixed2, kMapOff, kIdPoint, kIdPoint},
    {"Dec: keypad . point", kVkPadPoint, 0, 0, kFloat, kMapOff, kIdPoint, kIdPoint},
    // Shift.
    {"= alone is equals", kVkEquals, 0, 0, kFloat, kMapOff, kIdEquals, kIdEquals},
    {"Shift+= adds", kVkEquals, 1, 0, kFloat, kMapOff, kIdPlus, kIdPlus},
    {"keypad + adds", kVkPadPlus, 0, 0, kFloat, kMapOff, kIdPlus, kIdPlus},
    {"Enter is equals", kVkEnter, 0, 0, kFloat, kMapOff, kIdEquals, kIdEquals},
    {"Shift+Enter is equals", kVkEnter, 1, 0, kFloat, kMapOff, kIdEquals, kIdEquals},
    {"Shift+5 percent", '5', 1, 0, kFloat, kMapOff, kIdPercent, kIdPercent},
    {"Shift+keypad 5 percent", kVkPad0 + 5, 1, 0, kFixed2, kMapOff, kIdPercent, kIdPercent},
    {"Shift+8 multiplies", '8', 1, 0, kFloat, kMapOff, kIdMultiply, kIdMultiply},
    {"Shift+4 still enters 4", '4', 1, 0, kFloat, kMapOff, kIdKey4, kIdKey4},
    // Editing and other keys.
    {"Backspace", kVkBackspace, 0, 0, kModeBin, kMapOff, kIdBack, kIdBack},
    {"Delete clears entry", kVkDelete, 0, 0, kFloat, kMapOff, kIdCE, kIdCE},
    {"Escape clears all", kVkEscape, 0, 0, kFloat, kMapOff, kIdClear, kIdClear},
    {"Shift+Escape clears tape, nothing pressed", kVkEscape, 1, 0, kFloat, kMapOff, 0, kIdCT},
    {"Up arrow feeds paper", kVkUp, 0, 0, kFloat, kMapOff, kIdFeed, kIdFeed},
    {"Space presses Start only", kVkSpace, 0, 0, kFloat, kMapOff, kIdStopwatchStart, 0},
    {"F1 presses Help only", kVkF1, 0, 0, kFloat, kMapOff, kIdHelp, 0},
    // Keypad without NumLock sends the navigation codes: only those with a row act.
    {"keypad 8 w/o NumLock is Up: feeds", kVkUp, 0, 0, kFloat, kMapOff, kIdFeed, kIdFeed},
    {"keypad . w/o NumLock is Delete: CE", kVkDelete, 0, 0, kFloat, kMapOff, kIdCE, kIdCE},
    {"keypad 0 w/o NumLock (Insert)", 45, 0, 0, kFloat, kMapOff, 0, 0},
    {"keypad 1 w/o NumLock (End)", 35, 0, 0, kFloat, kMapOff, 0, 0},
    {"keypad 2 w/o NumLock (Down)", 40, 0, 0, kFloat, kMapOff, 0, 0},
    // Keys without a row.
    {"Tab", 9, 0, 0, kFloat, kMapOff, 0, 0},
    {"X", 'X', 0, 0, kFloat, kMapOff, 0, 0},
    {"Z in Hex", 'Z', 0, 0, kModeHex, kMapOff, 0, 0},
    {"F2", 113, 0, 0, kFloat, kMapOff, 0, 0},
    {"Ctrl+X", 'X', 0, 1, kFloat, kMapOff, 0, 0},
    {"Alt", 18, 0, 0, kFloat, kMapOff, 0, 0},
};

TEST(KeyMapTest, KeyDownTable) {
    for (const DownCase& c : kDownCases) {
        KeyboardFlags flags{c.shift, c.ctrl};
        const KeyAction a = MapKey(KeyEvent::Down, c.key, flags, KeyContext{c.mode, c.laptopMap});
        EXPECT_EQ(a.pressButton, c.pressed) << c.name;
        EXPECT_EQ(a.command, c.command) << c.name;
        EXPECT_EQ(a.matched, c.pressed != 0 || c.command != 0) << c.name;
        EXPECT_EQ(a.releaseButtons[0], 0) << c.name;
        EXPECT_FALSE(a.updateNumLockField) << c.name;
        EXPECT_FALSE(a.returnFocus) << c.name;
        EXPECT_EQ(flags.ctrl, c.ctrl) << c.name;
        if (c.key != kVkEscape) EXPECT_EQ(flags.shift, c.shift) << c.name;
    }
}

struct UpCase {
    const char* name;
    int key;
    int shift;
    int first;
    int second;
    int command;
};

const UpCase kUpCases[] = {
    {"Backspace", kVkBackspace, 0, kIdBack, 0, 0},
    {"Up arrow", kVkUp, 0, kIdFeed, 0, 0},
    {"Delete", kVkDelete, 0, kIdCE, 0, 0},
    {"Escape releases Clear and CT", kVkEscape, 0, kIdClear, kIdCT, 0},
    {"Shift+Escape likewise", kVkEscape, 1, kIdClear, kIdCT, 0},
    {"Space starts or stops on release", kVkSpace, 0, kIdStopwatchStart, 0, kIdStopwatchStart},
    {"0 releases 0 and divide", '0', 0, kIdKey0, kIdDivide, 0},
    {"keypad 0", kVkPad0, 0, kIdKey0, kIdDivide, 0},
    {"M", 'M', 0, kIdKey0, kIdDivide, 0},
    {"J", 'J', 0, kIdKey1, 0, 0},
    {"keypad 2", kVkPad0 + 2, 0, kIdKey2, 0, 0},
    {"L", 'L', 0, kIdKey3, 0, 0},
    {"U", 'U', 0, kIdKey4, 0, 0},
    {"O", 'O', 0, kIdKey6, 0, 0},
    {"7", '7', 0, kIdKey7, 0, 0},
    {"keypad 9", kVkPad9, 0, kIdKey9, 0, 0},
    // Shift may go up before the key: both buttons the key can press are released.
    {"5", '5', 0, kIdKey5, kIdPercent, 0},
    {"Shift+5", '5', 1, kIdKey5, kIdPercent, 0},
    {"Shift+I", 'I', 1, kIdKey5, kIdPercent, 0},
    {"8", '8', 0, kIdKey8, kIdMultiply, 0},
    {"Shift+keypad 8", kVkPad0 + 8, 1, kIdKey8, kIdMultiply, 0},
    {".", kVkPeriod, 0, kIdPoint, 0, 0},
    {"keypad .", kVkPadPoint, 0, kIdPoint, 0, 0},
    {"=", kVkEquals, 0, kIdEquals, kIdPlus, 0},
    {"Shift+=", kVkEquals, 1, kIdEquals, kIdPlus, 0},
    {"keypad +", kVkPadPlus, 0, kIdPlus, 0, 0},
    {"Enter", kVkEnter, 0, kIdEquals, 0, 0},
    {"P", 'P', 0, kIdMultiply, 0, 0},
    {"keypad *", kVkPadMultiply, 0, kIdMultiply, 0, 0},
    {";", kVkSemicolon, 0, kIdMinus, 0, 0},
    {"-", kVkMinus, 0, kIdMinus, 0, 0},
    {"/ releases divide and plus", kVkSlash, 0, kIdDivide, kIdPlus, 0},
    {"keypad /", kVkPadDivide, 0, kIdDivide, kIdPlus, 0},
    {"A", 'A', 0, kIdKeyA, 0, 0},
    {"C", 'C', 0, kIdKeyC, 0, 0},
    {"F", 'F', 0, kIdKeyF, 0, 0},
    {"G", 'G', 0, kIdChg, 0, 0},
    {"R", 'R', 0, kIdReciprocal, 0, 0},
    {"T", 'T', 0, kIdTax, 0, 0},
    {"F9", kVkF9, 0, kIdSign, 0, 0},
    {"V has no release", 'V', 0, 0, 0, 0},
    {"NumLock has no release", kVkNumLock, 0, 0, 0, 0},
    {"X has no release", 'X', 0, 0, 0, 0},
};

TEST(KeyMapTest, KeyUpTable) {
    for (const UpCase& c : kUpCases) {
        KeyboardFlags flags{c.shift, 0};
        // Releases do not depend on the number system or the map.
        for (unsigned char mode : {kFloat, kBin}) {
            const KeyAction a = MapKey(KeyEvent::Up, c.key, flags, KeyContext{mode, mode == kBin});
            EXPECT_EQ(a.releaseButtons[0], c.first) << c.name;
            EXPECT_EQ(a.releaseButtons[1], c.second) << c.name;
            EXPECT_EQ(a.command, c.command) << c.name;
            EXPECT_EQ(a.pressButton, 0) << c.name;
            EXPECT_EQ(a.matched, c.first != 0) << c.name;
            EXPECT_FALSE(a.returnFocus) << c.name;
            EXPECT_EQ(flags.shift, c.shift) << c.name;
        }
    }
}

TEST(KeyMapTest, F1ReleaseOpensHelpAndLeavesItTheFocus) {
    KeyboardFlags flags;
    const KeyAction a = MapKey(KeyEvent::Up, kVkF1, flags, KeyContext{});
    EXPECT_EQ(a.releaseButtons[0], kIdHelp);
    EXPECT_EQ(a.command, kIdHelp);
    EXPECT_FALSE(a.returnFocus);
}

TEST(KeyMapTest, NumLockDownRefreshesFieldThenReturnsFocus) {
    KeyboardFlags flags;
    const KeyAction a = MapKey(KeyEvent::Down, kVkNumLock, flags, KeyContext{});
    EXPECT_TRUE(a.matched);
    EXPECT_TRUE(a.updateNumLockField);
    EXPECT_TRUE(a.returnFocus);
    EXPECT_EQ(a.pressButton, 0);
    EXPECT_EQ(a.command, 0);
}

TEST(KeyMapTest, ShiftAndCtrlFlagsFollowTheirKeys) {
    KeyboardFlags flags;
    const KeyContext dec{};
    EXPECT_TRUE(MapKey(KeyEvent::Down, kVkShift, flags, dec).matched);
    EXPECT_EQ(flags.shift, 1);
    EXPECT_TRUE(MapKey(KeyEvent::Down, kVkCtrl, flags, dec).matched);
    EXPECT_EQ(flags.ctrl, 1);
    // Auto-repeat of a held modifier keeps it set.
    MapKey(KeyEvent::Down, kVkShift, flags, dec);
    EXPECT_EQ(flags.shift, 1);
    MapKey(KeyEvent::Up, kVkShift, flags, dec);
    EXPECT_EQ(flags.shift, 0);
    EXPECT_EQ(flags.ctrl, 1);
    MapKey(KeyEvent::Up, kVkCtrl, flags, dec);
    EXPECT_EQ(flags.ctrl, 0);
}

TEST(KeyMapTest, ShiftEscapeClearsTapeOnceThenEscapeClearsCalculation) {
    KeyboardFlags flags;
    const KeyContext dec{};
    MapKey(KeyEvent::Down, kVkShift, flags, dec);
    KeyAction a = MapKey(KeyEvent::Down, kVkEscape, flags, dec);
    EXPECT_EQ(a.command, kIdCT);
    EXPECT_EQ(a.pressButton, 0);
    EXPECT_EQ(flags.shift, 0);
    // Shift is still held, but the flag is down: the next Escape clears only the calculation.
    a = MapKey(KeyEvent::Down, kVkEscape, flags, dec);
    EXPECT_EQ(a.command, kIdClear);
    EXPECT_EQ(a.pressButton, kIdClear);
}

TEST(KeyMapTest, CtrlCInHexCopiesAndPlainCEntersDigit) {
    KeyboardFlags flags;
    const KeyContext hex{kModeHex, false};
    MapKey(KeyEvent::Down, kVkCtrl, flags, hex);
    EXPECT_EQ(MapKey(KeyEvent::Down, 'C', flags, hex).command, kMenuCopy);
    MapKey(KeyEvent::Up, kVkCtrl, flags, hex);
    EXPECT_EQ(MapKey(KeyEvent::Down, 'C', flags, hex).command, kIdKeyC);
}

TEST(KeyMapTest, UnknownKeysLeaveFlagsAlone) {
    KeyboardFlags flags{1, 1};
    for (int key : {0, 9, 18, 45, int{'X'}, int{'Z'}, 200, 255, -1, 100000}) {
        EXPECT_FALSE(MapKey(KeyEvent::Down, key, flags, KeyContext{}).matched) << key;
        EXPECT_FALSE(MapKey(KeyEvent::Up, key, flags, KeyContext{}).matched) << key;
    }
    EXPECT_EQ(flags.shift, 1);
    EXPECT_EQ(flags.ctrl, 1);
}

}  // namespace
