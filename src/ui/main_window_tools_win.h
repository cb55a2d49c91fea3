// The windows the main window opens: tape files, options, help, about and the tool
// windows.
#pragma once

void SaveTapeCommand();
void LoadTapeCommand();
void PrintTapeCommand();
void OpenOptionsCommand();
// Help > Help Topics (topic 0) and Keyboard Equivalents (topic 500) close an open
// help window and open it anew.
void OpenHelpCommand(int startTopic, bool reopen);
void OpenAboutCommand();
void OpenConversionCommand();
// Destroys the modeless tool windows with the main window.
void CloseToolWindows();
