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

// Wine 8's oleacc has no list box proxy: it answers for the tape with the plain client
// object it gives any window class it does not know (role client, no children: the
// count is 0, and the name or role of line 1 is refused with E_INVALIDARG). Where that
// is so, the test checks what the platform's list proxy reads instead: a list of the
// system class that keeps its strings, whose texts (LB_GETTEXT, as Tape() reads them)
// are the lines.
TEST_F(Accessibility, TapeLinesAreListItems) {
    app.Press("2 + 3 =");
    Lines tape = app.Tape();
    ASSERT_GE(tape.size(), 2u);
    EXPECT_EQ(tape[0], "2  ");
    EXPECT_EQ(tape[1], "3 +");
    HWND list = app.Control(kIdTape);
    char className[32] = "";
    GetClassNameA(list, className, sizeof className);
    EXPECT_STREQ(className, "ListBox");
    EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & LBS_HASSTRINGS, 0);

    Object object(list);
    ASSERT_NE(object.p, nullptr) << std::hex << object.asked;
    LONG count = 0;
    EXPECT_TRUE(SUCCEEDED(object.p->get_accChildCount(&count)));
    if (count == 0 && GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) return;
    EXPECT_EQ(count, static_cast<LONG>(tape.size()));
    for (LONG line = 1; line <= 2; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(object.Name(line), tape[line - 1]);
        EXPECT_EQ(object.Role(line), ROLE_SYSTEM_LISTITEM);
    }
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
