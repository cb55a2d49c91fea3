#include "tape/tape_accessible_win.h"

#include <new>

#include "tape/tape_draw_win.h"
#include "ui/accessible_object_win.h"
#include "ui/window_kit_win.h"

namespace {

// Lines are the list's children, numbered from 1 as accessibility clients count them.
class TapeAccessible final : public AccessibleOverStandard {
  public:
    using AccessibleOverStandard::AccessibleOverStandard;

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        *count = LineCount();
        return S_OK;
    }
    // A line is a simple element: it has no object of its own.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return IsLine(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child)) return Standard()->get_accName(child, name);
        if (!IsLine(child)) return E_INVALIDARG;
        return GiveText(ListItemWideText(Window(), child.lVal - 1), name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (IsSelf(child)) return GiveNumber(ROLE_SYSTEM_LIST, role);
        if (!IsLine(child)) return E_INVALIDARG;
        return GiveNumber(ROLE_SYSTEM_LISTITEM, role);
    }
    // Lines cannot be chosen or changed; those scrolled out of sight say so.
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (IsSelf(child)) return Standard()->get_accState(child, state);
        if (!IsLine(child)) return E_INVALIDARG;
        LONG bits = STATE_SYSTEM_READONLY;
        RECT line, client, shown;
        GetClientRect(Window(), &client);
        if (!LineRect(child.lVal, &line) || !IntersectRect(&shown, &line, &client))
            bits |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        return GiveNumber(bits, state);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return IsSelf(child) ? Standard()->get_accValue(child, value) : NoProperty(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return IsSelf(child) ? Standard()->get_accDescription(child, text)
                             : NoProperty(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return IsSelf(child) ? Standard()->get_accHelp(child, help) : NoProperty(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return IsSelf(child) ? Standard()->get_accKeyboardShortcut(child, keys)
                             : NoProperty(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return IsSelf(child) ? Standard()->get_accDefaultAction(child, action)
                             : NoProperty(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (IsSelf(child)) return Standard()->accDoDefaultAction(child);
        return IsLine(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (IsSelf(child)) return Standard()->accSelect(flags, child);
        return IsLine(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h,
                                          VARIANT child) override {
        if (IsSelf(child)) return Standard()->accLocation(x, y, w, h, child);
        if (!x || !y || !w || !h) return E_POINTER;
        RECT line;
        if (!IsLine(child) || !LineRect(child.lVal, &line)) return E_INVALIDARG;
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&line), 2);
        *x = line.left;
        *y = line.top;
        *w = line.right - line.left;
        *h = line.bottom - line.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        LONG count = LineCount(), to = 0;
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD)
                to = count > 0 ? 1 : 0;
            else if (direction == NAVDIR_LASTCHILD)
                to = count;
            else
                return Standard()->accNavigate(direction, start, end);
        } else if (IsLine(start)) {
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
                to = start.lVal < count ? start.lVal + 1 : 0;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
                to = start.lVal - 1;
        } else {
            return E_INVALIDARG;
        }
        VariantInit(end);
        if (to <= 0) return S_FALSE;  // no line that way
        return GiveNumber(to, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!child) return E_POINTER;
        POINT at = {x, y};
        RECT client;
        GetClientRect(Window(), &client);
        if (!ScreenToClient(Window(), &at) || !PtInRect(&client, at))
            return Standard()->accHitTest(x, y, child);
        int line = TapeLineAt(Window(), at);  // below the last line is the list itself
        return GiveNumber(line >= 0 ? line + 1 : CHILDID_SELF, child);
    }

  private:
    LONG LineCount() const {
        LRESULT count = SendMessageW(Window(), LB_GETCOUNT, 0, 0);
        return count > 0 ? static_cast<LONG>(count) : 0;
    }
    bool IsLine(const VARIANT& child) const {
        return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= LineCount();
    }
    bool LineRect(LONG line, RECT* rect) const {
        return SendMessageW(Window(), LB_GETITEMRECT, static_cast<WPARAM>(line - 1),
                            reinterpret_cast<LPARAM>(rect)) != LB_ERR;
    }
    // What a line does not have, it answers with no text.
    HRESULT NoProperty(const VARIANT& child, BSTR* out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        return IsLine(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    }
};

AccessibleOverStandard* MakeTapeAccessible(HWND tape, IAccessible* standard) {
    return new (std::nothrow) TapeAccessible(tape, standard);
}

}  // namespace

LRESULT AnswerTapeObjectQuery(HWND tape, WPARAM wParam, LPARAM lParam) {
    return AnswerObjectQuery(tape, wParam, lParam, MakeTapeAccessible);
}
