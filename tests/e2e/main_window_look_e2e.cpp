// The main window as it is seen: the status bar's pixels across layout changes, the
// client area against the layout, cut texts with their tooltips, and the numbers a
// paste, an average and a huge result show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

const int kFieldIds[] = {kIdStatusMemory, kIdStatusAverage, kIdStatusItems, kIdStatusDate,
                         kIdStatusNumLock};

// The screen's pixels in a rectangle given in screen coordinates, 32 bits each.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> data;
    bool operator==(const Pixels& o) const {
        return width == o.width && height == o.height && data == o.data;
    }
    DWORD At(int x, int y) const { return data[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Pixels GrabScreen(const RECT& r) {
    Pixels p;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    if (p.width <= 0 || p.height <= 0) return p;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, p.width, p.height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD* first = static_cast<const DWORD*>(bits);
    p.data.assign(first, first + static_cast<size_t>(p.width) * p.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return p;
}

// The pixels once the window has painted what it holds: the program has handled every
// message and painted every waiting window, and the screen then shows the same picture
// twice in a row (it takes the program's picture when the program goes idle).
Pixels SettledPixels(const TallymaxApp& app, const RECT& r) {
    app.Painted();
    Pixels last = GrabScreen(r), now;
    TallymaxApp::WaitUntil([&] {
        now = GrabScreen(r);
        if (now == last) return true;
        last = now;
        return false;
    });
    return now;
}

// Whether the screen comes to show `expected` in `r`: for a picture that must come back
// after a change, so that a screen that has not caught up yet is waited for.
bool PixelsBecome(const TallymaxApp& app, const RECT& r, const Pixels& expected) {
    app.Painted();
    return TallymaxApp::WaitUntil([&] { return GrabScreen(r) == expected; });
}

RECT ClientBox(const TallymaxApp& app, int id) {
    RECT r = {};
    GetWindowRect(app.Control(id), &r);
    MapWindowPoints(nullptr, app.Main(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ClientRect(const TallymaxApp& app) {
    RECT r = {};
    GetClientRect(app.Main(), &r);
    return r;
}

RECT ToScreen(const TallymaxApp& app, RECT r) {
    MapWindowPoints(app.Main(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The band from the row above the status fields to the client area's bottom edge.
RECT StatusBand(const TallymaxApp& app) {
    RECT client = ClientRect(app);
    RECT band = {0, ClientBox(app, kIdStatusMemory).top - 1, client.right, client.bottom};
    return ToScreen(app, band);
}

// A visible tooltip window of the program, or nullptr after the time-out.
HWND WaitForTooltip(const TallymaxApp& app, int timeoutMs) {
    HWND found = nullptr;
    TallymaxApp::WaitUntil(
        [&] {
            found = nullptr;
            for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
                char cls[64] = "";
                GetClassNameA(h, cls, sizeof cls);
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid == app.ProcessId() && lstrcmpiA(cls, "tooltips_class32") == 0 &&
                    IsWindowVisible(h) && !TallymaxApp::WindowTextOf(h).empty())
                    found = h;
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// Rests the pointer on a point of the client area (moving onto it from beside, as
// a hand would) and returns the tooltip that appears, or nullptr. The pointer first
// leaves the window, and any tip shown before is gone before it comes back.
HWND HoverAndWaitForTip(const TallymaxApp& app, POINT clientPoint, int timeoutMs = kPatienceMs) {
    RealInput input;
    RealInput::MoveTo({0, 0});
    TallymaxApp::WaitUntil([&] { return WaitForTooltip(app, 0) == nullptr; });
    POINT p = clientPoint;
    ClientToScreen(app.Main(), &p);
    RealInput::MoveTo({p.x - 2, p.y});
    RealInput::MoveTo(p);
    return WaitForTooltip(app, timeoutMs);
}

POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int DarkPixels(const Pixels& p) {
    int n = 0;
    for (DWORD c : p.data) {
        c &= 0xFFFFFF;
        if (((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF)) < 200) ++n;
    }
    return n;
}

TEST(MainWindowLook, StatusBarPixelsSurviveEveryLayoutToggle) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    {
        RealInput input;
        RealInput::MoveTo({0, 0});
    }
    app.Press("1234.5 MS 12 + 3 +");  // text in every field
    const Pixels before = SettledPixels(app, StatusBand(app));
    const struct {
        const char* name;
        std::vector<int> menus;
    } sequences[] = {
        {"tape", {kMenuShowTape, kMenuShowTape}},
        {"status bar", {kMenuShowStatusBar, kMenuShowStatusBar}},
        {"stopwatch", {kMenuShowStopwatch, kMenuShowStopwatch}},
        {"all",
         {kMenuShowStopwatch, kMenuShowTape, kMenuShowStatusBar, kMenuShowTape, kMenuShowStatusBar,
          kMenuShowStopwatch}},
    };
    for (const auto& s : sequences) {
        for (int id : s.menus) {
            app.Menu(id);
            app.Settle();
        }
        EXPECT_TRUE(PixelsBecome(app, StatusBand(app), before)) << "after toggling " << s.name;
    }
    // The separator stands above the fields, never over one.
    RECT line = ClientBox(app, kIdSeparatorLine);
    for (int id : kFieldIds) {
        RECT field = ClientBox(app, id), overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &line, &field)) << "field " << id;
    }
    // The narrow layout's fields, drawn after the wide one, keep no stale text: the
    // average field with the tape hidden looks as in a window started that way.
    app.Menu(kMenuShowTape);
    Pixels narrow = SettledPixels(app, StatusBand(app));
    TallymaxApp fresh;
    fresh.WriteIni("[Main Settings]\r\nShowTape=0\r\n");
    ASSERT_TRUE(fresh.Start());
    fresh.Press("1234.5 MS 12 + 3 +");
    // The date is the same for both; the NumLock field stands outside the window.
    EXPECT_TRUE(PixelsBecome(fresh, StatusBand(fresh), narrow));
}

TEST(MainWindowLook, ClientAreaFitsTheLayout) {
    const struct {
        const char* tape;
        const char* status;
        const char* stopwatch;
        int clientHeight;
    } cases[] = {{"1", "1", "1", 293},
                 {"1", "1", "0", 271},
                 {"0", "0", "1", 271},
                 {"1", "0", "0", 249},
                 {"0", "1", "0", 271}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("ShowTape=") + c.tape + " ShowStatusBar=" + c.status +
                     " ShowStopWatch=" + c.stopwatch);
        TallymaxApp app;
        app.WriteIni(std::string("[Main Settings]\r\nShowTape=") + c.tape +
                     "\r\nShowStatusBar=" + c.status + "\r\nShowStopWatch=" + c.stopwatch + "\r\n");
        ASSERT_TRUE(app.Start());
        RECT client = ClientRect(app);
        RECT outer = app.WindowRect();
        EXPECT_EQ(client.bottom, c.clientHeight);
        EXPECT_EQ(outer.right - outer.left, std::string(c.tape) == "1" ? 513 : 282);
        const bool status = std::string(c.status) == "1";
        for (int id : kFieldIds) {
            EXPECT_EQ(IsWindowVisible(app.Control(id)) != FALSE, status) << "field " << id;
            if (status) EXPECT_EQ(ClientBox(app, id).bottom + 1, client.bottom) << "field " << id;
        }
        EXPECT_EQ(IsWindowVisible(app.Control(kIdSeparatorLine)) != FALSE, status);
        // The lowest visible control ends one row above the bottom edge.
        RECT tape = ClientBox(app, kIdTape);
        EXPECT_LT(tape.bottom, client.bottom);
        // Toggled at run time the window comes to the same client area.
        app.Menu(kMenuShowStatusBar);
        app.Menu(kMenuShowStatusBar);
        EXPECT_EQ(ClientRect(app).bottom, c.clientHeight);
    }
}

TEST(MainWindowLook, CutFieldEndsInEllipsisAndShowsAllInItsTip) {
    TallymaxApp app;
    app.WriteIni("[Main Settings]\r\nShowTape=0\r\n");
    ASSERT_TRUE(app.Start());
    app.Press("1234567.89 MS");
    const std::string whole = app.Text(kIdStatusMemory);
    ASSERT_EQ(whole, " M1 = 1,234,567.89");

    // Drawn on one line: nothing below the first text line, and the field looks as
    // the whole text cut with an end ellipsis looks in the same font.
    HWND field = app.Control(kIdStatusMemory);
    RECT inner;
    GetClientRect(field, &inner);
    MapWindowPoints(field, nullptr, reinterpret_cast<POINT*>(&inner), 2);
    Pixels shown = SettledPixels(app, inner);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shown.width, shown.height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HFONT arial =
        CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    HGDIOBJ oldFont = SelectObject(memory, arial);
    RECT box = {0, 0, shown.width, shown.height};
    FillRect(memory, &box, GetSysColorBrush(COLOR_BTNFACE));
    SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(memory, GetSysColor(COLOR_BTNFACE));
    DrawTextA(memory, whole.c_str(), -1, &box,
              DT_LEFT | DT_EXPANDTABS | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SIZE full = {};
    GetTextExtentPoint32A(memory, whole.c_str(), static_cast<int>(whole.size()), &full);
    SelectObject(memory, oldFont);
    DeleteObject(arial);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(full.cx, inner.right - inner.left) << "the text must not fit for this test";
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shown.width;
    info.bmiHeader.biHeight = -shown.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> expected(static_cast<size_t>(shown.width) * shown.height);
    GetDIBits(dc, bitmap, 0, shown.height, expected.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(bitmap);
    int differing = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        if ((expected[i] & 0xFFFFFF) != (shown.data[i] & 0xFFFFFF)) ++differing;
    EXPECT_EQ(differing, 0) << "pixels unlike the text cut with an ellipsis";

    HWND tip = HoverAndWaitForTip(app, CentreOf(ClientBox(app, kIdStatusMemory)));
    ASSERT_NE(tip, nullptr) << "no tooltip over the cut field";
    EXPECT_EQ(TallymaxApp::WindowTextOf(tip), whole);
    // A field whose text fits has no tip.
    EXPECT_EQ(HoverAndWaitForTip(app, CentreOf(ClientBox(app, kIdStatusItems)), 1500), nullptr);
}

TEST(MainWindowLook, LongTapeLineShowsItsWholeTextInATip) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("123456789012345678");
    app.Menu(kMenuCopy);
    app.Press("Clear 5");
    app.Menu(kMenuCopy);
    const std::vector<std::string> tape = app.Tape();
    ASSERT_EQ(tape.size(), 3u);
    const std::string longLine = "Copy (123,456,789,012,345,678)";
    ASSERT_EQ(tape[0], longLine);
    HWND list = app.Control(kIdTape);
    const int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    RECT tapeBox = ClientBox(app, kIdTape);
    auto lineCentre = [&](int index) {
        return POINT{tapeBox.left + 100,
                     tapeBox.top + 2 + (index - top) * itemHeight + itemHeight / 2};
    };
    // The line is still drawn right-aligned: its end stands where short lines end.
    HWND tip = HoverAndWaitForTip(app, lineCentre(0));
    ASSERT_NE(tip, nullptr) << "no tooltip over the cut line";
    EXPECT_EQ(TallymaxApp::WindowTextOf(tip), longLine);
    RECT tipRect;
    GetWindowRect(tip, &tipRect);
    Pixels tipPixels = SettledPixels(app, tipRect);
    EXPECT_GT(DarkPixels(tipPixels), 40) << "the tip shows no text";
    // "Copy (5)" fits: no tip.
    EXPECT_EQ(HoverAndWaitForTip(app, lineCentre(2), 1500), nullptr);
}

TEST(MainWindowLook, PasteShowsTheNumberItEnters) {
    const struct {
        const char* clipboard;
        const char* shown;
        const char* result;  // after "+ 1 ="
    } cases[] = {{" $12.50", "12.50", "13.5"},
                 {"hello", "0", "1"},
                 {"1,234.5\r\n", "1,234.5", "1,235.5"},
                 {"12.50 USD", "12.5", "13.5"}};
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    for (const auto& c : cases) {
        PutClipboardText(c.clipboard);
        app.Menu(kMenuPaste);
        EXPECT_EQ(app.Display(), c.shown) << "clipboard \"" << c.clipboard << "\"";
        app.Press("+ 1 =");
        EXPECT_EQ(app.Display(), c.result) << "clipboard \"" << c.clipboard << "\"";
    }
    app.Press("Hex");
    PutClipboardText(" 0x1f\r\n");
    app.Menu(kMenuPaste);
    EXPECT_EQ(app.Display(), "01F");
}

TEST(MainWindowLook, HexAverageSurvivesSwitchingSystems) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("Hex FF + A + 6 +");
    EXPECT_EQ(app.Text(kIdStatusAverage), " AVG = 5A (Hex)");
    app.Press("Bin");
    EXPECT_EQ(app.Text(kIdStatusAverage), " AVG = 1011010 (Bin)");
    app.Press("Dec");
    EXPECT_EQ(app.Text(kIdStatusAverage), " AVG = 90.00");
}

TEST(MainWindowLook, HugeResultInExponentFormOnDisplayAndTape) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("123456789123456789 + 999999999999999999 = * 999999 =");
    const std::string shown = app.Display();
    EXPECT_EQ(shown, "1.12345566566666767E+24");
    const std::vector<std::string> tape = app.Tape();
    ASSERT_GE(tape.size(), 2u);
    EXPECT_EQ(tape[tape.size() - 2], shown + " =");
    // Read back, the display gives the true product to 15 significant digits.
    const double read = std::strtod(shown.c_str(), nullptr);
    EXPECT_NEAR(read / 1.123455665666667664543212e24, 1.0, 1e-15);
}

TEST(MainWindowLook, F1BringsTheHelpWindowToTheFrontLikeTheButton) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    RealInput input;
    ASSERT_TRUE(RealInput::BringToFront(app.Main()));
    app.Keys("F1");
    HWND help = app.WaitForWindow("FORM_TALLYMAX_HELP_CLASS", "Tallymax Help");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return GetForegroundWindow() == help; }))
        << "the help window is not in front";
    // Pressed again with the help window open, F1 brings it forward again.
    ASSERT_TRUE(RealInput::BringToFront(app.Main()));
    app.Keys("F1");
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return GetForegroundWindow() == help; }));
}

// Drags the window's bottom-right corner by (dx, dy) with the real mouse, and waits
// until the window has taken the size the drag gave it.
bool DragCorner(const TallymaxApp& app, int dx, int dy) {
    RealInput input;
    if (!RealInput::BringToFront(app.Main())) {
        std::printf("not in front\n");
        return false;
    }
    const RECT r = app.WindowRect();
    const POINT from{r.right - 2, r.bottom - 2};
    if (!RealInput::Drag(app.Main(), from, {from.x + dx, from.y + dy}, 4)) {
        std::printf("the window did not take the pointer\n");
        return false;
    }
    const bool sized = TallymaxApp::WaitUntil([&] {
        RECT now = app.WindowRect();
        return now.right - now.left == r.right - r.left + dx &&
               now.bottom - now.top == r.bottom - r.top + dy;
    });
    app.Settle();
    if (!sized) {
        RECT now = app.WindowRect();
        std::printf("drag by %d,%d: window %ldx%ld, was %ldx%ld\n", dx, dy, now.right - now.left,
                    now.bottom - now.top, r.right - r.left, r.bottom - r.top);
    }
    return sized;
}

// The rightmost column of a tape line that holds ink, from the list's left edge.
int InkedRightOfTapeLine(const TallymaxApp& app, int index) {
    HWND list = app.Control(kIdTape);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
    Pixels p = SettledPixels(app, item);
    for (int x = p.width - 1; x >= 0; --x)
        for (int y = 0; y < p.height; ++y)
            if (p.At(x, y) != (GetSysColor(COLOR_WINDOW) & 0xFFFFFF)) return x;
    return -1;
}

}  // namespace

TEST(MainWindowLook, AGrownWindowWidensTheTapeAndKeepsItsSize) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1234.5 + 2 =");
    const int designInk = InkedRightOfTapeLine(app, 0);
    const RECT before = app.WindowRect();
    const RECT display = ClientBox(app, kIdDisplay), itemsField = ClientBox(app, kIdStatusItems);
    EXPECT_EQ(IniValue(app.Ini(), "Window", "Width"), "<missing>") << "stored before a resize";

    ASSERT_TRUE(DragCorner(app, 150, 80)) << "the drag did not size the window";
    const RECT after = app.WindowRect();
    const int dx = (after.right - after.left) - (before.right - before.left);
    const int dy = (after.bottom - after.top) - (before.bottom - before.top);
    ASSERT_GT(dx, 100) << "the drag did not size the window";
    ASSERT_GT(dy, 50);
    RECT tape = ClientBox(app, kIdTape);
    EXPECT_EQ(tape.right - tape.left, 224 + dx);
    EXPECT_EQ(tape.bottom - tape.top, 254 + dy);
    RECT shownDisplay = ClientBox(app, kIdDisplay), shownItems = ClientBox(app, kIdStatusItems);
    EXPECT_TRUE(EqualRect(&shownDisplay, &display)) << "the keypad side keeps its place";
    EXPECT_EQ(shownItems.top, itemsField.top + dy) << "the status bar moves down";
    EXPECT_EQ(ClientRect(app).bottom, shownItems.bottom + 1);
    EXPECT_NEAR(InkedRightOfTapeLine(app, 0), designInk + dx, 1) << "lines end at the new width";
    std::string ini = app.Ini();
    EXPECT_EQ(IniValue(ini, "Window", "Width"), std::to_string(after.right - after.left));
    EXPECT_EQ(IniValue(ini, "Window", "Height"), std::to_string(after.bottom - after.top));

    // With the tape hidden the window takes its narrow size and cannot be sized; shown
    // again, it has the size the user chose.
    app.Menu(kMenuShowTape);
    EXPECT_EQ(app.WindowRect().right - app.WindowRect().left, 282);
    RECT narrow = app.WindowRect();
    LRESULT hit =
        SendMessageA(app.Main(), WM_NCHITTEST, 0, MAKELPARAM(narrow.right - 2, narrow.bottom - 2));
    EXPECT_EQ(hit, HTBORDER);
    app.Menu(kMenuShowTape);
    EXPECT_EQ(app.WindowRect().right - app.WindowRect().left, after.right - after.left);
    ini = app.Ini();
    ASSERT_TRUE(app.Close());

    TallymaxApp again;
    again.WriteIni(ini);
    ASSERT_TRUE(again.Start());
    RECT restarted = again.WindowRect();
    EXPECT_EQ(restarted.right - restarted.left, after.right - after.left);
    EXPECT_EQ(restarted.bottom - restarted.top, after.bottom - after.top);
    tape = ClientBox(again, kIdTape);
    EXPECT_EQ(tape.right - tape.left, 224 + dx);
    EXPECT_EQ(again.Ini(), ini) << "a start-up with a stored size writes nothing";
    ASSERT_TRUE(again.Close());

    // A stored size that is not a size gives the window of the design.
    TallymaxApp odd;
    const std::string width = "Width=" + std::to_string(after.right - after.left);
    ini.replace(ini.find(width), width.size(), "Width=wide");
    odd.WriteIni(ini);
    ASSERT_TRUE(odd.Start());
    EXPECT_EQ(odd.WindowRect().right - odd.WindowRect().left, 513);
    ASSERT_TRUE(odd.Close());
}

TEST(MainWindowLook, StatusFieldsLookTheSameAfterTheWindowIsDragged) {
    TallymaxApp app;
    ASSERT_TRUE(app.Start());
    app.Press("1234.5 MS 12 +");  // text in every field, and "1 Item"
    // The fields left of the NumLock field, which alone grows with the window.
    auto fields = [&] {
        RECT band = StatusBand(app);
        band.right = band.left + ClientBox(app, kIdStatusNumLock).left;
        return band;
    };
    const Pixels before = SettledPixels(app, fields());
    const std::string memory = app.Text(kIdStatusMemory), average = app.Text(kIdStatusAverage);
    ASSERT_TRUE(DragCorner(app, 120, 60));
    EXPECT_TRUE(PixelsBecome(app, fields(), before)) << "after growing";
    ASSERT_TRUE(DragCorner(app, -70, -40));
    EXPECT_TRUE(PixelsBecome(app, fields(), before)) << "after shrinking";
    EXPECT_EQ(app.Text(kIdStatusMemory), memory);
    EXPECT_EQ(app.Text(kIdStatusAverage), average);
}

namespace {

// Sets Wine's screen DPI for the programs started while it lives; each program reads
// it once, at its start.
class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        DWORD size = sizeof old_;
        had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                                &size) == ERROR_SUCCESS;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    ~ScreenDpi() {
        if (had_)
            RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                           sizeof old_);
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }

  private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

// The box of a key's caption: the pixels in the key's own ink (blue for the digits).
RECT CaptionInk(const TallymaxApp& app, int id) {
    RECT key{};
    GetWindowRect(app.Control(id), &key);
    Pixels p = SettledPixels(app, key);
    RECT ink{p.width, p.height, -1, -1};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            DWORD c = p.At(x, y);
            int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
            if (b > r + 60 && b > g + 60) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
        }
    return ink;
}

}  // namespace

TEST(MainWindowLook, At144DpiEveryPlaceAndFontIsOneAndAHalfTimesItsDesign) {
    const int kSeven = kIdKey7;
    const int ids[] = {
        kIdDisplay,         kIdTape, kSeven, kIdPlus, kIdStatusItems, kIdStatusNumLock,
        kIdStopwatchReadout};
    TallymaxApp plain;
    ASSERT_TRUE(plain.Start());
    plain.Press("1234.5 +");
    std::vector<RECT> design;
    for (int id : ids) design.push_back(ClientBox(plain, id));
    const RECT plainInk = CaptionInk(plain, kSeven);
    const int plainTapeInk = InkedRightOfTapeLine(plain, 0);
    ASSERT_TRUE(plain.Close());

    TallymaxApp dense;
    {
        ScreenDpi dpi(144);
        ASSERT_TRUE(dense.Start());
    }
    dense.Press("1234.5 +");
    auto scaled = [](LONG v) { return MulDiv(v, 144, 96); };
    for (size_t i = 0; i < design.size(); ++i) {
        RECT d = design[i], shown = ClientBox(dense, ids[i]);
        EXPECT_EQ(shown.left, scaled(d.left)) << "control " << ids[i];
        EXPECT_EQ(shown.top, scaled(d.top)) << "control " << ids[i];
        EXPECT_EQ(shown.right - shown.left, scaled(d.right - d.left)) << "control " << ids[i];
        EXPECT_EQ(shown.bottom - shown.top, scaled(d.bottom - d.top)) << "control " << ids[i];
    }
    EXPECT_EQ(ClientRect(dense).bottom, scaled(293));
    // The caption is drawn in a font half as tall again, and still fits its key.
    const RECT ink = CaptionInk(dense, kSeven);
    RECT key{};
    GetClientRect(dense.Control(kSeven), &key);
    EXPECT_GE(ink.bottom - ink.top, (plainInk.bottom - plainInk.top) * 13 / 10);
    EXPECT_GE(ink.left, 2);
    EXPECT_GE(ink.top, 2);
    EXPECT_LE(ink.right, key.right - 2);
    EXPECT_LE(ink.bottom, key.bottom - 2);
    EXPECT_NEAR(InkedRightOfTapeLine(dense, 0), scaled(plainTapeInk), 3);
    ASSERT_TRUE(dense.Close());
}
