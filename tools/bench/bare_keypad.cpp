// A second yardstick for start-up time: the minimal window with as many bare child
// windows as Tallymax's main window has (BARE_CHILDREN, default 48) that only fill
// themselves. Under Wine each child window costs
// far more than on Windows, so this shows how much of Tallymax's start-up is the
// platform's per-window cost rather than its own work.
#include <windows.h>

#include <cstdlib>

#include "yardstick_window.h"

static LRESULT CALLBACK KeyProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT r;
        GetClientRect(h, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(h, &ps);
        return 0;
    }
    if (m == WM_ERASEBKGND) return 1;
    return DefWindowProcA(h, m, w, l);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    WNDCLASSA key = {};
    key.lpfnWndProc = KeyProc;
    key.hInstance = inst;
    key.hCursor = LoadCursor(nullptr, IDC_ARROW);
    key.lpszClassName = "BareKey";
    RegisterClassA(&key);
    HWND h = CreateYardstickWindow(inst, "BareKeypadWindow", "Bare keypad");
    const char* count = getenv("BARE_CHILDREN");
    int children = count ? atoi(count) : 48;
    for (int i = 0; i < children; ++i)
        CreateWindowA("BareKey", "", WS_CHILD | WS_VISIBLE, 12 + (i % 16) * 30, 8 + (i / 16) * 28, 28, 24,
                      h, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), inst, nullptr);
    return ShowAndRun(h);
}
