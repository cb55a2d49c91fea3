// The processor's cycle counter, and the counters its rate is measured against.
#pragma once

#include <cstdint>

#include "throughput/cycle_rate.h"

uint64_t ReadCycleCounter();

// The cycle counter against the performance counter, with the system's sleep.
CounterSources SystemCounterSources();
