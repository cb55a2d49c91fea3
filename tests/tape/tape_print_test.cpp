#include "tape/tape_print.h"

#include <gtest/gtest.h>

#include "engine/recording_view.h"
#include "recording_printer.h"

namespace {

constexpr uint32_t kRed = 0x0000FF;

struct PrintedTape {
    RecordingView view;
    Calculator calc;
    PrintedTape(std::vector<std::string> lines, int linesPerPage) : printer(linesPerPage) {
        view.tape = std::move(lines);
        calc.view = &view;
        PrintTapeLayout(calc, ReportClock{2026, 12, 9, 14, 5, 7}, printer);
    }
    RecordingPrinter printer;
};

}  // namespace

TEST(TapePrint, HeaderSpacersAndAlignedLinesInRedWhereNegative) {
    PrintedTape t({"2  ", "5 -", "-3 ="}, 60);
    std::string header = std::string(30, ' ') + "Tape Report (12-09-2026 at 14:05:07)";
    std::vector<std::vector<std::string>> expected = {{header, "", "", std::string(27, ' ') + "2  ",
                                                       std::string(27, ' ') + "5 -",
                                                       std::string(26, ' ') + "-3 ="}};
    EXPECT_EQ(t.printer.PageTexts(), expected);
    const RecordingPrinter::Page& page = t.printer.pages[0];
    EXPECT_NE(page[0][0].ink, kRed) << "header";
    EXPECT_NE(page[3][0].ink, kRed) << "2";
    EXPECT_EQ(page[4][0].ink, kRed) << "5 -";
    EXPECT_EQ(page[5][0].ink, kRed) << "-3 =";
}

TEST(TapePrint, ANewPageWhenTheNextLineDoesNotFit) {
    std::vector<std::string> tape;
    for (int i = 1; i <= 10; ++i) tape.push_back(std::to_string(i) + " +");
    PrintedTape t(tape, 5);  // header and two spacers, then 2 lines on page 1
    auto pages = t.printer.PageTexts();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 5u);
    EXPECT_EQ(pages[1].size(), 5u);
    EXPECT_EQ(pages[2].size(), 3u);
    EXPECT_EQ(pages[1][0], std::string(27, ' ') + "3 +");
    EXPECT_EQ(pages[2][2], std::string(26, ' ') + "10 +");
}
