#include "ui/main_window_tools_win.h"

#include <windows.h>

#include "convert/convert_window_win.h"
#include "help/about_window_win.h"
#include "help/help_window_win.h"
#include "loan/loan_window_win.h"
#include "measure/measure_window_win.h"
#include "settings/options_dialog_win.h"
#include "tape/tape_files_win.h"
#include "throughput/throughput_window_win.h"
#include "ui/app_win.h"
#include "ui/main_window_win.h"
#include "ui/window_kit_win.h"

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
    OpenConversionWindow();
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
            OpenAreaWindow();
            break;
        case ToolWindow::Volume:
            OpenVolumeWindow();
            break;
        case ToolWindow::Loan:
            OpenLoanWindow();
            break;
        case ToolWindow::Throughput:
            OpenThroughputWindow();
            break;
    }
}

void CloseToolWindows() {
    CloseHelpWindow();
    CloseAllToolWindows();
}
