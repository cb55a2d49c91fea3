#include "ui/themed_button_win.h"

#include <new>
#include <string>

#include "ui/button_accessible_win.h"
#include "ui/window_kit_win.h"

namespace {

const char kHotProperty[] = "HOT";

// BM_GETSTATE's hot bit; the common-controls header defines it, user32's does not.
const LRESULT kStateHot = 0x0200;

// Push-button part of the visual style's "Button" class.
const int kThemePushButton = 1;

// The visual-style functions, looked up at run time so that the program starts
// on systems (and under Wine) where UxTheme.dll is missing or has no theme.
struct VisualStyles {
    using OpenFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HANDLE);
    using DrawFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using ContentFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);
    using FlagFn = BOOL(WINAPI*)();
    using PartialFn = BOOL(WINAPI*)(HANDLE, int, int);
    using ParentFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

    OpenFn open = nullptr;
    CloseFn close = nullptr;
    DrawFn drawBackground = nullptr;
    ContentFn contentRect = nullptr;
    FlagFn isThemeActive = nullptr;
    FlagFn isAppThemed = nullptr;
    PartialFn partlyTransparent = nullptr;
    ParentFn drawParentBackground = nullptr;
};

template <typename Fn>
void Look(HMODULE dll, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

const VisualStyles& Styles() {
    static const VisualStyles styles = [] {
        VisualStyles s;
        // Stays loaded for the life of the process, like the window classes.
        HMODULE dll = LoadLibraryA("UxTheme.dll");
        if (!dll) return s;
        Look(dll, "OpenThemeData", s.open);
        Look(dll, "CloseThemeData", s.close);
        Look(dll, "DrawThemeBackground", s.drawBackground);
        Look(dll, "GetThemeBackgroundContentRect", s.contentRect);
        Look(dll, "IsThemeActive", s.isThemeActive);
        Look(dll, "IsAppThemed", s.isAppThemed);
        Look(dll, "IsThemeBackgroundPartiallyTransparent", s.partlyTransparent);
        Look(dll, "DrawThemeParentBackground", s.drawParentBackground);
        if (!s.open || !s.close || !s.drawBackground || !s.isThemeActive) s = VisualStyles();
        return s;
    }();
    return styles;
}

struct ButtonRecord {
    int pressFlag = 0;         // 4 while held down, else 0
    bool mouseHeld = false;    // left button went down here and is not up yet
    bool mouseInside = false;  // ... and the pointer is over the button
    bool keyHeld = false;      // Space or Enter went down while focused
    bool stateSet = false;     // BM_SETSTATE: shown pressed by someone else
    HFONT font = nullptr;      // the caller's, not deleted here; nullptr: the default GUI font
    HICON image = nullptr;     // own copy
    int imageNativeWidth = 0, imageNativeHeight = 0;
    int imageWidth = 0, imageHeight = 0;  // 0: the native size
    int imagePosition = kImageLeft;
    int imageMargin = 3;
    int textMargin = 0;
    bool toggleStyle = false;
    bool toggleState = false;
    bool themed = false;
    HANDLE theme = nullptr;  // shared by all buttons, see OpenTheme
    unsigned themeGeneration = 0;
};

KeyGroupColors g_groupColors;

bool IsThemedButton(HWND hwnd) {
    char name[32] = "";
    return hwnd && GetClassNameA(hwnd, name, sizeof name) > 0 &&
           lstrcmpiA(name, kThemedButtonClass) == 0;
}

ButtonRecord* RecordOf(HWND hwnd) {
    if (!IsThemedButton(hwnd)) return nullptr;
    return ControlRecord<ButtonRecord>(hwnd);
}

// A hidden button is painted whole when it is shown, so it needs no invalidating:
// this spares the keypad dozens of calls while it is built.
void Repaint(HWND hwnd) {
    if (IsWindowVisible(hwnd)) InvalidateRect(hwnd, nullptr, FALSE);
}

// All buttons draw with one theme handle: opening one per button made the keypad
// slow to build. It stays open for the life of the process; the first button that
// hears of a theme change opens it anew, and the others take the new one.
struct SharedTheme {
    HANDLE handle = nullptr;
    unsigned generation = 0;
    bool opened = false;
};
SharedTheme g_sharedTheme;

void OpenTheme(HWND hwnd, ButtonRecord& r, bool themeChanged = false) {
    const VisualStyles& s = Styles();
    SharedTheme& shared = g_sharedTheme;
    if (!shared.opened || (themeChanged && r.themeGeneration == shared.generation)) {
        if (shared.handle && s.close) s.close(shared.handle);
        shared.handle = nullptr;
        if (s.open && s.isThemeActive() && (!s.isAppThemed || s.isAppThemed()))
            shared.handle = s.open(hwnd, L"Button");
        shared.opened = true;
        ++shared.generation;
    }
    r.theme = shared.handle;
    r.themeGeneration = shared.generation;
    r.themed = r.theme != nullptr;
}

// The pushed look as BM_GETSTATE and accessibility clients report it.
bool ShownPushed(const ButtonRecord& r) {
    return r.pressFlag == 4 || (r.toggleStyle && r.toggleState);
}

void NoteIfPushedChanged(HWND hwnd, const ButtonRecord& r, bool wasPushed) {
    if (ShownPushed(r) != wasPushed) NoteButtonStateChange(hwnd);
}

void UpdatePressFlag(HWND hwnd, ButtonRecord& r) {
    int flag = (r.mouseHeld && r.mouseInside) || r.keyHeld || r.stateSet ? 4 : 0;
    if (flag != r.pressFlag) {
        bool wasPushed = ShownPushed(r);
        r.pressFlag = flag;
        Repaint(hwnd);
        NoteIfPushedChanged(hwnd, r, wasPushed);
    }
}

// The toggle state flips with the click itself rather than with the press, so
// that a press dragged off the button leaves a latched look in step with
// whatever the parent does on clicks.
void Click(HWND hwnd, ButtonRecord& r) {
    if (!IsWindowEnabled(hwnd)) return;
    bool wasPushed = ShownPushed(r);
    r.toggleState = !r.toggleState;
    Repaint(hwnd);
    UpdateWindow(hwnd);
    NoteIfPushedChanged(hwnd, r, wasPushed);
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd) & 0xFFFF, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

void CancelPress(HWND hwnd, ButtonRecord& r) {
    bool hadCapture = r.mouseHeld;
    r.mouseHeld = r.keyHeld = false;
    if (hadCapture && GetCapture() == hwnd) ReleaseCapture();
    UpdatePressFlag(hwnd, r);
}

void MeasureIcon(HICON icon, int& width, int& height) {
    width = height = 0;
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info)) return;
    BITMAP bm;
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight;
    } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bm, &bm)) {
        width = bm.bmWidth;
        height = bm.bmHeight / 2;  // monochrome: AND and XOR masks stacked
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
}

void DrawImage(HDC dc, HICON image, const ButtonBox& box, bool disabled, int nativeWidth,
               int nativeHeight) {
    int w = box.Width(), h = box.Height();
    if (!disabled) {
        DrawIconEx(dc, box.left, box.top, image, w, h, 0, nullptr, DI_NORMAL);
        return;
    }
    // The embossed look only draws an icon at its own size: size a copy first.
    HICON sized = image;
    if (w != nativeWidth || h != nativeHeight)
        sized = static_cast<HICON>(CopyImage(image, IMAGE_ICON, w, h, 0));
    if (!sized) return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(sized), 0, box.left, box.top, w, h,
               DST_ICON | DSS_DISABLED);
    if (sized != image) DestroyIcon(sized);
}

void DrawCaption(HDC dc, const std::string& caption, RECT box, bool disabled) {
    // Unclipped: a caption a little wider than the room may use the button's edge
    // rather than lose its first and last letters.
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        RECT raised = box;
        OffsetRect(&raised, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, caption.c_str(), -1, &raised, format);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    } else {
        SetTextColor(dc, CaptionColor(caption, g_groupColors, GetSysColor(COLOR_BTNTEXT)));
    }
    DrawTextA(dc, caption.c_str(), -1, &box, format);
}

RECT ToRect(const ButtonBox& b) {
    return RECT{b.left, b.top, b.right, b.bottom};
}

void PaintButton(HWND hwnd, ButtonRecord& r, HDC dc) {
    RECT whole;
    GetClientRect(hwnd, &whole);
    ButtonCondition c;
    c.held = r.pressFlag == 4;
    c.enabled = IsWindowEnabled(hwnd) != FALSE;
    c.focused = GetFocus() == hwnd;
    c.hot = GetPropA(hwnd, kHotProperty) != nullptr;
    c.toggleStyle = r.toggleStyle;
    c.toggleState = r.toggleState;
    ButtonDrawState state = ChooseDrawState(c);
    bool disabled = state == kDrawDisabled;

    RECT content = whole, focusBox = whole;
    const VisualStyles& s = Styles();
    if (r.themed) {
        FillRect(dc, &whole, GetSysColorBrush(COLOR_BTNFACE));
        if (s.partlyTransparent && s.drawParentBackground &&
            s.partlyTransparent(r.theme, kThemePushButton, state))
            s.drawParentBackground(hwnd, dc, &whole);
        s.drawBackground(r.theme, dc, kThemePushButton, state, &whole, nullptr);
        if (!s.contentRect ||
            FAILED(s.contentRect(r.theme, dc, kThemePushButton, state, &whole, &content)))
            InflateRect(&content, -3, -3);
        focusBox = content;
        InflateRect(&focusBox, -1, -1);
    } else {
        RECT face = whole;
        if (c.focused) {
            FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&face, -1, -1);
        }
        UINT look = DFCS_BUTTONPUSH | (state == kDrawPressed ? DFCS_PUSHED : 0);
        DrawFrameControl(dc, &face, DFC_BUTTON, look);
        content = face;
        InflateRect(&content, -2, -2);
        focusBox = face;
        InflateRect(&focusBox, -3, -3);
        // the classic pressed look moves the face's contents down and right
        if (state == kDrawPressed) OffsetRect(&content, 1, 1);
    }

    std::string caption = WindowText(hwnd);
    HFONT font = r.font ? r.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldFont = SelectObject(dc, font);
    ButtonLayoutInput in;
    in.content = {content.left, content.top, content.right, content.bottom};
    if (!caption.empty()) {
        RECT extent = {0, 0, 0, 0};
        DrawTextA(dc, caption.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        in.textWidth = extent.right;
        in.textHeight = extent.bottom;
    }
    if (r.image) {
        in.imageWidth = r.imageWidth > 0 ? r.imageWidth : r.imageNativeWidth;
        in.imageHeight = r.imageHeight > 0 ? r.imageHeight : r.imageNativeHeight;
    }
    in.imagePosition = r.imagePosition;
    in.imageMargin = r.imageMargin;
    in.textMargin = r.textMargin;
    ButtonLayout layout = LayOutButton(in);
    if (layout.showImage)
        DrawImage(dc, r.image, layout.image, disabled, r.imageNativeWidth, r.imageNativeHeight);
    if (layout.showText) DrawCaption(dc, caption, ToRect(layout.text), disabled);
    SelectObject(dc, oldFont);

    if (c.focused) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        DrawFocusRect(dc, &focusBox);
    }
}

// Drawn off screen and copied in one go, so hovering over the keypad does not flicker.
void PaintBuffered(HWND hwnd, ButtonRecord& r) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT whole;
    GetClientRect(hwnd, &whole);
    int w = whole.right, h = whole.bottom;
    HDC memory = w > 0 && h > 0 ? CreateCompatibleDC(dc) : nullptr;
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, w, h) : nullptr;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PaintButton(hwnd, r, memory);
        BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    } else if (w > 0 && h > 0) {
        PaintButton(hwnd, r, dc);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

bool PointerInside(HWND hwnd, LPARAM lParam) {
    RECT whole;
    GetClientRect(hwnd, &whole);
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&whole, pt) != FALSE;
}

void SetHot(HWND hwnd, bool hot) {
    bool wasHot = GetPropA(hwnd, kHotProperty) != nullptr;
    if (hot == wasHot) return;
    if (hot) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        SetPropA(hwnd, kHotProperty, reinterpret_cast<HANDLE>(1));
    } else {
        RemovePropA(hwnd, kHotProperty);
    }
    Repaint(hwnd);
}

void ReleaseRecord(HWND hwnd, ButtonRecord* r) {
    RemovePropA(hwnd, kHotProperty);
    DetachControlRecord(hwnd);
    if (!r) return;
    if (r->image) DestroyIcon(r->image);
    delete r;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* r = ControlRecord<ButtonRecord>(hwnd);
    if (msg == WM_CREATE) {
        r = new (std::nothrow) ButtonRecord;
        if (!r) return -1;
        AttachControlRecord(hwnd, r);
        OpenTheme(hwnd, *r);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        ReleaseRecord(hwnd, r);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (!r) return DefWindowProcA(hwnd, msg, wParam, lParam);

    switch (msg) {
        case WM_PAINT:
            PaintBuffered(hwnd, *r);
            return 0;
        case WM_PRINTCLIENT:
            PaintButton(hwnd, *r, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel

        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!PointerInside(hwnd, lParam)) return 0;
            r->mouseHeld = r->mouseInside = true;
            SetCapture(hwnd);
            if (GetFocus() != hwnd) SetFocus(hwnd);
            UpdatePressFlag(hwnd, *r);
            Repaint(hwnd);
            return 0;
        case WM_MOUSEMOVE: {
            bool inside = PointerInside(hwnd, lParam);
            SetHot(hwnd, inside);
            if (r->mouseHeld) {
                r->mouseInside = inside;
                UpdatePressFlag(hwnd, *r);
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            SetHot(hwnd, false);
            return 0;
        case WM_LBUTTONUP: {
            bool wasHeld = r->mouseHeld;
            r->mouseHeld = false;  // before ReleaseCapture: this is no lost capture
            if (GetCapture() == hwnd) ReleaseCapture();
            UpdatePressFlag(hwnd, *r);
            Repaint(hwnd);
            if (wasHeld && PointerInside(hwnd, lParam)) Click(hwnd, *r);
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a menu, a message box): no click.
            if (r->mouseHeld && reinterpret_cast<HWND>(lParam) != hwnd) CancelPress(hwnd, *r);
            return 0;

        case WM_KEYDOWN:
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                r->keyHeld = true;
                UpdatePressFlag(hwnd, *r);
                return 0;
            }
            break;
        case WM_KEYUP:
            if (r->keyHeld) {
                r->keyHeld = false;
                UpdatePressFlag(hwnd, *r);
                Click(hwnd, *r);
                return 0;
            }
            break;
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
            // Enter is the button's own key while it has the focus, not the dialog's.
            auto* queued = reinterpret_cast<const MSG*>(lParam);
            if (queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }

        case WM_SETFOCUS:
            Repaint(hwnd);
            return 0;
        case WM_KILLFOCUS:
            if (r->keyHeld) CancelPress(hwnd, *r);
            Repaint(hwnd);
            return 0;
        case WM_ENABLE:
            if (!wParam) CancelPress(hwnd, *r);
            Repaint(hwnd);
            NoteButtonStateChange(hwnd);
            return 0;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
            Repaint(hwnd);
            if (result) NoteButtonNameChange(hwnd);
            return result;
        }
        case WM_SETFONT:
            TB_XPBUTTON_SETFONT(hwnd, reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(r->font ? r->font : GetStockObject(DEFAULT_GUI_FONT));
        case WM_THEMECHANGED:
            OpenTheme(hwnd, *r, true);
            Repaint(hwnd);
            return 0;
        case WM_SYSCOLORCHANGE:
            Repaint(hwnd);
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageA(GetParent(hwnd), msg, wParam, lParam);

        case BM_CLICK:
            Click(hwnd, *r);
            return 0;
        case BM_SETSTATE:
            r->stateSet = wParam != 0;
            UpdatePressFlag(hwnd, *r);
            return 0;
        case BM_GETSTATE: {
            LRESULT state = r->toggleState ? BST_CHECKED : BST_UNCHECKED;
            if (ShownPushed(*r)) state |= BST_PUSHED;
            if (GetFocus() == hwnd) state |= BST_FOCUS;
            if (GetPropA(hwnd, kHotProperty)) state |= kStateHot;
            return state;
        }
        case BM_GETCHECK:
            return r->toggleState ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK: {
            bool wasPushed = ShownPushed(*r);
            r->toggleState = wParam == BST_CHECKED;
            Repaint(hwnd);
            NoteIfPushedChanged(hwnd, *r, wasPushed);
            return 0;
        }
        case WM_GETOBJECT:
            if (LRESULT answer = AnswerButtonObjectQuery(hwnd, wParam, lParam)) return answer;
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterButtonClass() {
    return RegisterControlClass(kThemedButtonClass, ButtonProc, sizeof(ButtonRecord*));
}

BOOL CALLBACK RepaintIfButton(HWND hwnd, LPARAM) {
    if (IsThemedButton(hwnd)) Repaint(hwnd);
    return TRUE;
}

BOOL CALLBACK RepaintButtonsOf(HWND top, LPARAM) {
    if (!IsWindowVisible(top)) return TRUE;  // its buttons are painted when it is shown
    RepaintIfButton(top, 0);
    EnumChildWindows(top, RepaintIfButton, 0);
    return TRUE;
}

template <typename Change>
void Update(HWND button, Change change) {
    if (ButtonRecord* r = RecordOf(button)) {
        change(*r);
        Repaint(button);
    }
}

}  // namespace

HWND CREATEXPBUTTON(HWND parent, int id, const char* caption, int x, int y, int width, int height,
                    DWORD style, DWORD exStyle) {
    if (!RegisterButtonClass()) return nullptr;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    return CreateWindowExA(exStyle, kThemedButtonClass, caption ? caption : "", style, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           instance, nullptr);
}

void TB_XPBUTTON_SETFONT(HWND button, HFONT font) {
    // Like WM_SETFONT on a standard button: the caller keeps the font alive. A copy
    // per button made every button realise its font anew, which slowed start-up.
    Update(button, [font](ButtonRecord& r) { r.font = font; });
}

void TB_XPBUTTON_SETIMAGE(HWND button, HICON image) {
    Update(button, [image](ButtonRecord& r) {
        HICON copy = image ? CopyIcon(image) : nullptr;
        if (r.image) DestroyIcon(r.image);
        r.image = copy;
        MeasureIcon(copy, r.imageNativeWidth, r.imageNativeHeight);
    });
}

void TB_XPBUTTON_SETIMAGEWIDTH(HWND button, int width) {
    Update(button, [width](ButtonRecord& r) { r.imageWidth = width > 0 ? width : 0; });
}

void TB_XPBUTTON_SETIMAGEHEIGHT(HWND button, int height) {
    Update(button, [height](ButtonRecord& r) { r.imageHeight = height > 0 ? height : 0; });
}

void TB_XPBUTTON_SETIMAGEPOS(HWND button, int position) {
    Update(button, [position](ButtonRecord& r) { r.imagePosition = position; });
}

void TB_XPBUTTON_SETIMAGEMARGIN(HWND button, int margin) {
    Update(button, [margin](ButtonRecord& r) { r.imageMargin = margin > 0 ? margin : 0; });
}

void TB_XPBUTTON_SETTEXTMARGIN(HWND button, int margin) {
    Update(button, [margin](ButtonRecord& r) { r.textMargin = margin > 0 ? margin : 0; });
}

void TB_XPBUTTON_SETTOGGLESTATE(HWND button, int state, int repaint) {
    if (ButtonRecord* r = RecordOf(button)) {
        bool wasPushed = ShownPushed(*r);
        r->toggleState = state != 0;
        if (repaint) Repaint(button);
        NoteIfPushedChanged(button, *r, wasPushed);
    }
}

void TB_XPBUTTON_SETTOGGLE(HWND button, int on, int repaint) {
    if (ButtonRecord* r = RecordOf(button)) {
        bool wasPushed = ShownPushed(*r);
        r->toggleStyle = on != 0;
        if (repaint) Repaint(button);
        NoteIfPushedChanged(button, *r, wasPushed);
    }
}

int TB_XPBUTTON_GETTOGGLESTATE(HWND button) {
    ButtonRecord* r = RecordOf(button);
    return r && r->toggleState ? 1 : 0;
}

void TB_XPBUTTON_SETGROUPCOLOR(int group, COLORREF color) {
    KeyGroupColors colors = g_groupColors;
    if (group == 1)
        colors.group1 = color;
    else if (group == 2)
        colors.group2 = color;
    else if (group == 3)
        colors.group3 = color;
    else
        return;
    SetKeyGroupColors(colors);
}

HWND CreateThemedButton(HWND parent, const ThemedButtonOptions& o) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (o.disabled) style |= WS_DISABLED;
    HWND button = CREATEXPBUTTON(parent, o.id, o.caption, o.x, o.y, o.width, o.height, style,
                                 WS_EX_TRANSPARENT);
    if (!button) return nullptr;
    if (o.font) TB_XPBUTTON_SETFONT(button, o.font);
    TB_XPBUTTON_SETTOGGLE(button, o.toggle, FALSE);
    if (o.icon) {
        TB_XPBUTTON_SETIMAGE(button, o.icon);
        TB_XPBUTTON_SETIMAGEWIDTH(button, o.iconWidth);
        TB_XPBUTTON_SETIMAGEHEIGHT(button, o.iconHeight);
        TB_XPBUTTON_SETIMAGEPOS(button, o.imagePosition);
    }
    return button;
}

void SetKeyGroupColors(const KeyGroupColors& colors) {
    g_groupColors = colors;
    EnumThreadWindows(GetCurrentThreadId(), RepaintButtonsOf, 0);
}

const KeyGroupColors& CurrentKeyGroupColors() {
    return g_groupColors;
}

void SetButtonToggleStyle(HWND button, bool on, bool repaint) {
    TB_XPBUTTON_SETTOGGLE(button, on, repaint);
}

void SetButtonToggleState(HWND button, bool pressed, bool repaint) {
    TB_XPBUTTON_SETTOGGLESTATE(button, pressed, repaint);
}

bool ButtonToggleState(HWND button) {
    return TB_XPBUTTON_GETTOGGLESTATE(button) != 0;
}
