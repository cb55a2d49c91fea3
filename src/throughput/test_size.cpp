#include "throughput/test_size.h"

#include <cmath>

#include "engine/number_text.h"

SizeVerdict ReadTestSize(const std::string& text, int64_t& units) {
    units = 0;
    long double value = ParseNumber(text);
    if (std::isnan(value)) return SizeVerdict::Cancel;
    if (value >= static_cast<long double>(kMostTestUnits) + 0.5L) return SizeVerdict::TooLarge;
    int64_t rounded = 0;
    if (!RoundToInt64(value, rounded) || rounded < 1) return SizeVerdict::Cancel;
    units = rounded;
    return SizeVerdict::Accept;
}

std::string TestSizeText(int64_t units) {
    return std::to_string(units);
}

uint64_t CacheBufferSize(uint64_t fileBytes, uint64_t chunk) {
    if (fileBytes == 0 || chunk == 0) return 0;
    if (fileBytes >= 128 * chunk) return 128 * chunk;
    return (fileBytes + chunk - 1) / chunk * chunk;
}

uint64_t SmallerCacheBuffer(uint64_t size, uint64_t chunk) {
    if (chunk == 0) return 0;
    uint64_t half = size / 2 / chunk * chunk;
    return half < chunk ? 0 : half;
}
