#include "settings/settings_location_win.h"

#include <windows.h>

#include "settings/settings_disk.h"

namespace {

constexpr int kCsidlAppData = 0x001a;  // CSIDL_APPDATA

using GetSpecialFolderPath = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);

// MoveFileExA takes the path bytes in the ANSI code page as the C runtime does;
// std::filesystem would widen them by another rule.
bool ReplaceWithMoveFile(const std::string& temporary, const std::string& target) {
    return MoveFileExA(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

std::string ProgramFolder() {
    char buffer[kMaxPathLength + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return "";
    std::string path(buffer, length);
    std::string::size_type slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return "";
    return path.substr(0, slash + 1);
}

std::string AppDataFolder() {
    HMODULE shell = LoadLibraryA("SHELL32.DLL");
    if (!shell) return "";
    std::string folder;
    auto getPath = reinterpret_cast<GetSpecialFolderPath>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHGetSpecialFolderPathA")));
    // The function wants a buffer of at least MAX_PATH characters.
    char buffer[kMaxPathLength + 1] = {};
    if (getPath && getPath(nullptr, buffer, kCsidlAppData, TRUE)) {
        buffer[kMaxPathLength] = '\0';
        folder = buffer;
    }
    FreeLibrary(shell);
    return folder;
}

SettingsPlatform WindowsSettingsPlatform() {
    return {ProgramFolder(), AppDataFolder};
}

std::string LocateWindowsSettingsFile() {
    SetFileReplacer(ReplaceWithMoveFile);
    return LocateSettingsFile(WindowsSettingsPlatform());
}
