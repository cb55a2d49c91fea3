#include "tape/tape_files_win.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/settings_file.h"
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
const UINT kProblemStyle = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND;

constexpr DWORD kReadPiece = 256 * 1024;
constexpr size_t kWriteBuffer = 64 * 1024;

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length && text ? std::string(text, length) : std::string();
    if (text) LocalFree(text);
    while (!result.empty() &&
           (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    if (result.empty()) result = "Error " + std::to_string(error) + ".";
    return result;
}

void ShowProblem(const std::string& text, const char* caption, DWORD error) {
    ShowMessage(error ? text + "\r\n\r\n" + SystemErrorText(error) : text, caption, kProblemStyle);
}

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
    std::string filter = kFileFilter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    std::vector<char> file(MAX_PATH * 4, '\0');
    initial.copy(file.data(), file.size() - 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = "txt";
    if (saving) {
        ofn.lpstrTitle = kSaveTitle;
        ofn.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    } else {
        ofn.lpstrTitle = kOpenTitle;
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS |
                    OFN_ENABLESIZING;
    }
    BOOL ok = saving ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        // The remembered name comes from the settings file and may be anything: offer
        // the dialog without it rather than no dialog at all.
        std::fill(file.begin(), file.end(), '\0');
        ok = saving ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    }
    if (!ok) return false;
    chosen = file.data();
    return true;
}

ReportClock LocalClock() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return ReportClock{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// Collects the report's bytes and hands them to the file in large pieces.
struct FileWriter {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::string buffer;
    DWORD error = 0;

    bool Flush() {
        size_t at = 0;
        while (at < buffer.size()) {
            DWORD piece = static_cast<DWORD>(std::min<size_t>(buffer.size() - at, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file, buffer.data() + at, piece, &written, nullptr) || written == 0) {
                error = GetLastError();
                if (!error) error = ERROR_WRITE_FAULT;
                return false;
            }
            at += written;
        }
        buffer.clear();
        return true;
    }
    bool Add(const std::string& line) {
        buffer += line;
        buffer += "\r\n";
        return buffer.size() < kWriteBuffer || Flush();
    }
};

// Writes the report into a new file beside `path` and only then puts it in place of
// `path`, so that a failed write never leaves a cut-off file where a good one was.
// Returns 0 or the system's error code.
DWORD WriteTapeReportFile(const std::string& path, const Calculator& calc) {
    size_t slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char temp[MAX_PATH + 1] = "";
    if (!GetTempFileNameA(folder.c_str(), "tmx", 0, temp)) return GetLastError();

    FileWriter writer;
    writer.file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer.file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        DeleteFileA(temp);
        return error;
    }
    bool written = ComposeTapeReport(
        calc, LocalClock(),
        [&](ReportLineKind, const std::string& line) { return writer.Add(line); });
    if (written) written = writer.Flush();
    if (written && !FlushFileBuffers(writer.file)) {
        writer.error = GetLastError();
        written = false;
    }
    if (!CloseHandle(writer.file) && written) {
        writer.error = GetLastError();
        written = false;
    }
    if (written &&
        !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        writer.error = GetLastError();
        written = false;
    }
    if (!written) {
        DeleteFileA(temp);
        return writer.error ? writer.error : ERROR_WRITE_FAULT;
    }
    return 0;
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
            ShowProblem(kSaveFailedText + path, kSaveCaption, error);
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
            ShowProblem(kOpenFailedText + path, kLoadCaption, openError);
        } else {
            ApplyLoadedTape(calc, reader);
            if (readError) ShowProblem(kReadFailedText + path, kLoadCaption, readError);
            if (reader.linesLeftOut > 0) {
                ShowProblem(kTooLargeText + std::to_string(reader.linesLeftOut) + ".", kLoadCaption,
                            0);
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
    if (outcome == PrintOutcome::Failed) ShowProblem(kPrintFailedText, kPrintCaption, 0);
    ReturnFocus();
}
