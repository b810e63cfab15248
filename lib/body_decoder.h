// Decoder of a result-set body as one strict pass over a byte source. The source is either a
// block in memory or the socket itself, refilled through the connection's receive buffer, so a
// large reply is decoded as it arrives and is never held whole.
#pragma once

#include "platform/memory.h"
#include "result_set.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace vorn {

// A body that is already in memory. A source also tells how much of the body has not arrived
// yet (unreceived) and can be asked to receive more without consuming it (read_ahead).
struct memory_source {
    const std::uint8_t *p;
    const std::uint8_t *end;
    static constexpr std::size_t unreceived = 0;
    bool ensure(std::size_t n) { return static_cast<std::size_t>(end - p) >= n; }
    std::size_t avail() const { return static_cast<std::size_t>(end - p); }
    std::size_t left() const { return avail(); }  // bytes of the body not yet consumed
    bool read_ahead() { return false; }
};

namespace detail {

template <class S> bool read_u64(S &in, std::uint64_t &v)
{
    if (!in.ensure(8))
        return false;
    v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | in.p[i];
    in.p += 8;
    return true;
}

// Bytes a value takes on the wire (a string: its 2-byte length; its bytes follow).
inline std::size_t wire_width(std::uint8_t type, std::uint8_t size)
{
    switch (type) {
    case type_code::integer:
        return size == size_code::bytes1 ? 1 : size == size_code::bytes2 ? 2 : size == size_code::bytes4 ? 4 : 8;
    case type_code::floating: return size == size_code::bytes4 ? 4 : 8;
    case type_code::string: return 2;
    case type_code::date: return 4;
    case type_code::time: return 7;
    case type_code::datetime: return 11;
    default: return 0;
    }
}

struct column_kind {
    cell blank;          // the column's kind bytes with a zero value
    std::size_t width;   // bytes on the wire (strings: the 2-byte length)
    std::size_t offset;  // where the wire bytes land in the value area
};

template <class S> bool read_names(S &in, result_set *rs, std::uint64_t ncol)
{
    std::string names;
    std::string lengths;  // the lengths, kept as raw u64s until the block is sized
    for (std::uint64_t i = 0; i < ncol; ++i) {
        std::uint64_t n = 0;
        if (!read_u64(in, n) || n > in.left())
            return false;
        lengths.append(reinterpret_cast<const char *>(&n), 8);
        // A name may be longer than what the source holds at once: copy it in pieces.
        while (n) {
            if (!in.ensure(1))
                return false;
            const std::size_t k = in.avail() < n ? in.avail() : static_cast<std::size_t>(n);
            names.append(reinterpret_cast<const char *>(in.p), k);
            in.p += k;
            n -= k;
        }
        names.push_back('\0');
    }
    const std::size_t table = static_cast<std::size_t>(ncol) * sizeof(column_name);
    rs->cols = static_cast<column_name *>(std::malloc(table + names.size() + 1));
    if (!rs->cols)
        return false;
    char *at = reinterpret_cast<char *>(rs->cols) + table;
    std::memcpy(at, names.data(), names.size());
    for (std::uint64_t i = 0; i < ncol; ++i) {
        std::uint64_t n;
        std::memcpy(&n, lengths.data() + i * 8, 8);
        rs->cols[i] = { at, n };
        at += n + 1;
    }
    rs->ncol = ncol;
    return true;
}

// Rows from row r on whose cells the bytes that arrived pay for, at one cell per body byte
// as the count check in decode_body: the rows of a body whose length promises bytes that never
// come cannot grow the caller's memory beyond a small multiple of what did come. Receives
// more of the body when the bytes in are not enough; 0 when none can come (a body whose cells
// run more than the receive buffer ahead of its bytes is refused with it).
template <class S>
std::uint64_t rows_paid(S &in, std::size_t body_len, std::uint64_t ncol, std::uint64_t nrow, std::uint64_t r)
{
    if (!ncol)
        return nrow - r;
    for (;;) {
        const std::uint64_t paid = (body_len - in.unreceived) / ncol;
        if (paid > r)
            return (paid < nrow ? paid : nrow) - r;
        if (!in.read_ahead())
            return 0;
    }
}

} // namespace detail

// Decodes the body that `in` delivers; body_len is its total size. Null when the body is
// malformed or promises more than it holds; counts are checked before anything is sized by them.
template <class S> result_set *decode_body(S &in, std::size_t body_len)
{
    using namespace detail;
    auto *rs = new (std::nothrow) result_set;
    if (!rs)
        return nullptr;
    if (body_len == 0)
        return rs;

    std::uint64_t ncol = 0;
    // Each column needs at least its 8-byte name length, so a larger count cannot be real.
    if (!read_u64(in, ncol) || ncol > in.left() / 8 || !read_names(in, rs, ncol)) {
        delete rs;
        return nullptr;
    }
    std::uint64_t nrow = 0;
    if (!read_u64(in, nrow)) {
        delete rs;
        return nullptr;
    }
    if (nrow == 0)
        return rs;

    const std::size_t kinds_len = static_cast<std::size_t>(ncol) * 3;
    if (kinds_len > in.left()) {
        delete rs;
        return nullptr;
    }
    auto *cols = static_cast<column_kind *>(std::malloc(sizeof(column_kind) * (ncol ? ncol : 1)));
    if (!cols) {
        delete rs;
        return nullptr;
    }
    std::size_t min_row = 8;
    for (std::uint64_t c = 0; c < ncol; ++c) {
        if (!in.ensure(3)) {
            std::free(cols);
            delete rs;
            return nullptr;
        }
        column_kind &k = cols[c];
        std::memset(&k.blank, 0, sizeof k.blank);
        k.blank.size_code = in.p[0];
        k.blank.sign = in.p[1];
        k.blank.type_code = in.p[2];
        in.p += 3;
        k.width = wire_width(k.blank.type_code, k.blank.size_code);
        k.offset = k.blank.type_code == type_code::time ? time_offset : 0;
        min_row += k.width;
    }
    // Rows that cannot fit in the remaining bytes, or more cells than body bytes (only kinds
    // without wire bytes could promise that), are refused before the cell block is allocated.
    if (nrow > in.left() / min_row || (ncol && nrow > body_len / ncol)) {
        std::free(cols);
        delete rs;
        return nullptr;
    }
    const std::size_t ncells = static_cast<std::size_t>(nrow * ncol);
    rs->sids = static_cast<std::uint64_t *>(mem::big_reserve(static_cast<std::size_t>(nrow) * 8));
    rs->cells = static_cast<cell *>(mem::big_reserve(ncells * sizeof(cell)));
    rs->nrow = nrow;  // the block sizes for the destructor
    if (!rs->sids || !rs->cells) {
        std::free(cols);
        delete rs;
        return nullptr;
    }

    cell *out = rs->cells;
    bool ok = true;
    std::uint64_t usable = 0;  // rows whose cells may be written
    for (std::uint64_t r = 0; r < nrow && ok; ++r) {
        if (r == usable) {
            const std::uint64_t more = rows_paid(in, body_len, ncol, nrow, r);
            usable = r + more;
            if (!more || !mem::big_commit(rs->sids, static_cast<std::size_t>(nrow) * 8, usable * 8) ||
                !mem::big_commit(rs->cells, ncells * sizeof(cell),
                                 static_cast<std::size_t>(usable * ncol) * sizeof(cell))) {
                ok = false;
                break;
            }
        }
        if (!read_u64(in, rs->sids[r])) {
            ok = false;
            break;
        }
        for (std::uint64_t c = 0; c < ncol; ++c, ++out) {
            const column_kind &k = cols[c];
            *out = k.blank;
            if (!in.ensure(k.width)) {
                ok = false;
                break;
            }
            if (k.blank.type_code == type_code::string) {
                const std::uint16_t n = static_cast<std::uint16_t>(in.p[0] | (in.p[1] << 8));
                out->str_len = n;
                if (n) {
                    if (!in.ensure(2u + n)) {
                        ok = false;
                        break;
                    }
                    char *copy = rs->strings.alloc(n, in.left());
                    if (!copy) {
                        ok = false;
                        break;
                    }
                    std::memcpy(copy, in.p + 2, n);
                    out->set_str(copy);
                }
                in.p += 2u + n;
            } else if (k.width) {
                std::memcpy(out->value + k.offset, in.p, k.width);
                in.p += k.width;
            }
        }
    }
    std::free(cols);
    if (!ok) {
        delete rs;
        return nullptr;
    }
    return rs;
}

} // namespace vorn
