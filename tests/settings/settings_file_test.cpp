#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings_disk.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(SettingsFile, CreatesReplacesAndDeletesKeys) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    EXPECT_EQ(ReadSetting(path, "Main Settings", "TaxRate", "0"), "0");

    EXPECT_TRUE(WriteSetting(path, "Main Settings", "TaxRate", "7.5"));
    EXPECT_TRUE(WriteSetting(path, "Main Settings", "TopMost", "0"));
    EXPECT_TRUE(WriteSetting(path, "Memory", "M1", "12"));
    EXPECT_TRUE(WriteSetting(path, "main settings", "TAXRATE", "8"));
    EXPECT_EQ(ReadWholeFile(path),
              "[Main Settings]\r\nTAXRATE=8\r\nTopMost=0\r\n[Memory]\r\nM1=12\r\n");
    EXPECT_EQ(ReadSetting(path, "MAIN SETTINGS", "taxrate", "0"), "8");

    EXPECT_TRUE(WriteSetting(path, "Main Settings", "TaxRate", ""));
    EXPECT_EQ(ReadSetting(path, "Main Settings", "TaxRate", "default"), "default");
    EXPECT_TRUE(DeleteSettingsSection(path, "memory"));
    EXPECT_EQ(ReadWholeFile(path), "[Main Settings]\r\nTopMost=0\r\n");
    EXPECT_EQ(FileNames(folder.path()).size(), 1u) << "no temporary file stays behind";
}

TEST(SettingsFile, CutsValuesAt511Characters) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    const std::string longValue = std::string(511, 'a') + "bcd";
    ASSERT_TRUE(WriteSetting(path, "S", "K", longValue));
    EXPECT_EQ(ReadSetting(path, "S", "K", ""), std::string(511, 'a'));
    EXPECT_EQ(ReadSetting(path, "S", "missing", longValue), std::string(511, 'a'));
    EXPECT_NE(ReadWholeFile(path).find(longValue), std::string::npos) << "stored whole";
}

TEST(SettingsFile, RemovingWhatIsNotThereCreatesNoFile) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    EXPECT_TRUE(WriteSetting(path, "S", "K", ""));
    EXPECT_TRUE(DeleteSettingsSection(path, "S"));
    EXPECT_FALSE(fs::exists(path));
}

TEST(SettingsFile, KeepsOddFilesByteForByte) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    std::string all256;
    for (int c = 0; c < 256; ++c) all256 += static_cast<char>(c);
    const std::string huge(3 * 1024 * 1024, '\x7F');
    const std::string original =
        all256 + "\r\n" + huge + "\r\n[\r\n[S]\nK=old\n;note\n[T]\r\n" + all256;
    WriteWholeFile(path, original);

    EXPECT_EQ(ReadSetting(path, "S", "K", ""), "old");
    ASSERT_TRUE(WriteSetting(path, "S", "New", "1"));
    ASSERT_TRUE(WriteSetting(path, "S", "K", "new"));
    std::string expected = original;
    expected.replace(expected.find("K=old\n"), 6, "K=new\nNew=1\r\n");
    EXPECT_TRUE(ReadWholeFile(path) == expected) << "file changed beyond the two keys";
}

TEST(SettingsFile, LoneBracketFileReadsDefaultsAndTakesWrites) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[");
    EXPECT_EQ(ReadSetting(path, "S", "K", "d"), "d");
    ASSERT_TRUE(WriteSetting(path, "S", "K", "v"));
    EXPECT_EQ(ReadWholeFile(path), "[\r\n[S]\r\nK=v\r\n");
}

TEST(SettingsFile, ReadOnlyFileIsNeverChanged) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[S]\r\nK=1\r\n");
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(WriteSetting(path, "S", "K", "2"));
    EXPECT_FALSE(WriteSetting(path, "S", "K", ""));
    EXPECT_FALSE(DeleteSettingsSection(path, "S"));
    EXPECT_EQ(ReadSetting(path, "S", "K", ""), "1");
    EXPECT_EQ(ReadWholeFile(path), "[S]\r\nK=1\r\n");
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
}

TEST(SettingsFile, FolderOrMissingFolderAtThePathFailsQuietly) {
    TempFolder folder;
    const std::string asFolder = folder.File("Tallymax.ini");
    fs::create_directory(asFolder);
    WriteWholeFile(folder.File("plain"), "x");
    const std::string paths[] = {asFolder, folder.File("missing/Tallymax.ini"),
                                 folder.File("plain/Tallymax.ini"), ""};
    for (const std::string& path : paths) {
        EXPECT_EQ(ReadSetting(path, "S", "K", "d"), "d") << path;
        EXPECT_FALSE(WriteSetting(path, "S", "K", "v")) << path;
    }
    EXPECT_FALSE(DeleteSettingsSection(asFolder, "S"));
    EXPECT_TRUE(fs::is_directory(asFolder));
    EXPECT_EQ(ReadWholeFile(folder.File("plain")), "x");
}

TEST(SettingsFile, OversizedFileIsLeftAlone) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[S]\r\nK=1\r\n");
    fs::resize_file(path, kMaxSettingsFileBytes + 1);
    EXPECT_EQ(ReadSetting(path, "S", "K", "d"), "d");
    EXPECT_FALSE(WriteSetting(path, "S", "K", "2"));
    EXPECT_EQ(fs::file_size(path), kMaxSettingsFileBytes + 1);
    fs::resize_file(path, kMaxSettingsFileBytes);
    EXPECT_EQ(ReadSetting(path, "S", "K", "d"), "1") << "the limit itself still loads";
}

TEST(SettingsFile, RefusesNamesThatWouldBreakTheFile) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[S]\r\nK=1\r\n");
    EXPECT_FALSE(WriteSetting(path, "S", "a=b", "1"));
    EXPECT_FALSE(WriteSetting(path, "S", "", "1"));
    EXPECT_FALSE(WriteSetting(path, "S]x", "K", "1"));
    EXPECT_FALSE(WriteSetting(path, "S\r\n[T", "K", "1"));
    EXPECT_FALSE(DeleteSettingsSection(path, ""));
    EXPECT_EQ(ReadWholeFile(path), "[S]\r\nK=1\r\n");
}

std::string g_seenTarget;
std::string g_seenTemporary;

bool ObserveThenFail(const std::string& temporary, const std::string& target) {
    g_seenTarget = ReadWholeFile(target);
    g_seenTemporary = ReadWholeFile(temporary);
    EXPECT_EQ(fs::path(temporary).parent_path(), fs::path(target).parent_path());
    return false;
}

TEST(SettingsFile, FailedReplacementLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    WriteWholeFile(path, "[S]\r\nK=1\r\n");
    SetFileReplacer(ObserveThenFail);
    const bool written = WriteSetting(path, "S", "K", "2");
    SetFileReplacer(nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(g_seenTarget, "[S]\r\nK=1\r\n") << "the original is untouched until replaced";
    EXPECT_EQ(g_seenTemporary, "[S]\r\nK=2\r\n") << "the new content is complete beforehand";
    EXPECT_EQ(ReadWholeFile(path), "[S]\r\nK=1\r\n");
    EXPECT_EQ(FileNames(folder.path()), std::vector<std::string>{"Tallymax.ini"});
    EXPECT_TRUE(WriteSetting(path, "S", "K", "3")) << "the default replacement is back";
    EXPECT_EQ(ReadWholeFile(path), "[S]\r\nK=3\r\n");
}

}  // namespace
