// One table of the main window's commands: keypad buttons, keys (which arrive as the
// buttons' ids) and menu items all run through it.
#include "engine/display_format.h"
#include "engine/entry.h"
#include "engine/number_system.h"
#include "engine/operators.h"
#include "engine/percent_tax.h"
#include "tape/memory_banks.h"
#include "tape/tape.h"
#include "tape/tape_journal_win.h"
#include "ui/app_win.h"
#include "ui/control_ids.h"
#include "ui/main_state_win.h"
#include "ui/main_window_tools_win.h"
#include "ui/main_window_win.h"
#include "ui/status_bar_win.h"

namespace {

enum CommandFlags : unsigned {
    kMenuItem = 1,     // runs whatever the notification (menu items have none)
    kDecimalOnly = 2,  // does nothing outside Dec
};

struct CommandDef {
    int id;
    void (*run)();
    unsigned flags;
};

Calculator& Calc() {
    return Main().calc;
}
MemoryBanks& Banks() {
    return Main().banks;
}

const CommandDef kCommands[] = {
    // Keypad
    {kIdPoint, [] { EnterDecimalPoint(Calc()); }, 0},
    {kIdSign, [] { ToggleSign(Calc()); }, 0},
    {kIdBack, [] { Backspace(Calc()); }, 0},
    {kIdCE, [] { ClearEntry(Calc()); }, 0},
    {kIdClear, [] { ClearAll(Calc()); }, 0},
    {kIdCT, [] { ClearTape(Calc()); }, 0},
    {kIdFeed, [] { PaperFeed(Calc()); }, 0},
    {kIdPlus, [] { ApplyOperator(Calc(), '+'); }, 0},
    {kIdMinus, [] { ApplyOperator(Calc(), '-'); }, 0},
    {kIdMultiply, [] { ApplyOperator(Calc(), '*'); }, 0},
    {kIdDivide, [] { ApplyOperator(Calc(), '/'); }, 0},
    {kIdEquals, [] { ApplyEquals(Calc()); }, 0},
    {kIdPercent, [] { ApplyPercent(Calc()); }, 0},
    {kIdReciprocal, [] { ApplyReciprocal(Calc()); }, 0},
    {kIdTax, [] { AddTax(Calc()); }, 0},
    {kIdChg, [] { MakeChange(Calc()); }, 0},
    {kIdMemAdd, [] { MemoryAdd(Calc(), Banks()); }, 0},
    {kIdMemSet, [] { MemorySet(Calc(), Banks()); }, 0},
    {kIdMemRecall, [] { MemoryRecall(Calc(), Banks()); }, 0},
    {kIdMemClear, [] { MemoryClear(Calc(), Banks()); }, 0},
    {kIdSecond, [] { SwitchMemoryBank(Calc(), Banks()); }, 0},
    {kIdCnv, [] { OpenConversionCommand(); }, 0},
    {kIdArea, [] { OpenToolWindow(ToolWindow::Area); }, 0},
    {kIdVol, [] { OpenToolWindow(ToolWindow::Volume); }, 0},
    {kIdLoan, [] { OpenToolWindow(ToolWindow::Loan); }, 0},
    {kIdThroughput, [] { OpenToolWindow(ToolWindow::Throughput); }, 0},
    {kIdHelp, [] { OpenToolWindow(ToolWindow::Help); }, 0},
    {kIdTopMost, [] { ToggleAlwaysOnTop(); }, 0},
    {kIdStopwatchStart, [] { StopwatchStartStop(); }, 0},
    {kIdStopwatchLap, [] { StopwatchLap(); }, 0},
    {kIdStopwatchReset, [] { StopwatchReset(); }, 0},
    // File
    {kMenuSaveTape, [] { SaveTapeCommand(); }, kMenuItem},
    {kMenuLoadTape, [] { LoadTapeCommand(); }, kMenuItem},
    {kMenuPrintTape, [] { PrintTapeCommand(); }, kMenuItem},
    {kMenuShowTape, [] { ToggleLayoutItem(kMenuShowTape, "ShowTape"); }, kMenuItem},
    {kMenuShowStatusBar, [] { ToggleLayoutItem(kMenuShowStatusBar, "ShowStatusBar"); }, kMenuItem},
    {kMenuShowStopwatch, [] { ToggleLayoutItem(kMenuShowStopwatch, "ShowStopWatch"); }, kMenuItem},
    {kMenuOptions, [] { OpenOptionsCommand(); }, kMenuItem},
    {kMenuExit, [] { DestroyWindow(Main().window); }, kMenuItem},
    // Edit
    {kMenuCopy, [] { CopyDisplay(Calc()); }, kMenuItem},
    {kMenuPaste, [] { PasteDisplay(Calc()); }, kMenuItem},
    // View
    {kMenuDigitGrouping, [] { ToggleDigitGrouping(Calc()); }, kMenuItem | kDecimalOnly},
    {kMenuFloating, [] { SelectDecimals(Calc(), kModeFloating); }, kMenuItem | kDecimalOnly},
    {kMenuDecimal0, [] { SelectDecimals(Calc(), 0); }, kMenuItem | kDecimalOnly},
    {kMenuDecimal0 + 1, [] { SelectDecimals(Calc(), 1); }, kMenuItem | kDecimalOnly},
    {kMenuDecimal0 + 2, [] { SelectDecimals(Calc(), 2); }, kMenuItem | kDecimalOnly},
    {kMenuDecimal0 + 3, [] { SelectDecimals(Calc(), 3); }, kMenuItem | kDecimalOnly},
    {kMenuDecimal0 + 4, [] { SelectDecimals(Calc(), 4); }, kMenuItem | kDecimalOnly},
    {kMenuAutoDecimal, [] { ToggleAutoDecimal(Calc()); }, kMenuItem | kDecimalOnly},
    {kMenuKeepTape, [] { ToggleKeepTape(); }, kMenuItem},
    // Help
    {kMenuHelpTopics, [] { OpenHelpCommand(0, true); }, kMenuItem},
    {kMenuKeyboard, [] { OpenHelpCommand(500, true); }, kMenuItem},
    {kMenuAbout, [] { OpenAboutCommand(); }, kMenuItem},
};

}  // namespace

void DispatchCommand(int id, int notification) {
    for (int digit = 0; digit < 16; ++digit) {
        if (kDigitKeyIds[digit] == id) {
            EnterDigit(Calc(), digit);
            return;
        }
    }
    if (id >= kIdRadioDec && id <= kIdRadioOct) {
        if (notification == BN_CLICKED) SetNumberSystem(Calc(), id - kIdRadioDec);
        return;
    }
    if (id == kIdTape) {
        if (notification == LBN_SETFOCUS) ReturnFocus();
        return;
    }
    for (const CommandDef& c : kCommands) {
        if (c.id != id) continue;
        if (!(c.flags & kMenuItem) && notification != BN_CLICKED) return;
        if ((c.flags & kDecimalOnly) && !IsDecimalMode(Calc().state.numberMode)) return;
        c.run();
        return;
    }
}
