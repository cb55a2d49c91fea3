#include "throughput/cycle_counter_win.h"

#include <string>

#include "throughput/counter_sources_win.h"
#include "ui/app_win.h"

namespace {

DWORD WINAPI CalibrateCycleCounter(void* parameter) {
    HWND reportTo = static_cast<HWND>(parameter);
    uint64_t rate = MeasureCycleRate(SystemCounterSources());
    if (rate != 0) CycleRate().cyclesPerSecond.store(rate, std::memory_order_release);
    // The box belongs on the window's thread; the figure travels split in two halves.
    if (reportTo && IsWindow(reportTo))
        PostMessageA(reportTo, kCycleRateMeasured, static_cast<WPARAM>(rate >> 32),
                     static_cast<LPARAM>(rate & 0xFFFFFFFFu));
    return 0;
}

std::string PlainNumber(uint64_t n) {
    return " " + std::to_string(n);
}

uint64_t ReportedCyclesPerSecond() {
    DWORD mhz = 0, size = sizeof mhz;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                     "~MHz", RRF_RT_REG_DWORD, nullptr, &mhz, &size) != ERROR_SUCCESS)
        return 0;
    return static_cast<uint64_t>(mhz) * 1000000;
}

}  // namespace

PublishedCycleRate& CycleRate() {
    static PublishedCycleRate rate;
    return rate;
}

void StartCycleCalibration(HWND reportTo) {
    HANDLE thread = CreateThread(nullptr, 1 << 20, CalibrateCycleCounter, reportTo,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (thread) CloseHandle(thread);
}

void ShowProcessorDebugInfo(uint64_t cyclesPerSecond) {
    ShowMessage("Calculated Processor Speed:" + PlainNumber(cyclesPerSecond) + "\r\n" +
                    "Reported  Processor Speed: " + PlainNumber(ReportedCyclesPerSecond()),
                "Processor Debug Info", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}
