// exec: frame a command, send it, accumulate the reply and decode it into a result set.
#include "connection.h"
#include "last_error.h"
#include "reply_reader.h"
#include "result_set.h"
#include "vorn_tsdb.h"

#include <cstdio>
#include <cstring>

using namespace vorn;

namespace {
// The connection was cancelled by another thread: it ends here, whatever the wait was.
result_set *end_cancelled(connection &c)
{
    registry::release(c);
    error_state::connection_lost("cancelled", false);
    return nullptr;
}
} // namespace

extern "C" result_set *exec(const char *cmd, int len)
{
    if (len < 0) {
        error_state::connection_lost("the command's length is negative; nothing was sent", false);
        return nullptr;
    }
    if (!cmd)
        len = 0;
    connection &c = this_thread_connection();
    if (c.cancelled.load(std::memory_order_acquire))
        return end_cancelled(c);
    const std::uint32_t n = static_cast<std::uint32_t>(len);
    std::uint8_t header[4] = { static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                               static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24) };
    if (c.socket == net::invalid_socket)
        net::set_not_connected();
    if (c.socket == net::invalid_socket || !net::send_all(c.socket, header, 4, cmd, n, &c.cancelled)) {
        if (c.cancelled.load(std::memory_order_acquire))
            return end_cancelled(c);
        if (c.socket == net::invalid_socket)
            error_state::connection_lost("not connected to a server", false);
        else
            error_state::connection_lost("sending the command failed");
        std::printf("send error(%d) %s\n", net::last_error(), net::error_text());
        std::printf("send(sid = %d) failed, will closesocket\n", static_cast<int>(c.socket));
        registry::release(c);
        return nullptr;
    }

    reply_reader reader(c.recv_buf, recv_buf_size, &c.cancelled);
    result_set *rs = nullptr;
    const reply_reader::outcome got = reader.read_command(c.socket, &rs);
    if (got != reply_reader::outcome::ok && got != reply_reader::outcome::failed_status &&
        c.cancelled.load(std::memory_order_acquire))
        return end_cancelled(c);
    switch (got) {
    case reply_reader::outcome::ok:
        error_state::succeeded();
        return rs;
    case reply_reader::outcome::failed_status:
        error_state::server_refused(reader.failure_body().data(), reader.failure_body().size());
        return nullptr;
    case reply_reader::outcome::closed:
        std::printf("rsz == 0 and error(%d) is: %s\n", net::last_error(), net::error_text());
        error_state::connection_lost("the server closed the connection", false);
        break;
    case reply_reader::outcome::recv_error:
        error_state::connection_lost("receiving the reply failed");
        break;
    case reply_reader::outcome::malformed:
        error_state::connection_lost(("the server's reply is malformed: " + reader.problem()).c_str(), false);
        break;
    }
    // The rest of the frame, or of a broken one, must not become the answer to a later command.
    registry::release(c);
    return nullptr;
}

extern "C" void del_datas(result_set *rs)
{
    delete rs;
}

extern "C" uint64_t rows_of(const result_set *rs) { return rs ? rs->nrow : 0; }
extern "C" uint64_t cols_of(const result_set *rs) { return rs ? rs->ncol : 0; }

extern "C" uint64_t sid_of(const result_set *rs, uint64_t row)
{
    return rs && row < rs->nrow ? rs->sids[row] : 0;
}

extern "C" const char *col_name(int *len, const result_set *rs, int col)
{
    if (!rs || col < 0 || static_cast<uint64_t>(col) >= rs->ncol)
        return nullptr;
    if (len)
        *len = static_cast<int>(rs->cols[col].len);
    return rs->cols[col].bytes;
}

extern "C" const cell *at(uint64_t row, uint64_t col, const result_set *rs)
{
    if (!rs || row >= rs->nrow || col >= rs->ncol)
        return nullptr;
    return rs->cells + row * rs->ncol + col;
}

extern "C" int val_type(const cell *c)
{
    if (!c || c->type_code > vorn::type_code::last)
        return -1;
    return c->type_code;
}

extern "C" int val_size(const cell *c)
{
    if (!c)
        return 0;
    switch (c->size_code) {
    case vorn::size_code::bytes1: return 1;
    case vorn::size_code::bytes2: return 2;
    case vorn::size_code::bytes4: return 4;
    default: return 8;
    }
}

extern "C" int val_sign(const cell *c) { return c && c->sign != vorn::sign_code::signed_int ? 1 : 0; }
