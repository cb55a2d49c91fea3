#include "throughput/cycle_rate.h"

#include <gtest/gtest.h>

namespace {

// A cycle counter at `hz` and a reference clock of 10 MHz, both driven by the
// sleeps, with a reference step of `jitter` ticks between readings.
struct FakeClocks {
    uint64_t ns = 0;
    uint64_t hz;
    uint64_t jitter = 0;
    CounterSources Sources() {
        CounterSources s;
        s.cycles = [this] { return static_cast<uint64_t>(ns * (hz / 1e9L)); };
        s.reference = [this] {
            ns += jitter * 100;
            return ns / 100;
        };
        s.referenceFrequency = 10000000;
        s.sleep = [this](int ms) { ns += static_cast<uint64_t>(ms) * 15600000 / 15; };
        return s;
    }
};

TEST(CycleRate, MeasuredAgainstTheElapsedReferenceTime) {
    for (uint64_t hz : {2400000000ull, 3193000000ull, 1000000ull}) {
        FakeClocks clocks{0, hz, 1};
        uint64_t rate = MeasureCycleRate(clocks.Sources());
        long double error = (static_cast<long double>(rate) - hz) / hz;
        EXPECT_LT(error < 0 ? -error : error, 10e-6L) << hz;
    }
}

TEST(CycleRate, NoFigureWithoutAMovingReference) {
    CounterSample a{100, 5, 0}, b{200, 5, 0};
    EXPECT_EQ(CyclesPerSecond(a, b, 1000), 0u);
    CounterSources none;
    none.referenceFrequency = 0;
    EXPECT_EQ(MeasureCycleRate(none), 0u);
}

TEST(CycleRate, EarlyStartWaitsForTheFigureWithABound) {
    PublishedCycleRate rate;
    int slept = 0;
    EXPECT_EQ(AwaitCycleRate(rate, 2000, [&](int ms) { slept += ms; }), 0u);
    EXPECT_EQ(slept, 2000);
    slept = 0;
    EXPECT_EQ(AwaitCycleRate(rate, 2000,
                             [&](int ms) {
                                 slept += ms;
                                 if (slept == 300) rate.cyclesPerSecond = 42;
                             }),
              42u);
    EXPECT_EQ(slept, 300);
}

}  // namespace
