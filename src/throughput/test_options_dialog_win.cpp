#include "throughput/test_options_dialog_win.h"

#include <string>

#include "throughput/test_size.h"
#include "throughput/throughput_window_ids.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kOuterWidth = 232;
constexpr int kOuterHeight = 160;

struct OptionsDialog {
    TestOptions chosen;
    bool serverMode = false;
    int64_t roomUnits = -1;  // folder mode: what the folder's volume can take; -1 unknown
    WindowFonts fonts;
    bool done = false;
};

const ControlDef kOptionsControls[] = {
    {"STATIC", "Filesize in Megabytes:", kIdQvlOptionsSizeLabel, 17, 24, 110, 18, SS_LEFT},
    {"EDIT", "", kIdQvlOptionsSize, 127, 21, 58, 19, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"BUTTON", "Delete this file when finished", kIdQvlOptionsDelete, 18, 51, 162, 15,
     BS_AUTOCHECKBOX | WS_TABSTOP},
    {"BUTTON", "OK", kIdQvlOptionsOk, 38, 85, 66, 25, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Cancel", kIdQvlOptionsCancel, 123, 85, 66, 25, BS_PUSHBUTTON | WS_TABSTOP},
};

void RefuseSize(HWND dialog, const std::string& text) {
    ShowMessageFrom(dialog, text, "Quorvel Options", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
    HWND field = GetDlgItem(dialog, kIdQvlOptionsSize);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

// True when the dialog may close with the typed size.
bool AcceptSize(HWND dialog, OptionsDialog& d) {
    int64_t units = 0;
    SizeVerdict verdict = ReadTestSize(ItemText(dialog, kIdQvlOptionsSize), units);
    if (verdict == SizeVerdict::TooLarge) {
        RefuseSize(dialog,
                   "The test size must be at most " + TestSizeText(kMostTestUnits) + " megabytes.");
        return false;
    }
    if (units > 0 && d.roomUnits >= 0 && units > d.roomUnits) {
        RefuseSize(dialog, "The folder has room for a test of at most " +
                               TestSizeText(d.roomUnits) + " megabytes.");
        return false;
    }
    d.chosen.size = units;  // 0 for no size: the run is cancelled
    d.chosen.deleteWhenFinished = IsChecked(dialog, kIdQvlOptionsDelete);
    return true;
}

LRESULT CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = WindowData<OptionsDialog>(dialog, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateControls(dialog, kOptionsControls, d->fonts);
            SetItemText(dialog, kIdQvlOptionsSize, TestSizeText(d->chosen.size));
            SetCheck(dialog, kIdQvlOptionsDelete, d->chosen.deleteWhenFinished);
            ShowWindow(GetDlgItem(dialog, kIdQvlOptionsDelete), d->serverMode ? SW_HIDE : SW_SHOW);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!d) break;
            if (LOWORD(wParam) == IDOK && AcceptSize(dialog, *d)) {
                d->done = true;
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                d->chosen.size = 0;
                d->done = true;
                return 0;
            }
            break;
        case WM_CLOSE:
            if (d) {
                d->chosen.size = 0;
                d->done = true;
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnDialogFace(wParam);
        default:
            break;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

}  // namespace

TestOptions ShowTestOptionsDialog(HWND owner, bool serverMode, const TestOptions& offered,
                                  int64_t roomUnits) {
    TestOptions cancelled = offered;
    cancelled.size = 0;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterProgramWindowClass(instance, kTestOptionsWindowClass, OptionsProc))
        return cancelled;
    OptionsDialog d;
    d.chosen = offered;
    d.serverMode = serverMode;
    d.roomUnits = roomUnits;
    d.fonts.Make({{"MS Sans Serif", 11}});
    POINT at = CentredOnScreen(Scaled(kOuterWidth), Scaled(kOuterHeight));
    HWND dialog =
        CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kTestOptionsWindowClass,
                        "Quorvel Options", WS_POPUP | WS_CAPTION | WS_SYSMENU, at.x, at.y,
                        Scaled(kOuterWidth), Scaled(kOuterHeight), owner, nullptr, instance, &d);
    if (!dialog) return cancelled;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    HWND field = GetDlgItem(dialog, kIdQvlOptionsSize);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    RunModalLoop(dialog, d.done);
    // Gone without an answer: its owner was destroyed (the main window closed under it).
    if (!d.done) return cancelled;
    return d.chosen;
}
