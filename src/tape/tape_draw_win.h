// Drawing the tape list's lines.
#pragma once

#include <windows.h>

// Lines are drawn right-aligned ending this many pixels from the list's left edge,
// which leaves room for the scroll bar.
inline constexpr int kTapeTextRight = 200;
inline constexpr int kTapeListWidth = 224;

// Where the lines of `list` end: kTapeTextRight at the list's designed width, and as
// much further as a grown window has made the list wider, so that they stay clear of
// the scroll bar.
int TapeTextRightOf(HWND list);

// The line under a point of the tape's client area, or -1 where there is none (below
// the last line). Counted from the top line and the fixed line height, so that it
// holds beyond the 65,536 lines that LB_ITEMFROMPOINT can tell apart.
int TapeLineAt(HWND list, POINT client);

// Answers the tape list's owner-draw request (id 1019).
void DrawTapeLine(const DRAWITEMSTRUCT& request);

// The fixed line height of the tape list for its font.
UINT TapeItemHeight(HWND owner, HFONT font);

// The text colour of an unselected line.
COLORREF TapeLineColor(const char* line);
