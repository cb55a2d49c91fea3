// The keypad and the tape as an accessibility client in another process sees them:
// the keys as push buttons named by their captions, with their states and a "Press"
// that works like a click, and the tape's lines as list items.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which they need
#include <objbase.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

using Lines = std::vector<std::string>;

// Each test is a client apartment of its own.
class Accessibility : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(app.Start());
    }
    void TearDown() override { CoUninitialize(); }
    TallymaxApp app;
};

VARIANT Child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// The client object of a window, as a screen reader asks for it; a refused question
// reads as "<none>" or -1.
struct Object {
    explicit Object(HWND window) {
        asked = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                           __uuidof(IAccessible), reinterpret_cast<void**>(&p));
    }
    ~Object() {
        if (p) p->Release();
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    std::string Name(LONG child = CHILDID_SELF) const {
        BSTR text = nullptr;
        HRESULT hr = p ? p->get_accName(Child(child), &text) : E_POINTER;
        return Narrow(hr, text);
    }
    std::string Action() const {
        BSTR text = nullptr;
        HRESULT hr = p ? p->get_accDefaultAction(Child(CHILDID_SELF), &text) : E_POINTER;
        return Narrow(hr, text);
    }
    LONG Role(LONG child = CHILDID_SELF) const {
        VARIANT v;
        VariantInit(&v);
        HRESULT hr = p ? p->get_accRole(Child(child), &v) : E_POINTER;
        return Number(hr, v);
    }
    LONG State() const {
        VARIANT v;
        VariantInit(&v);
        HRESULT hr = p ? p->get_accState(Child(CHILDID_SELF), &v) : E_POINTER;
        return Number(hr, v);
    }
    HRESULT Press() const { return p ? p->accDoDefaultAction(Child(CHILDID_SELF)) : E_POINTER; }

    static std::string Narrow(HRESULT hr, BSTR text) {
        char buffer[1024] = "<none>";
        if (SUCCEEDED(hr) && text)
            WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
        SysFreeString(text);
        return buffer;
    }
    static LONG Number(HRESULT hr, const VARIANT& v) {
        return SUCCEEDED(hr) && v.vt == VT_I4 ? v.lVal : -1;
    }

    IAccessible* p = nullptr;
    HRESULT asked = E_FAIL;
};

TEST_F(Accessibility, KeysAnswerAsPushButtons) {
    struct Case {
        int id;
        const char* name;
        bool disabled;
    };
    // "A" is a hex key, disabled in Dec.
    const Case cases[] = {{kIdKey7, "7", false},
                          {kIdPlus, "+", false},
                          {kIdEquals, "=", false},
                          {kIdCT, "CT", false},
                          {kIdKeyA, "A", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Object key(app.Control(c.id));
        ASSERT_NE(key.p, nullptr) << std::hex << key.asked;
        EXPECT_EQ(key.Name(), c.name);
        EXPECT_EQ(key.Role(), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(key.Action(), "Press");
        LONG state = key.State();
        EXPECT_EQ((state & STATE_SYSTEM_UNAVAILABLE) != 0, c.disabled) << std::hex << state;
        EXPECT_EQ((state & STATE_SYSTEM_FOCUSABLE) != 0, !c.disabled) << std::hex << state;
        EXPECT_EQ(state & STATE_SYSTEM_PRESSED, 0) << std::hex << state;
    }

    // "2nd" latches while the second memory bank is chosen; Hex makes "A" available.
    Object second(app.Control(kIdSecond)), hexA(app.Control(kIdKeyA));
    app.Press("2nd Hex");
    EXPECT_NE(second.State() & STATE_SYSTEM_PRESSED, 0);
    EXPECT_EQ(hexA.State() & STATE_SYSTEM_UNAVAILABLE, 0);
    app.Press("2nd");
    EXPECT_EQ(second.State() & STATE_SYSTEM_PRESSED, 0);
}

TEST_F(Accessibility, PressWorksAsAClick) {
    Object seven(app.Control(kIdKey7)), plus(app.Control(kIdPlus)), hexA(app.Control(kIdKeyA));
    EXPECT_EQ(hexA.Press(), E_FAIL);  // disabled: nothing happens, and the client hears so
    ASSERT_EQ(seven.Press(), S_OK);
    ASSERT_EQ(plus.Press(), S_OK);
    app.Settle();
    EXPECT_EQ(app.Display(), "7");
    Lines pressed = app.Tape();
    ASSERT_FALSE(pressed.empty());

    // The same keys clicked, after a Clear, write the same lines.
    app.Press("Clear 7 +");
    Lines all = app.Tape();
    Lines expected = pressed;
    expected.push_back("Clear");
    expected.insert(expected.end(), pressed.begin(), pressed.end());
    EXPECT_EQ(all, expected);

    // "CT" asks first: the press returns while its question is open.
    Object clearTape(app.Control(kIdCT));
    ASSERT_EQ(clearTape.Press(), S_OK);
    HWND box = app.WaitForWindow("#32770", "Calculator");
    ASSERT_NE(box, nullptr);
    TallymaxApp::PressDialogButton(box, IDNO);
    EXPECT_TRUE(TallymaxApp::WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_EQ(app.Tape(), expected);
}

TEST_F(Accessibility, TapeLinesAreListItems) {
    app.Press("2 + 3 =");
    Lines tape = app.Tape();
    ASSERT_GE(tape.size(), 3u);
    EXPECT_EQ(tape[0], "2  ");
    EXPECT_EQ(tape[1], "3 +");
    HWND list = app.Control(kIdTape);
    Object object(list);
    ASSERT_NE(object.p, nullptr) << std::hex << object.asked;
    EXPECT_EQ(object.Role(), ROLE_SYSTEM_LIST);
    LONG count = 0;
    EXPECT_EQ(object.p->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, static_cast<LONG>(tape.size()));
    for (LONG line = 1; line <= count; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(object.Name(line), tape[line - 1]);
        EXPECT_EQ(object.Role(line), ROLE_SYSTEM_LISTITEM);
    }
    EXPECT_EQ(object.Name(count + 1), "<none>");  // no such line: refused

    // Where line 2 is on the screen, and what is found there.
    RECT item;
    ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
    LONG x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(object.p->accLocation(&x, &y, &w, &h, Child(2)), S_OK);
    EXPECT_EQ(x, item.left);
    EXPECT_EQ(y, item.top);
    EXPECT_EQ(h, item.bottom - item.top);
    VARIANT hit;
    VariantInit(&hit);
    ASSERT_EQ(object.p->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 2);

    // A reader walks the lines from the first to the last, and no further.
    VARIANT step;
    VariantInit(&step);
    ASSERT_EQ(object.p->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &step), S_OK);
    EXPECT_EQ(step.lVal, 1);
    ASSERT_EQ(object.p->accNavigate(NAVDIR_NEXT, Child(1), &step), S_OK);
    EXPECT_EQ(step.lVal, 2);
    EXPECT_EQ(object.p->accNavigate(NAVDIR_NEXT, Child(count), &step), S_FALSE);
}

// Past 65,536 lines, where the list box's own hit test wraps round: the line under the
// pointer is still the one shown there, for a reader as for the tape's tooltip.
TEST(AccessibleTape, LinesPastSixteenBitsAreFoundWhereTheyAreShown) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        TallymaxApp app;
        std::string journal;
        for (int i = 1; i <= 70000; ++i) journal += std::to_string(i) + ".00 +\n";
        WriteFileBytes(app.Folder() + "Tallymax.tape", journal);
        ASSERT_TRUE(app.Start());
        HWND list = app.Control(kIdTape);
        ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 70000);
        RECT item;  // the last line, in view after the restore
        ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, 69999, reinterpret_cast<LPARAM>(&item)),
                  LB_ERR);
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
        Object object(list);
        ASSERT_NE(object.p, nullptr);
        VARIANT hit;
        VariantInit(&hit);
        ASSERT_EQ(object.p->accHitTest(item.left + 20, (item.top + item.bottom) / 2, &hit), S_OK);
        EXPECT_EQ(hit.lVal, 70000);
        EXPECT_EQ(object.Name(hit.lVal), "70000.00 +");
    }
    CoUninitialize();
}

// Out-of-context events reach this thread as messages, handled while it waits.
struct Heard {
    DWORD event;
    HWND window;
};
std::vector<Heard> g_heard;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                     DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) g_heard.push_back({event, window});
}

bool Hears(DWORD event, HWND window) {
    return TallymaxApp::WaitUntil([&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        for (const Heard& h : g_heard)
            if (h.event == event && h.window == window) return true;
        return false;
    });
}

TEST_F(Accessibility, CaptionAndStateChangesAreAnnounced) {
    g_heard.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                         Listen, app.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    app.Press("Start 2nd");  // "Start" becomes "Stop" and enables "Lap"; "2nd" latches
    EXPECT_TRUE(Hears(EVENT_OBJECT_NAMECHANGE, app.Control(kIdStopwatchStart)));
    EXPECT_TRUE(Hears(EVENT_OBJECT_STATECHANGE, app.Control(kIdStopwatchLap)));
    EXPECT_TRUE(Hears(EVENT_OBJECT_STATECHANGE, app.Control(kIdSecond)));
    UnhookWinEvent(hook);
}

}  // namespace
