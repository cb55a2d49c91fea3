#include "help/about_window_win.h"

#include <shellapi.h>

#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/window_class_win.h"

namespace {

constexpr int kOuterWidth = 320;
constexpr int kOuterHeight = 190;

// One open window and the fonts it owns.
struct AboutWindow {
    HFONT nameFont = nullptr;     // "Tahoma" 24
    HFONT versionFont = nullptr;  // "Tahoma" 11
    HFONT textFont = nullptr;     // "Tahoma" 12: "Web:" and "Ok"
    HFONT linkFont = nullptr;     // "Tahoma" 12 underlined
    bool done = false;
};

HFONT MakeFont(const char* face, int pixelHeight, bool underline = false) {
    return CreateFontA(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND AddControl(HWND window, const char* cls, const char* text, DWORD style, int id, int x, int y,
                int w, int h, HFONT font) {
    HWND control = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CreateControls(HWND window, AboutWindow& a) {
    HWND icon = AddControl(window, "STATIC", "", SS_ICON, kIdAboutIcon, 16, 16, 32, 32, nullptr);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(
                     LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IMAGE_CALCULATOR3))),
                 0);
    AddControl(window, "STATIC", "Tallymax", SS_LEFT, kIdAboutName, 64, 12, 220, 30, a.nameFont);
    HWND version = AddControl(window, "STATIC", "Version 2.0", SS_LEFT, kIdAboutVersion, 66, 44,
                              220, 14, a.versionFont);
    SetWindowTextA(version, App().versionText.c_str());
    AddControl(window, "STATIC", "Web:", SS_LEFT, kIdAboutWebLabel, 16, 76, 36, 16, a.textFont);
    AddControl(window, "STATIC", kMakerWebAddress, SS_LEFT | SS_NOTIFY, kIdAboutLink, 54, 76, 240,
               16, a.linkFont);
    AddControl(window, "BUTTON", "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 124, 112, 68, 28,
               a.textFont);
}

void Close(HWND window, AboutWindow& a) {
    a.done = true;
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(window);
}

LRESULT CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* a = reinterpret_cast<AboutWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
            break;
        case WM_CREATE:
            CreateControls(window, *a);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!a) break;
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                Close(window, *a);
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
            if (a) Close(window, *a);
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(window, kIdAboutLink))
                SetTextColor(dc, RGB(0, 0, 255));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterAboutClass(HINSTANCE instance) {
    return RegisterProgramWindowClass(instance, kAboutWindowClass, AboutProc);
}

}  // namespace

void ShowAboutWindow(HWND owner) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterAboutClass(instance)) return;
    AboutWindow a;
    a.nameFont = MakeFont("Tahoma", 24);
    a.versionFont = MakeFont("Tahoma", 11);
    a.textFont = MakeFont("Tahoma", 12);
    a.linkFont = MakeFont("Tahoma", 12, true);

    int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAboutWindowClass,
                                  "About Tallymax", WS_POPUP | WS_CAPTION | WS_SYSMENU, left, top,
                                  kOuterWidth, kOuterHeight, owner, nullptr, instance, &a);
    if (window) {
        if (owner) EnableWindow(owner, FALSE);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        SetFocus(GetDlgItem(window, IDOK));
        MSG msg;
        bool quit = false;
        while (!a.done && IsWindow(window)) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                quit = got == 0;
                break;
            }
            if (IsDialogMessageA(window, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (owner) EnableWindow(owner, TRUE);
        if (!a.done) DestroyWindow(window);
        if (owner) SetActiveWindow(owner);
        if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    }
    DeleteObject(a.nameFont);
    DeleteObject(a.versionFont);
    DeleteObject(a.textFont);
    DeleteObject(a.linkFont);
}
