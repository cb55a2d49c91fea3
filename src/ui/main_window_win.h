// The main window: creation, layout, command dispatch and the services other
// windows use (declared in app_win.h).
#pragma once

#include <windows.h>

// Registers the class and creates the centred main window; 0 on failure.
HWND CreateMainWindow(HINSTANCE instance);
// Once the window has been painted and the program first waits for input: what the
// painted window does not need yet (the keypad's tooltips).
void FinishMainWindowStartUp();

// Runs the operation of a button, menu item or list notification.
void DispatchCommand(int id, int notification);

// Reads the three layout keys (writing them back) and sizes the window to them.
void ApplyLayout();
void ToggleAlwaysOnTop();

// The tool windows the keypad and the menu open.
enum class ToolWindow { Area, Volume, Loan, Throughput, Help };
void OpenToolWindow(ToolWindow tool);
