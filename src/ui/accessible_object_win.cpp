#include "ui/accessible_object_win.h"

#include "ui/window_kit_win.h"

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

AccessibleOverStandard::~AccessibleOverStandard() {
    standard_->Release();
}

HRESULT STDMETHODCALLTYPE AccessibleOverStandard::QueryInterface(REFIID iid, void** out) {
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

ULONG STDMETHODCALLTYPE AccessibleOverStandard::AddRef() {
    return InterlockedIncrement(&references_);
}

ULONG STDMETHODCALLTYPE AccessibleOverStandard::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE AccessibleOverStandard::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}

HRESULT STDMETHODCALLTYPE AccessibleOverStandard::GetTypeInfo(UINT index, LCID locale,
                                                              ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}

HRESULT STDMETHODCALLTYPE AccessibleOverStandard::GetIDsOfNames(REFIID iid, LPOLESTR* names,
                                                                UINT count, LCID locale,
                                                                DISPID* ids) {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
}

HRESULT STDMETHODCALLTYPE AccessibleOverStandard::Invoke(DISPID id, REFIID, LCID locale, WORD flags,
                                                         DISPPARAMS* params, VARIANT* result,
                                                         EXCEPINFO* exception, UINT* badArgument) {
    ITypeInfo* info = nullptr;
    HRESULT hr = standard_->GetTypeInfo(0, locale, &info);
    if (FAILED(hr) || !info) return FAILED(hr) ? hr : E_NOTIMPL;
    hr = info->Invoke(static_cast<IAccessible*>(this), id, flags, params, result, exception,
                      badArgument);
    info->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE AccessibleOverStandard::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}

LRESULT AnswerObjectQuery(HWND window, WPARAM wParam, LPARAM lParam, MakeAccessible make) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !JoinComOnWindowThread()) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    AccessibleOverStandard* object = make(window, standard);
    if (!object) {
        standard->Release();
        return 0;
    }
    LRESULT answer =
        LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();  // the answer holds its own reference
    return answer > 0 ? answer : 0;
}
