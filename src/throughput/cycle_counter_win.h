// The processor's cycle counter and its rate, measured on a thread of its own each
// time the throughput window opens.
#pragma once

#include <windows.h>

#include <cstdint>

#include "throughput/cycle_rate.h"

// The figure the test divides by; 0 until a calibration has finished.
PublishedCycleRate& CycleRate();

// Starts CalibrateCycleCounter on a new thread (1 MiB stack) and returns at once.
// The figure is also posted to `reportTo` as kCycleRateMeasured (high 32 bits in
// wParam, low 32 in lParam), for the debug box.
void StartCycleCalibration(HWND reportTo);
inline constexpr UINT kCycleRateMeasured = WM_APP + 41;

// The "Processor Debug Info" box for the measured rate.
void ShowProcessorDebugInfo(uint64_t cyclesPerSecond);
