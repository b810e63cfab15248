// The calling thread's connection (socket and receive buffer, in thread-local storage) and the
// registry through which cancel_exec on another thread reaches it.
#pragma once

#include "platform/net.h"

#include "support/proto/wire.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vorn {

constexpr std::size_t recv_buf_size = proto::receive_size;

struct connection {
    // Written only by the owning thread and only under the registry's lock (see below), so a
    // cancelling thread that holds the lock never sees a handle that was already closed.
    net::socket_t socket = net::invalid_socket;
    std::uint8_t *recv_buf = nullptr;
    // Set by cancel_exec; every wait of the owner looks at it.
    std::atomic<bool> cancelled { false };
    bool listed = false;  // in the registry; the owner's own bookkeeping
    // A command is under way: its fill or take, which runs inside it, may not start another
    // command, log in or out on this connection.
    bool busy = false;

    connection() = default;
    connection(const connection &) = delete;
    connection &operator=(const connection &) = delete;
    ~connection();  // the thread ends: unlisted, closed, freed
};

connection &this_thread_connection();

// The owner's side of the registry. A connection is listed from the start of a login until its
// socket is dropped, so cancel_exec finds exactly the threads with a connection or a login in
// progress.
namespace registry {
// A fresh login: listed under the calling thread's identifier, with no cancel pending (a
// cancel_exec that came before cannot reach it).
void begin_login(connection &c);
// Gives the connection its socket.
void attach(connection &c, net::socket_t s);
// Unlists the connection, forgets a pending cancel and closes its socket; the receive buffer
// is freed too.
void release(connection &c);
} // namespace registry

} // namespace vorn
