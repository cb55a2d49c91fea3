// Pasted texts: what the user sees must always be what the calculator counts.
#include "engine/paste_text.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/calc_state.h"
#include "engine/number_text.h"

namespace {

TEST(PastedText, DecimalTextIsCleanedAndShownAsItCounts) {
    struct Case {
        const char* clipboard;
        const char* shown;
        const char* entry;
    } cases[] = {
        {" $12.50", "12.50", " 12.5"},
        {"$ 12.50", "12.50", " 12.5"},
        {"\x80"
         "5",
         "5", " 5"},  // euro sign, Windows-1252
        {"\xA3"
         "7.25",
         "7.25", " 7.25"},  // pound
        {"\xA5"
         "1,000",
         "1,000", " 1000"},  // yen
        {"\t1,234.5\r\n", "1,234.5", " 1234.5"},
        {"-2.5", "-2.5", "-2.5"},
        {"+3", "+3", " 3"},
        {"1e3", "1e3", " 1000"},
        {".5", "0.5", " 0.5"},
        {"hello", "0", " 0"},
        {"", "0", " 0"},
        {"12.50 USD", "12.5", " 12.5"},
        {"$$5", "0", " 0"},  // one sign only
        {"1,234,", "1234", " 1234"},
        {",5", "5", " 5"},  // the commas go, as the display is read
        {"1.2,5", "1.25", " 1.25"},
        {"1..5", "1", " 1"},
        {"12\r\n34", "12", " 12"},
        {"1234567890123456789", "1234567890123456789", " 1.23456789012346E+18"},
    };
    for (const auto& c : cases) {
        PastedEntry e = ReadPastedText(c.clipboard, kModeFloating);
        EXPECT_EQ(e.shown, c.shown) << "clipboard \"" << c.clipboard << "\"";
        EXPECT_EQ(e.entryText, c.entry) << "clipboard \"" << c.clipboard << "\"";
        // Whatever is shown reads as the entry's value.
        EXPECT_EQ(ValueText(ParseNumber(WithoutCommas(e.shown)), 15),
                  ValueText(ParseNumber(e.entryText), 15))
            << "clipboard \"" << c.clipboard << "\"";
    }
}

TEST(PastedText, OtherSystemsTakeOnlyTheirDigits) {
    struct Case {
        unsigned char mode;
        const char* clipboard;
        const char* shown;
    } cases[] = {
        {kModeHex, " ff\r\n", "FF"}, {kModeHex, "0x1F", "01F"}, {kModeHex, "hello", "E"},
        {kModeBin, "1021", "101"},   {kModeOct, "789", "7"},    {kModeOct, "", ""},
    };
    for (const auto& c : cases) {
        PastedEntry e = ReadPastedText(c.clipboard, c.mode);
        EXPECT_EQ(e.shown, c.shown) << "mode " << int(c.mode) << " \"" << c.clipboard << "\"";
        EXPECT_EQ(e.entryText, c.shown) << "mode " << int(c.mode) << " \"" << c.clipboard << "\"";
    }
}

}  // namespace
