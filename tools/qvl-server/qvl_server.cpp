// QVL Server: the other end of Tallymax's throughput test. It welcomes each client
// with "OK", takes an upload announced by "<TEST>1" up to its line end, confirms it,
// and answers "<SEND>" + size with "OK" and that many bytes, then stops sending so
// that the client's read ends at once. Many clients can test at the same time.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "socket_layer.h"

namespace {

struct ServerOptions {
    std::string bind = "127.0.0.1";
    int port = 4456;
    uint64_t maxMegabytes = 4096;
    int idleSeconds = 60;
    int maxClients = 64;
};

constexpr std::size_t kBlock = 1048576;
constexpr std::size_t kMaxCommand = 64;

std::mutex g_logLock;
std::atomic<int> g_clients{0};

void Log(const std::string& line) {
    std::time_t now = std::time(nullptr);
    char stamp[32] = "";
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    std::lock_guard<std::mutex> lock(g_logLock);
    std::printf("%s %s\n", stamp, line.c_str());
    std::fflush(stdout);
}

std::string Grouped(uint64_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

std::string Rate(uint64_t bytes, double seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f s, %.1f MiB/s", seconds,
                  seconds > 0 ? bytes / 1048576.0 / seconds : 0.0);
    return text;
}

// One client's connection with the bytes read ahead of the current command.
struct Client {
    SocketHandle socket;
    std::string peer;
    std::vector<char> buffer = std::vector<char>(kBlock);
    std::size_t begin = 0, end = 0;

    bool Fill() {
        std::size_t got = 0;
        if (ReceiveSome(socket, buffer.data(), buffer.size(), got) != SocketResult::Ok)
            return false;
        begin = 0;
        end = got;
        return true;
    }
    bool Say(const std::string& line) {
        std::string bytes = line + "\r\n";
        return SendAll(socket, bytes.data(), bytes.size()) == SocketResult::Ok;
    }
    // A command line without CR and LF; false when the client went, went quiet, or
    // sent a line no command is as long as.
    bool ReadCommand(std::string& line) {
        line.clear();
        for (;;) {
            if (begin == end && !Fill()) return false;
            while (begin < end) {
                char c = buffer[begin++];
                if (c == '\n') return true;
                if (c == '\r') continue;
                if (line.size() >= kMaxCommand) return false;
                line += c;
            }
        }
    }
};

// The upload: bytes up to and including the first LF, counted, not kept. False when
// the client stopped or went beyond the limit.
bool TakeUpload(Client& c, uint64_t limit, uint64_t& bytes) {
    bytes = 0;
    for (;;) {
        if (c.begin == c.end && !c.Fill()) return false;
        const char* from = c.buffer.data() + c.begin;
        const void* lf = std::memchr(from, '\n', c.end - c.begin);
        std::size_t piece = lf ? static_cast<const char*>(lf) - from + 1 : c.end - c.begin;
        bytes += piece;
        c.begin += piece;
        if (bytes > limit) return false;
        if (lf) return true;
    }
}

// `bytes` of data: "!" bytes, the last two CR LF, from one block sent again and again.
bool SendData(Client& c, uint64_t bytes) {
    static const std::vector<char> block = [] {
        std::vector<char> b(kBlock + 2, '!');
        b[kBlock] = '\r';
        b[kBlock + 1] = '\n';
        return b;
    }();
    uint64_t left = bytes;
    while (left > 0) {
        std::size_t piece = left < kBlock ? static_cast<std::size_t>(left) : kBlock;
        const char* from =
            left == piece && bytes >= 2 ? block.data() + (kBlock + 2 - piece) : block.data();
        if (SendAll(c.socket, from, piece) != SocketResult::Ok) return false;
        left -= piece;
    }
    return true;
}

bool ParseSize(const std::string& digits, uint64_t& size) {
    if (digits.empty() || digits.size() > 19) return false;
    size = 0;
    for (char d : digits) {
        if (d < '0' || d > '9') return false;
        size = size * 10 + static_cast<uint64_t>(d - '0');
    }
    return size > 0;
}

void Serve(Client c, const ServerOptions& options) {
    const uint64_t limit = options.maxMegabytes * 1048576;
    SetSocketTimeouts(c.socket, options.idleSeconds * 1000, options.idleSeconds * 1000);
    uint64_t uploaded = 0;
    double uploadSeconds = 0;
    std::string outcome = "ended before a test";
    if (c.Say("OK")) {
        std::string command;
        while (c.ReadCommand(command)) {
            if (command == "<TEST>1") {
                if (!c.Say("OK")) break;
                auto start = std::chrono::steady_clock::now();
                if (!TakeUpload(c, limit, uploaded)) {
                    outcome = "upload stopped after " + Grouped(uploaded) + " bytes";
                    break;
                }
                uploadSeconds = Seconds(std::chrono::steady_clock::now() - start);
                if (!c.Say("OK")) break;
                outcome = "received " + Grouped(uploaded) + " bytes (" +
                          Rate(uploaded, uploadSeconds) + ")";
            } else if (command.compare(0, 6, "<SEND>") == 0) {
                uint64_t size = 0;
                if (!ParseSize(command.substr(6), size) || size > limit) {
                    c.Say("ERR size over the limit of " + Grouped(limit) + " bytes");
                    outcome = "refused \"" + command + "\"";
                    break;
                }
                if (!c.Say("OK")) break;
                auto start = std::chrono::steady_clock::now();
                bool sent = SendData(c, size);
                double seconds = Seconds(std::chrono::steady_clock::now() - start);
                // The client's read ends when the data ends, not after a time-out.
                ShutdownSending(c.socket);
                std::string upload = uploaded ? "received " + Grouped(uploaded) + " bytes (" +
                                                    Rate(uploaded, uploadSeconds) + "), "
                                              : "";
                outcome = upload + (sent ? "sent " : "sending stopped in ") + Grouped(size) +
                          " bytes" + (sent ? " (" + Rate(size, seconds) + ")" : "");
                // Only "<CLOS>" or the close may follow; wait for either.
                c.ReadCommand(command);
                break;
            } else if (command == "<CLOS>") {
                break;
            } else {
                c.Say("ERR unknown command");
                outcome = "unknown command \"" + command + "\"";
                break;
            }
        }
    }
    CloseSocket(c.socket);
    Log(c.peer + " " + outcome);
    --g_clients;
}

void Usage() {
    std::printf(
        "Usage: qvl-server [--port N] [--bind ADDRESS] [--max-mb N] [--idle-seconds N]\n"
        "  --port N          TCP port to listen on (default 4456)\n"
        "  --bind ADDRESS    local IPv4 address to listen on (default 127.0.0.1;\n"
        "                    0.0.0.0 takes connections from other machines)\n"
        "  --max-mb N        largest test a client may ask for, in MB of 1,048,576\n"
        "                    bytes (default 4096)\n"
        "  --idle-seconds N  drop a client that sends or takes nothing for this long\n"
        "                    (default 60)\n");
}

bool ReadNumber(const char* text, long long low, long long high, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end && *end == '\0' && end != text && value >= low && value <= high;
}

bool ReadOptions(int argc, char** argv, ServerOptions& o) {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--help" || name == "-h") return false;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "qvl-server: %s needs a value\n", name.c_str());
            return false;
        }
        const char* value = argv[++i];
        long long n = 0;
        if (name == "--bind") {
            o.bind = value;
        } else if (name == "--port" && ReadNumber(value, 1, 65535, n)) {
            o.port = static_cast<int>(n);
        } else if (name == "--max-mb" && ReadNumber(value, 1, 8796093022207LL, n)) {
            o.maxMegabytes = static_cast<uint64_t>(n);
        } else if (name == "--idle-seconds" && ReadNumber(value, 1, 86400, n)) {
            o.idleSeconds = static_cast<int>(n);
        } else {
            std::fprintf(stderr, "qvl-server: bad option %s %s\n", name.c_str(), value);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ServerOptions options;
    if (!ReadOptions(argc, argv, options)) {
        Usage();
        return 2;
    }
    if (!StartSockets()) {
        std::fprintf(stderr, "qvl-server: sockets are not available\n");
        return 1;
    }
    int error = 0;
    SocketHandle listener = ListenOn(options.bind, options.port, error);
    if (listener == kNoSocket) {
        std::fprintf(stderr, "qvl-server: cannot listen on %s:%d: %s\n", options.bind.c_str(),
                     options.port, SocketErrorText(error).c_str());
        return 1;
    }
    Log("QVL Server listening on " + options.bind + ":" + std::to_string(options.port) +
        ", tests up to " + Grouped(options.maxMegabytes) + " MB");
    for (;;) {
        std::string peer;
        SocketHandle s = AcceptClient(listener, peer);
        if (s == kNoSocket) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        if (g_clients >= options.maxClients) {
            CloseSocket(s);
            Log(peer + " turned away: " + std::to_string(options.maxClients) +
                " clients are testing");
            continue;
        }
        ++g_clients;
        Client client{s, peer};
        std::thread(Serve, std::move(client), std::cref(options)).detach();
    }
}
