// The calculator's settings kept in the settings file.
#pragma once

#include <string>

#include "engine/calculator.h"

// Reads and writes `path` with ReadSetting and WriteSetting.
SettingsPort FileSettingsPort(const std::string& path);
