// The main window's layout: tape, stopwatch row and status bar shown or hidden, and the
// window in or out of the topmost band.
#include <algorithm>
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

namespace {

constexpr char kWindowSection[] = "Window";

DWORD MainStyle() {
    return static_cast<DWORD>(GetWindowLongA(Main().window, GWL_STYLE));
}

DWORD MainExStyle() {
    return static_cast<DWORD>(GetWindowLongA(Main().window, GWL_EXSTYLE));
}

// The frame, caption and menu around the client area, as the window has them now.
int NonClientHeight() {
    RECT outer, client;
    if (GetWindowRect(Main().window, &outer) && GetClientRect(Main().window, &client) &&
        !IsIconic(Main().window))
        return (outer.bottom - outer.top) - client.bottom;
    return OuterHeightForClient(MainStyle(), MainExStyle(), true, 0);
}

// "Width" and "Height" hold the outer size with the tape shown, whatever is shown now,
// so that hiding the tape for a while keeps the size the user chose.
void StoreWindowSize() {
    LayoutSettings withTape = Main().layout;
    withTape.showTape = 1;
    const MainLayout l = LayOutMainWindow(withTape, Main().growth);
    const std::string& path = Main().settingsPath;
    const std::string width = std::to_string(l.outerWidth);
    const std::string height = std::to_string(Unscaled(NonClientHeight()) + l.clientHeight);
    // Unchanged values cost no write (every start-up applies the layout once).
    if (width != Main().storedWidth && WriteSetting(path, kWindowSection, "Width", width))
        Main().storedWidth = width;
    if (height != Main().storedHeight && WriteSetting(path, kWindowSection, "Height", height))
        Main().storedHeight = height;
    Main().sizeStored = true;
    Main().resizedByUser = false;
}

void Reposition(int id, const LayoutBox& design, UINT flags) {
    HWND control = MainControl(id);
    RECT before{};
    GetWindowRect(control, &before);
    MapWindowPoints(nullptr, Main().window, reinterpret_cast<POINT*>(&before), 2);
    const LayoutBox box{Scaled(design.x), Scaled(design.y), Scaled(design.width),
                        Scaled(design.height)};
    const bool moved = before.left != box.x || before.top != box.y ||
                       before.right - before.left != box.width ||
                       before.bottom - before.top != box.height;
    // A field that moves is drawn anew where it lands: the bits the platform would copy
    // along are those on the screen, which in the middle of a resize may not be drawn
    // yet, and a copied field counts as painted, so it would stay blank or cut. A static
    // field also keeps its old drawing when only its width changes.
    SetWindowPos(control, nullptr, box.x, box.y, box.width, box.height,
                 SWP_NOZORDER | flags | (moved ? SWP_NOCOPYBITS : 0));
    if (moved) InvalidateRect(control, nullptr, TRUE);
}

void PlaceLayoutControls(const MainLayout& layout) {
    HWND tape = MainControl(kIdTape);
    RECT before{};
    GetWindowRect(tape, &before);
    SetWindowPos(tape, nullptr, 0, 0, Scaled(layout.tapeWidth), Scaled(layout.tapeHeight),
                 SWP_NOMOVE | SWP_NOZORDER);
    // Every line moves with the list's right edge.
    if (before.right - before.left != Scaled(layout.tapeWidth)) InvalidateRect(tape, nullptr, TRUE);
    ShowWindow(tape, layout.tapeShown ? SW_SHOW : SW_HIDE);
    for (int id : {kIdStopwatchStart, kIdStopwatchLap, kIdStopwatchReset, kIdStopwatchReadout})
        ShowWindow(MainControl(id), layout.stopwatchShown ? SW_SHOW : SW_HIDE);

    // The status bar is hidden with its line rather than left below the window's
    // edge, where any platform with other frame metrics would show part of it.
    const int fieldIds[kStatusFieldCount] = {kIdStatusMemory, kIdStatusAverage, kIdStatusItems,
                                             kIdStatusDate, kIdStatusNumLock};
    const UINT show = layout.statusBarShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    for (int i = 0; i < kStatusFieldCount; ++i) Reposition(fieldIds[i], layout.fields[i], show);
    Reposition(kIdSeparatorLine, layout.separator, show);
}

}  // namespace

void ApplyLayoutOf(const LayoutSettings& settings) {
    Main().layout = settings;
    const MainLayout layout = LayOutMainWindow(settings, Main().growth);
    if (layout.stopwatchShown) CheckMainMenuItem(kMenuShowStopwatch, true);
    if (layout.statusBarShown) CheckMainMenuItem(kMenuShowStatusBar, true);
    if (layout.tapeShown) CheckMainMenuItem(kMenuShowTape, true);

    PlaceLayoutControls(layout);
    Main().sizingByProgram = true;
    SizeWindowToClient(Main().window, Scaled(layout.outerWidth), Scaled(layout.clientHeight));
    Main().sizingByProgram = false;
    // The stored height follows the status bar and stopwatch row shown.
    if (Main().sizeStored) StoreWindowSize();
}

void TakeStoredWindowSize(const SettingsSnapshot& file, const LayoutSettings& layout) {
    const std::string width = ReadSetting(file, kWindowSection, "Width", "");
    const std::string height = ReadSetting(file, kWindowSection, "Height", "");
    if (width.empty() && height.empty()) return;
    Main().sizeStored = true;
    Main().storedWidth = width;
    Main().storedHeight = height;
    LayoutSettings withTape = layout;
    withTape.showTape = 1;
    const MainLayout design = LayOutMainWindow(withTape);
    // In design pixels, as they are stored.
    const int designHeight =
        Unscaled(OuterHeightForClient(MainStyle(), MainExStyle(), true, 0)) + design.clientHeight;
    LayoutGrowth growth = GrowthOfStoredSize(width, height, design.outerWidth, designHeight);
    // A size from a larger screen is held to this one.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(Main().window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        growth.width = std::min(growth.width,
                                std::max(0, Unscaled(work.right - work.left) - design.outerWidth));
        growth.height =
            std::min(growth.height, std::max(0, Unscaled(work.bottom - work.top) - designHeight));
    }
    Main().growth = growth;
}

void OnMainWindowSized() {
    if (Main().sizingByProgram || !Main().window || IsIconic(Main().window)) return;
    const MainLayout design = LayOutMainWindow(Main().layout);
    if (!design.resizable) return;
    RECT outer, client;
    if (!GetWindowRect(Main().window, &outer) || !GetClientRect(Main().window, &client)) return;
    LayoutGrowth growth{
        std::max(0, Unscaled(static_cast<int>(outer.right - outer.left)) - design.outerWidth),
        std::max(0, Unscaled(static_cast<int>(client.bottom)) - design.clientHeight)};
    if (growth.width == Main().growth.width && growth.height == Main().growth.height) return;
    Main().growth = growth;
    Main().resizedByUser = true;
    PlaceLayoutControls(LayOutMainWindow(Main().layout, growth));
    // Sized at one stroke (snapped to a screen edge, say): stored at once.
    if (!Main().inSizingLoop) StoreWindowSize();
}

void OnMainWindowSizingStarted() {
    Main().inSizingLoop = true;
}

void OnMainWindowSizingEnded() {
    Main().inSizingLoop = false;
    if (Main().resizedByUser) StoreWindowSize();
}

void LimitMainWindowSize(MINMAXINFO& limits) {
    if (!Main().window) return;
    const MainLayout design = LayOutMainWindow(Main().layout);
    const int height = NonClientHeight() + Scaled(design.clientHeight);
    limits.ptMinTrackSize = POINT{Scaled(design.outerWidth), height};
    if (!design.resizable) limits.ptMaxTrackSize = limits.ptMinTrackSize;
}

LRESULT MainWindowHitTest(LRESULT hit) {
    if (hit < HTLEFT || hit > HTBOTTOMRIGHT || !Main().window) return hit;
    return LayOutMainWindow(Main().layout).resizable ? hit : HTBORDER;
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
