// clang-format off
#include "socket_port.h"  // Winsock before <windows.h>
// clang-format on

#include "throughput/test_run_win.h"

#include <thread>
#include <vector>

#include "throughput/counter_sources_win.h"
#include "throughput/cycle_counter_win.h"
#include "throughput/folder_test_win.h"
#include "throughput/server_exchange.h"
#include "throughput/test_size.h"

namespace {

// How long a test started right after the window opened waits for the calibration.
constexpr int kCalibrationWaitMs = 3000;
const char* const kProgramCaption = "Tallymax";

void Send(TestJob& job, const RunEvent& event) {
    if (job.windowGone || job.stopRequested) return;
    SendMessageA(job.window, kRunEvent, reinterpret_cast<WPARAM>(&job),
                 reinterpret_cast<LPARAM>(&event));
}
void Status(TestJob& job, const std::string& text) {
    Send(job, {RunEventKind::Status, text, "", 0, {}});
}
void Message(TestJob& job, const std::string& text, const std::string& caption) {
    Send(job, {RunEventKind::Message, text, caption, 0, {}});
}
// The figures on the window belong to this run only: a run that fails clears them all
// and says why in the status, before the message with the details.
void Fail(TestJob& job, const std::string& why, const std::string& text,
          const std::string& caption) {
    Send(job, {RunEventKind::Failed, why, "", 0, {}});
    Message(job, text, caption);
}

// The first line of a message, without its closing colon, for the status field.
std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    if (!line.empty() && line.back() == ':') line.pop_back();
    return line;
}

void Column(TestJob& job, int column, uint64_t bytes, uint64_t cycles, uint64_t rate) {
    RunEvent event{RunEventKind::Column, "", "", column, {}};
    if (ComputeFigures(bytes, cycles, rate, event.figures)) Send(job, event);
}

// Server mode: connection and welcome first, so that a server that is not there
// leaves the last results on screen.
void RunServerTest(TestJob& job, uint64_t rate) {
    const uint64_t bytes = static_cast<uint64_t>(job.units) * kTestUnit;
    SocketPort port;
    ServerLink link(port, ExchangeLimits{}, ReadCycleCounter);
    link.stopRequested = [&job] { return job.stopRequested.load(); };
    const std::string at = job.target.host + ":" + std::to_string(job.target.port);
    Status(job, "Connecting to " + at + "...");
    int error = OpenServerConnection(link, job.target.host, job.target.port);
    if (error != 0) {
        Fail(job, "Failed: no QVL Server at " + at,
             OpenErrorText(error, job.target.host, job.target.port), kOpenErrorCaption);
        return;
    }
    if (!ReceiveWelcome(link)) {
        port.Close();
        Fail(job, "Failed: no welcome from QVL Server at " + at, kWelcomeMissingText,
             kServerErrorCaption);
        return;
    }
    Send(job, {RunEventKind::Begin, "", "", 0, {}});
    Status(job, "Writing Data...");
    PhaseResult write = RunWritePhase(link, bytes);
    if (!write.ok) {
        CloseServerConnection(link);
        Fail(job, "Failed: " + write.problem, write.problem, kServerErrorCaption);
        return;
    }
    Column(job, 1, bytes, write.cycles, rate);
    Status(job, "Reading Data...");
    PhaseResult read = RunReadPhase(link, bytes);
    CloseServerConnection(link);
    if (!read.ok) {
        Fail(job, "Failed: " + read.problem, read.problem, kServerErrorCaption);
        return;
    }
    Column(job, 2, bytes, read.cycles, rate);
    Status(job, "Finished");
}

struct AlignedBlock {
    char* bytes = static_cast<char*>(
        VirtualAlloc(nullptr, kTestUnit, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ~AlignedBlock() {
        if (bytes) VirtualFree(bytes, 0, MEM_RELEASE);
    }
};

void RunFolderTest(TestJob& job, uint64_t rate) {
    const std::string& path = job.target.testFile;
    const uint64_t units = static_cast<uint64_t>(job.units);
    AlignedBlock block;  // page-aligned, so that unbuffered reads can use it
    if (!block.bytes) {
        Fail(job, "Failed: not enough memory for the test data",
             "Not enough memory for the test data", kProgramCaption);
        return;
    }
    std::fill(block.bytes, block.bytes + kTestUnit, '!');
    auto show = [&](const std::string& text) { Message(job, text, kProgramCaption); };
    auto stopped = [&job] { return job.stopRequested.load(); };

    Send(job, {RunEventKind::Begin, "", "", 0, {}});
    Status(job, "Writing Data...");
    FileStep write = WriteTestFile(path, units, block.bytes, stopped);
    if (!write.ok) {
        Fail(job, "Failed: " + FirstLine(write.problem), write.problem, kProgramCaption);
        return;
    }
    Column(job, 1, units * kTestUnit, write.cycles, rate);
    Status(job, "Clearing File Cache...");
    FlushFileCache(path, show, stopped);
    Status(job, "Reading Data...");
    FileStep read = ReadTestFile(path, units, block.bytes, stopped);
    if (!read.ok) {
        if (job.deleteWhenFinished) DeleteFileA(path.c_str());
        Fail(job, "Failed: " + FirstLine(read.problem), read.problem, kProgramCaption);
        return;
    }
    Column(job, 2, units * kTestUnit, read.cycles, rate);
    Status(job, "Clearing File Cache...");
    FlushFileCache(path, show, stopped);
    Status(job, "Deleting Data...");
    if (job.deleteWhenFinished && !DeleteFileA(path.c_str()))
        show("The test file could not be deleted:\r\n\r\n" + path + "\r\n\r\n" +
             SystemErrorText(GetLastError()));
    Status(job, "Finished");
}

void RunTest(std::shared_ptr<TestJob> job) {
    uint64_t rate = AwaitCycleRate(CycleRate(), kCalibrationWaitMs,
                                   [](int ms) { Sleep(static_cast<DWORD>(ms)); });
    if (rate == 0)
        Fail(*job, "Failed: the processor's speed could not be measured",
             "The processor's speed could not be measured, so the test cannot be timed.",
             kProgramCaption);
    else if (job->target.serverMode)
        RunServerTest(*job, rate);
    else
        RunFolderTest(*job, rate);
    Send(*job, {RunEventKind::Finished, "", "", 0, {}});
}

}  // namespace

bool StartTestRun(const std::shared_ptr<TestJob>& job) {
    static bool socketsStarted = StartSockets();
    (void)socketsStarted;
    try {
        std::thread(RunTest, job).detach();
    } catch (...) {
        return false;
    }
    return true;
}
