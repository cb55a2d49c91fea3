#include "ui/main_view_win.h"

#include <windows.h>

#include <vector>

#include "engine/open_calculation.h"
#include "engine/tape_lines.h"
#include "tape/tape_journal_win.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/main_state_win.h"
#include "ui/themed_button_win.h"
#include "ui/window_kit_win.h"

namespace {

HWND Control(int id) {
    return GetDlgItem(MainWindow(), id);
}

// Wine finds a child by id through its server, a round trip that costs more than
// reading a line; a save or a load of a long tape asks for the list at every line.
HWND TapeList() {
    static HWND list = nullptr;
    if (!list || !IsWindow(list)) list = Control(kIdTape);
    return list;
}

const char kTapeFullText[] =
    "The tape is full: new lines are not added to it. Clear the tape (CT) to go on.";
const char kTapeFullCaption[] = "Tape";

class MainWindowView : public CalcView {
  public:
    std::string DisplayText() const override { return WindowText(Control(kIdDisplay)); }
    void SetDisplayText(const std::string& t) override {
        SetWindowTextA(Control(kIdDisplay), t.c_str());
    }
    std::string AverageText() const override { return WindowText(Control(kIdStatusAverage)); }
    void SetAverageText(const std::string& t) override {
        SetWindowTextA(Control(kIdStatusAverage), t.c_str());
    }
    std::string ItemsText() const override { return WindowText(Control(kIdStatusItems)); }
    void SetItemsText(const std::string& t) override {
        SetWindowTextA(Control(kIdStatusItems), t.c_str());
    }
    void SetMemoryText(const std::string& t) override {
        SetWindowTextA(Control(kIdStatusMemory), t.c_str());
    }
    void EnableDigitKey(int digit, bool enabled) override {
        if (digit >= 0 && digit < 16) Enable(kDigitKeyIds[digit], enabled);
    }
    void EnableKey(CalcKey key, bool enabled) override {
        static const int kKeyIds[] = {kIdSign,       kIdPoint, kIdPercent, kIdTax,
                                      kIdReciprocal, kIdChg,   kIdCnv};
        Enable(kKeyIds[static_cast<int>(key)], enabled);
    }
    void CheckNumberSystem(int system) override {
        // Only the radio buttons that change are told: each one repaints at once.
        for (int radio = kIdRadioDec; radio <= kIdRadioOct; ++radio) {
            HWND h = Control(radio);
            WPARAM want = radio - kIdRadioDec == system ? BST_CHECKED : BST_UNCHECKED;
            if (static_cast<WPARAM>(SendMessageA(h, BM_GETCHECK, 0, 0)) != want)
                SendMessageA(h, BM_SETCHECK, want, 0);
        }
    }
    void CheckMenu(CalcMenuItem item, bool checked) override {
        static const int kMenuIds[] = {kMenuDigitGrouping, kMenuFloating,     kMenuDecimal0,
                                       kMenuDecimal0 + 1,  kMenuDecimal0 + 2, kMenuDecimal0 + 3,
                                       kMenuDecimal0 + 4,  kMenuAutoDecimal};
        CheckMainMenuItem(kMenuIds[static_cast<int>(item)], checked);
    }
    void ShowSecondBank(bool active) override {
        ShowWindow(Control(kIdMem2Label), active ? SW_SHOW : SW_HIDE);
        SetButtonToggleState(Control(kIdSecond), active, true);
    }
    Answer AskYesNoCancel(const std::string& caption, const std::string& text) override {
        int r = ShowMessage(text, caption, MB_YESNOCANCEL | MB_ICONQUESTION);
        return r == IDYES ? Answer::Yes : r == IDNO ? Answer::No : Answer::Cancel;
    }
    // Every calculation key ends here: once it has written a calculation line, the
    // journal keeps the open calculation as it now stands, after the lines that belong
    // to it. So a calculation line after the newest state tells that a kill came
    // between the two, and the state is not resumed.
    void ReturnFocus() override {
        ::ReturnFocus();
        if (!stateDue_) return;
        stateDue_ = false;
        JournalCalculationState(OpenCalculationText(Main().calc));
    }

  private:
    static void Enable(int id, bool enabled) {
        HWND h = Control(id);
        if (!IsWindowEnabled(h) == !enabled) return;  // unchanged keys cost start-up time
        EnableWindow(h, enabled);  // the keypad button repaints itself on WM_ENABLE
    }

    void AddTapeLine(const std::string& line) override {
        HWND list = TapeList();
        LRESULT n = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (n >= 0) {
            // The list offers no selection (selecting would paint highlight bands
            // under Wine), so the new line is brought into view by scrolling.
            SendMessageA(list, LB_SETTOPINDEX, n, 0);
            tapeFullTold_ = false;
            JournalTapeLine(line);
            if (IsCalculationLine(line)) stateDue_ = true;
        } else if (!tapeFullTold_) {
            // Once per run of lost lines: every key would otherwise bring a box.
            tapeFullTold_ = true;
            ShowMessage(kTapeFullText, kTapeFullCaption,
                        MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND);
        }
    }
    int TapeLineCount() const override {
        return static_cast<int>(SendMessageA(TapeList(), LB_GETCOUNT, 0, 0));
    }
    std::string TapeLine(int index) const override {
        if (index < 0 || index >= TapeLineCount()) return std::string();
        return ListItemText(TapeList(), index);
    }
    void ClearTapeLines() override {
        SendMessageA(TapeList(), LB_RESETCONTENT, 0, 0);
        tapeFullTold_ = false;
        JournalTapeCleared();
    }

    void PutClipboardText(const std::string& text) override {
        if (!OpenClipboardPatiently()) return;
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (block) {
            if (void* p = GlobalLock(block)) {
                memcpy(p, text.c_str(), text.size() + 1);
                GlobalUnlock(block);
                if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
            } else {
                GlobalFree(block);
            }
        }
        CloseClipboard();
    }
    std::string ClipboardText() override {
        std::string text;
        if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboardPatiently()) return text;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* p = static_cast<const char*>(GlobalLock(data))) {
                // The block's size bounds the read even if the text lacks its zero byte.
                size_t limit = GlobalSize(data);
                size_t n = 0;
                while (n < limit && p[n] != '\0') ++n;
                text.assign(p, n);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }

  private:
    bool tapeFullTold_ = false;
    bool stateDue_ = false;  // lines were written since the journal last kept the state
};

}  // namespace

CalcView& MainView() {
    static MainWindowView view;
    return view;
}

void CheckMainMenuItem(int menuId, bool checked) {
    CheckMenuItem(GetMenu(MainWindow()), menuId,
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainMenuItemChecked(int menuId) {
    UINT state = GetMenuState(GetMenu(MainWindow()), menuId, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}
