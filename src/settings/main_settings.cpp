#include "settings/main_settings.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>

#include "engine/number_text.h"
#include "settings/settings_file.h"

namespace {

constexpr int kSingleDigits = 7;    // a float holds about 7 significant digits
constexpr int kIntegerDigits = 18;  // every 32-bit integer is written whole

std::optional<int32_t> ReadInteger(const std::string& text) {
    int64_t rounded = 0;
    if (!RoundToInt64(ParseNumber(text), rounded)) return std::nullopt;
    if (rounded < INT32_MIN || rounded > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(rounded);
}

// The value of `text` under `rule`, or nothing when the type cannot hold it.
std::optional<long double> Convert(const std::string& text, const SettingRule& rule) {
    if (rule.type == SettingType::kSingle) {
        long double x = ParseNumber(text);
        if (!std::isfinite(x) || std::fabs(x) > FLT_MAX) return std::nullopt;
        return static_cast<float>(x);
    }
    std::optional<int32_t> integer = ReadInteger(text);
    if (!integer) return std::nullopt;
    if (rule.type == SettingType::kInteger) return *integer;
    unsigned char low = static_cast<unsigned char>(static_cast<uint32_t>(*integer) & 0xFF);
    return low > rule.highest ? rule.replacement : low;
}

constexpr MainSettingKey Integer(const char* key, const char* fallback,
                                 void (*store)(MainSettings&, long double), bool layout = false) {
    return {key, fallback, {SettingType::kInteger, 0, 0}, layout, store};
}

constexpr MainSettingKey Byte(const char* key, const char* fallback, int highest, int replacement,
                              void (*store)(MainSettings&, long double)) {
    return {key, fallback, {SettingType::kByte, highest, replacement}, false, store};
}

constexpr int32_t AsInteger(long double v) {
    return static_cast<int32_t>(v);
}
constexpr unsigned char AsByte(long double v) {
    return static_cast<unsigned char>(v);
}

}  // namespace

constexpr std::array<MainSettingKey, 14> kMainSettingKeys = {
    Integer("Group 1 Color", "16711680",
            [](MainSettings& s, long double v) { s.group1Color = AsInteger(v); }),
    Integer("Group 2 Color", "255",
            [](MainSettings& s, long double v) { s.group2Color = AsInteger(v); }),
    Integer("Group 3 Color", "16711935",
            [](MainSettings& s, long double v) { s.group3Color = AsInteger(v); }),
    Integer(
        "ShowTape", "1", [](MainSettings& s, long double v) { s.layout.showTape = AsInteger(v); },
        true),
    Integer(
        "ShowStatusBar", "1",
        [](MainSettings& s, long double v) { s.layout.showStatusBar = AsInteger(v); }, true),
    Integer(
        "ShowStopWatch", "1",
        [](MainSettings& s, long double v) { s.layout.showStopWatch = AsInteger(v); }, true),
    Byte("Digit Grouping", "1", 1, 1,
         [](MainSettings& s, long double v) { s.digitGrouping = AsByte(v); }),
    Byte("Decimal Setting1", "10", 13, 10,
         [](MainSettings& s, long double v) { s.numberMode = AsByte(v); }),
    Byte("Decimal Setting2", "10", 10, 10,
         [](MainSettings& s, long double v) { s.decimalSetting = AsByte(v); }),
    Byte("Auto Decimal", "0", 1, 0,
         [](MainSettings& s, long double v) { s.autoDecimal = AsByte(v); }),
    MainSettingKey{"TaxRate",
                   "0",
                   {SettingType::kSingle, 0, 0},
                   false,
                   [](MainSettings& s, long double v) { s.taxRate = static_cast<float>(v); }},
    Integer("TopMost", "0", [](MainSettings& s, long double v) { s.topMost = AsInteger(v); }),
    Integer("LT10Key", "0", [](MainSettings& s, long double v) { s.lt10Key = AsInteger(v); }),
    Integer("CalcMode", "0", [](MainSettings& s, long double v) { s.calcMode = AsInteger(v); }),
};

long double ReadAndWriteBack(SettingsSnapshot& file, const std::string& section,
                             const std::string& key, const std::string& fallback,
                             const SettingRule& rule) {
    std::optional<long double> value = Convert(ReadSetting(file, section, key, fallback), rule);
    if (!value) value = Convert(fallback, rule);
    long double result = value.value_or(0);
    int digits = rule.type == SettingType::kSingle ? kSingleDigits : kIntegerDigits;
    WriteSetting(file, section, key, ValueText(result, digits));
    return result;
}

long double ReadAndWriteBack(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& fallback,
                             const SettingRule& rule) {
    SettingsSnapshot file = LoadSettingsSnapshot(path);
    long double result = ReadAndWriteBack(file, section, key, fallback, rule);
    StoreSettingsSnapshot(file);
    return result;
}

namespace {

void ReadKey(SettingsSnapshot& file, const MainSettingKey& entry, MainSettings& settings) {
    entry.store(settings,
                ReadAndWriteBack(file, kMainSection, entry.key, entry.fallback, entry.rule));
}

LayoutSettings ReadLayoutKeys(SettingsSnapshot& file) {
    MainSettings settings;
    for (const MainSettingKey& entry : kMainSettingKeys)
        if (entry.layout) ReadKey(file, entry, settings);
    return settings.layout;
}

}  // namespace

LayoutSettings ReadLayoutSettings(const std::string& path) {
    SettingsSnapshot file = LoadSettingsSnapshot(path);
    LayoutSettings layout = ReadLayoutKeys(file);
    StoreSettingsSnapshot(file);
    return layout;
}

MainSettings ReadMainSettings(SettingsSnapshot& file) {
    MainSettings settings;
    bool layoutRead = false;
    for (const MainSettingKey& entry : kMainSettingKeys) {
        if (!entry.layout) {
            ReadKey(file, entry, settings);
        } else if (!layoutRead) {
            // At start-up the layout keys are read where the window applies its layout.
            settings.layout = ReadLayoutKeys(file);
            layoutRead = true;
        }
    }
    return settings;
}

MainSettings ReadMainSettings(const std::string& path) {
    SettingsSnapshot file = LoadSettingsSnapshot(path);
    MainSettings settings = ReadMainSettings(file);
    StoreSettingsSnapshot(file);
    return settings;
}
