// The Windows side of finding the settings file: the program's folder, the user's
// application-data folder and the system's own file replacement.
#pragma once

#include <string>

#include "settings/settings_location.h"

// The folder of the running program with its trailing "\", or "" if unknown.
std::string ProgramFolder();

// The per-user application-data folder, created if missing, through
// "SHGetSpecialFolderPathA" looked up at run time in "SHELL32.DLL"; "" on failure.
std::string AppDataFolder();

SettingsPlatform WindowsSettingsPlatform();

// Run once at start-up: makes the settings writer replace files through the
// system's own call (with the ANSI path bytes as they are) and returns the
// settings-file path.
std::string LocateWindowsSettingsFile();
