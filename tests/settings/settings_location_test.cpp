#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/settings_disk.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// A program folder and an application-data folder of the test's own.
struct Folders {
    TempFolder root;
    std::string program = root.File("program");
    std::string appData = root.File("appdata");
    Folders() {
        fs::create_directory(program);
        fs::create_directory(appData);
    }
    std::string ProgramFile() const { return program + kPathSeparator + "Tallymax.ini"; }
    std::string MakerFile() const {
        return appData + kPathSeparator + "Korvalen" + kPathSeparator + "Tallymax" +
               kPathSeparator + "Tallymax.ini";
    }
    SettingsPlatform Platform() const {
        std::string folder = appData;
        return {program + kPathSeparator, [folder] { return folder; }};
    }
};

TEST(SettingsLocation, FirstStartCreatesAnEmptyFileBesideTheProgram) {
    Folders f;
    EXPECT_EQ(LocateSettingsFile(f.Platform()), f.ProgramFile());
    EXPECT_TRUE(FileExists(f.ProgramFile()));
    EXPECT_EQ(ReadWholeFile(f.ProgramFile()), "");
    EXPECT_FALSE(fs::exists(f.MakerFile()));
}

TEST(SettingsLocation, UnwritableProgramFolderGoesToTheMakerFolder) {
    Folders f;
    // A "folder" under a regular file cannot take a file, whoever runs the test.
    WriteWholeFile(f.root.File("blocked"), "");
    f.program = f.root.File("blocked") + kPathSeparator + "program";
    EXPECT_EQ(LocateSettingsFile(f.Platform()), f.MakerFile());
    EXPECT_TRUE(fs::is_directory(f.appData + "/Korvalen"));
    EXPECT_TRUE(fs::is_directory(f.appData + "/Korvalen/Tallymax"));
    EXPECT_FALSE(fs::exists(f.MakerFile())) << "the first write creates it";
}

TEST(SettingsLocation, ProgramFolderFileWinsOverMakerFolderFile) {
    Folders f;
    fs::create_directories(f.appData + "/Korvalen/Tallymax");
    WriteWholeFile(f.MakerFile(), "[Main Settings]\r\n");
    WriteWholeFile(f.ProgramFile(), "");
    EXPECT_EQ(LocateSettingsFile(f.Platform()), f.ProgramFile());
}

TEST(SettingsLocation, ExistingMakerFolderFileWinsOverCreatingOne) {
    Folders f;
    fs::create_directories(f.appData + "/Korvalen/Tallymax");
    WriteWholeFile(f.MakerFile(), "[Main Settings]\r\n");
    EXPECT_EQ(LocateSettingsFile(f.Platform()), f.MakerFile());
    EXPECT_FALSE(fs::exists(f.ProgramFile()));
}

TEST(SettingsLocation, OnlyFilesCount) {
    Folders f;
    fs::create_directory(f.ProgramFile());
    EXPECT_EQ(LocateSettingsFile(f.Platform()), f.MakerFile());
}

TEST(SettingsLocation, FailedAppDataLookupUsesTheProgramFolder) {
    Folders f;
    SettingsPlatform platform = f.Platform();
    platform.appDataFolder = [] { return std::string(); };
    EXPECT_EQ(MakerFolder(platform), f.program);
    EXPECT_EQ(LocateSettingsFile(platform), f.ProgramFile());

    platform.appDataFolder = nullptr;
    EXPECT_EQ(MakerFolder(platform), f.program);
}

TEST(SettingsLocation, TrailingSeparatorsOfAppDataAreDropped) {
    Folders f;
    SettingsPlatform platform = f.Platform();
    std::string folder = f.appData + "\\/";
    platform.appDataFolder = [folder] { return folder; };
    EXPECT_EQ(MakerFolder(platform),
              f.appData + kPathSeparator + "Korvalen" + kPathSeparator + "Tallymax");
}

TEST(SettingsLocation, PathsOverTheLimitAreNotUsed) {
    Folders f;
    SettingsPlatform platform = f.Platform();
    platform.programFolder = std::string(kMaxPathLength, 'p') + kPathSeparator;
    EXPECT_EQ(LocateSettingsFile(platform), f.MakerFile());

    std::string longAppData = f.appData + kPathSeparator + std::string(kMaxPathLength, 'a');
    platform.appDataFolder = [longAppData] { return longAppData; };
    EXPECT_EQ(LocateSettingsFile(platform), "") << "no usable path at all";
}

#ifndef _WIN32
TEST(SettingsLocation, WildcardNamesNeverExist) {
    Folders f;
    for (const char* name : {"a*b", "a?b", "plain"}) WriteWholeFile(f.root.File(name), "");
    EXPECT_FALSE(FileExists(f.root.File("a*b")));
    EXPECT_FALSE(FileExists(f.root.File("a?b")));
    EXPECT_TRUE(FileExists(f.root.File("plain")));
}
#endif

}  // namespace
