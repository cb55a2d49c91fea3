// The parts of the keypad button's look that need no window: which colour a
// caption is drawn in, which of the five drawing states applies, and where the
// image and the caption go inside the button.
#pragma once

#include <cstdint>
#include <string>

// Caption colours of the three configurable key groups, as red + 256 * green +
// 65536 * blue (the values of "Group 1 Color" .. "Group 3 Color").
struct KeyGroupColors {
    uint32_t group1 = 16711680;  // blue
    uint32_t group2 = 255;       // red
    uint32_t group3 = 16711935;  // magenta
};

// "Feed" and "Help" are always brown.
inline constexpr uint32_t kKeyGroup4Color = 128 + 256 * 64;

// 1..4 for the captions of the key groups (compared byte for byte), 0 otherwise.
int KeyGroupOfCaption(const std::string& caption);

// The caption's group colour, or `otherColor` for a caption outside the groups.
uint32_t CaptionColor(const std::string& caption, const KeyGroupColors& colors,
                      uint32_t otherColor);

// Drawing states; the numbers are the visual style's push-button states.
enum ButtonDrawState : int {
    kDrawNormal = 1,
    kDrawHot = 2,
    kDrawPressed = 3,
    kDrawDisabled = 4,
    kDrawDefault = 5,
};

struct ButtonCondition {
    bool held = false;  // mouse button or Space/Enter held down on it
    bool enabled = true;
    bool focused = false;
    bool hot = false;  // pointer over it
    bool toggleStyle = false;
    bool toggleState = false;
};

ButtonDrawState ChooseDrawState(const ButtonCondition& c);

// Where the image stands against the caption. With kImageOnly, or when image and
// caption do not fit together, only the image is drawn (the caption stays the
// window text, for tooltips and the keyboard map).
enum ImagePosition : int {
    kImageLeft = 0,
    kImageTop = 1,
    kImageRight = 2,
    kImageBottom = 3,
    kImageOnly = 4,
};

struct ButtonBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct ButtonLayoutInput {
    ButtonBox content;                    // inside the button's edge
    int imageWidth = 0, imageHeight = 0;  // 0: no image
    int imagePosition = kImageLeft;
    int imageMargin = 0;                // gap between image and caption
    int textMargin = 0;                 // kept free at both ends of the caption's room
    int textWidth = 0, textHeight = 0;  // extent of the caption; 0 wide: no caption
};

struct ButtonLayout {
    bool showImage = false;
    ButtonBox image;  // the image's box; it is shrunk to fit the content
    bool showText = false;
    ButtonBox text;  // the room the caption is centred in
};

ButtonLayout LayOutButton(const ButtonLayoutInput& in);
