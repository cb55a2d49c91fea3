#include "ui/main_window_tools_win.h"

#include <windows.h>

#include "help/about_window_win.h"
#include "help/help_window_win.h"
#include "settings/options_dialog_win.h"
#include "tape/tape_files_win.h"
#include "ui/app_win.h"
#include "ui/main_window_win.h"

namespace {

// Tool windows that are not part of this build yet say so instead of doing nothing.
void ReportMissingTool(const char* name) {
    ShowMessage(std::string("The ") + name + " is not available in this version of Tallymax.",
                "Tallymax", MB_OK | MB_ICONINFORMATION);
    ReturnFocus();
}

}  // namespace

void SaveTapeCommand() {
    SaveTape(MainWindow());
}
void LoadTapeCommand() {
    LoadTape(MainWindow());
}
void PrintTapeCommand() {
    PrintTape(MainWindow());
}
void OpenOptionsCommand() {
    ShowOptionsDialog(MainWindow());
}
void OpenAboutCommand() {
    ShowAboutWindow(MainWindow());
}
void OpenConversionCommand() {
    ReportMissingTool("conversion calculator");
}

void OpenHelpCommand(int startTopic, bool reopen) {
    if (reopen) CloseHelpWindow();
    OpenHelpWindow(MainWindow(), startTopic);
}

void OpenToolWindow(ToolWindow tool) {
    switch (tool) {
        case ToolWindow::Help:
            ShowOrOpenHelpWindow(MainWindow());
            break;
        case ToolWindow::Area:
            ReportMissingTool("area calculator");
            break;
        case ToolWindow::Volume:
            ReportMissingTool("volume calculator");
            break;
        case ToolWindow::Loan:
            ReportMissingTool("loan calculator");
            break;
        case ToolWindow::Throughput:
            ReportMissingTool("throughput test");
            break;
    }
}

void CloseToolWindows() {
    CloseHelpWindow();
}
