#include "ui/window_kit_win.h"

#include <objbase.h>

#include <algorithm>

#include "resource_ids.h"
#include "ui/app_win.h"

namespace {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi >= 48 && dpi <= 960 ? dpi : 96;
}

int& CurrentDpi() {
    static int dpi = ScreenDpi();
    return dpi;
}

}  // namespace

int ProgramDpi() {
    return CurrentDpi();
}

void SetProgramDpi(int dpi) {
    if (dpi >= 48 && dpi <= 960) CurrentDpi() = dpi;
}

int Scaled(int designPixels) {
    return MulDiv(designPixels, ProgramDpi(), 96);
}

int Unscaled(int screenPixels) {
    return MulDiv(screenPixels, 96, ProgramDpi());
}

HFONT MakeFont(const FontDef& def) {
    bool courier = lstrcmpiA(def.face, "Courier New") == 0;
    // Rounded down: text grows a little faster than its height, and a caption must
    // still fit the box that was scaled with it.
    const int height = def.height * ProgramDpi() / 96;
    return CreateFontA(-height, 0, 0, 0, def.weight, def.italic, def.underline, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       courier ? (FIXED_PITCH | FF_MODERN) : (DEFAULT_PITCH | FF_DONTCARE),
                       def.face);
}

void WindowFonts::Make(const std::vector<FontDef>& defs) {
    Release();
    for (const FontDef& def : defs) fonts.push_back(MakeFont(def));
}

void WindowFonts::Release() {
    for (HFONT f : fonts)
        if (f) DeleteObject(f);
    fonts.clear();
}

HFONT WindowFonts::Font(int index) const {
    return index >= 0 && index < static_cast<int>(fonts.size()) ? fonts[index] : nullptr;
}

HWND AddControl(HWND parent, const ControlDef& def, HFONT font) {
    DWORD style = WS_CHILD | def.style;
    if (!(def.flags & kHidden)) style |= WS_VISIBLE;
    if (def.flags & kDisabled) style |= WS_DISABLED;
    HWND control = CreateWindowExA(def.exStyle, def.className, def.caption, style, Scaled(def.x),
                                   Scaled(def.y), Scaled(def.w), Scaled(def.h), parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (control && font && !(def.flags & kNoFont))
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void CreateControls(HWND parent, const ControlDef* table, std::size_t count,
                    const WindowFonts& fonts) {
    for (std::size_t i = 0; i < count; ++i) AddControl(parent, table[i], fonts.Font(table[i].font));
}

void PlaceControls(HWND parent, const ControlDef* table, std::size_t count,
                   const WindowFonts& fonts) {
    for (std::size_t i = 0; i < count; ++i) {
        const ControlDef& def = table[i];
        HWND control = GetDlgItem(parent, def.id);
        if (!control) continue;
        SetWindowPos(control, nullptr, Scaled(def.x), Scaled(def.y), Scaled(def.w), Scaled(def.h),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        HFONT font = fonts.Font(def.font);
        if (font && !(def.flags & kNoFont))
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void SetProgramIcon(HWND parent, int id) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IMAGE_CALCULATOR3));
    SendDlgItemMessageA(parent, id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

LRESULT OnDialogFace(WPARAM dc) {
    SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool OpenClipboardPatiently() {
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

bool JoinComOnWindowThread() {
    static HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(joined) || joined == RPC_E_CHANGED_MODE;
}

std::wstring ListItemWideText(HWND list, int index) {
    LRESULT n = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n) + 1, L'\0');
    LRESULT got = SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<size_t>(got > 0 ? std::min<LRESULT>(got, n) : 0));
    return wide;
}

std::string ListItemText(HWND list, int index) {
    std::wstring wide = ListItemWideText(list, index);
    if (wide.empty()) return std::string();
    const int length = static_cast<int>(wide.size());
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &text[0], bytes, nullptr, nullptr);
    return text;
}

std::wstring WideText(const std::string& text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], length + 1)));
    return text;
}

std::string ItemText(HWND parent, int id) {
    return WindowText(GetDlgItem(parent, id));
}

void SetItemText(HWND parent, int id, const std::string& text) {
    SetDlgItemTextA(parent, id, text.c_str());
}

void SetCheck(HWND parent, int id, bool on) {
    SendDlgItemMessageA(parent, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND parent, int id) {
    return SendDlgItemMessageA(parent, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void EnableItem(HWND parent, int id, bool on) {
    EnableWindow(GetDlgItem(parent, id), on ? TRUE : FALSE);
}

bool RegisterProgramWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(instance, name, &wc)) return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IMAGE_CALCULATOR3));
    wc.hIconSm = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IMAGE_CALCULATOR3), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

bool RegisterControlClass(const char* name, WNDPROC procedure, int extraBytes) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, name, &wc)) return true;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

namespace {
const char kControlRecordProperty[] = "FLY_PTR";
}  // namespace

void AttachControlRecord(HWND control, void* record) {
    SetWindowLongPtrA(control, 0, reinterpret_cast<LONG_PTR>(record));
    SetPropA(control, kControlRecordProperty, record);
}

void DetachControlRecord(HWND control) {
    RemovePropA(control, kControlRecordProperty);
    SetWindowLongPtrA(control, 0, 0);
}

HWND CreateDialogWindow(const char* className, WNDPROC procedure, const char* caption,
                        int outerWidth, int outerHeight, HWND owner, void* data) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterProgramWindowClass(instance, className, procedure)) return nullptr;
    outerWidth = Scaled(outerWidth);
    outerHeight = Scaled(outerHeight);
    POINT at = CentredOnScreen(outerWidth, outerHeight);
    return CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, className, caption,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU, at.x, at.y, outerWidth, outerHeight,
                           owner, nullptr, instance, data);
}

POINT CentredOnScreen(int outerWidth, int outerHeight) {
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2};
}

void* WindowDataOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        void* data = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
        return data;
    }
    return reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// ---- Modality ----

namespace {

struct DisableContext {
    HWND except;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM lp) {
    auto* c = reinterpret_cast<DisableContext*>(lp);
    if (window != c->except && IsWindowEnabled(window) && IsWindowVisible(window)) {
        EnableWindow(window, FALSE);
        c->disabled->push_back(window);
    }
    return TRUE;
}

}  // namespace

ProgramModal::ProgramModal(HWND except) {
    DisableContext c{except, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&c));
}

ProgramModal::~ProgramModal() {
    Release();
}

void ProgramModal::Release() {
    // The owners last, so that the main window is enabled when activation comes back.
    for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
    disabled_.clear();
}

TopmostGuard::TopmostGuard() {
    HWND main = MainWindow();
    if (main && (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        lifted_ = main;
        SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

TopmostGuard::~TopmostGuard() {
    if (lifted_ && IsWindow(lifted_))
        SetWindowPos(lifted_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

namespace {
constexpr char kModalProperty[] = "TallymaxModalLoop";
}

void RunModalLoop(HWND window, const bool& done, HWND focusAfter) {
    ProgramModal modal(window);
    RunModalLoop(window, done, focusAfter, modal);
}

void RunModalLoop(HWND window, const bool& done, HWND focusAfter, ProgramModal& modal) {
    HWND owner = GetWindow(window, GW_OWNER);
    SetPropA(window, kModalProperty, &modal);
    MSG msg;
    bool quit = false;
    while (!done && IsWindow(window)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            quit = got == 0;
            break;
        }
        if (IsDialogMessageA(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // Enabled before the window goes, so that the activation returns to the owner
    // rather than to another program's window.
    modal.Release();
    if (IsWindow(window)) {
        RemovePropA(window, kModalProperty);
        DestroyWindow(window);
    }
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    if (focusAfter && IsWindow(focusAfter)) SetFocus(focusAfter);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
}

void EndModalWindow(HWND window) {
    if (auto* modal = static_cast<ProgramModal*>(GetPropA(window, kModalProperty))) {
        modal->Release();
        RemovePropA(window, kModalProperty);
    }
    DestroyWindow(window);
}

int ShowMessageFrom(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    TopmostGuard lift;
    ProgramModal modal(owner);
    HWND focusBefore = GetFocus();
    int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), style);
    modal.Release();
    if (focusBefore && IsWindow(focusBefore)) SetFocus(focusBefore);
    return answer;
}

// ---- Tool windows ----

namespace {

std::vector<ToolWindowSlot*>& OpenSlots() {
    static std::vector<ToolWindowSlot*> slots;
    return slots;
}

}  // namespace

bool BringToolWindowForward(ToolWindowSlot& slot) {
    if (!slot.window || !IsWindow(slot.window)) {
        slot.window = nullptr;
        return false;
    }
    if (IsIconic(slot.window)) ShowWindow(slot.window, SW_RESTORE);
    ShowWindow(slot.window, SW_SHOW);
    SetWindowPos(slot.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(slot.window);
    SetActiveWindow(slot.window);
    if (!IsChild(slot.window, GetFocus())) SetFocus(slot.window);
    return true;
}

void AdoptToolWindow(ToolWindowSlot& slot, HWND window) {
    slot.window = window;
    auto& slots = OpenSlots();
    if (std::find(slots.begin(), slots.end(), &slot) == slots.end()) slots.push_back(&slot);
}

void ToolWindowDestroyed(HWND window) {
    for (ToolWindowSlot* slot : OpenSlots())
        if (slot->window == window) slot->window = nullptr;
}

void CloseAllToolWindows() {
    // A copy: each destruction empties its slot.
    std::vector<ToolWindowSlot*> slots = OpenSlots();
    for (ToolWindowSlot* slot : slots)
        if (slot->window && IsWindow(slot->window)) DestroyWindow(slot->window);
}

// ---- Input box ----

namespace {

constexpr char kInputBoxClass[] = "FORM_TALLYMAX_INPUTBOX_CLASS";
constexpr int kInputLimit = 255;
enum InputBoxId : int { kIdInputPrompt = 1000, kIdInputField = 1001 };

struct InputBox {
    std::string prompt;
    std::string initial;
    std::string answer;
    WindowFonts fonts;
    bool accepted = false;
    bool done = false;
};

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = WindowData<InputBox>(window, message, lParam);
    switch (message) {
        case WM_CREATE: {
            const ControlDef table[] = {
                {"STATIC", box->prompt.c_str(), kIdInputPrompt, 10, 10, 250, 56, SS_LEFT},
                {"BUTTON", "OK", IDOK, 272, 10, 72, 24, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
                {"BUTTON", "Cancel", IDCANCEL, 272, 40, 72, 24, BS_PUSHBUTTON | WS_TABSTOP},
                {"EDIT", box->initial.c_str(), kIdInputField, 10, 76, 334, 20,
                 ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
            };
            CreateControls(window, table, box->fonts);
            SendDlgItemMessageA(window, kIdInputField, EM_LIMITTEXT, kInputLimit, 0);
            return 0;
        }
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (!box || HIWORD(wParam) != BN_CLICKED) break;
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                box->accepted = LOWORD(wParam) == IDOK;
                if (box->accepted) box->answer = ItemText(window, kIdInputField);
                box->done = true;
                return 0;
            }
            break;
        case WM_CLOSE:
            if (box) box->done = true;
            return 0;
        case WM_CTLCOLORSTATIC:
            return OnDialogFace(wParam);
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool AskForText(HWND owner, const std::string& caption, const std::string& prompt,
                const std::string& initial, std::string& answer) {
    InputBox box;
    box.prompt = prompt;
    box.initial = initial.substr(0, kInputLimit);
    box.fonts.Make({{"Tahoma", 13}});

    RECT r = {0, 0, 354, 106};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE,
                       WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    HWND focusBefore = GetFocus();
    TopmostGuard lift;
    HWND window = CreateDialogWindow(kInputBoxClass, InputBoxProc, caption.c_str(),
                                     r.right - r.left, r.bottom - r.top, owner, &box);
    if (!window) return false;
    // The owners are disabled before the box is shown: while it appears, they take no
    // click.
    ProgramModal modal(window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    HWND field = GetDlgItem(window, kIdInputField);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    RunModalLoop(window, box.done, focusBefore, modal);
    if (!box.accepted) return false;
    answer = box.answer;
    return true;
}
