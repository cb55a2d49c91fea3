// The main window of the start-up yardsticks: the least a Win32 program with one
// window does, so that whatever a yardstick adds to it is all it measures.
#pragma once

#include <windows.h>

inline LRESULT CALLBACK YardstickProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, m, w, l);
}

// Registers the class `cls` and creates its window, not shown yet.
inline HWND CreateYardstickWindow(HINSTANCE inst, const char* cls, const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = YardstickProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowA(cls, title, WS_OVERLAPPEDWINDOW, 100, 100, 513, 344, nullptr, nullptr,
                         inst, nullptr);
}

// Shows and paints the window, then runs until it is closed.
inline int ShowAndRun(HWND h) {
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
