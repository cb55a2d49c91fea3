// The settings file "Tallymax.ini" in the profile format: one reader and writer of
// that format serves both builds, so the program behaves exactly as tested.
#pragma once

#include <string>

inline constexpr const char* kSettingsFileName = "Tallymax.ini";
inline constexpr const char* kMainSection = "Main Settings";
inline constexpr const char* kMemorySection = "Memory";

// The key's value (at most 511 characters), or `fallback` when the file, the
// section or the key does not exist.
std::string ReadSetting(const std::string& path, const std::string& section,
                        const std::string& key, const std::string& fallback);

// Creates or replaces key=value; an empty value removes the key. The file is
// replaced whole through a temporary file, so a crash never leaves half a file, and
// every line not changed is kept byte for byte. Failures are silent; returns false
// on failure for callers that care.
bool WriteSetting(const std::string& path, const std::string& section, const std::string& key,
                  const std::string& value);

// Removes a section with all its keys.
bool DeleteSettingsSection(const std::string& path, const std::string& section);
