#include "ui/main_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MainLayout, ClientAreaFitsEveryCombination) {
    struct Case {
        int tape, status, stopwatch;
        int width, clientHeight, statusTop, itemsX;
    } cases[] = {
        {1, 1, 1, 513, 293, 270, 266}, {0, 1, 1, 282, 293, 270, 174}, {1, 0, 1, 513, 271, 270, 266},
        {1, 1, 0, 513, 271, 248, 266}, {1, 0, 0, 513, 249, 248, 266}, {0, 0, 0, 282, 249, 248, 174},
        {2, 1, 2, 282, 271, 248, 174},  // only 1 counts as shown
    };
    for (const Case& c : cases) {
        const std::string name = "tape " + std::to_string(c.tape) + " status " +
                                 std::to_string(c.status) + " stopwatch " +
                                 std::to_string(c.stopwatch);
        MainLayout l = LayOutMainWindow({c.tape, c.status, c.stopwatch});
        EXPECT_EQ(l.outerWidth, c.width) << name;
        EXPECT_EQ(l.clientHeight, c.clientHeight) << name;
        EXPECT_EQ(l.statusTop, c.statusTop) << name;
        EXPECT_EQ(l.fields[kFieldItems].x, c.itemsX) << name;
        EXPECT_EQ(l.separator.y + l.separator.height, l.statusTop) << name << ": line over a field";
        for (const LayoutBox& f : l.fields) {
            EXPECT_EQ(f.y, l.statusTop) << name;
            if (l.statusBarShown) EXPECT_EQ(f.y + f.height + 1, l.clientHeight) << name;
        }
        // Neighbouring fields touch and never overlap (with the tape hidden the
        // date and NumLock fields stand beyond the narrow window).
        for (int i = 1; i < (l.tapeShown ? kStatusFieldCount : kFieldDate); ++i)
            EXPECT_EQ(l.fields[i - 1].x + l.fields[i - 1].width, l.fields[i].x)
                << name << " field " << i;
    }
}

TEST(MainLayout, OnlyTheTapeGrowsAndTheStatusBarMovesDown) {
    MainLayout l = LayOutMainWindow({1, 1, 1}, {100, 40});
    EXPECT_EQ(l.outerWidth, 613);
    EXPECT_EQ(l.clientHeight, 333);
    EXPECT_EQ(l.tapeWidth, 324);
    EXPECT_EQ(l.tapeHeight, 294);
    EXPECT_EQ(l.statusTop, 310);
    EXPECT_EQ(l.fields[kFieldItems].x, 266);
    EXPECT_EQ(l.fields[kFieldNumLock].x + l.fields[kFieldNumLock].width, 612);
    EXPECT_EQ(l.separator.width, 613);
    // With the tape hidden nothing grows and the window keeps its size.
    MainLayout narrow = LayOutMainWindow({0, 1, 1}, {100, 40});
    EXPECT_FALSE(narrow.resizable);
    EXPECT_EQ(narrow.outerWidth, 282);
    EXPECT_EQ(narrow.clientHeight, 293);
}

TEST(MainLayout, StoredSizeFromTheSettingsFile) {
    const struct {
        const char *width, *height;
        int grownWidth, grownHeight;
    } cases[] = {
        {"700", "400", 187, 56},
        {"513", "344", 0, 0},
        {"300", "100", 0, 0},
        {"", "", 0, 0},
        {"70O", "4e2", 0, 0},
        {"-700", " 400", 0, 0},
        {"99999999", "400", kMaxLayoutGrowth, 56},
        {"999999999999", "400", 0, 56},
    };
    for (const auto& c : cases) {
        LayoutGrowth g = GrowthOfStoredSize(c.width, c.height, 513, 344);
        EXPECT_EQ(g.width, c.grownWidth) << c.width;
        EXPECT_EQ(g.height, c.grownHeight) << c.height;
    }
}

}  // namespace
