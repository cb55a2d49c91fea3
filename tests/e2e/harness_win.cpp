#include "harness_win.h"

#define PSAPI_VERSION 2
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kMainClass = "FORM_TALLYMAX_FORM1_CLASS";

// Button notation tokens to control ids.
struct Token {
    const char* name;
    int id;
};
const Token kButtons[] = {
    {"0", 1054},    {"1", 1015},   {"2", 1011},     {"3", 1040},   {"4", 1041},     {"5", 1042},
    {"6", 1039},    {"7", 1036},   {"8", 1037},     {"9", 1038},   {"A", 1043},     {"B", 1048},
    {"C", 1049},    {"D", 1050},   {"E", 1047},     {"F", 1044},   {".", 1028},     {"+/-", 1059},
    {"Back", 1025}, {"CE", 1026},  {"Clear", 1023}, {"CT", 1020},  {"Feed", 1034},  {"+", 1062},
    {"-", 1057},    {"*", 1055},   {"/", 1022},     {"=", 1033},   {"%", 1061},     {"1/x", 1032},
    {"Tax", 1060},  {"Chg", 1027}, {"M+", 1030},    {"MS", 1058},  {"MR", 1056},    {"MC", 1031},
    {"2nd", 1045},  {"[O]", 1014}, {"Start", 1052}, {"Lap", 1063}, {"Reset", 1021}, {"Dec", 1001},
    {"Hex", 1002},  {"Bin", 1003}, {"Oct", 1004},
};

int ButtonId(const std::string& token) {
    for (const Token& t : kButtons)
        if (token == t.name) return t.id;
    return 0;
}

struct KeyName {
    const char* name;
    UINT vk;
    bool extended;
};
const KeyName kKeyNames[] = {
    {"Enter", VK_RETURN, false},    {"NumEnter", VK_RETURN, true},  {"Esc", VK_ESCAPE, false},
    {"Back", VK_BACK, false},       {"Delete", VK_DELETE, true},    {"Up", VK_UP, true},
    {"Space", VK_SPACE, false},     {"F1", VK_F1, false},           {"NumAdd", VK_ADD, false},
    {"NumSub", VK_SUBTRACT, false}, {"NumMul", VK_MULTIPLY, false}, {"NumDiv", VK_DIVIDE, true},
    {"NumDec", VK_DECIMAL, false},  {"NumLock", VK_NUMLOCK, true},  {"Shift", VK_SHIFT, false},
    {"Ctrl", VK_CONTROL, false},
};

void PostKey(HWND target, UINT vk, bool extended, bool down) {
    UINT sc = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    LPARAM lp = 1 | (static_cast<LPARAM>(sc) << 16) | (extended ? (1 << 24) : 0);
    if (!down) lp |= (1u << 30) | (1u << 31);
    PostMessageA(target, down ? WM_KEYDOWN : WM_KEYUP, vk, lp);
}

bool LookUpKey(const std::string& token, UINT& vk, bool& extended) {
    for (const KeyName& k : kKeyNames) {
        if (token == k.name) {
            vk = k.vk;
            extended = k.extended;
            return true;
        }
    }
    if (token.size() == 1) {
        SHORT scan = VkKeyScanA(token[0]);
        if (scan == -1) return false;
        vk = LOBYTE(scan);
        extended = false;
        return true;
    }
    if (token.size() == 4 && token.compare(0, 3, "Num") == 0 && isdigit(token[3])) {
        vk = VK_NUMPAD0 + (token[3] - '0');
        extended = false;
        return true;
    }
    return false;
}

std::string MakeTempFolder() {
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%stallymax_e2e_%lu_%lu_%d\\", base, GetCurrentProcessId(),
                 GetTickCount(), counter++);
        if (CreateDirectoryA(name, nullptr)) return name;
    }
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = folder + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(full + "\\");
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string BuiltExePath() {
    const char* env = getenv("TALLYMAX_EXE");
    std::string p = env ? env : "tallymax.exe";
    if (!p.empty() && p[0] == '/') {
        for (char& c : p)
            if (c == '/') c = '\\';
        p = "Z:" + p;
    }
    return p;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string IniValue(const std::string& ini, const std::string& section, const std::string& key) {
    std::istringstream in(ini);
    std::string line, current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            current = line.substr(1, line.find(']') - 1);
            continue;
        }
        size_t eq = line.find('=');
        if (eq != std::string::npos && lstrcmpiA(current.c_str(), section.c_str()) == 0 &&
            lstrcmpiA(line.substr(0, eq).c_str(), key.c_str()) == 0)
            return line.substr(eq + 1);
    }
    return "<missing>";
}

TallymaxApp::TallymaxApp() : folder_(MakeTempFolder()) {
    CopyFileA(BuiltExePath().c_str(), (folder_ + "tallymax.exe").c_str(), FALSE);
}

TallymaxApp::TallymaxApp(SameFolderAs same) : folder_(same.first.folder_), ownsFolder_(false) {}

TallymaxApp::~TallymaxApp() {
    // Close any message box or dialog first, then the program itself.
    if (Running()) {
        Close();
        if (Running()) TerminateProcess(pi_.hProcess, 99);
    }
    if (pi_.hProcess) {
        WaitForSingleObject(pi_.hProcess, 5000);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    if (ownsFolder_) RemoveFolder(folder_);
}

void TallymaxApp::WriteIni(const std::string& bytes) {
    WriteFileBytes(folder_ + "Tallymax.ini", bytes);
}

bool TallymaxApp::Start(const std::string& arguments, int timeoutMs) {
    if (pi_.hProcess) {
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
        pi_ = {};
    }
    std::string exe = folder_ + "tallymax.exe";
    std::string cmd = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                        &si, &pi_))
        return false;
    main_ = nullptr;
    exitCode_ = STILL_ACTIVE;
    // The window exists once its last control does: its creation has run through.
    return WaitUntil(
        [&] {
            main_ = WaitForWindow(kMainClass, "", 50);
            return main_ && GetDlgItem(main_, 1017) && IsWindowVisible(main_);
        },
        timeoutMs);
}

void TallymaxApp::Kill() {
    if (!Running()) return;
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 10000);
    GetExitCodeProcess(pi_.hProcess, &exitCode_);
}

bool TallymaxApp::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TallymaxApp::Close() {
    if (!Running()) return true;
    // Dismiss modal windows of the program so the close request can get through.
    // A box that takes no close request (Yes and No only) is left: the process then
    // does not end, and the caller ends it.
    for (int i = 0; i < 5; ++i) {
        HWND box = WaitForWindow("#32770", "", 0);
        if (!box) break;
        PostMessageA(box, WM_CLOSE, 0, 0);
        if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 2000)) break;
    }
    if (IsWindow(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(pi_.hProcess, kPatienceMs) == WAIT_OBJECT_0;
    if (ended) GetExitCodeProcess(pi_.hProcess, &exitCode_);
    return ended;
}

void TallymaxApp::Click(int id) {
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

void TallymaxApp::Menu(int id) {
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void TallymaxApp::PostClick(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

void TallymaxApp::PostMenu(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void TallymaxApp::Press(const std::string& notation) {
    std::istringstream in(notation);
    std::string token;
    while (in >> token) {
        if (int id = ButtonId(token)) {
            Click(id);
            continue;
        }
        // A number: one button per character.
        for (char c : token) {
            int id = ButtonId(std::string(1, c));
            if (id) Click(id);
        }
    }
}

void TallymaxApp::Keys(const std::string& notation) {
    HWND sink = Control(1016);
    std::istringstream in(notation);
    std::string token;
    while (in >> token) {
        bool shift = token.compare(0, 6, "Shift+") == 0 && token.size() > 6;
        bool ctrl = token.compare(0, 5, "Ctrl+") == 0 && token.size() > 5;
        std::string key = shift ? token.substr(6) : ctrl ? token.substr(5) : token;
        UINT vk;
        bool ext;
        if (!LookUpKey(key, vk, ext)) continue;
        if (shift) PostKey(sink, VK_SHIFT, false, true);
        if (ctrl) PostKey(sink, VK_CONTROL, false, true);
        PostKey(sink, vk, ext, true);
        PostKey(sink, vk, ext, false);
        if (ctrl) PostKey(sink, VK_CONTROL, false, false);
        if (shift) PostKey(sink, VK_SHIFT, false, false);
    }
    Settle();
}

void TallymaxApp::Settle() const {
    // Posted messages are handled in order: once a marker posted after them has taken
    // effect (a new text limit of the hidden input field, which nothing else uses), all
    // of them have run. What they posted in turn stands behind the marker, so a second
    // marker follows, and a third for what that posted. Wine's WaitForInputIdle is no
    // help here: it may return while messages are still queued.
    static UINT marker = 100000;
    HWND sink = Control(1016);
    if (!sink) return;
    for (int round = 0; round < 3; ++round) {
        UINT mine = ++marker;
        PostMessageA(sink, EM_SETLIMITTEXT, mine, 0);
        if (!WaitUntil([&] { return SendMessageA(sink, EM_GETLIMITTEXT, 0, 0) == LRESULT(mine); }))
            return;
    }
}

void TallymaxApp::Painted() const {
    Settle();
    // Sent, not posted: each window with something to paint has painted it when this
    // returns. The program then goes idle, which is when it shows what it painted.
    RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
}

std::string TallymaxApp::WindowTextOf(HWND h) {
    char buf[4096] = "";
    SendMessageA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

std::string TallymaxApp::Text(int id) const {
    return WindowTextOf(Control(id));
}

std::vector<std::string> TallymaxApp::Tape() const {
    // The ANSI list messages don't convert across processes under Wine: read the
    // wide text and turn it back into the program's code page.
    HWND list = Control(1019);
    std::vector<std::string> lines;
    int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        int len = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        std::wstring w(len + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&w[0]));
        w.resize(wcslen(w.c_str()));
        std::string s(w.size() * 2 + 1, '\0');
        int got = WideCharToMultiByte(1252, 0, w.c_str(), static_cast<int>(w.size()), &s[0],
                                      static_cast<int>(s.size()), nullptr, nullptr);
        s.resize(got > 0 ? got : 0);
        lines.push_back(s);
    }
    return lines;
}

std::string TallymaxApp::Ini() const {
    return ReadFileBytes(folder_ + "Tallymax.ini");
}

RECT TallymaxApp::WindowRect() const {
    RECT r = {};
    GetWindowRect(main_, &r);
    return r;
}

HWND TallymaxApp::WaitForWindow(const std::string& cls, const std::string& title,
                                int timeoutMs) const {
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindProcessWindow(pi_.dwProcessId, cls, [&](HWND h) {
            return title.empty() || WindowTextOf(h) == title;
        });
        if (found || static_cast<int>(GetTickCount() - start) >= timeoutMs) return found;
        Sleep(20);
    }
}

std::string TallymaxApp::MessageBoxText(HWND box) {
    return WindowTextOf(GetDlgItem(box, 0xFFFF));
}

void TallymaxApp::PressDialogButton(HWND box, int buttonId) {
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

bool TallymaxApp::WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(20);
    }
}

bool Gone(HWND window) {
    return TallymaxApp::WaitUntil([&] { return !IsWindow(window); });
}

void ClickIn(HWND window, int id) {
    SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

void PostKeyPress(HWND target, UINT vk) {
    PostKey(target, vk, false, true);
    PostKey(target, vk, false, false);
}

std::vector<std::string> LastLines(const TallymaxApp& app, size_t n) {
    std::vector<std::string> tape = app.Tape();
    if (tape.size() < n) return tape;
    return std::vector<std::string>(tape.end() - static_cast<long>(n), tape.end());
}

std::string ToWindowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

bool RunUnix(const std::string& commandLine) {
    std::string cmd =
        "C:\\windows\\system32\\start.exe /wait /unix /bin/sh -c \"" + commandLine + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    bool ended = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return ended;
}

std::string FirstPdfIn(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return "";
    FindClose(h);
    return fd.cFileName;
}

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderHasTempFiles(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

std::string EmptiedPdfFolder() {
    const char* dir = getenv("TALLYMAX_PDF_DIR");
    if (!dir || !*dir) return "";
    std::string unixDir = dir;
    RunUnix("rm -f '" + unixDir + "'/*.pdf '" + unixDir + "'/check-*");
    return unixDir;
}

bool WaitForPdf(const std::string& unixDir, std::string& pdf) {
    std::string winDir = ToWindowsPath(unixDir);
    // The back end creates the file before it has written it: the file is whole once
    // the queue has no job left.
    return TallymaxApp::WaitUntil(
        [&] { return !(pdf = FirstPdfIn(winDir)).empty() && PrintQueueIsEmpty(); });
}

bool PrintQueueIsEmpty() {
    const char* queue = getenv("PRINTER");
    if (!queue || !*queue) return true;
    return RunUnixScript(std::string("test -z \"$(lpstat -o '") + queue + "')\"");
}

int PrintJobsEver() {
    const char* queue = getenv("PRINTER");
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string out =
        std::string(temp) + "tallymax_jobs_" + std::to_string(GetCurrentProcessId()) + ".txt";
    if (!queue || !*queue ||
        !RunUnixScript(std::string("lpstat -W all -o '") + queue + "' | wc -l > '" +
                       UnixPathOf(out) + "'"))
        return -1;
    const std::string count = ReadFileBytes(out);
    DeleteFileA(out.c_str());
    return count.empty() ? -1 : atoi(count.c_str());
}

std::string PdfToTextCommand(const std::string& unixPdf, const std::string& out) {
    // Wine's printer driver sets "-" as the hyphen glyph, which comes back from the
    // PDF as a soft hyphen; it is turned back into "-" for the comparison.
    return "pdftotext -layout '" + unixPdf + "' - | sed 's/\\xc2\\xad/-/g' > '" + out + "'\n";
}

bool RunCheckScript(const std::string& unixDir, const std::string& script) {
    // Through a script file: the command line of the Unix side keeps no quotes. The
    // last command leaves a marker, since the Unix side runs on its own.
    std::string winDir = ToWindowsPath(unixDir);
    WriteFileBytes(winDir + "\\check-script.sh", script + "touch '" + unixDir + "/check-done'\n");
    RunUnix("sh '" + unixDir + "/check-script.sh'");
    return TallymaxApp::WaitUntil([&] {
        return GetFileAttributesA((winDir + "\\check-done").c_str()) != INVALID_FILE_ATTRIBUTES;
    });
}

std::string UnixPathOf(const std::string& windowsPath) {
    // wine_get_unix_file_name is Wine's own; without it there is no Unix side.
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!name) return "";
    int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], n);
    char* unix = name(wide.c_str());
    if (!unix) return "";
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool RunUnixScript(const std::string& script, int timeoutMs) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    std::string base = std::string(temp) + "tallymax_unix_" +
                       std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++);
    std::string scriptFile = base + ".sh", codeFile = base + ".rc";
    std::string unixScript = UnixPathOf(scriptFile), unixCode = UnixPathOf(codeFile);
    if (unixScript.empty() || unixCode.empty()) return false;
    // start.exe does not hand back the script's exit code: the script leaves it in a file.
    WriteFileBytes(scriptFile, "(\n" + script + "\n) </dev/null >/dev/null 2>&1\necho $? > '" +
                                   unixCode + "'\n");
    std::string cmd = "C:\\windows\\system32\\start.exe /wait /unix /bin/sh \"" + unixScript + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    bool ran = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                              nullptr, &si, &pi) != 0;
    if (ran) {
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    // start.exe may return before the Unix process ends: the code file marks its end.
    std::string code;
    ran = ran && TallymaxApp::WaitUntil(
                     [&] {
                         code = ReadFileBytes(codeFile);
                         return code.find('\n') != std::string::npos;
                     },
                     timeoutMs);
    DeleteFileA(scriptFile.c_str());
    DeleteFileA(codeFile.c_str());
    return ran && code.compare(0, 2, "0\n") == 0;
}

size_t PeakMemoryOf(const TallymaxApp& app) {
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.ProcessId());
    if (!process) return 0;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    CloseHandle(process);
    return counters.PeakWorkingSetSize;
}

namespace {

bool OpenClipboardPatiently(HWND owner) {
    for (int i = 0; i < 20; ++i) {
        if (OpenClipboard(owner)) return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

bool PutClipboardText(const std::string& text, HWND owner) {
    if (!OpenClipboardPatiently(owner)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    return true;
}

std::string ClipboardText() {
    if (!OpenClipboardPatiently(nullptr)) return "<not open>";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

HWND FindProcessWindow(DWORD pid, const std::string& cls, const std::function<bool(HWND)>& accept) {
    struct Search {
        DWORD pid;
        const std::string& cls;
        const std::function<bool(HWND)>& accept;
        HWND found;
    } s{pid, cls, accept, nullptr};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            char name[128] = "";
            GetClassNameA(h, name, sizeof name);
            if (owner != s->pid || s->cls != name || !IsWindowVisible(h) || !s->accept(h))
                return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND OtherDialog(const TallymaxApp& app, HWND except) {
    return FindProcessWindow(app.ProcessId(), "#32770", [&](HWND h) { return h != except; });
}

HWND FileNameField(HWND dialog) {
    constexpr int kFileNameCombo = 0x47C;  // cmb13
    constexpr int kFileNameEdit = 0x480;   // edt1
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    return field ? field : GetDlgItem(dialog, kFileNameEdit);
}

std::string AppDataFolder() {
    constexpr int kAppDataFolder = 0x001a;  // CSIDL_APPDATA
    using GetPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
    HMODULE shell = LoadLibraryA("SHELL32.DLL");
    std::string folder;
    auto getPath = reinterpret_cast<GetPath>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHGetSpecialFolderPathA")));
    char buffer[MAX_PATH] = "";
    if (getPath && getPath(nullptr, buffer, kAppDataFolder, TRUE)) folder = buffer;
    FreeLibrary(shell);
    return folder;
}

std::string MakerFolder() {
    return AppDataFolder() + "\\Korvalen\\Tallymax";
}

namespace {

std::string Quoted(const std::string& unixPath) {
    return "'" + unixPath + "'";
}

}  // namespace

Mount Mount::ReadOnly(const std::string& folder) {
    std::string at = Quoted(UnixPathOf(folder));
    return Mount(folder, "mount --bind " + at + " " + at + " && mount -o remount,bind,ro " + at +
                             " " + at + " || { umount -l " + at + "; exit 1; }");
}

Mount Mount::Tmpfs(const std::string& folder, size_t bytes) {
    return Mount(folder, "mount -t tmpfs -o size=" + std::to_string(bytes / 1024) + "k tmpfs " +
                             Quoted(UnixPathOf(folder)));
}

Mount::Mount(const std::string& folder, const std::string& script)
    : unixFolder_(UnixPathOf(folder)) {
    mounted_ = !unixFolder_.empty() && RunUnixScript(script);
}

Mount::~Mount() {
    if (mounted_) RunUnixScript("umount -l " + Quoted(unixFolder_));
}

namespace {

// SendInput's absolute coordinates: 65536 steps across the primary screen, each step
// rounded down to a pixel; the smallest step that falls on the pixel.
LONG Normalised(LONG pixel, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

INPUT MouseAt(POINT screen, DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = Normalised(screen.x, GetSystemMetrics(SM_CXSCREEN));
    in.mi.dy = Normalised(screen.y, GetSystemMetrics(SM_CYSCREEN));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return in;
}

bool Send(std::vector<INPUT> inputs) {
    const UINT n = static_cast<UINT>(inputs.size());
    return SendInput(n, inputs.data(), sizeof(INPUT)) == n;
}

}  // namespace

RealInput::RealInput() {
    const char* display = getenv("DISPLAY");
    std::string name = std::string("TallymaxE2ERealInput") + (display ? display : "");
    for (char& c : name)
        if (c == '\\') c = '_';
    lock_ = CreateMutexA(nullptr, FALSE, name.c_str());
    // A test that died holding it leaves it abandoned, which also hands it over.
    if (lock_) WaitForSingleObject(lock_, INFINITE);
}

RealInput::~RealInput() {
    if (!lock_) return;
    ReleaseMutex(lock_);
    CloseHandle(lock_);
}

bool RealInput::BringToFront(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return TallymaxApp::WaitUntil([&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
               info.hwndActive == window && info.hwndFocus &&
               (info.hwndFocus == window || IsChild(window, info.hwndFocus));
    });
}

bool RealInput::MoveTo(POINT screen) {
    if (!Send({MouseAt(screen, 0)})) return false;
    return TallymaxApp::WaitUntil([&] {
        POINT now = {};
        return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    });
}

bool RealInput::Click(POINT screen, bool right) {
    return Send({MouseAt(screen, 0),
                 MouseAt(screen, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                 MouseAt(screen, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

bool RealInput::Drag(HWND window, POINT from, POINT to, int steps) {
    if (!Send({MouseAt(from, 0), MouseAt(from, MOUSEEVENTF_LEFTDOWN)})) return false;
    // The moves count only once the window's own loop has taken the pointer.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const bool taken = TallymaxApp::WaitUntil(
        [&] { return GetGUIThreadInfo(thread, &info) && info.hwndCapture == window; });
    std::vector<INPUT> inputs;
    for (int step = 1; step <= steps; ++step)
        inputs.push_back(MouseAt(
            {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps}, 0));
    inputs.push_back(MouseAt(to, MOUSEEVENTF_LEFTUP));
    return Send(inputs) && taken;
}

void RealInput::Chord(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < keys.size() * 2; ++i) {
        const bool up = i >= keys.size();
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = keys[up ? keys.size() * 2 - 1 - i : i];
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    }
    Send(inputs);
}
