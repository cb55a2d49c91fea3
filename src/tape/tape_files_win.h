// File > Save Tape, Load Tape and Print Tape (menu items 6001, 6002, 6003).
#pragma once

#include <windows.h>

// Writes the tape report to a file chosen in the save dialog and confirms it.
void SaveTape(HWND mainWindow);

// Appends the tape lines of a chosen tape file to the tape and continues the
// calculation from its display and last result.
void LoadTape(HWND mainWindow);

// Prints the tape report on the printer chosen in the print dialog.
void PrintTape(HWND mainWindow);
