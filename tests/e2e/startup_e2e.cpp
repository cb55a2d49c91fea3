// Start-up: the settings file next to the program, its keys and their normalisation,
// and the window's first state.
#include <gtest/gtest.h>

#include "first_start_ini.h"
#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

// Where a control stands in the main window's client area.
RECT ClientBox(const TallymaxApp& app, int id) {
    RECT r = {};
    GetWindowRect(app.Control(id), &r);
    MapWindowPoints(nullptr, app.Main(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string ClassOf(HWND h) {
    char name[64] = "";
    GetClassNameA(h, name, sizeof name);
    return name;
}

struct ControlCase {
    int id;
    const char* cls;
    const char* text;
    int x, y, w, h;
    bool visible;
    bool enabled;
};

const char* kButton = "TB_XPBUTTON";

// Every control of a first start (Dec, tape, stopwatch row and status bar shown).
const ControlCase kControls[] = {
    {kIdBack, kButton, "Back", 12, 56, 60, 24, true, true},
    {kIdCE, kButton, "CE", 76, 56, 60, 24, true, true},
    {kIdClear, kButton, "Clear", 140, 56, 60, 24, true, true},
    {kIdCT, kButton, "CT", 204, 56, 60, 24, true, true},
    {kIdCnv, kButton, "Cnv", 12, 104, 28, 24, true, true},
    {kIdSecond, kButton, "2nd", 44, 104, 28, 24, true, true},
    {kIdKey7, kButton, "7", 76, 104, 28, 24, true, true},
    {kIdKey8, kButton, "8", 108, 104, 28, 24, true, true},
    {kIdKey9, kButton, "9", 140, 104, 28, 24, true, true},
    {kIdPercent, kButton, "%", 172, 104, 28, 24, true, true},
    {kIdDivide, kButton, "\xF7", 204, 104, 28, 24, true, true},
    {kIdFeed, kButton, "Feed", 236, 104, 28, 24, true, true},
    {kIdArea, kButton, "Area", 12, 132, 28, 24, true, true},
    {kIdMemClear, kButton, "MC", 44, 132, 28, 24, true, true},
    {kIdKey4, kButton, "4", 76, 132, 28, 24, true, true},
    {kIdKey5, kButton, "5", 108, 132, 28, 24, true, true},
    {kIdKey6, kButton, "6", 140, 132, 28, 24, true, true},
    {kIdMinus, kButton, "-", 172, 132, 28, 24, true, true},
    {kIdMultiply, kButton, "\xD7", 204, 132, 28, 24, true, true},
    {kIdTax, kButton, "+Tax", 236, 132, 28, 24, true, true},
    {kIdVol, kButton, "Vol", 12, 160, 28, 24, true, true},
    {kIdMemRecall, kButton, "MR", 44, 160, 28, 24, true, true},
    {kIdKey1, kButton, "1", 76, 160, 28, 24, true, true},
    {kIdKey2, kButton, "2", 108, 160, 28, 24, true, true},
    {kIdKey3, kButton, "3", 140, 160, 28, 24, true, true},
    {kIdPlus, kButton, "+", 172, 160, 28, 52, true, true},
    {kIdEquals, kButton, "=", 204, 160, 28, 52, true, true},
    {kIdChg, kButton, "Chg", 236, 160, 28, 24, true, true},
    {kIdLoan, kButton, "Loan", 12, 188, 28, 24, true, true},
    {kIdMemSet, kButton, "MS", 44, 188, 28, 24, true, true},
    {kIdSign, kButton, "+/-", 76, 188, 28, 24, true, true},
    {kIdKey0, kButton, "0", 108, 188, 28, 24, true, true},
    {kIdPoint, kButton, ".", 140, 188, 28, 24, true, true},
    {kIdReciprocal, kButton, "1/x", 236, 188, 28, 24, true, true},
    {kIdThroughput, kButton, "XPButton", 12, 216, 28, 24, true, true},
    {kIdMemAdd, kButton, "M+", 44, 216, 28, 24, true, true},
    {kIdKeyA, kButton, "A", 76, 216, 28, 24, true, false},
    {kIdKeyB, kButton, "B", 108, 216, 28, 24, true, false},
    {kIdKeyC, kButton, "C", 140, 216, 28, 24, true, false},
    {kIdKeyD, kButton, "D", 172, 216, 28, 24, true, false},
    {kIdKeyE, kButton, "E", 204, 216, 28, 24, true, false},
    {kIdKeyF, kButton, "F", 236, 216, 28, 24, true, false},
    {kIdHelp, kButton, "Help", 204, 32, 25, 20, true, true},
    {kIdTopMost, kButton, "[O]", 237, 32, 25, 20, true, true},
    {kIdStopwatchStart, kButton, "Start", 12, 245, 60, 18, true, true},
    {kIdStopwatchLap, kButton, "Lap", 76, 245, 60, 18, true, false},
    {kIdStopwatchReset, kButton, "Reset", 236, 245, 28, 18, true, false},
    {kIdDisplay, "Edit", "0", 4, 8, 252, 20, true, true},
    {kIdInputSink, "Edit", "", 188, 0, 52, 16, false, true},
    {kIdTape, "ListBox", "", 276, 8, 224, 254, true, true},
    {kIdRadioDec, "Button", "Dec", 20, 36, 36, 12, true, true},
    {kIdRadioHex, "Button", "Hex", 64, 36, 36, 12, true, true},
    {kIdRadioBin, "Button", "Bin", 108, 36, 36, 12, true, true},
    {kIdRadioOct, "Button", "Oct", 152, 36, 36, 12, true, true},
    {kIdRadioFrame, "Button", "", 12, 25, 184, 28, true, true},
    {kIdMem2Label, "Static", "Mem2", 44, 88, 32, 12, false, true},
    {kIdLaptopLabel, "Static", "Laptop 10 Key", 78, 88, 89, 12, false, true},
    {kIdStopwatchReadout, "Static", "00:00:00:00", 142, 245, 88, 18, true, true},
    // The layout puts the separator on the row just above the status bar.
    {kIdSeparatorLine, "FIRELINES", "", 0, 269, 513, 1, true, true},
    {kIdStatusMemory, "Static", " M1", 0, 270, 133, 22, true, true},
    {kIdStatusAverage, "Static", " Avg = 0.00", 133, 270, 133, 22, true, true},
    {kIdStatusItems, "Static", " 0 Items", 266, 270, 100, 22, true, true},
    {kIdStatusDate, "Static", nullptr, 366, 270, 100, 22, true, true},
    {kIdStatusNumLock, "Static", nullptr, 466, 270, 46, 22, true, true},
};

TEST(Startup, FirstStartWritesEveryMainSettingNextToTheProgram) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(TallymaxApp::WindowTextOf(app.Main()), "Tallymax");
    EXPECT_EQ(app.Ini(), kFirstStartIni);
    EXPECT_EQ(app.Display(), "0");
    EXPECT_EQ(app.Text(1008), " M1");
    EXPECT_EQ(app.Text(1018), " Avg = 0.00");
    EXPECT_EQ(app.Text(1024), " 0 Items");
    RECT r = app.WindowRect();
    EXPECT_EQ(r.right - r.left, 513);
    RECT client;
    GetClientRect(app.Main(), &client);
    EXPECT_EQ(client.bottom, 293);
    EXPECT_TRUE(app.Close());
    EXPECT_EQ(app.ExitCode(), 0u);
}

TEST(Startup, EveryControlStandsWhereTheLayoutPutsIt) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND h = app.Control(c.id);
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(ClassOf(h), c.cls);
        if (c.text) EXPECT_EQ(TallymaxApp::WindowTextOf(h), c.text);
        RECT r = ClientBox(app, c.id);
        EXPECT_EQ(r.left, c.x);
        EXPECT_EQ(r.top, c.y);
        EXPECT_EQ(r.right - r.left, c.w);
        EXPECT_EQ(r.bottom - r.top, c.h);
        EXPECT_EQ(IsWindowVisible(h) != FALSE, c.visible);
        EXPECT_EQ(IsWindowEnabled(h) != FALSE, c.enabled);
    }
    EXPECT_EQ(SendMessageA(app.Control(kIdRadioDec), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(app.Control(kIdRadioHex), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // The NumLock field has been brought up to date; the date reads "  Mmm dd, yyyy".
    std::string numLock = app.Text(kIdStatusNumLock);
    EXPECT_TRUE(numLock == "NUM" || numLock.empty()) << numLock;
    std::string date = app.Text(kIdStatusDate);
    EXPECT_EQ(date.size(), 14u) << date;
    EXPECT_EQ(date.substr(0, 2), "  ") << date;
    EXPECT_EQ(date.substr(8, 2), ", ") << date;
}

struct MenuItemCase {
    int position;  // in its popup
    int id;        // 0 for a separator, -1 for a popup
    const char* text;
};

// Menus live in their own process under Wine, so the menu is read from the program
// file's resources; the popups get their identifiers at run time.
void ExpectMenu(HMENU menu, const std::vector<MenuItemCase>& items, const char* name) {
    SCOPED_TRACE(name);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
    for (const MenuItemCase& item : items) {
        SCOPED_TRACE(item.position);
        char text[64] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, item.position, TRUE, &info));
        if (item.id == 0) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        if (item.id == -1)
            EXPECT_NE(info.hSubMenu, nullptr);
        else
            EXPECT_EQ(static_cast<int>(info.wID), item.id);
        EXPECT_EQ(std::string(text), item.text);
    }
}

TEST(Startup, MenuResourceHasTheItemsInTheirOrder) {
    TallymaxApp app;  // not started: only its copy of the program file is read
    const std::string path = app.Folder() + "tallymax.exe";
    HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr) << path;
    HMENU bar = LoadMenuA(exe, MAKEINTRESOURCEA(200));
    ExpectMenu(bar, {{0, -1, "&File"}, {1, -1, "&Edit"}, {2, -1, "&View"}, {3, -1, "&Help"}},
               "bar");
    ExpectMenu(GetSubMenu(bar, 0),
               {{0, kMenuSaveTape, "Save Tape"},
                {1, kMenuLoadTape, "Load Tape"},
                {2, kMenuPrintTape, "Print Tape"},
                {3, kMenuShowTape, "Show Tape"},
                {4, kMenuShowStatusBar, "Show StatusBar"},
                {5, kMenuShowStopwatch, "Show Stopwatch"},
                {6, kMenuOptions, "Options"},
                {7, kMenuExit, "Exit"}},
               "File");
    ExpectMenu(GetSubMenu(bar, 1), {{0, kMenuCopy, "Copy"}, {1, kMenuPaste, "Paste"}}, "Edit");
    HMENU view = GetSubMenu(bar, 2);
    ExpectMenu(view,
               {{0, kMenuDigitGrouping, "Digit grouping"},
                {1, 0, ""},
                {2, -1, "Decimals"},
                {3, kMenuKeepTape, "Keep Tape Between Sessions"}},
               "View");
    ExpectMenu(GetSubMenu(view, 2),
               {{0, kMenuFloating, "Floating"},
                {1, kMenuDecimal0, "0 Decimal"},
                {2, kMenuDecimal0 + 1, "1 Decimal"},
                {3, kMenuDecimal0 + 2, "2 Decimal"},
                {4, kMenuDecimal0 + 3, "3 Decimal"},
                {5, kMenuDecimal4, "4 Decimal"},
                {6, 0, ""},
                {7, kMenuAutoDecimal, "Auto Decimal"}},
               "Decimals");
    ExpectMenu(GetSubMenu(bar, 3),
               {{0, kMenuHelpTopics, "Help Topics"},
                {1, kMenuKeyboard, "Keyboard Equivalents"},
                {2, 0, ""},
                {3, kMenuAbout, "About"}},
               "Help");
    DestroyMenu(bar);
    FreeLibrary(exe);
}

// A layout item's check mark decides what its click writes: "0" when it was checked.
TEST(Startup, LayoutCheckMarksFollowTheSettingsRead) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nShowTape=1\r\nShowStatusBar=0\r\nShowStopWatch=2\r\n");
    ASSERT_TRUE(app.Start());
    app.Menu(kMenuShowTape);
    app.Menu(kMenuShowStatusBar);
    app.Menu(kMenuShowStopwatch);
    std::string ini = app.Ini();
    EXPECT_EQ(IniValue(ini, "Main Settings", "ShowTape"), "0");
    EXPECT_EQ(IniValue(ini, "Main Settings", "ShowStatusBar"), "1");
    EXPECT_EQ(IniValue(ini, "Main Settings", "ShowStopWatch"), "1");
}

// The three layout keys at start-up, each on (1), off (0) or an odd value that counts
// as off and is written back unchanged.
TEST(Startup, LayoutFollowsEveryCombinationOfTheThreeKeys) {
    const char* values[][3] = {{"1", "1", "1"}, {"0", "1", "1"}, {"1", "0", "1"},
                               {"1", "1", "0"}, {"0", "0", "1"}, {"0", "1", "0"},
                               {"1", "0", "0"}, {"0", "0", "0"}, {"2", "1", "2"}};
    for (const auto& v : values) {
        const std::string tapeValue = v[0], statusValue = v[1], stopwatchValue = v[2];
        SCOPED_TRACE("ShowTape=" + tapeValue + " ShowStatusBar=" + statusValue +
                     " ShowStopWatch=" + stopwatchValue);
        const bool tape = tapeValue == "1", status = statusValue == "1",
                   stopwatch = stopwatchValue == "1";
        TallymaxApp app;
        app.WriteIni("[Main Settings]\r\nShowTape=" + tapeValue + "\r\nShowStatusBar=" +
                     statusValue + "\r\nShowStopWatch=" + stopwatchValue + "\r\n");
        ASSERT_TRUE(app.Start());

        RECT outer = app.WindowRect();
        EXPECT_EQ(outer.right - outer.left, tape ? 513 : 282);
        RECT client;
        GetClientRect(app.Main(), &client);
        EXPECT_EQ(client.bottom, 293 - (stopwatch ? 0 : 22) - (status ? 0 : 22));

        EXPECT_EQ(IsWindowVisible(app.Control(kIdTape)) != FALSE, tape);
        RECT list = ClientBox(app, kIdTape);
        EXPECT_EQ(list.right - list.left, 224);
        EXPECT_EQ(list.bottom - list.top, stopwatch ? 254 : 232);
        for (int id : {kIdStopwatchStart, kIdStopwatchLap, kIdStopwatchReset, kIdStopwatchReadout})
            EXPECT_EQ(IsWindowVisible(app.Control(id)) != FALSE, stopwatch) << "control " << id;

        const int top = stopwatch ? 270 : 248;
        const int narrow = tape ? 133 : 87;
        const struct {
            int id, x, w, h;
        } fields[] = {{kIdStatusMemory, 0, narrow, 22},
                      {kIdStatusAverage, narrow, narrow, 22},
                      {kIdStatusItems, tape ? 266 : 174, 100, 22},
                      {kIdStatusDate, 366, 100, 22},
                      {kIdStatusNumLock, 466, 46, 22},
                      {kIdSeparatorLine, 0, 513, 1}};
        for (const auto& f : fields) {
            RECT r = ClientBox(app, f.id);
            EXPECT_EQ(IsWindowVisible(app.Control(f.id)) != FALSE, status) << "control " << f.id;
            EXPECT_EQ(r.left, f.x) << "control " << f.id;
            EXPECT_EQ(r.top, f.id == kIdSeparatorLine ? top - 1 : top) << "control " << f.id;
            EXPECT_EQ(r.right - r.left, f.w) << "control " << f.id;
            EXPECT_EQ(r.bottom - r.top, f.h) << "control " << f.id;
        }

        std::string ini = app.Ini();
        EXPECT_EQ(IniValue(ini, "Main Settings", "ShowTape"), tapeValue);
        EXPECT_EQ(IniValue(ini, "Main Settings", "ShowStatusBar"), statusValue);
        EXPECT_EQ(IniValue(ini, "Main Settings", "ShowStopWatch"), stopwatchValue);
    }
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

// The keypad starts out set for Dec; a stored Hex choice must switch every key over.
TEST(Startup, StoredHexChoiceEnablesTheHexKeys) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=11\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(SendMessageA(app.Control(kIdRadioHex), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(app.Control(kIdRadioDec), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    for (int id : {kIdKeyA, kIdKeyB, kIdKeyC, kIdKeyD, kIdKeyE, kIdKeyF, kIdKey9})
        EXPECT_TRUE(IsWindowEnabled(app.Control(id))) << "control " << id;
    for (int id : {kIdPoint, kIdSign, kIdPercent, kIdTax, kIdReciprocal, kIdChg, kIdCnv})
        EXPECT_FALSE(IsWindowEnabled(app.Control(id))) << "control " << id;
    EXPECT_EQ(app.Tape(), std::vector<std::string>{"(Hex)"});
    app.Press("F F");
    EXPECT_EQ(app.Display(), "FF");
}

TEST(Startup, StoredDecimalChoiceShapesTheFirstDisplay) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Display(), "0.00");
}

}  // namespace
