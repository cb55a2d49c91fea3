#include "ui/button_look.h"

#include <algorithm>

namespace {

const char* const kGroup1[] = {"0", "1", "2", "3", "4", "5", "6", "7",   "8",
                               "9", "A", "B", "C", "D", "E", "F", "+/-", "."};
const char* const kGroup2[] = {"Back", "Clear", "CE",    "CT",   "\xF7", "\xD7", "=",   "%",
                               "-",    "+Tax",  "Chg",   "M+",   "MS",   "MR",   "2nd", "MC",
                               "1/x",  "+",     "Start", "Stop", "Lap",  "Reset"};
const char* const kGroup3[] = {"Cnv", "Area", "Vol", "Cem", "Loan"};
const char* const kGroup4[] = {"Feed", "Help"};

template <size_t N>
bool IsOneOf(const std::string& caption, const char* const (&names)[N]) {
    return std::find(std::begin(names), std::end(names), caption) != std::end(names);
}

}  // namespace

int KeyGroupOfCaption(const std::string& caption) {
    if (IsOneOf(caption, kGroup1)) return 1;
    if (IsOneOf(caption, kGroup2)) return 2;
    if (IsOneOf(caption, kGroup3)) return 3;
    if (IsOneOf(caption, kGroup4)) return 4;
    return 0;
}

uint32_t CaptionColor(const std::string& caption, const KeyGroupColors& colors,
                      uint32_t otherColor) {
    switch (KeyGroupOfCaption(caption)) {
        case 1:
            return colors.group1;
        case 2:
            return colors.group2;
        case 3:
            return colors.group3;
        case 4:
            return kKeyGroup4Color;
        default:
            return otherColor;
    }
}

ButtonDrawState ChooseDrawState(const ButtonCondition& c) {
    ButtonDrawState state = kDrawNormal;
    if (c.held) state = kDrawPressed;
    if (!c.enabled) state = kDrawDisabled;
    if (state == kDrawNormal) {
        if (c.focused) state = kDrawDefault;
        if (c.hot) state = kDrawHot;
    }
    // A latched toggle button looks pressed whatever else holds, so that the
    // keyboard map's "press" shows on a hot or focused key as well.
    if (c.toggleStyle && c.toggleState) state = kDrawPressed;
    return state;
}

namespace {

ButtonBox Centred(const ButtonBox& room, int width, int height) {
    int left = room.left + (room.Width() - width) / 2;
    int top = room.top + (room.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace

ButtonLayout LayOutButton(const ButtonLayoutInput& in) {
    ButtonLayout out;
    const ButtonBox& content = in.content;
    ButtonBox room = content;
    room.left += in.textMargin;
    room.right = std::max(room.left, room.right - in.textMargin);
    bool hasText = in.textWidth > 0;

    // An image larger than the button is shrunk to fit, keeping its proportions.
    int w = in.imageWidth, h = in.imageHeight;
    int cw = std::max(content.Width(), 0), ch = std::max(content.Height(), 0);
    if (w > 0 && h > 0 && (w > cw || h > ch)) {
        if (static_cast<long long>(cw) * h < static_cast<long long>(ch) * w) {
            h = static_cast<int>(static_cast<long long>(h) * cw / w);
            w = cw;
        } else {
            w = static_cast<int>(static_cast<long long>(w) * ch / h);
            h = ch;
        }
    }
    if (w <= 0 || h <= 0) {
        out.showText = hasText;
        out.text = room;
        return out;
    }

    out.showImage = true;
    int margin = std::max(in.imageMargin, 0);
    int position = in.imagePosition;
    bool beside = position == kImageLeft || position == kImageRight;
    bool stacked = position == kImageTop || position == kImageBottom;
    if (hasText && beside && w + margin + in.textWidth <= room.Width()) {
        int total = w + margin + in.textWidth;
        int x = room.left + (room.Width() - total) / 2;
        int y = content.top + (ch - h) / 2;
        if (position == kImageLeft) {
            out.image = {x, y, x + w, y + h};
            out.text = {x + w + margin, content.top, x + total, content.bottom};
        } else {
            out.text = {x, content.top, x + in.textWidth, content.bottom};
            out.image = {x + in.textWidth + margin, y, x + total, y + h};
        }
        out.showText = true;
    } else if (hasText && stacked && h + margin + in.textHeight <= ch &&
               in.textWidth <= room.Width()) {
        int total = h + margin + in.textHeight;
        int y = content.top + (ch - total) / 2;
        int x = content.left + (cw - w) / 2;
        if (position == kImageTop) {
            out.image = {x, y, x + w, y + h};
            out.text = {room.left, y + h + margin, room.right, y + total};
        } else {
            out.text = {room.left, y, room.right, y + in.textHeight};
            out.image = {x, y + in.textHeight + margin, x + w, y + total};
        }
        out.showText = true;
    } else {
        out.image = Centred(content, w, h);
    }
    return out;
}
