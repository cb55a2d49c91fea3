// The "Cnv" key on the real program: the pop-up beside the key, its tree, conversions
// chosen with the mouse and the arrow keys, and the ways it closes without output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness_win.h"
#include "program_tree_win.h"
// After <windows.h>, which the harness brings in.
#include <commctrl.h>

#include "convert/convert_window_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kRule(26, '-');

HWND OpenConversion(TallymaxApp& app) {
    app.PostClick(kIdCnv);
    return app.WaitForWindow(kConversionWindowClass);
}

HWND TreeOf(HWND popup) {
    return GetDlgItem(popup, kIdConversionTree);
}

void ClickAt(HWND window, RECT r) {
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

TEST(ConversionWindow, TwelveFeetThroughTheTree) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("12.");
    ASSERT_EQ(app.Display(), "12.");
    size_t before = app.Tape().size();
    HWND popup = OpenConversion(app);
    ASSERT_TRUE(popup);

    RECT key, outer;
    GetWindowRect(app.Control(kIdCnv), &key);
    GetWindowRect(popup, &outer);
    EXPECT_EQ(outer.left, key.right + 2);
    EXPECT_EQ(outer.top, key.top);
    EXPECT_EQ(outer.right - outer.left, 170);
    EXPECT_EQ(outer.bottom - outer.top, 270);
    EXPECT_FALSE(GetWindowLongA(popup, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindowEnabled(app.Main()); })) << "modal";
    HWND tree = TreeOf(popup);
    EXPECT_EQ(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), RGB(255, 255, 225));

    ProgramTree reader(tree, app.ProcessId());
    ASSERT_TRUE(reader.Ready());
    // Each node as depth and text; none expanded at the start.
    const Lines expected = {"0 Convert from 12",
                            "0 Temperature",
                            "1 Fahrenheit",
                            "1 Celsius",
                            "1 Kelvin",
                            "0 Length",
                            "1 Inches",
                            "1 Feet",
                            "1 Yards",
                            "1 Miles",
                            "1 Millimeters",
                            "1 Centimeters",
                            "1 Meters",
                            "1 Kilometers",
                            "1 Nautical Miles",
                            "1 Light Years",
                            "0 Volume",
                            "1 Teaspoons",
                            "1 Tablespoons",
                            "1 Fluid Ounces",
                            "1 Cups",
                            "1 Pints",
                            "1 Quarts",
                            "1 Gallons",
                            "1 Cu.Inches",
                            "1 Cu.Feet",
                            "1 Cu.Yards",
                            "1 Milliliters (cc)",
                            "1 Liters",
                            "1 Cu.Meters",
                            "1 Bushels",
                            "0 Weight",
                            "1 Ounces",
                            "1 Pounds",
                            "1 Tons",
                            "1 Milligrams",
                            "1 Grams",
                            "1 Kilograms",
                            "1 Metric Tons",
                            "1 Stones",
                            "1 Carats",
                            "0 Area",
                            "1 Sq.Inches",
                            "1 Sq.Feet",
                            "1 Sq.Yards",
                            "1 Sq.Miles",
                            "1 Sq.Millimeters",
                            "1 Sq.Centimeters",
                            "1 Sq.Meters",
                            "1 Sq.Kilometers",
                            "1 Hectares",
                            "1 Acres",
                            "0 Speed",
                            "1 Inches/sec",
                            "1 Feet/sec",
                            "1 Feet/min",
                            "1 Miles/hr",
                            "1 Centimeters/sec",
                            "1 Meters/sec",
                            "1 Meters/min",
                            "1 kilometers/hr",
                            "1 knots",
                            "1 Mach",
                            "0 Time",
                            "1 Seconds",
                            "1 Minutes",
                            "1 Hours",
                            "1 Days",
                            "1 Weeks",
                            "1 Months (30 Days)",
                            "1 Years (365 Days)"};
    std::vector<TreeNode> nodes = reader.Nodes();
    Lines shown;
    for (const TreeNode& n : nodes) {
        shown.push_back(std::to_string(n.depth) + " " + n.text);
        EXPECT_FALSE(reader.Expanded(n.item)) << n.text;
    }
    EXPECT_EQ(shown, expected);
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(popup, nullptr), &focus);
    EXPECT_EQ(focus.hwndFocus, tree) << "the tree has the keyboard focus";

    // The root and a category convert nothing and leave the window open.
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(nodes[0].item));
    HTREEITEM lengthNode = reader.Find("Length");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(lengthNode));
    app.Settle();
    EXPECT_TRUE(IsWindow(popup));
    EXPECT_EQ(app.Tape().size(), before);

    // Open "Length" and click "Feet".
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(lengthNode));
    HTREEITEM feet = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(lengthNode)));
    feet = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(feet)));
    RECT place = reader.TextRect(feet);
    ASSERT_GT(place.bottom, place.top);
    ClickAt(tree, place);
    ASSERT_TRUE(Gone(popup));
    app.Settle();
    EXPECT_EQ(LastLines(app, 12),
              (Lines{"(Length) Feet: 12", kRule, "Inches: 144", "Yards: 4", "Miles: 0.0023",
                     "Millimeters: 3,657.6", "Centimeters: 365.76", "Meters: 3.6576",
                     "Kilometers: 0.0037", "Nautical Miles: 0.002", "Light Years: 3.866E-16", ""}));
    EXPECT_EQ(app.Tape().size(), before + 12);
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(app.Display(), "12.") << "the display keeps the value";
    app.Keys("5");
    EXPECT_EQ(app.Display(), "5") << "the next digit starts a new number";
}

// The arrow keys only move the selection, past the first unit too; Enter converts.
TEST(ConversionWindow, ArrowKeysSelectAndEnterConverts) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("212");
    HWND popup = OpenConversion(app);
    ASSERT_TRUE(popup);
    HWND tree = TreeOf(popup);
    ProgramTree reader(tree, app.ProcessId());
    ASSERT_TRUE(reader.Ready());
    HTREEITEM root = reader.Nodes().front().item;
    // Arrow keys start from the root node, where a tree that gets the focus puts its caret.
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    size_t before = app.Tape().size();
    for (UINT vk : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP}) PostKeyPress(tree, vk);
    HTREEITEM celsius = reader.Find("Celsius");
    ASSERT_TRUE(TallymaxApp::WaitUntil([&] {
        return SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) ==
               reinterpret_cast<LRESULT>(celsius);
    })) << "the selection moves to Celsius";
    app.Settle();
    EXPECT_TRUE(IsWindow(popup)) << "a selection by the keyboard converts nothing";
    EXPECT_EQ(app.Tape().size(), before);
    PostKeyPress(tree, VK_RETURN);
    ASSERT_TRUE(Gone(popup));
    app.Settle();
    EXPECT_EQ(LastLines(app, 5), (Lines{"(Temperature) Celsius: 212", kRule, "Fahrenheit: 413.6",
                                        "Kelvin: 485.15", ""}));
}

TEST(ConversionWindow, VolumeBlockLeavesItsHeaderAtTheTopOfTheTape) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    for (int i = 0; i < 40; ++i) app.Click(kIdFeed);
    app.Press("1234.5");
    ASSERT_EQ(app.Display(), "1,234.5");
    HWND popup = OpenConversion(app);
    ASSERT_TRUE(popup);
    HWND tree = TreeOf(popup);
    ProgramTree reader(tree, app.ProcessId());
    ASSERT_TRUE(reader.Ready());
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(reader.Find("Volume")));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(reader.Find("Gallons")));
    PostKeyPress(tree, VK_RETURN);
    ASSERT_TRUE(Gone(popup));
    app.Settle();
    Lines tape = app.Tape();
    ASSERT_EQ(tape.size(), 40u + 16u);
    EXPECT_EQ(tape[40], "(Volume) Gallons: 1,234.5");
    EXPECT_EQ(tape[47], "Quarts: 4,938");
    EXPECT_EQ(tape[52], "Liters: 4,673.0908");
    HWND list = app.Control(kIdTape);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 40) << "the header at the top";
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR) << "no selection band";
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

TEST(ConversionWindow, ClosesWithoutOutputWhenAnotherWindowIsActivatedOrOnEscape) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("7");
    size_t before = app.Tape().size();

    HWND popup = OpenConversion(app);
    ASSERT_TRUE(popup);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ConvertE2EOtherProgram";
    RegisterClassA(&wc);
    HWND other =
        CreateWindowA(wc.lpszClassName, "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                      200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(other);
    RealInput input;  // the foreground moves: no other test may send input meanwhile
    SetForegroundWindow(other);
    bool gone = TallymaxApp::WaitUntil([&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        return !IsWindow(popup);
    });
    DestroyWindow(other);
    ASSERT_TRUE(gone);
    app.Settle();
    EXPECT_EQ(app.Tape().size(), before);
    EXPECT_TRUE(IsWindowEnabled(app.Main()));

    popup = OpenConversion(app);
    ASSERT_TRUE(popup);
    PostKeyPress(TreeOf(popup), VK_ESCAPE);
    ASSERT_TRUE(Gone(popup));
    app.Settle();
    EXPECT_EQ(app.Tape().size(), before);
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    app.Keys("3");
    EXPECT_EQ(app.Display(), "73") << "the entry goes on when nothing was converted";
}

TEST(ConversionWindow, StaysOnTheScreenBesideAKeyNearTheBottomEdge) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    RECT main;
    GetWindowRect(app.Main(), &main);
    int screenBottom = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(app.Main(), nullptr, main.left, screenBottom - (main.bottom - main.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.Settle();
    HWND popup = OpenConversion(app);
    ASSERT_TRUE(popup);
    RECT key, outer;
    GetWindowRect(app.Control(kIdCnv), &key);
    GetWindowRect(popup, &outer);
    ASSERT_GT(key.top + 270, screenBottom) << "the key is near enough to the edge";
    EXPECT_EQ(outer.left, key.right + 2);
    EXPECT_EQ(outer.bottom, screenBottom);
    PostKeyPress(TreeOf(popup), VK_ESCAPE);
    EXPECT_TRUE(Gone(popup));
}

}  // namespace
