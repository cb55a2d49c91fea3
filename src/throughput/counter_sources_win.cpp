#include "throughput/counter_sources_win.h"

#include <intrin.h>
#include <windows.h>

namespace {

uint64_t ReadPerformanceCounter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<uint64_t>(now.QuadPart);
}

}  // namespace

uint64_t ReadCycleCounter() {
    return __rdtsc();
}

CounterSources SystemCounterSources() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    CounterSources sources;
    sources.cycles = ReadCycleCounter;
    sources.reference = ReadPerformanceCounter;
    sources.referenceFrequency = static_cast<uint64_t>(frequency.QuadPart);
    sources.sleep = [](int ms) { Sleep(static_cast<DWORD>(ms)); };
    return sources;
}
