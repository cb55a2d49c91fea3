// The yardstick for start-up time: the least a Win32 program with one window does.
#include "yardstick_window.h"

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    return ShowAndRun(CreateYardstickWindow(inst, "MinimalBenchWindow", "Minimal"));
}
