// The "Area" and "Vol" keys on the real program: the windows, a calculation through
// them with its tape block and settings, reopening with the stored inputs, "Clear".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness_win.h"
#include "measure/area_window_win.h"
#include "measure/volume_window_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;

std::string TextIn(HWND window, int id) {
    return TallymaxApp::WindowTextOf(GetDlgItem(window, id));
}

void SetTextIn(HWND window, int id, const std::string& text) {
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int Chosen(HWND window, int id) {
    return static_cast<int>(SendDlgItemMessageA(window, id, CB_GETCURSEL, 0, 0));
}

void Choose(HWND window, int id, int index) {
    SendDlgItemMessageA(window, id, CB_SETCURSEL, index, 0);
}

bool Checked(HWND window, int id) {
    return SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The entries of a drop-down list, read with the wide messages, which cross processes.
Lines ListEntries(HWND window, int id) {
    HWND list = GetDlgItem(window, id);
    Lines entries;
    int n = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n && i < 20; ++i) {
        wchar_t text[128] = L"";
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        char narrow[128] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        entries.push_back(narrow);
    }
    return entries;
}

// The id of the control that has the focus in the program, or 0.
int FocusedId(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return 0;
    return info.hwndFocus && GetParent(info.hwndFocus) == window ? GetDlgCtrlID(info.hwndFocus) : 0;
}

// A section of an INI text from its header to the next section.
std::string SectionText(const std::string& ini, const std::string& name) {
    size_t at = ini.find("[" + name + "]\r\n");
    if (at == std::string::npos) return "<missing>";
    size_t end = ini.find("\r\n[", at);
    return ini.substr(at, end == std::string::npos ? std::string::npos : end + 2 - at);
}

RECT PlaceIn(HWND parent, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND OpenVolume(TallymaxApp& app) {
    app.Click(kIdVol);
    return app.WaitForWindow(kVolumeWindowClass, "Volume Calculator");
}

HWND OpenArea(TallymaxApp& app) {
    app.Click(kIdArea);
    return app.WaitForWindow(kAreaWindowClass, "Area Calculator");
}

TEST(MeasureWindows, VolumeWindowIsAsDesigned) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND w = OpenVolume(app);
    ASSERT_TRUE(w);
    RECT outer;
    GetWindowRect(w, &outer);
    EXPECT_EQ(outer.right - outer.left, 378);
    EXPECT_EQ(outer.bottom - outer.top, 252);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_EQ(GetWindow(w, GW_OWNER), app.Main());
    EXPECT_TRUE(IsWindowEnabled(app.Main())) << "modeless";

    struct Place {
        int id;
        int x, y, w, h;  // h 0: not checked (drop-down lists)
    } places[] = {
        {kIdVolumeSystemFrame, 16, 4, 152, 32},  {kIdVolumeStandard, 24, 16, 72, 16},
        {kIdVolumeMetric, 104, 16, 56, 16},      {kIdVolumeLength, 68, 48, 144, 22},
        {kIdVolumeLengthUnit, 244, 48, 116, 0},  {kIdVolumeWidth, 68, 72, 144, 22},
        {kIdVolumeWidthUnit, 244, 72, 116, 0},   {kIdVolumeDepth, 68, 96, 144, 22},
        {kIdVolumeDepthUnit, 244, 96, 116, 0},   {kIdVolumeResult, 68, 136, 144, 22},
        {kIdVolumeResultUnit, 244, 136, 116, 0}, {kIdVolumeExample, 16, 168, 140, 44},
        {kIdVolumeCalculate, 168, 184, 60, 28},  {kIdVolumeClear, 236, 184, 60, 28},
        {kIdVolumeClose, 304, 184, 60, 28},
    };
    for (const Place& p : places) {
        RECT r = PlaceIn(w, GetDlgItem(w, p.id));
        EXPECT_EQ(r.left, p.x) << p.id;
        EXPECT_EQ(r.top, p.y) << p.id;
        EXPECT_EQ(r.right - r.left, p.w) << p.id;
        if (p.h) EXPECT_EQ(r.bottom - r.top, p.h) << p.id;
    }
    EXPECT_EQ(TextIn(w, kIdVolumeResultLabel), "Volume");
    EXPECT_EQ(TextIn(w, kIdVolumeExample),
              "-Example-\r\nA 10' x 10' x 4\" area would require 1.24 Cu.Yards Of concrete.");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(w, kIdVolumeResult), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(w, kIdVolumeCalculate), GWL_STYLE) & BS_DEFPUSHBUTTON);

    // A fresh window: Standard, index 1 everywhere, the focus in the length field.
    EXPECT_TRUE(Checked(w, kIdVolumeStandard));
    EXPECT_EQ(ListEntries(w, kIdVolumeLengthUnit), (Lines{"Inches", "Feet", "Yards", "Miles"}));
    EXPECT_EQ(ListEntries(w, kIdVolumeResultUnit),
              (Lines{"Cu.Inches", "Cu.Feet", "Cu.Yards", "Cu.Miles"}));
    for (int id :
         {kIdVolumeLengthUnit, kIdVolumeWidthUnit, kIdVolumeDepthUnit, kIdVolumeResultUnit})
        EXPECT_EQ(Chosen(w, id), 1) << id;
    EXPECT_EQ(FocusedId(w), kIdVolumeLength);
    EXPECT_EQ(app.Ini().find("[Volume Settings]"), std::string::npos) << "opening writes nothing";

    // The key brings the open window forward instead of opening another.
    app.Click(kIdVol);
    app.Settle();
    EXPECT_EQ(app.WaitForWindow(kVolumeWindowClass), w);
    ClickIn(w, kIdVolumeClose);
    EXPECT_TRUE(Gone(w));
}

TEST(MeasureWindows, VolumeCalculationWritesTheTapeAndTheSettingsAndReopensWithThem) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND w = OpenVolume(app);
    ASSERT_TRUE(w);
    SetTextIn(w, kIdVolumeLength, "10");
    SetTextIn(w, kIdVolumeWidth, "10");
    SetTextIn(w, kIdVolumeDepth, "4");
    Choose(w, kIdVolumeDepthUnit, 0);   // Inches
    Choose(w, kIdVolumeResultUnit, 2);  // Cu.Yards
    ClickIn(w, kIdVolumeCalculate);
    app.Settle();
    EXPECT_EQ(TextIn(w, kIdVolumeResult), "1.2346");
    EXPECT_EQ(LastLines(app, 6), (Lines{"Volume Calculation...", "Length: 10 ft", "Width: 10 ft",
                                        "Depth: 4 in", "Result = 1.2346 cu.yd", ""}));
    EXPECT_EQ(SectionText(app.Ini(), "Volume Settings"),
              "[Volume Settings]\r\nMetric=0\r\nLength=10\r\nWidth=10\r\nDepth=4\r\n"
              "Result=1.2346\r\nL1=1\r\nW1=1\r\nH1=0\r\nR1=2\r\n");
    EXPECT_EQ(FocusedId(w), kIdVolumeLength);

    // An empty depth stops the calculation: nothing more on the tape.
    size_t lines = app.Tape().size();
    SetTextIn(w, kIdVolumeDepth, "");
    ClickIn(w, kIdVolumeCalculate);
    app.Settle();
    EXPECT_EQ(app.Tape().size(), lines);
    EXPECT_EQ(FocusedId(w), kIdVolumeLength);

    // Escape closes; the key opens the window again with the stored inputs.
    PostMessageA(GetDlgItem(w, kIdVolumeLength), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ASSERT_TRUE(Gone(w));
    w = OpenVolume(app);
    ASSERT_TRUE(w);
    EXPECT_EQ(TextIn(w, kIdVolumeLength) + "|" + TextIn(w, kIdVolumeWidth) + "|" +
                  TextIn(w, kIdVolumeDepth) + "|" + TextIn(w, kIdVolumeResult),
              "10|10|4|1.2346");
    EXPECT_EQ(Chosen(w, kIdVolumeLengthUnit), 1);
    EXPECT_EQ(Chosen(w, kIdVolumeDepthUnit), 0);
    EXPECT_EQ(Chosen(w, kIdVolumeResultUnit), 2);

    // "Clear" forgets them all but the system.
    ClickIn(w, kIdVolumeClear);
    app.Settle();
    for (int id : {kIdVolumeLength, kIdVolumeWidth, kIdVolumeDepth, kIdVolumeResult})
        EXPECT_EQ(TextIn(w, id), "") << id;
    for (int id :
         {kIdVolumeLengthUnit, kIdVolumeWidthUnit, kIdVolumeDepthUnit, kIdVolumeResultUnit})
        EXPECT_EQ(Chosen(w, id), 1) << id;
    EXPECT_EQ(SectionText(app.Ini(), "Volume Settings"), "[Volume Settings]\r\nMetric=0\r\n");
    ClickIn(w, kIdVolumeClose);
    ASSERT_TRUE(Gone(w));
    w = OpenVolume(app);
    ASSERT_TRUE(w);
    EXPECT_EQ(TextIn(w, kIdVolumeLength) + TextIn(w, kIdVolumeResult), "");
    EXPECT_EQ(Chosen(w, kIdVolumeResultUnit), 1);
}

TEST(MeasureWindows, AreaByTypingEnterAndTheSystemSwitch) {
    TallymaxApp app;
    app.WriteIni("[Area Settings]\r\nL1=7\r\nW1=-1\r\nR1=3\r\n");
    ASSERT_TRUE(app.Start());
    HWND w = OpenArea(app);
    ASSERT_TRUE(w);
    RECT outer;
    GetWindowRect(w, &outer);
    EXPECT_EQ(outer.right - outer.left, 379);
    EXPECT_EQ(outer.bottom - outer.top, 232);
    EXPECT_EQ(TextIn(w, kIdAreaResultLabel), "Area");
    RECT calculate = PlaceIn(w, GetDlgItem(w, kIdAreaCalculate));
    EXPECT_EQ(calculate.left, 168);
    EXPECT_EQ(calculate.top, 164);
    EXPECT_EQ(PlaceIn(w, GetDlgItem(w, kIdAreaResult)).top, 116);
    // Stored indices that are no unit fall back to index 1.
    EXPECT_EQ(Chosen(w, kIdAreaLengthUnit), 1);
    EXPECT_EQ(Chosen(w, kIdAreaWidthUnit), 1);
    EXPECT_EQ(Chosen(w, kIdAreaResultUnit), 3);

    // Yards becomes Meters; the numbers stay as they are.
    Choose(w, kIdAreaLengthUnit, 2);
    SetTextIn(w, kIdAreaLength, "12.5");
    SetTextIn(w, kIdAreaWidth, "3");
    ClickIn(w, kIdAreaMetric);
    app.Settle();
    EXPECT_EQ(ListEntries(w, kIdAreaLengthUnit),
              (Lines{"Millimeters", "Centimeters", "Meters", "Kilometers"}));
    EXPECT_EQ(ListEntries(w, kIdAreaResultUnit),
              (Lines{"Sq.Millimeters", "Sq.Centimeters", "Sq.Meters", "Sq.Kilometers"}));
    EXPECT_EQ(Chosen(w, kIdAreaLengthUnit), 2);
    EXPECT_EQ(Chosen(w, kIdAreaResultUnit), 3);
    EXPECT_EQ(TextIn(w, kIdAreaLength) + " x " + TextIn(w, kIdAreaWidth), "12.5 x 3");
    EXPECT_EQ(IniValue(app.Ini(), "Area Settings", "Metric"), "1");
    EXPECT_EQ(FocusedId(w), kIdAreaLength);

    // Leaving the field formats it; Enter calculates. 1 mm x 1 mm in sq.km is no blank.
    SetTextIn(w, kIdAreaLength, "1234567.891");
    PostMessageA(GetDlgItem(w, kIdAreaLength), WM_KEYDOWN, VK_TAB, 0x000F0001);
    app.Settle();
    EXPECT_EQ(TextIn(w, kIdAreaLength), "1,234,567.891");
    Choose(w, kIdAreaLengthUnit, 0);
    Choose(w, kIdAreaWidthUnit, 0);
    SetTextIn(w, kIdAreaLength, "1");
    SetTextIn(w, kIdAreaWidth, "1");
    PostMessageA(GetDlgItem(w, kIdAreaWidth), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    app.Settle();
    EXPECT_EQ(LastLines(app, 5), (Lines{"Area Calculation...", "Length: 1 mm", "Width: 1 mm",
                                        "Result = 0.000000000001 sq.km", ""}));
    EXPECT_EQ(TextIn(w, kIdAreaResult), "0.000000000001");
    EXPECT_EQ(SectionText(app.Ini(), "Area Settings"),
              "[Area Settings]\r\nL1=0\r\nW1=0\r\nR1=3\r\nMetric=1\r\nLength=1\r\nWidth=1\r\n"
              "Result=0.000000000001\r\n");
}

// A unit picked in a list, as the user picks it.
void Pick(HWND window, int id, int index) {
    Choose(window, id, index);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// The result always goes with the units shown: a changed unit or system recalculates
// it (without a tape block), or clears it when the inputs give none.
TEST(MeasureWindows, AChangedUnitOrSystemRecalculates) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    HWND w = OpenArea(app);
    ASSERT_TRUE(w);
    SetTextIn(w, kIdAreaLength, "125");
    SetTextIn(w, kIdAreaWidth, "1");
    ClickIn(w, kIdAreaCalculate);
    app.Settle();
    ASSERT_EQ(TextIn(w, kIdAreaResult), "125");
    size_t lines = app.Tape().size();
    const struct {
        int list, index;
        const char* result;
    } picks[] = {
        {kIdAreaResultUnit, 2, "13.8889"},  // Sq.Yards
        {kIdAreaWidthUnit, 2, "41.6667"},   // 125 ft x 1 yd
        {kIdAreaMetric, 0, "1.25"},         // 125 cm x 1 m in Sq.Meters
        {kIdAreaStandard, 0, "41.6667"},
        {kIdAreaLengthUnit, 0, "3.4722"},       // 125 in x 1 yd
        {kIdAreaResultUnit, 3, "0.000001121"},  // in Sq.Miles
    };
    for (const auto& k : picks) {
        if (k.list == kIdAreaMetric || k.list == kIdAreaStandard)
            ClickIn(w, k.list);
        else
            Pick(w, k.list, k.index);
        app.Settle();
        EXPECT_EQ(TextIn(w, kIdAreaResult), k.result) << k.list << " " << k.index;
        EXPECT_EQ(IniValue(app.Ini(), "Area Settings", "Result"), k.result);
    }
    EXPECT_EQ(app.Tape().size(), lines) << "only Calculate writes the tape";
    // Incomplete inputs: no result, and none stored.
    SetTextIn(w, kIdAreaWidth, "");
    Pick(w, kIdAreaResultUnit, 1);
    app.Settle();
    EXPECT_EQ(TextIn(w, kIdAreaResult), "");
    EXPECT_EQ(IniValue(app.Ini(), "Area Settings", "Result"), "<missing>");
    ASSERT_TRUE(app.Close());
}

}  // namespace
