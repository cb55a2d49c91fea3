// ValueText writes what ParseNumber reads back within half a unit of its last digit,
// in the documented forms.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/number_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    long double x = in.Plain<long double>();
    int digits = 1 + in.Byte() % 18;
    if (!std::isfinite(x)) {
        std::string text = ValueText(x, digits);
        FUZZ_CHECK(std::isnan(x) ? text == "NaN" : ParseNumber(text) == x, "words");
        return 0;
    }
    std::string text = ValueText(x, digits);
    FUZZ_CHECK(!text.empty() && text.size() <= 30, "length");
    size_t e = text.find('E');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        FUZZ_CHECK(mantissa.back() != '0' && mantissa.back() != '.', "no trailing zeros or point");
    }
    size_t significant = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++significant;
    }
    if (e == std::string::npos) {
        // A plain integer may carry zeros of its place; count only up to them.
        size_t point = mantissa.find('.');
        if (point == std::string::npos) {
            size_t last = mantissa.find_last_not_of('0');
            significant -= mantissa.size() - 1 - (last == std::string::npos ? 0 : last);
        }
    }
    FUZZ_CHECK(significant <= static_cast<size_t>(digits), "at most `digits` significant digits");
    long double back = ParseNumber(text);
    if (x == 0) {
        FUZZ_CHECK(back == 0, "zero");
        return 0;
    }
    // Rounding to `digits` moves a value by at most half a unit of its last place.
    long double bound = std::fabs(x) * 0.5L * std::pow(10.0L, 1 - digits) * (1 + 1e-15L);
    if (std::isinf(back)) return 0;  // the largest values round up past the range
    FUZZ_CHECK(std::fabs(back - x) <= bound || std::fabs(x) < 1e-4930L, "read back within bound");
    return 0;
}
