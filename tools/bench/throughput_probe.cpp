// Probe for the throughput benchmark, run under Wine: the throughput window's own
// folder-mode steps on a folder, and the cycle-counter calibration checked against
// the performance counter.
//   throughput_probe folder DIR UNITS   -> "write MiB/s read MiB/s"
//   throughput_probe calibrate          -> the calibrated rate's error in ppm over 2 s
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "throughput/counter_sources_win.h"
#include "throughput/cycle_rate.h"
#include "throughput/folder_test_win.h"
#include "throughput/test_size.h"
#include "throughput/throughput_target.h"

namespace {

int Calibrate() {
    CounterSources s = SystemCounterSources();
    uint64_t rate = MeasureCycleRate(s);
    CounterSample a = TakeCounterSample(s);
    Sleep(2000);
    CounterSample b = TakeCounterSample(s);
    double byCycles = static_cast<double>(b.cycles - a.cycles) / static_cast<double>(rate);
    double byReference =
        static_cast<double>(b.reference - a.reference) / static_cast<double>(s.referenceFrequency);
    std::printf("rate %llu ppm %.3f\n", static_cast<unsigned long long>(rate),
                (byCycles - byReference) / byReference * 1e6);
    return 0;
}

int Folder(const std::string& folder, uint64_t units) {
    uint64_t rate = MeasureCycleRate(SystemCounterSources());
    std::string path = TestFilePath(folder);
    char* block = static_cast<char*>(
        VirtualAlloc(nullptr, kTestUnit, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    std::fill(block, block + kTestUnit, '!');
    auto show = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
    FileStep write = WriteTestFile(path, units, block);
    if (!write.ok) return show(write.problem), 1;
    FlushFileCache(path, show);
    FileStep read = ReadTestFile(path, units, block);
    DeleteFileA(path.c_str());
    if (!read.ok) return show(read.problem), 1;
    double mib = static_cast<double>(units);
    std::printf("write %.1f read %.1f\n", mib / (static_cast<double>(write.cycles) / rate),
                mib / (static_cast<double>(read.cycles) / rate));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "calibrate") return Calibrate();
    if (mode == "folder" && argc == 4) return Folder(argv[2], std::strtoull(argv[3], nullptr, 10));
    std::fprintf(stderr, "usage: throughput_probe calibrate | folder DIR UNITS\n");
    return 2;
}
