// Start-up: the settings file next to the program, its keys and their normalisation,
// and the window's first state.
#include <gtest/gtest.h>

#include "harness_win.h"

namespace {

const char* kDefaultIni =
    "[Main Settings]\r\n"
    "Group 1 Color=16711680\r\n"
    "Group 2 Color=255\r\n"
    "Group 3 Color=16711935\r\n"
    "ShowTape=1\r\n"
    "ShowStatusBar=1\r\n"
    "ShowStopWatch=1\r\n"
    "Digit Grouping=1\r\n"
    "Decimal Setting1=10\r\n"
    "Decimal Setting2=10\r\n"
    "Auto Decimal=0\r\n"
    "TaxRate=0\r\n"
    "TopMost=0\r\n"
    "LT10Key=0\r\n"
    "CalcMode=0\r\n";

TEST(Startup, FirstStartWritesEveryMainSettingNextToTheProgram) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(TallymaxApp::WindowTextOf(app.Main()), "Tallymax");
    EXPECT_EQ(app.Ini(), kDefaultIni);
    EXPECT_EQ(app.Display(), "0");
    EXPECT_EQ(app.Text(1008), " M1");
    EXPECT_EQ(app.Text(1018), " Avg = 0.00");
    EXPECT_EQ(app.Text(1024), " 0 Items");
    RECT r = app.WindowRect();
    EXPECT_EQ(r.right - r.left, 513);
    EXPECT_EQ(r.bottom - r.top, 344);
    EXPECT_TRUE(app.Close());
    EXPECT_EQ(app.ExitCode(), 0u);
}

TEST(Startup, OutOfRangeValuesAreNormalisedAndWrittenBack) {
    TallymaxApp app;
    app.WriteIni(
        "; kept as it is\r\n"
        "[Main Settings]\r\n"
        "Digit Grouping=7\r\n"
        "Decimal Setting1=14\r\n"
        "Decimal Setting2=12\r\n"
        "TaxRate=8.250\r\n"
        "ShowTape=2\r\n"
        "[Other]\r\n"
        "odd line without equals\r\n");
    ASSERT_TRUE(app.Start());
    std::string ini = app.Ini();
    EXPECT_EQ(IniValue(ini, "Main Settings", "Digit Grouping"), "1");
    EXPECT_EQ(IniValue(ini, "Main Settings", "Decimal Setting1"), "10");
    EXPECT_EQ(IniValue(ini, "Main Settings", "Decimal Setting2"), "10");
    EXPECT_EQ(IniValue(ini, "Main Settings", "TaxRate"), "8.25");
    EXPECT_EQ(IniValue(ini, "Main Settings", "ShowTape"), "2");
    EXPECT_EQ(IniValue(ini, "Main Settings", "CalcMode"), "0");
    EXPECT_EQ(ini.compare(0, 18, "; kept as it is\r\n["), 0) << ini;
    EXPECT_NE(ini.find("[Other]\r\nodd line without equals\r\n"), std::string::npos) << ini;
    // "2" counts as off: the tape is hidden and the window narrow.
    RECT r = app.WindowRect();
    EXPECT_EQ(r.right - r.left, 282);
    EXPECT_FALSE(IsWindowVisible(app.Control(1019)));
}

TEST(Startup, StoredDecimalChoiceShapesTheFirstDisplay) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Display(), "0.00");
}

}  // namespace
