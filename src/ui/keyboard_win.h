// Keys typed into the main window's controls: shows the matching keypad button
// pressed and released and runs the same command as the button.
#pragma once

#include <windows.h>

// Called by the message loop with every queued message before any other handling.
// Returns true when the loop must drop the message; the keyboard map never claims a
// key, so key messages go on through normal dispatch as well.
bool HandleKeyMessage(const MSG& msg);

// Provided by the main window (main_window_win.cpp).
// Runs the operation of a button or menu item; keys use the button click (0).
void DispatchCommand(int id, int notification);
// Whether the laptop 10-key map is on (the "LT10Key" setting).
bool LaptopMapOn();
