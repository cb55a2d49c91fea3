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

#include "program_window.h"

static BOOL CALLBACK CountChild(HWND, LPARAM p) {
    ++*reinterpret_cast<int*>(p);
    return TRUE;
}

// One start: milliseconds to the painted window, or -1; `children` gets its child count.
static double TimeStart(const std::string& exe, const char* cls, int* children) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    PROCESS_INFORMATION pi = {};
    QueryPerformanceCounter(&t0);
    if (!StartProgram(exe, nullptr, &pi)) return -1;
    HWND found;
    while (!(found = FindProgramWindow(pi.dwProcessId, cls))) Sleep(1);
    WaitForInputIdle(pi.hProcess, 10000);
    RedrawWindow(found, nullptr, nullptr, RDW_UPDATENOW);
    QueryPerformanceCounter(&t1);
    if (children) {
        *children = 0;
        EnumChildWindows(found, CountChild, reinterpret_cast<LPARAM>(children));
    }
    CloseProgram(pi, found, 5000);
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
