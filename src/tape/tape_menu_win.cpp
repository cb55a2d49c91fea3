#include "tape/tape_menu_win.h"

#include <string>
#include <vector>

#include "engine/calc_view.h"
#include "tape/save_file_win.h"
#include "tape/tape_csv.h"
#include "tape/tape_draw_win.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/window_kit_win.h"

namespace {

// The menu's own item ids: TrackPopupMenu returns them, they never reach the
// command dispatch.
enum TapeMenuItem : UINT { kCopyLine = 1, kCopyTape = 2, kExportCsv = 3 };

const char kCopyLineText[] = "Copy Line";
const char kCopyTapeText[] = "Copy Tape";
const char kExportText[] = "Export as CSV...";

const FileDialogDef kExportDialog{"Export as CSV", "CSV files (*.csv)|*.csv|All files (*.*)|*.*|",
                                  "csv", true};
const char kDefaultCsvFile[] = "TallymaxTape.csv";
const char kExportFailedText[] = "The tape could not be exported as: ";
const char kExportCaption[] = "Export as CSV";

HGLOBAL AnsiBlock(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

// The text converted from the ANSI code page straight into the block: a long tape
// is held no more often than needed.
HGLOBAL UnicodeBlock(const std::string& text) {
    if (text.size() > 0x3FFFFFFF) return nullptr;
    const int size = static_cast<int>(text.size());
    int n = size ? MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0) : 0;
    if (n < 0 || (size && n == 0)) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (static_cast<size_t>(n) + 1) * sizeof(wchar_t));
    if (!block) return nullptr;
    auto* p = static_cast<wchar_t*>(GlobalLock(block));
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    if (n) MultiByteToWideChar(CP_ACP, 0, text.data(), size, p, n);
    p[n] = L'\0';
    GlobalUnlock(block);
    return block;
}

void HandToClipboard(UINT format, HGLOBAL block) {
    if (block && !SetClipboardData(format, block)) GlobalFree(block);
}

// Puts `text` on the clipboard as ANSI text and as Unicode text converted from the
// ANSI code page, so that "×" and "÷" paste as themselves into Unicode programs.
// A clipboard that stays busy is left alone, as Copy does; so is one whose text could
// not be made (out of memory): what it held is not thrown away for nothing.
void PutTapeTextOnClipboard(const std::string& text) {
    HGLOBAL ansi = AnsiBlock(text);
    if (!ansi) return;
    HGLOBAL unicode = UnicodeBlock(text);
    if (!OpenClipboardPatiently()) {
        GlobalFree(ansi);
        if (unicode) GlobalFree(unicode);
        return;
    }
    EmptyClipboard();
    HandToClipboard(CF_TEXT, ansi);
    HandToClipboard(CF_UNICODETEXT, unicode);
    CloseClipboard();
}

std::string WholeTapeText(const CalcView& view) {
    const int count = view.TapeLineCount();
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += "\r\n";
        text += view.TapeLine(i);
    }
    return text;
}

void ExportTapeAsCsv(HWND mainWindow) {
    std::string path;
    if (!AskForFileName(mainWindow, kExportDialog, kDefaultCsvFile, path)) return;
    const Calculator& calc = TheCalculator();
    DWORD error = ReplaceFileSafely(path, [&](FileWriter& writer) {
        return ComposeTapeCsv(calc, [&](const std::string& bytes) { return writer.Add(bytes); });
    });
    if (error) ShowFileProblem(kExportFailedText + path, kExportCaption, error);
}

// Where the keyboard's menu opens: under its line when that is in view, else at the
// top of the tape.
POINT KeyboardMenuPoint(HWND tape, int lastLine) {
    RECT area;
    GetClientRect(tape, &area);
    POINT at = {area.left + 8, area.top + 8};
    RECT item;
    if (lastLine >= 0 &&
        SendMessageA(tape, LB_GETITEMRECT, lastLine, reinterpret_cast<LPARAM>(&item)) != LB_ERR &&
        item.bottom > area.top && item.bottom <= area.bottom) {
        at.y = item.bottom;
    }
    ClientToScreen(tape, &at);
    return at;
}

// Shows the menu at `screen` for `line` (-1: none) and runs the chosen item.
void RunTapeMenu(HWND mainWindow, POINT screen, int line) {
    const CalcView& view = *TheCalculator().view;
    const bool empty = view.TapeLineCount() == 0;
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuA(menu, MF_STRING | (line < 0 ? MF_GRAYED : 0), kCopyLine, kCopyLineText);
    AppendMenuA(menu, MF_STRING | (empty ? MF_GRAYED : 0), kCopyTape, kCopyTapeText);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (empty ? MF_GRAYED : 0), kExportCsv, kExportText);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       screen.x, screen.y, 0, mainWindow, nullptr));
    DestroyMenu(menu);
    // The menu's loop dispatches other messages while it is open: the line is read only
    // now that the choice is made, and only while it is still there.
    if (chosen == kCopyLine && line >= 0 && line < view.TapeLineCount())
        PutTapeTextOnClipboard(view.TapeLine(line));
    if (chosen == kCopyTape && view.TapeLineCount() > 0)
        PutTapeTextOnClipboard(WholeTapeText(view));
    if (chosen == kExportCsv && view.TapeLineCount() > 0) ExportTapeAsCsv(mainWindow);
    ReturnFocus();
}

// The line the keyboard's menu is for: the last one that is not blank, since a total
// ends in a blank line that nobody means to copy (-1: the tape has none).
int LastWrittenLine(const CalcView& view) {
    int line = view.TapeLineCount() - 1;
    while (line >= 0 && view.TapeLine(line).find_first_not_of(' ') == std::string::npos) --line;
    return line;
}

void OpenForKeyboard(HWND mainWindow) {
    HWND tape = GetDlgItem(mainWindow, kIdTape);
    // A hidden tape has nothing on screen to open a menu for.
    if (!tape || !IsWindowVisible(tape)) return;
    int line = LastWrittenLine(*TheCalculator().view);
    RunTapeMenu(mainWindow, KeyboardMenuPoint(tape, line), line);
}

// Keys reach only the window with the focus, so a key for the main window or one of
// its controls means the main window is active; a disabled main window (a modal window
// is up) takes no menu. GetActiveWindow is not asked: under Wine it can stay empty
// after a common dialog has closed, until the next activation.
bool IsMainWindowTarget(HWND target) {
    HWND main = MainWindow();
    return main && target && (target == main || IsChild(main, target)) && IsWindowEnabled(main);
}

}  // namespace

bool OnTapeContextMenu(HWND mainWindow, HWND source, LPARAM screenPoint) {
    HWND tape = GetDlgItem(mainWindow, kIdTape);
    if (screenPoint == -1) {
        OpenForKeyboard(mainWindow);
        return true;
    }
    if (!tape || source != tape) return false;
    POINT screen = {static_cast<short>(LOWORD(screenPoint)),
                    static_cast<short>(HIWORD(screenPoint))};
    POINT client = screen;
    ScreenToClient(tape, &client);
    RECT area;
    GetClientRect(tape, &area);
    // The scroll bar keeps its own menu.
    if (!PtInRect(&area, client)) return false;
    RunTapeMenu(mainWindow, screen, TapeLineAt(tape, client));
    return true;
}

bool HandleTapeMenuKey(const MSG& msg) {
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!down && !up) return false;
    const bool apps = msg.wParam == VK_APPS;
    const bool shiftF10 = msg.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0;
    if (!(apps || shiftF10) || !IsMainWindowTarget(msg.hwnd)) return false;
    // Taken whole, key-up too: the input field would otherwise open its own edit menu.
    if (down) OpenForKeyboard(MainWindow());
    return true;
}
