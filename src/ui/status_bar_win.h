// The status bar's date and NumLock fields and the stopwatch row of the main window.
#pragma once

// Start-up and every StatusClockTimer message: today's date in the date field.
void UpdateStatusDate();
// Start-up and every NumLock key-down: "NUM" while NumLock is on, otherwise empty.
void UpdateNumLockField();

// The "Start"/"Stop" button and the release of Space.
void StopwatchStartStop();
// The "Lap" button: the read-out to the tape with the marker "LAP".
void StopwatchLap();
// The "Reset" button: the read-out returns to zero on the next tick.
void StopwatchReset();
// Every StopwatchTimer message.
void StopwatchTick();
