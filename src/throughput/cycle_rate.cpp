#include "throughput/cycle_rate.h"

CounterSample TakeCounterSample(const CounterSources& s) {
    CounterSample best;
    for (int attempt = 0; attempt < 9; ++attempt) {
        uint64_t before = s.reference();
        uint64_t cycles = s.cycles();
        uint64_t after = s.reference();
        CounterSample sample{cycles, before + (after - before) / 2, after - before};
        if (attempt == 0 || sample.spread < best.spread) best = sample;
    }
    return best;
}

uint64_t CyclesPerSecond(const CounterSample& first, const CounterSample& second,
                         uint64_t referenceFrequency) {
    if (second.reference <= first.reference || second.cycles <= first.cycles) return 0;
    long double seconds = static_cast<long double>(second.reference - first.reference) /
                          static_cast<long double>(referenceFrequency);
    long double rate = static_cast<long double>(second.cycles - first.cycles) / seconds;
    return static_cast<uint64_t>(rate + 0.5L);
}

uint64_t MeasureCycleRate(const CounterSources& s, int settleMs, int spanMs) {
    if (s.referenceFrequency == 0) return 0;
    s.sleep(settleMs);
    CounterSample first = TakeCounterSample(s);
    uint64_t spanTicks = s.referenceFrequency / 1000 * static_cast<uint64_t>(spanMs);
    // Sleeping is only coarse; the figure rests on the reference's own measure of the
    // time that passed, however long that was.
    while (s.reference() - first.reference < spanTicks) s.sleep(5);
    CounterSample second = TakeCounterSample(s);
    return CyclesPerSecond(first, second, s.referenceFrequency);
}

uint64_t AwaitCycleRate(const PublishedCycleRate& rate, int boundMs,
                        const std::function<void(int ms)>& sleep) {
    for (int waited = 0;; waited += 10) {
        uint64_t figure = rate.cyclesPerSecond.load(std::memory_order_acquire);
        if (figure != 0 || waited >= boundMs) return figure;
        sleep(10);
    }
}
