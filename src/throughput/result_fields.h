// The figures of one timed phase and the texts of its five result fields.
#pragma once

#include <cstdint>
#include <string>

// `value` rounded to `decimals` places, all of them written, the whole part grouped
// by three with "," and never cut ("20,971,520", "1,234.5000000", "0.0500000").
// This is the rule of the masks "###,###,###" (0 places) and "##,###.#######" (7);
// a value wider than its mask is simply written in full. Not finite: "".
std::string GroupedNumber(long double value, int decimals);

struct PhaseFigures {
    uint64_t bytes = 0;          // packet length
    long double seconds = 0;     // time to complete
    int64_t bytesPerSecond = 0;  // rounded to a whole number
    int64_t bitsPerSecond = 0;   // bytes per second × 8
    long double mbps = 0;        // megabits: bits per second ÷ 1,000,000, as links are rated
};

// The figures of `bytes` moved in `cycles` of a counter running `cyclesPerSecond`;
// a span too short to measure counts as one cycle. False without a counter rate.
bool ComputeFigures(uint64_t bytes, uint64_t cycles, uint64_t cyclesPerSecond,
                    PhaseFigures& figures);

// The five field texts in screen order: packet length, time, bytes/s, bits/s, Mbps.
struct ResultTexts {
    std::string packetLength, time, bytesPerSecond, bitsPerSecond, mbps;
};
ResultTexts FormatFigures(const PhaseFigures& figures);
