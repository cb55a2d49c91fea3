#include "ui/button_accessible_win.h"

// after windows.h, which they need
#include <objbase.h>
#include <oleacc.h>

#include <new>
#include <string>

#include "ui/caption_mnemonics.h"
#include "ui/window_kit_win.h"

// Interface ids through __uuidof throughout: MinGW's oleacc import library also
// defines IID_IAccessible, as a jump thunk, and whichever library the linker meets
// first would decide which bytes the program passes as the id.

namespace {

// BM_GETSTATE's bit for the pointer over the button (the common controls' BST_HOT).
const LRESULT kStateHot = 0x0200;

// The caption as it is read out, in the program's code page.
std::wstring SpokenCaption(HWND button) {
    std::string plain = CaptionWithoutMnemonics(WindowText(button));
    if (plain.empty()) return std::wstring();
    int n =
        MultiByteToWideChar(CP_ACP, 0, plain.data(), static_cast<int>(plain.size()), nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, plain.data(), static_cast<int>(plain.size()), &wide[0], n);
    return wide;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT GiveText(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveNumber(LONG value, VARIANT* out) {
    if (!out) return E_POINTER;
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

// Wraps the platform's standard object for the button's client area and answers what
// a push button answers differently: its name, role, state and default action.
class ButtonAccessible final : public IAccessible, public IOleWindow {
  public:
    ButtonAccessible(HWND button, IAccessible* standard) : button_(button), standard_(standard) {}
    ButtonAccessible(const ButtonAccessible&) = delete;
    ButtonAccessible& operator=(const ButtonAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (iid == __uuidof(IOleWindow))
            *out = static_cast<IOleWindow*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: the standard object's type information, invoked on this object so
    // that a client through IDispatch hears the same answers.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        ITypeInfo* info = nullptr;
        HRESULT hr = standard_->GetTypeInfo(0, locale, &info);
        if (FAILED(hr) || !info) return FAILED(hr) ? hr : E_NOTIMPL;
        hr = info->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception,
                          badArgument);
        info->Release();
        return hr;
    }

    // IAccessible: the answers of a push button ...
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        if (!IsWindow(button_)) return CO_E_OBJNOTCONNECTED;
        return GiveText(SpokenCaption(button_), name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        return GiveNumber(ROLE_SYSTEM_PUSHBUTTON, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsSelf(child)) return standard_->get_accState(child, state);
        if (!IsWindow(button_)) return CO_E_OBJNOTCONNECTED;
        // Visibility and the like come from the standard object; what a button shows
        // of itself is decided here.
        LONG bits = 0;
        VARIANT standard;
        VariantInit(&standard);
        if (SUCCEEDED(standard_->get_accState(child, &standard)) && standard.vt == VT_I4)
            bits = standard.lVal;
        bits &= ~(STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED |
                  STATE_SYSTEM_PRESSED | STATE_SYSTEM_HOTTRACKED);
        if (!IsWindowEnabled(button_))
            bits |= STATE_SYSTEM_UNAVAILABLE;
        else
            bits |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == button_) bits |= STATE_SYSTEM_FOCUSED;
        LRESULT shown = SendMessageA(button_, BM_GETSTATE, 0, 0);
        if (shown & BST_PUSHED) bits |= STATE_SYSTEM_PRESSED;
        if (shown & kStateHot) bits |= STATE_SYSTEM_HOTTRACKED;
        return GiveNumber(bits, state);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
        return GiveText(L"Press", action);
    }
    // Posted, not sent: a key that opens a message box ("CT") must not hold the
    // client's call until the box is answered. The click itself is the one a mouse
    // click makes, with its notification to the parent.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
        if (!IsWindow(button_)) return CO_E_OBJNOTCONNECTED;
        if (!IsWindowEnabled(button_)) return E_FAIL;  // a disabled key does nothing
        return PostMessageA(button_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }

    // ... and the standard object's for everything else.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h,
                                          VARIANT child) override {
        return standard_->accLocation(x, y, w, h, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

    // IOleWindow: lets a client find the window the object stands for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = button_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  private:
    ~ButtonAccessible() { standard_->Release(); }

    LONG references_ = 1;
    HWND button_;
    IAccessible* standard_;
};

// The object goes to the client through COM, which this thread joins on the first
// query (the keypad needs it for nothing else) and stays in for the rest of the run.
bool JoinComOnce() {
    static HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(joined) || joined == RPC_E_CHANGED_MODE;
}

}  // namespace

LRESULT AnswerButtonObjectQuery(HWND button, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !JoinComOnce()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(button, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new (std::nothrow) ButtonAccessible(button, standard);
    if (!object) {
        standard->Release();
        return 0;
    }
    LRESULT answer =
        LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();  // the answer holds its own reference
    return answer > 0 ? answer : 0;
}

void NoteButtonNameChange(HWND button) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}

void NoteButtonStateChange(HWND button) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}
