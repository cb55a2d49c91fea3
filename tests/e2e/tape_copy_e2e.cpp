// The tape's context menu on the real program: a right-click with the real mouse,
// the keyboard's menu key, the real clipboard and the real save dialog; the exported
// file is read back by Python's csv module.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness_win.h"

namespace {

constexpr int kTapeList = 1019;
constexpr int kInputSink = 1016;
constexpr int kStopwatchStart = 1052;
constexpr int kStopwatchLap = 1063;

enum MenuItem { kCopyLine = 1, kCopyTape = 2, kExportCsv = 3 };

// The program's popup menu window, or nullptr after the time-out.
HWND WaitForPopupMenu(const TallymaxApp& app, int timeoutMs = kPatienceMs) {
    return app.WaitForWindow("#32768", "", timeoutMs);
}

// Chooses an item of the open menu with the keyboard (the separator is skipped).
void ChooseMenuItem(HWND menu, int item) {
    for (int i = 0; i < item; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

bool MenuClosed(const TallymaxApp& app, HWND menu) {
    return TallymaxApp::WaitUntil([&] { return !IsWindowVisible(menu) || !IsWindow(menu); }) &&
           (app.Settle(), true);
}

// Chooses a greyed item of the menu that is opening; true once the menu is gone again.
// The platform may close the menu on it or keep it open (then Escape closes it).
bool ChooseGreyedItem(const TallymaxApp& app, int item) {
    HWND menu = WaitForPopupMenu(app);
    if (!menu) return false;
    ChooseMenuItem(menu, item);
    // Escape closes a menu that stayed open and does nothing to one that has closed.
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return MenuClosed(app, menu);
}

// Presses the right button with the real mouse on the tape, `y` pixels below the top
// of the list's client area; false when the tape could not be brought where the
// click goes. The caller holds the real input.
bool RightClickTape(const TallymaxApp& app, int y) {
    HWND list = app.Control(kTapeList);
    if (!RealInput::BringToFront(app.Main())) return false;
    POINT p = {60, y};
    ClientToScreen(list, &p);
    if (WindowFromPoint(p) != list) return false;
    return RealInput::Click(p, true);
}

// The y of the middle of tape line `index` in the list's client area.
int TapeLineY(const TallymaxApp& app, int index) {
    HWND list = app.Control(kTapeList);
    int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    return (index - top) * height + height / 2;
}

HWND FocusOf(const TallymaxApp& app) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(app.Main(), nullptr), &info);
    return info.hwndFocus;
}

std::wstring ClipboardUnicode() {
    std::wstring text = L"<no text>";
    if (!OpenClipboard(nullptr)) return L"<not open>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string Utf8Of1252(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    int n = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                static_cast<int>(wide.size()));
    std::string out(text.size() * 3 + 1, '\0');
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, &out[0], static_cast<int>(out.size()),
                                nullptr, nullptr);
    out.resize(m > 0 ? m : 0);
    return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t at = 0;
    for (;;) {
        size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) return parts;
        at = end + 1;
    }
}

// Python's csv module reads the file strictly; each row comes back as its field count
// and its fields, tab-separated, the first line telling whether the file has a BOM.
const char kReadCsv[] = R"(import csv, io, sys
data = open(sys.argv[1], 'rb').read()
out = open(sys.argv[2], 'w', encoding='utf-8', newline='\n')
out.write('BOM\n' if data.startswith(b'\xef\xbb\xbf') else 'NO BOM\n')
text = io.StringIO(data.decode('utf-8-sig'), newline='')
for row in csv.reader(text, strict=True):
    out.write(str(len(row)) + '\t' + '\t'.join(row) + '\n')
)";

// The file's rows as Python reads them, with the BOM line first; empty when it failed.
std::vector<std::string> RowsByPython(const TallymaxApp& app, const std::string& csvPath) {
    const std::string script = app.Folder() + "read_csv.py", out = app.Folder() + "rows.txt";
    WriteFileBytes(script, kReadCsv);
    if (!RunUnixScript("python3 '" + UnixPathOf(script) + "' '" + UnixPathOf(csvPath) + "' '" +
                       UnixPathOf(out) + "'"))
        return {};
    std::vector<std::string> rows = Split(ReadFileBytes(out), '\n');
    if (!rows.empty() && rows.back().empty()) rows.pop_back();
    return rows;
}

// Opens "Export as CSV..." from a right-click on the tape; the save dialog or nullptr.
HWND OpenExportDialog(const TallymaxApp& app, int lineY) {
    RealInput input;
    if (!RightClickTape(app, lineY)) return nullptr;
    HWND menu = WaitForPopupMenu(app);
    if (!menu) return nullptr;
    ChooseMenuItem(menu, kExportCsv);
    return app.WaitForWindow("#32770", "Export as CSV");
}

// Types `path` into the save dialog and confirms it, answering Yes when the dialog
// asks before overwriting; true once the dialog is gone.
bool ConfirmExportFile(const TallymaxApp& app, HWND dialog, const std::string& path,
                       bool expectOverwritePrompt) {
    SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    if (expectOverwritePrompt) {
        HWND ask = nullptr;
        if (!TallymaxApp::WaitUntil([&] {
                ask = app.WaitForWindow("#32770", "Export as CSV", 100);
                return ask && ask != dialog;
            }))
            return false;
        PostMessageA(ask, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(ask, IDYES)));
    }
    return TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); });
}

struct Expected {
    std::string amount, mark;  // the text is the tape line itself
};

TEST(TapeCopy, MixedSessionCopiesLinesAndTapeAndExportsCsv) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1234.5 + 3 =");
    app.Press("4 * 2.5 =");
    app.Press("200 + 10 %");
    app.Press("7 MS");
    app.Click(kStopwatchStart);
    app.Click(kStopwatchLap);
    app.Click(kStopwatchStart);
    app.Press("Clear");
    const std::vector<std::string> tape = app.Tape();
    const std::string rule(26, '-');
    const std::string lap = tape[tape.size() - 2];
    const std::vector<std::string> expectedTape = {"1,234.5  ", "3 +",      rule,   "1,237.5 =", "",
                                                   "4  ",       "2.5 \xD7", rule,   "10 =",      "",
                                                   "200  ",     "10% +",    rule,   "220 =",     "",
                                                   "7 MS",      lap,        "Clear"};
    ASSERT_EQ(tape, expectedTape);
    ASSERT_EQ(lap.substr(lap.size() - 4), " LAP");

    // A right-click on a line copies that line, "×" also as Unicode. The tape has
    // scrolled: only lines from the top index on are in view.
    const int last = static_cast<int>(tape.size()) - 1;
    ASSERT_GE(static_cast<int>(SendMessageW(app.Control(kTapeList), LB_GETTOPINDEX, 0, 0)), 1);
    ASSERT_LE(static_cast<int>(SendMessageW(app.Control(kTapeList), LB_GETTOPINDEX, 0, 0)), 6);
    PutClipboardText("before");
    RealInput input;
    ASSERT_TRUE(RightClickTape(app, TapeLineY(app, 6)));
    HWND menu = WaitForPopupMenu(app);
    ASSERT_NE(menu, nullptr) << "no menu after the right-click";
    ChooseMenuItem(menu, kCopyLine);
    ASSERT_TRUE(MenuClosed(app, menu));
    EXPECT_EQ(ClipboardText(), "2.5 \xD7");
    EXPECT_EQ(ClipboardUnicode(), L"2.5 \u00D7");
    EXPECT_EQ(FocusOf(app), app.Control(kInputSink)) << "the focus went back to the input field";
    EXPECT_EQ(app.Tape(), expectedTape) << "copying writes nothing on the tape";

    // Copy Tape: every line, CR LF between them.
    ASSERT_TRUE(RightClickTape(app, TapeLineY(app, last)));
    menu = WaitForPopupMenu(app);
    ASSERT_NE(menu, nullptr);
    ChooseMenuItem(menu, kCopyTape);
    ASSERT_TRUE(MenuClosed(app, menu));
    std::string all;
    for (size_t i = 0; i < tape.size(); ++i) all += (i ? "\r\n" : "") + tape[i];
    EXPECT_EQ(ClipboardText(), all);

    // Export through the save dialog, read back by Python.
    const std::string path = app.Folder() + "session.csv";
    HWND dialog = OpenExportDialog(app, TapeLineY(app, last - 2));
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_EQ(TallymaxApp::WindowTextOf(FileNameField(dialog)), "TallymaxTape.csv");
    ASSERT_TRUE(ConfirmExportFile(app, dialog, path, false));
    app.Settle();

    const std::vector<Expected> columns = {
        {"1234.5", ""},  {"3", "+"},   {"", ""},    {"1237.5", "="}, {"", ""},    {"4", ""},
        {"2.5", "\xD7"}, {"", ""},     {"10", "="}, {"", ""},        {"200", ""}, {"10", "+"},
        {"", ""},        {"220", "="}, {"", ""},    {"7", "MS"},     {"", "LAP"}, {"", ""}};
    std::vector<std::string> rows = RowsByPython(app, path);
    ASSERT_EQ(rows.size(), tape.size() + 2) << "BOM line, header and one row per line";
    EXPECT_EQ(rows[0], "BOM");
    EXPECT_EQ(rows[1], "3\tAmount\tMark\tText");
    for (size_t i = 0; i < tape.size(); ++i) {
        std::vector<std::string> fields = Split(rows[i + 2], '\t');
        ASSERT_EQ(fields.size(), 4u) << "row " << i << ": " << rows[i + 2];
        EXPECT_EQ(fields[0], "3") << "row " << i;
        EXPECT_EQ(fields[1], columns[i].amount) << "amount of [" << tape[i] << "]";
        EXPECT_EQ(fields[2], Utf8Of1252(columns[i].mark)) << "mark of [" << tape[i] << "]";
        EXPECT_EQ(fields[3], Utf8Of1252(tape[i])) << "text of row " << i;
    }
    EXPECT_EQ(app.Tape(), expectedTape);
}

TEST(TapeCopy, MenuKeyCopiesTheLastLineAndGreysWhatCannotBeDone) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("5 + 6 -");
    PutClipboardText("before");

    // The context-menu key while the input field has the focus: the last line.
    PostMessageA(app.Control(kInputSink), WM_KEYDOWN, VK_APPS, 1);
    HWND menu = WaitForPopupMenu(app);
    ASSERT_NE(menu, nullptr) << "no menu from the menu key";
    ChooseMenuItem(menu, kCopyLine);
    ASSERT_TRUE(MenuClosed(app, menu));
    EXPECT_EQ(ClipboardText(), "6 +");
    EXPECT_EQ(app.Display(), "11") << "the key reached no calculator operation";

    // Shift+F10 as real keys does the same.
    PutClipboardText("before");
    RealInput input;
    ASSERT_TRUE(RealInput::BringToFront(app.Main()));
    RealInput::Chord({VK_SHIFT, VK_F10});
    menu = WaitForPopupMenu(app);
    ASSERT_NE(menu, nullptr) << "no menu from Shift+F10";
    ChooseMenuItem(menu, kCopyLine);
    ASSERT_TRUE(MenuClosed(app, menu));
    EXPECT_EQ(ClipboardText(), "6 +");
    EXPECT_EQ(FocusOf(app), app.Control(kInputSink));

    // After a total the last line is blank: the keyboard's menu copies the total.
    app.Press("2 =");
    ASSERT_EQ(app.Tape().back(), "");
    PostMessageA(app.Control(kInputSink), WM_KEYDOWN, VK_APPS, 1);
    menu = WaitForPopupMenu(app);
    ASSERT_NE(menu, nullptr);
    ChooseMenuItem(menu, kCopyLine);
    ASSERT_TRUE(MenuClosed(app, menu));
    EXPECT_EQ(ClipboardText(), "9 =");

    // Below the last line "Copy Line" is greyed: choosing it does nothing.
    PutClipboardText("before");
    ASSERT_TRUE(RightClickTape(app, TapeLineY(app, 10)));
    ASSERT_TRUE(ChooseGreyedItem(app, kCopyLine));
    EXPECT_EQ(ClipboardText(), "before");

    // An empty tape greys every item.
    app.PostClick(1020);  // CT, answered Yes
    HWND box = app.WaitForWindow("#32770", "Calculator");
    ASSERT_NE(box, nullptr);
    TallymaxApp::PressDialogButton(box, IDYES);
    app.Settle();
    ASSERT_TRUE(app.Tape().empty());
    for (int item = kCopyLine; item <= kExportCsv; ++item) {
        ASSERT_TRUE(RightClickTape(app, 10));
        ASSERT_TRUE(ChooseGreyedItem(app, item)) << "item " << item;
        EXPECT_EQ(ClipboardText(), "before") << "item " << item;
    }
    EXPECT_EQ(app.WaitForWindow("#32770", "Export as CSV", 500), nullptr);
}

TEST(TapeCopy, AClipboardHeldByAnotherProgramNeitherHangsNorLosesItsText) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("3 + 4 =");
    PutClipboardText("held text");
    // Opened for a window of its own: Wine lets a second opener in when neither names one.
    HWND owner =
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner && OpenClipboard(owner));  // held until the copy has given up
    RealInput input;
    HWND menu = RightClickTape(app, TapeLineY(app, 0)) ? WaitForPopupMenu(app) : nullptr;
    if (menu) ChooseMenuItem(menu, kCopyTape);
    bool closed = menu && MenuClosed(app, menu);
    CloseClipboard();
    DestroyWindow(owner);
    ASSERT_TRUE(closed) << "no menu, or the program hung on the clipboard";
    EXPECT_EQ(ClipboardText(), "held text");
    EXPECT_EQ(app.Tape().size(), 5u);
}

TEST(TapeCopy, AFailedExportIsReportedAndKeepsTheOldFile) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("8 / 2 =");
    const std::string path = app.Folder() + "kept.csv";
    WriteFileBytes(path, "older,file\r\n");
    // Another program holds the file open without letting it be replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    HWND dialog = OpenExportDialog(app, TapeLineY(app, 0));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ConfirmExportFile(app, dialog, path, true)) << "no overwrite prompt";
    HWND box = nullptr;
    TallymaxApp::WaitUntil([&] {
        box = app.WaitForWindow("#32770", "Export as CSV", 100);
        return box &&
               TallymaxApp::MessageBoxText(box).find("could not be exported") != std::string::npos;
    });
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TallymaxApp::MessageBoxText(box).substr(0, 35 + path.size()),
              "The tape could not be exported as: " + path);
    TallymaxApp::PressDialogButton(box, IDOK);
    app.Settle();
    EXPECT_EQ(ReadFileBytes(path), "older,file\r\n");
    EXPECT_FALSE(FolderHasTempFiles(app.Folder())) << "a temporary file was left behind";

    // Released, the same file is replaced.
    CloseHandle(held);
    dialog = OpenExportDialog(app, TapeLineY(app, 0));
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ConfirmExportFile(app, dialog, path, true));
    app.Settle();
    EXPECT_EQ(ReadFileBytes(path),
              "\xEF\xBB\xBF"
              "Amount,Mark,Text\r\n8,,8  \r\n2,\xC3\xB7,2 \xC3\xB7\r\n,," +
                  std::string(26, '-') + "\r\n4,=,4 =\r\n,,\r\n");
    EXPECT_FALSE(FolderHasTempFiles(app.Folder()));
}

}  // namespace
