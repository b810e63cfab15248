// One cap on the bytes that all connections together hold in partial frames and replies, so
// that many peers announcing large frames cannot take the machine's memory between them.
#pragma once

#include "platform.h"

#include <cstdint>
#include <list>
#include <mutex>
#include <string>
#include <vector>

namespace devserver {

class buffer_budget {
public:
    // One connection's share; registered while the connection's socket is open.
    struct slot {
        std::string peer;
        platform::socket_t sock = platform::no_socket;
        std::uint64_t bytes = 0;
        std::uint64_t since = 0;   // when its current partial frame or reply began (0: none)
        bool closed = false;       // shut down by the budget
    };

    explicit buffer_budget(std::uint64_t cap) : cap_(cap) {}

    slot* enter(const std::string& peer, platform::socket_t sock);
    // Called before the connection closes its socket.
    void leave(slot* s);
    // Sets what the connection holds; `pending` when a frame is part-read or a reply unsent.
    // Past the cap the connections with the newest pending bytes are shut down until the
    // rest fits; their peers are returned for the log.
    std::vector<std::string> charge(slot* s, std::uint64_t bytes, bool pending);
    std::uint64_t total() const;

private:
    mutable std::mutex mutex_;
    std::list<slot> slots_;
    std::uint64_t cap_;
    std::uint64_t total_ = 0;   // bytes of the slots not closed
    std::uint64_t clock_ = 0;
};

} // namespace devserver
