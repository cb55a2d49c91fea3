// The cycle counter's rate: measured once against a reference clock of known
// frequency, published for the test to read.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

// A reading of the cycle counter taken between two readings of the reference clock.
struct CounterSample {
    uint64_t cycles = 0;
    uint64_t reference = 0;  // the midpoint of the two reference readings
    uint64_t spread = 0;     // reference ticks between them
};

struct CounterSources {
    std::function<uint64_t()> cycles;
    std::function<uint64_t()> reference;
    uint64_t referenceFrequency = 0;  // ticks per second
    std::function<void(int ms)> sleep;
};

// The tightest of a few samples, so that a thread switch between the readings does
// not shift the figure.
CounterSample TakeCounterSample(const CounterSources& sources);

// Cycles per second from two samples; 0 when the reference did not move.
uint64_t CyclesPerSecond(const CounterSample& first, const CounterSample& second,
                         uint64_t referenceFrequency);

// Waits `settleMs`, samples, lets at least `spanMs` pass, samples again, and gives
// the rate (0 when it cannot be measured).
uint64_t MeasureCycleRate(const CounterSources& sources, int settleMs = 100, int spanMs = 500);

// Written once by the calibration, read by the test; 0 until then.
struct PublishedCycleRate {
    std::atomic<uint64_t> cyclesPerSecond{0};
};

// Waits up to `boundMs` for the figure, in small sleeps; 0 when it did not come.
uint64_t AwaitCycleRate(const PublishedCycleRate& rate, int boundMs,
                        const std::function<void(int ms)>& sleep);
