// The main window's controls: the keypad table, the other controls as the window's
// control table, and the tooltips.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "resource_ids.h"
#include "tape/tape_draw_win.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/fire_lines_win.h"
#include "ui/main_state_win.h"
#include "ui/overflow_tips_win.h"
#include "ui/themed_button_win.h"

namespace {

// The keypad: caption, id, position, size, font, key group and toggle style.
struct KeyDef {
    const char* caption;
    int id;
    int x, y, w, h;
    MainFont font;
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

bool IsHexLetterKey(int id) {
    for (int digit = 10; digit < 16; ++digit)
        if (kDigitKeyIds[digit] == id) return true;
    return false;
}

// One line each: a text too long for its field ends in an ellipsis (its tooltip shows
// all of it) instead of wrapping onto a line below the field's edge.
constexpr DWORD kStatusField =
    WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOPREFIX | SS_NOTIFY | SS_SUNKEN;

// Everything but the keypad buttons and the separator line, in creation order.
const ControlDef kMainControls[] = {
    {"EDIT", "0", kIdDisplay, 4, 8, 252, 20, WS_BORDER | ES_READONLY | ES_RIGHT | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE, kTahoma12},
    {"EDIT", "", kIdInputSink, 188, 0, 52, 16, ES_MULTILINE | ES_READONLY | ES_WANTRETURN, 0, 0,
     kHidden | kNoFont},
    {"LISTBOX", "", kIdTape, 276, 8, 224, 254,
     WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
         LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
     0, kCourier12},
    {"BUTTON", "Dec", kIdRadioDec, 20, 36, 36, 12, WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON | WS_GROUP,
     0, kTahoma11},
    {"BUTTON", "Hex", kIdRadioHex, 64, 36, 36, 12, WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON, 0,
     kTahoma11},
    {"BUTTON", "Bin", kIdRadioBin, 108, 36, 36, 12, WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON, 0,
     kTahoma11},
    {"BUTTON", "Oct", kIdRadioOct, 152, 36, 36, 12, WS_CLIPSIBLINGS | BS_AUTORADIOBUTTON, 0,
     kTahoma11},
    // The frame comes after the radio buttons so that it never paints over them.
    {"BUTTON", "", kIdRadioFrame, 12, 25, 184, 28, WS_CLIPSIBLINGS | BS_GROUPBOX, 0, kTahoma12},
    {"STATIC", "Mem2", kIdMem2Label, 44, 88, 32, 12, SS_CENTER, 0, kTahoma11, kHidden},
    {"STATIC", "Laptop 10 Key", kIdLaptopLabel, 78, 88, 89, 12, SS_CENTER, 0, kTahoma11, kHidden},
    {"STATIC", "00:00:00:00", kIdStopwatchReadout, 142, 245, 88, 18, SS_CENTER, 0, kTahoma15},
};

// After the separator line, so that they lie above it.
const ControlDef kStatusFields[] = {
    {"STATIC", " M1", kIdStatusMemory, 0, 270, 133, 22, kStatusField, 0, kArial12},
    {"STATIC", " Avg = 0.00", kIdStatusAverage, 133, 270, 133, 22, kStatusField, 0, kArial12},
    {"STATIC", " 0 Items", kIdStatusItems, 266, 270, 100, 22, kStatusField, 0, kArial12},
    {"STATIC", "", kIdStatusDate, 366, 270, 100, 22, kStatusField, 0, kArial12},
    {"STATIC", "Text2", kIdStatusNumLock, 466, 270, 46, 22, kStatusField, 0, kArial12},
};

}  // namespace

void CreateMainFonts() {
    Main().fonts.Make({{"Tahoma", 13, FW_BOLD},
                       {"Tahoma", 13},
                       {"Tahoma", 12},
                       {"Tahoma", 11},
                       {"Tahoma", 9},
                       {"Tahoma", 15},
                       {"Arial", 12},
                       {"Courier New", 12}});
}

void CreateMainControls() {
    HWND window = Main().window;
    const WindowFonts& fonts = Main().fonts;
    for (const KeyDef& k : kKeys) {
        ThemedButtonOptions o;
        o.caption = k.caption;
        o.id = k.id;
        o.x = Scaled(k.x);
        o.y = Scaled(k.y);
        o.width = Scaled(k.w);
        o.height = Scaled(k.h);
        o.font = fonts.Font(k.font);
        o.toggle = k.toggle;
        // The stopwatch's Lap and Reset start disabled. So do "A".."F": the start-up
        // choice of number system is Dec far more often than not, and a key that keeps
        // its state there costs nothing when the system's keys are set.
        o.disabled = k.id == kIdStopwatchLap || k.id == kIdStopwatchReset || IsHexLetterKey(k.id);
        if (k.icon)
            o.icon =
                static_cast<HICON>(LoadImageA(App().instance, MAKEINTRESOURCEA(k.icon), IMAGE_ICON,
                                              Scaled(16), Scaled(16), LR_DEFAULTCOLOR));
        CreateThemedButton(window, o);
        if (o.icon) DestroyIcon(o.icon);  // the button keeps its own copy
    }
    CreateControls(window, kMainControls, fonts);
    SendDlgItemMessageA(window, kIdTape, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    CreateSeparatorLine(window, kIdSeparatorLine, 0, Scaled(269), Scaled(513), Scaled(8),
                        RGB(128, 128, 128), RGB(236, 233, 216));
    CreateControls(window, kStatusFields, fonts);
}

void PlaceMainControls() {
    HWND window = Main().window;
    const WindowFonts& fonts = Main().fonts;
    for (const KeyDef& k : kKeys) {
        HWND key = GetDlgItem(window, k.id);
        SetWindowPos(key, nullptr, Scaled(k.x), Scaled(k.y), Scaled(k.w), Scaled(k.h),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(key, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Font(k.font)), TRUE);
    }
    PlaceControls(window, kMainControls, fonts);
    PlaceControls(window, kStatusFields, fonts);
    SendDlgItemMessageA(window, kIdTape, LB_SETITEMHEIGHT, 0,
                        TapeItemHeight(window, fonts.Font(kCourier12)));
}

void AttachOverflowTips() {
    CreateOverflowTips();
    for (int id :
         {kIdStatusMemory, kIdStatusAverage, kIdStatusItems, kIdStatusDate, kIdStatusNumLock})
        AttachFieldOverflowTip(MainControl(id));
    AttachTapeLineTips(MainControl(kIdTape));
}

void AttachMainTooltips() {
    // Not owned by the main window: Wine leaves a window with owned popups out of the
    // topmost band when it is put there. It is destroyed with the main window.
    HWND tooltip = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, App().instance, nullptr);
    Main().tooltip = tooltip;
    for (const TipDef& t : kTips) {
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = Main().window;
        info.uId = reinterpret_cast<UINT_PTR>(MainControl(t.id));
        info.lpszText = const_cast<char*>(t.text);
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void AttachMainOverflowTips() {
    CreateOverflowTips();
    for (int id :
         {kIdStatusMemory, kIdStatusAverage, kIdStatusItems, kIdStatusDate, kIdStatusNumLock})
        AttachFieldOverflowTip(MainControl(id));
    AttachTapeLineTips(MainControl(kIdTape));
}

void OnMainWindowDpiChanged(int dpi, const RECT& suggested) {
    SetProgramDpi(dpi);
    // The controls hold the old fonts until they have been given the new ones.
    WindowFonts old;
    old.fonts.swap(Main().fonts.fonts);
    CreateMainFonts();
    PlaceMainControls();
    SetWindowPos(Main().window, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyLayoutOf(Main().layout);
    InvalidateRect(Main().window, nullptr, TRUE);
}
