#include "settings/options_dialog_win.h"

#include <string>

#include "settings/settings_file.h"
#include "ui/app_win.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kOuterWidth = 365;
constexpr int kOuterHeight = 228;

// One open dialog: what it edits and the fonts it owns.
struct OptionsDialog {
    OptionValues* values;
    const OptionsEffects* effects;
    WindowFonts fonts;  // kSans, kTahoma
    int result = 0;
    bool done = false;
};

// "MS Sans Serif" 11: group box, radio buttons, check boxes; "Tahoma" 12: tax label
// and field, push buttons.
enum OptionsFont { kSans, kTahoma };

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
        if (size.cx > Scaled(room.width - kMarkWidth)) fit = false;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return fit;
}

// "MS Sans Serif" 11 fits every caption in one line. Where the platform puts a wider
// face in its place, a smaller height keeps the captions whole instead of cut off.
HFONT MakeSansFont() {
    for (int height = 11; height > 8; --height) {
        HFONT font = MakeFont({"MS Sans Serif", height});
        if (CaptionsFit(font)) return font;
        DeleteObject(font);
    }
    return MakeFont({"MS Sans Serif", 8});
}

// In tab order: the modes, the rate, the two switches, then the buttons.
const ControlDef kOptionsControls[] = {
    {"BUTTON", "Calculator Mode", kIdOptionsModeGroup, 4, 11, 147, 56, BS_GROUPBOX, 0, kSans},
    {"BUTTON", "Standard Calculator", kIdOptionsStandard, 8, 28, 125, 16,
     BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, kSans},
    {"BUTTON", "Adding Machine", kIdOptionsAdding, 8, 46, 124, 16, BS_AUTORADIOBUTTON, 0, kSans},
    {"STATIC", "Tax Rate (%)", kIdOptionsTaxLabel, 8, 76, 80, 16, WS_GROUP, 0, kTahoma},
    {"EDIT", "", kIdOptionsTaxField, 88, 76, 44, 16, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
     kTahoma},
    {"BUTTON", "Laptop 10 Key Support (No need for your Num Locks to be on)", kIdOptionsLaptopKeys,
     8, 104, 333, 15, BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0, kSans},
    {"BUTTON", "Always on Top (Tallymax is always on top of all other windows)",
     kIdOptionsAlwaysOnTop, 8, 126, 333, 15, BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0, kSans},
    {"STATIC", "", kIdOptionsSeparator, 8, 152, 340, 2, SS_SUNKEN, 0, kSans},
    {"BUTTON", "Ok", IDOK, 188, 160, 68, 28, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, kTahoma},
    {"BUTTON", "Cancel", IDCANCEL, 268, 160, 68, 28, BS_PUSHBUTTON | WS_TABSTOP, 0, kTahoma},
};

void ShowForm(HWND dialog, const OptionsForm& form) {
    SetCheck(dialog, kIdOptionsLaptopKeys, form.laptopKeys);
    SetCheck(dialog, kIdOptionsAlwaysOnTop, form.alwaysOnTop);
    SetCheck(dialog, kIdOptionsAdding, form.addingMachine);
    SetCheck(dialog, kIdOptionsStandard, form.standardCalculator);
    SetItemText(dialog, kIdOptionsTaxField, form.taxRateText);
}

OptionsForm ReadForm(HWND dialog) {
    OptionsForm form;
    form.standardCalculator = IsChecked(dialog, kIdOptionsStandard);
    form.addingMachine = IsChecked(dialog, kIdOptionsAdding);
    form.laptopKeys = IsChecked(dialog, kIdOptionsLaptopKeys);
    form.alwaysOnTop = IsChecked(dialog, kIdOptionsAlwaysOnTop);
    form.taxRateText = ItemText(dialog, kIdOptionsTaxField);
    return form;
}

void Finish(OptionsDialog& d, int result) {
    d.result = result;
    d.done = true;
}

LRESULT CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = WindowData<OptionsDialog>(dialog, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateControls(dialog, kOptionsControls, d->fonts);
            ShowForm(dialog, FormForValues(*d->values));
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!d || HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == IDOK) {
                OptionsForm chosen = ReadForm(dialog);
                Finish(*d, 1);
                EndModalWindow(dialog);
                // Applied once the dialog is gone: moving the owner into the topmost
                // band while a window it owns is open can leave it outside the band
                // (seen under Wine).
                ApplyOptionsForm(chosen, *d->values, *d->effects);
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                Finish(*d, 0);
                return 0;
            }
            break;
        case WM_CLOSE:
            if (d) Finish(*d, 0);
            return 0;
        case WM_CTLCOLORSTATIC:
            // The labels and check boxes sit on the dialog face, not on white.
            return OnDialogFace(wParam);
        default:
            break;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

}  // namespace

int RunOptionsDialog(HWND owner, OptionValues& values, const OptionsEffects& effects) {
    OptionsDialog d;
    d.values = &values;
    d.effects = &effects;
    d.fonts.fonts = {MakeSansFont(), MakeFont({"Tahoma", 12})};

    HWND dialog = CreateDialogWindow(kOptionsWindowClass, OptionsProc, "Tallymax Options",
                                     kOuterWidth, kOuterHeight, owner, &d);
    if (!dialog) return 0;
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);
    SetFocus(GetDlgItem(dialog, values.calcMode == 1 ? kIdOptionsAdding : kIdOptionsStandard));
    RunModalLoop(dialog, d.done);
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
