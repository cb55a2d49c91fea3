#include "socket_port.h"

#include <chrono>

namespace {
NetStatus StatusOf(SocketResult r) {
    switch (r) {
        case SocketResult::Ok:
            return NetStatus::Ok;
        case SocketResult::Closed:
            return NetStatus::Closed;
        case SocketResult::TimedOut:
            return NetStatus::TimedOut;
        default:
            return NetStatus::Failed;
    }
}
}  // namespace

int SocketPort::Connect(const std::string& host, int port, int timeoutMs) {
    Close();
    int error = 0;
    socket_ = ConnectTo(host, port, timeoutMs, error);
    receiveMs_ = sendMs_ = -1;
    return error;
}

// Only when they change: one call less per read in the data phases.
void SocketPort::Timeouts(int receiveMs, int sendMs) {
    if (receiveMs == receiveMs_ && sendMs == sendMs_) return;
    SetSocketTimeouts(socket_, receiveMs, sendMs);
    receiveMs_ = receiveMs;
    sendMs_ = sendMs;
}

NetStatus SocketPort::Send(const char* bytes, std::size_t size, int timeoutMs) {
    if (socket_ == kNoSocket) return NetStatus::Failed;
    Timeouts(receiveMs_ < 0 ? timeoutMs : receiveMs_, timeoutMs);
    return StatusOf(SendAll(socket_, bytes, size));
}

NetStatus SocketPort::Receive(char* buffer, std::size_t capacity, int timeoutMs, std::size_t& got) {
    got = 0;
    if (socket_ == kNoSocket) return NetStatus::Failed;
    Timeouts(timeoutMs, sendMs_ < 0 ? timeoutMs : sendMs_);
    return StatusOf(ReceiveSome(socket_, buffer, capacity, got));
}

void SocketPort::Close() {
    CloseSocket(socket_);
    socket_ = kNoSocket;
}

long long SocketPort::Milliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
