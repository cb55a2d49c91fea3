#include "ui/keyboard_win.h"

#include "ui/app_win.h"
#include "ui/key_map.h"
#include "ui/status_bar_win.h"

namespace {

// Follows Shift and Ctrl as seen by the main window's controls only; a key released
// while another window has the focus leaves its flag set until its next key-up here.
KeyboardFlags g_flags;

// Keys typed into the tool windows are theirs; only the main window's own controls
// (the hidden input sink above all) are mapped.
bool IsMainWindowControl(HWND target) {
    HWND main = MainWindow();
    if (!main || !target || target == main) return false;
    if (!(GetWindowLongA(target, GWL_STYLE) & WS_CHILD)) return false;
    return GetAncestor(target, GA_PARENT) == main;
}

// Through the button's pushed state (BM_SETSTATE) rather than its toggle latch: the
// look is the same, but a held key then leaves the latch of "[O]" and "2nd" alone,
// and a mouse click on the key meanwhile does not undo the pressed look.
void ShowButtonPressed(int id, bool pressed) {
    if (id == 0) return;
    if (HWND button = GetDlgItem(MainWindow(), id)) {
        SendMessageA(button, BM_SETSTATE, pressed ? TRUE : FALSE, 0);
    }
}

}  // namespace

bool HandleKeyMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
    if (!IsMainWindowControl(msg.hwnd)) return false;

    const KeyEvent event = msg.message == WM_KEYDOWN ? KeyEvent::Down : KeyEvent::Up;
    const KeyContext context{TheCalculator().state.numberMode, LaptopMapOn()};
    const KeyAction action = MapKey(event, static_cast<int>(msg.wParam), g_flags, context);
    if (!action.matched) return false;

    ShowButtonPressed(action.pressButton, true);
    for (int id : action.releaseButtons) ShowButtonPressed(id, false);
    if (action.command != 0) DispatchCommand(action.command, BN_CLICKED);
    if (action.updateNumLockField) UpdateNumLockField();
    if (action.returnFocus) ReturnFocus();
    return false;
}
