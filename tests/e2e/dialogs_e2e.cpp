// File > Options, the help window (Help menu, keypad Help button, F1) and Help > About
// on the real program: what they show, what "Ok" and "Cancel" leave in the INI file
// and in the main window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness_win.h"
#include "options_steps_win.h"
#include "program_tree_win.h"
// After <windows.h>, which the harness brings in.
#include <commctrl.h>

#include "help/about_window_win.h"
#include "help/help_window_win.h"
#include "settings/options_dialog_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kRule(26, '-');

bool Checked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string TextIn(HWND window, int id) {
    return TallymaxApp::WindowTextOf(GetDlgItem(window, id));
}

bool TopMost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The "[O]" button shows pressed.
bool TopMostButtonPressed(const TallymaxApp& app) {
    return SendMessageA(app.Control(kIdTopMost), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

const char* const kOptionKeys[] = {"TaxRate", "TopMost", "CalcMode", "LT10Key"};

std::string ClassOf(HWND window) {
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A control's place and size in its parent's client area.
RECT PlaceIn(HWND parent, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<int> ChildIdsInOrder(HWND window) {
    std::vector<int> ids;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(c));
    return ids;
}

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

TEST(OptionsDialog, WindowAndControlsAreAsDesigned) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), app.Main());
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    RECT outer;
    GetWindowRect(dialog, &outer);
    EXPECT_EQ(outer.right - outer.left, 365);
    EXPECT_EQ(outer.bottom - outer.top, 228);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 365) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 228) / 2);

    struct Control {
        int id;
        const char* cls;
        const char* caption;
        int x, y, w, h;
        DWORD kind;    // the BS_/SS_ type bits, or ~0u for none to check
        DWORD styles;  // further style bits that must be set
    } expected[] = {
        {1000, "Button", "Calculator Mode", 4, 11, 147, 56, BS_GROUPBOX, 0},
        {1001, "Button", "Standard Calculator", 8, 28, 125, 16, BS_AUTORADIOBUTTON,
         WS_GROUP | WS_TABSTOP},
        {1002, "Button", "Adding Machine", 8, 46, 124, 16, BS_AUTORADIOBUTTON, 0},
        {1006, "Static", "Tax Rate (%)", 8, 76, 80, 16, ~0u, 0},
        {1003, "Edit", "0", 88, 76, 44, 16, ~0u, ES_AUTOHSCROLL},
        {1004, "Button", "Laptop 10 Key Support (No need for your Num Locks to be on)", 8, 104, 333,
         15, BS_AUTOCHECKBOX, BS_MULTILINE},
        {1005, "Button", "Always on Top (Tallymax is always on top of all other windows)", 8, 126,
         333, 15, BS_AUTOCHECKBOX, BS_MULTILINE},
        {1007, "Static", "", 8, 152, 340, 2, ~0u, SS_SUNKEN},
        {IDOK, "Button", "Ok", 188, 160, 68, 28, BS_DEFPUSHBUTTON, 0},
        {IDCANCEL, "Button", "Cancel", 268, 160, 68, 28, BS_PUSHBUTTON, 0},
    };
    std::vector<int> order;
    for (const Control& c : expected) order.push_back(c.id);
    EXPECT_EQ(ChildIdsInOrder(dialog), order);
    for (const Control& c : expected) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        HWND h = GetDlgItem(dialog, c.id);
        ASSERT_TRUE(h);
        EXPECT_EQ(_stricmp(ClassOf(h).c_str(), c.cls), 0) << ClassOf(h);
        EXPECT_EQ(TallymaxApp::WindowTextOf(h), c.caption);
        RECT r = PlaceIn(dialog, h);
        EXPECT_EQ(r.left, c.x);
        EXPECT_EQ(r.top, c.y);
        EXPECT_EQ(r.right - r.left, c.w);
        EXPECT_EQ(r.bottom - r.top, c.h);
        DWORD st = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
        if (c.kind != ~0u) EXPECT_EQ(st & 0x0F, c.kind);
        EXPECT_EQ(st & c.styles, c.styles);
    }
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, 1003), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    ClickIn(dialog, IDCANCEL);
    EXPECT_TRUE(Gone(dialog));
}

TEST(OptionsDialog, EnterInTheTaxFieldIsOk) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    HWND field = GetDlgItem(dialog, kIdOptionsTaxField);
    SetWindowTextA(field, "6.5");
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(field, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
    ASSERT_TRUE(Gone(dialog));
    // The settings are written just after the dialog has gone.
    app.Settle();
    EXPECT_EQ(IniValue(app.Ini(), "Main Settings", "TaxRate"), "6.5");
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
    EXPECT_TRUE(TopMostButtonPressed(app));

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
    EXPECT_FALSE(TopMostButtonPressed(app));
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
        EXPECT_FALSE(TopMostButtonPressed(app));
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
    EXPECT_TRUE(TopMostButtonPressed(app)) << "[O] stays pressed";
}

HWND HelpWindowOf(const TallymaxApp& app, int timeoutMs = kPatienceMs) {
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

    // The keypad Help button brings the open window forward at the page it shows.
    app.Click(kIdHelp);
    app.Settle();
    EXPECT_EQ(HelpWindowOf(app), help);
    EXPECT_TRUE(StartsWith(HelpText(help), "Button\tKeyboard\r\n")) << HelpText(help);

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

    // Escape closes it, in the topic tree and in the text pane alike.
    for (int pane : {kIdHelpTree, kIdHelpText}) {
        HWND help = HelpWindowOf(app);
        ASSERT_TRUE(help);
        PostKeyPress(GetDlgItem(help, pane), VK_ESCAPE);
        EXPECT_TRUE(Gone(help)) << "pane " << pane;
        EXPECT_TRUE(IsWindow(app.Main()));
        app.Keys("F1");
    }
}

TEST(HelpWindow, TopicTreeInOrderAndEachNodeShowsItsText) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Menu(kMenuHelpTopics);
    HWND help = HelpWindowOf(app);
    ASSERT_TRUE(help);
    HWND tree = GetDlgItem(help, kIdHelpTree);
    ProgramTree reader(tree, app.ProcessId());
    ASSERT_TRUE(reader.Ready());
    EXPECT_EQ(reader.SelectedData(), 100) << "Help Topics opens at the overview";

    struct Row {
        int depth;
        const char* caption;
        int code;
    } expected[] = {
        {0, "Tallymax Overview", 100},
        {0, "Menu Items", 200},
        {1, "File", 210},
        {1, "Edit", 220},
        {1, "View", 230},
        {1, "Help", 240},
        {0, "Buttons", 300},
        {1, "Numeric Buttons", 310},
        {1, "Operator Buttons", 320},
        {1, "Clear Buttons", 330},
        {1, "Memory Buttons", 340},
        {1, "Function Buttons", 350},
        {1, "Special Function Buttons", 360},
        {1, "Conversion Button", 370},
        {1, "Stopwatch Buttons", 380},
        {0, "Number System Option Buttons", 400},
        {0, "Keyboard Equivalents", 500},
    };
    std::vector<TreeNode> nodes = reader.Nodes();
    ASSERT_EQ(nodes.size(), std::size(expected));
    std::vector<std::string> texts;
    for (size_t i = 0; i < nodes.size(); ++i) {
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(nodes[i].depth, expected[i].depth);
        EXPECT_EQ(nodes[i].text, expected[i].caption);
        EXPECT_EQ(nodes[i].data, expected[i].code);
        reader.Select(nodes[i].item);
        std::string text = HelpText(help);
        EXPECT_GT(text.size(), 80u) << "the pane shows the topic's text";
        for (const std::string& other : texts) EXPECT_NE(text, other) << "a text of its own";
        texts.push_back(text);
    }
    EXPECT_TRUE(StartsWith(texts.back(), "Button\tKeyboard\r\n"));
    EXPECT_EQ(texts[2].find("Save Tape"), 0u) << texts[2];
}

TEST(HelpWindow, HeaderAndPanes) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Menu(kMenuHelpTopics);
    HWND help = HelpWindowOf(app);
    ASSERT_TRUE(help);
    EXPECT_NE(SendDlgItemMessageA(help, kIdHelpIcon, STM_GETICON, 0, 0), 0) << "program icon";
    LONG textStyle = GetWindowLongA(GetDlgItem(help, kIdHelpText), GWL_STYLE);
    EXPECT_TRUE((textStyle & ES_MULTILINE) && (textStyle & ES_READONLY));
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
    EXPECT_EQ(GetWindow(about, GW_OWNER), app.Main());
    EXPECT_NE(SendDlgItemMessageA(about, kIdAboutIcon, STM_GETICON, 0, 0), 0) << "program icon";
    // Over the link the window sets the hand cursor; over the "Web:" label the
    // window's own arrow stays.
    auto cursorOver = [&](int id) {
        SendMessageA(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(about, id)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        CURSORINFO info = {sizeof info};
        GetCursorInfo(&info);
        return info.hCursor;
    };
    HCURSOR overLabel = cursorOver(kIdAboutWebLabel);
    HCURSOR overLink = cursorOver(kIdAboutLink);
    EXPECT_NE(overLink, overLabel);
    EXPECT_EQ(cursorOver(kIdAboutWebLabel), overLabel);
    EXPECT_EQ(TextIn(about, IDOK), "Ok");
    std::string before = app.Ini();
    ClickIn(about, IDOK);
    EXPECT_TRUE(Gone(about));
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(app.Ini(), before) << "the about window writes no settings";
}

}  // namespace
