// Drives the real tallymax.exe as a user would: it is copied into a fresh temporary
// folder, started there, and worked through window messages; the display, tape,
// status fields, message boxes and the INI file are read back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How long a wait for something that must come may last before the test fails. A wait
// ends as soon as its state is there, so this is only a guard against a hang: it is
// long enough for a machine whose cores are all busy with other work.
constexpr int kPatienceMs = 30000;

class TallymaxApp {
  public:
    // `ini`, when given, is written as Tallymax.ini next to the exe before start.
    TallymaxApp();
    // A second copy of the program in the folder of `first`, which keeps the folder.
    struct SameFolderAs {
        const TallymaxApp& first;
    };
    explicit TallymaxApp(SameFolderAs same);
    ~TallymaxApp();
    TallymaxApp(const TallymaxApp&) = delete;
    TallymaxApp& operator=(const TallymaxApp&) = delete;

    void WriteIni(const std::string& bytes);
    bool Start(const std::string& arguments = "", int timeoutMs = kPatienceMs);
    // Closes the main window like the close box and waits for the process to end.
    bool Close();
    // Ends the process at once, as a crash or a power cut would.
    void Kill();
    DWORD ExitCode() const { return exitCode_; }
    bool Running() const;

    HWND Main() const { return main_; }
    HWND Control(int id) const { return GetDlgItem(main_, id); }
    DWORD ProcessId() const { return pi_.dwProcessId; }
    const std::string& Folder() const { return folder_; }  // with trailing "\"

    // Button and menu commands, synchronous (they return when the operation ran).
    void Click(int id);
    void Menu(int id);
    // Posted, for commands that open a modal window.
    void PostClick(int id);
    void PostMenu(int id);
    // Clicks keypad buttons by a notation: "1234.5 + 2 =", "MS", "2nd", "Hex", "CT".
    void Press(const std::string& notation);
    // Posts key presses to the hidden input field: "2 NumAdd 3 Enter", "Esc",
    // "Shift+Esc", "Ctrl+C", single characters type their own key.
    void Keys(const std::string& notation);

    std::string Text(int id) const;
    std::string Display() const { return Text(1010); }
    std::vector<std::string> Tape() const;
    std::string Ini() const;
    RECT WindowRect() const;

    // A top-level window of class `cls` in this process ("#32770" for message boxes),
    // optionally with the title `title`; nullptr after the time-out.
    HWND WaitForWindow(const std::string& cls, const std::string& title = "",
                       int timeoutMs = kPatienceMs) const;
    static std::string WindowTextOf(HWND h);
    // The text of a message box (its static control).
    static std::string MessageBoxText(HWND box);
    static void PressDialogButton(HWND box, int buttonId);

    // Polls `condition` until it holds or the time-out passes.
    static bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kPatienceMs);
    // Waits until the app has handled everything posted so far, and what that posted in
    // turn.
    void Settle() const;
    // Settles, then has every window of the program that waits for painting painted now,
    // so that the screen shows the program's state.
    void Painted() const;

  private:
    std::string folder_;
    bool ownsFolder_ = true;
    PROCESS_INFORMATION pi_ = {};
    HWND main_ = nullptr;
    DWORD exitCode_ = STILL_ACTIVE;
};

// "Z:\..." for a path on the Unix side.
std::string ToWindowsPath(std::string unixPath);
// Runs a shell command line on the Unix side and waits for it (at most a minute).
bool RunUnix(const std::string& commandLine);
bool IsFile(const std::string& path);
bool IsFolder(const std::string& path);
// Whether a folder (with a trailing "\") holds a "*.tmp" file, as a write cut short leaves.
bool FolderHasTempFiles(const std::string& folder);
// The name of the first PDF file in a folder (as the PDF printer leaves them), or "".
std::string FirstPdfIn(const std::string& folder);

// The Unix folder the session's PDF printer writes to (TALLYMAX_PDF_DIR), emptied of
// earlier PDFs and check files; "" when the session has no PDF printer.
std::string EmptiedPdfFolder();
// Waits for the printer's PDF in that folder and puts its name in `pdf`; false when
// none came.
bool WaitForPdf(const std::string& unixDir, std::string& pdf);
// Whether the session's print queue (PRINTER) holds no job that is not done.
bool PrintQueueIsEmpty();
// How many jobs the session's print queue has had, done or not; -1 when unknown.
int PrintJobsEver();
// A shell command that writes the text of a PDF, laid out as printed, to `out`.
std::string PdfToTextCommand(const std::string& unixPdf, const std::string& out);
// Runs the shell `script` on the Unix side from a file in the PDF folder and waits
// for it to end; false when it did not within 30 s.
bool RunCheckScript(const std::string& unixDir, const std::string& script);

// Waits until `window` is destroyed; false when it is still there after the patience.
bool Gone(HWND window);
// Clicks a button of a window of the program, synchronously.
void ClickIn(HWND window, int id);
// Posts a key press (down and up) of a key that is not an extended one to `target`.
void PostKeyPress(HWND target, UINT vk);
// The last `n` tape lines (all of them when there are fewer).
std::vector<std::string> LastLines(const TallymaxApp& app, size_t n);

// The clipboard as a program of its own would use it, retried while another one holds it.
// Puts `text` as CF_TEXT, opened for `owner` (nullptr: for no window); false when the
// clipboard stayed held.
bool PutClipboardText(const std::string& text, HWND owner = nullptr);
// The CF_TEXT on the clipboard, "" when there is none, "<not open>" when it stayed held.
std::string ClipboardText();

// The first visible top-level window of process `pid` of class `cls` that `accept`
// takes, or nullptr.
HWND FindProcessWindow(DWORD pid, const std::string& cls, const std::function<bool(HWND)>& accept);
// A visible dialog window ("#32770") of the program other than `except`, or nullptr.
HWND OtherDialog(const TallymaxApp& app, HWND except);
// The file-name field of a common open or save dialog.
HWND FileNameField(HWND dialog);
// The per-user application-data folder, as the program asks the shell for it.
std::string AppDataFolder();
// The program's own folder in it, where the settings go when its own folder is no use.
std::string MakerFolder();

// Windows path of the built tallymax.exe (from TALLYMAX_EXE, a Unix or Windows path).
std::string BuiltExePath();
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The value of key in section of an INI text, or "<missing>".
std::string IniValue(const std::string& ini, const std::string& section, const std::string& key);

// The Unix path of a Windows path under Wine, or "" elsewhere.
std::string UnixPathOf(const std::string& windowsPath);
// Runs `script` with /bin/sh on the Unix side (under Wine) and waits for it; true when it
// ran and exited with 0.
bool RunUnixScript(const std::string& script, int timeoutMs = 60000);
// The most memory the program's process has held so far, in bytes.
size_t PeakMemoryOf(const TallymaxApp& app);

// A file system mounted over a folder for the length of a test: the folder itself
// made read-only, or a small tmpfs. The folder's own content comes back when it is
// unmounted (lazily, so that a program still holding a file there cannot stop it).
// Mounting needs root and mount(8) on the Unix side of Wine; see SKIP_UNLESS_MOUNTED.
class Mount {
  public:
    static Mount ReadOnly(const std::string& folder);
    static Mount Tmpfs(const std::string& folder, size_t bytes);
    Mount(Mount&& other) noexcept : unixFolder_(other.unixFolder_), mounted_(other.mounted_) {
        other.mounted_ = false;
    }
    ~Mount();
    bool Mounted() const { return mounted_; }

  private:
    Mount(const std::string& folder, const std::string& script);
    std::string unixFolder_;
    bool mounted_ = false;
};

#define SKIP_UNLESS_MOUNTED(mount)                                                            \
    if (!(mount).Mounted())                                                                   \
    GTEST_SKIP() << "mounting is not allowed here (this test needs root and mount(8) on the " \
                    "Unix side of Wine)"

// Real input (SendInput) goes to whatever window is in front or under the pointer, so
// only one test may use it at a time, and only once the program's window is where the
// input must go. A RealInput holds a lock named for the X display (and so for the
// Wine session) while it lives; its steps wait on state, never on a clock.
class RealInput {
  public:
    RealInput();
    ~RealInput();
    RealInput(const RealInput&) = delete;
    RealInput& operator=(const RealInput&) = delete;

    // Brings `window` to the front and waits until it is the foreground window, active
    // in its own thread and holds the focus there; false when it did not come.
    static bool BringToFront(HWND window);
    // Moves the pointer to a screen point; true once the system has it there.
    static bool MoveTo(POINT screen);
    // Presses and releases a mouse button at a screen point; each event carries the
    // point, so that no pointer motion from elsewhere can move the click.
    static bool Click(POINT screen, bool right = false);
    // Presses the left button at `from`, waits until `window` has taken the pointer,
    // moves to `to` in `steps` moves and lets go; false when the window took nothing.
    static bool Drag(HWND window, POINT from, POINT to, int steps);
    // Presses the keys in order and releases them in reverse order, as one chord.
    static void Chord(const std::vector<WORD>& keys);

  private:
    HANDLE lock_ = nullptr;
};
