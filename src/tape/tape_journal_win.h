// The tape journal of this run: the tape list's lines go to "Tallymax.tape" as they are
// added, come back at start-up, and View > Keep Tape Between Sessions turns it off.
#pragma once

#include <windows.h>

#include <string>

// Start-up, before any line is added: reads the journal beside the settings file into
// the tape list in one go, unless `keepTapeValue` (the "KeepTape" setting, "1" when
// missing) turns it off, and checks the menu item accordingly.
void RestoreTapeJournal(HWND tapeList, const std::string& settingsPath,
                        const std::string& keepTapeValue);

// The open calculation that the journal kept at the end of the last run ("" when
// none), given once: the caller resumes it after the settings are applied.
std::string TakeRestoredCalculation();
// The state of the open calculation after an operation that wrote to the tape.
void JournalCalculationState(const std::string& state);

// The tape list took a line.
void JournalTapeLine(const std::string& line);
// The tape list took a line of a tape file being loaded; the lines reach the disk at
// the latest with JournalLoadedTapeEnd, at the end of the load.
void JournalLoadedTapeLine(const std::string& line);
void JournalLoadedTapeEnd();
// The tape list was emptied by a confirmed Clear Tape.
void JournalTapeCleared();
// The end of the run: the journal is closed within its bound.
void CloseTapeJournal();

// View > Keep Tape Between Sessions: off deletes the journal, on starts it again with
// the tape as it stands; the choice is stored as "KeepTape" in "[Tape]".
void ToggleKeepTape();
