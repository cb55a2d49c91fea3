// What the main window's own files share: the window's record, the calculator, the
// memory banks and the settings file. Other windows use app_win.h instead.
#pragma once

#include <windows.h>

#include <string>

#include "engine/calculator.h"
#include "settings/main_settings.h"
#include "tape/memory_banks.h"
#include "ui/main_layout.h"
#include "ui/window_kit_win.h"

struct MainState {
    HWND window = nullptr;
    bool topMost = false;
    bool laptopMap = false;
    HWND lastFocus = nullptr;
    HWND tooltip = nullptr;
    WindowFonts fonts;  // by MainFont
    Calculator calc;
    MemoryBanks banks;
    std::string settingsPath;
    LayoutSettings layout;    // the layout keys the window shows
    LayoutGrowth growth;      // how far the user has made the window larger
    bool sizeStored = false;  // "[Window]" holds a size: kept up to date from then on
    bool sizingByProgram = false;
    bool resizedByUser = false;             // since the last store of the size
    bool inSizingLoop = false;              // the user is dragging a frame edge
    std::string storedWidth, storedHeight;  // as the file holds them
};

MainState& Main();

enum MainFont {
    kTahoma13Bold,
    kTahoma13,
    kTahoma12,
    kTahoma11,
    kTahoma9,
    kTahoma15,
    kArial12,
    kCourier12
};

inline HWND MainControl(int id) {
    return GetDlgItem(Main().window, id);
}

// Creation (main_controls_win.cpp): fonts, every control, the tooltips.
void CreateMainFonts();
void CreateMainControls();
// The window moved to a screen of another DPI: fonts, controls and layout follow it.
void OnMainWindowDpiChanged(int dpi, const RECT& suggested);
void AttachMainTooltips();
// The status fields and the tape lines that are drawn cut show their whole text.
void AttachMainOverflowTips();

// Layout (main_layout_win.cpp).
void PlaceTopMost(bool on);
void ToggleLayoutItem(int menuId, const char* key);
// ApplyLayout with the three keys already read.
void ApplyLayoutOf(const LayoutSettings& settings);
// The size the window had when it was last closed, from "[Window]" in the file read at
// start-up; applied by the next ApplyLayoutOf.
void TakeStoredWindowSize(const SettingsSnapshot& file, const LayoutSettings& layout);
// The user sizing the window: the tape follows, the size is stored once sizing ends.
void OnMainWindowSized();
void OnMainWindowSizingStarted();
void OnMainWindowSizingEnded();
void LimitMainWindowSize(MINMAXINFO& limits);
// Sizing edges of a window that cannot grow answer as plain border.
LRESULT MainWindowHitTest(LRESULT hit);
