#include "ui/overflow_tips_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "tape/tape_accessible_win.h"
#include "tape/tape_draw_win.h"
#include "ui/window_kit_win.h"

namespace {

struct TipWindow {
    HWND tip = nullptr;
    int users = 0;
    std::string text;  // the text handed out last; the tooltip copies it
    std::wstring wideText;
};
TipWindow g_tips;

// The tape's tip: one tape list in the program.
struct TapeTip {
    int hoverItem = -1;
};
TapeTip g_tape;

// The controls are subclassed through their window procedure, the previous one kept
// in the control's user data (statics and list boxes leave it unused). The common
// controls' subclassing would look up a window property on every message, which
// under Wine is a round trip to the server: loading a long tape file then slowed
// thirty-fold. The procedures are Unicode ones, as the controls' own are, so that
// no message is converted on its way through them.
LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return previous ? CallWindowProcW(previous, hwnd, msg, wp, lp)
                    : DefWindowProcW(hwnd, msg, wp, lp);
}

bool Subclass(HWND control, WNDPROC proc) {
    if (!control || GetWindowLongPtrW(control, GWLP_USERDATA) != 0) return false;
    LONG_PTR previous = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    if (!previous) return false;
    SetWindowLongPtrW(control, GWLP_USERDATA, previous);
    return true;
}

void Unsubclass(HWND control) {
    LONG_PTR previous = GetWindowLongPtrW(control, GWLP_USERDATA);
    if (previous) SetWindowLongPtrW(control, GWLP_WNDPROC, previous);
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
}

// Hands the mouse messages to the tooltip, which then shows and hides itself.
void Relay(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if ((msg < WM_MOUSEFIRST || msg > WM_MOUSELAST) || !g_tips.tip) return;
    MSG m = {};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wp;
    m.lParam = lp;
    SendMessageA(g_tips.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

std::string WindowTextOf(HWND h) {
    int n = GetWindowTextLengthA(h);
    if (n <= 0) return std::string();
    std::vector<char> buf(static_cast<size_t>(n) + 1, '\0');
    int got = GetWindowTextA(h, buf.data(), n + 1);
    return std::string(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

int TextWidth(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    if (!dc) return 0;
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

std::string TapeLineText(HWND tape, int index) {
    return ListItemText(tape, index);
}

// The tooltip asks the tool's window for its text each time it is about to show;
// an empty text keeps it hidden. It may ask in either character set.
LRESULT AnswerTextRequest(LPARAM lp, const std::string& text) {
    auto* header = reinterpret_cast<NMHDR*>(lp);
    g_tips.text = text;
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lp);
        info->lpszText = const_cast<char*>(g_tips.text.c_str());
        info->szText[0] = '\0';
        info->hinst = nullptr;
    } else {
        g_tips.wideText = WideText(text);
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
        info->lpszText = const_cast<wchar_t*>(g_tips.wideText.c_str());
        info->szText[0] = L'\0';
        info->hinst = nullptr;
    }
    return 0;
}

bool IsTextRequest(UINT msg, LPARAM lp) {
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lp);
    return header->hwndFrom == g_tips.tip &&
           (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW);
}

void ReleaseTipWindow() {
    if (--g_tips.users == 0 && g_tips.tip) {
        DestroyWindow(g_tips.tip);
        g_tips.tip = nullptr;
    }
}

bool AddTool(HWND control) {
    if (!g_tips.tip || !control) return false;
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;  // the control relays its mouse messages itself
    info.hwnd = control;         // the control answers for its own text
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = LPSTR_TEXTCALLBACKA;
    if (!SendMessageA(g_tips.tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) return false;
    ++g_tips.users;
    return true;
}

LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFYFORMAT && lp == NF_QUERY) return NFR_ANSI;
    Relay(hwnd, msg, wp, lp);
    if (IsTextRequest(msg, lp)) {
        std::string text = WindowTextOf(hwnd);
        RECT client;
        GetClientRect(hwnd, &client);
        return AnswerTextRequest(lp, TextWidth(hwnd, text) > client.right ? text : std::string());
    }
    if (msg == WM_NCDESTROY) {
        LRESULT result = CallPrevious(hwnd, msg, wp, lp);
        Unsubclass(hwnd);
        ReleaseTipWindow();
        return result;
    }
    return CallPrevious(hwnd, msg, wp, lp);
}

// The tape's one subclass procedure: it also answers for the tape's accessible object.
LRESULT CALLBACK TapeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NOTIFYFORMAT && lp == NF_QUERY) return NFR_ANSI;
    if (msg == WM_GETOBJECT)
        if (LRESULT answer = AnswerTapeObjectQuery(hwnd, wp, lp)) return answer;
    if (msg == WM_MOUSEMOVE) {
        int item = TapeLineAt(hwnd, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (item != g_tape.hoverItem) {
            // Another line: the shown tip belongs to the old one. The tooltip asks
            // again for the new line's text after its usual delay.
            g_tape.hoverItem = item;
            SendMessageA(g_tips.tip, TTM_POP, 0, 0);
        }
    } else if (msg == WM_VSCROLL || msg == WM_MOUSEWHEEL) {
        g_tape.hoverItem = -1;
        SendMessageA(g_tips.tip, TTM_POP, 0, 0);
    }
    Relay(hwnd, msg, wp, lp);
    if (IsTextRequest(msg, lp)) {
        std::string line = g_tape.hoverItem >= 0 ? TapeLineText(hwnd, g_tape.hoverItem) : "";
        bool cut = TextWidth(hwnd, line) > TapeTextRightOf(hwnd);
        return AnswerTextRequest(lp, cut ? line : std::string());
    }
    if (msg == WM_NCDESTROY) {
        LRESULT result = CallPrevious(hwnd, msg, wp, lp);
        Unsubclass(hwnd);
        ReleaseTipWindow();
        return result;
    }
    return CallPrevious(hwnd, msg, wp, lp);
}

}  // namespace

void CreateOverflowTips() {
    if (g_tips.tip) return;
    // Not owned by the main window, like the buttons' tooltip: Wine leaves a window
    // with owned popups out of the topmost band.
    g_tips.tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    g_tips.users = 0;
}

void AttachFieldOverflowTip(HWND field) {
    if (!Subclass(field, FieldProc)) return;
    if (!AddTool(field)) Unsubclass(field);
}

void AttachTapeLineTips(HWND tape) {
    g_tape.hoverItem = -1;
    if (!Subclass(tape, TapeProc)) return;
    if (!AddTool(tape)) Unsubclass(tape);
}
