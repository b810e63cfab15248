// Reads one reply frame (length, status, body) from a socket: a strict state machine over the
// length field, the status byte and the body's own counts. The body is decoded as it arrives,
// through the connection's receive buffer. A well-formed frame is consumed to its last byte,
// also when it is refused, so the connection stays in step with the server; after a malformed
// one the caller closes the connection.
#pragma once

#include "platform/net.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

struct result_set;

namespace vorn {

class reply_reader {
public:
    // stopped: the caller's row taker asked to stop (read_command_rows).
    enum class outcome { ok, failed_status, closed, recv_error, malformed, stopped };
    // Takes one batch of rows (see exec_rows); false stops the reading.
    using row_taker = bool (*)(void *ctx, const result_set *rows);

    // stop: the connection's cancel flag; a set flag ends every wait with recv_error.
    reply_reader(std::uint8_t *buf, std::size_t buf_len, const std::atomic<bool> *stop)
        : buf_(buf), cap_(buf_len), stop_(stop) {}

    // The login reply: only status 1 refuses; the body is skipped.
    outcome read_login(net::socket_t s);
    // A command reply: status 0 and a well-formed body give a result set in *out.
    outcome read_command(net::socket_t s, result_set **out);
    // A command reply whose rows go to take batch by batch as they are decoded (take may be
    // null: the rows are dropped). On status 0 take is called at least once.
    outcome read_command_rows(net::socket_t s, row_taker take, void *ctx);

    std::size_t received() const { return received_; }
    // What was wrong with a malformed reply.
    const std::string &problem() const { return problem_; }
    // The start of a refused reply's body (the server's reason), at most failure_text_max bytes.
    const std::string &failure_body() const { return failure_body_; }
    static constexpr std::size_t failure_text_max = 4096;

private:
    outcome read_header(net::socket_t s, bool any_status);
    // Reads and drops the rest of a frame; keep appends its start to failure_body_.
    outcome drain(net::socket_t s, std::size_t unreceived, bool keep = false);
    // Reads a refused frame to its end, keeping the start of its body.
    outcome drain_refused(net::socket_t s);
    // What read_command and read_command_rows share: the header, a refusal, and the frame's end
    // after the body. decode(in, body_len) reads the body; its outcome ok goes on to the end.
    template <class Decode> outcome read_reply(net::socket_t s, Decode &&decode);

    std::uint8_t *buf_;
    std::size_t cap_;
    const std::atomic<bool> *stop_;
    std::size_t staged_ = 0;   // bytes in buf_ that belong to this frame
    std::size_t need_ = 0;     // frame bytes in total (length field + 4)
    std::size_t received_ = 0;
    int status_ = -1;
    std::string failure_body_;
    std::string problem_;
};

} // namespace vorn
