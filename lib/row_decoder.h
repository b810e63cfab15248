// The rows of a result-set body: cells from each column's kind and its wire bytes. A row whose
// fixed-size bytes are all in the source already is decoded in one pass without per-field
// checks; a row that reaches past them (the end of the receive buffer, a long string) goes on
// field by field, each field asking the source for its bytes.
#pragma once

#include "platform/memory.h"
#include "result_set.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// The per-cell step must be inlined into the row loop; compilers weigh it as too big to.
#if defined(__GNUC__)
#define VORN_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define VORN_ALWAYS_INLINE inline
#endif

namespace vorn::detail {

// How a column's wire bytes land in its cells.
enum class lands : std::uint8_t { nothing, bytes1, bytes2, bytes4, bytes8, time7, datetime11, string };

struct column_kind {
    cell blank;          // the column's kind bytes with a zero value
    std::uint64_t high;  // the blank cell's last 8 bytes, as one word
    std::size_t width;   // bytes on the wire (strings: the 2-byte length)
    std::size_t rest;    // wire bytes of the columns after this one (strings: their lengths)
    lands how;
};

// The column's kind from its three wire bytes.
inline void set_kind(column_kind &k, const std::uint8_t *wire)
{
    std::memset(&k.blank, 0, sizeof k.blank);
    k.blank.size_code = wire[0];
    k.blank.sign = wire[1];
    k.blank.type_code = wire[2];
    const std::uint8_t size = wire[0];
    switch (k.blank.type_code) {
    case type_code::integer:
        k.how = size == size_code::bytes1 ? lands::bytes1
              : size == size_code::bytes2 ? lands::bytes2
              : size == size_code::bytes4 ? lands::bytes4 : lands::bytes8;
        break;
    case type_code::floating: k.how = size == size_code::bytes4 ? lands::bytes4 : lands::bytes8; break;
    case type_code::string: k.how = lands::string; break;
    case type_code::date: k.how = lands::bytes4; break;
    case type_code::time: k.how = lands::time7; break;
    case type_code::datetime: k.how = lands::datetime11; break;
    default: k.how = lands::nothing; break;
    }
    k.width = proto::wire_width(k.blank.type_code, size);
    std::memcpy(&k.high, reinterpret_cast<const unsigned char *>(&k.blank) + 8, 8);
}

// The wire is little-endian, as are our hosts.
inline std::uint64_t load_u64(const std::uint8_t *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

inline std::uint64_t load_u32(const std::uint8_t *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

static_assert(offsetof(cell, str_len) == 11 && offsetof(cell, type_code) == 15, "cell layout");

// A cell written as two words. Cells are built in registers: a cell assembled in memory by
// pieces and then copied whole stalls the store that follows on every cell.
inline void store_cell(cell *out, std::uint64_t low, std::uint64_t high)
{
    std::memcpy(reinterpret_cast<unsigned char *>(out), &low, 8);
    std::memcpy(reinterpret_cast<unsigned char *>(out) + 8, &high, 8);
}

template <class S> bool read_u64(S &in, std::uint64_t &v)
{
    if (!in.ensure(8))
        return false;
    v = load_u64(in.p);
    in.p += 8;
    return true;
}

// Copies a string's n (> 0) bytes into the arena; null when out of memory.
inline char *copy_string(const std::uint8_t *bytes, std::size_t n, string_arena &arena, std::size_t left)
{
    char *copy = arena.alloc(n, left);
    if (!copy)
        return nullptr;
    if (n >= 8 && n <= 16) {  // the usual short text: two overlapping words
        std::memcpy(copy, bytes, 8);
        std::memcpy(copy + n - 8, bytes + n - 8, 8);
    } else {
        std::memcpy(copy, bytes, n);
    }
    return copy;
}

// One cell from the wire bytes at p; gives the position after them. The value area is bytes 0
// to 10: a time lands at bytes 4 to 10, a date and time fills all eleven; a string cell holds
// the pointer to its copy in the first word and its length in bytes 11 and 12. A fixed-size
// value must be in the source; a string is taken only when its bytes and `after` more are
// (null otherwise, or when its copy finds no memory: *no_memory is set then). The position
// travels by value: through a reference the compiler reloads it after every cell it stores.
template <class S>
VORN_ALWAYS_INLINE const std::uint8_t *put_cell(S &in, cell *out, const column_kind &k, const std::uint8_t *p,
                                                std::size_t after, string_arena &arena, bool *no_memory)
{
    std::uint64_t low = 0, high = k.high;
    switch (k.how) {
    case lands::nothing: break;
    case lands::bytes1: low = p[0]; p += 1; break;
    case lands::bytes2: low = static_cast<std::uint64_t>(p[0] | (p[1] << 8)); p += 2; break;
    case lands::bytes4: low = load_u32(p); p += 4; break;
    case lands::bytes8: low = load_u64(p); p += 8; break;
    case lands::time7:
        low = load_u32(p) << 32;
        high |= load_u32(p + 3) >> 8;
        p += 7;
        break;
    case lands::datetime11:
        low = load_u64(p);
        high |= load_u32(p + 7) >> 8;
        p += 11;
        break;
    case lands::string: {
        const std::size_t n = static_cast<std::size_t>(p[0] | (p[1] << 8));
        const std::size_t here = static_cast<std::size_t>(in.end - p);
        if (here < 2 + n + after)
            return nullptr;
        if (n) {
            char *copy = copy_string(p + 2, n, arena, here + in.unreceived);
            if (!copy) {
                *no_memory = true;
                return nullptr;
            }
            std::memcpy(&low, &copy, sizeof copy);
        }
        high |= static_cast<std::uint64_t>(n) << 24;
        p += 2 + n;
        break;
    }
#if defined(__GNUC__)
    default: __builtin_unreachable();  // set_kind gives every column one of the above
#endif
    }
    store_cell(out, low, high);
    return p;
}

// Columns from `from` on of one row, each field asking the source for its bytes.
template <class S>
bool decode_fields(S &in, cell *row, const column_kind *cols, std::uint64_t from, std::uint64_t ncol,
                   string_arena &arena)
{
    for (std::uint64_t c = from; c < ncol; ++c) {
        const column_kind &k = cols[c];
        if (!in.ensure(k.width))
            return false;
        if (k.how == lands::string && !in.ensure(2 + static_cast<std::size_t>(in.p[0] | (in.p[1] << 8))))
            return false;
        bool no_memory = false;
        const std::uint8_t *next = put_cell(in, row + c, k, in.p, 0, arena, &no_memory);
        if (!next)
            return false;
        in.p = next;
    }
    return true;
}

// Rows from the first on whose cells the bytes that arrived pay for, at one cell per body byte
// as the count check in decode_body: the rows of a body whose length promises bytes that never
// come cannot grow the caller's memory beyond a small multiple of what did come. Receives
// more of the body when the bytes in are not enough; 0 when none can come (a body whose cells
// run more than the receive buffer ahead of its bytes is refused with it).
template <class S>
std::uint64_t rows_paid(S &in, std::size_t body_len, std::uint64_t ncol, std::uint64_t nrow, std::uint64_t first)
{
    if (!ncol)
        return nrow - first;
    for (;;) {
        const std::uint64_t paid = (body_len - in.unreceived) / ncol;
        if (paid > first)
            return (paid < nrow ? paid : nrow) - first;
        if (!in.read_ahead())
            return 0;
    }
}

// One row: its identifier into sid, its cells from row on. A row whose fixed-size bytes are all
// in the source is decoded in one pass; the rest of a row that reaches past them goes field by
// field. row_fixed: a row's bytes without its strings' own bytes.
template <class S>
VORN_ALWAYS_INLINE bool decode_row(S &in, cell *row, std::uint64_t &sid, const column_kind *cols, std::uint64_t ncol,
                                   std::size_t row_fixed, string_arena &arena)
{
    std::uint64_t c = 0;
    if (in.avail() >= row_fixed) {
        const std::uint8_t *p = in.p;
        sid = load_u64(p);
        p += 8;
        bool no_memory = false;
        for (; c < ncol; ++c) {
            const std::uint8_t *next = put_cell(in, row + c, cols[c], p, cols[c].rest, arena, &no_memory);
            if (!next)
                break;  // the rest of the row field by field
            p = next;
        }
        if (no_memory)
            return false;
        in.p = p;
        if (c == ncol)
            return true;
    } else if (!read_u64(in, sid)) {
        return false;
    }
    return decode_fields(in, row, cols, c, ncol, arena);
}

// All rows into rs's reserved blocks (sids, cells).
template <class S>
bool decode_rows(S &in, std::size_t body_len, result_set *rs, const column_kind *cols, std::size_t row_fixed)
{
    const std::uint64_t nrow = rs->nrow, ncol = rs->ncol;
    const std::size_t sid_bytes = static_cast<std::size_t>(nrow) * 8;
    const std::size_t cell_bytes = static_cast<std::size_t>(nrow * ncol) * sizeof(cell);
    std::uint64_t usable = 0;  // rows whose cells may be written
    for (std::uint64_t r = 0; r < nrow; ++r) {
        if (r == usable) {
            const std::uint64_t more = rows_paid(in, body_len, ncol, nrow, r);
            usable = r + more;
            if (!more || !mem::big_commit(rs->sids, sid_bytes, static_cast<std::size_t>(usable) * 8) ||
                !mem::big_commit(rs->cells, cell_bytes, static_cast<std::size_t>(usable * ncol) * sizeof(cell)))
                return false;
        }
        if (!decode_row(in, rs->cells + r * ncol, rs->sids[r], cols, ncol, row_fixed, rs->strings))
            return false;
    }
    return true;
}

} // namespace vorn::detail
