#include "tape/tape_journal_win.h"

#include <algorithm>
#include <vector>

#include "resource_ids.h"
#include "settings/settings_file.h"
#include "engine/tape_lines.h"
#include "tape/tape_journal.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/window_kit_win.h"

static_assert(kMenuKeepTape == IDM_KEEP_TAPE, "the menu item's id in the resource script");

namespace {

const char kFailureCaption[] = "Tape";
const char kFailureHead[] = "The tape cannot be kept between sessions: ";
const char kFailureTail[] = ". The tape itself works as before.";

struct RunJournal {
    TapeJournal journal;
    bool told = false;
    std::string restoredState;  // the open calculation the journal brought back
    std::string lastState;      // the state last kept, repeated after a loaded tape
};

RunJournal& Run() {
    static RunJournal run;
    return run;
}

void CheckKeepTapeItem(bool on) {
    CheckMenuItem(GetMenu(MainWindow()), kMenuKeepTape,
                  MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CALLBACK ShowFailure(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    ShowMessage(kFailureHead + Run().journal.failure + kFailureTail, kFailureCaption,
                MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND);
}

// Called with the result of a journal operation. The message waits until the operation
// that wrote the line has run to its end: a box in its middle would run other commands
// inside a half-done calculation.
void TellIfFailed(bool ok) {
    if (ok || Run().told) return;
    Run().told = true;
    SetTimer(nullptr, 0, 0, ShowFailure);
}

}  // namespace

void RestoreTapeJournal(HWND list, const std::string& settingsPath,
                        const std::string& keepTapeValue) {
    TapeJournal& j = Run().journal;
    j.path = JournalPathBeside(settingsPath);
    j.on = KeepTapeValueOn(keepTapeValue) && !j.path.empty();
    CheckKeepTapeItem(j.on);
    if (!j.on) return;

    // In one go: line by line, each addition would scroll and repaint the list. The
    // list is left alone when there is nothing to restore.
    bool redrawOff = false;
    JournalSink sink;
    sink.expect = [&](std::size_t lines, std::uint64_t bytes) {
        if (lines == 0) return;
        redrawOff = true;
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_INITSTORAGE, lines,
                     static_cast<LPARAM>(std::min<std::uint64_t>(bytes, 1u << 30)));
    };
    // Handed over as wide text, converted here as the list would convert it: the
    // conversion of each ANSI message costs the list more than the text itself.
    std::wstring wide;
    sink.line = [&](const std::string& line) {
        wide.resize(line.size() + 1);
        int n = line.empty()
                    ? 0
                    : MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()),
                                          &wide[0], static_cast<int>(wide.size()));
        wide[n > 0 ? n : 0] = L'\0';
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    };
    JournalRead read = ReadJournal(j.path, sink);
    // A calculation line after the newest state: the run ended between an operation's
    // lines and its state, which would not belong to the tape shown.
    bool current = std::none_of(read.linesAfterState.begin(), read.linesAfterState.end(),
                                IsCalculationLine);
    Run().restoredState = current ? read.state : std::string();
    if (redrawOff) {
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        if (count > 0) SendMessageA(list, LB_SETTOPINDEX, count - 1, 0);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    TellIfFailed(AdoptJournalFile(j, read));
}

void JournalTapeLine(const std::string& line) {
    TellIfFailed(AppendToJournal(Run().journal, line));
}

void JournalLoadedTapeLine(const std::string& line) {
    TellIfFailed(AppendToJournal(Run().journal, line, false));
}

void JournalLoadedTapeEnd() {
    TellIfFailed(FlushJournal(Run().journal));
    // After the loaded lines, so that a long tape file cannot push it out of the bound.
    if (!Run().lastState.empty())
        TellIfFailed(AppendStateToJournal(Run().journal, Run().lastState));
}

void JournalTapeCleared() {
    TellIfFailed(ClearJournal(Run().journal));
    Run().lastState.clear();  // the file no longer holds it
}

void CloseTapeJournal() {
    CloseJournal(Run().journal);
}

void ToggleKeepTape() {
    TapeJournal& j = Run().journal;
    bool on = !j.on;
    // Stored only now that the user chose: a file that never had the key keeps none.
    WriteSetting(SettingsPath(), kJournalSection, kKeepTapeKey, on ? "1" : "0");
    if (on) {
        HWND list = GetDlgItem(MainWindow(), kIdTape);
        int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        Run().told = false;  // a new start of the journal may fail anew
        TellIfFailed(StartJournalWith(
            j, static_cast<std::size_t>(std::max(count, 0)),
            [&](std::size_t i) { return ListItemText(list, static_cast<int>(i)); }));
        Run().lastState.clear();
    } else {
        StopJournal(j);
    }
    CheckKeepTapeItem(j.on);
    ReturnFocus();
}

std::string TakeRestoredCalculation() {
    std::string state;
    state.swap(Run().restoredState);
    return state;
}

void JournalCalculationState(const std::string& state) {
    Run().lastState = state;
    TellIfFailed(AppendStateToJournal(Run().journal, state));
}
