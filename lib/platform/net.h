// Socket layer of the library: the few calls the session and exec need, so the protocol code
// is the same on every platform (POSIX sockets in posix_net.cpp, Winsock 2 in win_net.cpp).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vorn::net {

using socket_t = std::int64_t;
constexpr socket_t invalid_socket = -1;

// Longest time a wait sleeps before it looks at its stop flag again.
constexpr int wait_slice_ms = 50;

// Starts the socket subsystem once for the process (WSAStartup on Windows); later calls only
// report whether that start succeeded.
bool startup();

socket_t open_tcp();
void close(socket_t s);
// Ends traffic in both directions without releasing the handle, so another thread may call
// it on a socket its owner is waiting on: the owner wakes (at once where the system allows
// it, else at its next slice) and closes the handle itself.
void shutdown(socket_t s);

// Sets one SOL_SOCKET option; which: 0 reuseaddr, 1 rcvbuf, 2 sndbuf, 3 keepalive.
enum class option { reuseaddr, rcvbuf, sndbuf, keepalive };
bool set_option(socket_t s, option which, int value);

// Every wait below sleeps in slices of at most wait_slice_ms and gives up once *stop is set
// (stop may be null); the last error then says the wait was cancelled.

// Connects to a dotted-decimal IPv4 address; gives up after timeout_ms.
bool connect_ipv4(socket_t s, const char *ip, std::uint16_t port, int timeout_ms,
                  const std::atomic<bool> *stop);

// Sends both pieces completely (retrying interrupted and partial sends, never raising SIGPIPE).
// Returns false on a real send failure.
bool send_all(socket_t s, const void *a, std::size_t alen, const void *b, std::size_t blen,
              const std::atomic<bool> *stop);

// One receive: bytes read, 0 when the peer closed, -1 on error or when stopped.
long recv_some(socket_t s, void *buf, std::size_t len, const std::atomic<bool> *stop);

// The calling thread's last socket error, kept from the failing call itself (later library
// calls cannot replace it), and the system's text for it (UTF-8).
int last_error();
const char *error_text();
// Records "not connected" as the last error, for calls made without a socket.
void set_not_connected();

} // namespace vorn::net
