// File > Save Tape and Load Tape through the real common dialogs: the report on disk,
// the round trip into a new session, failed saves and hostile tape files.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "harness_win.h"

namespace {

constexpr int kMenuSaveTape = 6001;
constexpr int kMenuLoadTape = 6002;
constexpr int kTapeList = 1019;

const std::string k30(30, ' ');

// A message box of the program whose text begins with `textStart`.
HWND WaitForBox(const TallymaxApp& app, const std::string& textStart, int timeoutMs = kPatienceMs) {
    HWND found = nullptr;
    TallymaxApp::WaitUntil(
        [&] {
            found = FindProcessWindow(app.ProcessId(), "#32770", [&](HWND h) {
                return TallymaxApp::MessageBoxText(h).compare(0, textStart.size(), textStart) == 0;
            });
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// Opens the save or open dialog from the File menu; nullptr when it does not appear.
HWND OpenFileDialog(TallymaxApp& app, int menuId) {
    app.PostMenu(menuId);
    return app.WaitForWindow("#32770", menuId == kMenuSaveTape ? "Save File As" : "Open Tape File");
}

// Types `path` into the dialog and confirms it. Posted: the dialog may ask before
// overwriting, which would block a sent message.
void ConfirmFile(HWND dialog, const std::string& path) {
    SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Waits until the dialog and anything it opened are gone and the program is idle.
bool WaitForIdle(const TallymaxApp& app, HWND dialog, int timeoutMs) {
    if (!TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }, timeoutMs)) return false;
    DWORD_PTR count = 0;
    // A sent message is answered only once the loading loop is done.
    return SendMessageTimeoutA(app.Control(kTapeList), LB_GETCOUNT, 0, 0, SMTO_NORMAL, timeoutMs,
                               &count) != 0;
}

int TapeCount(const TallymaxApp& app) {
    return static_cast<int>(SendMessageW(app.Control(kTapeList), LB_GETCOUNT, 0, 0));
}

std::string TapeLineAt(const TallymaxApp& app, int index) {
    HWND list = app.Control(kTapeList);
    int len = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, index, 0));
    if (len < 0) return "<none>";
    std::wstring w(len + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&w[0]));
    w.resize(wcslen(w.c_str()));
    std::string s(w.size() * 2 + 1, '\0');
    int got = WideCharToMultiByte(1252, 0, w.c_str(), static_cast<int>(w.size()), &s[0],
                                  static_cast<int>(s.size()), nullptr, nullptr);
    s.resize(got > 0 ? got : 0);
    return s;
}

// Saves the tape through the dialog and dismisses the confirmation; returns its text.
std::string SaveTapeAs(TallymaxApp& app, const std::string& path) {
    HWND dialog = OpenFileDialog(app, kMenuSaveTape);
    if (!dialog) return "<no dialog>";
    ConfirmFile(dialog, path);
    if (!TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); })) return "<dialog stayed>";
    HWND box = WaitForBox(app, "");
    if (!box) return "<no message>";
    std::string text = TallymaxApp::MessageBoxText(box);
    TallymaxApp::PressDialogButton(box, IDOK);
    app.Settle();
    return text;
}

// Loads `path` through the open dialog; returns the seconds it took, or -1.
double LoadTapeFrom(TallymaxApp& app, const std::string& path, int timeoutMs = 60000) {
    HWND dialog = OpenFileDialog(app, kMenuLoadTape);
    if (!dialog) return -1;
    auto start = std::chrono::steady_clock::now();
    ConfirmFile(dialog, path);
    if (!WaitForIdle(app, dialog, timeoutMs)) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::string ManyLines(int count) {
    std::string text = k30 + "Tape Report (01-02-2026 at 03:04:05)\r\n\r\n\r\n";
    text.reserve(text.size() + static_cast<size_t>(count) * 34);
    char line[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "%30s\r\n", (std::to_string(i) + ".00 +").c_str());
        text += line;
    }
    return text + "\r\n** 7\r\n***  7\r\n";
}

TEST(TapeFiles, SavedReportLoadsIntoANewSessionAndEqualsContinues) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("2 + 3 =");
    app.Press("4 - 6 =");
    std::vector<std::string> tape = app.Tape();
    std::string display = app.Display();
    ASSERT_EQ(display, "-2");
    std::string path = app.Folder() + "my tape.txt";

    EXPECT_EQ(SaveTapeAs(app, path), "File was saved as: " + path);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), path);
    std::vector<std::string> file = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(file.size(), tape.size() + 6);
    EXPECT_EQ(file[0].substr(0, 43), k30 + "Tape Report (");
    EXPECT_EQ(file[0].size(), 30u + 36u) << file[0];
    EXPECT_EQ(file[1], "");
    EXPECT_EQ(file[2], "");
    for (size_t i = 0; i < tape.size(); ++i) {
        std::string aligned =
            tape[i].size() >= 30 ? tape[i] : std::string(30 - tape[i].size(), ' ') + tape[i];
        EXPECT_EQ(file[3 + i], aligned) << "tape line " << i;
    }
    EXPECT_EQ(file[file.size() - 3], "");
    EXPECT_EQ(file[file.size() - 2], "** -2");
    EXPECT_EQ(file[file.size() - 1], "*** -2");
    ASSERT_TRUE(app.Close());

    TallymaxApp again;
    again.WriteIni(app.Ini());
    ASSERT_TRUE(again.Start());
    again.Press("9 +");
    std::vector<std::string> before = again.Tape();
    HWND dialog = OpenFileDialog(again, kMenuLoadTape);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TallymaxApp::WindowTextOf(FileNameField(dialog)), "my tape.txt")
        << "the dialog offers the remembered file";
    ConfirmFile(dialog, path);
    ASSERT_TRUE(WaitForIdle(again, dialog, kPatienceMs));

    std::vector<std::string> expected = before;
    expected.insert(expected.end(), tape.begin(), tape.end());
    expected.push_back("");
    EXPECT_EQ(again.Tape(), expected);
    EXPECT_EQ(again.Display(), "-2");

    // The pending "9 +" is gone and "=" repeats the saved result.
    again.Press("=");
    EXPECT_EQ(again.Display(), "-2");
    std::vector<std::string> after = again.Tape();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[after.size() - 2], "-2 =");
    EXPECT_EQ(after.size(), expected.size() + 3);
}

TEST(TapeFiles, DisplayAndLastResultComeFromTheFile) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    std::string path = app.Folder() + "edited.txt";
    WriteFileBytes(path, "x\r\n** 1\r\n\r\n  4.00 +\r\n**note\r\n** 99\r\n***  12.5\r\n");
    ASSERT_GE(LoadTapeFrom(app, path), 0);
    EXPECT_EQ(app.Tape(), std::vector<std::string>{"4.00 +"});
    EXPECT_EQ(app.Display(), "99");
    // "Chg" works from the last result: 99 tendered against 12.5.
    app.Press("Chg");
    EXPECT_EQ(app.Display(), "86.5");
    std::vector<std::string> tape = app.Tape();
    ASSERT_GE(tape.size(), 4u);
    EXPECT_EQ(tape[1], "99 - 12.5");
}

TEST(TapeFiles, AFailedSaveIsReportedAndKeepsTheOldFile) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1 + 1 =");
    std::string path = app.Folder() + "kept.txt";
    WriteFileBytes(path, "the older good tape\r\n");
    // Another program holds the file open without letting it be replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    HWND dialog = OpenFileDialog(app, kMenuSaveTape);
    ASSERT_TRUE(dialog);
    ConfirmFile(dialog, path);
    // The dialog asks before overwriting; say yes.
    HWND ask = nullptr;
    TallymaxApp::WaitUntil([&] {
        ask = app.WaitForWindow("#32770", "Save File As", 100);
        return ask && ask != dialog;
    });
    if (ask && ask != dialog)
        PostMessageA(ask, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(ask, IDYES)));

    HWND box = WaitForBox(app, "The tape could not be saved as: " + path);
    if (!box) CloseHandle(held);
    ASSERT_TRUE(box) << "no failure message";
    EXPECT_FALSE(WaitForBox(app, "File was saved as", 0));
    TallymaxApp::PressDialogButton(box, IDOK);
    app.Settle();

    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(path), "the older good tape\r\n");
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), "<missing>")
        << "a file that was not saved is not offered again";
    EXPECT_FALSE(FolderHasTempFiles(app.Folder())) << "a temporary file was left behind";
}

TEST(TapeFiles, CancelledDialogsChangeNothing) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("5 +");
    for (int menu : {kMenuSaveTape, kMenuLoadTape}) {
        HWND dialog = OpenFileDialog(app, menu);
        ASSERT_TRUE(dialog) << menu;
        EXPECT_EQ(TallymaxApp::WindowTextOf(FileNameField(dialog)), "TallymaxTape.txt") << menu;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(WaitForIdle(app, dialog, kPatienceMs)) << menu;
    }
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), "<missing>");
    EXPECT_EQ(app.Tape(), std::vector<std::string>{"5  "});
    EXPECT_EQ(ReadFileBytes(app.Folder() + "TallymaxTape.txt"), "");
}

TEST(TapeFiles, TheSaveConfirmationIsNotHiddenByAnAlwaysOnTopWindow) {
    auto topmost = [](HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTopMost=1\r\n");
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(topmost(app.Main()));
    app.Press("3 +");
    std::string path = app.Folder() + "top.txt";
    HWND dialog = OpenFileDialog(app, kMenuSaveTape);
    ASSERT_TRUE(dialog);
    ConfirmFile(dialog, path);
    HWND box = WaitForBox(app, "File was saved as: ");
    ASSERT_TRUE(box);
    EXPECT_EQ(TallymaxApp::MessageBoxText(box), "File was saved as: " + path);
    EXPECT_EQ(TallymaxApp::WindowTextOf(box), "") << "the confirmation has no caption";
    EXPECT_FALSE(topmost(app.Main())) << "the main window left the topmost band for the box";
    TallymaxApp::PressDialogButton(box, IDOK);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return topmost(app.Main()); }));
    EXPECT_NE(ReadFileBytes(path).find("3  \r\n"), std::string::npos);
}

TEST(TapeFiles, LoadOffersOnlyFilesThatExist) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("5 +");
    HWND dialog = OpenFileDialog(app, kMenuLoadTape);
    ASSERT_TRUE(dialog);
    ConfirmFile(dialog, app.Folder() + "no such tape.txt");
    // The dialog warns and stays open; nothing is loaded or remembered.
    HWND warning = nullptr;
    TallymaxApp::WaitUntil([&] { return (warning = OtherDialog(app, dialog)) != nullptr; });
    ASSERT_TRUE(warning) << "no warning about the missing file";
    EXPECT_NE(TallymaxApp::MessageBoxText(warning).find("does not exist"), std::string::npos)
        << TallymaxApp::MessageBoxText(warning);
    EXPECT_TRUE(IsWindow(dialog));
    TallymaxApp::PressDialogButton(warning, IDOK);
    TallymaxApp::WaitUntil([&] { return !IsWindow(warning); });
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(WaitForIdle(app, dialog, kPatienceMs));
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), "<missing>");
    EXPECT_EQ(app.Tape(), std::vector<std::string>{"5  "});
}

TEST(TapeFiles, AnUnusableRememberedFileStillOpensTheDialog) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nLastTapeFile=C:\\no\\such<>|\"?*\\folder\\x\r\n");
    ASSERT_TRUE(app.Start());
    std::string path = app.Folder() + "fresh.txt";
    EXPECT_EQ(SaveTapeAs(app, path), "File was saved as: " + path);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), path);
}

TEST(TapeFiles, GarbageAndEndlessLinesLoadSafely) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    std::string junk;
    unsigned seed = 7;
    for (int i = 0; i < 300000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += static_cast<char>(seed >> 16);
    }
    std::string garbage = app.Folder() + "garbage.bin";
    WriteFileBytes(garbage, junk);
    ASSERT_GE(LoadTapeFrom(app, garbage), 0);
    ASSERT_TRUE(app.Running());

    int before = TapeCount(app);
    std::string endless(8u << 20, '7');
    std::string huge = app.Folder() + "huge.txt";
    WriteFileBytes(huge,
                   "h\r\n\r\n\r\n" + endless + "\r\n3.00 +\r\n** " + endless + "\r\n***  2\r\n");
    ASSERT_GE(LoadTapeFrom(app, huge), 0);
    ASSERT_TRUE(app.Running());
    EXPECT_EQ(TapeCount(app), before + 2);
    EXPECT_EQ(TapeLineAt(app, before), std::string(1024, '7'));
    EXPECT_EQ(TapeLineAt(app, before + 1), "3.00 +");
    EXPECT_EQ(app.Display().size(), 1021u);

    app.Press("Clear 1 + 1 =");
    EXPECT_EQ(app.Display(), "2");
}

TEST(TapeFiles, AHundredThousandLinesLoad) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    std::string path = app.Folder() + "long.txt";
    WriteFileBytes(path, ManyLines(100000));
    double seconds = LoadTapeFrom(app, path);
    ASSERT_GE(seconds, 0);
    std::printf("100,000 tape lines loaded in %.2f s\n", seconds);
    EXPECT_EQ(TapeCount(app), 100000 + 1);
    EXPECT_EQ(TapeLineAt(app, 0), "0.00 +");
    EXPECT_EQ(TapeLineAt(app, 99999), "99999.00 +");
    EXPECT_EQ(app.Display(), "7");
}

TEST(TapeFiles, AMillionLinesLoad) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    std::string path = app.Folder() + "longer.txt";
    WriteFileBytes(path, ManyLines(1000000));
    double seconds = LoadTapeFrom(app, path, 170000);
    ASSERT_GE(seconds, 0);
    std::printf("1,000,000 tape lines loaded in %.2f s\n", seconds);
    EXPECT_EQ(TapeCount(app), 1000000 + 1);
    EXPECT_EQ(TapeLineAt(app, 999999), "999999.00 +");
    std::string journal = ReadFileBytes(app.Folder() + "Tallymax.tape");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 100000) << "kept within its bound";
    EXPECT_EQ(journal.substr(journal.size() - 13), "999999.00 +\n\n") << "the newest lines";
    app.Press("Clear 2 + 2 =");
    EXPECT_EQ(app.Display(), "4");
}

// ---- Drawing the loaded lines ----

struct Ink {
    int red = 0, blue = 0, dark = 0, other = 0;
    int rightmost = -1;  // the last inked column, from the item's left edge
};

// Counts the inked pixels of one tape line as the screen shows it.
Ink InkOfTapeLine(const TallymaxApp& app, int index) {
    Ink ink;
    HWND list = app.Control(kTapeList);
    RECT item{};
    if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return ink;
    POINT origin{item.left, item.top};
    ClientToScreen(list, &origin);
    int w = item.right - item.left, h = item.bottom - item.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    COLORREF window = GetSysColor(COLOR_WINDOW);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            COLORREF c = GetPixel(mem, x, y);
            if (c == window) continue;
            int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (r > 150 && g < 100 && b < 100) {
                ++ink.red;
            } else if (b > 150 && r < 100 && g < 100) {
                ++ink.blue;
            } else if (r < 100 && g < 100 && b < 100) {
                ++ink.dark;
            } else {
                ++ink.other;
            }
            ink.rightmost = std::max(ink.rightmost, x);
        }
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ink;
}

TEST(TapeFiles, LoadedLinesAreDrawnInTheInkOfTheirText) {
    struct Case {
        const char* line;
        const char* ink;  // "red", "blue", "default" or "none"
    } cases[] = {
        {"12.50 +", "default"}, {"5.00 -", "red"},         {"-3.00 +", "red"},
        {"-1,000.00 +", "red"}, {"4.00 M+", "blue"},       {"-4.00 M+", "blue"},
        {"-1.00 MS", "blue"},   {"Copy (-2.00)", "blue"},  {"M2 Clear", "blue"},
        {"(Hex)", "blue"},      {"(Hex) 10 =", "default"}, {"Saving...", "blue"},
        {"", "none"},           {"-5 =", "red"},
    };
    std::string file = "h\r\n\r\n\r\n";
    for (const Case& c : cases) file += std::string(c.line) + "\r\n";

    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    std::string path = app.Folder() + "inks.txt";
    WriteFileBytes(path, file);
    ASSERT_GE(LoadTapeFrom(app, path), 0);
    ASSERT_EQ(TapeCount(app), static_cast<int>(std::size(cases)));
    // Nothing of another window may cover the tape while its pixels are read.
    ASSERT_TRUE(RealInput::BringToFront(app.Main()));
    RedrawWindow(app.Control(kTapeList), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    app.Painted();

    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        const Case& c = cases[i];
        Ink ink = InkOfTapeLine(app, i);
        std::string seen = ink.red > 0 && ink.blue == 0 && ink.dark == 0   ? "red"
                           : ink.blue > 0 && ink.red == 0 && ink.dark == 0 ? "blue"
                           : ink.dark > 0 && ink.red == 0 && ink.blue == 0 ? "default"
                           : ink.red + ink.blue + ink.dark == 0            ? "none"
                                                                           : "mixed";
        EXPECT_EQ(seen, c.ink) << "\"" << c.line << "\": red " << ink.red << ", blue " << ink.blue
                               << ", dark " << ink.dark << ", other " << ink.other;
        if (*c.line) {
            // Right-aligned so that every line ends 200 pixels from the list's left edge.
            EXPECT_LT(ink.rightmost, 200) << c.line;
            EXPECT_GE(ink.rightmost, 192) << c.line;
        }
    }
}

}  // namespace

namespace {

// The file without its first line: the report's heading carries the time of the save.
std::string AfterHeading(const std::string& report) {
    size_t end = report.find("\r\n");
    return end == std::string::npos ? std::string() : report.substr(end + 2);
}

// Confirms the save dialog onto an existing file and answers the overwrite question.
void SaveOver(TallymaxApp& app, const std::string& path) {
    HWND dialog = OpenFileDialog(app, kMenuSaveTape);
    if (!dialog) return;
    ConfirmFile(dialog, path);
    HWND ask = nullptr;
    TallymaxApp::WaitUntil([&] {
        ask = app.WaitForWindow("#32770", "Save File As", 50);
        return ask && ask != dialog;
    });
    if (ask && ask != dialog)
        PostMessageA(ask, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(ask, IDYES)));
}

}  // namespace

TEST(TapeFiles, AKilledSaveLeavesTheOldOrTheNewFile) {
    const std::string old = "the older good tape\r\n";
    std::string fresh;
    std::mt19937 random(1209);
    int olds = 0, news = 0;
    double writeMs = 0;
    for (int round = 0; round < 7; ++round) {
        TallymaxApp app;
        ASSERT_TRUE(app.Start()) << "round " << round;
        std::string source = app.Folder() + "long.txt";
        WriteFileBytes(source, ManyLines(60000));
        ASSERT_GE(LoadTapeFrom(app, source), 0) << "round " << round;
        std::string path = app.Folder() + "kept.txt";
        WriteFileBytes(path, old);
        SaveOver(app, path);
        // The save has begun once its temporary file is there.
        ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return FolderHasTempFiles(app.Folder()); }, 30000))
            << "round " << round;
        auto start = std::chrono::steady_clock::now();
        if (round == 0) {
            // A whole save first: the new version, and how long its writing takes.
            HWND box = WaitForBox(app, "File was saved as", 30000);
            ASSERT_TRUE(box);
            writeMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            TallymaxApp::PressDialogButton(box, IDOK);
            fresh = AfterHeading(ReadFileBytes(path));
            ASSERT_GT(fresh.size(), 60000u * 30);
            continue;
        }
        Sleep(static_cast<DWORD>(random() % static_cast<unsigned>(writeMs * 1.3 + 1)));
        app.Kill();
        std::string kept = ReadFileBytes(path);
        if (kept == old) {
            ++olds;
        } else {
            EXPECT_EQ(AfterHeading(kept), fresh)
                << "round " << round << ": " << kept.size() << " bytes, not a whole version";
            ++news;
        }
    }
    std::printf("writing a save took %.0f ms; killed saves left %d old and %d new files\n", writeMs,
                olds, news);
}
