#include "settings/settings_location.h"

#include "settings/settings_disk.h"
#include "settings/settings_file.h"

namespace {

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.size() <= kMaxPathLength;
}

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

// Appends one folder name and creates that folder if it is missing.
std::string SubFolder(const std::string& parent, const char* name) {
    std::string folder = parent + kPathSeparator + name;
    if (IsUsablePath(folder) && !FolderExists(folder)) MakeFolder(folder);
    return folder;
}

// The settings file in the program folder, or "" when the folder is unknown.
std::string ProgramFolderFile(const SettingsPlatform& platform) {
    if (platform.programFolder.empty()) return "";
    return platform.programFolder + kSettingsFileName;
}

}  // namespace

std::string MakerFolder(const SettingsPlatform& platform) {
    std::string appData = platform.appDataFolder ? platform.appDataFolder() : std::string();
    appData = WithoutTrailingSeparators(appData);
    if (appData.empty() || !IsUsablePath(appData))
        return WithoutTrailingSeparators(platform.programFolder);
    return SubFolder(SubFolder(appData, kMakerFolderName), kProductFolderName);
}

std::string LocateSettingsFile(const SettingsPlatform& platform) {
    const std::string programFile = ProgramFolderFile(platform);
    const bool programFileUsable = IsUsablePath(programFile);
    if (programFileUsable && FileExists(programFile)) return programFile;

    const std::string makerFolder = MakerFolder(platform);
    const std::string makerFile =
        makerFolder.empty() ? std::string() : makerFolder + kPathSeparator + kSettingsFileName;
    const bool makerFileUsable = IsUsablePath(makerFile);
    if (makerFileUsable && FileExists(makerFile)) return makerFile;

    if (programFileUsable && TouchFile(programFile)) return programFile;
    return makerFileUsable ? makerFile : std::string();
}
