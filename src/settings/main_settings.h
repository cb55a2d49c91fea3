// The "Main Settings" section: each key with its default and the rule that turns
// its text into a valid value, read at start-up and written back at once so that
// the file always holds every key in normalised form.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/settings_file.h"

enum class SettingType {
    kInteger,  // 32-bit signed, stored as plain digits
    kByte,     // as kInteger, then its low 8 bits unsigned (300 gives 44), then range-checked
    kSingle,   // single-precision number, stored with up to 7 significant digits
};

struct SettingRule {
    SettingType type = SettingType::kInteger;
    int highest = 0;      // kByte: the largest valid value (the smallest is 0)
    int replacement = 0;  // kByte: what a value above `highest` becomes
};

// Reads `key` (a missing key gives `fallback`), converts it by `rule`, writes the
// result straight back and returns it. Text that does not begin with a number
// reads as 0; integers round to nearest with halves to even; a number that a 32-bit
// integer or a float cannot hold gives the value of `fallback` instead.
long double ReadAndWriteBack(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& fallback,
                             const SettingRule& rule);
long double ReadAndWriteBack(SettingsSnapshot& file, const std::string& section,
                             const std::string& key, const std::string& fallback,
                             const SettingRule& rule);

// The three layout keys; only the value 1 means shown, and any other integer is
// kept as it is ("2" stays "2").
struct LayoutSettings {
    int32_t showTape = 1;
    int32_t showStatusBar = 1;
    int32_t showStopWatch = 1;
};

inline bool IsShown(int32_t layoutValue) {
    return layoutValue == 1;
}

// Every start-up value of "Main Settings", normalised ("LastTapeFile" is read only
// when a tape file is saved or loaded).
struct MainSettings {
    int32_t group1Color = 16711680;  // blue
    int32_t group2Color = 255;       // red
    int32_t group3Color = 16711935;  // magenta
    LayoutSettings layout;
    unsigned char digitGrouping = 1;
    unsigned char numberMode = 10;      // "Decimal Setting1": 0..4, 10 floating, 11..13 Hex/Bin/Oct
    unsigned char decimalSetting = 10;  // "Decimal Setting2": 0..4 or 10
    unsigned char autoDecimal = 0;
    float taxRate = 0;
    int32_t topMost = 0;
    int32_t lt10Key = 0;
    int32_t calcMode = 0;  // 1 is Adding Machine Mode, anything else Calculator Mode
};

struct MainSettingKey {
    const char* key;
    const char* fallback;
    SettingRule rule;
    bool layout;  // read again by every layout change
    void (*store)(MainSettings& settings, long double value);
};

// In the order a new file receives them.
extern const std::array<MainSettingKey, 14> kMainSettingKeys;

// Reads and writes back "ShowTape", "ShowStatusBar" and "ShowStopWatch".
LayoutSettings ReadLayoutSettings(const std::string& path);

// The start-up read of "Main Settings": every key of kMainSettingKeys in order,
// each written back at once (the layout keys through ReadLayoutSettings).
MainSettings ReadMainSettings(const std::string& path);
// The same on a file loaded once; the caller stores it.
MainSettings ReadMainSettings(SettingsSnapshot& file);
