// Everything the engine, the tape and the memory keys need from the main window.
// The Win32 window implements it over its controls; tests implement it over strings.
#pragma once

#include <string>

enum class Answer { Yes, No, Cancel };

// The keys whose use depends on the number system, besides the digits.
enum class CalcKey { Sign, Point, Percent, Tax, Reciprocal, Change, Convert };

// The menu items the calculator checks: the decimals choice and its two switches.
enum class CalcMenuItem {
    DigitGrouping,
    Floating,
    Decimals0,
    Decimals1,
    Decimals2,
    Decimals3,
    Decimals4,
    AutoDecimal
};

class CalcView {
  public:
    virtual ~CalcView() = default;

    // The display read-out (id 1010).
    virtual std::string DisplayText() const = 0;
    virtual void SetDisplayText(const std::string& text) = 0;

    // Status-bar fields.
    virtual std::string AverageText() const = 0;
    virtual void SetAverageText(const std::string& text) = 0;
    virtual std::string ItemsText() const = 0;
    virtual void SetItemsText(const std::string& text) = 0;
    virtual void SetMemoryText(const std::string& text) = 0;

    // Keypad and menu state.
    virtual void EnableDigitKey(int digit, bool enabled) = 0;  // 0..15: "0".."9", "A".."F"
    virtual void EnableKey(CalcKey key, bool enabled) = 0;
    virtual void CheckNumberSystem(int system) = 0;  // kSystemDec .. kSystemOct
    virtual void CheckMenu(CalcMenuItem item, bool checked) = 0;
    // Bank 2 active: the "Mem2" label shown and the "2nd" key latched.
    virtual void ShowSecondBank(bool active) = 0;

    virtual Answer AskYesNoCancel(const std::string& caption, const std::string& text) = 0;
    virtual void ReturnFocus() = 0;

    // Tape lines: the tape list control holds them in the program.
    virtual void AddTapeLine(const std::string& line) = 0;
    virtual int TapeLineCount() const = 0;
    virtual std::string TapeLine(int index) const = 0;  // "" outside 0..count-1
    virtual void ClearTapeLines() = 0;

    // Plain ANSI clipboard text; failures are silent.
    virtual void PutClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;
};
