#include "settings/main_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "first_start_ini.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(MainSettings, FirstStartWritesEveryKeyInOrderWithItsDefault) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "");
    MainSettings s = ReadMainSettings(path);
    EXPECT_EQ(ReadWholeFile(path), kFirstStartIni);
    EXPECT_EQ(s.group1Color, 16711680);
    EXPECT_EQ(s.group2Color, 255);
    EXPECT_EQ(s.group3Color, 16711935);
    EXPECT_TRUE(IsShown(s.layout.showTape) && IsShown(s.layout.showStatusBar) &&
                IsShown(s.layout.showStopWatch));
    EXPECT_EQ(s.digitGrouping, 1);
    EXPECT_EQ(s.numberMode, 10);
    EXPECT_EQ(s.decimalSetting, 10);
    EXPECT_EQ(s.autoDecimal, 0);
    EXPECT_EQ(s.taxRate, 0.0f);
    EXPECT_EQ(s.topMost, 0);
    EXPECT_EQ(s.lt10Key, 0);
    EXPECT_EQ(s.calcMode, 0);

    ReadMainSettings(path);
    EXPECT_EQ(ReadWholeFile(path), kFirstStartIni) << "a second start changes nothing";
}

struct NormaliseCase {
    const char* key;
    const char* stored;
    const char* written;
};

TEST(MainSettings, NormalisesEachKeyAndWritesItBack) {
    const NormaliseCase cases[] = {
        {"Digit Grouping", "7", "1"},
        {"Digit Grouping", "0", "0"},
        {"Digit Grouping", "-1", "1"},   // low byte 255
        {"Digit Grouping", "256", "0"},  // low byte 0
        {"Decimal Setting1", "14", "10"},
        {"Decimal Setting1", "13", "13"},
        {"Decimal Setting1", "300", "10"},  // low byte 44, out of range
        {"Decimal Setting1", "268", "12"},  // low byte 12
        {"Decimal Setting2", "-254", "2"},  // low byte 2
        {"Decimal Setting1", "-1", "10"},
        {"Decimal Setting1", "abc", "0"},
        {"Decimal Setting1", " 12 ", "12"},
        {"Decimal Setting1", "2.5", "2"},  // halves to even
        {"Decimal Setting1", "3.5", "4"},
        {"Decimal Setting2", "12", "10"},
        {"Decimal Setting2", "7", "7"},
        {"Decimal Setting2", "11", "10"},
        {"Auto Decimal", "5", "0"},
        {"Auto Decimal", "1", "1"},
        {"TaxRate", "8.250", "8.25"},
        {"TaxRate", "7.1", "7.1"},
        {"TaxRate", "-0.5", "-0.5"},
        {"TaxRate", "12.3456789", "12.34568"},
        {"TaxRate", "abc", "0"},
        {"TaxRate", "1e99", "0"},  // beyond a float: the default
        {"ShowTape", "2", "2"},
        {"ShowTape", "abc", "0"},
        {"ShowStopWatch", "-7", "-7"},
        {"Group 1 Color", "&HFF", "255"},
        {"Group 1 Color", "99999999999", "16711680"},  // beyond 32 bits: the default
        {"Group 2 Color", "-2147483648", "-2147483648"},
        {"CalcMode", "2", "2"},
        {"TopMost", "1", "1"},
        {"LT10Key", "1.5", "2"},
    };
    for (const NormaliseCase& c : cases) {
        TempFolder folder;
        const std::string path = folder.File("Tallymax.ini");
        WriteWholeFile(path, std::string("[Main Settings]\r\n") + c.key + "=" + c.stored + "\r\n");
        ReadMainSettings(path);
        EXPECT_EQ(ReadSetting(path, "Main Settings", c.key, "?"), c.written)
            << c.key << "=" << c.stored;
    }
}

TEST(MainSettings, RecordHoldsTheNormalisedValues) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path,
                   "[Main Settings]\r\nShowTape=2\r\nDigit Grouping=7\r\nDecimal Setting1=268\r\n"
                   "Decimal Setting2=7\r\nAuto Decimal=1\r\nTaxRate=8.250\r\nCalcMode=1\r\n"
                   "Group 3 Color=65280\r\n");
    MainSettings s = ReadMainSettings(path);
    EXPECT_EQ(s.layout.showTape, 2);
    EXPECT_FALSE(IsShown(s.layout.showTape));
    EXPECT_EQ(s.digitGrouping, 1);
    EXPECT_EQ(s.numberMode, 12);
    EXPECT_EQ(s.decimalSetting, 7);
    EXPECT_EQ(s.autoDecimal, 1);
    EXPECT_EQ(s.taxRate, 8.25f);
    EXPECT_EQ(s.calcMode, 1);
    EXPECT_EQ(s.group3Color, 65280);
}

TEST(MainSettings, ExistingKeysStayInPlaceAndOtherSectionsUntouched) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path,
                   "; my settings\r\n[Memory]\r\nM1=5\r\n[Main Settings]\r\nCalcMode=1\r\n"
                   "LastTapeFile=C:\\tape.txt\r\n\r\n[Loan Settings]\r\nx=y\r\n");
    ReadMainSettings(path);
    std::string keys(kFirstStartIni);
    keys.erase(0, keys.find("\r\n") + 2);         // without the header
    keys.erase(keys.find("CalcMode=0\r\n"), 12);  // already there
    EXPECT_EQ(ReadWholeFile(path),
              "; my settings\r\n[Memory]\r\nM1=5\r\n[Main Settings]\r\nCalcMode=1\r\n"
              "LastTapeFile=C:\\tape.txt\r\n" +
                  keys + "\r\n[Loan Settings]\r\nx=y\r\n");
}

TEST(MainSettings, LayoutReadTouchesOnlyTheLayoutKeys) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[Main Settings]\r\nShowStatusBar=0\r\n");
    LayoutSettings layout = ReadLayoutSettings(path);
    EXPECT_EQ(layout.showTape, 1);
    EXPECT_EQ(layout.showStatusBar, 0);
    EXPECT_EQ(layout.showStopWatch, 1);
    EXPECT_EQ(ReadWholeFile(path),
              "[Main Settings]\r\nShowStatusBar=0\r\nShowTape=1\r\nShowStopWatch=1\r\n");
}

TEST(MainSettings, WithoutAFileEverythingIsDefault) {
    TempFolder folder;
    const std::string path = folder.File("no such folder/Tallymax.ini");
    MainSettings s = ReadMainSettings(path);
    EXPECT_EQ(s.numberMode, 10);
    EXPECT_EQ(s.group2Color, 255);
    EXPECT_EQ(ReadMainSettings("").digitGrouping, 1);
    EXPECT_EQ(ReadAndWriteBack("", "Main Settings", "TaxRate", "7.5", {SettingType::kSingle}),
              7.5L);
}

// The start-up read goes to the disk once; the file must come out exactly as reading
// and writing back key by key leaves it, whatever it held.
TEST(MainSettings, OneReadAndOneWriteLeaveTheFileAsKeyByKey) {
    const std::string a = std::string(40, 'x');
    const std::string inputs[] = {
        "",
        "[Main Settings]\r\nTaxRate=8.250\r\nShowTape=2\r\nDigit Grouping=7\r\n",
        "; note\nDecimal Setting1=3\n[main settings]\nDecimal Setting1=300\n[Memory]\nM1=5\n",
        "\xEF\xBB\xBF[Main Settings]\r\nCalcMode=1e99\r\n[Main Settings]\r\nCalcMode=1\r\n",
        "[Main Settings]\r\n  group 1 color = 255 \r\nTopMost=" + std::string(600, '1') +
            "\r\nLT10Key=" + a + "\r\n[Other]\r\nodd line\r\n",
    };
    int n = 0;
    for (const std::string& input : inputs) {
        SCOPED_TRACE("input " + std::to_string(n++));
        TempFolder folder;
        const std::string once = folder.File("once.ini"), byKey = folder.File("bykey.ini");
        if (!input.empty()) {
            WriteWholeFile(once, input);
            WriteWholeFile(byKey, input);
        }
        MainSettings s = ReadMainSettings(once);
        // Key by key in the same order, each read and write a load and replace of its own.
        MainSettings k;
        bool layoutRead = false;
        for (const MainSettingKey& entry : kMainSettingKeys) {
            if (entry.layout && layoutRead) continue;
            if (entry.layout) {
                for (const MainSettingKey& l : kMainSettingKeys)
                    if (l.layout)
                        l.store(k,
                                ReadAndWriteBack(byKey, kMainSection, l.key, l.fallback, l.rule));
                layoutRead = true;
                continue;
            }
            entry.store(
                k, ReadAndWriteBack(byKey, kMainSection, entry.key, entry.fallback, entry.rule));
        }
        EXPECT_EQ(ReadWholeFile(once), ReadWholeFile(byKey));
        EXPECT_EQ(s.taxRate, k.taxRate);
        EXPECT_EQ(s.numberMode, k.numberMode);
        EXPECT_EQ(s.calcMode, k.calcMode);
        EXPECT_EQ(s.layout.showTape, k.layout.showTape);
        EXPECT_EQ(s.group1Color, k.group1Color);
    }
}

TEST(MainSettings, SnapshotOfAReadOnlyFileReadsButNeverWrites) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[Main Settings]\r\nTaxRate=8.250\r\n");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    SettingsSnapshot file = LoadSettingsSnapshot(path);
    MainSettings s = ReadMainSettings(file);
    EXPECT_TRUE(StoreSettingsSnapshot(file));
    EXPECT_EQ(s.taxRate, 8.25f);
    EXPECT_EQ(ReadSetting(file, kMainSection, "TaxRate", ""), "8.250") << "the file's own text";
    EXPECT_EQ(ReadWholeFile(path), "[Main Settings]\r\nTaxRate=8.250\r\n");
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
