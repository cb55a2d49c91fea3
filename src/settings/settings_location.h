// Where "Tallymax.ini" lives: next to the program when it can, else in the user's
// application-data folder under the maker's sub-folders.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Longest path the program handles (its path buffers hold 1024 bytes); longer
// paths are never used.
inline constexpr std::size_t kMaxPathLength = 1023;

inline constexpr const char* kMakerFolderName = "Korvalen";
inline constexpr const char* kProductFolderName = "Tallymax";

// What the search needs from the platform, passed in so that tests can point it
// at folders of their own.
struct SettingsPlatform {
    std::string programFolder;                   // ends with kPathSeparator
    std::function<std::string()> appDataFolder;  // the user's folder, or "" on failure
};

// The maker folder: the application-data folder + "Korvalen" + "Tallymax", both
// created when missing (failures are not reported), or the program folder without
// its trailing separator when there is no application-data folder.
std::string MakerFolder(const SettingsPlatform& platform);

// The settings-file path, found in this order: an existing file in the program
// folder, an existing file in the maker folder, a new empty file created in the
// program folder, else the maker folder (the first write creates the file there).
// "" when no usable path exists (every path too long): reads then give defaults
// and writes fail.
std::string LocateSettingsFile(const SettingsPlatform& platform);
