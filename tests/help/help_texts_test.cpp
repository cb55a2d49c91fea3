#include "help/help_texts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

}  // namespace

TEST(HelpTopicTreeTest, EveryParentComesBeforeItsChildren) {
    std::map<int, size_t> seen;
    for (size_t i = 0; i < HelpTopicTree().size(); ++i) {
        const HelpTopic& t = HelpTopicTree()[i];
        if (t.parentCode != 0) {
            ASSERT_TRUE(seen.count(t.parentCode)) << t.caption;
            EXPECT_EQ(HelpTopicTree()[seen[t.parentCode]].parentCode, 0) << "two levels only";
        }
        EXPECT_FALSE(seen.count(t.code)) << "duplicate code " << t.code;
        seen[t.code] = i;
    }
}

TEST(HelpTopicTextTest, EveryTopicHasTextInCrLfLines) {
    for (const HelpTopic& t : HelpTopicTree()) {
        std::string text = HelpTopicText(t.code);
        EXPECT_GT(text.size(), 80u) << t.caption;
        // Lines are joined with CR LF only: a lone LF or CR shows as a box in the pane.
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n')
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << t.caption << " at " << i;
            if (text[i] == '\r')
                EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << t.caption;
        }
        EXPECT_NE(text.back(), '\n') << t.caption;
    }
    EXPECT_EQ(HelpTopicText(0), "");
    EXPECT_EQ(HelpTopicText(250), "");
    EXPECT_EQ(HelpTopicText(-1), "");
}

TEST(HelpTopicTextTest, StartTopicRule) {
    EXPECT_EQ(TopicSelectedAtStart(0), 100);
    EXPECT_EQ(TopicSelectedAtStart(500), 500);
    for (int other : {100, 210, 499, 501, -1, 42})
        EXPECT_EQ(TopicSelectedAtStart(other), 0) << "start topic " << other;
}

TEST(HelpTopicTextTest, KeyboardPageIsTheTableOfKeys) {
    std::vector<std::string> lines = SplitLines(HelpTopicText(500));
    std::vector<std::string> expected = {
        "Button\tKeyboard",
        "---------\t-------------",
        "0-9\t0-9",
        "A-F\tA-F",
        ".\t.",
        "+/-\tF9",
        "Back\tBackspace",
        "CE\tDelete",
        "Clear\tEsc",
        "CT\tShift + Esc",
        "+\t+",
        "-\t-",
        "\xD7\t*",
        "\xF7\t/",
        "=\t= or Enter",
        "%\t%",
        "1/x\tr",
        "+Tax\tt",
        "Chg\tg",
        "Feed\t<UP ARROW>",
        "Help\tF1",
        "Copy\tCtrl-C",
        "Paste\tCtrl-V",
        "",
        "Laptop 10 Key Support includes...",
    };
    ASSERT_GE(lines.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    EXPECT_EQ(lines[expected.size()],
              "'M'=0, 'J'=1, 'K'=2, 'L'=3, 'U'=4, 'I'=5, 'O'=6, '7'..'9' = 7..9, '0' = divide, "
              "'/' = +, ';' = -, 'P' = multiply");
}

TEST(HelpTopicTextTest, TopicsCoverTheirPoints) {
    struct Case {
        int code;
        std::vector<std::string> parts;
    } cases[] = {
        {100,
         {"Tallymax",
          "Some of Tallymax's Features include...",
          "no installation",
          "Num Lock",
          "Calculator Mode or Adding Machine Mode",
          "Throughput test",
          "Decimal, Binary, Hexadecimal and Octal",
          "printed, saved",
          "up to 20 loan profiles",
          "amortization schedule",
          "compounding",
          "metric or standard units",
          "mixed units",
          "Temperature, Length, Volume, Weight, Area, Speed and Time",
          "Over 60",
          "Floating point, fixed",
          "automatic decimals",
          "Tax and Change",
          "settings file",
          "Repeat entry",
          "Tool tips",
          "Always on top",
          "average",
          "lap times",
          "Item count"}},
        {210,
         {"Save Tape",
          "Load Tape",
          "Print Tape",
          "Show Tape",
          "updated while it is hidden",
          "Show StatusBar",
          "memory banks 1 and 2",
          "additions and subtractions only",
          "item count",
          "date",
          "Num Lock",
          "Show Stopwatch",
          "Options",
          "Adding Machine Mode",
          "sign is entered after the number",
          "repeats the last entry",
          "'M'=0",
          "'P' = multiply",
          "Exit",
          "dragging",
          "remembers the size",
          "Keep Tape Between Sessions"}},
        {220,
         {"Copy", "clipboard", "Paste", "Right-click on the tape", "Shift + F10", "Copy Line",
          "last line that has something on it", "Copy Tape", "Export as CSV..."}},
        {230,
         {"Digit Grouping", "thousands separator", "does not accept", "Floating", "4 Decimal",
          "Auto Decimal", "Keep Tape Between Sessions", "Tallymax.tape",
          "Only one Tallymax window"}},
        {240, {"Help Topics", "Keyboard Equivalents", "About"}},
        {310, {"0-9", "A-F", "F9", "main keyboard's 0 divides"}},
        {320, {"Shift + =", "Enter", "Div0 Error", "/ adds"}},
        {330, {"Backspace", "Delete", "Esc", "Shift + Esc"}},
        {340, {"MS", "M+", "MR", "MC", "2nd", "settings file"}},
        {350,
         {"1/x", "Keyboard: r", "+Tax", "Keyboard: t", "Chg", "Keyboard: g", "Up Arrow", "F1",
          "two overlapping windows"}},
        {360,
         {"Area", "Vol", "10 feet long by 10 feet wide and 4 inches deep", "1.24 cu.yards", "Loan",
          "monthly, semi-annually and annually", "20 loan profiles", "Throughput", "4456",
          "NW_Quorvel.dat", "no keyboard keys"}},
        {370,
         {"1. ", "2. Press Cnv", "3. ", "4. Click on the unit the value is in",
          "5. All units of the category are written to the tape"}},
        {380, {"Start", "Lap", "LAP", "Reset", "Space", "no keyboard keys"}},
        {400, {"Dec", "Hex", "Bin", "Oct", "FFFFFFFF", "32 bits", "no keyboard keys"}},
    };
    for (const Case& c : cases) {
        std::string text = HelpTopicText(c.code);
        for (const std::string& part : c.parts)
            EXPECT_TRUE(Contains(text, part)) << "topic " << c.code << " lacks \"" << part << "\"";
    }
    EXPECT_FALSE(Contains(HelpTopicText(210), "not kept unless you save"));
    std::string overview = HelpTopicText(100);
    EXPECT_EQ(SplitLines(overview).back(), "Expand and click on an item for instructions.");
}
