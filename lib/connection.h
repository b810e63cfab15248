// The calling thread's connection: socket and receive buffer, in thread-local storage.
#pragma once

#include "platform/net.h"

#include <cstddef>
#include <cstdint>

namespace vorn {

constexpr std::size_t recv_buf_size = 0x80000;

struct connection {
    net::socket_t socket = net::invalid_socket;
    std::uint8_t *recv_buf = nullptr;
    bool net_started = false;
};

connection &this_thread_connection();

} // namespace vorn
