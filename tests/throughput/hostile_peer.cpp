// A QVL Server that misbehaves on purpose, for the end-to-end tests of the
// throughput window: qvl-test-peer --port N --mode MODE [--record FILE].
//   silent        accepts and says nothing
//   wrong         welcomes with "HELLO"
//   long-line     sends 100 MB without a line end instead of a welcome
//   endless       answers "<SEND>" with "OK" and data that never ends
//   close-mid     answers "<SEND>" with "OK", half the data, and closes
//   trickle       answers "<SEND>" with "OK" and one byte every 4 s
//   hold-open     sends all the data but keeps the connection open
//   delay-ok      waits 1 s before the "OK" that confirms the upload
//   honest        behaves; with --record writes what it received to FILE, runs of
//                 "!" written as [!count]
// It serves every client the same way for as long as it runs.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "socket_layer.h"

namespace {

std::string g_mode = "honest";
std::string g_record;

struct Peer {
    SocketHandle s;
    std::string log;  // what came in, "!" runs folded
    char last = 0;
    uint64_t run = 0;

    void Note(const char* bytes, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            if (bytes[i] == '!') {
                ++run;
                continue;
            }
            if (run) log += "[!" + std::to_string(run) + "]";
            run = 0;
            log += bytes[i];
        }
    }
    void Flush() {
        if (run) log += "[!" + std::to_string(run) + "]";
        run = 0;
        if (g_record.empty() || log.empty()) return;  // the test's probe for the port
        if (FILE* f = std::fopen(g_record.c_str(), "wb")) {
            std::fwrite(log.data(), 1, log.size(), f);
            std::fclose(f);
        }
    }
    bool Say(const std::string& text) {
        return SendAll(s, text.data(), text.size()) == SocketResult::Ok;
    }
    // Reads one byte at a time: the peer is for correctness, not speed, except in
    // the upload, which it takes in blocks.
    bool Line(std::string& line) {
        line.clear();
        char c;
        std::size_t got = 0;
        while (ReceiveSome(s, &c, 1, got) == SocketResult::Ok) {
            Note(&c, 1);
            if (c == '\n') return true;
            if (c != '\r') line += c;
            if (line.size() > 100) return false;
        }
        return false;
    }
    bool Upload() {
        std::vector<char> buffer(1 << 16);
        for (;;) {
            std::size_t got = 0;
            // One byte at a time near the end would be slow; the data ends at its LF,
            // and the client sends nothing more until the reply.
            if (ReceiveSome(s, buffer.data(), buffer.size(), got) != SocketResult::Ok) return false;
            Note(buffer.data(), got);
            if (std::memchr(buffer.data(), '\n', got)) return true;
        }
    }
    void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    bool Data(uint64_t n) {
        std::vector<char> block(1 << 20, '!');
        while (n > 2) {
            std::size_t piece =
                n - 2 < block.size() ? static_cast<std::size_t>(n - 2) : block.size();
            if (SendAll(s, block.data(), piece) != SocketResult::Ok) return false;
            n -= piece;
        }
        return Say("\r\n");
    }
};

void Serve(SocketHandle s) {
    Peer p{s};
    if (g_mode == "silent") {
        p.Sleep(30000);
        return;
    }
    if (g_mode == "wrong") {
        p.Say("HELLO\r\n");
        p.Sleep(30000);
        return;
    }
    if (g_mode == "long-line") {
        std::string block(1 << 20, 'x');
        for (int i = 0; i < 100; ++i)
            if (SendAll(s, block.data(), block.size()) != SocketResult::Ok) return;
        p.Sleep(30000);
        return;
    }
    p.Say("OK\r\n");
    std::string line;
    while (p.Line(line)) {
        if (line == "<TEST>1") {
            p.Say("OK\r\n");
            if (!p.Upload()) break;
            if (g_mode == "delay-ok") p.Sleep(1000);
            p.Say("OK\r\n");
        } else if (line.compare(0, 6, "<SEND>") == 0) {
            uint64_t n = std::strtoull(line.c_str() + 6, nullptr, 10);
            p.Say("OK\r\n");
            if (g_mode == "endless") {
                std::vector<char> block(1 << 20, '!');
                while (SendAll(s, block.data(), block.size()) == SocketResult::Ok) {
                }
                break;
            }
            if (g_mode == "close-mid") {
                p.Data(n / 2);
                return;
            }
            if (g_mode == "trickle") {
                while (p.Say("!")) p.Sleep(4000);
                break;
            }
            p.Data(n);
            if (g_mode == "hold-open") {
                p.Sleep(30000);
                break;
            }
            ShutdownSending(s);
        } else if (line == "<CLOS>") {
            break;
        }
    }
    // What is left (a "<CLOS>" after the shutdown) is part of the record.
    while (p.Line(line)) {
    }
    p.Flush();
}

}  // namespace

int main(int argc, char** argv) {
    int port = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string name = argv[i];
        if (name == "--port") port = std::atoi(argv[i + 1]);
        if (name == "--mode") g_mode = argv[i + 1];
        if (name == "--record") g_record = argv[i + 1];
    }
    StartSockets();
    int error = 0;
    SocketHandle listener = ListenOn("127.0.0.1", port, error);
    if (listener == kNoSocket) return 1;
    for (;;) {
        std::string peer;
        SocketHandle s = AcceptClient(listener, peer);
        if (s == kNoSocket) continue;
        // A thread each: the test's probe for the port is a client too.
        std::thread([s] {
            SetSocketTimeouts(s, 40000, 40000);
            Serve(s);
            CloseSocket(s);
        }).detach();
    }
}
