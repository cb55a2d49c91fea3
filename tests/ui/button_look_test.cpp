#include "ui/button_look.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KeyGroups, CaptionsMapToTheirGroupByExactText) {
    struct Case {
        std::string caption;
        int group;
    } cases[] = {
        {"0", 1},     {"9", 1},     {"A", 1},
        {"F", 1},     {"+/-", 1},   {".", 1},
        {"Back", 2},  {"Clear", 2}, {"CE", 2},
        {"CT", 2},    {"\xF7", 2},  {"\xD7", 2},
        {"=", 2},     {"%", 2},     {"-", 2},
        {"+Tax", 2},  {"Chg", 2},   {"M+", 2},
        {"MS", 2},    {"MR", 2},    {"2nd", 2},
        {"MC", 2},    {"1/x", 2},   {"+", 2},
        {"Start", 2}, {"Stop", 2},  {"Lap", 2},
        {"Reset", 2}, {"Cnv", 3},   {"Area", 3},
        {"Vol", 3},   {"Cem", 3},   {"Loan", 3},
        {"Feed", 4},  {"Help", 4},  {"XPButton", 0},
        {"[O]", 0},   {"", 0},      {"G", 0},
        {"a", 0},     {"back", 0},  {" 5", 0},
        {"5 ", 0},    {"10", 0},    {"*", 0},
        {"/", 0},     {"x", 0},     {"Mem2", 0},
        {"Help ", 0}, {"+Ta", 0},   {std::string("1\0", 2), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyGroupOfCaption(c.caption), c.group) << "caption \"" << c.caption << "\"";
}

TEST(KeyGroups, CaptionColourComesFromItsGroup) {
    KeyGroupColors colors;
    colors.group1 = 0x111111;
    colors.group2 = 0x222222;
    colors.group3 = 0x333333;
    const uint32_t other = 0x0A0B0C;
    EXPECT_EQ(CaptionColor("7", colors, other), 0x111111u);
    EXPECT_EQ(CaptionColor("\xF7", colors, other), 0x222222u);
    EXPECT_EQ(CaptionColor("Loan", colors, other), 0x333333u);
    EXPECT_EQ(CaptionColor("Feed", colors, other), 128u + 256u * 64u);  // brown, not settable
    EXPECT_EQ(CaptionColor("XPButton", colors, other), other);
}

TEST(KeyGroups, DefaultColoursAreBlueRedMagenta) {
    KeyGroupColors colors;
    EXPECT_EQ(colors.group1, 16711680u);
    EXPECT_EQ(colors.group2, 255u);
    EXPECT_EQ(colors.group3, 16711935u);
}

TEST(DrawState, LaterRulesOverrideEarlierOnes) {
    struct Case {
        const char* name;
        ButtonCondition c;
        ButtonDrawState expected;
    } cases[] = {
        {"plain", {}, kDrawNormal},
        {"held", {true, true, false, false, false, false}, kDrawPressed},
        {"disabled", {false, false, false, false, false, false}, kDrawDisabled},
        {"held but disabled", {true, false, false, false, false, false}, kDrawDisabled},
        {"focused", {false, true, true, false, false, false}, kDrawDefault},
        {"hot", {false, true, false, true, false, false}, kDrawHot},
        {"hot beats focused", {false, true, true, true, false, false}, kDrawHot},
        {"held beats hot", {true, true, true, true, false, false}, kDrawPressed},
        {"disabled is never hot", {false, false, false, true, false, false}, kDrawDisabled},
        {"latched", {false, true, false, false, true, true}, kDrawPressed},
        {"latched and hot", {false, true, true, true, true, true}, kDrawPressed},
        {"latched and disabled", {false, false, false, false, true, true}, kDrawPressed},
        {"toggle state without style", {false, true, false, false, false, true}, kDrawNormal},
        {"toggle style released", {false, true, false, true, true, false}, kDrawHot},
    };
    for (const Case& k : cases) EXPECT_EQ(ChooseDrawState(k.c), k.expected) << k.name;
}

ButtonLayoutInput Input(int imageW, int imageH, int position, int textW, int textH) {
    ButtonLayoutInput in;
    in.content = {2, 2, 62, 22};  // 60 x 20
    in.imageWidth = imageW;
    in.imageHeight = imageH;
    in.imagePosition = position;
    in.imageMargin = 4;
    in.textWidth = textW;
    in.textHeight = textH;
    return in;
}

void ExpectBox(const ButtonBox& b, int l, int t, int r, int bo, const char* what) {
    EXPECT_EQ(b.left, l) << what;
    EXPECT_EQ(b.top, t) << what;
    EXPECT_EQ(b.right, r) << what;
    EXPECT_EQ(b.bottom, bo) << what;
}

TEST(Layout, CaptionAloneUsesTheContentLessTextMargins) {
    ButtonLayoutInput in = Input(0, 0, kImageLeft, 20, 13);
    in.textMargin = 5;
    ButtonLayout out = LayOutButton(in);
    EXPECT_FALSE(out.showImage);
    EXPECT_TRUE(out.showText);
    ExpectBox(out.text, 7, 2, 57, 22, "text");
    // a caption wider than the button is still drawn (centred and clipped)
    EXPECT_TRUE(LayOutButton(Input(0, 0, kImageLeft, 200, 13)).showText);
    EXPECT_FALSE(LayOutButton(Input(0, 0, kImageLeft, 0, 0)).showText);
}

TEST(Layout, ImageBesideCaptionIsCentredAsOneGroup) {
    // 16 + 4 + 20 = 40 wide in 60: starts at 2 + 10
    ButtonLayout left = LayOutButton(Input(16, 16, kImageLeft, 20, 13));
    ASSERT_TRUE(left.showImage && left.showText);
    ExpectBox(left.image, 12, 4, 28, 20, "image left");
    ExpectBox(left.text, 32, 2, 52, 22, "text right of image");
    ButtonLayout right = LayOutButton(Input(16, 16, kImageRight, 20, 13));
    ExpectBox(right.text, 12, 2, 32, 22, "text left of image");
    ExpectBox(right.image, 36, 4, 52, 20, "image right");
}

TEST(Layout, ImageAboveOrBelowTheCaption) {
    ButtonLayoutInput in = Input(8, 4, kImageTop, 20, 10);  // 4 + 4 + 10 = 18 high in 20
    ButtonLayout top = LayOutButton(in);
    ASSERT_TRUE(top.showImage && top.showText);
    ExpectBox(top.image, 28, 3, 36, 7, "image top");
    ExpectBox(top.text, 2, 11, 62, 21, "text under image");
    in.imagePosition = kImageBottom;
    ButtonLayout bottom = LayOutButton(in);
    ExpectBox(bottom.text, 2, 3, 62, 13, "text over image");
    ExpectBox(bottom.image, 28, 17, 36, 21, "image bottom");
}

TEST(Layout, ImageAloneWhenBothDoNotFitOrAsked) {
    struct Case {
        const char* name;
        ButtonLayoutInput in;
    } cases[] = {
        {"too wide beside", Input(16, 16, kImageLeft, 41, 13)},
        {"too high stacked", Input(16, 16, kImageTop, 20, 13)},
        {"image only", Input(16, 16, kImageOnly, 20, 13)},
        {"no caption", Input(16, 16, kImageRight, 0, 0)},
        {"unknown position", Input(16, 16, 99, 20, 13)},
    };
    for (const Case& c : cases) {
        ButtonLayout out = LayOutButton(c.in);
        EXPECT_TRUE(out.showImage) << c.name;
        EXPECT_FALSE(out.showText) << c.name;
        ExpectBox(out.image, 24, 4, 40, 20, c.name);
    }
}

TEST(Layout, LargeImageShrinksToTheContentKeepingItsShape) {
    ButtonLayout out = LayOutButton(Input(48, 32, kImageOnly, 0, 0));  // 48x32 -> 30x20
    ExpectBox(out.image, 17, 2, 47, 22, "wide image");
    ButtonLayoutInput tall = Input(10, 40, kImageOnly, 0, 0);  // -> 5x20
    ExpectBox(LayOutButton(tall).image, 29, 2, 34, 22, "tall image");
    ButtonLayoutInput none = Input(16, 16, kImageLeft, 10, 10);
    none.content = {5, 5, 5, 5};  // a button with no room at all
    EXPECT_FALSE(LayOutButton(none).showImage);
}

}  // namespace
