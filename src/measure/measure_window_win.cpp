#include "measure/measure_window_win.h"

#include <windows.h>

#include <string>

#include "ui/app_win.h"

// Not built yet: says so instead of doing nothing.
static void ReportMissing(const char* name) {
    ShowMessage(std::string("The ") + name + " is not available in this version of Tallymax.",
                "Tallymax", MB_OK | MB_ICONINFORMATION);
    ReturnFocus();
}

void OpenAreaWindow() {
    ReportMissing("area calculator");
}
void OpenVolumeWindow() {
    ReportMissing("volume calculator");
}
