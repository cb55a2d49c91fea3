// ThemedButton: the keypad's push-button control (window class "TB_XPBUTTON").
// It draws with the visual style when one is active and with the classic 3-D look
// otherwise, colours its caption by key group, can latch as a toggle button and
// can show an icon. Clicks reach the parent as WM_COMMAND / BN_CLICKED with the
// button as sender, like a standard button; BM_CLICK, BM_SETSTATE, BM_GETSTATE,
// BM_GETCHECK and BM_SETCHECK behave as they do on one.
//
// The button uses the font it is given as a standard button does: the caller keeps
// it alive while the button exists. It keeps its own copy of an icon, which goes
// with the button window.
#pragma once

#include <windows.h>

#include "ui/button_look.h"

inline constexpr char kThemedButtonClass[] = "TB_XPBUTTON";

struct ThemedButtonOptions {
    int id = 0;
    const char* caption = "";  // Windows-1252; decides the key-group colour
    int x = 0, y = 0, width = 28, height = 24;
    HFONT font = nullptr;  // nullptr: the platform's default GUI font
    bool toggle = false;   // toggle style: the toggle state shows as a latched press
    bool disabled = false;
    HICON icon = nullptr;
    int iconWidth = 0, iconHeight = 0;  // 0: the icon's own size
    int imagePosition = kImageLeft;     // see ImagePosition
};

// The child button, or nullptr when the class cannot be registered or the window
// cannot be created. Style: child, visible, clip-siblings, clip-children (and
// disabled when asked); transparent extended style, as the main window's keypad
// uses them.
HWND CreateThemedButton(HWND parent, const ThemedButtonOptions& options);

// Sets the caption colours of the three configurable key groups and repaints
// every themed button of this thread. Process-wide; defaults blue, red, magenta.
void SetKeyGroupColors(const KeyGroupColors& colors);
const KeyGroupColors& CurrentKeyGroupColors();

void SetButtonToggleStyle(HWND button, bool on, bool repaint);
void SetButtonToggleState(HWND button, bool pressed, bool repaint);
bool ButtonToggleState(HWND button);

// Exported interface of the control, as other modules and tools address it.
extern "C" {
__declspec(dllexport) HWND CREATEXPBUTTON(HWND parent, int id, const char* caption, int x, int y,
                                          int width, int height, DWORD style, DWORD exStyle);
__declspec(dllexport) void TB_XPBUTTON_SETFONT(HWND button, HFONT font);
__declspec(dllexport) void TB_XPBUTTON_SETIMAGE(HWND button, HICON image);
__declspec(dllexport) void TB_XPBUTTON_SETIMAGEWIDTH(HWND button, int width);
__declspec(dllexport) void TB_XPBUTTON_SETIMAGEHEIGHT(HWND button, int height);
__declspec(dllexport) void TB_XPBUTTON_SETIMAGEPOS(HWND button, int position);
__declspec(dllexport) void TB_XPBUTTON_SETIMAGEMARGIN(HWND button, int margin);
__declspec(dllexport) void TB_XPBUTTON_SETTEXTMARGIN(HWND button, int margin);
__declspec(dllexport) void TB_XPBUTTON_SETTOGGLESTATE(HWND button, int state, int repaint);
__declspec(dllexport) void TB_XPBUTTON_SETTOGGLE(HWND button, int on, int repaint);
__declspec(dllexport) int TB_XPBUTTON_GETTOGGLESTATE(HWND button);
// group 1..3; other groups are ignored (group 4 is fixed brown)
__declspec(dllexport) void TB_XPBUTTON_SETGROUPCOLOR(int group, COLORREF color);
}
