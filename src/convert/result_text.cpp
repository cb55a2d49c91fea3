#include "convert/result_text.h"

#include <cmath>
#include <cstddef>

#include "engine/number_text.h"

namespace {

const char kResultMask[] = "###,###,###,###.####";
constexpr int kMostDecimals = 15;
constexpr int kSignificantDigits = 4;

}  // namespace

std::string ResultText(long double value) {
    std::string text = FormatNumber(value, kResultMask);
    if (value == 0 || !std::isfinite(value) || ParseNumber(WithoutCommas(text)) != 0) return text;
    // As many decimals as four significant digits take, within the most there are.
    for (int decimals = 5; decimals <= kMostDecimals; ++decimals) {
        std::string digits = FormatNumber(value, "0." + std::string(decimals, '0'));
        size_t first = digits.find_first_of("123456789");
        bool last = decimals == kMostDecimals;
        if (first == std::string::npos && !last) continue;
        if (first != std::string::npos && digits.size() - first < kSignificantDigits && !last)
            continue;
        if (first == std::string::npos) break;
        return FormatNumber(value, "0." + std::string(decimals, '#'));
    }
    return ValueText(value, kSignificantDigits);
}
