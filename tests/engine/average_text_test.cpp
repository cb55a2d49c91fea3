#include "engine/average_text.h"

#include <gtest/gtest.h>

#include "engine/calc_state.h"

namespace {

TEST(AverageText, PrefixSuffixAndCommasGoByPattern) {
    struct Case {
        const char* text;
        unsigned char mode;
        long double value;
    } cases[] = {
        {" AVG = 5A (Hex)", kModeHex, 90},
        {" AVG = ABCDEF (Hex)", kModeHex, 11259375},
        {" AVG = 1011010 (Bin)", kModeBin, 90},
        {" AVG = 132 (Oct)", kModeOct, 90},
        {" AVG = 1,234.56", kModeFloating, 1234.56L},
        {" AVG = -2.50", 2, -2.5L},
        {" Avg = 0.00", kModeFloating, 0},
        {" AVG = n/a", kModeFloating, 0},
        {" AVG = n/a", kModeHex, 0},
        {"", kModeHex, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadAverageText(c.text, c.mode), c.value)
            << "\"" << c.text << "\" mode " << int(c.mode);
}

}  // namespace
