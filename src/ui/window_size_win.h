// Sizing the main window to the client area its layout needs.
#pragma once

#include <windows.h>

// The outer height of a window of this style whose client area is `clientHeight`
// high, from the platform's frame, caption and (one-line) menu metrics.
int OuterHeightForClient(DWORD style, DWORD exStyle, bool hasMenu, int clientHeight);

// Gives `window` the outer width `outerWidth` and a client area `clientHeight` high,
// without moving it. A menu bar that wraps onto a second line is allowed for.
void SizeWindowToClient(HWND window, int outerWidth, int clientHeight);
