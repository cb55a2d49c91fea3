// Starts programs in turn, many times, and reports for each the median time from
// process start until its window is visible and it waits for input (so its first paint
// has run). The runs are interleaved, so that a noisy machine slows all alike.
// Usage: startup_probe.exe <runs> <exe> <window class> [<exe> <window class> ...]
// With <runs> 0 it prints the number of child windows of the first program's window.
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

static BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

// One start: milliseconds to the painted window, or -1; `children` gets its child count.
static double TimeStart(const std::string& exe, const char* cls, int* children) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    std::string cmd = "\"" + exe + "\"";
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    Find f{pi.dwProcessId, cls, nullptr};
    while (!f.found) {
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
        if (!f.found) Sleep(1);
    }
    WaitForInputIdle(pi.hProcess, 10000);
    RedrawWindow(f.found, nullptr, nullptr, RDW_UPDATENOW);
    QueryPerformanceCounter(&t1);
    if (children) {
        *children = 0;
        EnumChildWindows(f.found, CountChild, reinterpret_cast<LPARAM>(children));
    }
    PostMessageA(f.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return 1000.0 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart;
}

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0) return 2;
    int runs = atoi(argv[1]);
    int programs = (argc - 2) / 2;
    if (runs == 0) {
        int children = 0;
        if (TimeStart(argv[2], argv[3], &children) < 0) return 3;
        printf("%d\n", children);
        return 0;
    }
    std::vector<std::vector<double>> ms(programs);
    for (int p = 0; p < programs; ++p) TimeStart(argv[2 + 2 * p], argv[3 + 2 * p], nullptr);
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < programs; ++p) {
            double t = TimeStart(argv[2 + 2 * p], argv[3 + 2 * p], nullptr);
            if (t < 0) return 3;
            ms[p].push_back(t);
        }
    for (int p = 0; p < programs; ++p) {
        std::vector<double>& m = ms[p];
        std::sort(m.begin(), m.end());
        printf("%s: median %.1f ms, min %.1f ms, max %.1f ms over %d runs\n", argv[3 + 2 * p],
               m[m.size() / 2], m.front(), m.back(), runs);
    }
    return 0;
}
