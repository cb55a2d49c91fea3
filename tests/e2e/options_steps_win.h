// Steps through the options dialog of the program under test, as a user takes them.
#pragma once

#include <windows.h>

#include <string>

#include "harness_win.h"

// Opens the options dialog from the menu; nullptr when it does not show.
HWND OpenOptions(TallymaxApp& app);
// The tax rate the program runs with, as the options dialog shows it (opened and
// cancelled for it).
std::string TaxRateShown(TallymaxApp& app);
