// The program's entry: start-up order and the message loop.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "tape/tape_menu_win.h"
#include "ui/app_win.h"
#include "ui/keyboard_win.h"
#include "ui/main_window_win.h"
#include "ui/version_win.h"

namespace {

AppInfo g_app;

void LoadRichEditLibrary() {
    if (LoadLibraryA("RICHED20.Dll"))
        g_app.richEditClass = "RICHEDIT20A";
    else if (LoadLibraryA("RICHED32.Dll"))
        g_app.richEditClass = "RICHEDIT";
}

void RecordProgramInfo(HINSTANCE instance) {
    g_app.instance = instance;
    char path[1024] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string module(path, n < sizeof path ? n : 0);
    size_t cut = module.find_last_of(":/\\");
    g_app.programFolder = cut == std::string::npos ? std::string() : module.substr(0, cut + 1);
    g_app.programFile = cut == std::string::npos ? module : module.substr(cut + 1);
    g_app.versionText = VersionText(ProgramVersion(module));
}

bool IsMultiLineEdit(HWND h) {
    char cls[16] = "";
    GetClassNameA(h, cls, sizeof cls);
    return lstrcmpiA(cls, "Edit") == 0 && (GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE);
}

// Escape and Tab inside a multi-line edit would otherwise be swallowed by it. Escape
// becomes Cancel for the window the edit stands in, as it is everywhere else.
bool HandleMultiLineEditKeys(MSG& msg) {
    HWND focus = GetFocus();
    if (!focus || !IsMultiLineEdit(focus)) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        msg.message = WM_COMMAND;
        msg.wParam = IDCANCEL;
        msg.lParam = 0;
        msg.hwnd = GetAncestor(focus, GA_ROOT);
        return false;
    }
    if (msg.message == WM_CHAR && msg.wParam == '\t') {
        HWND top = GetAncestor(focus, GA_ROOT);
        bool back = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = GetNextDlgTabItem(top, focus, back)) SetFocus(next);
        return true;
    }
    return false;
}

int RunMessageLoop(HWND main) {
    MSG msg;
    bool startUpFinished = false;
    while (IsWindow(main)) {
        // What the painted window does not need waits until the program first has
        // nothing else to do, so that the window is there and answers sooner.
        if (!startUpFinished && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            startUpFinished = true;
            LoadRichEditLibrary();
            FinishMainWindowStartUp();
            continue;
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (HandleTapeMenuKey(msg)) continue;
        if (HandleKeyMessage(msg)) continue;
        if (HandleMultiLineEditKeys(msg)) continue;
        HWND active = GetActiveWindow();
        if (active && IsDialogMessageA(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace

const AppInfo& App() {
    return g_app;
}

int RunProgram(HINSTANCE instance, const char* arguments) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, 0x7FFF};
    InitCommonControlsEx(&icc);
    RecordProgramInfo(instance);
    g_app.commandLine = arguments ? arguments : "";
    HWND main = CreateMainWindow(instance);
    if (!main) return 1;
    EnableWindow(main, TRUE);
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    return RunMessageLoop(main);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    return RunProgram(instance, arguments);
}
