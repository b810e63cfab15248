// Reads one reply frame (length, status, body) from a socket: a strict state machine over the
// length field, the status byte and the body's own counts. The body is decoded as it arrives,
// through the connection's receive buffer; every frame is consumed to its last byte, also when
// it is refused, so the connection stays in step with the server.
#pragma once

#include "platform/net.h"

#include <cstddef>
#include <cstdint>

struct result_set;

namespace vorn {

class reply_reader {
public:
    enum class outcome { ok, failed_status, closed, recv_error, malformed };

    reply_reader(std::uint8_t *buf, std::size_t buf_len) : buf_(buf), cap_(buf_len) {}

    // The login reply: only status 1 refuses; the body is skipped.
    outcome read_login(net::socket_t s);
    // A command reply: status 0 and a well-formed body give a result set in *out.
    outcome read_command(net::socket_t s, result_set **out);

    std::size_t received() const { return received_; }

private:
    outcome read_header(net::socket_t s, bool any_status);
    outcome drain(net::socket_t s, std::size_t unreceived);

    std::uint8_t *buf_;
    std::size_t cap_;
    std::size_t staged_ = 0;   // bytes in buf_ that belong to this frame
    std::size_t need_ = 0;     // frame bytes in total (length field + 4)
    std::size_t received_ = 0;
    int status_ = -1;
};

} // namespace vorn
