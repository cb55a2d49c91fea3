#include "help/help_window_win.h"

#include <commctrl.h>

#include <string>

#include "help/help_texts.h"
#include "resource_ids.h"
#include "ui/app_win.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kOuterWidth = 700;
constexpr int kOuterHeight = 480;
constexpr int kHeaderHeight = 52;
constexpr int kTreeWidth = 236;
constexpr int kMargin = 4;

// Wide enough for the longest button name of the keyboard page, in dialog units.
constexpr int kTextTabStop = 56;

ToolWindowSlot g_help;

enum HelpFont { kTitleFont, kVersionFont, kTreeFont, kTextFont };

// What a help window owns besides its controls; released with the window.
struct HelpWindowData {
    int startTopic = 0;
    WindowFonts fonts;
};

// Placed by Layout, which follows the window's size.
const ControlDef kHelpControls[] = {
    {"STATIC", "", kIdHelpIcon, 0, 0, 10, 10, SS_ICON, 0, 0, kNoFont},
    {"STATIC", "Tallymax", kIdHelpTitle, 0, 0, 10, 10, SS_LEFT, 0, kTitleFont},
    {"STATIC", "Version 2.0", kIdHelpVersion, 0, 0, 10, 10, SS_LEFT, 0, kVersionFont},
    {WC_TREEVIEWA, "", kIdHelpTree, 0, 0, 10, 10,
     TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
     WS_EX_CLIENTEDGE, kTreeFont},
    {"EDIT", "", kIdHelpText, 0, 0, 10, 10,
     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
     kTextFont},
};

void Layout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int width = client.right;
    int height = client.bottom;
    MoveWindow(GetDlgItem(window, kIdHelpIcon), Scaled(10), Scaled(10), Scaled(32), Scaled(32),
               TRUE);
    MoveWindow(GetDlgItem(window, kIdHelpTitle), Scaled(52), Scaled(4), Scaled(240), Scaled(30),
               TRUE);
    MoveWindow(GetDlgItem(window, kIdHelpVersion), Scaled(54), Scaled(34), Scaled(240), Scaled(14),
               TRUE);
    const int margin = Scaled(kMargin), treeWidth = Scaled(kTreeWidth);
    int paneTop = Scaled(kHeaderHeight);
    int paneHeight = height - paneTop - margin;
    if (paneHeight < 0) paneHeight = 0;
    MoveWindow(GetDlgItem(window, kIdHelpTree), margin, paneTop, treeWidth, paneHeight, TRUE);
    int textLeft = margin + treeWidth + margin;
    int textWidth = width - textLeft - margin;
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

void CreateHelpControls(HWND window, HelpWindowData& d) {
    CreateControls(window, kHelpControls, d.fonts);
    SetProgramIcon(window, kIdHelpIcon);
    SetItemText(window, kIdHelpVersion, App().versionText);
    int tabStop = kTextTabStop;
    SendDlgItemMessageA(window, kIdHelpText, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    Layout(window);
    // The text pane must exist before the selection fills it.
    FillTree(GetDlgItem(window, kIdHelpTree), TopicSelectedAtStart(d.startTopic));
}

void ShowTopic(HWND window, int code) {
    SetDlgItemTextA(window, kIdHelpText, HelpTopicText(code).c_str());
}

LRESULT CALLBACK HelpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = OwnedWindowData<HelpWindowData>(window, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateHelpControls(window, *d);
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
        case WM_COMMAND:
            // Escape closes the help, as it closes the other tool windows.
            if (LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(window);
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            // The read-only text pane reads best on the window colour; the header
            // labels sit on the window face.
            HDC dc = reinterpret_cast<HDC>(wParam);
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(window, kIdHelpText)) {
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            return OnDialogFace(wParam);
        }
        case WM_DESTROY:
            ToolWindowDestroyed(window);
            return 0;
        case WM_NCDESTROY:
            FreeOwnedWindowData(window, d);
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHelpWindow(HWND owner, int startTopic) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterProgramWindowClass(instance, kHelpWindowClass, HelpProc)) return nullptr;
    auto record = std::make_unique<HelpWindowData>();
    record->startTopic = startTopic;
    record->fonts.Make({{"Tahoma", 24}, {"Tahoma", 11}, {"Tahoma", 12}, {"Arial", 12}});
    POINT at = CentredOnScreen(Scaled(kOuterWidth), Scaled(kOuterHeight));
    HWND window =
        CreateWindowExA(WS_EX_CONTROLPARENT, kHelpWindowClass, "Tallymax Help",
                        WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, at.x, at.y, Scaled(kOuterWidth),
                        Scaled(kOuterHeight), owner, nullptr, instance, &record);
    if (!window) return nullptr;
    AdoptToolWindow(g_help, window);
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
    return g_help.window;
}

HWND OpenHelpWindow(HWND owner, int startTopic) {
    CloseHelpWindow();
    return CreateHelpWindow(owner, startTopic);
}

HWND ShowOrOpenHelpWindow(HWND owner) {
    HWND window = g_help.window;
    if (window && IsWindow(window) && IsWindowVisible(window)) {
        BringToolWindowForward(g_help);
        SetFocus(GetDlgItem(window, kIdHelpTree));
        return window;
    }
    CloseHelpWindow();
    return CreateHelpWindow(owner, 0);
}

void CloseHelpWindow() {
    if (g_help.window && IsWindow(g_help.window)) DestroyWindow(g_help.window);
    g_help.window = nullptr;
}
