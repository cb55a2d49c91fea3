// Everything the engine, the tape and the memory keys need from the main window.
// The Win32 window implements it over its controls; tests implement it over strings.
#pragma once

#include <string>

enum class Answer { Yes, No, Cancel };

class CalcView {
  public:
    virtual ~CalcView() = default;

    // The display read-out (id 1010).
    virtual std::string DisplayText() const = 0;
    virtual void SetDisplayText(const std::string& text) = 0;

    // Status-bar fields.
    virtual std::string AverageText() const = 0;
    virtual void SetAverageText(const std::string& text) = 0;
    virtual void SetItemsText(const std::string& text) = 0;
    virtual void SetMemoryText(const std::string& text) = 0;

    // Keypad and menu state; ids are those of ui/control_ids.h.
    virtual void EnableKey(int controlId, bool enabled) = 0;
    virtual void CheckRadio(int controlId) = 0;  // one of the number-system radios
    virtual void CheckMenu(int menuId, bool checked) = 0;
    virtual bool MenuChecked(int menuId) const = 0;
    virtual void ShowControl(int controlId, bool visible) = 0;     // "Mem2", "Laptop 10 Key"
    virtual void SetToggleState(int controlId, bool pressed) = 0;  // "2nd", "[O]"

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
