// Times tape lines added one by one through the "Feed" key of running tallymax.exe
// copies, in interleaved rounds, and reports the median time per line of each.
// Each round starts the program afresh in its own folder with no journal there.
// Usage: journal_probe.exe <rounds> <lines> <exe> [<exe> ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct Find {
    DWORD pid;
    HWND found;
};

static BOOL CALLBACK FindProc(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Find*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[128] = "";
    GetClassNameA(h, cls, sizeof cls);
    if (pid == f->pid && strcmp(cls, "FORM_TALLYMAX_FORM1_CLASS") == 0 && IsWindowVisible(h) &&
        GetDlgItem(h, 1017)) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

// Microseconds per line for `lines` presses of "Feed", or -1.
static double TimeLines(const std::string& exe, int lines) {
    std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    DeleteFileA((folder + "Tallymax.tape").c_str());
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &si, &pi))
        return -1;
    Find f{pi.dwProcessId, nullptr};
    for (int i = 0; i < 20000 && !f.found; ++i) {
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
        if (!f.found) Sleep(1);
    }
    double us = -1;
    if (f.found) {
        WaitForInputIdle(pi.hProcess, 10000);
        HWND feed = GetDlgItem(f.found, 1034);
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < lines; ++i)
            SendMessageA(f.found, WM_COMMAND, MAKEWPARAM(1034, BN_CLICKED),
                         reinterpret_cast<LPARAM>(feed));
        QueryPerformanceCounter(&t1);
        us = 1e6 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart / lines;
        PostMessageA(f.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return us;
}

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    int rounds = atoi(argv[1]), lines = atoi(argv[2]);
    int programs = argc - 3;
    std::vector<std::vector<double>> us(programs);
    for (int r = 0; r < rounds; ++r)
        for (int p = 0; p < programs; ++p) {
            double t = TimeLines(argv[3 + p], lines);
            if (t < 0) return 3;
            us[p].push_back(t);
        }
    for (int p = 0; p < programs; ++p) {
        std::vector<double>& m = us[p];
        std::sort(m.begin(), m.end());
        printf("%s: median %.1f us per line, min %.1f, max %.1f over %d rounds of %d lines\n",
               argv[3 + p], m[m.size() / 2], m.front(), m.back(), rounds, lines);
    }
    return 0;
}
