#include "help/help_window_win.h"

#include <commctrl.h>

#include <string>

#include "help/help_texts.h"
#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/window_class_win.h"

namespace {

constexpr int kOuterWidth = 700;
constexpr int kOuterHeight = 480;
constexpr int kHeaderHeight = 52;
constexpr int kTreeWidth = 236;
constexpr int kMargin = 4;

// Wide enough for the longest button name of the keyboard page, in dialog units.
constexpr int kTextTabStop = 56;

HWND g_helpWindow = nullptr;

// What a help window owns besides its controls; released with the window.
struct HelpWindowData {
    ~HelpWindowData() {
        DeleteObject(titleFont);
        DeleteObject(versionFont);
        DeleteObject(treeFont);
        DeleteObject(textFont);
    }

    int startTopic = 0;
    HFONT titleFont = nullptr;    // "Tahoma" 24
    HFONT versionFont = nullptr;  // "Tahoma" 11
    HFONT treeFont = nullptr;     // "Tahoma" 12
    HFONT textFont = nullptr;     // "Arial" 12
};

struct CreateParams {
    HelpWindowData* data;
    bool adopted = false;
};

HFONT MakeFont(const char* face, int pixelHeight, int weight = FW_NORMAL) {
    return CreateFontA(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, DWORD exStyle, int id,
                HFONT font) {
    HWND control = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void Layout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int width = client.right;
    int height = client.bottom;
    MoveWindow(GetDlgItem(window, kIdHelpIcon), 10, 10, 32, 32, TRUE);
    MoveWindow(GetDlgItem(window, kIdHelpTitle), 52, 4, 240, 30, TRUE);
    MoveWindow(GetDlgItem(window, kIdHelpVersion), 54, 34, 240, 14, TRUE);
    int paneTop = kHeaderHeight;
    int paneHeight = height - paneTop - kMargin;
    if (paneHeight < 0) paneHeight = 0;
    MoveWindow(GetDlgItem(window, kIdHelpTree), kMargin, paneTop, kTreeWidth, paneHeight, TRUE);
    int textLeft = kMargin + kTreeWidth + kMargin;
    int textWidth = width - textLeft - kMargin;
    if (textWidth < 0) textWidth = 0;
    MoveWindow(GetDlgItem(window, kIdHelpText), textLeft, paneTop, textWidth, paneHeight, TRUE);
}

void FillTree(HWND tree, int selectCode) {
    HTREEITEM parents[1000] = {};  // by topic code; codes are below 1000
    HTREEITEM selected = nullptr;
    for (const HelpTopic& topic : HelpTopicTree()) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = topic.parentCode > 0 ? parents[topic.parentCode] : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(topic.caption);
        insert.item.lParam = topic.code;
        HTREEITEM item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (topic.code > 0 && topic.code < 1000) parents[topic.code] = item;
        if (topic.code == selectCode) selected = item;
    }
    if (selected)
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected));
}

void CreateControls(HWND window, HelpWindowData& d) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND icon = AddControl(window, "STATIC", "", SS_ICON, 0, kIdHelpIcon, nullptr);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IMAGE_CALCULATOR3))),
                 0);
    AddControl(window, "STATIC", "Tallymax", SS_LEFT, 0, kIdHelpTitle, d.titleFont);
    HWND version =
        AddControl(window, "STATIC", "Version 2.0", SS_LEFT, 0, kIdHelpVersion, d.versionFont);
    SetWindowTextA(version, App().versionText.c_str());
    AddControl(window, WC_TREEVIEWA, "",
               TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
               WS_EX_CLIENTEDGE, kIdHelpTree, d.treeFont);
    HWND text = AddControl(window, "EDIT", "",
                           ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                           WS_EX_CLIENTEDGE, kIdHelpText, d.textFont);
    int tabStop = kTextTabStop;
    SendMessageA(text, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    Layout(window);
    // The text pane must exist before the selection fills it.
    FillTree(GetDlgItem(window, kIdHelpTree), TopicSelectedAtStart(d.startTopic));
}

void ShowTopic(HWND window, int code) {
    SetDlgItemTextA(window, kIdHelpText, HelpTopicText(code).c_str());
}

LRESULT CALLBACK HelpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<HelpWindowData*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE: {
            // From here on the window owns the record and frees it in WM_NCDESTROY.
            auto* params = reinterpret_cast<CreateParams*>(
                reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            params->adopted = true;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(params->data));
            break;
        }
        case WM_CREATE:
            CreateControls(window, *d);
            return 0;
        case WM_SIZE:
            Layout(window);
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == kIdHelpTree &&
                (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
                // Both forms carry the topic code at the same place.
                auto* change = reinterpret_cast<NMTREEVIEWA*>(lParam);
                ShowTopic(window, static_cast<int>(change->itemNew.lParam));
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            // The read-only text pane reads best on the window colour; the header
            // labels sit on the window face.
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(window, kIdHelpText)) {
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DESTROY:
            if (g_helpWindow == window) g_helpWindow = nullptr;
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete d;
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterHelpClass(HINSTANCE instance) {
    return RegisterProgramWindowClass(instance, kHelpWindowClass, HelpProc);
}

HWND CreateHelpWindow(HWND owner, int startTopic) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterHelpClass(instance)) return nullptr;
    auto* d = new HelpWindowData;
    d->startTopic = startTopic;
    d->titleFont = MakeFont("Tahoma", 24);
    d->versionFont = MakeFont("Tahoma", 11);
    d->treeFont = MakeFont("Tahoma", 12);
    d->textFont = MakeFont("Arial", 12);
    int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    CreateParams params{d};
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kHelpWindowClass, "Tallymax Help",
                                  WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, left, top, kOuterWidth,
                                  kOuterHeight, owner, nullptr, instance, &params);
    if (!window) {
        if (!params.adopted) delete d;
        return nullptr;
    }
    g_helpWindow = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    // A tree that gets the focus with nothing selected selects its first node, so a
    // window opened at no topic keeps the focus off the tree until the user picks one.
    HWND tree = GetDlgItem(window, kIdHelpTree);
    bool topicShown = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0;
    SetFocus(topicShown ? tree : GetDlgItem(window, kIdHelpText));
    return window;
}

}  // namespace

HWND HelpWindow() {
    return g_helpWindow;
}

HWND OpenHelpWindow(HWND owner, int startTopic) {
    CloseHelpWindow();
    return CreateHelpWindow(owner, startTopic);
}

HWND ShowOrOpenHelpWindow(HWND owner) {
    HWND window = g_helpWindow;
    if (window && IsWindow(window) && IsWindowVisible(window)) {
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        SetFocus(GetDlgItem(window, kIdHelpTree));
        return window;
    }
    CloseHelpWindow();
    return CreateHelpWindow(owner, 0);
}

void CloseHelpWindow() {
    if (g_helpWindow && IsWindow(g_helpWindow)) DestroyWindow(g_helpWindow);
    g_helpWindow = nullptr;
}
