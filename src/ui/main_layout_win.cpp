// The main window's layout: tape, stopwatch row and status bar shown or hidden, and the
// window in or out of the topmost band.
#include <map>
#include <string>

#include "settings/main_settings.h"
#include "settings/settings_file.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/main_layout.h"
#include "ui/main_state_win.h"
#include "ui/main_view_win.h"
#include "ui/main_window_win.h"
#include "ui/themed_button_win.h"
#include "ui/window_size_win.h"

namespace {

// Layout choices the settings file would not take (no writable folder, a full disk).
// They hold for the rest of the run; otherwise the next read of the file would undo
// them and the menu item would seem to do nothing.
std::map<std::string, int32_t>& UnsavedLayoutChoices() {
    static std::map<std::string, int32_t> choices;
    return choices;
}

void ApplyUnsavedChoices(LayoutSettings& layout) {
    for (const auto& [key, value] : UnsavedLayoutChoices()) {
        if (key == "ShowTape") layout.showTape = value;
        if (key == "ShowStatusBar") layout.showStatusBar = value;
        if (key == "ShowStopWatch") layout.showStopWatch = value;
    }
}

}  // namespace

void PlaceTopMost(bool on) {
    SetWindowPos(Main().window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ToggleLayoutItem(int menuId, const char* key) {
    bool checked = MainMenuItemChecked(menuId);
    CheckMainMenuItem(menuId, !checked);
    if (WriteSetting(Main().settingsPath, kMainSection, key, checked ? "0" : "1"))
        UnsavedLayoutChoices().erase(key);
    else
        UnsavedLayoutChoices()[key] = checked ? 0 : 1;
    ApplyLayout();
    ReturnFocus();
}

void ApplyLayout() {
    LayoutSettings layout = ReadLayoutSettings(Main().settingsPath);
    ApplyUnsavedChoices(layout);
    ApplyLayoutOf(layout);
}

void ApplyLayoutOf(const LayoutSettings& settings) {
    const MainLayout layout = LayOutMainWindow(settings);
    if (layout.stopwatchShown) CheckMainMenuItem(kMenuShowStopwatch, true);
    if (layout.statusBarShown) CheckMainMenuItem(kMenuShowStatusBar, true);
    if (layout.tapeShown) CheckMainMenuItem(kMenuShowTape, true);

    SetWindowPos(MainControl(kIdTape), nullptr, 0, 0, 224, layout.tapeHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(MainControl(kIdTape), layout.tapeShown ? SW_SHOW : SW_HIDE);
    for (int id : {kIdStopwatchStart, kIdStopwatchLap, kIdStopwatchReset, kIdStopwatchReadout})
        ShowWindow(MainControl(id), layout.stopwatchShown ? SW_SHOW : SW_HIDE);

    // The status bar is hidden with its line rather than left below the window's
    // edge, where any platform with other frame metrics would show part of it.
    const int fieldIds[kStatusFieldCount] = {kIdStatusMemory, kIdStatusAverage, kIdStatusItems,
                                             kIdStatusDate, kIdStatusNumLock};
    const UINT show = layout.statusBarShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    for (int i = 0; i < kStatusFieldCount; ++i) {
        const LayoutBox& f = layout.fields[i];
        SetWindowPos(MainControl(fieldIds[i]), nullptr, f.x, f.y, f.width, f.height,
                     SWP_NOZORDER | show);
    }
    const LayoutBox& line = layout.separator;
    SetWindowPos(MainControl(kIdSeparatorLine), nullptr, line.x, line.y, line.width, line.height,
                 SWP_NOZORDER | show);

    SizeWindowToClient(Main().window, layout.outerWidth, layout.clientHeight);
}

void ToggleAlwaysOnTop() {
    if (Main().topMost) {
        Main().topMost = false;
        PlaceTopMost(false);
        WriteSetting(Main().settingsPath, kMainSection, "TopMost", "0");
    } else {
        Main().topMost = true;
        PlaceTopMost(true);
        WriteSetting(Main().settingsPath, kMainSection, "TopMost", "1");
    }
    SetButtonToggleState(MainControl(kIdTopMost), Main().topMost, true);
    ReturnFocus();
}
