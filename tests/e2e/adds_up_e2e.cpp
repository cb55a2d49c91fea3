// The tape adds up on paper in the real program: tax then change in both modes, and a
// column that goes on after the program was killed in its middle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness_win.h"
#include "ui/control_ids.h"

namespace {

const std::string kRule(26, '-');

std::string Settings(const char* calcMode) {
    return std::string(
               "[Main Settings]\r\nDecimal Setting1=2\r\nDecimal Setting2=2\r\n"
               "TaxRate=7.5\r\nCalcMode=") +
           calcMode + "\r\n";
}

TEST(AddsUp, TaxThenChangeInBothModes) {
    struct Flow {
        const char* mode;
        const char* keys;
        std::vector<std::string> tail;
        const char* display;
    };
    const Flow flows[] = {
        {"0",
         "100 + 0 = Tax = 200 Chg",
         {"100.00 Tx", "107.50 +Tx", kRule, "107.50 =", "", "200.00 - 107.50", kRule, "92.50 CH",
          ""},
         "92.50"},
        {"1",
         "100 + 50 + Tax 20 + = 200 Chg",
         {"150.00 Tx", "161.25 +Tx", "20.00 +", kRule, "181.25 =", "", "200.00 - 181.25", kRule,
          "18.75 CH", ""},
         "18.75"},
    };
    for (const Flow& f : flows) {
        TallymaxApp app;
        app.WriteIni(Settings(f.mode));
        ASSERT_TRUE(app.Start());
        app.Press(f.keys);
        std::vector<std::string> tape = app.Tape();
        ASSERT_GE(tape.size(), f.tail.size());
        EXPECT_EQ(std::vector<std::string>(tape.end() - f.tail.size(), tape.end()), f.tail)
            << "CalcMode " << f.mode;
        EXPECT_EQ(app.Display(), f.display);
    }
}

TEST(AddsUp, AKilledColumnGoesOnWhereItStopped) {
    TallymaxApp app;
    app.WriteIni(Settings("1"));
    ASSERT_TRUE(app.Start());
    app.Press("111.11 + 222.22 + 333.33 +");
    const std::string average = app.Text(kIdStatusAverage);
    app.Kill();

    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.Display(), "666.66");
    EXPECT_EQ(app.Text(kIdStatusItems), "  3 Items");
    EXPECT_EQ(app.Text(kIdStatusAverage), average);
    app.Press("444.44 + =");
    EXPECT_EQ(app.Tape(), (std::vector<std::string>{"111.11 +", "222.22 +", "333.33 +", "444.44 +",
                                                    kRule, "1,111.10 =", ""}));
    EXPECT_EQ(app.Text(kIdStatusItems), "  4 Items");

    // Closed and started again after the total, = repeats it and Chg goes on from it.
    ASSERT_TRUE(app.Close());
    ASSERT_TRUE(app.Start());
    app.Press("1200 Chg");
    std::vector<std::string> tape = app.Tape();
    EXPECT_EQ(tape[tape.size() - 4], "1,200.00 - 1,111.10");
    EXPECT_EQ(tape[tape.size() - 2], "88.90 CH");
}

}  // namespace
