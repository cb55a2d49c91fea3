#include "socket_layer.h"

#include <cstring>

#ifdef _WIN32
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr int kTimedOutError = WSAETIMEDOUT;
constexpr int kHostNotFound = WSAHOST_NOT_FOUND;
bool IsTimeOut(int error) {
    return error == WSAETIMEDOUT;
}
bool IsClosed(int error) {
    return error == WSAECONNRESET || error == WSAECONNABORTED || error == WSAESHUTDOWN;
}
#else
constexpr int kTimedOutError = ETIMEDOUT;
constexpr int kHostNotFound = EHOSTUNREACH;
bool IsTimeOut(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}
bool IsClosed(int error) {
    return error == ECONNRESET || error == EPIPE;
}
#endif

bool ResolveIpv4(const std::string& host, int port, sockaddr_in& address) {
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1) return true;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return true;
}

void SetBlocking(SocketHandle s, bool blocking) {
#ifdef _WIN32
    u_long on = blocking ? 0 : 1;
    ioctlsocket(s, FIONBIO, &on);
#else
    int flags = fcntl(s, F_GETFL, 0);
    fcntl(s, F_SETFL, blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK));
#endif
}

// Waits until a non-blocking connect has finished; 0 or its error.
int FinishConnect(SocketHandle s, int timeoutMs) {
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    int ready = select(static_cast<int>(s) + 1, nullptr, &writable, &failed, &wait);
    if (ready == 0) return kTimedOutError;
    if (ready < 0) return LastSocketError();
    int error = 0;
    socklen_t size = sizeof error;
    getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
    return error;
}

void KeepSmallWritesMoving(SocketHandle s) {
    int on = 1;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

}  // namespace

bool StartSockets() {
#ifdef _WIN32
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
#else
    signal(SIGPIPE, SIG_IGN);  // a peer that went away is an error to report, not a signal
    return true;
#endif
}

int LastSocketError() {
#ifdef _WIN32
    return WSAGetLastError();
#else
    return errno;
#endif
}

std::string SocketErrorText(int error) {
#ifdef _WIN32
    return "socket error " + std::to_string(error);
#else
    return std::strerror(error);
#endif
}

SocketHandle ListenOn(const std::string& address, int port, int& error) {
    sockaddr_in at;
    if (!ResolveIpv4(address, port, at)) {
        error = kHostNotFound;
        return kNoSocket;
    }
    SocketHandle s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNoSocket) {
        error = LastSocketError();
        return kNoSocket;
    }
#ifndef _WIN32
    int reuse = 1;  // a restarted server can take its port while old connections linger
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
#endif
    if (bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(s, 16) != 0) {
        error = LastSocketError();
        CloseSocket(s);
        return kNoSocket;
    }
    error = 0;
    return s;
}

SocketHandle AcceptClient(SocketHandle listener, std::string& peer) {
    sockaddr_in from = {};
    socklen_t size = sizeof from;
    SocketHandle s = accept(listener, reinterpret_cast<sockaddr*>(&from), &size);
    if (s == kNoSocket) return s;
    char text[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    peer = std::string(text) + ":" + std::to_string(ntohs(from.sin_port));
    KeepSmallWritesMoving(s);
    return s;
}

SocketHandle ConnectTo(const std::string& host, int port, int timeoutMs, int& error) {
    sockaddr_in at;
    if (!ResolveIpv4(host, port, at)) {
        error = kHostNotFound;
        return kNoSocket;
    }
    SocketHandle s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == kNoSocket) {
        error = LastSocketError();
        return kNoSocket;
    }
    SetBlocking(s, false);
    error = 0;
    if (connect(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
        int started = LastSocketError();
#ifdef _WIN32
        bool pending = started == WSAEWOULDBLOCK;
#else
        bool pending = started == EINPROGRESS;
#endif
        error = pending ? FinishConnect(s, timeoutMs) : started;
    }
    if (error != 0) {
        CloseSocket(s);
        return kNoSocket;
    }
    SetBlocking(s, true);
    KeepSmallWritesMoving(s);
    return s;
}

void SetSocketTimeouts(SocketHandle s, int receiveMs, int sendMs) {
#ifdef _WIN32
    DWORD receive = static_cast<DWORD>(receiveMs), send = static_cast<DWORD>(sendMs);
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&receive), sizeof receive);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&send), sizeof send);
#else
    timeval receive = {receiveMs / 1000, (receiveMs % 1000) * 1000};
    timeval send = {sendMs / 1000, (sendMs % 1000) * 1000};
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &receive, sizeof receive);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &send, sizeof send);
#endif
}

SocketResult SendAll(SocketHandle s, const char* bytes, std::size_t size) {
    while (size > 0) {
        int piece = static_cast<int>(size > (1u << 30) ? (1u << 30) : size);
#ifdef _WIN32
        int sent = send(s, bytes, piece, 0);
#else
        int sent = static_cast<int>(send(s, bytes, static_cast<std::size_t>(piece), MSG_NOSIGNAL));
#endif
        if (sent <= 0) {
            int error = LastSocketError();
#ifndef _WIN32
            if (error == EINTR) continue;
#endif
            if (IsTimeOut(error)) return SocketResult::TimedOut;
            return IsClosed(error) ? SocketResult::Closed : SocketResult::Failed;
        }
        bytes += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return SocketResult::Ok;
}

SocketResult ReceiveSome(SocketHandle s, char* buffer, std::size_t capacity, std::size_t& got) {
    got = 0;
    for (;;) {
        int piece = static_cast<int>(capacity > (1u << 30) ? (1u << 30) : capacity);
        int n = static_cast<int>(recv(s, buffer, piece, 0));
        if (n > 0) {
            got = static_cast<std::size_t>(n);
            return SocketResult::Ok;
        }
        if (n == 0) return SocketResult::Closed;
        int error = LastSocketError();
#ifndef _WIN32
        if (error == EINTR) continue;
#endif
        if (IsTimeOut(error)) return SocketResult::TimedOut;
        return IsClosed(error) ? SocketResult::Closed : SocketResult::Failed;
    }
}

void ShutdownSending(SocketHandle s) {
#ifdef _WIN32
    shutdown(s, SD_SEND);
#else
    shutdown(s, SHUT_WR);
#endif
}

void CloseSocket(SocketHandle s) {
    if (s == kNoSocket) return;
#ifdef _WIN32
    closesocket(s);
#else
    close(s);
#endif
}
