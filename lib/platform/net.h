// Socket layer of the library: the few calls the session and exec need, so the protocol code
// is the same on every platform. This side is POSIX; a Winsock side implements the same names.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorn::net {

using socket_t = std::int64_t;
constexpr socket_t invalid_socket = -1;

// Per-connection start and clean-up of the socket subsystem (WSAStartup/WSACleanup on Windows).
bool startup();
void cleanup();

socket_t open_tcp();
void close(socket_t s);

// Sets one SOL_SOCKET option; which: 0 reuseaddr, 1 rcvbuf, 2 sndbuf, 3 keepalive.
enum class option { reuseaddr, rcvbuf, sndbuf, keepalive };
bool set_option(socket_t s, option which, int value);

// Connects to a dotted-decimal IPv4 address; gives up after timeout_ms.
bool connect_ipv4(socket_t s, const char *ip, std::uint16_t port, int timeout_ms);

// Sends both pieces completely (retrying interrupted and partial sends, never raising SIGPIPE).
// Returns false on a real send failure.
bool send_all(socket_t s, const void *a, std::size_t alen, const void *b = nullptr, std::size_t blen = 0);

// One receive call: bytes read, 0 when the peer closed, -1 on error. Interrupted calls retry.
long recv_some(socket_t s, void *buf, std::size_t len);

// Last socket error number and the C runtime's errno text.
int last_error();
const char *error_text();

} // namespace vorn::net
