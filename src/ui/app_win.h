// Services of the main window that other windows use (message boxes, focus, the
// calculator record, the program's folder and version).
#pragma once

#include <windows.h>

#include <string>

#include "engine/calculator.h"

struct AppInfo {
    std::string programFolder;  // with trailing "\"
    std::string programFile;    // file name of the exe
    std::string versionText;    // "Version 2.9.0.0 " style, built from the version resource
    std::string richEditClass;  // "RICHEDIT20A", "RICHEDIT" or "" when neither library loads
    std::string commandLine;    // the arguments after the program's name ("/D" ...)
    HINSTANCE instance = nullptr;
};

const AppInfo& App();
HWND MainWindow();
Calculator& TheCalculator();
const std::string& SettingsPath();

// Message box for the tape-file, loan and throughput messages: a topmost main window
// leaves the topmost band while the box is up and returns to it afterwards.
int ShowMessage(const std::string& text, const std::string& caption, UINT style);

// Whether the laptop 10-key map is on (the "LT10Key" setting), and the main window's
// always-on-top state, as the options dialog changes them.
bool LaptopMapOn();
void SetLaptopMap(bool on);
void SetTopMost(bool on);
bool TopMostOn();

// Gives the keyboard focus back to the hidden input field of the main window.
void ReturnFocus();
