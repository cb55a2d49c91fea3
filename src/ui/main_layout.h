// Where the main window's tape, stopwatch row, separator and status fields stand for
// a choice of "ShowTape", "ShowStatusBar" and "ShowStopWatch", and the client area
// that this layout needs.
#pragma once

#include <string>

#include "settings/main_settings.h"

struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
};

enum StatusField { kFieldMemory, kFieldAverage, kFieldItems, kFieldDate, kFieldNumLock };
inline constexpr int kStatusFieldCount = 5;

// How much wider and taller than its first design the user has made the window. Only
// the tape grows: the keypad keeps its place and the status bar moves down.
struct LayoutGrowth {
    int width = 0, height = 0;
};
inline constexpr int kMaxLayoutGrowth = 8000;

struct MainLayout {
    bool tapeShown = true;
    bool statusBarShown = true;
    bool stopwatchShown = true;
    int statusTop = 270;   // top of the status fields
    int tapeHeight = 254;  // the tape list is 224 wide at 276, 8
    int tapeWidth = 224;
    bool resizable = true;  // with the tape hidden there is nothing to grow
    LayoutBox fields[kStatusFieldCount];
    LayoutBox separator;     // the line above the fields, never over them
    int outerWidth = 513;    // the window's outer width
    int clientHeight = 293;  // the client area's height: the lowest control plus one row
};

MainLayout LayOutMainWindow(const LayoutSettings& settings, LayoutGrowth growth = {});

// The growth of a window stored as "Width" and "Height" (its outer size with the tape
// shown) over the size its layout has by design. Texts that are not plain numbers, and
// sizes smaller than the design, give no growth; a huge size is held to kMaxLayoutGrowth.
LayoutGrowth GrowthOfStoredSize(const std::string& width, const std::string& height,
                                int designWidth, int designHeight);
