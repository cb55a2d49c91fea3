// File > Options, the help window (Help menu, keypad Help button, F1) and Help > About
// on the real program: what they show, what "Ok" and "Cancel" leave in the INI file
// and in the main window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness_win.h"
#include "help/about_window_win.h"
#include "help/help_window_win.h"
#include "settings/options_dialog_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kRule(26, '-');

HWND OpenOptions(TallymaxApp& app) {
    app.PostMenu(kMenuOptions);
    return app.WaitForWindow(kOptionsWindowClass, "Tallymax Options");
}

bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ClickIn(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::string TextIn(HWND window, int id) {
    return TallymaxApp::WindowTextOf(GetDlgItem(window, id));
}

bool Gone(HWND window) {
    return TallymaxApp::WaitUntil([&] { return !IsWindow(window); });
}

bool TopMost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

const char* const kOptionKeys[] = {"TaxRate", "TopMost", "CalcMode", "LT10Key"};

TEST(OptionsDialog, OpensWithTheCurrentValues) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTaxRate=8.250\r\nCalcMode=1\r\nLT10Key=1\r\nTopMost=0\r\n");
    ASSERT_TRUE(app.Start());
    HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsWindowEnabled(app.Main())) << "the main window takes no input meanwhile";
    EXPECT_EQ(TextIn(dialog, kIdOptionsTaxField), "8.25");
    EXPECT_FALSE(Checked(dialog, kIdOptionsStandard));
    EXPECT_TRUE(Checked(dialog, kIdOptionsAdding));
    EXPECT_TRUE(Checked(dialog, kIdOptionsLaptopKeys));
    EXPECT_FALSE(Checked(dialog, kIdOptionsAlwaysOnTop));
    EXPECT_EQ(TextIn(dialog, kIdOptionsLaptopKeys),
              "Laptop 10 Key Support (No need for your Num Locks to be on)");
    EXPECT_EQ(TextIn(dialog, IDOK), "Ok");
    EXPECT_EQ(TextIn(dialog, IDCANCEL), "Cancel");
    ClickIn(dialog, IDCANCEL);
    EXPECT_TRUE(Gone(dialog));
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
}

TEST(OptionsDialog, OkAppliesAndWritesEveryValue) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    EXPECT_FALSE(IsWindowVisible(app.Control(kIdLaptopLabel)));
    HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    ClickIn(dialog, kIdOptionsAdding);
    ClickIn(dialog, kIdOptionsLaptopKeys);
    ClickIn(dialog, kIdOptionsAlwaysOnTop);
    SetWindowTextA(GetDlgItem(dialog, kIdOptionsTaxField), "7,5");  // reading stops at ","
    ClickIn(dialog, IDOK);
    ASSERT_TRUE(Gone(dialog));

    std::string ini = app.Ini();
    EXPECT_EQ(IniValue(ini, "Main Settings", "TaxRate"), "7");
    EXPECT_EQ(IniValue(ini, "Main Settings", "TopMost"), "1");
    EXPECT_EQ(IniValue(ini, "Main Settings", "CalcMode"), "1");
    EXPECT_EQ(IniValue(ini, "Main Settings", "LT10Key"), "1");
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_TRUE(IsWindowVisible(app.Control(kIdLaptopLabel)));
    EXPECT_TRUE(TopMost(app.Main()));

    // The new mode and rate are used from the next operation on.
    app.Press("2 + 3 =");
    EXPECT_EQ(app.Tape(), (Lines{"2 +", "3 +", kRule, "5 =", ""}));
    app.Press("100 Tax");
    EXPECT_EQ(app.Display(), "107");
    EXPECT_EQ(app.Tape().back(), "100 Tx");
    // The laptop map is on: "J" enters 1.
    app.Keys("Esc J");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return app.Display() == "1"; })) << app.Display();

    // Turning everything off again takes the window out of the topmost band.
    dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    ClickIn(dialog, kIdOptionsStandard);
    ClickIn(dialog, kIdOptionsLaptopKeys);
    ClickIn(dialog, kIdOptionsAlwaysOnTop);
    ClickIn(dialog, IDOK);
    ASSERT_TRUE(Gone(dialog));
    ini = app.Ini();
    EXPECT_EQ(IniValue(ini, "Main Settings", "TopMost"), "0");
    EXPECT_EQ(IniValue(ini, "Main Settings", "CalcMode"), "0");
    EXPECT_EQ(IniValue(ini, "Main Settings", "LT10Key"), "0");
    EXPECT_EQ(IniValue(ini, "Main Settings", "TaxRate"), "7");
    EXPECT_FALSE(IsWindowVisible(app.Control(kIdLaptopLabel)));
    EXPECT_FALSE(TopMost(app.Main()));
}

TEST(OptionsDialog, CancelEscapeAndCloseBoxChangeNothing) {
    enum class Way { CancelButton, Escape, CloseBox };
    for (Way way : {Way::CancelButton, Way::Escape, Way::CloseBox}) {
        SCOPED_TRACE(way == Way::CancelButton ? "Cancel"
                     : way == Way::Escape     ? "Escape"
                                              : "close box");
        TallymaxApp app;
        app.WriteIni("[Main Settings]\r\nTaxRate=5\r\n");
        ASSERT_TRUE(app.Start());
        std::string before = app.Ini();
        HWND dialog = OpenOptions(app);
        ASSERT_TRUE(dialog);
        ClickIn(dialog, kIdOptionsAdding);
        ClickIn(dialog, kIdOptionsLaptopKeys);
        ClickIn(dialog, kIdOptionsAlwaysOnTop);
        SetWindowTextA(GetDlgItem(dialog, kIdOptionsTaxField), "9");
        if (way == Way::CancelButton) {
            ClickIn(dialog, IDCANCEL);
        } else if (way == Way::Escape) {
            HWND field = GetDlgItem(dialog, kIdOptionsTaxField);
            PostMessageA(field, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageA(field, WM_KEYUP, VK_ESCAPE, 1 | (1u << 30) | (1u << 31));
        } else {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ASSERT_TRUE(Gone(dialog));
        EXPECT_EQ(app.Ini(), before);
        EXPECT_TRUE(IsWindowEnabled(app.Main()));
        EXPECT_FALSE(IsWindowVisible(app.Control(kIdLaptopLabel)));
        EXPECT_FALSE(TopMost(app.Main()));
        app.Press("2 + 3 =");  // still Calculator Mode
        EXPECT_EQ(app.Tape(), (Lines{"2  ", "3 +", kRule, "5 =", ""}));
        app.Press("100 Tax");  // still 5 %
        EXPECT_EQ(app.Display(), "105");
    }
}

TEST(OptionsDialog, OkWithoutChangesWritesTheSameValues) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nTaxRate=8.25\r\nTopMost=1\r\nCalcMode=1\r\nLT10Key=0\r\n");
    ASSERT_TRUE(app.Start());
    std::string before = app.Ini();
    HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    ClickIn(dialog, IDOK);
    ASSERT_TRUE(Gone(dialog));
    std::string after = app.Ini();
    for (const char* key : kOptionKeys)
        EXPECT_EQ(IniValue(after, "Main Settings", key), IniValue(before, "Main Settings", key))
            << key;
    EXPECT_TRUE(TopMost(app.Main()));
}

HWND HelpWindowOf(const TallymaxApp& app, int timeoutMs = 5000) {
    return app.WaitForWindow(kHelpWindowClass, "Tallymax Help", timeoutMs);
}

std::string HelpText(HWND help) {
    return TextIn(help, kIdHelpText);
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

TEST(HelpWindow, KeyboardEquivalentsOpensAtTheKeyboardPage) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Menu(kMenuKeyboard);
    HWND help = HelpWindowOf(app);
    ASSERT_TRUE(help);
    EXPECT_TRUE(
        StartsWith(HelpText(help), "Button\tKeyboard\r\n---------\t-------------\r\n0-9\t0-9\r\n"))
        << HelpText(help);
    EXPECT_NE(HelpText(help).find("\r\n\xD7\t*\r\n\xF7\t/\r\n"), std::string::npos);
    EXPECT_EQ(TextIn(help, kIdHelpTitle), "Tallymax");
    EXPECT_EQ(TextIn(help, kIdHelpVersion), "Version 2.9.0 ");
    EXPECT_EQ(GetWindow(help, GW_OWNER), app.Main());
    EXPECT_TRUE(IsWindowEnabled(app.Main())) << "the help window is modeless";

    // Help Topics closes it and opens a new one at the overview.
    app.Menu(kMenuHelpTopics);
    EXPECT_TRUE(Gone(help));
    HWND overview = HelpWindowOf(app);
    ASSERT_TRUE(overview);
    EXPECT_TRUE(StartsWith(HelpText(overview), "Tallymax is a printing calculator"))
        << HelpText(overview);

    // The keypad Help button and F1 only bring the open window forward.
    app.Click(kIdHelp);
    app.Keys("F1");
    app.Settle();
    EXPECT_TRUE(IsWindow(overview));
    EXPECT_EQ(HelpWindowOf(app), overview);
    EXPECT_TRUE(StartsWith(HelpText(overview), "Tallymax is a printing calculator"))
        << HelpText(overview);

    // Closed, the Help button opens it again at the overview.
    PostMessageA(overview, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Gone(overview));
    app.Keys("F1");
    HWND again = HelpWindowOf(app);
    ASSERT_TRUE(again);
    EXPECT_TRUE(StartsWith(HelpText(again), "Tallymax is a printing calculator"))
        << HelpText(again);
}

TEST(AboutWindow, ShowsNameAndVersionAndClosesWithOk) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.PostMenu(kMenuAbout);
    HWND about = app.WaitForWindow(kAboutWindowClass, "About Tallymax");
    ASSERT_TRUE(about);
    EXPECT_FALSE(IsWindowEnabled(app.Main())) << "modal";
    EXPECT_EQ(TextIn(about, kIdAboutName), "Tallymax");
    EXPECT_EQ(TextIn(about, kIdAboutVersion), "Version 2.9.0 ");
    EXPECT_EQ(TextIn(about, kIdAboutWebLabel), "Web:");
    EXPECT_EQ(TextIn(about, kIdAboutLink), kMakerWebAddress);
    std::string before = app.Ini();
    ClickIn(about, IDOK);
    EXPECT_TRUE(Gone(about));
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(app.Ini(), before) << "the about window writes no settings";
}

}  // namespace
