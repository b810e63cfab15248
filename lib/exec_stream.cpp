// exec_pieces and exec_rows: a command whose text, or whose reply's rows, are too large to hold
// at once, taken from or handed to the caller piece by piece as they travel.
#include "command.h"
#include "last_error.h"
#include "result_set.h"
#include "vorn_tsdb.h"

using namespace vorn;

namespace {

// The caller's fill gave up, or broke its promise: the frame is cut short, so the connection
// cannot go on.
bool fill_failed(connection &c, const char *why)
{
    registry::release(c);
    error_state::connection_lost(why, false);
    return false;
}

// Sends the frame of a len-byte text that fill supplies. The pieces are staged in the receive
// buffer, which holds nothing until the reply comes; the length field goes out with the first
// piece, in one send, as exec sends it with the text.
bool send_pieces(connection &c, std::uint64_t len, size_t (*fill)(void *, char *, size_t), void *ctx)
{
    if (c.socket == net::invalid_socket) {
        command::send_failed(c);
        return false;
    }
    std::uint8_t *buf = c.recv_buf;
    for (int i = 0; i < 4; ++i)
        buf[i] = static_cast<std::uint8_t>(len >> (8 * i));
    std::size_t staged = 4;
    std::uint64_t left = len;
    for (;;) {
        while (left && staged < recv_buf_size) {
            const std::size_t room = recv_buf_size - staged;
            const std::size_t want = left < room ? static_cast<std::size_t>(left) : room;
            const std::size_t n = fill(ctx, reinterpret_cast<char *>(buf + staged), want);
            if (c.cancelled.load(std::memory_order_acquire)) {
                command::end_cancelled(c);
                return false;
            }
            if (n == 0)
                return fill_failed(c, "cancelled");
            if (n > want)
                return fill_failed(c, "the command's fill wrote more than it was asked for; the connection is closed");
            staged += n;
            left -= n;
        }
        if (!net::send_all(c.socket, buf, staged, nullptr, 0, &c.cancelled)) {
            command::send_failed(c);
            return false;
        }
        if (!left)
            return true;
        staged = 0;
    }
}

} // namespace

extern "C" result_set *exec_pieces(uint64_t len, size_t (*fill)(void *ctx, char *buf, size_t cap), void *ctx)
{
    if (len > command::max_text) {
        error_state::connection_lost("the command is longer than a frame can carry; nothing was sent", false);
        return nullptr;
    }
    if (len && !fill) {
        error_state::connection_lost("no fill function gives the command's text; nothing was sent", false);
        return nullptr;
    }
    connection *c = command::ready();
    if (!c)
        return nullptr;
    command::busy_scope busy(*c);
    if (!send_pieces(*c, len, fill, ctx))
        return nullptr;
    reply_reader reader(c->recv_buf, recv_buf_size, &c->cancelled);
    result_set *rs = nullptr;
    const reply_reader::outcome got = reader.read_command(c->socket, &rs);
    return command::settle(*c, reader, got) ? rs : nullptr;
}

extern "C" bool exec_rows(const char *cmd, int len, bool (*take)(void *ctx, const result_set *rows), void *ctx)
{
    if (len < 0) {
        error_state::connection_lost("the command's length is negative; nothing was sent", false);
        return false;
    }
    if (!cmd)
        len = 0;
    connection *c = command::ready();
    if (!c)
        return false;
    command::busy_scope busy(*c);
    if (!command::send_text(*c, cmd, static_cast<std::uint32_t>(len)))
        return false;
    reply_reader reader(c->recv_buf, recv_buf_size, &c->cancelled);
    const reply_reader::outcome got = reader.read_command_rows(c->socket, take, ctx);
    return command::settle(*c, reader, got);
}
