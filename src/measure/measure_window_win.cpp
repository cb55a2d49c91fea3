#include "measure/measure_window_win.h"

#include <windows.h>

#include <string>

#include "measure/area_window_win.h"
#include "measure/measure.h"
#include "measure/volume_window_win.h"
#include "ui/app_win.h"
#include "ui/window_kit_win.h"

namespace {

// Tahoma 12 for the controls, Tahoma 11 for the result label, and for the example the
// largest Tahoma that fits its box.
enum MeasureFont { kTextFont, kSmallFont, kExampleFont };

const char kExampleText[] =
    "-Example-\r\nA 10' x 10' x 4\" area would require 1.24 Cu.Yards Of concrete.";
constexpr int kExampleWidth = 140;
constexpr int kExampleHeight = 44;

constexpr DWORD kRadioFirst = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | SS_CENTERIMAGE | WS_GROUP;
constexpr DWORD kField = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kUnitList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr int kListDrop = 120;  // room for the four units when dropped down

// clang-format off
const ControlDef kVolumeControls[] = {
    {"BUTTON", "", kIdVolumeSystemFrame, 16, 4, 152, 32, BS_GROUPBOX},
    {"BUTTON", "Standard", kIdVolumeStandard, 24, 16, 72, 16, kRadioFirst},
    {"BUTTON", "Metric", kIdVolumeMetric, 104, 16, 56, 16, BS_AUTORADIOBUTTON},
    {"STATIC", "Length", kIdVolumeLengthLabel, 16, 48, 50, 22, kLabel},
    {"EDIT", "", kIdVolumeLength, 68, 48, 144, 22, kField, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdVolumeLengthUnit, 244, 48, 116, kListDrop, kUnitList},
    {"STATIC", "Width", kIdVolumeWidthLabel, 16, 72, 50, 22, kLabel},
    {"EDIT", "", kIdVolumeWidth, 68, 72, 144, 22, kField, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdVolumeWidthUnit, 244, 72, 116, kListDrop, kUnitList},
    {"STATIC", "Depth", kIdVolumeDepthLabel, 16, 96, 50, 22, kLabel},
    {"EDIT", "", kIdVolumeDepth, 68, 96, 144, 22, kField, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdVolumeDepthUnit, 244, 96, 116, kListDrop, kUnitList},
    {"STATIC", "Volume", kIdVolumeResultLabel, 16, 136, 50, 22, kLabel, 0, kSmallFont},
    {"EDIT", "", kIdVolumeResult, 68, 136, 144, 22, kField | ES_READONLY, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdVolumeResultUnit, 244, 136, 116, kListDrop, kUnitList},
    {"STATIC", "", kIdVolumeExample, 16, 168, kExampleWidth, kExampleHeight, SS_LEFT | WS_GROUP, 0,
     kExampleFont},
    {"BUTTON", "Calculate", kIdVolumeCalculate, 168, 184, 60, 28, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Clear", kIdVolumeClear, 236, 184, 60, 28, BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Close", kIdVolumeClose, 304, 184, 60, 28, BS_PUSHBUTTON | WS_TABSTOP},
};

const ControlDef kAreaControls[] = {
    {"BUTTON", "", kIdAreaSystemFrame, 16, 4, 152, 32, BS_GROUPBOX},
    {"BUTTON", "Standard", kIdAreaStandard, 24, 16, 72, 16, kRadioFirst},
    {"BUTTON", "Metric", kIdAreaMetric, 104, 16, 56, 16, BS_AUTORADIOBUTTON},
    {"STATIC", "Length", kIdAreaLengthLabel, 16, 48, 50, 22, kLabel},
    {"EDIT", "", kIdAreaLength, 68, 48, 144, 22, kField, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdAreaLengthUnit, 244, 48, 116, kListDrop, kUnitList},
    {"STATIC", "Width", kIdAreaWidthLabel, 16, 72, 50, 22, kLabel},
    {"EDIT", "", kIdAreaWidth, 68, 72, 144, 22, kField, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdAreaWidthUnit, 244, 72, 116, kListDrop, kUnitList},
    {"STATIC", "Area", kIdAreaResultLabel, 16, 116, 50, 22, kLabel, 0, kSmallFont},
    {"EDIT", "", kIdAreaResult, 68, 116, 144, 22, kField | ES_READONLY, WS_EX_CLIENTEDGE},
    {"COMBOBOX", "", kIdAreaResultUnit, 244, 116, 116, kListDrop, kUnitList},
    {"BUTTON", "Calculate", kIdAreaCalculate, 168, 164, 60, 28, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Clear", kIdAreaClear, 236, 164, 60, 28, BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Close", kIdAreaClose, 304, 164, 60, 28, BS_PUSHBUTTON | WS_TABSTOP},
};
// clang-format on

// Which control plays which part; 0 where the window has none (the area's depth).
struct MeasureIds {
    int standard, metric;
    int length, lengthUnit, width, widthUnit, depth, depthUnit, result, resultUnit;
    int example, calculate, clear, close;
};

struct MeasureWindowDef {
    MeasureKind kind;
    const char* className;
    const char* caption;
    int outerWidth, outerHeight;
    const ControlDef* controls;
    std::size_t controlCount;
    MeasureIds ids;
};

const MeasureWindowDef kVolumeWindow = {
    MeasureKind::Volume,
    kVolumeWindowClass,
    "Volume Calculator",
    378,
    252,
    kVolumeControls,
    sizeof kVolumeControls / sizeof kVolumeControls[0],
    {kIdVolumeStandard, kIdVolumeMetric, kIdVolumeLength, kIdVolumeLengthUnit, kIdVolumeWidth,
     kIdVolumeWidthUnit, kIdVolumeDepth, kIdVolumeDepthUnit, kIdVolumeResult, kIdVolumeResultUnit,
     kIdVolumeExample, kIdVolumeCalculate, kIdVolumeClear, kIdVolumeClose},
};

const MeasureWindowDef kAreaWindow = {
    MeasureKind::Area,
    kAreaWindowClass,
    "Area Calculator",
    379,
    232,
    kAreaControls,
    sizeof kAreaControls / sizeof kAreaControls[0],
    {kIdAreaStandard, kIdAreaMetric, kIdAreaLength, kIdAreaLengthUnit, kIdAreaWidth,
     kIdAreaWidthUnit, 0, 0, kIdAreaResult, kIdAreaResultUnit, 0, kIdAreaCalculate, kIdAreaClear,
     kIdAreaClose},
};

// One window of each kind: which of the two it is, the fonts it owns while open, and
// where it is while open.
struct MeasureWindow {
    const MeasureWindowDef* def;
    WindowFonts fonts;
    ToolWindowSlot slot;
};

MeasureWindow g_volume{&kVolumeWindow, {}, {}};
MeasureWindow g_area{&kAreaWindow, {}, {}};

bool ExampleFits(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT box = {0, 0, Scaled(kExampleWidth), 0};
    DrawTextA(dc, kExampleText, -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return box.right <= Scaled(kExampleWidth) && box.bottom <= Scaled(kExampleHeight);
}

// The sentence should show whole in its box; a face wider than Tahoma gets a smaller
// height rather than a cut-off last line.
HFONT MakeExampleFont() {
    for (int height = 11; height > 8; --height) {
        HFONT font = MakeFont({"Tahoma", height});
        if (ExampleFits(font)) return font;
        DeleteObject(font);
    }
    return MakeFont({"Tahoma", 8});
}

int UnitListIds(const MeasureIds& ids, int (&lists)[4]) {
    int n = 0;
    lists[n++] = ids.lengthUnit;
    lists[n++] = ids.widthUnit;
    if (ids.depthUnit) lists[n++] = ids.depthUnit;
    lists[n++] = ids.resultUnit;
    return n;
}

int SelectedUnit(HWND window, int listId) {
    LRESULT index = SendDlgItemMessageA(window, listId, CB_GETCURSEL, 0, 0);
    return index >= 0 && index < kMeasureUnitCount ? static_cast<int>(index) : kDefaultMeasureUnit;
}

void SelectUnit(HWND window, int listId, int index) {
    SendDlgItemMessageA(window, listId, CB_SETCURSEL, index, 0);
}

// Refills the lists with the system's units, each keeping its position (a list with
// no choice takes Feet or its metric twin).
void FillUnitLists(HWND window, const MeasureWindowDef& def, bool metric) {
    int lists[4];
    int count = UnitListIds(def.ids, lists);
    for (int k = 0; k < count; ++k) {
        int keep = SelectedUnit(window, lists[k]);
        HWND list = GetDlgItem(window, lists[k]);
        SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (int unit = 0; unit < kMeasureUnitCount; ++unit) {
            const char* name = lists[k] == def.ids.resultUnit
                                   ? MeasureResultUnit(def.kind, metric, unit).name
                                   : MeasureLengthUnit(metric, unit).name;
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        SendMessageA(list, CB_SETCURSEL, keep, 0);
    }
}

void FocusLength(HWND window, const MeasureWindowDef& def) {
    SetFocus(GetDlgItem(window, def.ids.length));
}

bool MetricChosen(HWND window, const MeasureWindowDef& def) {
    return IsChecked(window, def.ids.metric);
}

void ShowSystem(HWND window, const MeasureWindowDef& def, bool metric) {
    SetCheck(window, def.ids.standard, !metric);
    SetCheck(window, def.ids.metric, metric);
    FillUnitLists(window, def, metric);
}

// Opening shows the stored inputs and writes nothing.
void ShowStoredInputs(HWND window, const MeasureWindowDef& def) {
    MeasureForm form = LoadMeasureForm(SettingsPath(), def.kind);
    const MeasureIds& ids = def.ids;
    SetItemText(window, ids.length, form.length);
    SetItemText(window, ids.width, form.width);
    if (ids.depth) SetItemText(window, ids.depth, form.depth);
    SetItemText(window, ids.result, form.result);
    ShowSystem(window, def, form.metric);
    SelectUnit(window, ids.lengthUnit, form.lengthUnit);
    SelectUnit(window, ids.widthUnit, form.widthUnit);
    if (ids.depthUnit) SelectUnit(window, ids.depthUnit, form.depthUnit);
    SelectUnit(window, ids.resultUnit, form.resultUnit);
    if (ids.example) SetItemText(window, ids.example, kExampleText);
}

MeasureForm FormOnScreen(HWND window, const MeasureWindowDef& def) {
    const MeasureIds& ids = def.ids;
    MeasureForm form;
    form.kind = def.kind;
    form.metric = MetricChosen(window, def);
    form.length = ItemText(window, ids.length);
    form.width = ItemText(window, ids.width);
    form.result = ItemText(window, ids.result);
    form.lengthUnit = SelectedUnit(window, ids.lengthUnit);
    form.widthUnit = SelectedUnit(window, ids.widthUnit);
    form.resultUnit = SelectedUnit(window, ids.resultUnit);
    if (ids.depth) {
        form.depth = ItemText(window, ids.depth);
        form.depthUnit = SelectedUnit(window, ids.depthUnit);
    }
    return form;
}

void Calculate(HWND window, const MeasureWindowDef& def) {
    // Taking the focus formats the field that had it, so the figures read are those shown.
    SetFocus(GetDlgItem(window, def.ids.calculate));
    MeasureOutcome outcome = CalculateMeasure(FormOnScreen(window, def));
    if (outcome.calculated) {
        SetItemText(window, def.ids.result, outcome.resultText);
        RecordMeasure(TheCalculator(), SettingsPath(), def.kind, outcome);
    }
    FocusLength(window, def);
}

// The result always belongs to the units on the page: a change of unit or system
// recalculates it, or takes it away when the inputs give none. Only "Calculate" writes
// the tape.
void Recalculate(HWND window, const MeasureWindowDef& def) {
    MeasureOutcome outcome = CalculateMeasure(FormOnScreen(window, def));
    SetItemText(window, def.ids.result, outcome.calculated ? outcome.resultText : "");
    StoreMeasure(SettingsPath(), def.kind, outcome);
}

void SelectSystem(HWND window, const MeasureWindowDef& def, bool metric) {
    ShowSystem(window, def, metric);
    StoreMeasureSystem(SettingsPath(), def.kind, metric);
    Recalculate(window, def);
    FocusLength(window, def);
}

void ClearMeasure(HWND window, const MeasureWindowDef& def) {
    const MeasureIds& ids = def.ids;
    for (int id : {ids.length, ids.width, ids.depth, ids.result})
        if (id) SetItemText(window, id, "");
    ForgetMeasureInputs(SettingsPath(), def.kind, MetricChosen(window, def));
    int lists[4];
    int count = UnitListIds(ids, lists);
    for (int k = 0; k < count; ++k) SelectUnit(window, lists[k], kDefaultMeasureUnit);
    FocusLength(window, def);
}

bool IsDimension(const MeasureIds& ids, int id) {
    return id == ids.length || id == ids.width || (ids.depth && id == ids.depth);
}

bool IsField(const MeasureIds& ids, int id) {
    return IsDimension(ids, id) || id == ids.result;
}

bool IsUnitList(const MeasureIds& ids, int id) {
    return id == ids.lengthUnit || id == ids.widthUnit || (ids.depthUnit && id == ids.depthUnit) ||
           id == ids.resultUnit;
}

void OnCommand(HWND window, const MeasureWindowDef& def, int id, int notification) {
    const MeasureIds& ids = def.ids;
    if (notification == EN_KILLFOCUS && IsField(ids, id)) {
        // Rewritten only when the text changes: an unchanged figure keeps its result.
        std::string shown = MeasureFieldText(ItemText(window, id));
        if (shown != ItemText(window, id)) SetItemText(window, id, shown);
        return;
    }
    // A figure typed after a calculation makes its result one of other inputs.
    if (notification == EN_CHANGE && IsDimension(ids, id) && GetFocus() == GetDlgItem(window, id)) {
        SetItemText(window, ids.result, "");
        return;
    }
    if (notification == CBN_SELCHANGE && IsUnitList(ids, id)) {
        Recalculate(window, def);
        return;
    }
    if (notification != BN_CLICKED) return;
    if (id == ids.standard || id == ids.metric) {
        SelectSystem(window, def, id == ids.metric);
    } else if (id == ids.calculate) {
        Calculate(window, def);
    } else if (id == ids.clear) {
        ClearMeasure(window, def);
    } else if (id == ids.close || id == IDCANCEL) {
        DestroyWindow(window);
    }
}

LRESULT CALLBACK MeasureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = WindowData<MeasureWindow>(window, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateControls(window, d->def->controls, d->def->controlCount, d->fonts);
            ShowStoredInputs(window, *d->def);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(d->def->ids.calculate, DC_HASDEFID);
        case WM_COMMAND:
            if (d) OnCommand(window, *d->def, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            // Labels, radio buttons and the read-only result sit on the window face.
            return OnDialogFace(wParam);
        case WM_DESTROY:
            ToolWindowDestroyed(window);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            if (d) d->fonts.Release();
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void OpenMeasureWindow(MeasureWindow& d) {
    if (BringToolWindowForward(d.slot)) return;
    const MeasureWindowDef& def = *d.def;
    d.fonts.fonts = {MakeFont({"Tahoma", 12}), MakeFont({"Tahoma", 11}), MakeExampleFont()};
    HWND window = CreateDialogWindow(def.className, MeasureProc, def.caption, def.outerWidth,
                                     def.outerHeight, MainWindow(), &d);
    if (!window) {
        d.fonts.Release();
        return;
    }
    AdoptToolWindow(d.slot, window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    FocusLength(window, def);
}

}  // namespace

void OpenAreaWindow() {
    OpenMeasureWindow(g_area);
}

void OpenVolumeWindow() {
    OpenMeasureWindow(g_volume);
}
