// The help window "Tallymax Help": a topic tree on the left and the selected topic's
// text on the right. Modeless, single, owned by the main window.
#pragma once

#include <windows.h>

inline constexpr char kHelpWindowClass[] = "FORM_TALLYMAX_HELP_CLASS";

enum HelpControlId : int {
    kIdHelpIcon = 1000,
    kIdHelpTitle = 1001,
    kIdHelpVersion = 1002,
    kIdHelpTree = 1003,
    kIdHelpText = 1004,
};

// The open help window, or null.
HWND HelpWindow();

// Help menu ("Help Topics" with 0, "Keyboard Equivalents" with 500): opens a new
// help window at `startTopic` (see TopicSelectedAtStart), closing an open one first.
HWND OpenHelpWindow(HWND owner, int startTopic);

// Keypad Help button and F1: an open help window is only brought forward and keeps
// its selection; otherwise a new one opens at the overview.
HWND ShowOrOpenHelpWindow(HWND owner);

// Closes the help window if one is open.
void CloseHelpWindow();
