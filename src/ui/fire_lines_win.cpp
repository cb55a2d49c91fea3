#include "ui/fire_lines_win.h"

#include <new>

#include "ui/window_kit_win.h"

namespace {

struct LinesRecord {
    bool lineMode = true;
    bool vertical = false;
    bool penColorSet = false;
    COLORREF penColor = 0;
    int penWidth = 1;
    int penStyle = 0;
    int rounding = 0;
    bool fill = true;
    bool fillColorSet = false;  // until set, the fill follows the system colours
    COLORREF fillColor = 0;
    bool mouseHeld = false;
};

// Lets the parent paint the control's area, for the unfilled looks.
void PaintParentBackground(HWND hwnd, HDC dc, const RECT& whole) {
    FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNFACE));
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    POINT origin = {0, 0};
    MapWindowPoints(hwnd, parent, &origin, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

HPEN CreateLinePen(const LinesRecord& r, COLORREF color) {
    int width = r.penWidth > 0 ? r.penWidth : 1;
    DWORD dash = r.penStyle == 1 ? PS_DASH : r.penStyle == 2 ? PS_DOT : PS_SOLID;
    // Thin dashes and dots only come out right with a cosmetic pen.
    if (width == 1 && dash != PS_SOLID) return CreatePen(dash, 1, color);
    LOGBRUSH brush = {BS_SOLID, color, 0};
    DWORD style = PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER;
    style |= dash == PS_SOLID ? PS_INSIDEFRAME : dash;
    return ExtCreatePen(style, width, &brush, 0, nullptr);
}

void PaintLines(HWND hwnd, const LinesRecord& r, HDC dc) {
    RECT whole;
    GetClientRect(hwnd, &whole);
    COLORREF fillColor = r.fillColorSet ? r.fillColor : GetSysColor(COLOR_BTNFACE);
    COLORREF penColor = r.penColorSet ? r.penColor : GetSysColor(COLOR_3DSHADOW);
    if (r.lineMode && r.fill) {
        HBRUSH brush = CreateSolidBrush(fillColor);
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
    } else {
        PaintParentBackground(hwnd, dc, whole);
    }
    HPEN pen = CreateLinePen(r, penColor);
    if (!pen) return;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    int width = r.penWidth > 0 ? r.penWidth : 1;
    if (r.lineMode) {
        int middle = width / 2;
        if (r.vertical) {
            MoveToEx(dc, middle, 0, nullptr);
            LineTo(dc, middle, whole.bottom);
        } else {
            MoveToEx(dc, 0, middle, nullptr);
            LineTo(dc, whole.right, middle);
        }
    } else {
        HBRUSH brush = r.fill ? CreateSolidBrush(fillColor) : nullptr;
        HGDIOBJ oldBrush = SelectObject(dc, brush ? brush : GetStockObject(NULL_BRUSH));
        RECT frame = whole;
        // Only the solid pen keeps inside the frame by itself.
        if (r.penStyle != 0) InflateRect(&frame, -(width / 2), -(width / 2));
        RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, r.rounding, r.rounding);
        SelectObject(dc, oldBrush);
        if (brush) DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

bool SetLook(LinesRecord& r, UINT msg, WPARAM value) {
    switch (msg) {
        case kFireLinesSetLineMode:
            r.lineMode = value != 0;
            return true;
        case kFireLinesSetDirection:
            r.vertical = value != 0;
            return true;
        case kFireLinesSetPenColor:
            r.penColor = static_cast<COLORREF>(value);
            r.penColorSet = true;
            return true;
        case kFireLinesSetPenWidth:
            // a sane width: the value comes from callers, not from a fixed table
            r.penWidth = value < 1 ? 1 : value > 64 ? 64 : static_cast<int>(value);
            return true;
        case kFireLinesSetPenStyle:
            r.penStyle = value <= 2 ? static_cast<int>(value) : 0;
            return true;
        case kFireLinesSetRounding:
            r.rounding = value <= 1000 ? static_cast<int>(value) : 1000;
            return true;
        case kFireLinesSetFill:
            r.fill = value != 0;
            return true;
        case kFireLinesSetFillColor:
            r.fillColor = static_cast<COLORREF>(value);
            r.fillColorSet = true;
            return true;
    }
    return false;
}

LRESULT CALLBACK LinesProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* r = ControlRecord<LinesRecord>(hwnd);
    if (msg == WM_CREATE) {
        r = new (std::nothrow) LinesRecord;
        if (!r) return -1;
        AttachControlRecord(hwnd, r);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        DetachControlRecord(hwnd);
        delete r;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (!r) return DefWindowProcA(hwnd, msg, wParam, lParam);

    if (SetLook(*r, msg, wParam)) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    }
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            PaintLines(hwnd, *r, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintLines(hwnd, *r, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            r->mouseHeld = true;
            SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP: {
            bool wasHeld = r->mouseHeld;
            r->mouseHeld = false;
            if (GetCapture() == hwnd) ReleaseCapture();
            RECT whole;
            GetClientRect(hwnd, &whole);
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (wasHeld && PtInRect(&whole, pt) && IsWindowEnabled(hwnd))
                SendMessageA(GetParent(hwnd), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(hwnd) & 0xFFFF, BN_CLICKED),
                             reinterpret_cast<LPARAM>(hwnd));
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) r->mouseHeld = false;
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterLinesClass() {
    return RegisterControlClass(kFireLinesClass, LinesProc, sizeof(LinesRecord*));
}

}  // namespace

HWND FIRELINES(HWND parent, int id, int x, int y, int width, int height) {
    if (!RegisterLinesClass()) return nullptr;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    return CreateWindowExA(0, kFireLinesClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, nullptr);
}

HWND CreateSeparatorLine(HWND parent, int id, int x, int y, int width, int height,
                         COLORREF penColor, COLORREF fillColor) {
    HWND line = FIRELINES(parent, id, x, y, width, height);
    if (!line) return nullptr;
    SendMessageA(line, kFireLinesSetLineMode, 1, 0);
    SendMessageA(line, kFireLinesSetDirection, 0, 0);
    SendMessageA(line, kFireLinesSetPenColor, penColor, 0);
    SendMessageA(line, kFireLinesSetFill, 1, 0);
    SendMessageA(line, kFireLinesSetFillColor, fillColor, 0);
    return line;
}
