// The keyboard map of the main window: which key presses and shows which keypad
// button and runs which command, with the Shift and Ctrl flags and the optional
// laptop 10-key map. Pure: the Win32 glue (keyboard_win) feeds it virtual-key codes.
#pragma once

// Platform virtual-key codes of the keys the map knows. Letters and main-keyboard
// digits are their upper-case character codes ('M', '0').
enum VirtualKey : int {
    kVkBackspace = 8,
    kVkEnter = 13,
    kVkShift = 16,
    kVkCtrl = 17,
    kVkEscape = 27,
    kVkSpace = 32,
    kVkUp = 38,
    kVkDelete = 46,
    kVkPad0 = 96,  // keypad digits are 96..105
    kVkPad9 = 105,
    kVkPadMultiply = 106,
    kVkPadPlus = 107,
    kVkPadMinus = 109,
    kVkPadPoint = 110,
    kVkPadDivide = 111,
    kVkF1 = 112,
    kVkF9 = 120,
    kVkNumLock = 144,
    kVkSemicolon = 186,
    kVkEquals = 187,
    kVkMinus = 189,
    kVkPeriod = 190,
    kVkSlash = 191,
};

enum class KeyEvent { Down, Up };

// Follows the Shift and Ctrl key-downs and key-ups seen by the main window's controls;
// Shift+Escape also clears the Shift flag.
struct KeyboardFlags {
    int shift = 0;
    int ctrl = 0;
};

// What the calculator currently accepts from the keyboard.
struct KeyContext {
    unsigned char numberMode = 10;  // CalculatorState::numberMode
    bool laptopMap = false;         // the "LT10Key" setting
};

// What one key message does, in this order: press `pressButton` (key-down) or release
// the `releaseButtons` (key-up), then run `command` through the main window's command
// dispatch, then refresh the NumLock field, then give the focus back to the input sink.
struct KeyAction {
    bool matched = false;            // a row of the table took the key
    int pressButton = 0;             // control id, 0 = none
    int releaseButtons[2] = {0, 0};  // control ids, 0 = none
    int command = 0;                 // button or menu id for DispatchCommand, 0 = none
    bool updateNumLockField = false;
    bool returnFocus = false;
};

// Looks the key up in the key-down or key-up table (first matching row wins) and
// updates `flags` as that row says. A key without a matching row gives an action with
// `matched` false and nothing to do.
KeyAction MapKey(KeyEvent event, int virtualKey, KeyboardFlags& flags, const KeyContext& context);
