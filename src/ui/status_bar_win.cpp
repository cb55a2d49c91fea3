#include "ui/status_bar_win.h"

#include <windows.h>

#include <string>

#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/stopwatch.h"
#include "ui/window_kit_win.h"

namespace {

Stopwatch g_watch;

// A monotonic clock in seconds: the stopwatch measures running time, so a change of
// the wall clock (daylight saving, the user setting the time) must not reach it.
double StopwatchClock() {
    static const double ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        return QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0
                   ? static_cast<double>(frequency.QuadPart)
                   : 0.0;
    }();
    if (ticksPerSecond > 0) {
        LARGE_INTEGER now;
        if (QueryPerformanceCounter(&now))
            return static_cast<double>(now.QuadPart) / ticksPerSecond;
    }
    return static_cast<double>(GetTickCount64()) / 1000.0;
}

HWND Control(int id) {
    return GetDlgItem(MainWindow(), id);
}

void SetTextIfChanged(int id, const std::string& text) {
    HWND control = Control(id);
    if (control && WindowText(control) != text) SetWindowTextA(control, text.c_str());
}

}  // namespace

void UpdateStatusDate() {
    SYSTEMTIME today;
    GetLocalTime(&today);
    SetTextIfChanged(kIdStatusDate, StatusDateText(today.wYear, today.wMonth, today.wDay));
}

void UpdateNumLockField() {
    const bool numLockOn = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    SetTextIfChanged(kIdStatusNumLock, NumLockFieldText(numLockOn));
}

void StopwatchStartStop() {
    HWND start = Control(kIdStopwatchStart);
    const StopwatchButtons buttons =
        StartOrStopStopwatch(g_watch, WindowText(start), StopwatchClock());
    SetWindowTextA(start, buttons.startCaption.c_str());
    EnableWindow(Control(kIdStopwatchLap), buttons.lapEnabled ? TRUE : FALSE);
    EnableWindow(Control(kIdStopwatchReset), buttons.resetEnabled ? TRUE : FALSE);
    SetTextIfChanged(kIdStopwatchReadout, g_watch.readout);
    InvalidateRect(start, nullptr, TRUE);
    ReturnFocus();
}

void StopwatchLap() {
    ReturnFocus();
    AppendStopwatchLap(TheCalculator(), g_watch);
}

void StopwatchReset() {
    ReturnFocus();
    RequestStopwatchReset(g_watch);
    EnableWindow(Control(kIdStopwatchReset), FALSE);
}

void StopwatchTick() {
    if (AdvanceStopwatch(g_watch, StopwatchClock())) {
        SetTextIfChanged(kIdStopwatchReadout, g_watch.readout);
    }
}
