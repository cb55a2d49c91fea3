#include "ui/main_layout.h"

namespace {

constexpr int kRowHeight = 22;
constexpr int kFullWidth = 513;
constexpr int kNarrowWidth = 282;
constexpr int kStatusTopWithStopwatch = 270;
// One pixel row below the lowest control, as the window was first designed (a
// client area of 293 with everything shown).
constexpr int kBottomMargin = 1;

}  // namespace

MainLayout LayOutMainWindow(const LayoutSettings& settings) {
    MainLayout l;
    l.tapeShown = IsShown(settings.showTape);
    l.statusBarShown = IsShown(settings.showStatusBar);
    l.stopwatchShown = IsShown(settings.showStopWatch);
    l.statusTop = kStatusTopWithStopwatch - (l.stopwatchShown ? 0 : kRowHeight);
    l.tapeHeight = l.stopwatchShown ? 254 : 232;

    const int narrow = l.tapeShown ? 133 : 87;
    const int top = l.statusTop;
    l.fields[kFieldMemory] = {0, top, narrow, kRowHeight};
    l.fields[kFieldAverage] = {narrow, top, narrow, kRowHeight};
    l.fields[kFieldItems] = {l.tapeShown ? 266 : 174, top, 100, kRowHeight};
    l.fields[kFieldDate] = {366, top, 100, kRowHeight};
    l.fields[kFieldNumLock] = {466, top, 46, kRowHeight};
    // The line sits on the row just above the fields: placed at their top (and as
    // tall as its first design) it painted a band over them.
    l.separator = {0, top - 1, kFullWidth, 1};

    l.outerWidth = l.tapeShown ? kFullWidth : kNarrowWidth;
    l.clientHeight = top + (l.statusBarShown ? kRowHeight : 0) + kBottomMargin;
    return l;
}
