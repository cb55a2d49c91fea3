#include "ui/caption_mnemonics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CaptionMnemonics, MarksGoAndDoubledAmpersandsStay) {
    const struct {
        const char* caption;
        const char* plain;
    } cases[] = {
        {"", ""},        {"7", "7"},       {"&Help", "Help"}, {"Sa&ve", "Save"},
        {"A&&B", "A&B"}, {"&&&x", "&x"},   {"End&", "End"},   {"&", ""},
        {"&&", "&"},     {"\xF7", "\xF7"}, {"a&b&c", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaptionWithoutMnemonics(c.caption), c.plain) << "caption \"" << c.caption << "\"";
}

}  // namespace
