// Steps through the throughput window of the program under test, as a user takes them.
#pragma once

#include <windows.h>

#include <string>

#include "harness_win.h"

// The throughput window, opened with the main window's button; nullptr when it does not show.
HWND OpenQuorvel(TallymaxApp& app);
// Types `target` into the throughput window and presses Start.
void StartTestOn(HWND window, const std::string& target);
// Types a size in megabytes into the test options dialog and presses OK.
void AnswerTestSize(HWND options, const std::string& megabytes);
