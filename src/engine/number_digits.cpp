#include "engine/number_digits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

void DropTrailingZeros(DecimalDigits& d) {
    size_t end = d.digits.find_last_not_of('0');
    d.digits.erase(end == std::string::npos ? 0 : end + 1);
    if (d.digits.empty()) d.pointPlace = 0;
}

}  // namespace

DecimalDigits DecimalExpansion(long double x, int significant) {
    if (significant < 1) significant = 1;
    if (significant > 18) significant = 18;
    DecimalDigits d;
    x = std::fabs(x);
    if (x == 0) return d;
    // "%.*Le" rounds the exact binary value once, to nearest with ties to even; the
    // MinGW build uses its own printf (__USE_MINGW_ANSI_STDIO), so both builds agree.
    // The exponent is read as a number: MinGW writes three exponent digits, glibc two.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", significant - 1, x);
    const char* p = buffer;
    for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits += *p;
    }
    int exponent = (*p != '\0') ? std::atoi(p + 1) : 0;
    d.pointPlace = exponent + 1;
    DropTrailingZeros(d);
    return d;
}

DecimalDigits RoundToDecimals(DecimalDigits d, int decimals, Halves halves) {
    if (d.digits.empty()) return d;
    // Digits kept: those worth at least 10^-decimals.
    long kept = static_cast<long>(d.pointPlace) + decimals;
    if (kept >= static_cast<long>(d.digits.size())) return d;
    bool up;
    if (kept < 0) {
        up = false;
    } else {
        char first = d.digits[kept];
        bool restZero = d.digits.find_first_not_of('0', kept + 1) == std::string::npos;
        if (first > '5' || (first == '5' && !restZero)) {
            up = true;
        } else if (first == '5' && halves == Halves::AwayFromZero) {
            up = true;  // the digits are the magnitude: up is away from zero
        } else if (first == '5') {
            // Exactly half: to the even neighbour. Nothing kept counts as an even 0.
            up = kept > 0 && ((d.digits[kept - 1] - '0') % 2 == 1);
        } else {
            up = false;
        }
    }
    if (kept <= 0) {
        DecimalDigits r;
        if (up) {
            r.digits = "1";
            r.pointPlace = 1 - decimals;
        }
        return r;
    }
    d.digits.erase(kept);
    if (up) {
        long i = kept - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPlace;
        }
    }
    DropTrailingZeros(d);
    return d;
}
