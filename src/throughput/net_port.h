// The little the server exchange needs of a TCP connection, so that the exchange runs
// over the platform's sockets in the program and over a scripted peer in the tests.
#pragma once

#include <cstddef>
#include <string>

enum class NetStatus { Ok, Closed, TimedOut, Failed };

class NetPort {
  public:
    virtual ~NetPort() = default;
    // Connects within `timeoutMs`; 0, or the socket layer's error number.
    virtual int Connect(const std::string& host, int port, int timeoutMs) = 0;
    // Sends all of `bytes` within `timeoutMs`.
    virtual NetStatus Send(const char* bytes, std::size_t size, int timeoutMs) = 0;
    // Waits at most `timeoutMs` for bytes; Ok with `got` > 0 when some came.
    virtual NetStatus Receive(char* buffer, std::size_t capacity, int timeoutMs,
                              std::size_t& got) = 0;
    virtual void Close() = 0;
    // Milliseconds of a monotonic clock, for the deadlines.
    virtual long long Milliseconds() = 0;
};
