// "Quorvel Options": asks for the test size before every run.
#pragma once

#include <windows.h>

#include <cstdint>

struct TestOptions {
    int64_t size = 20;  // units; 0 = cancelled
    bool deleteWhenFinished = true;
};

// Offers `offered` (last size and delete choice); the delete box only in folder mode.
// A size above `roomUnits` (when not -1) is refused with a message. Returns the
// choice, size 0 when cancelled.
TestOptions ShowTestOptionsDialog(HWND owner, bool serverMode, const TestOptions& offered,
                                  int64_t roomUnits = -1);
