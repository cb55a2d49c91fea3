#include "ui/stopwatch.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/recording_view.h"

namespace {

struct ReadoutCase {
    double elapsed;
    const char* text;
};

TEST(StopwatchTest, ReadoutText) {
    const ReadoutCase cases[] = {
        {0, "00:00:00:00"},
        {0.5, "00:00:00:50"},
        {12.34, "00:00:12:34"},
        {62.03, "00:01:02:03"},
        {59.999, "00:00:59:99"},    // hundredths capped, no carry into the seconds
        {3599.996, "00:59:59:99"},  // likewise at the hour
        {3600, "01:00:00:00"},
        {3661.01, "01:01:01:01"},
        {359999.99, "99:59:59:99"},
        {360000, "100:00:00:00"},  // hours grow a third digit
        {3600.0 * 1234 + 5.07, "1234:00:05:07"},
        {-3, "00:00:00:00"},  // never a negative read-out
    };
    for (const ReadoutCase& c : cases) {
        EXPECT_EQ(StopwatchReadoutText(c.elapsed), c.text) << c.elapsed;
    }
}

// Drives the stopwatch as the window does: the button caption decides start or stop.
struct Driver {
    Stopwatch watch;
    std::string caption = kStopwatchStartCaption;
    StopwatchButtons buttons;

    void Press(double clock) {
        buttons = StartOrStopStopwatch(watch, caption, clock);
        caption = buttons.startCaption;
    }
    bool Tick(double clock) { return AdvanceStopwatch(watch, clock); }
};

TEST(StopwatchTest, StartAndStopSetTheButtons) {
    Driver d;
    d.Press(10);
    EXPECT_EQ(d.buttons.startCaption, "Stop");
    EXPECT_TRUE(d.buttons.lapEnabled);
    EXPECT_FALSE(d.buttons.resetEnabled);
    EXPECT_EQ(d.watch.runState, kStopwatchRunning);
    d.Press(11);
    EXPECT_EQ(d.buttons.startCaption, "Start");
    EXPECT_FALSE(d.buttons.lapEnabled);
    EXPECT_TRUE(d.buttons.resetEnabled);
    EXPECT_EQ(d.watch.runState, kStopwatchStopped);
}

TEST(StopwatchTest, AcrossMidnightCountsForward) {
    Driver d;
    d.Tick(86399.80);
    d.Press(86399.90);
    EXPECT_TRUE(d.Tick(86399.95));
    EXPECT_TRUE(d.Tick(0.20));
    d.Press(0.40);
    EXPECT_NEAR(d.watch.elapsed, 0.5, 1e-6);
    EXPECT_EQ(d.watch.readout, "00:00:00:50");
}

TEST(StopwatchTest, StopIsMeasuredToThePressNotTheLastTick) {
    Driver d;
    d.Press(100.0);
    d.Tick(100.04);
    d.Press(100.07);  // between two ticks
    EXPECT_EQ(d.watch.readout, "00:00:00:07");
}

TEST(StopwatchTest, LateTicksDoNotChangeTheMeasuredTime) {
    Driver d;
    d.Press(10);
    EXPECT_TRUE(d.Tick(12.5));  // one tick after 2.5 s instead of fifty
    EXPECT_EQ(d.watch.readout, "00:00:02:50");
}

TEST(StopwatchTest, RestartContinuesWithoutThePause) {
    Driver d;
    d.Press(100);
    d.Tick(105);
    d.Press(106);
    EXPECT_EQ(d.watch.readout, "00:00:06:00");
    // Ten seconds stopped: ticks keep the read-out frozen.
    EXPECT_FALSE(d.Tick(110));
    EXPECT_FALSE(d.Tick(116));
    EXPECT_EQ(d.watch.readout, "00:00:06:00");
    d.Press(116);
    d.Tick(117.25);
    EXPECT_EQ(d.watch.readout, "00:00:07:25");
}

TEST(StopwatchTest, ResetZeroesOnTheNextTickAndCountsFromZero) {
    Driver d;
    d.Press(0);
    d.Press(62.03);
    EXPECT_EQ(d.watch.readout, "00:01:02:03");
    RequestStopwatchReset(d.watch);
    EXPECT_EQ(d.watch.runState, kStopwatchResetRequested);
    EXPECT_TRUE(d.Tick(70));
    EXPECT_EQ(d.watch.readout, "00:00:00:00");
    EXPECT_EQ(d.watch.runState, kStopwatchStopped);
    d.Press(80);
    d.Tick(81);
    EXPECT_EQ(d.watch.readout, "00:00:01:00");
}

TEST(StopwatchTest, StartBeforeThePendingResetTickStillStartsFromZero) {
    Driver d;
    d.Press(0);
    d.Press(30);
    RequestStopwatchReset(d.watch);
    d.Press(31);  // no tick in between
    d.Tick(32);
    EXPECT_EQ(d.watch.readout, "00:00:01:00");
}

TEST(StopwatchTest, LapWritesTheReadoutWithMarkerAndKeepsRunning) {
    RecordingView view;
    Calculator calc;
    calc.view = &view;
    Driver d;
    d.Press(0);
    d.Tick(12.34);
    AppendStopwatchLap(calc, d.watch);
    ASSERT_EQ(view.tape.size(), 1u);
    EXPECT_EQ(view.tape[0], "00:00:12:34 LAP");
    EXPECT_EQ(d.watch.runState, kStopwatchRunning);
    d.Tick(13);
    EXPECT_EQ(d.watch.readout, "00:00:13:00");
}

TEST(StatusFieldsTest, DateText) {
    EXPECT_EQ(StatusDateText(2024, 3, 5), "  Mar 05, 2024");
    EXPECT_EQ(StatusDateText(2025, 1, 5), "  Jan 05, 2025");
    EXPECT_EQ(StatusDateText(2023, 12, 31), "  Dec 31, 2023");
    const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(StatusDateText(2001, m, 10), std::string("  ") + months[m - 1] + " 10, 2001")
            << m;
    }
}

TEST(StatusFieldsTest, NumLockText) {
    EXPECT_EQ(NumLockFieldText(true), "NUM");
    EXPECT_EQ(NumLockFieldText(false), "");
}

}  // namespace
