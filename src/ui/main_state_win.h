// What the main window's own files share: the window's record, the calculator, the
// memory banks and the settings file. Other windows use app_win.h instead.
#pragma once

#include <windows.h>

#include <string>

#include "engine/calculator.h"
#include "settings/main_settings.h"
#include "tape/memory_banks.h"
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
void AttachMainTooltips();
// The status fields and the tape lines that are drawn cut show their whole text.
void AttachMainOverflowTips();

// Layout (main_layout_win.cpp).
void PlaceTopMost(bool on);
void ToggleLayoutItem(int menuId, const char* key);
// ApplyLayout with the three keys already read.
void ApplyLayoutOf(const LayoutSettings& settings);
