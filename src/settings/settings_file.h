// The settings file "Tallymax.ini" in the profile format: one reader and writer of
// that format serves both builds, so the program behaves exactly as tested. The
// rules of the format (names without regard to case, duplicates, odd lines) are
// with the text functions in settings/settings_text.h.
#pragma once

#include <cstddef>
#include <string>

#include "settings/setting_names.h"

// The longest value ReadSetting gives back whole; a longer one comes back cut.
inline constexpr std::size_t kMaxSettingValueLength = 511;

// The key's value (at most 511 characters), or `fallback` (cut likewise) when the
// file, the section or the key does not exist, or the file cannot be read or is
// larger than 64 MB.
std::string ReadSetting(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& fallback);

// Creates or replaces key=value; an empty value removes the key. The file is
// replaced whole through a temporary file, so a crash never leaves half a file, and
// every line not changed is kept byte for byte. Failures are silent; returns false
// on failure for callers that care. It fails, leaving the file as it was, for a
// read-only or unreadable file, a folder at the path, a missing folder, a file
// larger than 64 MB, and names the format cannot hold (see IsWritableKeyName).
bool WriteSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);

// Removes a section with all its keys, comments and blank lines, up to the next
// section header; duplicates of the section go with it.
bool DeleteSettingsSection(const std::string& path, const std::string& section);

// The file loaded once for a run of reads and writes that reaches the disk in one
// replace, as start-up reads and normalises every key. Reads and writes on it give
// what the same ReadSetting and WriteSetting calls one after another give, and the
// stored file ends up byte for byte as they would leave it; only the file is read
// and written once instead of once per key.
struct SettingsSnapshot {
    std::string path;
    std::string text;       // the file's text with the writes so far
    bool readable = false;  // loaded, or missing (then writes create it)
    bool writable = false;  // writes change `text`; false for a read-only or unreadable file
    bool changed = false;
};

SettingsSnapshot LoadSettingsSnapshot(const std::string& path);
std::string ReadSetting(const SettingsSnapshot& snapshot, const std::string& section,
                        const std::string& key, const std::string& fallback);
bool WriteSetting(SettingsSnapshot& snapshot, const std::string& section, const std::string& key,
                  const std::string& value);
// Writes the changed text in place of the file; true when nothing needed writing.
bool StoreSettingsSnapshot(SettingsSnapshot& snapshot);
