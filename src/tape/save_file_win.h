// The pieces the tape's file commands share: the platform's open and save dialogs,
// a file written beside its place and only then put there, and the message that
// names a failure with the system's own words.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// What one file dialog shows.
struct FileDialogDef {
    const char* title;
    const char* filter;  // "Text files (*.txt)|*.txt|All files (*.*)|*.*|"
    const char* defaultExtension;
    bool saving;  // the save dialog, asking before it overwrites; else the open dialog
};

// Shows the dialog with `initial` as its file; false when cancelled.
bool AskForFileName(HWND owner, const FileDialogDef& dialog, const std::string& initial,
                    std::string& chosen);

// Collects a file's bytes and hands them to the file in large pieces.
class FileWriter {
  public:
    explicit FileWriter(HANDLE file) : file_(file) {}
    // False once a write failed.
    bool Add(const std::string& bytes);
    bool Flush();
    DWORD Error() const { return error_; }

  private:
    HANDLE file_;
    std::string buffer_;
    DWORD error_ = 0;
};

// Writes a new file beside `path` through `write` and only then puts it in place of
// `path`, so that a failed write never leaves a cut-off file where a good one was.
// Returns 0 or the system's error code.
DWORD ReplaceFileSafely(const std::string& path, const std::function<bool(FileWriter&)>& write);

// A message box with `text`, and the system's words for `error` when it is not 0.
void ShowFileProblem(const std::string& text, const char* caption, DWORD error);
