// Decoder of a result-set body as one strict pass over a byte source. The source is either a
// block in memory or the socket itself, refilled through the connection's receive buffer, so a
// large reply is decoded as it arrives and is never held whole.
#pragma once

#include "platform/memory.h"
#include "result_set.h"
#include "row_decoder.h"

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

} // namespace detail

// What comes before a body's rows: the row count and the columns' kinds (the names go into the
// result set). cols is null when there are no rows.
struct body_head {
    std::uint64_t nrow = 0;
    detail::column_kind *cols = nullptr;
    std::size_t row_fixed = 8;  // a row's bytes without its strings' own bytes

    body_head() = default;
    body_head(const body_head &) = delete;
    body_head &operator=(const body_head &) = delete;
    ~body_head() { std::free(cols); }
};

// Reads the names into rs, then the row count and the kinds; false when the body is malformed
// or its counts promise more than it holds. Counts are checked before anything is sized by them.
template <class S> bool read_head(S &in, std::size_t body_len, result_set *rs, body_head &h)
{
    using namespace detail;
    if (body_len == 0)
        return true;
    std::uint64_t ncol = 0;
    // Each column needs at least its 8-byte name length, so a larger count cannot be real.
    if (!read_u64(in, ncol) || ncol > in.left() / 8 || !read_names(in, rs, ncol))
        return false;
    std::uint64_t nrow = 0;
    if (!read_u64(in, nrow))
        return false;
    if (nrow == 0)
        return true;

    const std::size_t kinds_len = static_cast<std::size_t>(ncol) * 3;
    if (kinds_len > in.left())
        return false;
    h.cols = static_cast<column_kind *>(std::malloc(sizeof(column_kind) * (ncol ? ncol : 1)));
    if (!h.cols)
        return false;
    std::size_t row_fixed = 8;
    for (std::uint64_t c = 0; c < ncol; ++c) {
        if (!in.ensure(3))
            return false;
        set_kind(h.cols[c], in.p);
        in.p += 3;
        row_fixed += h.cols[c].width;
    }
    for (std::uint64_t c = ncol, rest = 0; c-- > 0; rest += h.cols[c].width)
        h.cols[c].rest = rest;
    // Rows that cannot fit in the remaining bytes, or more cells than body bytes (only kinds
    // without wire bytes could promise that), are refused before any cell is allocated.
    if (nrow > in.left() / row_fixed || (ncol && nrow > body_len / ncol))
        return false;
    h.nrow = nrow;
    h.row_fixed = row_fixed;
    return true;
}

// Decodes the body that `in` delivers; body_len is its total size. Null when the body is
// malformed or promises more than it holds.
template <class S> result_set *decode_body(S &in, std::size_t body_len)
{
    using namespace detail;
    auto *rs = new (std::nothrow) result_set;
    if (!rs)
        return nullptr;
    body_head h;
    if (!read_head(in, body_len, rs, h)) {
        delete rs;
        return nullptr;
    }
    if (h.nrow == 0)
        return rs;
    const std::uint64_t nrow = h.nrow;
    const std::size_t ncells = static_cast<std::size_t>(nrow * rs->ncol);
    rs->sids = static_cast<std::uint64_t *>(mem::big_reserve(static_cast<std::size_t>(nrow) * 8));
    rs->cells = static_cast<cell *>(mem::big_reserve(ncells * sizeof(cell)));
    rs->nrow = nrow;  // the block sizes for the destructor
    if (!rs->sids || !rs->cells || !decode_rows(in, body_len, rs, h.cols, h.row_fixed)) {
        delete rs;
        return nullptr;
    }
    return rs;
}

} // namespace vorn
