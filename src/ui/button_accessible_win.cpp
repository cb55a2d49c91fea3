#include "ui/button_accessible_win.h"

#include <new>
#include <string>

#include "ui/accessible_object_win.h"
#include "ui/caption_mnemonics.h"
#include "ui/window_kit_win.h"

namespace {

// BM_GETSTATE's bit for the pointer over the button (the common controls' BST_HOT).
const LRESULT kStateHot = 0x0200;

// The caption as it is read out.
std::wstring SpokenCaption(HWND button) {
    return WideText(CaptionWithoutMnemonics(WindowText(button)));
}

// Wraps the platform's standard object for the button's client area and answers what
// a push button answers differently: its name, role, state and default action.
class ButtonAccessible final : public AccessibleOverStandard {
  public:
    using AccessibleOverStandard::AccessibleOverStandard;

    // The answers of a push button.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return Standard()->get_accName(child, name);
        if (!IsWindow(Window())) return CO_E_OBJNOTCONNECTED;
        return GiveText(SpokenCaption(Window()), name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return Standard()->get_accRole(child, role);
        return GiveNumber(ROLE_SYSTEM_PUSHBUTTON, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child)) return Standard()->get_accState(child, state);
        if (!IsWindow(Window())) return CO_E_OBJNOTCONNECTED;
        // Visibility and the like come from the standard object; what a button shows
        // of itself is decided here.
        LONG bits = 0;
        VARIANT standard;
        VariantInit(&standard);
        if (SUCCEEDED(Standard()->get_accState(child, &standard)) && standard.vt == VT_I4)
            bits = standard.lVal;
        bits &= ~(STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED |
                  STATE_SYSTEM_PRESSED | STATE_SYSTEM_HOTTRACKED);
        if (!IsWindowEnabled(Window()))
            bits |= STATE_SYSTEM_UNAVAILABLE;
        else
            bits |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == Window()) bits |= STATE_SYSTEM_FOCUSED;
        LRESULT shown = SendMessageA(Window(), BM_GETSTATE, 0, 0);
        if (shown & BST_PUSHED) bits |= STATE_SYSTEM_PRESSED;
        if (shown & kStateHot) bits |= STATE_SYSTEM_HOTTRACKED;
        return GiveNumber(bits, state);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) return Standard()->get_accDefaultAction(child, action);
        return GiveText(L"Press", action);
    }
    // Posted, not sent: a key that opens a message box ("CT") must not hold the
    // client's call until the box is answered. The click itself is the one a mouse
    // click makes, with its notification to the parent.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return Standard()->accDoDefaultAction(child);
        if (!IsWindow(Window())) return CO_E_OBJNOTCONNECTED;
        if (!IsWindowEnabled(Window())) return E_FAIL;  // a disabled key does nothing
        return PostMessageA(Window(), BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }
};

AccessibleOverStandard* MakeButtonAccessible(HWND button, IAccessible* standard) {
    return new (std::nothrow) ButtonAccessible(button, standard);
}

}  // namespace

LRESULT AnswerButtonObjectQuery(HWND button, WPARAM wParam, LPARAM lParam) {
    return AnswerObjectQuery(button, wParam, lParam, MakeButtonAccessible);
}

void NoteButtonNameChange(HWND button) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}

void NoteButtonStateChange(HWND button) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}
