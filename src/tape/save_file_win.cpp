#include "tape/save_file_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "ui/app_win.h"

namespace {

constexpr size_t kWriteBuffer = 64 * 1024;
const UINT kProblemStyle = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND;

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

}  // namespace

bool AskForFileName(HWND owner, const FileDialogDef& dialog, const std::string& initial,
                    std::string& chosen) {
    std::string filter = dialog.filter;
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
    ofn.lpstrDefExt = dialog.defaultExtension;
    ofn.lpstrTitle = dialog.title;
    if (dialog.saving) {
        ofn.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    } else {
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS |
                    OFN_ENABLESIZING;
    }
    BOOL ok = dialog.saving ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        // The remembered name comes from the settings file and may be anything: offer
        // the dialog without it rather than no dialog at all.
        std::fill(file.begin(), file.end(), '\0');
        ok = dialog.saving ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    }
    if (!ok) return false;
    chosen = file.data();
    return true;
}

bool FileWriter::Flush() {
    size_t at = 0;
    while (at < buffer_.size()) {
        DWORD piece = static_cast<DWORD>(std::min<size_t>(buffer_.size() - at, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file_, buffer_.data() + at, piece, &written, nullptr) || written == 0) {
            error_ = GetLastError();
            if (!error_) error_ = ERROR_WRITE_FAULT;
            return false;
        }
        at += written;
    }
    buffer_.clear();
    return true;
}

bool FileWriter::Add(const std::string& bytes) {
    buffer_ += bytes;
    return buffer_.size() < kWriteBuffer || Flush();
}

DWORD ReplaceFileSafely(const std::string& path, const std::function<bool(FileWriter&)>& write) {
    size_t slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char temp[MAX_PATH + 1] = "";
    if (!GetTempFileNameA(folder.c_str(), "tmx", 0, temp)) return GetLastError();

    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        DeleteFileA(temp);
        return error;
    }
    FileWriter writer(file);
    DWORD error = 0;
    bool written = write(writer) && writer.Flush();
    if (!written) error = writer.Error();
    if (written && !FlushFileBuffers(file)) {
        error = GetLastError();
        written = false;
    }
    if (!CloseHandle(file) && written) {
        error = GetLastError();
        written = false;
    }
    if (written &&
        !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        written = false;
    }
    if (!written) {
        DeleteFileA(temp);
        return error ? error : ERROR_WRITE_FAULT;
    }
    return 0;
}

void ShowFileProblem(const std::string& text, const char* caption, DWORD error) {
    ShowMessage(error ? text + "\r\n\r\n" + SystemErrorText(error) : text, caption, kProblemStyle);
}
