// A scripted QVL Server for the exchange tests: what it sends, in order, with its
// silences measured on a clock of its own, so that time-outs pass in no time.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>

#include "throughput/net_port.h"

struct PeerStep {
    enum Kind { Bytes, Silence, Close, Endless, Trickle } kind;
    std::string
        bytes;  // Bytes: sent as one segment (or several when the reader's buffer is smaller)
    long long ms = 0;  // Silence: how long; Trickle: between bytes
};

inline PeerStep Say(const std::string& bytes) {
    return {PeerStep::Bytes, bytes, 0};
}
inline PeerStep Quiet(long long ms) {
    return {PeerStep::Silence, "", ms};
}
inline PeerStep Hangup() {
    return {PeerStep::Close, "", 0};
}
inline PeerStep Flood() {
    return {PeerStep::Endless, "", 0};
}
inline PeerStep Drip(long long ms) {
    return {PeerStep::Trickle, "", ms};
}

class FakePeer : public NetPort {
  public:
    std::deque<PeerStep> script;
    int connectError = 0;
    // Sends wait out their time-out once this many bytes went out.
    unsigned long long stallAfter = ~0ull;
    long long now = 0;  // ms
    std::string wire;   // what the client sent, kept up to kWireKept bytes
    unsigned long long sentBytes = 0;
    std::string host;
    int port = 0;
    bool closed = false;
    static constexpr std::size_t kWireKept = 1 << 20;

    int Connect(const std::string& h, int p, int) override {
        host = h;
        port = p;
        return connectError;
    }
    NetStatus Send(const char* bytes, std::size_t size, int timeoutMs) override {
        if (sentBytes >= stallAfter) {
            now += timeoutMs;
            return NetStatus::TimedOut;
        }
        if (wire.size() < kWireKept) wire.append(bytes, std::min(size, kWireKept - wire.size()));
        sentBytes += size;
        return NetStatus::Ok;
    }
    NetStatus Receive(char* buffer, std::size_t capacity, int timeoutMs,
                      std::size_t& got) override {
        got = 0;
        while (!script.empty()) {
            PeerStep& step = script.front();
            switch (step.kind) {
                case PeerStep::Silence:
                    if (step.ms > timeoutMs) {
                        step.ms -= timeoutMs;
                        now += timeoutMs;
                        return NetStatus::TimedOut;
                    }
                    now += step.ms;
                    script.pop_front();
                    continue;
                case PeerStep::Bytes:
                    got = std::min(capacity, step.bytes.size());
                    std::memcpy(buffer, step.bytes.data(), got);
                    step.bytes.erase(0, got);
                    if (step.bytes.empty()) script.pop_front();
                    return NetStatus::Ok;
                case PeerStep::Close:
                    return NetStatus::Closed;
                case PeerStep::Endless:
                    std::memset(buffer, '!', capacity);
                    got = capacity;
                    now += 1;
                    return NetStatus::Ok;
                case PeerStep::Trickle:
                    if (step.ms > timeoutMs) {
                        now += timeoutMs;
                        return NetStatus::TimedOut;
                    }
                    now += step.ms;
                    buffer[0] = '!';
                    got = 1;
                    return NetStatus::Ok;
            }
        }
        now += timeoutMs;  // a script that has ended is silent
        return NetStatus::TimedOut;
    }
    void Close() override { closed = true; }
    long long Milliseconds() override { return now; }
};
