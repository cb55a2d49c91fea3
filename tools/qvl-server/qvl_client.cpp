// qvl-client HOST[:PORT] SIZE_MB: one throughput test against a QVL Server with the
// program's own exchange, timed by the steady clock. Prints the phases' seconds and
// MiB/s on one line, or the problem, and the peak memory the process used.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "socket_port.h"
#include "throughput/server_exchange.h"
#include "throughput/throughput_target.h"

namespace {
uint64_t Nanoseconds() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

long PeakKilobytes() {
#ifdef _WIN32
    return 0;
#else
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qvl-client HOST[:PORT] SIZE_MB\n");
        return 2;
    }
    ThroughputTarget target = ClassifyTarget(argv[1]);
    uint64_t bytes = std::strtoull(argv[2], nullptr, 10) * 1048576;
    if (!target.serverMode || !target.portValid || bytes == 0) {
        std::fprintf(stderr, "qvl-client: need a server and a size\n");
        return 2;
    }
    StartSockets();
    SocketPort port;
    ServerLink link(port, ExchangeLimits{}, Nanoseconds);
    uint64_t start = Nanoseconds();
    int error = OpenServerConnection(link, target.host, target.port);
    if (error != 0) {
        std::printf("%s\n", OpenErrorText(error, target.host, target.port).c_str());
        return 1;
    }
    if (!ReceiveWelcome(link)) {
        std::printf("%s\n", kWelcomeMissingText);
        return 1;
    }
    PhaseResult write = RunWritePhase(link, bytes);
    if (!write.ok) {
        std::printf("%s\n", write.problem.c_str());
        return 1;
    }
    PhaseResult read = RunReadPhase(link, bytes);
    CloseServerConnection(link);
    uint64_t total = Nanoseconds() - start;
    if (!read.ok) {
        std::printf("%s\n", read.problem.c_str());
        return 1;
    }
    double ws = write.cycles / 1e9, rs = read.cycles / 1e9;
    std::printf("write %.6f s %.1f MiB/s read %.6f s %.1f MiB/s total %.6f s peak %ld KiB\n", ws,
                bytes / 1048576.0 / ws, rs, bytes / 1048576.0 / rs, total / 1e9, PeakKilobytes());
    return 0;
}
