// ParseNumber against a plain reading of its grammar: the leading decimal token is cut
// out by the rules and handed to the C library's reader.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/number_text.h"
#include "fuzz_input.h"

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// The value the grammar gives `text`, and whether it is the "&H/&B/&Q" form.
long double Reference(const std::string& text, bool& prefixed) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    prefixed = i + 1 < text.size() && text[i] == '&';
    if (prefixed) {
        int base = 0;
        switch (text[i + 1]) {
            case 'H':
            case 'h':
                base = 16;
                break;
            case 'B':
            case 'b':
                base = 2;
                break;
            case 'Q':
            case 'q':
                base = 8;
                break;
            default:
                return 0;
        }
        std::string digits;
        for (size_t k = i + 2; k < text.size(); ++k) {
            char c = text[k];
            int v = Digit(c)                 ? c - '0'
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                             : 99;
            if (v >= base) break;
            digits += c;
        }
        if (digits.empty()) return 0;
        return static_cast<long double>(std::strtoull(digits.c_str(), nullptr, base));
    }
    std::string token;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) token += text[i++];
    if (text.compare(i, 8, "Infinity") == 0) return token == "-" ? -HUGE_VALL : HUGE_VALL;
    bool any = false;
    for (; i < text.size() && Digit(text[i]); ++i, any = true) token += text[i];
    if (i < text.size() && text[i] == '.') {
        token += text[i++];
        for (; i < text.size() && Digit(text[i]); ++i, any = true) token += text[i];
    }
    if (!any) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        size_t k = i + 1;
        std::string exponent = "e";
        if (k < text.size() && (text[k] == '-' || text[k] == '+')) exponent += text[k++];
        size_t first = k;
        for (; k < text.size() && Digit(text[k]); ++k) exponent += text[k];
        if (k > first) token += exponent;
    }
    return std::strtold(token.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    std::string text = in.Rest();
    bool prefixed = false;
    long double expected = Reference(text, prefixed);
    long double got = ParseNumber(text);
    FUZZ_CHECK(!std::isnan(got), "never NaN");
    FUZZ_CHECK(!(got == 0 && std::signbit(got)), "zero is never negative");
    if (prefixed) {
        // Up to 64 bits the integer is exact; beyond, it may lose its last bits.
        long double tolerance = std::fabs(expected) * 1e-15L;
        if (std::isinf(expected) || expected >= 1.8e19L) return 0;
        FUZZ_CHECK(std::fabs(got - expected) <= tolerance, "prefixed integer");
        return 0;
    }
    if (std::isinf(expected) && std::fabs(got) == LDBL_MAX) return 0;  // its own 18-digit text
    FUZZ_CHECK(got == expected, "decimal value as the C library reads the token");
    return 0;
}
