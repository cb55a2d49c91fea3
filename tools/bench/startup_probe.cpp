// Starts a program many times and reports the median time from process start until
// its window is visible and it waits for input (so its first paint has run).
// Usage: startup_probe.exe <exe> <window class> <runs>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct Find {
    DWORD pid;
    const char* cls;
    HWND found;
};

static BOOL CALLBACK FindProc(HWND h, LPARAM p) {
    auto* f = reinterpret_cast<Find*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[128] = "";
    GetClassNameA(h, cls, sizeof cls);
    if (pid == f->pid && strcmp(cls, f->cls) == 0 && IsWindowVisible(h)) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    std::string exe = argv[1];
    int runs = atoi(argv[3]);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOA si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        std::string cmd = "\"" + exe + "\"";
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                            &pi))
            return 3;
        Find f{pi.dwProcessId, argv[2], nullptr};
        while (!f.found) {
            EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
            if (!f.found) Sleep(1);
        }
        WaitForInputIdle(pi.hProcess, 10000);
        RedrawWindow(f.found, nullptr, nullptr, RDW_UPDATENOW);
        QueryPerformanceCounter(&t1);
        ms.push_back(1000.0 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart);
        PostMessageA(f.found, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    std::sort(ms.begin(), ms.end());
    printf("%s: median %.1f ms, min %.1f ms, max %.1f ms over %d runs\n", argv[2],
           ms[ms.size() / 2], ms.front(), ms.back(), runs);
    return 0;
}
