// One throughput test run, off the window thread: it tells the window what to show
// through kRunEvent messages sent to it, and waits for each to be handled.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "throughput/result_fields.h"
#include "throughput/throughput_target.h"

struct TestJob {
    HWND window = nullptr;
    ThroughputTarget target;
    std::string typedTarget;
    int64_t units = 0;
    bool deleteWhenFinished = true;
    std::atomic<bool> windowGone{false};  // set when the window is destroyed
    // Set by "Stop Test", Escape or closing the window: the run ends at its next check
    // and the window hears nothing more of it.
    std::atomic<bool> stopRequested{false};
};

// Failed: the run ended without its figures; `text` says why, for the status field.
enum class RunEventKind { Begin, Status, Column, Message, Failed, Finished };

// lParam of kRunEvent, valid while the message is handled; wParam is the TestJob it
// comes from.
struct RunEvent {
    RunEventKind kind;
    std::string text, caption;  // Status: the status; Message: the box
    int column = 0;             // Column: 1 writing, 2 reading
    PhaseFigures figures;
};
inline constexpr UINT kRunEvent = WM_APP + 40;

// Starts the run on a new thread; the window gets Finished at its end.
bool StartTestRun(const std::shared_ptr<TestJob>& job);
