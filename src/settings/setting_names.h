// The names of the settings file and of its sections, shared by everyone who reads or
// writes a setting.
#pragma once

inline constexpr const char* kSettingsFileName = "Tallymax.ini";
inline constexpr const char* kMainSection = "Main Settings";
inline constexpr const char* kMemorySection = "Memory";
inline constexpr const char* kLoanSection = "Loan Settings";
inline constexpr const char* kAreaSection = "Area Settings";
inline constexpr const char* kVolumeSection = "Volume Settings";
