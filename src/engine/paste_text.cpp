#include "engine/paste_text.h"

#include "engine/calc_state.h"
#include "engine/number_text.h"

namespace {

const char kBlanks[] = " \t\r\n";

// "€" is 0x80 in Windows-1252, "£" 0xA3 and "¥" 0xA5.
bool IsCurrencySign(char c) {
    return c == '$' || c == '\x80' || c == '\xA3' || c == '\xA5';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::string WithoutCurrencySign(const std::string& text) {
    if (text.empty() || !IsCurrencySign(text[0])) return text;
    return Trimmed(text.substr(1));
}

int DigitOfSystem(char c, unsigned char numberMode) {
    int value = IsDigit(c)               ? c - '0'
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                         : -1;
    int base = numberMode == kModeHex ? 16 : numberMode == kModeBin ? 2 : 8;
    return value < base ? value : -1;
}

}  // namespace

bool IsCompleteNumber(const std::string& text) {
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
    bool digits = false;
    for (; i < n && (IsDigit(text[i]) || text[i] == ','); ++i) {
        if (text[i] == ',' && (!digits || i + 1 >= n || !IsDigit(text[i + 1]))) return false;
        digits = digits || IsDigit(text[i]);
    }
    if (i < n && text[i] == '.') {
        for (++i; i < n && IsDigit(text[i]); ++i) digits = true;
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
        if (i >= n || !IsDigit(text[i])) return false;
        while (i < n && IsDigit(text[i])) ++i;
    }
    return i == n;
}

PastedEntry ReadPastedText(const std::string& text, unsigned char numberMode) {
    PastedEntry entry;
    if (!IsDecimalMode(numberMode)) {
        for (char c : text) {
            int digit = DigitOfSystem(c, numberMode);
            if (digit >= 0) entry.shown += "0123456789ABCDEF"[digit];
        }
        entry.entryText = entry.shown;
        return entry;
    }
    std::string cleaned = WithoutCurrencySign(Trimmed(text));
    long double value = ParseNumber(WithoutCommas(cleaned));
    std::string valueText = ValueText(value, 15);
    entry.shown = IsCompleteNumber(cleaned) ? WithZeroBeforePoint(cleaned) : valueText;
    entry.entryText = (value < 0 ? "" : " ") + valueText;
    return entry;
}
