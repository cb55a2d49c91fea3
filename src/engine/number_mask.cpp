// FormatNumber: picture masks such as "#,.00", "$#,###,###.00", "0.00%" and "00".
#include <cmath>

#include "engine/number_digits.h"
#include "engine/number_text.h"

namespace {

struct Picture {
    std::string prefix;     // copied characters before the first digit position
    std::string suffix;     // every other copied character, in mask order
    int integerZeros = 0;   // integer digits always shown ("0" positions and after)
    int decimals = 0;       // digit positions after the point
    int fractionZeros = 0;  // fraction digits always shown (up to the last "0")
    bool grouping = false;  // "," among the integer positions
    bool point = false;
    bool percent = false;
};

Picture ReadPicture(const std::string& mask) {
    Picture p;
    bool started = false;  // a digit position, point or separator has been seen
    bool zeroSeen = false;
    for (char c : mask) {
        if ((c == '0' || c == '#') && !p.point) {
            if (c == '0') zeroSeen = true;
            if (zeroSeen) ++p.integerZeros;
            started = true;
        } else if ((c == '0' || c == '#') && p.point) {
            ++p.decimals;
            if (c == '0') p.fractionZeros = p.decimals;
        } else if (c == '.' && !p.point) {
            p.point = true;
            started = true;
        } else if (c == ',' && !p.point) {
            p.grouping = true;
            started = true;
        } else {
            if (c == '%') p.percent = true;
            (started ? p.suffix : p.prefix) += c;
        }
    }
    return p;
}

std::string Grouped(const std::string& digits) {
    std::string out;
    const size_t n = digits.size();
    for (size_t k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0) out += ',';
        out += digits[k];
    }
    return out;
}

}  // namespace

// "%" moves the decimal digits two places rather than multiplying the binary value,
// so that 0.055 (stored a hair above or below) is exactly 5.50%.
std::string FormatNumber(long double x, const std::string& mask) {
    if (!std::isfinite(x)) return ValueText(x, 18);
    const Picture p = ReadPicture(mask);
    DecimalDigits d = DecimalExpansion(x, 18);
    if (p.percent && !d.digits.empty()) d.pointPlace += 2;
    d = RoundToDecimals(d, p.decimals);

    const int count = static_cast<int>(d.digits.size());
    auto digitAt = [&](long k) { return (k >= 0 && k < count) ? d.digits[k] : '0'; };

    std::string integer;
    for (long k = 0; k < d.pointPlace; ++k) integer += digitAt(k);
    if (static_cast<int>(integer.size()) < p.integerZeros) {
        integer.insert(0, p.integerZeros - integer.size(), '0');
    }
    if (p.grouping) integer = Grouped(integer);

    std::string fraction;
    for (int j = 0; j < p.decimals; ++j) fraction += digitAt(static_cast<long>(d.pointPlace) + j);
    while (static_cast<int>(fraction.size()) > p.fractionZeros && fraction.back() == '0') {
        fraction.pop_back();
    }

    // A point with nothing before it reads as no point on paper (".4" as "4"), and a
    // point with nothing after it as a typo: a value below 1 keeps its "0", and a point
    // is written only in front of fraction digits.
    if (integer.empty()) integer = "0";
    std::string text = (x < 0 && !d.digits.empty()) ? "-" : "";
    text += p.prefix + integer;
    if (p.point && !fraction.empty()) text += "." + fraction;
    return text + p.suffix;
}
