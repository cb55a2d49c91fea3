// The calculator's settings kept in the settings file.
#pragma once

#include <string>

#include "engine/calculator.h"
#include "settings/settings_file.h"

// Reads and writes `path` with ReadSetting and WriteSetting.
SettingsPort FileSettingsPort(const std::string& path);

// Reads and writes the loaded `file` (which must outlive the port), for start-up's
// one read of the settings file.
SettingsPort SnapshotSettingsPort(SettingsSnapshot& file);
