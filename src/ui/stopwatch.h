// The stopwatch of the main window and the texts of the status bar's date and NumLock
// fields, as plain arithmetic on times and flags handed in by the caller.
#pragma once

#include <string>

#include "engine/calculator.h"

enum StopwatchRunState : int {
    kStopwatchStopped = 0,
    kStopwatchRunning = 1,
    kStopwatchResetRequested = 2,
};

inline constexpr char kStopwatchZeroText[] = "00:00:00:00";
inline constexpr char kStopwatchStartCaption[] = "Start";
inline constexpr char kStopwatchStopCaption[] = "Stop";
inline constexpr char kLapMarker[] = "LAP";

struct Stopwatch {
    int runState = kStopwatchStopped;
    double lastReading = 0;                    // clock at the previous tick, seconds
    double elapsed = 0;                        // accumulated running time, seconds
    std::string readout = kStopwatchZeroText;  // the text the read-out shows
};

// The state of the "Start"/"Stop", "Lap" and "Reset" buttons after a start or stop.
struct StopwatchButtons {
    std::string startCaption;
    bool lapEnabled = false;
    bool resetEnabled = false;
};

// Starts the stopwatch when the button reads "Start", otherwise stops it. The clock is
// the same as AdvanceStopwatch's: a start counts from this moment and a stop counts up to
// it (and rewrites `watch.readout`), so the measured time does not depend on where the
// press falls between two ticks. A start with a reset still pending starts from zero.
StopwatchButtons StartOrStopStopwatch(Stopwatch& watch, const std::string& startCaption,
                                      double clockSeconds);

// Asks the next tick to return the read-out to zero.
void RequestStopwatchReset(Stopwatch& watch);

// One timer tick with the clock in seconds since local midnight (or any clock that
// wraps at 86400). Returns true when `watch.readout` was rewritten.
bool AdvanceStopwatch(Stopwatch& watch, double clockSeconds);

// Writes the read-out's current text to the tape with the marker "LAP"; the stopwatch
// keeps running.
void AppendStopwatchLap(Calculator& calc, const Stopwatch& watch);

// "hh:mm:ss:cc": each part at least two digits; hours may run past 99.
std::string StopwatchReadoutText(double elapsedSeconds);

// Two blanks, the month's short name, the day as two digits and the year: "  Mar 05, 2024".
std::string StatusDateText(int year, int month, int day);

// "NUM" while NumLock is on, otherwise empty.
std::string NumLockFieldText(bool numLockOn);
