#include "engine/average_text.h"

#include "engine/calc_state.h"
#include "engine/number_text.h"
#include "engine/shown_number.h"

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

size_t SkipBlanks(const std::string& text, size_t i) {
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

// Position after a leading "AVG =" with its blanks, or 0 when the text has none.
size_t AfterLabel(const std::string& text) {
    size_t i = SkipBlanks(text, 0);
    const char label[] = "AVG";
    for (const char* p = label; *p; ++p, ++i)
        if (i >= text.size() || Upper(text[i]) != *p) return 0;
    i = SkipBlanks(text, i);
    if (i >= text.size() || text[i] != '=') return 0;
    return SkipBlanks(text, i + 1);
}

const char* ReadPrefix(unsigned char numberMode) {
    switch (numberMode) {
        case kModeHex:
            return "&H0";
        case kModeBin:
            return "&B0";
        case kModeOct:
            return "&Q0";
        default:
            return "";
    }
}

}  // namespace

long double ReadAverageText(const std::string& text, unsigned char numberMode) {
    std::string value = text.substr(AfterLabel(text));
    const std::string suffix = SystemSuffix(numberMode);
    size_t end = value.find_last_not_of(' ');
    value.erase(end == std::string::npos ? 0 : end + 1);
    if (!suffix.empty() && value.size() >= suffix.size() &&
        value.compare(value.size() - suffix.size(), suffix.size(), suffix) == 0)
        value.erase(value.size() - suffix.size());
    value = WithoutCommas(value);
    if (IsDecimalMode(numberMode)) return ParseNumber(value);
    // The digits must follow the base prefix directly.
    size_t first = value.find_first_not_of(' ');
    return ParseNumber(ReadPrefix(numberMode) +
                       (first == std::string::npos ? "" : value.substr(first)));
}
