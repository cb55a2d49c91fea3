// What a pasted clipboard text becomes: the display text and the entry it stands for.
#pragma once

#include <string>

struct PastedEntry {
    std::string shown;      // the display text
    std::string entryText;  // the calculator's entry for it
};

// In decimal mode (numberMode 10 or below) blanks, tabs and line breaks around the
// text and one leading currency sign ("$", and the Windows-1252 "€", "£", "¥") are
// dropped. What is left is shown as it stands when all of it reads as a number
// (commas only between integer digits); otherwise the display shows the value that
// is used instead, as ValueText writes it with 15 digits, so that what is shown is
// always what counts. The entry is that value's 15-digit text with a blank in front
// of a non-negative number. In Hex, Bin and Oct only the system's digits are taken
// (hex letters in capitals); the display and the entry are exactly those digits.
PastedEntry ReadPastedText(const std::string& text, unsigned char numberMode);

// True when all of `text` is one decimal number as ParseNumber reads it: a sign,
// digits with one point, an exponent; commas allowed between integer digits.
bool IsCompleteNumber(const std::string& text);
