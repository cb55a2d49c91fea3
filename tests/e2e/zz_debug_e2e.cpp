#include <gtest/gtest.h>
#include "harness_win.h"
namespace {
DWORD gPid;
BOOL CALLBACK Dump(HWND h, LPARAM) {
    DWORD pid = 0; GetWindowThreadProcessId(h, &pid);
    if (pid != gPid || !IsWindowVisible(h)) return TRUE;
    char cls[64] = ""; GetClassNameA(h, cls, sizeof cls);
    printf("win %p cls=%s title='%s' text='%s'\n", (void*)h, cls, TallymaxApp::WindowTextOf(h).c_str(), TallymaxApp::MessageBoxText(h).c_str());
    return TRUE;
}
TEST(ZzDebug, ReadOnlySave) {
    TallymaxApp app; ASSERT_TRUE(app.Start()); gPid = app.ProcessId();
    std::string path = app.Folder() + "kept.txt";
    WriteFileBytes(path, "old\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    printf("attrs %lx\n", GetFileAttributesA(path.c_str()));
    app.PostMenu(6001);
    HWND d = app.WaitForWindow("#32770", "Save File As", 5000);
    SendMessageA(GetDlgItem(d, 0x47C), WM_SETTEXT, 0, (LPARAM)path.c_str());
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(d, IDOK));
    Sleep(1500); EnumWindows(Dump, 0);
}
}
