#include "tape/tape_draw_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "tape/tape.h"
#include "ui/control_ids.h"
#include "ui/window_kit_win.h"

namespace {
// The program's own lines are far shorter; a longer line is drawn cut.
constexpr std::size_t kMaxDrawnChars = 255;
}  // namespace

COLORREF TapeLineColor(const char* line) {
    switch (TapeLineInk(line)) {
        case TapeInk::Red:
            return RGB(255, 0, 0);
        case TapeInk::Blue:
            return RGB(0, 0, 255);
        default:
            return GetSysColor(COLOR_WINDOWTEXT);
    }
}

void DrawTapeLine(const DRAWITEMSTRUCT& d) {
    if (d.CtlID != kIdTape || d.itemID == static_cast<UINT>(-1)) return;
    HDC dc = d.hDC;
    if (d.itemAction == ODA_DRAWENTIRE || d.itemAction == ODA_SELECT) {
        std::string text = ListItemText(d.hwndItem, static_cast<int>(d.itemID));
        if (text.size() > kMaxDrawnChars) text.resize(kMaxDrawnChars);
        COLORREF back, ink;
        if (d.itemState & ODS_SELECTED) {
            back = GetSysColor(COLOR_HIGHLIGHT);
            ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
            FillRect(dc, &d.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
        } else {
            back = GetSysColor(COLOR_WINDOW);
            ink = TapeLineColor(text.c_str());
            FillRect(dc, &d.rcItem, GetSysColorBrush(COLOR_WINDOW));
        }
        SetBkColor(dc, back);
        SetTextColor(dc, ink);
        UINT oldAlign = SetTextAlign(dc, TA_RIGHT);
        TextOutA(dc, d.rcItem.left + TapeTextRightOf(d.hwndItem), d.rcItem.top + 2, text.c_str(),
                 static_cast<int>(text.size()));
        SetTextAlign(dc, oldAlign);
    } else if (d.itemAction == ODA_FOCUS) {
        DrawFocusRect(dc, &d.rcItem);
    }
}

UINT TapeItemHeight(HWND owner, HFONT font) {
    HDC dc = GetDC(owner);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(owner, dc);
    return static_cast<UINT>(tm.tmHeight + 2);
}

int TapeTextRightOf(HWND list) {
    RECT r{};
    if (!GetWindowRect(list, &r)) return kTapeTextRight;
    return Scaled(kTapeTextRight) +
           std::max(0, static_cast<int>(r.right - r.left) - Scaled(kTapeListWidth));
}

int TapeLineAt(HWND tape, POINT client) {
    RECT area;
    GetClientRect(tape, &area);
    if (!PtInRect(&area, client)) return -1;
    LRESULT top = SendMessageA(tape, LB_GETTOPINDEX, 0, 0);
    LRESULT height = SendMessageA(tape, LB_GETITEMHEIGHT, 0, 0);
    LRESULT count = SendMessageA(tape, LB_GETCOUNT, 0, 0);
    if (top < 0 || height <= 0 || count <= 0) return -1;
    LRESULT index = top + client.y / height;
    if (index >= count) return -1;
    RECT item;
    if (SendMessageA(tape, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
        !PtInRect(&item, client))
        return -1;
    return static_cast<int>(index);
}
