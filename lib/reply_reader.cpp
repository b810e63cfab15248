// Reply reading; see reply_reader.h.
#include "reply_reader.h"

#include "support/proto/wire.h"

#include "body_decoder.h"
#include "row_stream.h"

#include <cstring>

namespace vorn {

namespace {
constexpr std::size_t max_recv = proto::receive_size;

// The socket as a byte source for the body decoder: bytes are handed out from the receive
// buffer, which is refilled (after moving the unread rest to its front) when a field needs more.
struct socket_source {
    net::socket_t s;
    const std::atomic<bool> *stop;
    std::uint8_t *buf;
    std::size_t cap;
    const std::uint8_t *p;
    std::uint8_t *end;
    std::size_t unreceived;      // body bytes still in the socket
    reply_reader::outcome io = reply_reader::outcome::ok;

    std::size_t avail() const { return static_cast<std::size_t>(end - p); }
    std::size_t left() const { return avail() + unreceived; }
    bool ensure(std::size_t n) { return avail() >= n || refill(n); }

    bool refill(std::size_t n)
    {
        if (n > cap || n > left() || io != reply_reader::outcome::ok)
            return false;
        compact();
        while (avail() < n)
            if (!receive())
                return false;
        return true;
    }

    // Receives more of the body without consuming any: false when nothing more can come (all
    // of it is in, the buffer holds nothing but unread bytes, or the connection failed).
    bool read_ahead()
    {
        if (!unreceived || io != reply_reader::outcome::ok)
            return false;
        if (end == buf + cap) {
            if (p == buf)
                return false;
            compact();
        }
        return receive();
    }

private:
    void compact()
    {
        const std::size_t have = avail();
        std::memmove(buf, p, have);
        p = buf;
        end = buf + have;
    }

    bool receive()
    {
        std::size_t want = static_cast<std::size_t>(buf + cap - end);
        if (want > unreceived)
            want = unreceived;
        if (want > max_recv)
            want = max_recv;
        const long k = net::recv_some(s, end, want, stop);
        if (k <= 0) {
            io = k == 0 ? reply_reader::outcome::closed : reply_reader::outcome::recv_error;
            return false;
        }
        end += k;
        unreceived -= static_cast<std::size_t>(k);
        return true;
    }
};
} // namespace

reply_reader::outcome reply_reader::read_header(net::socket_t s, bool any_status)
{
    // Until the length is known the frame's end is unknown: receive into the buffer until the
    // length field and the status byte are in.
    std::size_t staged = 0;
    const std::size_t room = cap_ < max_recv ? cap_ : max_recv;
    while (staged < 5) {
        const long n = net::recv_some(s, buf_ + staged, room - staged, stop_);
        if (n == 0)
            return outcome::closed;
        if (n < 0)
            return outcome::recv_error;
        staged += static_cast<std::size_t>(n);
        received_ = staged;
        if (staged >= 4) {
            std::uint32_t len = 0;
            std::memcpy(&len, buf_, 4);  // the wire is little-endian, as are our hosts
            if (len == proto::disconnect_length || len == 0) {
                problem_ = len == 0 ? "a length of 0" : "the length 0xFFFFFFFF";
                return outcome::malformed;
            }
            need_ = static_cast<std::size_t>(len) + 4;
        }
    }
    if (staged > need_) {
        // Nothing may follow a reply before the next request: the server is out of step.
        problem_ = "bytes after the end of its frame";
        return outcome::malformed;
    }
    staged_ = staged;
    received_ = staged_;
    status_ = buf_[4];
    if (status_ != proto::status_ok && status_ != proto::status_failed && !any_status) {
        problem_ = "status " + std::to_string(status_);
        return outcome::malformed;
    }
    return outcome::ok;
}

reply_reader::outcome reply_reader::drain(net::socket_t s, std::size_t unreceived, bool keep)
{
    while (unreceived) {
        const std::size_t want = unreceived < cap_ ? unreceived : cap_;
        const long n = net::recv_some(s, buf_, want < max_recv ? want : max_recv, stop_);
        if (n == 0)
            return outcome::closed;
        if (n < 0)
            return outcome::recv_error;
        const std::size_t got = static_cast<std::size_t>(n);
        if (keep && failure_body_.size() < failure_text_max) {
            const std::size_t room = failure_text_max - failure_body_.size();
            failure_body_.append(reinterpret_cast<const char *>(buf_), got < room ? got : room);
        }
        unreceived -= got;
        received_ += got;
    }
    return outcome::ok;
}

reply_reader::outcome reply_reader::drain_refused(net::socket_t s)
{
    const std::size_t staged_body = staged_ - 5;
    failure_body_.assign(reinterpret_cast<const char *>(buf_) + 5,
                         staged_body < failure_text_max ? staged_body : failure_text_max);
    return drain(s, need_ - staged_, true);
}

reply_reader::outcome reply_reader::read_login(net::socket_t s)
{
    outcome o = read_header(s, true);
    if (o != outcome::ok)
        return o;
    if (status_ == proto::status_failed) {
        o = drain_refused(s);
        return o == outcome::ok ? outcome::failed_status : o;
    }
    o = drain(s, need_ - staged_);
    return o;
}

template <class Decode> reply_reader::outcome reply_reader::read_reply(net::socket_t s, Decode &&decode)
{
    outcome o = read_header(s, false);
    if (o != outcome::ok)
        return o;
    if (status_ == proto::status_failed) {
        o = drain_refused(s);
        return o == outcome::ok ? outcome::failed_status : o;
    }
    const std::size_t body_len = need_ - 5;
    socket_source in { s, stop_, buf_, cap_, buf_ + 5, buf_ + staged_, need_ - staged_ };
    o = decode(in, body_len);
    received_ = need_ - in.unreceived;
    if (in.io != outcome::ok)
        return in.io;
    if (o == outcome::malformed)
        // The connection is closed for it: the rest of the frame may be far away or never come.
        problem_ = "its result set does not fit its length";
    if (o != outcome::ok)
        return o;
    // Bytes after the rows inside the frame are read and dropped so the next reply starts at its
    // own length field.
    return drain(s, in.unreceived);
}

reply_reader::outcome reply_reader::read_command(net::socket_t s, result_set **out)
{
    *out = nullptr;
    result_set *rs = nullptr;
    const outcome o = read_reply(s, [&rs](socket_source &in, std::size_t body_len) {
        rs = decode_body(in, body_len);
        return rs ? outcome::ok : outcome::malformed;
    });
    if (o != outcome::ok) {
        delete rs;
        return o;
    }
    *out = rs;
    return outcome::ok;
}

reply_reader::outcome reply_reader::read_command_rows(net::socket_t s, row_taker take, void *ctx)
{
    return read_reply(s, [take, ctx](socket_source &in, std::size_t body_len) {
        const stream_end end = stream_body(in, body_len, [take, ctx](const result_set &rows) {
            return !take || take(ctx, &rows);
        });
        return end == stream_end::done ? outcome::ok : end == stream_end::stopped ? outcome::stopped : outcome::malformed;
    });
}

} // namespace vorn
