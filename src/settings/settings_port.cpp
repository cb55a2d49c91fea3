#include "settings/settings_port.h"

#include "settings/settings_file.h"

SettingsPort FileSettingsPort(const std::string& path) {
    SettingsPort port;
    port.read = [path](const std::string& section, const std::string& key,
                       const std::string& fallback) {
        return ReadSetting(path, section, key, fallback);
    };
    port.write = [path](const std::string& section, const std::string& key,
                        const std::string& value) { WriteSetting(path, section, key, value); };
    return port;
}

SettingsPort SnapshotSettingsPort(SettingsSnapshot& file) {
    SettingsPort port;
    port.read = [&file](const std::string& section, const std::string& key,
                        const std::string& fallback) {
        return ReadSetting(file, section, key, fallback);
    };
    port.write = [&file](const std::string& section, const std::string& key,
                         const std::string& value) { WriteSetting(file, section, key, value); };
    return port;
}
