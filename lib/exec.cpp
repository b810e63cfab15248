// exec: frame a command, send it, accumulate the reply and decode it into a result set; and the
// reading side of result sets.
#include "command.h"
#include "last_error.h"
#include "result_set.h"
#include "vorn_tsdb.h"

using namespace vorn;

extern "C" result_set *exec(const char *cmd, int len)
{
    if (len < 0) {
        error_state::connection_lost("the command's length is negative; nothing was sent", false);
        return nullptr;
    }
    if (!cmd)
        len = 0;
    connection *c = command::ready();
    if (!c)
        return nullptr;
    command::busy_scope busy(*c);
    if (!command::send_text(*c, cmd, static_cast<std::uint32_t>(len)))
        return nullptr;
    reply_reader reader(c->recv_buf, recv_buf_size, &c->cancelled);
    result_set *rs = nullptr;
    const reply_reader::outcome got = reader.read_command(c->socket, &rs);
    return command::settle(*c, reader, got) ? rs : nullptr;
}

extern "C" void del_datas(result_set *rs)
{
    if (rs && !rs->lent)
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
