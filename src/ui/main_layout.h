// Where the main window's tape, stopwatch row, separator and status fields stand for
// a choice of "ShowTape", "ShowStatusBar" and "ShowStopWatch", and the client area
// that this layout needs.
#pragma once

#include "settings/main_settings.h"

struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
};

enum StatusField { kFieldMemory, kFieldAverage, kFieldItems, kFieldDate, kFieldNumLock };
inline constexpr int kStatusFieldCount = 5;

struct MainLayout {
    bool tapeShown = true;
    bool statusBarShown = true;
    bool stopwatchShown = true;
    int statusTop = 270;   // top of the status fields
    int tapeHeight = 254;  // the tape list is 224 wide at 276, 8
    LayoutBox fields[kStatusFieldCount];
    LayoutBox separator;     // the line above the fields, never over them
    int outerWidth = 513;    // the window's outer width
    int clientHeight = 293;  // the client area's height: the lowest control plus one row
};

MainLayout LayOutMainWindow(const LayoutSettings& settings);
