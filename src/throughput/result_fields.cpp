#include "throughput/result_fields.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

std::string GroupedNumber(long double value, int decimals) {
    if (!std::isfinite(value)) return "";
    char plain[128];
    std::snprintf(plain, sizeof plain, "%.*Lf", decimals, value);
    std::string text = plain;
    std::string sign;
    if (!text.empty() && text[0] == '-') {
        sign = "-";
        text.erase(0, 1);
    }
    std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string rest = point == std::string::npos ? std::string() : text.substr(point);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
        grouped += whole[i];
    }
    if (sign == "-" && grouped.find_first_not_of("0,") == std::string::npos &&
        rest.find_first_not_of(".0") == std::string::npos)
        sign.clear();  // -0.0000000 reads as zero
    return sign + grouped + rest;
}

bool ComputeFigures(uint64_t bytes, uint64_t cycles, uint64_t cyclesPerSecond,
                    PhaseFigures& figures) {
    if (cyclesPerSecond == 0) return false;
    if (cycles == 0) cycles = 1;
    figures.bytes = bytes;
    figures.seconds = static_cast<long double>(cycles) / static_cast<long double>(cyclesPerSecond);
    // Clamped so that bits per second still fit: a rate no link reaches.
    long double rate = static_cast<long double>(bytes) / figures.seconds;
    const long double kMostBytesPerSecond = static_cast<long double>(INT64_MAX / 8);
    figures.bytesPerSecond = rate >= kMostBytesPerSecond ? INT64_MAX / 8 : std::llround(rate);
    figures.bitsPerSecond = figures.bytesPerSecond * 8;
    figures.mbps = static_cast<long double>(figures.bitsPerSecond) / 1000000.0L;
    return true;
}

ResultTexts FormatFigures(const PhaseFigures& f) {
    return {GroupedNumber(static_cast<long double>(f.bytes), 0), GroupedNumber(f.seconds, 7),
            GroupedNumber(static_cast<long double>(f.bytesPerSecond), 0),
            GroupedNumber(static_cast<long double>(f.bitsPerSecond), 0), GroupedNumber(f.mbps, 7)};
}
