#include "convert/convert_window_win.h"

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "convert/conversion_table.h"
#include "convert/convert.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/window_kit_win.h"

namespace {

constexpr int kWidth = 170;
constexpr int kHeight = 270;
constexpr int kGapBesideKey = 2;
const COLORREF kTreeBackground = RGB(255, 255, 225);
const COLORREF kTreeText = RGB(0, 0, 0);

// A unit node's data: category * kUnitsPerCategory + unit; 0 for the others.
constexpr LPARAM kUnitsPerCategory = 100;

const ControlDef kConversionControls[] = {
    {WC_TREEVIEWA, "", kIdConversionTree, 0, 0, kWidth, kHeight,
     TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER},
};

struct ConversionWindow {
    std::string input;  // the display text as captured
    WindowFonts fonts;
    bool wasActive = false;  // closes on the first loss of activation after this
    bool done = false;
};

HTREEITEM AddNode(HWND tree, HTREEITEM parent, const std::string& text, LPARAM data) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTree(HWND tree, const std::string& input) {
    SendMessageA(tree, TVM_SETBKCOLOR, 0, kTreeBackground);
    SendMessageA(tree, TVM_SETTEXTCOLOR, 0, kTreeText);
    AddNode(tree, TVI_ROOT, "Convert from " + input, 0);
    for (int category = 1; category <= kConversionCategoryCount; ++category) {
        const std::vector<std::string>& names = ConversionUnitList(category);
        HTREEITEM node = AddNode(tree, TVI_ROOT, names[0], 0);
        for (int unit = 1; unit < static_cast<int>(names.size()); ++unit)
            AddNode(tree, node, names[unit], category * kUnitsPerCategory + unit);
    }
}

// Ends the modal loop; the loop destroys the window once the message that got here has
// returned, so that no window procedure runs on a destroyed window.
void Finish(HWND window, ConversionWindow& d) {
    d.wasActive = false;
    d.done = true;
    PostMessageA(window, WM_NULL, 0, 0);
}

void Convert(HWND window, ConversionWindow& d, LPARAM node) {
    int category = static_cast<int>(node / kUnitsPerCategory);
    int unit = static_cast<int>(node % kUnitsPerCategory);
    if (category < 1 || unit < 1) return;  // the root or a category: stay open
    int top = WriteConversion(TheCalculator(), category, unit, d.input);
    if (top >= 0) {
        // The tape keeps no selection; scrolling the header to the top shows the block.
        SendDlgItemMessageA(MainWindow(), kIdTape, LB_SETTOPINDEX, top, 0);
    }
    Finish(window, d);
}

LPARAM NodeData(HWND tree, HTREEITEM node) {
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    if (!node || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

// The node whose text or icon is under the mouse pointer of the message being handled.
HTREEITEM NodeUnderPointer(HWND tree) {
    DWORD at = GetMessagePos();
    TVHITTESTINFO hit = {};
    hit.pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ScreenToClient(tree, &hit.pt);
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr;
}

HTREEITEM SelectedNode(HWND tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// The keyboard only moves the selection, so that any unit can be reached; Enter, a
// click or a double-click on a unit converts.
void OnTreeNotify(HWND window, ConversionWindow& d, const NMHDR& header) {
    HWND tree = header.hwndFrom;
    switch (header.code) {
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW: {
            // Both forms carry the action and the node's data at the same place. A change
            // to no node comes while the tree empties itself.
            const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
            if (change.action == TVC_BYMOUSE && change.itemNew.hItem)
                Convert(window, d, change.itemNew.lParam);
            break;
        }
        case NM_CLICK:
        case NM_DBLCLK:
            Convert(window, d, NodeData(tree, NodeUnderPointer(tree)));
            break;
        case NM_RETURN:
            Convert(window, d, NodeData(tree, SelectedNode(tree)));
            break;
        default:
            break;
    }
}

LRESULT CALLBACK ConversionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = WindowData<ConversionWindow>(window, message, lParam);
    switch (message) {
        case WM_CREATE:
            CreateControls(window, kConversionControls, d->fonts);
            FillTree(GetDlgItem(window, kIdConversionTree), d->input);
            return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (d && !d->done && header->idFrom == kIdConversionTree)
                OnTreeNotify(window, *d, *header);
            return 0;
        }
        case WM_ACTIVATE:
            if (!d) break;
            if (LOWORD(wParam) != WA_INACTIVE) {
                d->wasActive = true;
            } else if (d->wasActive) {
                Finish(window, *d);
            }
            break;
        case WM_COMMAND:
            // Escape: the pop-up has no caption or close box to leave it by.
            if (d && LOWORD(wParam) == IDCANCEL) Finish(window, *d);
            // Enter, when the dialog navigation takes it before the tree does.
            if (d && !d->done && LOWORD(wParam) == IDOK) {
                HWND tree = GetDlgItem(window, kIdConversionTree);
                Convert(window, *d, NodeData(tree, SelectedNode(tree)));
            }
            return 0;
        case WM_CLOSE:
            if (d) Finish(window, *d);
            return 0;
        case WM_DESTROY:
            // Also when the main window goes first: the tree's own teardown converts nothing.
            if (d) d->done = true;
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Beside the key, level with its top; moved only as far as it takes to keep the whole
// pop-up on the screen when the main window stands near an edge.
POINT PlaceBesideKey(HWND key) {
    RECT r = {};
    GetWindowRect(key, &r);
    POINT at = {r.right + kGapBesideKey, r.top};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (at.x + Scaled(kWidth) > work.right) at.x = work.right - Scaled(kWidth);
        if (at.y + Scaled(kHeight) > work.bottom) at.y = work.bottom - Scaled(kHeight);
        if (at.x < work.left) at.x = work.left;
        if (at.y < work.top) at.y = work.top;
    }
    return at;
}

}  // namespace

void OpenConversionWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND main = MainWindow();
    if (!RegisterProgramWindowClass(instance, kConversionWindowClass, ConversionProc)) {
        ReturnFocus();
        return;
    }
    ConversionWindow d;
    d.input = ConversionInputText(TheCalculator().view->DisplayText());
    d.fonts.Make({{"Tahoma", 11}});

    POINT at = PlaceBesideKey(GetDlgItem(main, kIdCnv));
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kConversionWindowClass,
                                  "", WS_POPUP, at.x, at.y, Scaled(kWidth), Scaled(kHeight), main,
                                  nullptr, instance, &d);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        SetFocus(GetDlgItem(window, kIdConversionTree));
        RunModalLoop(window, d.done);
    }
    ReturnFocus();
}
