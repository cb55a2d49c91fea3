// The tape's context menu: "Copy Line", "Copy Tape" and "Export as CSV...".
#pragma once

#include <windows.h>

// Answers the main window's WM_CONTEXTMENU: from the tape (a right-click on it) or
// from the keyboard, the menu opens; false when the request was not for the tape.
bool OnTapeContextMenu(HWND mainWindow, HWND source, LPARAM screenPoint);

// Shift+F10 and the context-menu key while the main window is active open the menu for
// the last line; true when the key was taken (the message is then not dispatched).
bool HandleTapeMenuKey(const MSG& msg);
