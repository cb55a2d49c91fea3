// Where the real program keeps Tallymax.ini: next to itself when it can, else in the
// user's application-data folder under Korvalen\Tallymax, found through the system.
#include <gtest/gtest.h>

#include <string>

#include "harness_win.h"
#include "options_steps_win.h"
#include "ui/control_ids.h"

namespace {

// Every test starts and ends without a settings file in the maker folder: one left
// there would be taken by every later start of the program in this prefix.
class MakerFolderTest : public testing::Test {
  protected:
    MakerFolderTest() { RemoveMakerFiles(); }
    ~MakerFolderTest() override { RemoveMakerFiles(); }
    static void RemoveMakerFiles() {
        DeleteFileA(MakerFile().c_str());
        DeleteFileA((MakerFolder() + "\\Tallymax.tape").c_str());
    }

    static std::string MakerFile() { return MakerFolder() + "\\Tallymax.ini"; }
    static void WriteMakerFile(const std::string& bytes) {
        CreateDirectoryA((AppDataFolder() + "\\Korvalen").c_str(), nullptr);
        CreateDirectoryA(MakerFolder().c_str(), nullptr);
        WriteFileBytes(MakerFile(), bytes);
    }
};

TEST_F(MakerFolderTest, UnusableProgramFolderSendsTheFileToTheMakerFolder) {
    ASSERT_FALSE(AppDataFolder().empty());
    TallymaxApp app;
    // A folder in the file's place: the program can neither find nor create it there.
    ASSERT_TRUE(CreateDirectoryA((app.Folder() + "Tallymax.ini").c_str(), nullptr));
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(IsFolder(AppDataFolder() + "\\Korvalen"));
    EXPECT_TRUE(IsFolder(MakerFolder()));
    std::string ini = ReadFileBytes(MakerFile());
    EXPECT_EQ(ini.find("[Main Settings]\r\nGroup 1 Color=16711680\r\n"), 0u) << ini;
    EXPECT_EQ(IniValue(ini, "Main Settings", "CalcMode"), "0");
    EXPECT_TRUE(IsFolder(app.Folder() + "Tallymax.ini"));

    // Later writes go there too.
    app.Click(kIdTopMost);
    EXPECT_EQ(IniValue(ReadFileBytes(MakerFile()), "Main Settings", "TopMost"), "1");
}

TEST_F(MakerFolderTest, MakerFolderFileIsUsedWhenTheProgramFolderHasNone) {
    WriteMakerFile("[Main Settings]\r\nTaxRate=9.5\r\n");
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(TaxRateShown(app), "9.5");
    EXPECT_FALSE(IsFile(app.Folder() + "Tallymax.ini")) << "no second file is made";
    EXPECT_EQ(IniValue(ReadFileBytes(MakerFile()), "Main Settings", "ShowTape"), "1");
}

TEST_F(MakerFolderTest, ProgramFolderFileWinsOverTheMakerFolderFile) {
    WriteMakerFile("[Main Settings]\r\nTaxRate=9.5\r\n");
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTaxRate=3\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(TaxRateShown(app), "3");
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "ShowTape"), "1");
    EXPECT_EQ(ReadFileBytes(MakerFile()), "[Main Settings]\r\nTaxRate=9.5\r\n") << "left alone";
}

}  // namespace
