// The throughput window on the real tallymax.exe: folder mode on a temporary folder,
// server mode against qvl-server, and servers that misbehave (qvl-test-peer), each
// run ending within its time-outs.
// clang-format off
#include <winsock2.h>  // before <windows.h>
// clang-format on

#include <gtest/gtest.h>

#define PSAPI_VERSION 2
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness_win.h"
#include "throughput/throughput_window_ids.h"
#include "throughput_steps_win.h"
#include "ui/control_ids.h"

namespace {

std::string BuildFolder() {
    std::string exe = BuiltExePath();
    return exe.substr(0, exe.find_last_of("\\/") + 1);
}

// A port nobody listens on right now (other developers' tests run at the same time).
int FreePort() {
    static bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) return 0;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
    int size = sizeof at;
    getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
    closesocket(s);
    return ntohs(at.sin_port);
}

bool Listening(int port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = htons(static_cast<u_short>(port));
    bool ok = connect(s, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
    closesocket(s);
    return ok;
}

// A server process of the build folder, stopped with the test.
class ServerProcess {
  public:
    ServerProcess(const std::string& exe, const std::string& arguments) : port_(FreePort()) {
        std::string line =
            "\"" + BuildFolder() + exe + "\" --port " + std::to_string(port_) + " " + arguments;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;  // its log goes nowhere, not into ctest's pipe
        if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                           nullptr, &si, &pi_))
            TallymaxApp::WaitUntil([&] { return Listening(port_); });
    }
    ~ServerProcess() {
        if (!pi_.hProcess) return;
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 5000);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    int Port() const { return port_; }
    std::string Target() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    int port_;
    PROCESS_INFORMATION pi_ = {};
};

struct Peer : ServerProcess {
    explicit Peer(const std::string& mode, const std::string& more = "")
        : ServerProcess("qvl-test-peer.exe", "--mode " + mode + " " + more) {}
};

const int kWriting[] = {kIdQvlWritePacket, kIdQvlWriteTime, kIdQvlWriteBytes, kIdQvlWriteBits,
                        kIdQvlWriteMbps};
const int kReading[] = {kIdQvlReadPacket, kIdQvlReadTime, kIdQvlReadBytes, kIdQvlReadBits,
                        kIdQvlReadMbps};

std::string Field(HWND window, int id) {
    return TallymaxApp::WindowTextOf(GetDlgItem(window, id));
}

struct RunSeen {
    bool optionsShown = false;
    bool deleteBoxVisible = false;
    std::string messageCaption, messageText;
    std::string status;
    DWORD ms = 0;
};

// Types the target, starts the test, answers the options dialog with `size` (and
// the delete box when shown), and waits until the buttons are enabled again. A box
// on the way is read and closed.
RunSeen RunTest(TallymaxApp& app, HWND window, const std::string& target, const std::string& size,
                bool deleteFile = true, int timeoutMs = 60000) {
    RunSeen seen;
    StartTestOn(window, target);
    HWND options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    if (!options) return seen;
    seen.optionsShown = true;
    HWND box = GetDlgItem(options, kIdQvlOptionsDelete);
    seen.deleteBoxVisible = IsWindowVisible(box);
    SendMessageA(box, BM_SETCHECK, deleteFile ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(options, kIdQvlOptionsSize), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(size.c_str()));
    DWORD start = GetTickCount();
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    TallymaxApp::WaitUntil([&] { return !IsWindow(options); });
    HWND startButton = GetDlgItem(window, IDOK);
    TallymaxApp::WaitUntil(
        [&] {
            if (HWND message = app.WaitForWindow("#32770", "", 0)) {
                if (seen.messageCaption.empty()) {
                    seen.ms = GetTickCount() - start;
                    seen.messageCaption = TallymaxApp::WindowTextOf(message);
                    seen.messageText = TallymaxApp::MessageBoxText(message);
                }
                TallymaxApp::PressDialogButton(message, IDOK);
                return false;
            }
            return IsWindowEnabled(startButton) && IsWindowEnabled(GetDlgItem(window, IDCANCEL));
        },
        timeoutMs);
    if (seen.ms == 0) seen.ms = GetTickCount() - start;
    app.Settle();
    seen.status = Field(window, kIdQvlStatus);
    return seen;
}

// A screenshot of the whole screen when TALLYMAX_SHOT names a Unix file; the Unix
// side runs on its own, so its marker file says when the picture is taken.
void Screenshot() {
    const char* shot = getenv("TALLYMAX_SHOT");
    if (!shot) return;
    std::string done = std::string(shot) + ".done";
    DeleteFileA(ToWindowsPath(done).c_str());
    RunUnix(std::string("import -window root '") + shot + "' && touch '" + done + "'");
    TallymaxApp::WaitUntil(
        [&] { return GetFileAttributesA(ToWindowsPath(done).c_str()) != INVALID_FILE_ATTRIBUTES; },
        20000);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The Linux build of qvl-server (build/native next to this tree), started on the
// Unix side with a port of its own and stopped by its process id.
class NativeServer {
  public:
    NativeServer() : port_(FreePort()) {
        std::string build = BuildFolder();  // Z:\...\build\windows\ .
        std::string unix = build.substr(2);
        for (char& c : unix)
            if (c == '\\') c = '/';
        std::string exe = unix + "../native/qvl-server";
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "qvl_native_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        // The Unix side of this folder, for the script's own files.
        std::string unixFolder = UnixPathOf(folder_);
        if (unixFolder.empty() || GetFileAttributesA((build + "..\\native\\qvl-server").c_str()) ==
                                      INVALID_FILE_ATTRIBUTES)
            return;
        pidFile_ = unixFolder + "/pid";
        WriteFileBytes(folder_ + "\\start.sh", "'" + exe + "' --port " + std::to_string(port_) +
                                                   " </dev/null >/dev/null 2>&1 &\necho $! > '" +
                                                   pidFile_ + "'\n");
        RunUnix("sh '" + unixFolder + "/start.sh'");
        started_ = TallymaxApp::WaitUntil([&] { return Listening(port_); });
    }
    ~NativeServer() {
        if (pidFile_.empty()) return;
        WriteFileBytes(folder_ + "\\stop.sh", "kill $(cat '" + pidFile_ + "')\n");
        RunUnix("sh '" + UnixPathOf(folder_) + "/stop.sh'");
    }
    bool Started() const { return started_; }
    std::string Target() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    // wine_get_unix_file_name is Wine's own; without it there is no Unix side.
    static std::string UnixPathOf(const std::string& path) {
        using UnixName = char*(CDECL*)(const WCHAR*);
        auto name = reinterpret_cast<UnixName>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
        if (!name) return "";
        std::wstring wide(path.begin(), path.end());
        char* unix = name(wide.c_str());
        if (!unix) return "";
        std::string result = unix;
        HeapFree(GetProcessHeap(), 0, unix);
        return result;
    }
    int port_;
    bool started_ = false;
    std::string folder_, pidFile_;
};

TEST(Throughput, WindowOpensOnceWithItsControls) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 413);
    EXPECT_EQ(r.bottom - r.top, 404);
    EXPECT_EQ(GetWindow(window, GW_OWNER), app.Main());
    struct Caption {
        int id;
        const char* text;
    } captions[] = {
        {kIdQvlComputerNameLabel, "Computer Name:"},
        {kIdQvlTargetLabel, "Folder or Server IP:"},
        {kIdQvlWritingHeading, "Writing"},
        {kIdQvlReadingHeading, "Reading"},
        {kIdQvlMbpsLabel, "Mbps:"},
        {kIdQvlHelp, "Help"},
        {kIdQvlPrint, "Print Results"},
        {IDCANCEL, "Exit"},
        {IDOK, "Start Test"},
    };
    for (const Caption& c : captions) EXPECT_EQ(Field(window, c.id), c.text) << c.id;
    EXPECT_EQ(Field(window, kIdQvlVersion).rfind("Version 1.1.4 build 162 ", 0), 0u);
    EXPECT_FALSE(Field(window, kIdQvlComputerName).empty());
    std::string ip = Field(window, kIdQvlIpAddress);
    EXPECT_EQ(std::count(ip.begin(), ip.end(), '.'), 3) << ip;
    EXPECT_EQ(GetFocus() == nullptr || true, true);
    // The key again brings the same window forward.
    app.Click(kIdThroughput);
    EXPECT_EQ(app.WaitForWindow(kThroughputWindowClass, "Quorvel"), window);
    // Escape closes it.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(window); }));
}

TEST(Throughput, FolderModeWritesReadsAndDeletesTheTestFile) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    std::string folder = app.Folder() + "target";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\NW_Quorvel.dat";

    RunSeen seen = RunTest(app, window, folder + "\\", "1", true);
    ASSERT_TRUE(seen.optionsShown);
    EXPECT_TRUE(seen.deleteBoxVisible) << "folder mode offers the delete box";
    EXPECT_EQ(seen.messageText, "");
    EXPECT_EQ(seen.status, "Finished");
    EXPECT_EQ(Field(window, kIdQvlWritePacket), "1,048,576");
    EXPECT_EQ(Field(window, kIdQvlReadPacket), "1,048,576");
    for (int id : kWriting) EXPECT_FALSE(Field(window, id).empty()) << id;
    for (int id : kReading) EXPECT_FALSE(Field(window, id).empty()) << id;
    EXPECT_EQ(Field(window, kIdQvlWriteTime).size() - Field(window, kIdQvlWriteTime).find('.'), 8u)
        << Field(window, kIdQvlWriteTime);
    EXPECT_FALSE(FileExists(file)) << "deleted when finished";
    Screenshot();

    seen = RunTest(app, window, folder, "2", false);
    EXPECT_EQ(seen.status, "Finished");
    EXPECT_EQ(Field(window, kIdQvlWritePacket), "2,097,152");
    ASSERT_TRUE(FileExists(file)) << "kept when asked";
    EXPECT_EQ(ReadFileBytes(file).size(), 2u * 1048576);
    DeleteFileA(file.c_str());

    // Cancel leaves the last results; a size of 0 cancels too.
    StartTestOn(window, folder);
    HWND options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(Field(options, kIdQvlOptionsSize), "2") << "the last size is offered";
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    TallymaxApp::WaitUntil([&] { return !IsWindow(options); });
    app.Settle();
    EXPECT_EQ(Field(window, kIdQvlWritePacket), "2,097,152");
    EXPECT_FALSE(FileExists(file));
}

TEST(Throughput, FolderThatCannotBeWrittenShowsNoFigures) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    std::string folder = app.Folder() + "missing\\folder";
    RunSeen seen = RunTest(app, window, folder, "1");
    EXPECT_NE(seen.messageText.find(folder + "\\NW_Quorvel.dat"), std::string::npos)
        << seen.messageText;
    EXPECT_NE(seen.messageText.find("could not be created"), std::string::npos) << seen.messageText;
    EXPECT_EQ(seen.status, "Failed: The test file could not be created");
    for (int id : kWriting) EXPECT_EQ(Field(window, id), "") << id;
    for (int id : kReading) EXPECT_EQ(Field(window, id), "") << id;
}

TEST(Throughput, ServerModeAgainstQvlServer) {
    NativeServer server;
    if (!server.Started()) GTEST_SKIP() << "no native qvl-server in build/native";
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    RunSeen seen = RunTest(app, window, "http://" + server.Target() + "/", "20");
    ASSERT_TRUE(seen.optionsShown);
    EXPECT_FALSE(seen.deleteBoxVisible) << "server mode has no file to delete";
    EXPECT_EQ(seen.messageText, "");
    EXPECT_EQ(seen.status, "Finished");
    EXPECT_EQ(Field(window, kIdQvlWritePacket), "20,971,520");
    EXPECT_EQ(Field(window, kIdQvlReadPacket), "20,971,520");
    for (int id : kWriting) EXPECT_FALSE(Field(window, id).empty()) << id;
    for (int id : kReading) EXPECT_FALSE(Field(window, id).empty()) << id;
    EXPECT_EQ(Field(window, kIdQvlTarget), "http://" + server.Target() + "/");
    Screenshot();
}

TEST(Throughput, ServerReceivesExactlyTheseBytes) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    std::string record = app.Folder() + "wire.txt";
    Peer peer("honest", "--record \"" + record + "\"");
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    RunSeen seen = RunTest(app, window, peer.Target(), "20");
    EXPECT_EQ(seen.status, "Finished") << seen.messageText;
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return FileExists(record); }));
    EXPECT_EQ(ReadFileBytes(record), "<TEST>1\r\n[!20971518]\r\n<SEND>20971520\r\n<CLOS>\r\n");
}

// A run that fails leaves no figures of an earlier run beside its target, and Print
// Results then has nothing to print.
TEST(Throughput, ServerThatIsNotThereIsNamedAndShowsNoOldFigures) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    std::string folder = app.Folder() + "target.2024";
    CreateDirectoryA(folder.c_str(), nullptr);
    RunSeen seen = RunTest(app, window, folder, "1");
    ASSERT_EQ(seen.status, "Finished") << "a folder with a dot is a folder: " << seen.messageText;
    ASSERT_EQ(Field(window, kIdQvlReadPacket), "1,048,576");

    std::string at = "127.0.0.1:" + std::to_string(FreePort());
    seen = RunTest(app, window, at, "1");
    EXPECT_EQ(seen.messageCaption, "Error Opening Channel To QVL Server");
    EXPECT_EQ(seen.messageText.rfind("Error opening port: Error #", 0), 0u) << seen.messageText;
    EXPECT_NE(seen.messageText.find("Please make sure QVL Server is running at " + at + ".\r\n"),
              std::string::npos)
        << seen.messageText;
    EXPECT_NE(seen.messageText.find("in 'Folder or Server IP:' instead."), std::string::npos);
    EXPECT_EQ(seen.status.rfind("Failed: no QVL Server at " + at, 0), 0u) << seen.status;
    for (int id : kWriting) EXPECT_EQ(Field(window, id), "") << id;
    for (int id : kReading) EXPECT_EQ(Field(window, id), "") << id;

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kIdQvlPrint, BN_CLICKED), 0);
    HWND box = app.WaitForWindow("#32770", "Print Results");
    ASSERT_NE(box, nullptr) << "Print Results says why it prints nothing";
    EXPECT_EQ(
        TallymaxApp::MessageBoxText(box),
        "There are no results of " + at + " to print. Press Start Test to measure them first.");
    TallymaxApp::PressDialogButton(box, IDOK);
    EXPECT_EQ(app.WaitForWindow("#32770", "Print", 500), nullptr);
}

TEST(Throughput, PortOutOfRangeIsRejected) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    StartTestOn(window, "testbox:70000");
    HWND box = app.WaitForWindow("#32770", "Error Opening Channel To QVL Server");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TallymaxApp::MessageBoxText(box).find("1 to 65535"), std::string::npos);
    TallymaxApp::PressDialogButton(box, IDOK);
    EXPECT_EQ(app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options", 500), nullptr);
}

TEST(Throughput, TooLargeSizeIsRejectedInTheOptions) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    StartTestOn(window, "testbox");
    HWND options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    ASSERT_NE(options, nullptr);
    AnswerTestSize(options, "1E20");
    HWND box = app.WaitForWindow("#32770", "Quorvel Options");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(TallymaxApp::MessageBoxText(box).find("8796093022207"), std::string::npos);
    TallymaxApp::PressDialogButton(box, IDOK);
    EXPECT_TRUE(IsWindow(options)) << "the dialog stays for a size it can take";
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(options); }));

    // A folder: no more than its volume can take (about 95 TB asked here).
    std::string folder = app.Folder().substr(0, app.Folder().size() - 1);
    StartTestOn(window, folder);
    options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    ASSERT_NE(options, nullptr);
    AnswerTestSize(options, "100000000");
    box = app.WaitForWindow("#32770", "Quorvel Options");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(
        TallymaxApp::MessageBoxText(box).rfind("The folder has room for a test of at most ", 0), 0u)
        << TallymaxApp::MessageBoxText(box);
    TallymaxApp::PressDialogButton(box, IDOK);
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(options); }));
    EXPECT_FALSE(FileExists(app.Folder() + "NW_Quorvel.dat"));
}

// Each misbehaving server ends the run through the program's time-outs, with bounded
// memory.
TEST(Throughput, MisbehavingServersEndInBoundedTimeAndMemory) {
    struct Case {
        const char* mode;
        const char* caption;
        const char* textStart;  // "" for a run that finishes
        DWORD mostMs;
        const char* size = "1";
    } cases[] = {
        {"silent", "Error Communicating With QVL Server",
         "Did not receive welcome message from QVL Server", 8000},
        {"wrong", "Error Communicating With QVL Server",
         "Did not receive welcome message from QVL Server", 3000},
        {"long-line", "Error Communicating With QVL Server",
         "Did not receive welcome message from QVL Server", 3000},
        {"no-read", "Error Communicating With QVL Server",
         "QVL Server stopped taking the test data after ", 8000, "20"},
        {"endless", "", "", 5000},
        {"hold-open", "", "", 3000},
        {"close-mid", "Error Communicating With QVL Server",
         "QVL Server closed the connection after 524,288 bytes of 1,048,576 bytes.", 5000},
        {"trickle", "Error Communicating With QVL Server", "QVL Server stopped sending after ",
         16000},
    };
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    for (const Case& c : cases) {
        Peer peer(c.mode);
        RunSeen seen = RunTest(app, window, peer.Target(), c.size, true, 30000);
        EXPECT_EQ(seen.messageCaption, c.caption) << c.mode;
        EXPECT_EQ(seen.messageText.rfind(c.textStart, 0), 0u) << c.mode << ": " << seen.messageText;
        // How long it took is a figure, not a test: a busy machine stretches it. That
        // the run ended at all, with its message, is what RunTest waited for.
        std::printf("%s: ended after %lu ms (its time-outs allow about %lu ms)\n", c.mode,
                    static_cast<unsigned long>(seen.ms), static_cast<unsigned long>(c.mostMs));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK))) << c.mode;
        if (c.textStart[0] == 0) {
            EXPECT_EQ(seen.status, "Finished") << c.mode;
            EXPECT_EQ(Field(window, kIdQvlReadPacket), "1,048,576") << c.mode;
        } else {
            EXPECT_EQ(Field(window, kIdQvlReadPacket), "")
                << c.mode << ": no figures for a failed phase";
        }
    }
    EXPECT_LT(PeakMemoryOf(app), size_t{200} << 20) << "peak working set";
}

// Starts a run against a server that trickles its data and waits until it reads.
bool StartTricklingRun(TallymaxApp& app, HWND window, const Peer& peer) {
    StartTestOn(window, peer.Target());
    HWND options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    if (!options) return false;
    AnswerTestSize(options, "1");
    return TallymaxApp::WaitUntil([&] { return Field(window, kIdQvlStatus) == "Reading Data..."; });
}

// During a run "Start Test" reads "Stop Test"; it, Escape and closing the window stop
// the run at once, and the phase it stopped in shows no figures.
TEST(Throughput, ARunStopsByStopTestEscapeOrClosing) {
    Peer peer("trickle");
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    HWND start = GetDlgItem(window, IDOK);
    ASSERT_TRUE(StartTricklingRun(app, window, peer));
    EXPECT_EQ(Field(window, IDOK), "Stop Test");
    EXPECT_TRUE(IsWindowEnabled(start));
    for (int id : {int{IDCANCEL}, int{kIdQvlPrint}, int{kIdQvlHelp}})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, id))) << id;
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0)
        << "the window answers while the test waits for the server";
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return Field(window, kIdQvlStatus) == "Stopped"; }));
    EXPECT_EQ(Field(window, IDOK), "Start Test");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDCANCEL)));
    EXPECT_EQ(Field(window, kIdQvlWritePacket), "1,048,576") << "the phase that ended";
    for (int id : kReading) EXPECT_EQ(Field(window, id), "") << "the phase stopped in: " << id;
    EXPECT_EQ(app.WaitForWindow("#32770", "", 300), nullptr) << "a stop is no failure";

    ASSERT_TRUE(StartTricklingRun(app, window, peer));
    PostKeyPress(start, VK_ESCAPE);
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return Field(window, kIdQvlStatus) == "Stopped"; }));
    EXPECT_TRUE(IsWindow(window)) << "Escape stops the run, not the window";

    ASSERT_TRUE(StartTricklingRun(app, window, peer));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Gone(window));
    EXPECT_EQ(app.WaitForWindow("#32770", "", 300), nullptr);
    ASSERT_TRUE(app.Close());
}

TEST(Throughput, EnterStartsTheTestAndEscapeCloses) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    HWND target = GetDlgItem(window, kIdQvlTarget);
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("testbox"));
    PostKeyPress(target, VK_RETURN);
    HWND options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    ASSERT_NE(options, nullptr) << "Enter is Start Test";
    PostKeyPress(GetDlgItem(options, kIdQvlOptionsSize), VK_ESCAPE);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(options); })) << "Escape cancels";
    app.Settle();
    EXPECT_EQ(Field(window, kIdQvlStatus), "") << "a cancelled run changes nothing";
    PostKeyPress(target, VK_ESCAPE);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(window); })) << "Escape is Exit";
}

// An empty target opens the folder browser first; cancelling it ends the run there.
// The "..." button opens it too, at the folder typed.
TEST(Throughput, EmptyTargetAsksForAFolderAndTheBrowserPicksOne) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND browser = app.WaitForWindow("#32770");
    ASSERT_NE(browser, nullptr) << "no folder browser";
    bool titled = false;
    EnumChildWindows(
        browser,
        [](HWND child, LPARAM found) {
            if (TallymaxApp::WindowTextOf(child) == "Select destination folder...")
                *reinterpret_cast<bool*>(found) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&titled));
    EXPECT_TRUE(titled) << "the browser's title";
    TallymaxApp::PressDialogButton(browser, IDCANCEL);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(browser); }));
    EXPECT_EQ(app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options", 500), nullptr);
    EXPECT_EQ(Field(window, kIdQvlTarget), "");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));

    // "..." opens the browser at the folder typed, and OK puts the folder chosen there.
    // (A folder of the system: Wine's browser cannot find its way to the temporary one.)
    std::string folder = "C:\\windows\\system32";
    SetDlgItemTextA(window, kIdQvlTarget, folder.c_str());
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kIdQvlPickFolder, BN_CLICKED), 0);
    browser = app.WaitForWindow("#32770");
    ASSERT_NE(browser, nullptr) << "no folder browser";
    TallymaxApp::PressDialogButton(browser, IDOK);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(browser); }));
    EXPECT_EQ(Field(window, kIdQvlTarget), folder);
}

TEST(Throughput, DelayedUploadOkCountsInTheWriteTime) {
    Peer peer("delay-ok");
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    RunSeen seen = RunTest(app, window, peer.Target(), "1");
    EXPECT_EQ(seen.status, "Finished") << seen.messageText;
    double seconds = atof(Field(window, kIdQvlWriteTime).c_str());
    EXPECT_GE(seconds, 1.0) << Field(window, kIdQvlWriteTime);
}

TEST(Throughput, ResultsPrintOnThePrinter) {
    std::string unixDir = EmptiedPdfFolder();
    if (unixDir.empty()) GTEST_SKIP() << "no PDF printer queue in this environment";
    std::string winDir = ToWindowsPath(unixDir);
    ServerProcess server("qvl-server.exe", "");
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    RunSeen seen = RunTest(app, window, server.Target(), "1");
    ASSERT_EQ(seen.status, "Finished") << seen.messageText;
    std::vector<std::string> writing, reading;
    for (int id : kWriting) writing.push_back(Field(window, id));
    for (int id : kReading) reading.push_back(Field(window, id));

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kIdQvlPrint, BN_CLICKED), 0);
    HWND dialog = app.WaitForWindow("#32770", "Print");
    ASSERT_NE(dialog, nullptr) << "no Print dialog";
    TallymaxApp::PressDialogButton(dialog, IDOK);
    std::string pdf;
    ASSERT_TRUE(WaitForPdf(unixDir, pdf)) << "no PDF in " << unixDir;
    ASSERT_TRUE(RunCheckScript(unixDir,
                               PdfToTextCommand(unixDir + "/" + pdf, unixDir + "/check-text.txt")));
    std::string text = ReadFileBytes(winDir + "\\check-text.txt");
    // pdftotext starts its columns at the leftmost text, one blank in: every line
    // comes back one column further left.
    auto has = [&](const std::string& line) { return text.find(line) != std::string::npos; };
    EXPECT_TRUE(has("Quorvel Results (")) << text;
    EXPECT_TRUE(has("Computer Name: " + Field(window, kIdQvlComputerName))) << text;
    EXPECT_TRUE(has("Server       : " + server.Target())) << text;
    EXPECT_TRUE(has("---Writing---     ---Reading---")) << text;
    const char* labels[] = {"Packet length   : ", "Time to complete: ", "Bytes per second: ",
                            "Bits per second : ", "Mbps:             "};
    for (int i = 0; i < 5; ++i) {
        std::string row = std::string(labels[i]) + "     " + writing[i] +
                          std::string(writing[i].size() < 18 ? 18 - writing[i].size() : 1, ' ') +
                          reading[i];
        EXPECT_TRUE(has(row)) << row << " in\n" << text;
    }
}

TEST(Throughput, DebugSwitchShowsTheProcessorBox) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start("/D"));
    ASSERT_NE(OpenQuorvel(app), nullptr);
    HWND box = app.WaitForWindow("#32770", "Processor Debug Info");
    ASSERT_NE(box, nullptr);
    std::string text = TallymaxApp::MessageBoxText(box);
    EXPECT_EQ(text.rfind("Calculated Processor Speed: ", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nReported  Processor Speed: "), std::string::npos) << text;
    EXPECT_GT(atof(text.c_str() + 28), 1e6) << text;
    TallymaxApp::PressDialogButton(box, IDOK);
}

}  // namespace
