// The main window used as a person would: keypad buttons, keys, menus, the tape,
// the status bar, the layout, the clipboard, the stopwatch and the memory banks.
#include <gtest/gtest.h>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kRule(26, '-');
constexpr UINT kStopwatchTimer = 1014;  // the main window's timer that moves the stopwatch

TEST(MainWindow, CalculatorModeByButtons) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("2 + 3 =");
    EXPECT_EQ(app.Tape(), (Lines{"2  ", "3 +", kRule, "5 =", ""}));
    EXPECT_EQ(app.Display(), "5");
    EXPECT_EQ(app.Text(kIdStatusAverage), " AVG = 2.50");
    EXPECT_EQ(app.Text(kIdStatusItems), "  2 Items");
}

TEST(MainWindow, AddingMachineModeByButtons) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nCalcMode=1\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("10 + 5 + - =");
    EXPECT_EQ(app.Tape(), (Lines{"10.00 +", "5.00 +", "5.00 -", kRule, "10.00 =", ""}));
    EXPECT_EQ(app.Display(), "10.00");
    EXPECT_EQ(app.Text(kIdStatusItems), "  3 Items");
}

TEST(MainWindow, KeysReachTheKeyboardMap) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Keys("1 2 NumMul 3 Enter");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "36"; })) << app.Display();
    EXPECT_EQ(app.Tape(), (Lines{"12  ", "3 \xD7", kRule, "36 =", ""}));
    // Shift+"=" is "+", Backspace takes back a digit, Delete clears the entry.
    app.Keys("4 Shift+= 5 6 Back Enter");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "9"; })) << app.Display();
    app.Keys("7 Delete");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "0"; })) << app.Display();
}

TEST(MainWindow, LaptopMapTurnsLettersIntoDigits) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nLT10Key=1\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(IsWindowVisible(app.Control(kIdLaptopLabel)));
    app.Keys("J K / L Enter");  // 12 + 3
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "15"; })) << app.Display();
}

TEST(MainWindow, EscapeClearsAndShiftEscapeAsksBeforeClearingTheTape) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("7 + 8");
    app.Keys("Esc");
    EXPECT_TRUE(TallymaxApp::WaitUntil(
        [&] { return !app.Tape().empty() && app.Tape().back() == "Clear"; }));

    app.Keys("Shift+Esc");
    HWND box = app.WaitForWindow("#32770", "Calculator");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TallymaxApp::MessageBoxText(box),
              "Clear tape history?  This also clears current calculations!\r\n");
    TallymaxApp::PressDialogButton(box, IDNO);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_FALSE(app.Tape().empty());

    app.Keys("Shift+Esc");
    box = app.WaitForWindow("#32770", "Calculator");
    ASSERT_NE(box, nullptr);
    TallymaxApp::PressDialogButton(box, IDYES);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Tape().empty(); }));
    EXPECT_EQ(app.Text(kIdStatusItems), "  0 Items");
}

TEST(MainWindow, LayoutMenuItemsResizeTheWindowAndWriteTheSettings) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Menu(kMenuShowTape);
    RECT r = app.WindowRect();
    EXPECT_EQ(r.right - r.left, 282);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "ShowTape"), "0");
    app.Menu(kMenuShowStopwatch);
    RECT client;
    GetClientRect(app.Main(), &client);
    EXPECT_EQ(client.bottom, 271);
    RECT items;
    GetWindowRect(app.Control(kIdStatusItems), &items);
    POINT p = {items.left, items.top};
    ScreenToClient(app.Main(), &p);
    EXPECT_EQ(p.x, 174);
    app.Menu(kMenuShowStatusBar);
    GetClientRect(app.Main(), &client);
    EXPECT_EQ(client.bottom, 249);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "ShowStatusBar"), "0");
    app.Menu(kMenuShowTape);
    r = app.WindowRect();
    EXPECT_EQ(r.right - r.left, 513);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "ShowTape"), "1");
}

TEST(MainWindow, ViewMenuWritesDecimalsAndIsIgnoredInHex) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1234.5");
    app.Menu(kMenuDecimal0 + 2);
    EXPECT_EQ(app.Display(), "1,234.50");
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "Decimal Setting1"), "2");
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "Decimal Setting2"), "2");
    app.Menu(kMenuDigitGrouping);
    EXPECT_EQ(app.Display(), "1234.50");
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "Digit Grouping"), "0");

    app.Click(kIdRadioHex);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "Decimal Setting1"), "11");
    std::string before = app.Ini();
    app.Menu(kMenuDigitGrouping);
    app.Menu(kMenuFloating);
    app.Menu(kMenuAutoDecimal);
    EXPECT_EQ(app.Ini(), before);
    // Only the hex digits work; "+/-", ".", "%" and friends are off.
    EXPECT_TRUE(IsWindowEnabled(app.Control(kIdKeyF)));
    EXPECT_FALSE(IsWindowEnabled(app.Control(kIdPoint)));
    EXPECT_FALSE(IsWindowEnabled(app.Control(kIdSign)));
    app.Click(kIdRadioBin);
    EXPECT_FALSE(IsWindowEnabled(app.Control(kIdKey2)));
    EXPECT_TRUE(IsWindowEnabled(app.Control(kIdKey1)));
    app.Click(kIdRadioDec);
    EXPECT_FALSE(IsWindowEnabled(app.Control(kIdKeyA)));
    EXPECT_TRUE(IsWindowEnabled(app.Control(kIdPoint)));
}

TEST(MainWindow, AlwaysOnTopButtonTogglesTheTopmostBand) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    auto latched = [&] {
        return (SendMessageA(app.Control(kIdTopMost), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    };
    EXPECT_FALSE(latched());
    app.Click(kIdTopMost);
    EXPECT_TRUE(GetWindowLongA(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "TopMost"), "1");
    EXPECT_TRUE(latched());
    app.Click(kIdTopMost);
    EXPECT_FALSE(GetWindowLongA(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "TopMost"), "0");
    EXPECT_FALSE(latched());
}

TEST(MainWindow, TopmostWindowStaysTopmostAfterAMessageBox) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTopMost=1\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(GetWindowLongA(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    app.PostClick(kIdCT);
    HWND box = app.WaitForWindow("#32770", "Calculator");
    ASSERT_NE(box, nullptr);
    TallymaxApp::PressDialogButton(box, IDCANCEL);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(TallymaxApp::WaitUntil(
        [&] { return (GetWindowLongA(app.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
}

TEST(MainWindow, CopyAndPasteGoThroughTheRealClipboard) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("1234.5 =");
    app.Menu(kMenuCopy);
    EXPECT_EQ(ClipboardText(), "1,234.50");
    EXPECT_EQ(app.Tape().back(), "Copy (1,234.50)");

    PutClipboardText("2,000.25");
    app.Keys("Ctrl+V");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "2,000.25"; }))
        << app.Display();
    app.Press("+ 1 =");
    EXPECT_EQ(app.Display(), "2,001.25");
}

TEST(MainWindow, StopwatchStartsLapsAndStops) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_FALSE(IsWindowEnabled(app.Control(kIdStopwatchLap)));
    app.Click(kIdStopwatchStart);
    EXPECT_EQ(app.Text(kIdStopwatchStart), "Stop");
    EXPECT_TRUE(IsWindowEnabled(app.Control(kIdStopwatchLap)));
    EXPECT_TRUE(
        TallymaxApp::WaitUntil([&] { return app.Text(kIdStopwatchReadout) >= "00:00:00:20"; }));
    app.Click(kIdStopwatchLap);
    std::string lap = app.Tape().back();
    EXPECT_EQ(lap.size(), 15u) << lap;
    EXPECT_EQ(lap.substr(11), " LAP");
    app.Click(kIdStopwatchStart);
    EXPECT_EQ(app.Text(kIdStopwatchStart), "Start");
    // Ticks of the stopwatch's timer, handed over now rather than waited for, leave
    // a stopped readout as it is.
    std::string frozen = app.Text(kIdStopwatchReadout);
    for (int i = 0; i < 5; ++i) PostMessageA(app.Main(), WM_TIMER, kStopwatchTimer, 0);
    app.Settle();
    EXPECT_EQ(app.Text(kIdStopwatchReadout), frozen);
    app.Click(kIdStopwatchReset);
    EXPECT_TRUE(
        TallymaxApp::WaitUntil([&] { return app.Text(kIdStopwatchReadout) == "00:00:00:00"; }));
}

TEST(MainWindow, MemoryBanksSurviveARestart) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("1234.5 MS 2nd 7 MS");
    EXPECT_EQ(app.Text(kIdStatusMemory), " M2 = 7.00");
    EXPECT_TRUE(IsWindowVisible(app.Control(kIdMem2Label)));
    ASSERT_TRUE(app.Close());
    std::string ini = app.Ini();
    EXPECT_EQ(IniValue(ini, "Memory", "M1"), "1,234.50");
    EXPECT_EQ(IniValue(ini, "Memory", "M1v"), "1234.5");
    EXPECT_EQ(IniValue(ini, "Memory", "M2v"), "7");

    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Text(kIdStatusMemory), " M1 = 1,234.50");
    app.Press("MR");
    EXPECT_EQ(app.Display(), "1,234.50");
    app.Press("2nd MR");
    EXPECT_EQ(app.Display(), "7.00");
}

// A held key shows its button pressed until the key comes up; Shift+"5" presses "%",
// and "5" coming up after Shift releases it all the same.
TEST(MainWindow, HeldKeysShowTheirButtonsPressed) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND sink = app.Control(kIdInputSink);
    auto pushed = [&](int id) {
        return (SendMessageA(app.Control(id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    };
    auto post = [&](UINT msg, int key) {
        PostMessageA(sink, msg, key, msg == WM_KEYUP ? 0xC0000001 : 1);
        app.Settle();
    };
    post(WM_KEYDOWN, '5');
    EXPECT_TRUE(pushed(kIdKey5));
    EXPECT_EQ(app.Display(), "5");
    post(WM_KEYUP, '5');
    EXPECT_FALSE(pushed(kIdKey5));

    post(WM_KEYDOWN, VK_SHIFT);
    post(WM_KEYDOWN, '5');
    EXPECT_TRUE(pushed(kIdPercent));
    EXPECT_FALSE(pushed(kIdKey5));
    post(WM_KEYUP, VK_SHIFT);
    post(WM_KEYUP, '5');
    EXPECT_FALSE(pushed(kIdPercent));

    // Space shows "Start" pressed; the stopwatch only starts when it comes up.
    post(WM_KEYDOWN, VK_SPACE);
    EXPECT_TRUE(pushed(kIdStopwatchStart));
    EXPECT_EQ(app.Text(kIdStopwatchStart), "Start");
    post(WM_KEYUP, VK_SPACE);
    EXPECT_FALSE(pushed(kIdStopwatchStart));
    EXPECT_EQ(app.Text(kIdStopwatchStart), "Stop");
    // Bin: "2" does nothing and shows nothing pressed.
    app.Click(kIdRadioBin);
    post(WM_KEYDOWN, '2');
    EXPECT_FALSE(pushed(kIdKey2));
    post(WM_KEYUP, '2');
}

TEST(MainWindow, ClickingTheTapeLeavesTheFocusForTheKeys) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    SendMessageA(app.Main(), WM_COMMAND, MAKEWPARAM(kIdTape, LBN_SETFOCUS),
                 reinterpret_cast<LPARAM>(app.Control(kIdTape)));
    app.Keys("4 2");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "42"; })) << app.Display();
}

}  // namespace
