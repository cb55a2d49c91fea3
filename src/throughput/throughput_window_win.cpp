// clang-format off
#include <winsock2.h>  // before <windows.h>, for the host name and address
// clang-format on

#include "throughput/throughput_window_win.h"

#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>

#include "resource_ids.h"
#include "throughput/cycle_counter_win.h"
#include "throughput/results_print.h"
#include "throughput/server_exchange.h"
#include "throughput/test_options_dialog_win.h"
#include "throughput/test_run_win.h"
#include "throughput/test_size.h"
#include "throughput/throughput_texts.h"
#include "throughput/throughput_window_ids.h"
#include "ui/app_win.h"
#include "ui/report_printer_win.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kOuterWidth = 413;
constexpr int kOuterHeight = 404;

enum QvlFont { kLabel, kBold, kHeading, kButton };

// One open window: its fonts, the options that last while it is open, the run.
struct ThroughputWindow {
    WindowFonts fonts;
    TestOptions offered;  // last size 20, delete when finished
    bool debug = false;
    bool running = false;
    std::shared_ptr<TestJob> job;
    // The target whose figures the columns show ("" when they show none), and whether
    // it was a server: Print Results prints only those of the target in the field.
    std::string resultsTarget;
    bool resultsServer = false;
};

ToolWindowSlot g_throughput;

constexpr DWORD kField = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kResult = ES_AUTOHSCROLL | ES_READONLY | ES_RIGHT;

const ControlDef kControls[] = {
    {"STATIC", "Computer Name:", kIdQvlComputerNameLabel, 14, 21, 112, 16, SS_LEFT, 0, kBold},
    {"EDIT", "", kIdQvlComputerName, 132, 21, 253, 18, kField, WS_EX_CLIENTEDGE, kLabel},
    {"STATIC", "IP Address:", kIdQvlIpAddressLabel, 14, 45, 112, 16, SS_LEFT, 0, kBold},
    {"EDIT", "", kIdQvlIpAddress, 132, 45, 253, 18, kField, WS_EX_CLIENTEDGE, kLabel},
    {"STATIC", "Folder or Server IP:", kIdQvlTargetLabel, 5, 69, 121, 16, SS_LEFT, 0, kBold},
    {"EDIT", "", kIdQvlTarget, 132, 69, 253, 18, kField, WS_EX_CLIENTEDGE, kLabel},
    {"BUTTON", "...", kIdQvlPickFolder, 386, 69, 20, 18, BS_PUSHBUTTON | WS_TABSTOP, 0, kButton},
    {"STATIC", "Writing", kIdQvlWritingHeading, 132, 104, 112, 16, SS_CENTER, 0, kHeading},
    {"STATIC", "Reading", kIdQvlReadingHeading, 273, 104, 112, 16, SS_CENTER, 0, kHeading},
    {"STATIC", "Packet length:", kIdQvlPacketLabel, 14, 128, 112, 16, SS_LEFT, 0, kLabel},
    {"STATIC", "Time to complete:", kIdQvlTimeLabel, 14, 152, 112, 16, SS_LEFT, 0, kLabel},
    {"STATIC", "Bytes per second:", kIdQvlBytesLabel, 14, 176, 112, 16, SS_LEFT, 0, kLabel},
    {"STATIC", "Bits per second:", kIdQvlBitsLabel, 14, 200, 112, 16, SS_LEFT, 0, kLabel},
    {"STATIC", "Mbps:", kIdQvlMbpsLabel, 14, 224, 112, 16, SS_LEFT, 0, kBold},
    {"EDIT", "", kIdQvlWritePacket, 132, 128, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlWriteTime, 132, 152, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlWriteBytes, 132, 176, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlWriteBits, 132, 200, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlWriteMbps, 132, 224, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlReadPacket, 273, 128, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlReadTime, 273, 152, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlReadBytes, 273, 176, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlReadBits, 273, 200, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"EDIT", "", kIdQvlReadMbps, 273, 224, 112, 18, kResult, WS_EX_CLIENTEDGE, kLabel},
    {"STATIC", "Status:", kIdQvlStatusLabel, 14, 267, 112, 16, SS_LEFT, 0, kBold},
    {"EDIT", "", kIdQvlStatus, 132, 268, 253, 18, ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE,
     kLabel},
    {"BUTTON", "Help", kIdQvlHelp, 18, 312, 84, 32, BS_PUSHBUTTON | WS_TABSTOP, 0, kButton},
    {"BUTTON", "Print Results", kIdQvlPrint, 113, 312, 84, 32, BS_PUSHBUTTON | WS_TABSTOP, 0,
     kButton},
    {"BUTTON", "Exit", kIdQvlExit, 208, 312, 84, 32, BS_PUSHBUTTON | WS_TABSTOP, 0, kButton},
    {"BUTTON", "Start Test", kIdQvlStart, 304, 312, 84, 32, BS_DEFPUSHBUTTON | WS_TABSTOP, 0,
     kButton},
    {"STATIC", "", kIdQvlVersion, 129, 352, 255, 16, SS_LEFT, 0, kLabel},
};

const int kWritingFields[] = {kIdQvlWritePacket, kIdQvlWriteTime, kIdQvlWriteBytes, kIdQvlWriteBits,
                              kIdQvlWriteMbps};
const int kReadingFields[] = {kIdQvlReadPacket, kIdQvlReadTime, kIdQvlReadBytes, kIdQvlReadBits,
                              kIdQvlReadMbps};
// Disabled during a run; "Start Test" stays, as "Stop Test".
const int kRunButtons[] = {kIdQvlExit, kIdQvlPrint, kIdQvlHelp};
const char kStartCaption[] = "Start Test";
const char kStopCaption[] = "Stop Test";

void ShowLocalIdentity(HWND window) {
    static bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    char name[256] = "";
    if (!started || gethostname(name, sizeof name) != 0) {
        DWORD size = sizeof name;
        GetComputerNameA(name, &size);
    }
    SetItemText(window, kIdQvlComputerName, name);
    std::string address;
    if (hostent* host = started ? gethostbyname(name) : nullptr) {
        if (host->h_addrtype == AF_INET && host->h_addr_list[0]) {
            const auto* b = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
            address = std::to_string(b[0]) + "." + std::to_string(b[1]) + "." +
                      std::to_string(b[2]) + "." + std::to_string(b[3]);
        }
    }
    SetItemText(window, kIdQvlIpAddress, address);
}

void ShowResults(HWND window, int column, const PhaseFigures& figures) {
    ResultTexts t = FormatFigures(figures);
    const int* ids = column == 1 ? kWritingFields : kReadingFields;
    const std::string texts[] = {t.packetLength, t.time, t.bytesPerSecond, t.bitsPerSecond, t.mbps};
    for (int i = 0; i < 5; ++i) SetItemText(window, ids[i], texts[i]);
}

ResultTexts ColumnTexts(HWND window, const int* ids) {
    return {ItemText(window, ids[0]), ItemText(window, ids[1]), ItemText(window, ids[2]),
            ItemText(window, ids[3]), ItemText(window, ids[4])};
}

void FocusStart(HWND window) {
    SetFocus(GetDlgItem(window, kIdQvlStart));
}

void SetRunButtons(HWND window, bool on) {
    for (int id : kRunButtons) EnableItem(window, id, on);
    SetItemText(window, kIdQvlStart, on ? kStartCaption : kStopCaption);
}

void ClearColumns(HWND window, ThroughputWindow& w) {
    for (int id : kWritingFields) SetItemText(window, id, "");
    for (int id : kReadingFields) SetItemText(window, id, "");
    w.resultsTarget.clear();
}

// The run hears of it at its next check and ends without another word to the window,
// so the phase it was in shows no figures; the window is free again at once.
void StopRun(HWND window, ThroughputWindow& w) {
    if (!w.running) return;
    if (w.job) w.job->stopRequested = true;
    w.running = false;
    w.job.reset();
    SetItemText(window, kIdQvlStatus, "Stopped");
    SetRunButtons(window, true);
    FocusStart(window);
}

int CALLBACK BrowseStart(HWND browser, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

void PickFolder(HWND window) {
    JoinComOnWindowThread();  // the shell's picker wants COM on the thread that shows it
    std::string start = ItemText(window, kIdQvlTarget);
    char chosen[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.hwndOwner = window;
    info.pszDisplayName = chosen;
    info.lpszTitle = "Select destination folder...";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseStart;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE picked = nullptr;
    {
        TopmostGuard lift;
        picked = SHBrowseForFolderA(&info);
    }
    if (!picked) return;
    char path[MAX_PATH] = "";
    bool got = SHGetPathFromIDListA(picked, path);
    CoTaskMemFree(picked);
    if (got && path[0]) SetItemText(window, kIdQvlTarget, path);
}

void PrintResults(HWND window, ThroughputWindow& w) {
    std::string target = ItemText(window, kIdQvlTarget);
    if (w.resultsTarget.empty() || w.resultsTarget != target) {
        ShowMessage("There are no results of " + (target.empty() ? "this test" : target) +
                        " to print. Press Start Test to measure them first.",
                    "Print Results", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        FocusStart(window);
        return;
    }
    ResultsSheet sheet;
    sheet.server = w.resultsServer;
    sheet.computerName = ItemText(window, kIdQvlComputerName);
    sheet.ipAddress = ItemText(window, kIdQvlIpAddress);
    sheet.target = ItemText(window, kIdQvlTarget);
    sheet.writing = ColumnTexts(window, kWritingFields);
    sheet.reading = ColumnTexts(window, kReadingFields);
    SYSTEMTIME now;
    GetLocalTime(&now);
    ReportClock clock{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    PrintReport(window, "Quorvel Results", ResultsPrintFonts(),
                [&](ReportPrinter& printer) { PrintResultsLayout(sheet, clock, printer); });
    FocusStart(window);
}

void ShowThroughputHelp(HWND window) {
    ShowMessage(kThroughputHelpText, kThroughputHelpCaption,
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    FocusStart(window);
}

// Units the folder's volume can still take, counting a test file already there
// (it is overwritten); -1 when the system cannot tell, and the write itself decides.
int64_t FolderRoomUnits(const ThroughputTarget& target) {
    std::string folder = target.testFile.substr(0, target.testFile.size() - strlen(kTestFileName));
    ULARGE_INTEGER free = {};
    if (!GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr)) return -1;
    uint64_t bytes = free.QuadPart;
    WIN32_FILE_ATTRIBUTE_DATA old;
    if (GetFileAttributesExA(target.testFile.c_str(), GetFileExInfoStandard, &old))
        bytes += (static_cast<uint64_t>(old.nFileSizeHigh) << 32) | old.nFileSizeLow;
    return static_cast<int64_t>(bytes / kTestUnit);
}

void RunThroughputTest(HWND window, ThroughputWindow& w) {
    if (w.running) {
        StopRun(window, w);
        return;
    }
    if (ItemText(window, kIdQvlTarget).empty()) PickFolder(window);
    std::string typed = ItemText(window, kIdQvlTarget);
    if (typed.empty()) return;
    ThroughputTarget target = ClassifyTarget(typed, [](const std::string& path) {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    });
    if (target.serverMode && !target.portValid) {
        ShowMessage(
            "The port after \":\" in 'Folder or Server IP:' must be a number from 1 to "
            "65535.",
            kOpenErrorCaption, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        FocusStart(window);
        return;
    }
    TestOptions chosen = ShowTestOptionsDialog(window, target.serverMode, w.offered,
                                               target.serverMode ? -1 : FolderRoomUnits(target));
    // The window, and `w` with it, may have been destroyed while the dialog was open.
    if (!IsWindow(window)) return;
    if (chosen.size <= 0) {
        FocusStart(window);
        return;
    }
    w.offered = chosen;
    auto job = std::make_shared<TestJob>();
    job->window = window;
    job->target = target;
    job->typedTarget = typed;
    job->units = chosen.size;
    job->deleteWhenFinished = chosen.deleteWhenFinished;
    // The run goes on off this thread; while it lasts, connection included, "Start Test"
    // reads "Stop Test" and the other three buttons wait.
    SetRunButtons(window, false);
    w.running = true;
    w.job = job;
    if (!StartTestRun(job)) {
        w.running = false;
        w.job.reset();
        SetRunButtons(window, true);
        FocusStart(window);
    }
}

void HandleRunEvent(HWND window, ThroughputWindow& w, const TestJob* from, const RunEvent& e) {
    // A run that was stopped may still be finishing a step: it is no longer this window's.
    if (!w.job || w.job.get() != from) return;
    switch (e.kind) {
        case RunEventKind::Begin:
            ClearColumns(window, w);
            SetItemText(window, kIdQvlTarget, w.job->typedTarget);
            break;
        case RunEventKind::Status:
            SetItemText(window, kIdQvlStatus, e.text);
            break;
        case RunEventKind::Column:
            ShowResults(window, e.column, e.figures);
            w.resultsTarget = w.job->typedTarget;
            w.resultsServer = w.job->target.serverMode;
            break;
        case RunEventKind::Failed:
            ClearColumns(window, w);
            SetItemText(window, kIdQvlStatus, e.text);
            break;
        case RunEventKind::Message:
            ShowMessage(e.text, e.caption, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
            break;
        case RunEventKind::Finished:
            w.running = false;
            w.job.reset();
            SetRunButtons(window, true);
            FocusStart(window);
            break;
    }
    UpdateWindow(window);
}

bool HasDebugSwitch() {
    const std::string& line = App().commandLine;
    return line.find("/D") != std::string::npos || line.find("/d") != std::string::npos;
}

// "Folder or Server IP:" is the longest bold caption; where the platform's Tahoma
// is wider than the label, a smaller height keeps it whole instead of cut off.
void FitTargetLabel(HWND window, ThroughputWindow& w) {
    HWND label = GetDlgItem(window, kIdQvlTargetLabel);
    RECT room;
    GetClientRect(label, &room);
    std::string caption = WindowText(label);
    HDC dc = GetDC(label);
    for (int height = 12; height >= 9; --height) {
        HFONT font = height == 12 ? w.fonts.Font(kBold) : MakeFont({"Tahoma", height, FW_BOLD});
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size = {};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        SelectObject(dc, old);
        if (height != 12) w.fonts.fonts.push_back(font);  // released with the window
        if (size.cx <= room.right || height == 9) {
            SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            break;
        }
    }
    ReleaseDC(label, dc);
}

void InitialiseWindow(HWND window, ThroughputWindow& w) {
    CreateControls(window, kControls, w.fonts);
    FitTargetLabel(window, w);
    StartCycleCalibration(window);
    w.debug = HasDebugSwitch();
    ShowLocalIdentity(window);
    SetItemText(window, kIdQvlVersion, kThroughputVersionLabel);
    // Both sizes: the small one for the caption, the large one for Alt+Tab, which would
    // otherwise show the calculator's.
    for (WPARAM size : {ICON_SMALL, ICON_BIG}) {
        const int side = GetSystemMetrics(size == ICON_SMALL ? SM_CXSMICON : SM_CXICON);
        if (HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(IMAGE_GENERAL), IMAGE_ICON,
                                                       side, side, LR_DEFAULTCOLOR | LR_SHARED)))
            SendMessageA(window, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
    }
}

LRESULT CALLBACK ThroughputProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* w = OwnedWindowData<ThroughputWindow>(window, message, lParam);
    switch (message) {
        case WM_CREATE:
            InitialiseWindow(window, *w);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!w || HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kIdQvlStart:
                    RunThroughputTest(window, *w);
                    return 0;
                case kIdQvlExit:  // also Escape
                    if (w->running)
                        StopRun(window, *w);
                    else
                        DestroyWindow(window);
                    return 0;
                case kIdQvlPrint:
                    if (!w->running) PrintResults(window, *w);
                    return 0;
                case kIdQvlHelp:
                    if (!w->running) ShowThroughputHelp(window);
                    return 0;
                case kIdQvlPickFolder:
                    PickFolder(window);
                    return 0;
                default:
                    break;
            }
            break;
        case kRunEvent:
            if (w)
                HandleRunEvent(window, *w, reinterpret_cast<const TestJob*>(wParam),
                               *reinterpret_cast<const RunEvent*>(lParam));
            return 0;
        case kCycleRateMeasured:
            if (w && w->debug)
                ShowProcessorDebugInfo((static_cast<uint64_t>(wParam) << 32) |
                                       static_cast<uint64_t>(lParam & 0xFFFFFFFF));
            return 0;
        case WM_CLOSE:
            // Closing stops a run, as "Stop Test" does.
            if (w && w->running) StopRun(window, *w);
            DestroyWindow(window);
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnDialogFace(wParam);
        case WM_DESTROY:
            if (w && w->job) {
                w->job->windowGone = true;
                w->job->stopRequested = true;
            }
            ToolWindowDestroyed(window);
            ReturnFocus();
            return 0;
        case WM_NCDESTROY:
            FreeOwnedWindowData(window, w);
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void OpenThroughputWindow() {
    if (BringToolWindowForward(g_throughput)) return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterProgramWindowClass(instance, kThroughputWindowClass, ThroughputProc)) return;
    auto record = std::make_unique<ThroughputWindow>();
    record->fonts.Make(
        {{"Tahoma", 12}, {"Tahoma", 12, FW_BOLD}, {"Tahoma", 13, FW_BOLD}, {"MS Sans Serif", 11}});
    POINT at = CentredOnScreen(Scaled(kOuterWidth), Scaled(kOuterHeight));
    HWND window =
        CreateWindowExA(WS_EX_CONTROLPARENT, kThroughputWindowClass, "Quorvel",
                        WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, at.x, at.y, Scaled(kOuterWidth),
                        Scaled(kOuterHeight), MainWindow(), nullptr, instance, &record);
    if (!window) return;
    AdoptToolWindow(g_throughput, window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    FocusStart(window);
}
