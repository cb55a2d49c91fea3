#include "throughput_steps_win.h"

#include "throughput/throughput_window_ids.h"
#include "ui/control_ids.h"

HWND OpenQuorvel(TallymaxApp& app) {
    app.Click(kIdThroughput);
    return app.WaitForWindow(kThroughputWindowClass, "Quorvel");
}

void StartTestOn(HWND window, const std::string& target) {
    SendMessageA(GetDlgItem(window, kIdQvlTarget), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(target.c_str()));
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void AnswerTestSize(HWND options, const std::string& megabytes) {
    SendMessageA(GetDlgItem(options, kIdQvlOptionsSize), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(megabytes.c_str()));
    PostMessageA(options, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}
