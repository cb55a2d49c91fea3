#include "settings/settings_file.h"

#include <cstddef>
#include <optional>

#include "settings/settings_disk.h"
#include "settings/settings_text.h"

namespace {

// The size of the value buffer the program has always read into, less its zero.
constexpr std::size_t kMaxValueLength = kMaxSettingValueLength;

// Loads the file, applies `edit` and stores the result in place of the file. A
// file that cannot be read is never written over, and an edit that changes
// nothing writes nothing (a missing file is then not created).
template <typename Edit>
bool EditSettingsFile(const std::string& path, Edit edit) {
    std::string text;
    LoadResult loaded = LoadFile(path, kMaxSettingsFileBytes, text);
    if (loaded == LoadResult::kFailed) return false;
    std::string changed = edit(text);
    if (changed == text) return true;
    if (loaded == LoadResult::kLoaded && IsReadOnlyFile(path)) return false;
    return ReplaceFileContent(path, changed);
}

}  // namespace

std::string ReadSetting(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& fallback) {
    std::string text;
    std::optional<std::string> value;
    if (LoadFile(path, kMaxSettingsFileBytes, text) == LoadResult::kLoaded)
        value = FindProfileValue(text, section, key);
    std::string result = value ? *value : fallback;
    if (result.size() > kMaxValueLength) result.resize(kMaxValueLength);
    return result;
}

bool WriteSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value) {
    if (!IsWritableSectionName(section) || !IsWritableKeyName(key)) return false;
    return EditSettingsFile(
        path, [&](const std::string& text) { return SetProfileValue(text, section, key, value); });
}

bool DeleteSettingsSection(const std::string& path, const std::string& section) {
    if (!IsWritableSectionName(section)) return false;
    return EditSettingsFile(
        path, [&](const std::string& text) { return RemoveProfileSection(text, section); });
}

SettingsSnapshot LoadSettingsSnapshot(const std::string& path) {
    SettingsSnapshot snapshot;
    snapshot.path = path;
    LoadResult loaded = LoadFile(path, kMaxSettingsFileBytes, snapshot.text);
    snapshot.readable = loaded != LoadResult::kFailed;
    snapshot.writable =
        snapshot.readable && !(loaded == LoadResult::kLoaded && IsReadOnlyFile(path));
    if (!snapshot.readable) snapshot.text.clear();
    return snapshot;
}

std::string ReadSetting(const SettingsSnapshot& snapshot, const std::string& section,
                        const std::string& key, const std::string& fallback) {
    std::optional<std::string> value;
    if (snapshot.readable) value = FindProfileValue(snapshot.text, section, key);
    std::string result = value ? *value : fallback;
    if (result.size() > kMaxValueLength) result.resize(kMaxValueLength);
    return result;
}

bool WriteSetting(SettingsSnapshot& snapshot, const std::string& section, const std::string& key,
                  const std::string& value) {
    if (!IsWritableSectionName(section) || !IsWritableKeyName(key)) return false;
    if (!snapshot.readable) return false;
    if (!snapshot.writable) {
        // A file that cannot be replaced keeps its text, and later reads see that text.
        std::string copy = snapshot.text;
        return !ChangeProfileValue(copy, section, key, value);
    }
    if (ChangeProfileValue(snapshot.text, section, key, value)) snapshot.changed = true;
    return true;
}

bool StoreSettingsSnapshot(SettingsSnapshot& snapshot) {
    if (!snapshot.changed) return true;
    if (!ReplaceFileContent(snapshot.path, snapshot.text)) return false;
    snapshot.changed = false;
    return true;
}
