#include "ui/main_layout.h"

#include <algorithm>

namespace {

constexpr int kRowHeight = 22;
constexpr int kFullWidth = 513;
constexpr int kNarrowWidth = 282;
constexpr int kStatusTopWithStopwatch = 270;
// One pixel row below the lowest control, as the window was first designed (a
// client area of 293 with everything shown).
constexpr int kBottomMargin = 1;

int GrowthOf(const std::string& text, int design) {
    if (text.empty() || text.size() > 9) return 0;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return std::clamp(value - design, 0, kMaxLayoutGrowth);
}

}  // namespace

LayoutGrowth GrowthOfStoredSize(const std::string& width, const std::string& height,
                                int designWidth, int designHeight) {
    return LayoutGrowth{GrowthOf(width, designWidth), GrowthOf(height, designHeight)};
}

MainLayout LayOutMainWindow(const LayoutSettings& settings, LayoutGrowth growth) {
    MainLayout l;
    l.tapeShown = IsShown(settings.showTape);
    l.statusBarShown = IsShown(settings.showStatusBar);
    l.stopwatchShown = IsShown(settings.showStopWatch);
    l.resizable = l.tapeShown;
    if (!l.tapeShown) growth = LayoutGrowth{};
    growth.width = std::clamp(growth.width, 0, kMaxLayoutGrowth);
    growth.height = std::clamp(growth.height, 0, kMaxLayoutGrowth);
    l.statusTop = kStatusTopWithStopwatch - (l.stopwatchShown ? 0 : kRowHeight) + growth.height;
    l.tapeHeight = (l.stopwatchShown ? 254 : 232) + growth.height;
    l.tapeWidth = 224 + growth.width;

    const int narrow = l.tapeShown ? 133 : 87;
    const int top = l.statusTop;
    l.fields[kFieldMemory] = {0, top, narrow, kRowHeight};
    l.fields[kFieldAverage] = {narrow, top, narrow, kRowHeight};
    l.fields[kFieldItems] = {l.tapeShown ? 266 : 174, top, 100, kRowHeight};
    l.fields[kFieldDate] = {366, top, 100, kRowHeight};
    // The last field reaches to the right edge of a wider window.
    l.fields[kFieldNumLock] = {466, top, 46 + growth.width, kRowHeight};
    // The line sits on the row just above the fields: placed at their top (and as
    // tall as its first design) it painted a band over them.
    l.separator = {0, top - 1, kFullWidth + growth.width, 1};

    l.outerWidth = (l.tapeShown ? kFullWidth : kNarrowWidth) + growth.width;
    l.clientHeight = top + (l.statusBarShown ? kRowHeight : 0) + kBottomMargin;
    return l;
}
