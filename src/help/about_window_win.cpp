#include "help/about_window_win.h"

#include <shellapi.h>

#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kOuterWidth = 320;
constexpr int kOuterHeight = 190;

enum AboutFont { kNameFont, kVersionFont, kTextFont, kLinkFont };

// One open window and the fonts it owns.
struct AboutWindow {
    WindowFonts fonts;
    bool done = false;
};

const ControlDef kAboutControls[] = {
    {"STATIC", "", kIdAboutIcon, 16, 16, 32, 32, SS_ICON, 0, 0, kNoFont},
    {"STATIC", "Tallymax", kIdAboutName, 64, 12, 220, 30, SS_LEFT, 0, kNameFont},
    {"STATIC", "Version 2.0", kIdAboutVersion, 66, 44, 220, 14, SS_LEFT, 0, kVersionFont},
    {"STATIC", "Web:", kIdAboutWebLabel, 16, 76, 36, 16, SS_LEFT, 0, kTextFont},
    {"STATIC", kMakerWebAddress, kIdAboutLink, 54, 76, 240, 16, SS_LEFT | SS_NOTIFY, 0, kLinkFont},
    {"BUTTON", "Ok", IDOK, 124, 112, 68, 28, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kTextFont},
};

void CreateAboutControls(HWND window, AboutWindow& a) {
    CreateControls(window, kAboutControls, a.fonts);
    SetProgramIcon(window, kIdAboutIcon);
    SetItemText(window, kIdAboutVersion, App().versionText);
}

LRESULT CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* a = WindowData<AboutWindow>(window, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateAboutControls(window, *a);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!a) break;
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                a->done = true;
                EndModalWindow(window);
                return 0;
            }
            if (LOWORD(wParam) == kIdAboutLink && HIWORD(wParam) == STN_CLICKED) {
                ShellExecuteA(window, "", kMakerWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(window, kIdAboutLink)) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (a) {
                a->done = true;
                EndModalWindow(window);
            }
            return 0;
        case WM_CTLCOLORSTATIC: {
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(window, kIdAboutLink))
                SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
            return OnDialogFace(wParam);
        }
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void ShowAboutWindow(HWND owner) {
    AboutWindow a;
    a.fonts.Make({{"Tahoma", 24}, {"Tahoma", 11}, {"Tahoma", 12}, {"Tahoma", 12, FW_NORMAL, true}});
    HWND window = CreateDialogWindow(kAboutWindowClass, AboutProc, "About Tallymax", kOuterWidth,
                                     kOuterHeight, owner, &a);
    if (!window) return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(GetDlgItem(window, IDOK));
    RunModalLoop(window, a.done);
}
