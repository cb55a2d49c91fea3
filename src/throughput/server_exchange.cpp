#include "throughput/server_exchange.h"

#include <algorithm>
#include <cstring>

#include "throughput/reply_reader.h"
#include "throughput/result_fields.h"

namespace {

const char* const kCrLf = "\r\n";

void EnsureBuffer(ServerLink& link) {
    if (link.buffer.size() < link.limits.chunk) link.buffer.resize(link.limits.chunk);
}

// Milliseconds left before `deadline`, at most one wait.
int WaitLeft(ServerLink& link, long long deadline) {
    long long left = deadline - link.port.Milliseconds();
    if (left <= 0) return 0;
    return static_cast<int>(std::min<long long>(left, link.limits.waitMs));
}

long long PhaseDeadline(ServerLink& link, uint64_t bytes) {
    long long ms = link.limits.phaseBaseMs;
    if (link.limits.minBytesPerSecond > 0)
        ms += static_cast<long long>(bytes / static_cast<uint64_t>(link.limits.minBytesPerSecond) *
                                     1000);
    return link.port.Milliseconds() + ms;
}

// How often a wait for the server looks whether the user stopped the run.
constexpr int kStopCheckMs = 200;

bool Stopped(const ServerLink& link) {
    return link.stopRequested && link.stopRequested();
}

// Fills the buffer once; the buffer was empty before.
NetStatus Refill(ServerLink& link, long long deadline) {
    EnsureBuffer(link);
    link.begin = link.end = 0;
    for (;;) {
        int wait = WaitLeft(link, deadline);
        if (wait <= 0) return NetStatus::TimedOut;
        if (Stopped(link)) return NetStatus::Failed;
        bool sliced = static_cast<bool>(link.stopRequested) && wait > kStopCheckMs;
        std::size_t got = 0;
        NetStatus status = link.port.Receive(link.buffer.data(), link.buffer.size(),
                                             sliced ? kStopCheckMs : wait, got);
        if (status == NetStatus::TimedOut && sliced) continue;
        link.end = status == NetStatus::Ok ? got : 0;
        return status;
    }
}

NetStatus SendBytes(ServerLink& link, const char* bytes, std::size_t size, long long deadline) {
    int wait = WaitLeft(link, deadline);
    if (wait <= 0) return NetStatus::TimedOut;
    return link.port.Send(bytes, size, wait);
}

std::string ReplyProblem(ReplyOutcome outcome, const std::string& line, const char* after) {
    std::string what;
    switch (outcome) {
        case ReplyOutcome::Ok:
            return "";
        case ReplyOutcome::Wrong:
            what = "replied \"" + line + "\" instead of OK";
            break;
        case ReplyOutcome::TooLong:
            what = "sent a reply line without an end";
            break;
        case ReplyOutcome::Silent:
            what = "did not reply within 5 seconds";
            break;
        case ReplyOutcome::Closed:
            what = "closed the connection";
            break;
        case ReplyOutcome::Failed:
            what = "connection failed";
            break;
    }
    return std::string("QVL Server ") + what + " " + after + ".";
}

std::string Bytes(uint64_t count) {
    return GroupedNumber(static_cast<long double>(count), 0) + (count == 1 ? " byte" : " bytes");
}

}  // namespace

int OpenServerConnection(ServerLink& link, const std::string& host, int port) {
    link.begin = link.end = 0;
    int error = link.port.Connect(host, port, link.limits.waitMs);
    if (error != 0) link.port.Close();
    return error;
}

NetStatus SendText(ServerLink& link, const std::string& text) {
    return link.port.Send(text.data(), text.size(), link.limits.waitMs);
}

ReplyOutcome ReceiveReply(ServerLink& link, std::string* line) {
    ReplyReader reader;
    long long deadline = link.port.Milliseconds() + link.limits.waitMs;
    for (;;) {
        if (link.begin == link.end) {
            NetStatus status = Refill(link, deadline);
            if (status == NetStatus::TimedOut) return ReplyOutcome::Silent;
            if (status == NetStatus::Closed) return ReplyOutcome::Closed;
            if (status == NetStatus::Failed) return ReplyOutcome::Failed;
        }
        link.begin += FeedReply(reader, link.buffer.data() + link.begin, link.end - link.begin);
        if (reader.state == ReplyState::TooLong) return ReplyOutcome::TooLong;
        if (reader.state == ReplyState::Complete) {
            if (line) *line = reader.line;
            return IsOkReply(reader) ? ReplyOutcome::Ok : ReplyOutcome::Wrong;
        }
    }
}

bool ReceiveWelcome(ServerLink& link) {
    return ReceiveReply(link) == ReplyOutcome::Ok;
}

PhaseResult RunWritePhase(ServerLink& link, uint64_t bytes) {
    PhaseResult result;
    std::string line;
    if (SendText(link, std::string("<TEST>1") + kCrLf) != NetStatus::Ok) {
        result.problem = "The test could not be announced to QVL Server.";
        return result;
    }
    ReplyOutcome outcome = ReceiveReply(link, &line);
    if (outcome != ReplyOutcome::Ok) {
        result.problem = ReplyProblem(outcome, line, "to <TEST>1");
        return result;
    }
    if (bytes < 2) bytes = 2;  // room for the line end

    // One chunk of "!" bytes sent again and again; the last chunk ends in CR LF, so
    // the memory used is the same for every size.
    std::size_t chunk = link.limits.chunk;
    std::vector<char> block(chunk + 2, '!');
    block[chunk] = '\r';
    block[chunk + 1] = '\n';
    long long deadline = PhaseDeadline(link, bytes);

    uint64_t c0 = link.cycles();
    uint64_t left = bytes;
    while (left > 0) {
        std::size_t piece = static_cast<std::size_t>(std::min<uint64_t>(left, chunk));
        const char* from = left == piece ? block.data() + (chunk + 2 - piece) : block.data();
        NetStatus status =
            Stopped(link) ? NetStatus::Failed : SendBytes(link, from, piece, deadline);
        if (status != NetStatus::Ok) {
            result.bytes = bytes - left;
            result.problem = std::string("QVL Server ") +
                             (status == NetStatus::TimedOut ? "stopped taking" : "did not take") +
                             " the test data after " + Bytes(result.bytes) + " of " + Bytes(bytes) +
                             ".";
            return result;
        }
        left -= piece;
    }
    outcome = ReceiveReply(link, &line);
    result.cycles = link.cycles() - c0;
    result.bytes = bytes;
    if (outcome != ReplyOutcome::Ok) {
        result.problem = ReplyProblem(outcome, line, "after the test data");
        return result;
    }
    result.ok = true;
    return result;
}

PhaseResult RunReadPhase(ServerLink& link, uint64_t bytes) {
    PhaseResult result;
    std::string line;
    if (SendText(link, "<SEND>" + std::to_string(bytes) + kCrLf) != NetStatus::Ok) {
        result.problem = "The test data could not be requested from QVL Server.";
        return result;
    }
    ReplyOutcome outcome = ReceiveReply(link, &line);
    if (outcome != ReplyOutcome::Ok) {
        result.problem = ReplyProblem(outcome, line, "to <SEND>");
        return result;
    }
    long long deadline = PhaseDeadline(link, bytes);
    uint64_t c0 = link.cycles();
    uint64_t received = 0;
    NetStatus status = NetStatus::Ok;
    for (;;) {
        // Bytes that came with the reply count; so does nothing past the last one.
        uint64_t here = std::min<uint64_t>(link.end - link.begin, bytes - received);
        received += here;
        link.begin += static_cast<std::size_t>(here);
        if (received == bytes) break;
        status = Refill(link, deadline);
        if (status != NetStatus::Ok) break;
    }
    result.cycles = link.cycles() - c0;
    result.bytes = received;
    if (received == bytes) {
        result.ok = true;
        return result;
    }
    const char* why = status == NetStatus::Closed     ? "closed the connection"
                      : status == NetStatus::TimedOut ? "stopped sending"
                                                      : "lost the connection";
    result.problem = std::string("QVL Server ") + why + " after " + Bytes(received) + " of " +
                     Bytes(bytes) + ".";
    return result;
}

void CloseServerConnection(ServerLink& link) {
    std::string close = std::string("<CLOS>") + kCrLf;
    link.port.Send(close.data(), close.size(), std::min(link.limits.waitMs, 1000));
    link.port.Close();
    link.begin = link.end = 0;
}

std::string OpenErrorText(int error, const std::string& host, int port) {
    return "Error opening port: Error #" + std::to_string(error) + "\r\n\r\n" +
           "Please make sure QVL Server is running at " + host + ":" + std::to_string(port) +
           ".\r\n\r\n" + "If you are Not Using QVL Server then make sure you enter a shared\r\n" +
           "folder on your network (i.e. F:\\Public Files or \\\\server\\Public Files)\r\n" +
           "in 'Folder or Server IP:' instead.";
}
