// The modal "Tallymax Options" window (File > Options).
#pragma once

#include <windows.h>

#include "settings/options.h"

inline constexpr char kOptionsWindowClass[] = "FORM_TALLYMAX_FORM2_CLASS";

enum OptionsControlId : int {
    kIdOptionsModeGroup = 1000,
    kIdOptionsStandard = 1001,
    kIdOptionsAdding = 1002,
    kIdOptionsTaxField = 1003,
    kIdOptionsLaptopKeys = 1004,
    kIdOptionsAlwaysOnTop = 1005,
    kIdOptionsTaxLabel = 1006,
    kIdOptionsSeparator = 1007,
    // "Ok" is IDOK (1) and "Cancel" IDCANCEL (2).
};

// Shows the dialog over `owner`, which stays disabled until it closes, with the
// controls set from `values`. "Ok" stores the choices in `values` and runs `effects`
// (ApplyOptionsForm) and returns 1; "Cancel", Escape or the close box change nothing
// and return 0.
int RunOptionsDialog(HWND owner, OptionValues& values, const OptionsEffects& effects);

// File > Options over the main window: edits the calculator's mode and tax rate and
// the main window's TopMost and LT10Key, writing "Main Settings" on "Ok".
int ShowOptionsDialog(HWND mainWindow);
