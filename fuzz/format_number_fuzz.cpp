// FormatNumber through every mask of the program: the text reads back as the value
// rounded to the mask's decimals, with as many decimals as the mask asks for and the
// integer part grouped by threes where the mask groups.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/number_text.h"
#include "fuzz_input.h"

namespace {

const char* const kMasks[] = {
    "#,.00",
    "###,###,###,###.####",
    "$#,###,###.00",
    "0.00%",
    "00",
    "0000",
    "###########0.0",
    "###########0.00",
    "###########0.000",
    "###########0.0000",
    "###########0.##########",
    "0.00##%",
    "###,###,###",
};

struct MaskShape {
    int minDecimals = 0, maxDecimals = 0;
    bool groups = false, percent = false;
};

MaskShape ShapeOf(const std::string& mask) {
    MaskShape s;
    size_t point = mask.find('.');
    s.percent = mask.find('%') != std::string::npos;
    s.groups = mask.substr(0, point).find(',') != std::string::npos;
    if (point != std::string::npos)
        for (size_t i = point + 1; i < mask.size(); ++i) {
            if (mask[i] == '0') ++s.minDecimals;
            if (mask[i] == '0' || mask[i] == '#') ++s.maxDecimals;
        }
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const std::string mask = kMasks[in.Byte() % (sizeof kMasks / sizeof kMasks[0])];
    long double x = in.Plain<long double>();
    if (!std::isfinite(x) || std::fabs(x) > 1e30L) return 0;
    std::string text = FormatNumber(x, mask);
    MaskShape shape = ShapeOf(mask);

    std::string plain;
    for (char c : text)
        if (c != '$' && c != '%' && c != ',') plain += c;
    long double scaled = shape.percent ? x * 100 : x;
    long double unit = std::pow(10.0L, -shape.maxDecimals);
    long double back = ParseNumber(plain);
    long double slack = unit / 2 + std::fabs(scaled) * 1e-17L;
    FUZZ_CHECK(std::fabs(back - scaled) <= slack, "reads back as the rounded value");

    size_t point = text.find('.');
    size_t digitsAfter = 0;
    if (point != std::string::npos)
        for (size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            ++digitsAfter;
    FUZZ_CHECK(static_cast<int>(digitsAfter) >= shape.minDecimals &&
                   static_cast<int>(digitsAfter) <= shape.maxDecimals,
               "decimals as the mask asks");
    if (shape.maxDecimals == 0)
        FUZZ_CHECK(point == std::string::npos || point + 1 == text.size() ||
                       text[point + 1] < '0' || text[point + 1] > '9',
                   "no decimals");

    // Grouping: between the first digit and the point, a "," after every three digits
    // counted from the point, and nowhere else.
    size_t end = point == std::string::npos ? text.find_last_of("0123456789") + 1 : point;
    size_t begin = text.find_first_of("0123456789");
    if (begin == std::string::npos || begin > end) return 0;
    int fromPoint = 0;
    for (size_t i = end; i-- > begin;) {
        char c = text[i];
        if (c == ',') {
            FUZZ_CHECK(shape.groups && fromPoint > 0 && fromPoint % 3 == 0, "comma place");
            continue;
        }
        FUZZ_CHECK(c >= '0' && c <= '9', "only digits in the integer part");
        if (shape.groups && fromPoint > 0 && fromPoint % 3 == 0)
            FUZZ_CHECK(text[i + 1] == ',', "a comma after three digits");
        ++fromPoint;
    }
    return 0;
}
