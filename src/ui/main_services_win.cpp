// The main window's services to the rest of the program (app_win.h).
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/main_state_win.h"
#include "ui/themed_button_win.h"

MainState& Main() {
    static MainState state;
    return state;
}

HWND MainWindow() {
    return Main().window;
}
Calculator& TheCalculator() {
    return Main().calc;
}
const std::string& SettingsPath() {
    return Main().settingsPath;
}
bool LaptopMapOn() {
    return Main().laptopMap;
}
bool TopMostOn() {
    return Main().topMost;
}

void SetLaptopMap(bool on) {
    Main().laptopMap = on;
    ShowWindow(MainControl(kIdLaptopLabel), on ? SW_SHOW : SW_HIDE);
}

void SetTopMost(bool on) {
    Main().topMost = on;
    SetButtonToggleState(MainControl(kIdTopMost), on, true);
    PlaceTopMost(on);
}

void ReturnFocus() {
    if (HWND sink = MainControl(kIdInputSink)) SetFocus(sink);
}

int ShowMessage(const std::string& text, const std::string& caption, UINT style) {
    return ShowMessageFrom(Main().window, text, caption, style);
}
