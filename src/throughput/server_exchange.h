// The exchange with a QVL Server: connect, welcome, the timed upload and the timed
// download, close. Every wait is bounded and memory stays flat for any test size.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "throughput/net_port.h"

struct ExchangeLimits {
    int waitMs = 5000;  // connecting, each wait for bytes, each send, each reply line
    // A data phase ends at the latest after phaseBaseMs plus the time its bytes take
    // at minBytesPerSecond: a server that trickles cannot hold the test for ever.
    int phaseBaseMs = 10000;
    long long minBytesPerSecond = 256 * 1024;
    std::size_t chunk = 1048576;  // bytes per send and receive
};

// The connection and the bytes that came in behind the last reply.
struct ServerLink {
    NetPort& port;
    ExchangeLimits limits;
    std::function<uint64_t()> cycles;  // the cycle counter
    // Asked between chunks and, when set, every fraction of a second while waiting for
    // the server: true ends the exchange as a failure.
    std::function<bool()> stopRequested;
    std::vector<char> buffer;
    std::size_t begin = 0, end = 0;

    ServerLink(NetPort& p, const ExchangeLimits& l, std::function<uint64_t()> c)
        : port(p), limits(l), cycles(std::move(c)) {}
};

enum class ReplyOutcome { Ok, Wrong, TooLong, Silent, Closed, Failed };

struct PhaseResult {
    bool ok = false;
    uint64_t cycles = 0;  // of the timed span
    uint64_t bytes = 0;   // data bytes moved
    std::string problem;  // why it failed, for the message
};

// Connects with the time-out; 0, or the error number for the message.
int OpenServerConnection(ServerLink& link, const std::string& host, int port);

// Sends the bytes as they are, in full, within the time-out.
NetStatus SendText(ServerLink& link, const std::string& text);

// Reads one reply line within the time-out; `line` gets its text without CR and LF.
ReplyOutcome ReceiveReply(ServerLink& link, std::string* line = nullptr);

// Only "OK" welcomes.
bool ReceiveWelcome(ServerLink& link);

// "<TEST>1", its "OK", then the timed span: `bytes` of data ("!" bytes, the last two
// CR LF) sent one chunk at a time, up to the server's "OK".
PhaseResult RunWritePhase(ServerLink& link, uint64_t bytes);

// "<SEND>" + bytes, its "OK", then the timed span up to the last of `bytes` data
// bytes; anything the server sends after them is not waited for.
PhaseResult RunReadPhase(ServerLink& link, uint64_t bytes);

// "<CLOS>" (briefly: the server may be gone) and the connection closed.
void CloseServerConnection(ServerLink& link);

// The messages of the exchange.
inline constexpr const char* kOpenErrorCaption = "Error Opening Channel To QVL Server";
inline constexpr const char* kServerErrorCaption = "Error Communicating With QVL Server";
inline constexpr const char* kWelcomeMissingText =
    "Did not receive welcome message from QVL Server";
// Names the host and the port, since a server on another port is not found either.
std::string OpenErrorText(int error, const std::string& host, int port);
