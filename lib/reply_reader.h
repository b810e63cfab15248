// Accumulates one reply frame (length, status, body) from a socket. A strict state machine:
// it knows after the header how many bytes remain, receives straight into the reply block,
// and refuses a length of 0xFFFFFFFF, a zero length or a status other than 0 and 1.
#pragma once

#include "platform/net.h"

#include <cstddef>
#include <cstdint>

namespace vorn {

class reply_reader {
public:
    enum class outcome { ok, failed_status, closed, recv_error, malformed };

    // staging: the connection's receive buffer, used until the frame length is known.
    // login: the login reply, whose body is not kept and where only status 1 is a refusal.
    enum class mode { command, login };
    reply_reader(std::uint8_t *staging, std::size_t staging_len, mode m);
    ~reply_reader();
    reply_reader(const reply_reader &) = delete;
    reply_reader &operator=(const reply_reader &) = delete;

    outcome read(net::socket_t s);

    // Valid after outcome::ok when keep_body was set.
    const std::uint8_t *body() const { return body_; }
    std::size_t body_len() const { return body_len_; }
    std::size_t received() const { return received_; }
    int status() const { return status_; }

private:
    bool take_header();
    bool grow_to(std::size_t want);

    std::uint8_t *staging_;
    std::size_t staging_len_;
    bool keep_body_;
    bool any_status_;
    std::uint8_t *frame_ = nullptr;  // the whole frame once the length is known
    std::size_t cap_ = 0;
    std::size_t need_ = 0;           // frame bytes in total (length + 4)
    std::size_t received_ = 0;
    int status_ = -1;
    const std::uint8_t *body_ = nullptr;
    std::size_t body_len_ = 0;
};

} // namespace vorn
