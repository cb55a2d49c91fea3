#include "ui/main_window_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "engine/display_format.h"
#include "engine/entry.h"
#include "engine/number_system.h"
#include "engine/operators.h"
#include "engine/percent_tax.h"
#include "resource_ids.h"
#include "settings/main_settings.h"
#include "settings/settings_file.h"
#include "settings/settings_location_win.h"
#include "tape/memory_banks.h"
#include "tape/tape.h"
#include "tape/tape_draw_win.h"
#include "tape/tape_files_win.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/fire_lines_win.h"
#include "ui/main_layout.h"
#include "ui/main_layout_win.h"
#include "ui/main_view_win.h"
#include "ui/main_window_tools_win.h"
#include "ui/overflow_tips_win.h"
#include "ui/status_bar_win.h"
#include "ui/themed_button_win.h"
#include "ui/window_kit_win.h"

// ApplyLayout with the three keys already read.
void ApplyLayoutOf(const LayoutSettings& settings);

namespace {

constexpr const char* kMainClass = "FORM_TALLYMAX_FORM1_CLASS";
constexpr UINT kStatusClockTimer = 1008;
constexpr UINT kStopwatchTimer = 1014;

constexpr int kFullWidth = 513;

struct MainState {
    HWND window = nullptr;
    bool topMost = false;
    bool laptopMap = false;
    HWND lastFocus = nullptr;
    std::vector<HFONT> fonts;
    HWND tooltip = nullptr;
};
MainState g_main;
Calculator g_calc;
std::string g_settingsPath;

enum FontId {
    kTahoma13Bold,
    kTahoma13,
    kTahoma12,
    kTahoma11,
    kTahoma9,
    kTahoma15,
    kArial12,
    kCourier12
};

HFONT MakeFont(const char* face, int height, int weight, bool fixedPitch = false) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       fixedPitch ? (FIXED_PITCH | FF_MODERN) : (DEFAULT_PITCH | FF_DONTCARE),
                       face);
}

void CreateFonts() {
    g_main.fonts = {
        MakeFont("Tahoma", 13, FW_BOLD),   MakeFont("Tahoma", 13, FW_NORMAL),
        MakeFont("Tahoma", 12, FW_NORMAL), MakeFont("Tahoma", 11, FW_NORMAL),
        MakeFont("Tahoma", 9, FW_NORMAL),  MakeFont("Tahoma", 15, FW_NORMAL),
        MakeFont("Arial", 12, FW_NORMAL),  MakeFont("Courier New", 12, FW_NORMAL, true)};
}

HFONT Font(FontId id) {
    return g_main.fonts[id];
}

// The keypad: caption, id, position, size, font, key group and toggle style.
struct KeyDef {
    const char* caption;
    int id;
    int x, y, w, h;
    FontId font;
    bool toggle;
    int icon;  // resource id of an image, 0 for none
};

constexpr int kW = 28, kH = 24, kTall = 52;
const KeyDef kKeys[] = {
    {"Back", kIdBack, 12, 56, 60, kH, kTahoma13Bold, false, 0},
    {"CE", kIdCE, 76, 56, 60, kH, kTahoma13Bold, false, 0},
    {"Clear", kIdClear, 140, 56, 60, kH, kTahoma13Bold, false, 0},
    {"CT", kIdCT, 204, 56, 60, kH, kTahoma13Bold, false, 0},
    {"Cnv", kIdCnv, 12, 104, kW, kH, kTahoma11, false, 0},
    {"2nd", kIdSecond, 44, 104, kW, kH, kTahoma12, true, 0},
    {"7", kIdKey7, 76, 104, kW, kH, kTahoma13Bold, false, 0},
    {"8", kIdKey8, 108, 104, kW, kH, kTahoma13Bold, false, 0},
    {"9", kIdKey9, 140, 104, kW, kH, kTahoma13Bold, false, 0},
    {"%", kIdPercent, 172, 104, kW, kH, kTahoma13, false, 0},
    {"\xF7", kIdDivide, 204, 104, kW, kH, kTahoma13Bold, false, 0},
    {"Feed", kIdFeed, 236, 104, kW, kH, kTahoma11, false, 0},
    {"Area", kIdArea, 12, 132, kW, kH, kTahoma11, false, 0},
    {"MC", kIdMemClear, 44, 132, kW, kH, kTahoma12, false, 0},
    {"4", kIdKey4, 76, 132, kW, kH, kTahoma13Bold, false, 0},
    {"5", kIdKey5, 108, 132, kW, kH, kTahoma13Bold, false, 0},
    {"6", kIdKey6, 140, 132, kW, kH, kTahoma13Bold, false, 0},
    {"-", kIdMinus, 172, 132, kW, kH, kTahoma13Bold, false, 0},
    {"\xD7", kIdMultiply, 204, 132, kW, kH, kTahoma13Bold, false, 0},
    {"+Tax", kIdTax, 236, 132, kW, kH, kTahoma11, false, 0},
    {"Vol", kIdVol, 12, 160, kW, kH, kTahoma11, false, 0},
    {"MR", kIdMemRecall, 44, 160, kW, kH, kTahoma12, false, 0},
    {"1", kIdKey1, 76, 160, kW, kH, kTahoma13Bold, false, 0},
    {"2", kIdKey2, 108, 160, kW, kH, kTahoma13Bold, false, 0},
    {"3", kIdKey3, 140, 160, kW, kH, kTahoma13Bold, false, 0},
    {"+", kIdPlus, 172, 160, kW, kTall, kTahoma13Bold, false, 0},
    {"=", kIdEquals, 204, 160, kW, kTall, kTahoma13Bold, false, 0},
    {"Chg", kIdChg, 236, 160, kW, kH, kTahoma11, false, 0},
    {"Loan", kIdLoan, 12, 188, kW, kH, kTahoma11, false, 0},
    {"MS", kIdMemSet, 44, 188, kW, kH, kTahoma12, false, 0},
    {"+/-", kIdSign, 76, 188, kW, kH, kTahoma13, false, 0},
    {"0", kIdKey0, 108, 188, kW, kH, kTahoma13Bold, false, 0},
    {".", kIdPoint, 140, 188, kW, kH, kTahoma13Bold, false, 0},
    {"1/x", kIdReciprocal, 236, 188, kW, kH, kTahoma11, false, 0},
    {"XPButton", kIdThroughput, 12, 216, kW, kH, kTahoma13, false, IMAGE_GENERAL},
    {"M+", kIdMemAdd, 44, 216, kW, kH, kTahoma12, false, 0},
    {"A", kIdKeyA, 76, 216, kW, kH, kTahoma13Bold, false, 0},
    {"B", kIdKeyB, 108, 216, kW, kH, kTahoma13Bold, false, 0},
    {"C", kIdKeyC, 140, 216, kW, kH, kTahoma13Bold, false, 0},
    {"D", kIdKeyD, 172, 216, kW, kH, kTahoma13Bold, false, 0},
    {"E", kIdKeyE, 204, 216, kW, kH, kTahoma13Bold, false, 0},
    {"F", kIdKeyF, 236, 216, kW, kH, kTahoma13Bold, false, 0},
    {"Help", kIdHelp, 204, 32, 25, 20, kTahoma11, false, IMAGE_SHELL32_24},
    {"[O]", kIdTopMost, 237, 32, 25, 20, kTahoma12, true, IMAGE_TOP},
    {"Start", kIdStopwatchStart, 12, 245, 60, 18, kTahoma13, false, 0},
    {"Lap", kIdStopwatchLap, 76, 245, 60, 18, kTahoma13, false, 0},
    {"Reset", kIdStopwatchReset, 236, 245, 28, 18, kTahoma9, false, 0},
};

// Tooltips, attached in this order.
struct TipDef {
    int id;
    const char* text;
};
const TipDef kTips[] = {
    {kIdTopMost, "Always On Top"},
    {kIdClear, "Clear (ESC)"},
    {kIdBack, "Backspace (Backspace)"},
    {kIdCE, "Clear Error (Delete)"},
    {kIdCT, "Clear Tape (Shift + ESC)"},
    {kIdFeed, "Paper Feed (Up Arrow)"},
    {kIdTax, "Add Tax to Total (t)"},
    {kIdChg, "Calculate change to give back (g)"},
    {kIdCnv, "Conversion Calculator"},
    {kIdArea, "Area Calculator"},
    {kIdVol, "Volume Calculator"},
    {kIdLoan, "Loan Calculator / Amortization Schedule"},
    {kIdSecond, "Memory Bank Select"},
    {kIdMemClear, "Memory Clear"},
    {kIdMemRecall, "Memory Recall"},
    {kIdMemSet, "Memory Set"},
    {kIdMemAdd, "Memory Add"},
    {kIdThroughput, "Quorvel"},
    {kIdStopwatchStart, "Stopwatch Start/Stop (Space)"},
    {kIdStopwatchLap, "Stopwatch Lap Time"},
    {kIdStopwatchReset, "Stopwatch Reset"},
    {kIdHelp, "Help"},
};

HWND Control(int id) {
    return GetDlgItem(g_main.window, id);
}

HWND MakeChild(const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h,
               HFONT font, DWORD exStyle = 0) {
    HWND h0 =
        CreateWindowExA(exStyle, cls, text, WS_CHILD | style, x, y, w, h, g_main.window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().instance, nullptr);
    if (h0 && font) SendMessageA(h0, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return h0;
}

bool IsHexLetterKey(int id) {
    for (int digit = 10; digit < 16; ++digit)
        if (kDigitKeyIds[digit] == id) return true;
    return false;
}

void CreateControls() {
    for (const KeyDef& k : kKeys) {
        ThemedButtonOptions o;
        o.caption = k.caption;
        o.id = k.id;
        o.x = k.x;
        o.y = k.y;
        o.width = k.w;
        o.height = k.h;
        o.font = Font(k.font);
        o.toggle = k.toggle;
        // The stopwatch's Lap and Reset start disabled. So do "A".."F": the start-up
        // choice of number system is Dec far more often than not, and a key that keeps
        // its state there costs nothing when the system's keys are set.
        o.disabled = k.id == kIdStopwatchLap || k.id == kIdStopwatchReset || IsHexLetterKey(k.id);
        if (k.icon)
            o.icon = static_cast<HICON>(LoadImageA(App().instance, MAKEINTRESOURCEA(k.icon),
                                                   IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        CreateThemedButton(g_main.window, o);
        if (o.icon) DestroyIcon(o.icon);  // the button keeps its own copy
    }

    MakeChild("EDIT", "0", WS_VISIBLE | WS_BORDER | ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL,
              kIdDisplay, 4, 8, 252, 20, Font(kTahoma12), WS_EX_CLIENTEDGE);
    MakeChild("EDIT", "", ES_MULTILINE | ES_READONLY | ES_WANTRETURN, kIdInputSink, 188, 0, 52, 16,
              nullptr);
    HWND tape =
        MakeChild("LISTBOX", "",
                  WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                      LBS_NOTIFY | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                  kIdTape, 276, 8, 224, 254, Font(kCourier12));
    SendMessageA(tape, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);

    const char* systems[] = {"Dec", "Hex", "Bin", "Oct"};
    for (int i = 0; i < 4; ++i)
        MakeChild("BUTTON", systems[i],
                  WS_VISIBLE | WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                  kIdRadioDec + i, 20 + 44 * i, 36, 36, 12, Font(kTahoma11));
    // The frame comes after the radio buttons so that it never paints over them.
    MakeChild("BUTTON", "", WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, kIdRadioFrame, 12, 25, 184,
              28, Font(kTahoma12));
    MakeChild("STATIC", "Mem2", SS_CENTER, kIdMem2Label, 44, 88, 32, 12, Font(kTahoma11));
    MakeChild("STATIC", "Laptop 10 Key", SS_CENTER, kIdLaptopLabel, 78, 88, 89, 12,
              Font(kTahoma11));
    MakeChild("STATIC", "00:00:00:00", WS_VISIBLE | SS_CENTER, kIdStopwatchReadout, 142, 245, 88,
              18, Font(kTahoma15));
    CreateSeparatorLine(g_main.window, kIdSeparatorLine, 0, 269, 513, 8, RGB(128, 128, 128),
                        RGB(236, 233, 216));
    // One line each: a text too long for its field ends in an ellipsis (its tooltip
    // shows all of it) instead of wrapping onto a line below the field's edge.
    const DWORD field = WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS |
                        SS_NOPREFIX | SS_NOTIFY | SS_SUNKEN;
    MakeChild("STATIC", " M1", field, kIdStatusMemory, 0, 270, 133, 22, Font(kArial12));
    MakeChild("STATIC", " Avg = 0.00", field, kIdStatusAverage, 133, 270, 133, 22, Font(kArial12));
    MakeChild("STATIC", " 0 Items", field, kIdStatusItems, 266, 270, 100, 22, Font(kArial12));
    MakeChild("STATIC", "", field, kIdStatusDate, 366, 270, 100, 22, Font(kArial12));
    MakeChild("STATIC", "Text2", field, kIdStatusNumLock, 466, 270, 46, 22, Font(kArial12));
}

// The status fields and the tape lines that are drawn cut show their whole text.
void AttachOverflowTipsToFields() {
    CreateOverflowTips();
    for (int id :
         {kIdStatusMemory, kIdStatusAverage, kIdStatusItems, kIdStatusDate, kIdStatusNumLock})
        AttachFieldOverflowTip(Control(id));
    AttachTapeLineTips(Control(kIdTape), kTapeTextRight);
}

void AttachTooltips() {
    // Not owned by the main window: Wine leaves a window with owned popups out of the
    // topmost band when it is put there. It is destroyed with the main window.
    g_main.tooltip = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, App().instance, nullptr);
    for (const TipDef& t : kTips) {
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = g_main.window;
        info.uId = reinterpret_cast<UINT_PTR>(Control(t.id));
        info.lpszText = const_cast<char*>(t.text);
        SendMessageA(g_main.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

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

void PlaceTopMost(bool on) {
    SetWindowPos(g_main.window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CheckDecimalsMenu(const CalculatorState& s) {
    CalcView& v = MainView();
    v.CheckMenu(kMenuDigitGrouping, s.digitGrouping == 1);
    v.CheckMenu(kMenuFloating, s.decimalSetting == kModeFloating);
    for (int d = 0; d <= 4; ++d) v.CheckMenu(kMenuDecimal0 + d, s.decimalSetting == d);
    v.CheckMenu(kMenuAutoDecimal, s.autoDecimal == 1);
}

void LoadStartupSettings() {
    SetButtonToggleStyle(Control(kIdTopMost), true, true);
    SetButtonToggleStyle(Control(kIdSecond), true, true);
    SetKeyGroupColors(KeyGroupColors{16711680, 255, 16711935});

    g_settingsPath = LocateWindowsSettingsFile();
    g_calc.view = &MainView();
    g_calc.settingsPath = g_settingsPath;

    UpdateStatusDate();
    UpdateNumLockField();

    // The file is read once and written back once with every key normalised: read
    // and rewritten key by key, a large file made start-up crawl. The layout keys are
    // read in their place among the others; the window takes that layout once all
    // keys are read.
    SettingsSnapshot file = LoadSettingsSnapshot(g_settingsPath);
    MainSettings s = ReadMainSettings(file);
    StoreSettingsSnapshot(file);
    ApplyLayoutOf(s.layout);
    SetKeyGroupColors(KeyGroupColors{static_cast<COLORREF>(s.group1Color),
                                     static_cast<COLORREF>(s.group2Color),
                                     static_cast<COLORREF>(s.group3Color)});
    CalculatorState& st = g_calc.state;
    st.digitGrouping = s.digitGrouping;
    st.numberMode = s.numberMode;
    st.decimalSetting = s.decimalSetting;
    st.autoDecimal = s.autoDecimal;
    st.taxRate = s.taxRate;
    st.calcMode = s.calcMode;
    CheckDecimalsMenu(st);

    g_main.topMost = s.topMost == 1;
    if (g_main.topMost) {
        SetButtonToggleState(Control(kIdTopMost), true, true);
        PlaceTopMost(true);
    }
    g_main.laptopMap = s.lt10Key == 1;
    ShowWindow(Control(kIdLaptopLabel), g_main.laptopMap ? SW_SHOW : SW_HIDE);

    LoadMemoryBanks(g_calc, file);
    AttachTooltips();

    int system = st.numberMode >= kModeFloating ? st.numberMode - kModeFloating : 0;
    SetNumberSystem(g_calc, system);
}

void ToggleLayoutItem(int menuId, const char* key) {
    bool checked = MainView().MenuChecked(menuId);
    MainView().CheckMenu(menuId, !checked);
    WriteSetting(g_settingsPath, kMainSection, key, checked ? "0" : "1");
    ApplyLayout();
    ReturnFocus();
}

bool DecimalSystemActive() {
    return IsDecimalMode(g_calc.state.numberMode);
}

void RunMenuCommand(int id) {
    switch (id) {
        case kMenuSaveTape:
            SaveTapeCommand();
            break;
        case kMenuLoadTape:
            LoadTapeCommand();
            break;
        case kMenuPrintTape:
            PrintTapeCommand();
            break;
        case kMenuShowTape:
            ToggleLayoutItem(id, "ShowTape");
            break;
        case kMenuShowStatusBar:
            ToggleLayoutItem(id, "ShowStatusBar");
            break;
        case kMenuShowStopwatch:
            ToggleLayoutItem(id, "ShowStopWatch");
            break;
        case kMenuOptions:
            OpenOptionsCommand();
            break;
        case kMenuExit:
            DestroyWindow(g_main.window);
            break;
        case kMenuCopy:
            CopyDisplay(g_calc);
            break;
        case kMenuPaste:
            PasteDisplay(g_calc);
            break;
        case kMenuDigitGrouping:
            ToggleDigitGrouping(g_calc);
            break;
        case kMenuAutoDecimal:
            ToggleAutoDecimal(g_calc);
            break;
        case kMenuHelpTopics:
            OpenHelpCommand(0, true);
            break;
        case kMenuKeyboard:
            OpenHelpCommand(500, true);
            break;
        case kMenuAbout:
            OpenAboutCommand();
            break;
        default:
            if (id == kMenuFloating) SelectDecimals(g_calc, kModeFloating);
            if (id >= kMenuDecimal0 && id <= kMenuDecimal4)
                SelectDecimals(g_calc, id - kMenuDecimal0);
            break;
    }
}

bool IsMenuCommand(int id) {
    return id == kMenuSaveTape || id == kMenuLoadTape || id == kMenuPrintTape ||
           id == kMenuShowTape || id == kMenuShowStatusBar || id == kMenuShowStopwatch ||
           id == kMenuOptions || id == kMenuExit || id == kMenuCopy || id == kMenuPaste ||
           id == kMenuDigitGrouping || id == kMenuFloating ||
           (id >= kMenuDecimal0 && id <= kMenuDecimal4) || id == kMenuAutoDecimal ||
           id == kMenuHelpTopics || id == kMenuKeyboard || id == kMenuAbout;
}

bool RunButtonCommand(int id) {
    Calculator& c = g_calc;
    switch (id) {
        case kIdPoint:
            EnterDecimalPoint(c);
            break;
        case kIdSign:
            ToggleSign(c);
            break;
        case kIdBack:
            Backspace(c);
            break;
        case kIdCE:
            ClearEntry(c);
            break;
        case kIdClear:
            ClearAll(c);
            break;
        case kIdCT:
            ClearTape(c);
            break;
        case kIdFeed:
            PaperFeed(c);
            break;
        case kIdPlus:
            ApplyOperator(c, '+');
            break;
        case kIdMinus:
            ApplyOperator(c, '-');
            break;
        case kIdMultiply:
            ApplyOperator(c, '*');
            break;
        case kIdDivide:
            ApplyOperator(c, '/');
            break;
        case kIdEquals:
            ApplyEquals(c);
            break;
        case kIdPercent:
            ApplyPercent(c);
            break;
        case kIdReciprocal:
            ApplyReciprocal(c);
            break;
        case kIdTax:
            AddTax(c);
            break;
        case kIdChg:
            MakeChange(c);
            break;
        case kIdMemAdd:
            MemoryAdd(c);
            break;
        case kIdMemSet:
            MemorySet(c);
            break;
        case kIdMemRecall:
            MemoryRecall(c);
            break;
        case kIdMemClear:
            MemoryClear(c);
            break;
        case kIdSecond:
            SwitchMemoryBank(c);
            break;
        case kIdCnv:
            OpenConversionCommand();
            break;
        case kIdArea:
            OpenToolWindow(ToolWindow::Area);
            break;
        case kIdVol:
            OpenToolWindow(ToolWindow::Volume);
            break;
        case kIdLoan:
            OpenToolWindow(ToolWindow::Loan);
            break;
        case kIdThroughput:
            OpenToolWindow(ToolWindow::Throughput);
            break;
        case kIdHelp:
            OpenToolWindow(ToolWindow::Help);
            break;
        case kIdTopMost:
            ToggleAlwaysOnTop();
            break;
        case kIdStopwatchStart:
            StopwatchStartStop();
            break;
        case kIdStopwatchLap:
            StopwatchLap();
            break;
        case kIdStopwatchReset:
            StopwatchReset();
            break;
        default:
            return false;
    }
    return true;
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
            g_main.window = hwnd;
            SetMenu(hwnd, LoadMenuA(App().instance, MAKEINTRESOURCEA(FORM1_TOPMENU)));
            NumberPopupMenus(GetMenu(hwnd));
            RECT r = {0, 0, 507, 293};
            AdjustWindowRectEx(&r, GetWindowLongA(hwnd, GWL_STYLE), TRUE,
                               GetWindowLongA(hwnd, GWL_EXSTYLE));
            SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            CreateFonts();
            CreateControls();
            LoadStartupSettings();
            AttachOverflowTipsToFields();
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
                m->itemHeight = TapeItemHeight(hwnd, Font(kCourier12));
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
            if (g_main.lastFocus && IsWindow(g_main.lastFocus) && g_main.lastFocus != hwnd)
                SetFocus(g_main.lastFocus);
            else
                ReturnFocus();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f && IsChild(hwnd, f)) g_main.lastFocus = f;
            }
            break;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_CLOSE) {
                PostMessageA(hwnd, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                SendMessageA(c, msg, wp, lp);
            break;
        case WM_DESTROY:
            KillTimer(hwnd, kStatusClockTimer);
            KillTimer(hwnd, kStopwatchTimer);
            CloseToolWindows();
            if (g_main.tooltip) DestroyWindow(g_main.tooltip);
            g_main.tooltip = nullptr;
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            for (HFONT f : g_main.fonts) DeleteObject(f);
            g_main.fonts.clear();
            g_main.window = nullptr;
            break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

const AppInfo& App();  // defined by the program's entry

HWND MainWindow() {
    return g_main.window;
}
Calculator& TheCalculator() {
    return g_calc;
}
const std::string& SettingsPath() {
    return g_settingsPath;
}
bool LaptopMapOn() {
    return g_main.laptopMap;
}
bool TopMostOn() {
    return g_main.topMost;
}

void SetLaptopMap(bool on) {
    g_main.laptopMap = on;
    ShowWindow(Control(kIdLaptopLabel), on ? SW_SHOW : SW_HIDE);
}

void SetTopMost(bool on) {
    g_main.topMost = on;
    SetButtonToggleState(Control(kIdTopMost), on, true);
    PlaceTopMost(on);
}

void ReturnFocus() {
    if (HWND sink = Control(kIdInputSink)) SetFocus(sink);
}

int ShowMessage(const std::string& text, const std::string& caption, UINT style) {
    return ShowMessageFrom(g_main.window, text, caption, style);
}

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, kMainClass, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = MainWindowProc;
        wc.hInstance = instance;
        wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IMAGE_CALCULATOR3),
                                                 IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
        wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IMAGE_CALCULATOR3),
                                                   IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kMainClass;
        if (!RegisterClassExA(&wc)) return nullptr;
    }
    // Centred by the height of the full layout's client area on this platform's frame
    // and menu, which is the size the window takes at once.
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const int height = OuterHeightForClient(style, WS_EX_CONTROLPARENT, true,
                                            LayOutMainWindow(LayoutSettings{}).clientHeight);
    int left = (GetSystemMetrics(SM_CXSCREEN) - kFullWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return CreateWindowExA(WS_EX_CONTROLPARENT, kMainClass, "Tallymax", style, left, top,
                           kFullWidth, height, nullptr, nullptr, instance, nullptr);
}

void DispatchCommand(int id, int notification) {
    for (int digit = 0; digit < 16; ++digit) {
        if (kDigitKeyIds[digit] == id) {
            EnterDigit(g_calc, digit);
            return;
        }
    }
    if (IsMenuCommand(id)) {
        bool decimalOnly = id == kMenuDigitGrouping || id == kMenuFloating ||
                           (id >= kMenuDecimal0 && id <= kMenuDecimal4) || id == kMenuAutoDecimal;
        if (decimalOnly && !DecimalSystemActive()) return;
        RunMenuCommand(id);
        return;
    }
    if (id >= kIdRadioDec && id <= kIdRadioOct) {
        if (notification == BN_CLICKED) SetNumberSystem(g_calc, id - kIdRadioDec);
        return;
    }
    if (id == kIdTape) {
        if (notification == LBN_SETFOCUS) ReturnFocus();
        return;
    }
    if (notification == BN_CLICKED) RunButtonCommand(id);
}

void ApplyLayout() {
    ApplyLayoutOf(ReadLayoutSettings(g_settingsPath));
}

void ApplyLayoutOf(const LayoutSettings& settings) {
    const MainLayout layout = LayOutMainWindow(settings);
    CalcView& v = MainView();
    if (layout.stopwatchShown) v.CheckMenu(kMenuShowStopwatch, true);
    if (layout.statusBarShown) v.CheckMenu(kMenuShowStatusBar, true);
    if (layout.tapeShown) v.CheckMenu(kMenuShowTape, true);

    SetWindowPos(Control(kIdTape), nullptr, 0, 0, 224, layout.tapeHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(Control(kIdTape), layout.tapeShown ? SW_SHOW : SW_HIDE);
    for (int id : {kIdStopwatchStart, kIdStopwatchLap, kIdStopwatchReset, kIdStopwatchReadout})
        ShowWindow(Control(id), layout.stopwatchShown ? SW_SHOW : SW_HIDE);

    // The status bar is hidden with its line rather than left below the window's
    // edge, where any platform with other frame metrics would show part of it.
    const int fieldIds[kStatusFieldCount] = {kIdStatusMemory, kIdStatusAverage, kIdStatusItems,
                                             kIdStatusDate, kIdStatusNumLock};
    const UINT show = layout.statusBarShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    for (int i = 0; i < kStatusFieldCount; ++i) {
        const LayoutBox& f = layout.fields[i];
        SetWindowPos(Control(fieldIds[i]), nullptr, f.x, f.y, f.width, f.height,
                     SWP_NOZORDER | show);
    }
    const LayoutBox& line = layout.separator;
    SetWindowPos(Control(kIdSeparatorLine), nullptr, line.x, line.y, line.width, line.height,
                 SWP_NOZORDER | show);

    SizeWindowToClient(g_main.window, layout.outerWidth, layout.clientHeight);
}

void ToggleAlwaysOnTop() {
    if (g_main.topMost) {
        g_main.topMost = false;
        PlaceTopMost(false);
        WriteSetting(g_settingsPath, kMainSection, "TopMost", "0");
    } else {
        g_main.topMost = true;
        PlaceTopMost(true);
        WriteSetting(g_settingsPath, kMainSection, "TopMost", "1");
    }
    SetButtonToggleState(Control(kIdTopMost), g_main.topMost, true);
    ReturnFocus();
}
