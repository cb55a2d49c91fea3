#include "settings/options_dialog_win.h"

#include <string>

#include "settings/settings_file.h"
#include "ui/app_win.h"
#include "ui/main_window_win.h"
#include "ui/window_class_win.h"

namespace {

constexpr int kOuterWidth = 365;
constexpr int kOuterHeight = 228;

// One open dialog: what it edits and the fonts it owns.
struct OptionsDialog {
    OptionValues* values;
    const OptionsEffects* effects;
    HFONT sansFont = nullptr;    // "MS Sans Serif" 11: group box, radio buttons, check boxes
    HFONT tahomaFont = nullptr;  // "Tahoma" 12: tax label and field, push buttons
    OptionsForm chosen;          // the controls as "Ok" found them
    int result = 0;
    bool done = false;
};

HFONT MakeFont(const char* face, int pixelHeight) {
    return CreateFontA(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

// Room a radio button or check box leaves for its caption beside the mark.
constexpr int kMarkWidth = 18;

struct CaptionRoom {
    const char* caption;
    int width;  // of its control
};
const CaptionRoom kSansCaptions[] = {
    {"Standard Calculator", 125},
    {"Adding Machine", 124},
    {"Laptop 10 Key Support (No need for your Num Locks to be on)", 333},
    {"Always on Top (Tallymax is always on top of all other windows)", 333},
};

bool CaptionsFit(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    bool fit = true;
    for (const CaptionRoom& room : kSansCaptions) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, room.caption, lstrlenA(room.caption), &size);
        if (size.cx > room.width - kMarkWidth) fit = false;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return fit;
}

// "MS Sans Serif" 11 fits every caption in one line. Where the platform puts a wider
// face in its place, a smaller height keeps the captions whole instead of cut off.
HFONT MakeSansFont() {
    for (int height = 11; height > 8; --height) {
        HFONT font = MakeFont("MS Sans Serif", height);
        if (CaptionsFit(font)) return font;
        DeleteObject(font);
    }
    return MakeFont("MS Sans Serif", 8);
}

HWND AddControl(HWND dialog, const char* cls, const char* text, DWORD style, DWORD exStyle, int id,
                int x, int y, int w, int h, HFONT font) {
    HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                   dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CreateControls(HWND dialog, OptionsDialog& d) {
    // Created in tab order: the modes, the rate, the two switches, then the buttons.
    AddControl(dialog, "BUTTON", "Calculator Mode", BS_GROUPBOX, 0, kIdOptionsModeGroup, 4, 11, 147,
               56, d.sansFont);
    AddControl(dialog, "BUTTON", "Standard Calculator", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
               0, kIdOptionsStandard, 8, 28, 125, 16, d.sansFont);
    AddControl(dialog, "BUTTON", "Adding Machine", BS_AUTORADIOBUTTON, 0, kIdOptionsAdding, 8, 46,
               124, 16, d.sansFont);
    AddControl(dialog, "STATIC", "Tax Rate (%)", WS_GROUP, 0, kIdOptionsTaxLabel, 8, 76, 80, 16,
               d.tahomaFont);
    AddControl(dialog, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
               kIdOptionsTaxField, 88, 76, 44, 16, d.tahomaFont);
    AddControl(dialog, "BUTTON", "Laptop 10 Key Support (No need for your Num Locks to be on)",
               BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0, kIdOptionsLaptopKeys, 8, 104, 333,
               15, d.sansFont);
    AddControl(dialog, "BUTTON", "Always on Top (Tallymax is always on top of all other windows)",
               BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0, kIdOptionsAlwaysOnTop, 8, 126, 333,
               15, d.sansFont);
    AddControl(dialog, "STATIC", "", SS_SUNKEN, 0, kIdOptionsSeparator, 8, 152, 340, 2, d.sansFont);
    AddControl(dialog, "BUTTON", "Ok", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, IDOK, 188, 160,
               68, 28, d.tahomaFont);
    AddControl(dialog, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL, 268, 160, 68,
               28, d.tahomaFont);
}

void SetCheck(HWND dialog, int id, bool on) {
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ShowForm(HWND dialog, const OptionsForm& form) {
    SetCheck(dialog, kIdOptionsLaptopKeys, form.laptopKeys);
    SetCheck(dialog, kIdOptionsAlwaysOnTop, form.alwaysOnTop);
    SetCheck(dialog, kIdOptionsAdding, form.addingMachine);
    SetCheck(dialog, kIdOptionsStandard, form.standardCalculator);
    SetDlgItemTextA(dialog, kIdOptionsTaxField, form.taxRateText.c_str());
}

OptionsForm ReadForm(HWND dialog) {
    OptionsForm form;
    form.standardCalculator = IsChecked(dialog, kIdOptionsStandard);
    form.addingMachine = IsChecked(dialog, kIdOptionsAdding);
    form.laptopKeys = IsChecked(dialog, kIdOptionsLaptopKeys);
    form.alwaysOnTop = IsChecked(dialog, kIdOptionsAlwaysOnTop);
    HWND field = GetDlgItem(dialog, kIdOptionsTaxField);
    int length = GetWindowTextLengthA(field);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(field, &text[0], length + 1)));
    form.taxRateText = text;
    return form;
}

void Finish(HWND dialog, OptionsDialog& d, int result) {
    d.result = result;
    d.done = true;
    // The owner is enabled before the dialog goes, so that the activation returns to
    // it rather than to another program's window.
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner) EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
}

LRESULT CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(dialog, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
            break;
        }
        case WM_CREATE:
            CreateControls(dialog, *d);
            ShowForm(dialog, FormForValues(*d->values));
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!d || HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == IDOK) {
                OptionsForm chosen = ReadForm(dialog);
                Finish(dialog, *d, 1);
                // Applied once the dialog is gone: moving the owner into the topmost
                // band while a window it owns is open can leave it outside the band
                // (seen under Wine).
                ApplyOptionsForm(chosen, *d->values, *d->effects);
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                Finish(dialog, *d, 0);
                return 0;
            }
            break;
        case WM_CLOSE:
            if (d) Finish(dialog, *d, 0);
            return 0;
        case WM_CTLCOLORSTATIC:
            // The labels and check boxes sit on the dialog face, not on white.
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        default:
            break;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

bool RegisterOptionsClass(HINSTANCE instance) {
    return RegisterProgramWindowClass(instance, kOptionsWindowClass, OptionsProc);
}

}  // namespace

int RunOptionsDialog(HWND owner, OptionValues& values, const OptionsEffects& effects) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterOptionsClass(instance)) return 0;

    OptionsDialog d;
    d.values = &values;
    d.effects = &effects;
    d.sansFont = MakeSansFont();
    d.tahomaFont = MakeFont("Tahoma", 12);

    int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kOptionsWindowClass,
                                  "Tallymax Options", WS_POPUP | WS_CAPTION | WS_SYSMENU, left, top,
                                  kOuterWidth, kOuterHeight, owner, nullptr, instance, &d);
    if (dialog) {
        if (owner) EnableWindow(owner, FALSE);
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        SetFocus(GetDlgItem(dialog, values.calcMode == 1 ? kIdOptionsAdding : kIdOptionsStandard));

        // The dialog's own loop: the owner stays disabled and gets no input meanwhile.
        MSG msg;
        bool quit = false;
        while (!d.done && IsWindow(dialog)) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                quit = got == 0;
                break;
            }
            if (IsDialogMessageA(dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (owner) EnableWindow(owner, TRUE);
        if (!d.done) DestroyWindow(dialog);
        if (owner && !d.done) SetActiveWindow(owner);
        if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    }
    DeleteObject(d.sansFont);
    DeleteObject(d.tahomaFont);
    return d.result;
}

int ShowOptionsDialog(HWND mainWindow) {
    CalculatorState& state = TheCalculator().state;
    OptionValues values;
    values.calcMode = state.calcMode;
    values.taxRate = state.taxRate;
    values.topMost = TopMostOn() ? 1 : 0;
    values.lt10Key = LaptopMapOn() ? 1 : 0;

    OptionsEffects effects;
    effects.writeMainSetting = [](const std::string& key, const std::string& value) {
        WriteSetting(SettingsPath(), kMainSection, key, value);
    };
    effects.setAlwaysOnTop = [](bool on) { SetTopMost(on); };
    effects.showLaptopLabel = [](bool on) { SetLaptopMap(on); };

    int result = RunOptionsDialog(mainWindow, values, effects);
    if (result == 1) {
        // The new mode and rate take effect from the next operation; a calculation in
        // progress carries on.
        state.calcMode = values.calcMode;
        state.taxRate = values.taxRate;
    }
    return result;
}
