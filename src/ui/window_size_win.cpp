#include "ui/window_size_win.h"

int OuterHeightForClient(DWORD style, DWORD exStyle, bool hasMenu, int clientHeight) {
    RECT r = {0, 0, 100, clientHeight};
    AdjustWindowRectEx(&r, style, hasMenu ? TRUE : FALSE, exStyle);
    return r.bottom - r.top;
}

void SizeWindowToClient(HWND window, int outerWidth, int clientHeight) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    int height = OuterHeightForClient(style, exStyle, GetMenu(window) != nullptr, clientHeight);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(window, nullptr, 0, 0, outerWidth, height, flags);
    // The metrics assume a menu bar of one line; a narrow window may wrap it.
    RECT client;
    if (!IsIconic(window) && GetClientRect(window, &client) && client.bottom != clientHeight) {
        height += clientHeight - client.bottom;
        SetWindowPos(window, nullptr, 0, 0, outerWidth, height, flags);
    }
}
