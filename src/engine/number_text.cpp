#include "engine/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "engine/number_digits.h"

namespace {

// Decimal exponents (of the first significant digit) that ValueText writes plainly.
constexpr int kPlainExponentMin = -10;
constexpr int kPlainExponentMax = 17;

// Significant digits handed on to the decimal reader. A longer tail is replaced by
// one non-zero "sticky" digit: more digits than any halfway point between two
// extended values has, so the rounding stays exact while the work stays bounded.
constexpr size_t kMaxReadDigits = 12000;

// Decimal exponents beyond which a non-zero text is certainly out of range; inside
// them the reader decides.
constexpr int64_t kOverflowPlace = 4940;
constexpr int64_t kUnderflowPlace = -4960;

// A written exponent is read up to this size and held there: far beyond any place a
// text can move it back by its digits, so a huge exponent keeps its meaning, while
// the place count (64 bits; MinGW's long has 32) can never overflow.
constexpr int64_t kExponentCap = 1000000000000000000;  // 1e18

const char kInfinityWord[] = "Infinity";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 99;
}

long double ReadUnsigned(const std::string& text, size_t i, int base) {
    long double value = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        value = value * base + DigitValue(text[i]);
    }
    return value;
}

// Digit strings of equal meaning compare as numbers once padded with zeros.
int CompareDigits(const std::string& a, const std::string& b) {
    size_t n = a.size() > b.size() ? a.size() : b.size();
    for (size_t k = 0; k < n; ++k) {
        char ca = k < a.size() ? a[k] : '0';
        char cb = k < b.size() ? b[k] : '0';
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return 0;
}

// |value| = 0.digits x 10^place; digits without leading or trailing zeros.
long double DigitsToValue(std::string digits, int64_t place) {
    if (digits.empty() || place < kUnderflowPlace) return 0;
    if (place > kOverflowPlace) return HUGE_VALL;
    if (digits.size() > kMaxReadDigits) {
        digits.resize(kMaxReadDigits);
        digits += '1';
    }
    // No decimal point in what strtold sees, so the locale cannot change the reading.
    int64_t scale = place - static_cast<int64_t>(digits.size());
    std::string plain = digits + "e" + std::to_string(scale);
    long double value = std::strtold(plain.c_str(), nullptr);
    if (std::isinf(value)) {
        // The largest value's own 18-digit text lies just above it; it must read back.
        DecimalDigits largest = DecimalExpansion(LDBL_MAX, 18);
        if (place < largest.pointPlace ||
            (place == largest.pointPlace && CompareDigits(digits, largest.digits) <= 0)) {
            value = LDBL_MAX;
        }
    }
    return value;
}

long double ReadDecimal(const std::string& text, size_t i) {
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (text.compare(i, sizeof kInfinityWord - 1, kInfinityWord) == 0) {
        return negative ? -HUGE_VALL : HUGE_VALL;
    }
    std::string digits;  // significant digits, leading zeros dropped
    int64_t place = 0;   // decimal exponent of the point after `digits` so far
    bool anyDigit = false;
    for (; i < n && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (digits.empty() && text[i] == '0') continue;
        digits += text[i];
    }
    place = static_cast<int64_t>(digits.size());
    if (i < n && text[i] == '.') {
        for (++i; i < n && IsDigit(text[i]); ++i) {
            anyDigit = true;
            if (digits.empty() && text[i] == '0') {
                --place;
                continue;
            }
            digits += text[i];
        }
    }
    if (!anyDigit) return 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        size_t k = i + 1;
        bool negativeExponent = false;
        if (k < n && (text[k] == '-' || text[k] == '+')) {
            negativeExponent = text[k] == '-';
            ++k;
        }
        int64_t exponent = 0;
        for (; k < n && IsDigit(text[k]); ++k) {
            // Checked before it grows, so that the count itself can never overflow.
            if (exponent <= (kExponentCap - 9) / 10)
                exponent = exponent * 10 + (text[k] - '0');
            else
                exponent = kExponentCap;
        }
        place += negativeExponent ? -exponent : exponent;
    }
    size_t end = digits.find_last_not_of('0');
    digits.erase(end == std::string::npos ? 0 : end + 1);
    long double value = DigitsToValue(digits, place);
    if (value == 0) return 0;  // never a negative zero
    return negative ? -value : value;
}

std::string UnsignedText(long double x, unsigned base) {
    int64_t whole;
    if (!RoundToInt64(x, whole)) return "0";
    uint32_t low = static_cast<uint32_t>(static_cast<uint64_t>(whole));
    std::string text;
    do {
        text.insert(text.begin(), "0123456789ABCDEF"[low % base]);
        low /= base;
    } while (low != 0);
    return text;
}

}  // namespace

long double ParseNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    if (i + 1 < text.size() && text[i] == '&') {
        switch (text[i + 1]) {
            case 'H':
            case 'h':
                return ReadUnsigned(text, i + 2, 16);
            case 'B':
            case 'b':
                return ReadUnsigned(text, i + 2, 2);
            case 'Q':
            case 'q':
                return ReadUnsigned(text, i + 2, 8);
            default:
                return 0;
        }
    }
    return ReadDecimal(text, i);
}

std::string ValueText(long double x, int digits) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x < 0 ? "-Infinity" : "Infinity";
    DecimalDigits d = DecimalExpansion(x, digits);
    if (d.digits.empty()) return "0";
    std::string text = x < 0 ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    const int exponent = d.pointPlace - 1;
    if (exponent < kPlainExponentMin || exponent > kPlainExponentMax) {
        text += d.digits[0];
        if (count > 1) text += "." + d.digits.substr(1);
        std::string power = std::to_string(exponent < 0 ? -exponent : exponent);
        if (power.size() < 2) power.insert(power.begin(), '0');
        text += (exponent < 0 ? "E-" : "E+") + power;
    } else if (d.pointPlace <= 0) {
        text += "0." + std::string(-d.pointPlace, '0') + d.digits;
    } else if (count <= d.pointPlace) {
        text += d.digits + std::string(d.pointPlace - count, '0');
    } else {
        text += d.digits.substr(0, d.pointPlace) + "." + d.digits.substr(d.pointPlace);
    }
    return text;
}

long double RoundedHalfAway(long double x, int decimals) {
    if (!std::isfinite(x)) return x;
    DecimalDigits d = RoundToDecimals(DecimalExpansion(x, 18), decimals, Halves::AwayFromZero);
    if (d.digits.empty()) return 0;
    std::string power = std::to_string(d.pointPlace);
    if (d.pointPlace >= 0) power.insert(power.begin(), '+');
    return ParseNumber((x < 0 ? "-0." : "0.") + d.digits + "E" + power);
}

bool RoundToInt64(long double x, int64_t& out) {
    if (!std::isfinite(x)) return false;
    long double whole = std::nearbyint(x);             // the default rounding: halves to even
    const long double limit = 9223372036854775808.0L;  // 2^63
    if (whole < -limit || whole >= limit) return false;
    out = static_cast<int64_t>(whole);
    return true;
}

std::string HexText(long double x) {
    return UnsignedText(x, 16);
}
std::string BinText(long double x) {
    return UnsignedText(x, 2);
}
std::string OctText(long double x) {
    return UnsignedText(x, 8);
}

std::string WithZeroBeforePoint(const std::string& text) {
    std::size_t sign = text.find_first_not_of(" +-");
    if (sign == std::string::npos || text[sign] != '.') return text;
    return text.substr(0, sign) + "0" + text.substr(sign);
}

std::string WithoutCommas(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ',') out += c;
    }
    return out;
}
