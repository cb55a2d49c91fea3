// The main window: its class, creation, start-up settings and window procedure.
#include "ui/main_window_win.h"

#include <string>

#include "engine/number_system.h"
#include "engine/open_calculation.h"
#include "resource_ids.h"
#include "settings/main_settings.h"
#include "settings/settings_file.h"
#include "settings/settings_location_win.h"
#include "settings/settings_port.h"
#include "tape/memory_banks.h"
#include "tape/tape_draw_win.h"
#include "tape/tape_journal.h"
#include "tape/tape_journal_win.h"
#include "tape/tape_menu_win.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/main_layout.h"
#include "ui/main_state_win.h"
#include "ui/main_view_win.h"
#include "ui/main_window_tools_win.h"
#include "ui/status_bar_win.h"
#include "ui/themed_button_win.h"
#include "ui/window_kit_win.h"
#include "ui/window_size_win.h"

namespace {

constexpr const char* kMainClass = "FORM_TALLYMAX_FORM1_CLASS";
constexpr UINT kStatusClockTimer = 1008;
constexpr UINT kStopwatchTimer = 1014;
constexpr int kFullWidth = 513;

// A resource script gives popup menus no identifiers; they get theirs here.
void NumberPopupMenus(HMENU bar) {
    auto number = [](HMENU menu, int position, int id) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        info.wID = id;
        SetMenuItemInfoA(menu, position, TRUE, &info);
    };
    number(bar, 0, kMenuFile);
    number(bar, 1, kMenuEdit);
    number(bar, 2, kMenuView);
    number(bar, 3, kMenuHelp);
    number(GetSubMenu(bar, 2), 2, kMenuDecimals);  // after "Digit grouping" and a separator
}

void CheckDecimalsMenu(const CalculatorState& s) {
    CheckMainMenuItem(kMenuDigitGrouping, s.digitGrouping == 1);
    CheckMainMenuItem(kMenuFloating, s.decimalSetting == kModeFloating);
    for (int d = 0; d <= 4; ++d) CheckMainMenuItem(kMenuDecimal0 + d, s.decimalSetting == d);
    CheckMainMenuItem(kMenuAutoDecimal, s.autoDecimal == 1);
}

void LoadStartupSettings() {
    SetButtonToggleStyle(MainControl(kIdTopMost), true, true);
    SetButtonToggleStyle(MainControl(kIdSecond), true, true);
    SetKeyGroupColors(KeyGroupColors{16711680, 255, 16711935});

    Main().settingsPath = LocateWindowsSettingsFile();
    Main().calc.view = &MainView();
    Main().calc.settings = FileSettingsPort(Main().settingsPath);

    UpdateStatusDate();
    UpdateNumLockField();

    // The file is read once and written back once with every key normalised: read
    // and rewritten key by key, a large file made start-up crawl. The layout keys are
    // read in their place among the others; the window takes that layout once all
    // keys are read.
    SettingsSnapshot file = LoadSettingsSnapshot(Main().settingsPath);
    MainSettings s = ReadMainSettings(file);
    StoreSettingsSnapshot(file);
    TakeStoredWindowSize(file, s.layout);
    // The tape of the last run comes back before any line of this one is written.
    RestoreTapeJournal(MainControl(kIdTape), Main().settingsPath,
                       ReadSetting(file, kJournalSection, kKeepTapeKey, "1"));
    ApplyLayoutOf(s.layout);
    if (Main().growth.width || Main().growth.height) {
        // Centred at the size it takes, as at the size of its design.
        RECT r;
        GetWindowRect(Main().window, &r);
        POINT at = CentredOnScreen(r.right - r.left, r.bottom - r.top);
        SetWindowPos(Main().window, nullptr, at.x, at.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetKeyGroupColors(KeyGroupColors{static_cast<COLORREF>(s.group1Color),
                                     static_cast<COLORREF>(s.group2Color),
                                     static_cast<COLORREF>(s.group3Color)});
    CalculatorState& st = Main().calc.state;
    st.digitGrouping = s.digitGrouping;
    st.numberMode = s.numberMode;
    st.decimalSetting = s.decimalSetting;
    st.autoDecimal = s.autoDecimal;
    st.taxRate = s.taxRate;
    st.calcMode = s.calcMode;
    CheckDecimalsMenu(st);

    Main().topMost = s.topMost == 1;
    if (Main().topMost) {
        SetButtonToggleState(MainControl(kIdTopMost), true, true);
        PlaceTopMost(true);
    }
    Main().laptopMap = s.lt10Key == 1;
    ShowWindow(MainControl(kIdLaptopLabel), Main().laptopMap ? SW_SHOW : SW_HIDE);

    // The banks come from the same one read of the file.
    SettingsPort filePort = Main().calc.settings;
    Main().calc.settings = SnapshotSettingsPort(file);
    LoadMemoryBanks(Main().calc, Main().banks);
    Main().calc.settings = filePort;

    int system = st.numberMode >= kModeFloating ? st.numberMode - kModeFloating : 0;
    SetNumberSystem(Main().calc, system);
    // The open calculation of the last run goes on where it stopped (kept again at
    // once, since the number system may have written a line of its own).
    if (ResumeOpenCalculation(Main().calc, TakeRestoredCalculation()))
        JournalCalculationState(OpenCalculationText(Main().calc));
}

LRESULT OnColorRequest(HDC dc, HWND control) {
    // The display and the status fields use the window colours; labels on the
    // keypad side follow the dialog face colour around them.
    int id = GetDlgCtrlID(control);
    bool windowColours = id == kIdDisplay;
    int back = windowColours ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE: {
            Main().window = hwnd;
            SetMenu(hwnd, LoadMenuA(App().instance, MAKEINTRESOURCEA(FORM1_TOPMENU)));
            NumberPopupMenus(GetMenu(hwnd));
            Main().sizingByProgram = true;
            SizeWindowToClient(hwnd, Scaled(kFullWidth),
                               Scaled(LayOutMainWindow(LayoutSettings{}).clientHeight));
            Main().sizingByProgram = false;
            CreateMainFonts();
            CreateMainControls();
            LoadStartupSettings();
            // Not put off with the keypad's tips: the tape's answer to a screen reader
            // comes with its tip.
            AttachMainOverflowTips();
            SetTimer(hwnd, kStatusClockTimer, 60000, nullptr);
            SetTimer(hwnd, kStopwatchTimer, 50, nullptr);
            return 0;
        }
        case WM_COMMAND:
            DispatchCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_TIMER:
            if (wp == kStatusClockTimer) UpdateStatusDate();
            if (wp == kStopwatchTimer) StopwatchTick();
            return 0;
        case WM_MEASUREITEM: {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            if (m->CtlID == kIdTape) {
                m->itemHeight = TapeItemHeight(hwnd, Main().fonts.Font(kCourier12));
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            if (d->CtlID == kIdTape) {
                DrawTapeLine(*d);
                return TRUE;
            }
            break;
        }
        case WM_CONTEXTMENU:
            if (OnTapeContextMenu(hwnd, reinterpret_cast<HWND>(wp), lp)) return 0;
            break;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            // Themed radio buttons ask for their parent's background this way, with a
            // device context of their own.
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnColorRequest(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_SETFOCUS:
            if (Main().lastFocus && IsWindow(Main().lastFocus) && Main().lastFocus != hwnd)
                SetFocus(Main().lastFocus);
            else
                ReturnFocus();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f && IsChild(hwnd, f)) Main().lastFocus = f;
            }
            break;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_CLOSE) {
                PostMessageA(hwnd, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_SIZE:
            if (wp == SIZE_RESTORED) OnMainWindowSized();
            break;
        case WM_ENTERSIZEMOVE:
            OnMainWindowSizingStarted();
            break;
        case WM_EXITSIZEMOVE:
            OnMainWindowSizingEnded();
            break;
        case WM_GETMINMAXINFO:
            LimitMainWindowSize(*reinterpret_cast<MINMAXINFO*>(lp));
            return 0;
        case WM_NCHITTEST:
            return MainWindowHitTest(DefWindowProcA(hwnd, msg, wp, lp));
        case WM_DPICHANGED:
            OnMainWindowDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                SendMessageA(c, msg, wp, lp);
            break;
        case WM_DESTROY:
            KillTimer(hwnd, kStatusClockTimer);
            KillTimer(hwnd, kStopwatchTimer);
            CloseToolWindows();
            CloseTapeJournal();
            if (Main().tooltip) DestroyWindow(Main().tooltip);
            Main().tooltip = nullptr;
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            Main().fonts.Release();
            Main().window = nullptr;
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    if (!RegisterProgramWindowClass(instance, kMainClass, MainWindowProc)) return nullptr;
    // Centred by the height of the full layout's client area on this platform's frame
    // and menu, which is the size the window takes at once.
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;
    const int height = OuterHeightForClient(
        style, WS_EX_CONTROLPARENT, true, Scaled(LayOutMainWindow(LayoutSettings{}).clientHeight));
    POINT at = CentredOnScreen(Scaled(kFullWidth), height);
    return CreateWindowExA(WS_EX_CONTROLPARENT, kMainClass, "Tallymax", style, at.x, at.y,
                           Scaled(kFullWidth), height, nullptr, nullptr, instance, nullptr);
}

void FinishMainWindowStartUp() {
    if (Main().window) AttachMainTooltips();
}
