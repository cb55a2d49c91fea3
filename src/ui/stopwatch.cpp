#include "ui/stopwatch.h"

#include <cmath>

#include "engine/number_text.h"
#include "tape/tape.h"

namespace {

constexpr double kSecondsPerDay = 86400;

// Adds the running time since the last reading; a clock below the last reading has
// passed midnight.
void AccumulateUpTo(Stopwatch& watch, double clockSeconds) {
    double last = watch.lastReading;
    if (clockSeconds < last) last -= kSecondsPerDay;
    const double delta = clockSeconds - last;
    // A clock that jumps back by more than a day is not a midnight: count nothing.
    if (delta > 0) watch.elapsed += delta;
    watch.lastReading = clockSeconds;
}

std::string TwoDigits(long double value) {
    return FormatNumber(value, "00");
}

}  // namespace

StopwatchButtons StartOrStopStopwatch(Stopwatch& watch, const std::string& startCaption,
                                      double clockSeconds) {
    StopwatchButtons buttons;
    if (startCaption == kStopwatchStartCaption) {
        if (watch.runState == kStopwatchResetRequested) watch.elapsed = 0;
        watch.lastReading = clockSeconds;
        watch.runState = kStopwatchRunning;
        buttons.startCaption = kStopwatchStopCaption;
        buttons.lapEnabled = true;
        buttons.resetEnabled = false;
    } else {
        if (watch.runState == kStopwatchRunning) {
            AccumulateUpTo(watch, clockSeconds);
            watch.readout = StopwatchReadoutText(watch.elapsed);
        }
        watch.runState = kStopwatchStopped;
        buttons.startCaption = kStopwatchStartCaption;
        buttons.lapEnabled = false;
        buttons.resetEnabled = true;
    }
    return buttons;
}

void RequestStopwatchReset(Stopwatch& watch) {
    watch.runState = kStopwatchResetRequested;
}

bool AdvanceStopwatch(Stopwatch& watch, double clockSeconds) {
    switch (watch.runState) {
        case kStopwatchRunning:
            AccumulateUpTo(watch, clockSeconds);
            break;
        case kStopwatchResetRequested:
            watch.elapsed = 0;
            watch.runState = kStopwatchStopped;
            watch.lastReading = clockSeconds;
            break;
        default:
            // Stopped: keep following the clock so that a restart does not count the pause.
            watch.lastReading = clockSeconds;
            return false;
    }
    watch.readout = StopwatchReadoutText(watch.elapsed);
    return true;
}

void AppendStopwatchLap(Calculator& calc, const Stopwatch& watch) {
    AppendTapeLine(calc, watch.readout, kLapMarker);
}

std::string StopwatchReadoutText(double elapsedSeconds) {
    const double elapsed = elapsedSeconds > 0 ? elapsedSeconds : 0;
    const double hours = std::floor(elapsed / 3600);
    double rest = std::fmax(elapsed - 3600 * hours, 0);
    const double minutes = std::fmin(std::floor(rest / 60), 59);
    rest = std::fmax(rest - 60 * minutes, 0);
    const double seconds = std::fmin(std::floor(rest), 59);
    // Rounding the fraction may reach 100; the read-out never carries into the seconds.
    const double hundredths = std::fmin(std::nearbyint((rest - seconds) * 100), 99);
    return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds) + ":" +
           TwoDigits(hundredths);
}

std::string StatusDateText(int year, int month, int day) {
    static const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::string monthName = month >= 1 && month <= 12 ? kMonthNames[month - 1] : "";
    return "  " + monthName + " " + TwoDigits(day) + ", " + FormatNumber(year, "0000");
}

std::string NumLockFieldText(bool numLockOn) {
    return numLockOn ? "NUM" : "";
}
