// The real program in environments that work against it: no writable folder, a
// folder where the settings file should be, a remembered tape folder that is gone,
// a full disk, a clipboard another program keeps open, and files of absurd size.
// Each ends in a message with a clear text or the defined fallback, and no file is
// lost or left half-written.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "harness_win.h"
#include "options_steps_win.h"
#include "throughput/throughput_window_ids.h"
#include "throughput_steps_win.h"
#include "ui/control_ids.h"

namespace {

// The names in a folder (with a trailing "\"), "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& n : names) all += (all.empty() ? "" : ", ") + n;
    return all;
}

bool CanCreateFileIn(const std::string& folder) {
    std::string probe = folder + "probe.tmp";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    DeleteFileA(probe.c_str());
    return true;
}

struct Seen {
    std::string offered;  // the file name the dialog offered
    std::string caption, text;
    bool dialogStayed = false;  // the file dialog refused the name itself
};

// File > Save Tape or Load Tape: types `path` (or keeps the offered name when empty),
// confirms, says yes to replacing a file, and reads and closes the message that follows.
Seen UseTapeDialog(TallymaxApp& app, int menu, const std::string& path,
                   int timeoutMs = kPatienceMs) {
    Seen seen;
    app.PostMenu(menu);
    HWND dialog =
        app.WaitForWindow("#32770", menu == kMenuSaveTape ? "Save File As" : "Open Tape File");
    if (!dialog) {
        seen.text = "<no file dialog>";
        return seen;
    }
    seen.offered = TallymaxApp::WindowTextOf(FileNameField(dialog));
    if (!path.empty())
        SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    HWND box = nullptr;
    TallymaxApp::WaitUntil(
        [&] {
            box = OtherDialog(app, dialog);
            if (box &&
                TallymaxApp::MessageBoxText(box).find("already exists") != std::string::npos) {
                TallymaxApp::PressDialogButton(box, IDYES);
                box = nullptr;
            }
            return box != nullptr;
        },
        timeoutMs);
    if (!box) {
        seen.text = "<no message>";
        return seen;
    }
    seen.caption = TallymaxApp::WindowTextOf(box);
    seen.text = TallymaxApp::MessageBoxText(box);
    seen.dialogStayed = IsWindow(dialog) != 0;
    TallymaxApp::PressDialogButton(box, IDOK);
    TallymaxApp::WaitUntil([&] { return !IsWindow(box); });
    if (IsWindow(dialog)) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); });
    }
    app.Settle();
    return seen;
}

std::string Prefix(const std::string& text, size_t n) {
    return text.substr(0, std::min(n, text.size()));
}

bool TopMost(const TallymaxApp& app) {
    return (GetWindowLongA(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

const std::string kSaveFailed = "The tape could not be saved as: ";
const std::string kSaved = "File was saved as: ";

TEST(Hostile, NoWritableFolderAtAll) {
    std::string makerFile = MakerFolder() + "\\Tallymax.ini";
    DeleteFileA(makerFile.c_str());
    TallymaxApp app;
    Mount programFolder = Mount::ReadOnly(app.Folder());
    SKIP_UNLESS_MOUNTED(programFolder);
    Mount appData = Mount::ReadOnly(AppDataFolder() + "\\");
    SKIP_UNLESS_MOUNTED(appData);
    ASSERT_FALSE(CanCreateFileIn(app.Folder()));
    ASSERT_FALSE(CanCreateFileIn(AppDataFolder() + "\\"));

    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Display(), "0");
    EXPECT_EQ(TaxRateShown(app), "0") << "defaults";
    app.Press("2 + 3 =");
    EXPECT_EQ(app.Display(), "5");
    // The tape cannot be kept for the next start, which is told once.
    HWND told = app.WaitForWindow("#32770", "Tape");
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(TallymaxApp::MessageBoxText(told).find("The tape cannot be kept between sessions: "),
              0u);
    TallymaxApp::PressDialogButton(told, IDOK);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(told); }));
    app.Click(kIdTopMost);
    EXPECT_TRUE(TopMost(app)) << "a setting that cannot be stored still takes effect";

    std::string path = app.Folder() + "TallymaxTape.txt";
    Seen save = UseTapeDialog(app, kMenuSaveTape, "");
    EXPECT_EQ(save.offered, "TallymaxTape.txt");
    EXPECT_EQ(Prefix(save.text, kSaveFailed.size() + path.size()), kSaveFailed + path) << save.text;
    EXPECT_EQ(save.caption, "Save Tape");
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(Joined(FolderEntries(app.Folder())), "tallymax.exe") << "nothing was written";
    EXPECT_FALSE(IsFile(makerFile));
    EXPECT_TRUE(app.Close());
}

// Removes the folder made in the settings file's place in the maker folder, which
// every later start of the program in this prefix would otherwise meet.
struct MakerFolderIni {
    std::string path = MakerFolder() + "\\Tallymax.ini";
    std::string journal = MakerFolder() + "\\Tallymax.tape";
    bool made = false;
    MakerFolderIni() {
        CreateDirectoryA((AppDataFolder() + "\\Korvalen").c_str(), nullptr);
        CreateDirectoryA(MakerFolder().c_str(), nullptr);
        DeleteFileA(path.c_str());
        DeleteFileA(journal.c_str());
        made = CreateDirectoryA(path.c_str(), nullptr) != 0;
    }
    ~MakerFolderIni() {
        RemoveDirectoryA(path.c_str());
        DeleteFileA(journal.c_str());
    }
};

TEST(Hostile, SettingsFileThatIsAFolder) {
    MakerFolderIni maker;
    ASSERT_TRUE(maker.made);
    TallymaxApp app;
    ASSERT_TRUE(CreateDirectoryA((app.Folder() + "Tallymax.ini").c_str(), nullptr));
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Display(), "0");
    EXPECT_EQ(TaxRateShown(app), "0");
    app.Click(kIdTopMost);
    EXPECT_TRUE(TopMost(app));
    app.Menu(kMenuShowTape);
    EXPECT_FALSE(IsWindowVisible(app.Control(kIdTape))) << "the tape hides though unsaved";
    app.Menu(kMenuShowTape);
    EXPECT_TRUE(IsWindowVisible(app.Control(kIdTape)));

    app.Press("4 + 5 =");
    std::string path = app.Folder() + "tape.txt";
    Seen save = UseTapeDialog(app, kMenuSaveTape, path);
    EXPECT_EQ(save.text, kSaved + path);
    EXPECT_NE(ReadFileBytes(path).find("9 =\r\n"), std::string::npos);
    EXPECT_TRUE(app.Close());

    EXPECT_TRUE(IsFolder(app.Folder() + "Tallymax.ini"));
    EXPECT_TRUE(IsFolder(maker.path));
    EXPECT_EQ(Joined(FolderEntries(app.Folder() + "Tallymax.ini\\")), "");
    EXPECT_EQ(Joined(FolderEntries(maker.path + "\\")), "");
    EXPECT_EQ(Joined(FolderEntries(app.Folder())), "Tallymax.ini, tallymax.exe, tape.txt")
        << "no temporary file is left beside the settings file";
    EXPECT_EQ(Joined(FolderEntries(MakerFolder() + "\\")), "Tallymax.ini, Tallymax.tape")
        << "the tape is kept beside the settings file";
}

TEST(Hostile, RememberedTapeFolderHasVanished) {
    TallymaxApp app;
    std::string gone = app.Folder() + "gone";
    ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
    std::string remembered = gone + "\\old tape.txt";
    WriteFileBytes(remembered, "h\r\n\r\n\r\n1 +\r\n");
    app.WriteIni("[Main Settings]\r\nLastTapeFile=" + remembered + "\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("6 +");
    // The folder goes away while the program runs.
    DeleteFileA(remembered.c_str());
    ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));

    Seen load = UseTapeDialog(app, kMenuLoadTape, "");
    EXPECT_EQ(load.offered, "old tape.txt");
    EXPECT_TRUE(load.dialogStayed) << "the dialog refuses a file that is not there";
    EXPECT_NE(load.text.find("does not exist"), std::string::npos) << load.text;
    EXPECT_EQ(app.Tape(), std::vector<std::string>{"6  "});
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), remembered);

    Seen typed = UseTapeDialog(app, kMenuSaveTape, remembered);
    EXPECT_EQ(typed.offered, "old tape.txt");
    EXPECT_FALSE(IsFolder(gone)) << "no folder is made behind the user's back";
    if (typed.dialogStayed) {
        EXPECT_NE(typed.text.find("gone"), std::string::npos) << typed.text;
    } else {
        EXPECT_EQ(Prefix(typed.text, kSaveFailed.size()), kSaveFailed) << typed.text;
    }

    std::string fresh = app.Folder() + "fresh.txt";
    Seen save = UseTapeDialog(app, kMenuSaveTape, fresh);
    EXPECT_EQ(save.text, kSaved + fresh);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "LastTapeFile"), fresh);
    EXPECT_TRUE(IsFile(fresh));
}

std::string FullIni(const std::string& taxRate) {
    return "[Main Settings]\r\nGroup 1 Color=16711680\r\nGroup 2 Color=255\r\n"
           "Group 3 Color=16711935\r\nShowTape=1\r\nShowStatusBar=1\r\nShowStopWatch=1\r\n"
           "Digit Grouping=1\r\nDecimal Setting1=10\r\nDecimal Setting2=10\r\nAuto Decimal=0\r\n"
           "TaxRate=" +
           taxRate + "\r\nTopMost=0\r\nLT10Key=0\r\nCalcMode=0\r\n";
}

// Fills the disk the folder is on until it takes no more, in one file.
bool FillDisk(const std::string& file) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string block(4096, 'f');
    DWORD done = 0;
    while (WriteFile(h, block.data(), static_cast<DWORD>(block.size()), &done, nullptr) &&
           done == block.size()) {
    }
    for (DWORD size = 2048; size > 0; size /= 2) WriteFile(h, block.data(), size, &done, nullptr);
    CloseHandle(h);
    return true;
}

TEST(Hostile, FullDisk) {
    TallymaxApp app;
    size_t exeSize = ReadFileBytes(BuiltExePath()).size();
    ASSERT_GT(exeSize, 0u);
    // The program itself lives on the small disk, so its settings file does too.
    Mount disk = Mount::Tmpfs(app.Folder(), exeSize + 300 * 1024);
    SKIP_UNLESS_MOUNTED(disk);
    ASSERT_TRUE(CopyFileA(BuiltExePath().c_str(), (app.Folder() + "tallymax.exe").c_str(), FALSE));
    const std::string ini = FullIni("7.5");
    app.WriteIni(ini);
    std::string tapeFile = app.Folder() + "tape.txt";
    const std::string oldTape = "the older good tape\r\n";
    WriteFileBytes(tapeFile, oldTape);
    std::string target = app.Folder() + "target";
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    ASSERT_TRUE(app.Start());
    for (int i = 0; i < 200; ++i) app.Press("1 +");
    std::string filler = app.Folder() + "filler.bin";
    ASSERT_TRUE(FillDisk(filler));

    // A settings write: the file stays as it was, and the setting still takes effect.
    app.Click(kIdTopMost);
    EXPECT_TRUE(TopMost(app));
    EXPECT_EQ(app.Ini(), ini);

    // A tape save over an older tape: a message, and the older tape survives whole.
    Seen save = UseTapeDialog(app, kMenuSaveTape, tapeFile);
    EXPECT_EQ(Prefix(save.text, kSaveFailed.size() + tapeFile.size()), kSaveFailed + tapeFile)
        << save.text;
    EXPECT_EQ(ReadFileBytes(tapeFile), oldTape);

    // A folder-mode throughput run of 1 MB on the full disk.
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    StartTestOn(window, target);
    HWND options = app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options");
    ASSERT_NE(options, nullptr);
    AnswerTestSize(options, "1");
    // The options dialog measures the room first and refuses the size; it stays open
    // for another one.
    HWND box = nullptr;
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] {
        return (box = app.WaitForWindow("#32770", "Quorvel Options", 0)) != nullptr;
    })) << "no message about the full disk";
    EXPECT_EQ(TallymaxApp::MessageBoxText(box),
              "The folder has room for a test of at most 0 megabytes.");
    TallymaxApp::PressDialogButton(box, IDOK);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(box); }));
    ASSERT_TRUE(IsWindow(options));
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(options); }));
    app.Settle();
    EXPECT_EQ(TallymaxApp::WindowTextOf(GetDlgItem(window, kIdQvlStatus)), "");
    EXPECT_EQ(Joined(FolderEntries(target + "\\")), "") << "no test file was begun";

    // Nothing else was lost, no temporary file stayed, and with room again all works.
    EXPECT_EQ(Joined(FolderEntries(app.Folder())),
              "Tallymax.ini, Tallymax.tape, filler.bin, tallymax.exe, tape.txt, target");
    EXPECT_EQ(ReadFileBytes(tapeFile), oldTape);
    EXPECT_EQ(app.Ini(), ini);
    ASSERT_TRUE(DeleteFileA(filler.c_str()));
    app.Click(kIdTopMost);
    app.Click(kIdTopMost);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "TopMost"), "1");
    save = UseTapeDialog(app, kMenuSaveTape, tapeFile);
    EXPECT_EQ(save.text, kSaved + tapeFile);
    EXPECT_NE(ReadFileBytes(tapeFile).find("1 +\r\n"), std::string::npos);
    EXPECT_TRUE(app.Close());
}

// The main window closed from outside (as the taskbar's Close does) while the
// throughput options dialog waits for an answer: the program ends cleanly.
TEST(Hostile, MainWindowClosedUnderTheThroughputOptions) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND window = OpenQuorvel(app);
    ASSERT_NE(window, nullptr);
    std::string target = app.Folder() + "target";
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    StartTestOn(window, target);
    ASSERT_NE(app.WaitForWindow(kTestOptionsWindowClass, "Quorvel Options"), nullptr);
    EXPECT_TRUE(app.Close());
    EXPECT_EQ(app.ExitCode(), 0u) << "the program did not end cleanly";
    EXPECT_EQ(Joined(FolderEntries(target + "\\")), "") << "no run was started";
}

// Keeps the clipboard open as another program would, until released.
class ClipboardHolder {
  public:
    // Opened for a window of its own: Wine lets a second opener in when both name no
    // window, where Windows would not.
    explicit ClipboardHolder(const std::string& text)
        : owner_(
              CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
        if (!owner_ || !PutClipboardText(text, owner_)) return;
        held_ = OpenClipboard(owner_) != 0;
    }
    ~ClipboardHolder() {
        Release();
        if (owner_) DestroyWindow(owner_);
    }
    void Release() {
        if (held_) CloseClipboard();
        held_ = false;
    }
    bool Held() const { return held_; }

  private:
    HWND owner_;
    bool held_ = false;
};

// A command sent with a time-out, so that a hang fails the test instead of blocking it.
bool MenuAnswered(const TallymaxApp& app, int menu) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(app.Main(), WM_COMMAND, MAKEWPARAM(menu, 0), 0, SMTO_NORMAL, 10000,
                               &result) != 0;
}

TEST(Hostile, ClipboardHeldOpenByAnotherProgram) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1234.5");
    ClipboardHolder holder("77.25");
    ASSERT_TRUE(holder.Held());

    ASSERT_TRUE(MenuAnswered(app, kMenuCopy)) << "Copy hung";
    std::vector<std::string> tape = app.Tape();
    ASSERT_FALSE(tape.empty());
    EXPECT_EQ(tape.back(), "Copy (1,234.5)") << "the copy is logged even when it failed";
    app.Keys("Ctrl+C");
    EXPECT_EQ(app.Tape().size(), tape.size() + 1);

    // A clipboard that cannot be read counts as one without text, which enters 0.
    ASSERT_TRUE(MenuAnswered(app, kMenuPaste)) << "Paste hung";
    EXPECT_EQ(app.Display(), "0");
    app.Press("+ 2 =");
    EXPECT_EQ(app.Display(), "2");
    EXPECT_TRUE(app.Running());

    holder.Release();
    EXPECT_EQ(ClipboardText(), "77.25") << "the other program's text was left alone";
    app.Menu(kMenuPaste);
    EXPECT_EQ(app.Display(), "77.25");
    app.Press("+ 1 =");
    EXPECT_EQ(app.Display(), "78.25");
    app.Menu(kMenuCopy);
    EXPECT_EQ(ClipboardText(), "78.25");
}

TEST(Hostile, HugeSettingsFile) {
    TallymaxApp app;
    // 60 MB: below the reader's limit, so it is read; every key is already normal,
    // so start-up writes nothing back.
    std::string ini = FullIni("4.25");
    std::string line = "k=" + std::string(1000, 'v') + "\r\n";
    ini += "[Junk]\r\n";
    while (ini.size() < (60u << 20)) ini += line;
    app.WriteIni(ini);
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(app.Start("", 150000));
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(TaxRateShown(app), "4.25") << "the large file was read";
    size_t peak = PeakMemoryOf(app);
    std::printf("start-up with a 60 MB settings file: %.1f s, peak memory %.0f MB\n", seconds,
                peak / 1048576.0);
    EXPECT_LT(peak, size_t{400} << 20);
    EXPECT_EQ(app.Ini().size(), ini.size()) << "left as it was";
    app.Press("1 + 1 =");
    EXPECT_EQ(app.Display(), "2");
    EXPECT_TRUE(app.Close());
}

TEST(Hostile, HugeTapeFile) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    // 100 MB: half of it one endless line, half long lines.
    std::string path = app.Folder() + "huge tape.txt";
    {
        std::string tape = "h\r\n\r\n\r\n";
        tape.reserve(100u << 20);
        tape += std::string(50u << 20, '7') + "\r\n";
        std::string line = std::string(998, '8') + "\r\n";
        while (tape.size() < (100u << 20) - 32) tape += line;
        tape += "** 5\r\n***  5\r\n";
        WriteFileBytes(path, tape);
    }
    size_t longLines = ((100u << 20) - 32 - 3 * 2 - 3 - (50u << 20) - 2 + 999) / 1000;
    app.PostMenu(kMenuLoadTape);
    HWND dialog = app.WaitForWindow("#32770", "Open Tape File");
    ASSERT_NE(dialog, nullptr);
    auto started = std::chrono::steady_clock::now();
    SendMessageA(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(dialog); }));
    // The display takes the file's "** " line once the whole file was read.
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "5"; }, 150000))
        << "the load did not end";
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    size_t peak = PeakMemoryOf(app);
    std::printf("Load Tape of a 100 MB file: %.1f s, peak memory %.0f MB\n", seconds,
                peak / 1048576.0);
    EXPECT_LT(peak, size_t{600} << 20);
    app.Settle();
    EXPECT_EQ(OtherDialog(app, nullptr), nullptr) << "nothing was refused";
    HWND list = app.Control(kIdTape);
    auto lineLength = [&](int i) { return SendMessageW(list, LB_GETTEXTLEN, i, 0); };
    EXPECT_NEAR(static_cast<double>(SendMessageW(list, LB_GETCOUNT, 0, 0)), 1.0 + longLines, 2.0);
    EXPECT_EQ(lineLength(0), 1024) << "an endless line is cut";
    EXPECT_EQ(lineLength(1), 998);
    app.Press("Clear 1 + 1 =");
    EXPECT_EQ(app.Display(), "2");
    EXPECT_TRUE(app.Close());
}

}  // namespace
