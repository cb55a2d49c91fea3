// The main window's layout: tape, stopwatch row and status bar shown or hidden, and the
// window in or out of the topmost band.
#include <map>
#include <string>

#include "settings/main_settings.h"
#include "settings/settings_file.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/main_state_win.h"
#include "ui/main_view_win.h"
#include "ui/main_window_win.h"
#include "ui/themed_button_win.h"

namespace {

constexpr int kFullWidth = 513;
constexpr int kNarrowWidth = 282;
constexpr int kFullHeight = 344;
constexpr int kRowHeight = 22;

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
    int height = kFullHeight;
    int statusTop;
    const int stopwatchIds[] = {kIdStopwatchStart, kIdStopwatchLap, kIdStopwatchReset,
                                kIdStopwatchReadout};
    if (IsShown(layout.showStopWatch)) {
        CheckMainMenuItem(kMenuShowStopwatch, true);
        statusTop = 270;
        SetWindowPos(MainControl(kIdTape), nullptr, 0, 0, 224, 254, SWP_NOMOVE | SWP_NOZORDER);
        for (int id : stopwatchIds) ShowWindow(MainControl(id), SW_SHOW);
    } else {
        statusTop = 248;
        SetWindowPos(MainControl(kIdTape), nullptr, 0, 0, 224, 232, SWP_NOMOVE | SWP_NOZORDER);
        for (int id : stopwatchIds) ShowWindow(MainControl(id), SW_HIDE);
        height -= kRowHeight;
    }
    auto moveTo = [&](int id, int x) {
        SetWindowPos(MainControl(id), nullptr, x, statusTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    moveTo(kIdStatusMemory, 0);
    moveTo(kIdStatusDate, 366);
    moveTo(kIdStatusNumLock, 466);
    SetWindowPos(MainControl(kIdSeparatorLine), nullptr, 0, statusTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    if (IsShown(layout.showStatusBar))
        CheckMainMenuItem(kMenuShowStatusBar, true);
    else
        height -= kRowHeight;
    int width;
    auto place = [&](int id, int x, int w) {
        SetWindowPos(MainControl(id), nullptr, x, statusTop, w, kRowHeight, SWP_NOZORDER);
    };
    if (IsShown(layout.showTape)) {
        CheckMainMenuItem(kMenuShowTape, true);
        ShowWindow(MainControl(kIdTape), SW_SHOW);
        place(kIdStatusMemory, 0, 133);
        place(kIdStatusAverage, 133, 133);
        place(kIdStatusItems, 266, 100);
        width = kFullWidth;
    } else {
        ShowWindow(MainControl(kIdTape), SW_HIDE);
        place(kIdStatusMemory, 0, 87);
        place(kIdStatusAverage, 87, 87);
        place(kIdStatusItems, 174, 100);
        width = kNarrowWidth;
    }
    SetWindowPos(Main().window, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
