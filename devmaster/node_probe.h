// Looks at a node from the master's side: does it accept TCP connections, and how many bytes
// its tables hold when it is one of our development servers.
#pragma once

#include <cstdint>
#include <string>

namespace devmaster {

struct probe_login {
    std::string user = "admin";
    std::string password = "admin";
};

// True when a TCP connection to ip:port succeeds within timeout_ms; the connection is closed again.
bool node_reachable(const std::string& ip, std::uint16_t port, int timeout_ms);

// Logs in to a development server at ip:port and asks for the bytes its tables hold.
// 0 whenever the node is not such a server or does not answer in time.
std::uint64_t node_used_space(const std::string& ip, std::uint16_t port, const probe_login& login,
                              int timeout_ms);

// The integer in the first cell of a command reply body; false when the body holds none.
bool first_integer_cell(const std::string& body, std::uint64_t& value);

} // namespace devmaster
