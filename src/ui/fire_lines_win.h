// FIRELINES: a small control that draws a separator line or a (rounded) frame,
// such as the line above the main window's status bar. Its look is set with the
// private messages below (value in wParam); each one repaints the control. A click
// on it reaches the parent as WM_COMMAND / BN_CLICKED, like a standard button.
#pragma once

#include <windows.h>

inline constexpr char kFireLinesClass[] = "FIRELINES";

enum FireLinesMessage : UINT {
    kFireLinesSetLineMode = 3072,  // 1: a line (initial), 0: a frame
    kFireLinesSetDirection =
        3073,  // 0: horizontal along the top edge (initial), else vertical along the left edge
    kFireLinesSetPenColor = 3074,   // COLORREF; initially the 3-D shadow colour
    kFireLinesSetPenWidth = 3075,   // pixels, initially 1
    kFireLinesSetPenStyle = 3076,   // 0 solid inside the frame (initial), 1 dashed, 2 dotted
    kFireLinesSetRounding = 3077,   // corner rounding of the frame, initially 0
    kFireLinesSetFill = 3078,       // 1: fill (initial), 0: the parent shows through
    kFireLinesSetFillColor = 3080,  // COLORREF; initially the button-face colour
};

// A horizontal separator line in `penColor` across a band filled with `fillColor`.
HWND CreateSeparatorLine(HWND parent, int id, int x, int y, int width, int height,
                         COLORREF penColor, COLORREF fillColor);

extern "C" {
// The control as a child of `parent` with the parent's instance; 0 on failure.
__declspec(dllexport) HWND FIRELINES(HWND parent, int id, int x, int y, int width, int height);
}
