#include "tape/tape_files_win.h"

#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "tape/save_file_win.h"
#include "tape/tape_journal_win.h"
#include "tape/tape_print.h"
#include "tape/tape_report.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/report_printer_win.h"

namespace {

const char kLastTapeFileKey[] = "LastTapeFile";
const char kDefaultTapeFile[] = "TallymaxTape.txt";
const char kFileFilter[] = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";
const char kSaveTitle[] = "Save File As";
const char kOpenTitle[] = "Open Tape File";
const char kSavedText[] = "File was saved as: ";
const char kSaveFailedText[] = "The tape could not be saved as: ";
const char kOpenFailedText[] = "The tape file could not be opened: ";
const char kReadFailedText[] = "The tape file could not be read to its end: ";
const char kTooLargeText[] = "The tape file is too large for the tape: lines not loaded: ";
const char kPrintFailedText[] = "The tape could not be printed.";
const char kSaveCaption[] = "Save Tape";
const char kLoadCaption[] = "Load Tape";
const char kPrintCaption[] = "Print Tape";
const char kPrintDocumentName[] = "Tallymax Tape";

constexpr DWORD kReadPiece = 256 * 1024;

std::string LastTapeFile() {
    return ReadSetting(SettingsPath(), kMainSection, kLastTapeFileKey,
                       App().programFolder + kDefaultTapeFile);
}

// Only a path that reads back whole is kept: a cut one would name another file.
void RememberTapeFile(const std::string& path) {
    if (path.size() <= kMaxSettingValueLength)
        WriteSetting(SettingsPath(), kMainSection, kLastTapeFileKey, path);
}

// Shows the save or open dialog with `initial` as its file; false when cancelled.
bool AskForTapeFile(HWND owner, bool saving, const std::string& initial, std::string& chosen) {
    const FileDialogDef dialog{saving ? kSaveTitle : kOpenTitle, kFileFilter, "txt", saving};
    return AskForFileName(owner, dialog, initial, chosen);
}

ReportClock LocalClock() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ReportClock{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The report, safely in place of any old file at `path`; 0 or the system's error code.
DWORD WriteTapeReportFile(const std::string& path, const Calculator& calc) {
    return ReplaceFileSafely(path, [&](FileWriter& writer) {
        return ComposeTapeReport(calc, LocalClock(), [&](ReportLineKind, const std::string& line) {
            return writer.Add(line + "\r\n");
        });
    });
}

// Reads the file into the tape; false when it could not be opened (nothing changed then).
bool ReadTapeFileInto(HWND mainWindow, Calculator& calc, const std::string& path,
                      TapeFileReader& reader, DWORD& openError, DWORD& readError) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        openError = GetLastError();
        return false;
    }
    // Lines go straight into the tape list with its drawing switched off: through the
    // view every line would scroll and repaint the list, which makes a long file crawl.
    HWND tape = GetDlgItem(mainWindow, kIdTape);
    TapeLineSink addLine = [&](const std::string& line) {
        if (!tape) {
            calc.view->AddTapeLine(line);
            return true;
        }
        LRESULT at = SendMessageA(tape, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (at == LB_ERR || at == LB_ERRSPACE) return false;
        JournalLoadedTapeLine(line);
        return true;
    };
    if (tape) SendMessageA(tape, WM_SETREDRAW, FALSE, 0);

    std::vector<char> piece(kReadPiece);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, piece.data(), kReadPiece, &got, nullptr)) {
            readError = GetLastError();
            break;
        }
        if (got == 0) break;
        ReadTapeBytes(reader, piece.data(), got, addLine);
    }
    FinishTapeFile(reader, addLine);
    CloseHandle(file);
    JournalLoadedTapeEnd();

    if (tape) {
        SendMessageA(tape, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(tape, nullptr, TRUE);
    }
    return true;
}

}  // namespace

void SaveTape(HWND mainWindow) {
    std::string path;
    if (AskForTapeFile(mainWindow, true, LastTapeFile(), path)) {
        DWORD error = WriteTapeReportFile(path, TheCalculator());
        if (error) {
            ShowFileProblem(kSaveFailedText + path, kSaveCaption, error);
        } else {
            // Remembered only once the file is there: the next dialog offers it.
            RememberTapeFile(path);
            ShowMessage(kSavedText + path, "", MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
        }
    }
    ReturnFocus();
}

void LoadTape(HWND mainWindow) {
    std::string path;
    if (AskForTapeFile(mainWindow, false, LastTapeFile(), path)) {
        RememberTapeFile(path);
        Calculator& calc = TheCalculator();
        TapeFileReader reader;
        DWORD openError = 0, readError = 0;
        if (!ReadTapeFileInto(mainWindow, calc, path, reader, openError, readError)) {
            ShowFileProblem(kOpenFailedText + path, kLoadCaption, openError);
        } else {
            ApplyLoadedTape(calc, reader);
            if (readError) ShowFileProblem(kReadFailedText + path, kLoadCaption, readError);
            if (reader.linesLeftOut > 0) {
                ShowFileProblem(kTooLargeText + std::to_string(reader.linesLeftOut) + ".",
                                kLoadCaption, 0);
            }
        }
    }
    ReturnFocus();
}

void PrintTape(HWND mainWindow) {
    const Calculator& calc = TheCalculator();
    ReportClock clock = LocalClock();
    PrintOutcome outcome = PrintReport(mainWindow, kPrintDocumentName, TapePrintFonts(),
                                       [&](ReportPrinter& p) { PrintTapeLayout(calc, clock, p); });
    if (outcome == PrintOutcome::Failed) ShowFileProblem(kPrintFailedText, kPrintCaption, 0);
    ReturnFocus();
}
