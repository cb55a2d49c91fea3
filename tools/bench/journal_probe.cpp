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

#include "program_window.h"

// The main window is found once its last control exists: its creation has run through.
static bool HasAllControls(HWND main) {
    return GetDlgItem(main, 1017) != nullptr;
}

// Microseconds per line for `lines` presses of "Feed", or -1.
static double TimeLines(const std::string& exe, int lines) {
    std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    DeleteFileA((folder + "Tallymax.tape").c_str());
    PROCESS_INFORMATION pi = {};
    if (!StartProgram(exe, folder.c_str(), &pi)) return -1;
    HWND main =
        WaitForProgramWindow(pi.dwProcessId, "FORM_TALLYMAX_FORM1_CLASS", 20000, HasAllControls);
    double us = -1;
    if (main) {
        WaitForInputIdle(pi.hProcess, 10000);
        HWND feed = GetDlgItem(main, 1034);
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < lines; ++i)
            SendMessageA(main, WM_COMMAND, MAKEWPARAM(1034, BN_CLICKED),
                         reinterpret_cast<LPARAM>(feed));
        QueryPerformanceCounter(&t1);
        us = 1e6 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart / lines;
    }
    CloseProgram(pi, main, 10000);
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
