// Plain blocking TCP sockets on both platforms: Winsock in the Windows build, BSD
// sockets elsewhere. Just what a small server and its client need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#ifdef _WIN32
#include <winsock2.h>
using SocketHandle = SOCKET;
inline constexpr SocketHandle kNoSocket = INVALID_SOCKET;
#else
using SocketHandle = int;
inline constexpr SocketHandle kNoSocket = -1;
#endif

// Once per process, before any socket (Winsock wants it).
bool StartSockets();

// The last socket error of this thread, as a number.
int LastSocketError();
std::string SocketErrorText(int error);

// A listening socket on `address` ("127.0.0.1", "0.0.0.0" ...) and `port`.
SocketHandle ListenOn(const std::string& address, int port, int& error);
SocketHandle AcceptClient(SocketHandle listener, std::string& peer);

// Connects to host:port (name or IPv4 address) within `timeoutMs`.
SocketHandle ConnectTo(const std::string& host, int port, int timeoutMs, int& error);

// Time-outs of later sends and receives; 0 waits for ever.
void SetSocketTimeouts(SocketHandle s, int receiveMs, int sendMs);
enum class SocketResult { Ok, Closed, TimedOut, Failed };
// Everything, or the reason it stopped.
SocketResult SendAll(SocketHandle s, const char* bytes, std::size_t size);
// Some bytes (`got` > 0), or why there were none.
SocketResult ReceiveSome(SocketHandle s, char* buffer, std::size_t capacity, std::size_t& got);
void ShutdownSending(SocketHandle s);
void CloseSocket(SocketHandle s);
