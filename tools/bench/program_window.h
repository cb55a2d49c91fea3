// Shared by the probes: starting a program under measurement, finding its window by
// process and class, and ending it.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

struct WindowSearch {
    DWORD pid;
    const char* cls;
    bool (*accept)(HWND);
    HWND found;
};

inline BOOL CALLBACK AcceptWindowOf(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[128] = "";
    GetClassNameA(h, cls, sizeof cls);
    if (pid == s->pid && strcmp(cls, s->cls) == 0 && IsWindowVisible(h) &&
        (!s->accept || s->accept(h))) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of process `pid` of class `cls` that `accept` (when
// given) takes, or nullptr.
inline HWND FindProgramWindow(DWORD pid, const char* cls, bool (*accept)(HWND) = nullptr) {
    WindowSearch s{pid, cls, accept, nullptr};
    EnumWindows(AcceptWindowOf, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The same, looked for every millisecond, `tries` times at most.
inline HWND WaitForProgramWindow(DWORD pid, const char* cls, int tries,
                                 bool (*accept)(HWND) = nullptr) {
    HWND found = nullptr;
    for (int i = 0; i < tries && !(found = FindProgramWindow(pid, cls, accept)); ++i) Sleep(1);
    return found;
}

// Starts `exe` with no arguments in `folder` (nullptr: this probe's own).
inline bool StartProgram(const std::string& exe, const char* folder, PROCESS_INFORMATION* pi) {
    STARTUPINFOA si = {sizeof si};
    std::string cmd = "\"" + exe + "\"";
    return CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                          pi) != 0;
}

// Closes `window` (when there is one), waits `ms` at most for the program to end, and
// ends it if it has not.
inline void CloseProgram(const PROCESS_INFORMATION& pi, HWND window, DWORD ms) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}
