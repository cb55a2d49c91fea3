// The throughput exchange's socket port over the plain sockets of socket_layer.h.
#pragma once

#include "socket_layer.h"
#include "throughput/net_port.h"

class SocketPort : public NetPort {
  public:
    ~SocketPort() override { Close(); }
    int Connect(const std::string& host, int port, int timeoutMs) override;
    NetStatus Send(const char* bytes, std::size_t size, int timeoutMs) override;
    NetStatus Receive(char* buffer, std::size_t capacity, int timeoutMs, std::size_t& got) override;
    void Close() override;
    long long Milliseconds() override;

  private:
    void Timeouts(int receiveMs, int sendMs);
    SocketHandle socket_ = kNoSocket;
    int receiveMs_ = -1, sendMs_ = -1;
};
