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
    std::size_t row_fixed = 8;
    for (std::uint64_t c = 0; c < ncol; ++c) {
        if (!in.ensure(3)) {
            std::free(cols);
            delete rs;
            return nullptr;
        }
        set_kind(cols[c], in.p);
        in.p += 3;
        row_fixed += cols[c].width;
    }
    for (std::uint64_t c = ncol, rest = 0; c-- > 0; rest += cols[c].width)
        cols[c].rest = rest;
    // Rows that cannot fit in the remaining bytes, or more cells than body bytes (only kinds
    // without wire bytes could promise that), are refused before the cell block is allocated.
    if (nrow > in.left() / row_fixed || (ncol && nrow > body_len / ncol)) {
        std::free(cols);
        delete rs;
        return nullptr;
    }
    const std::size_t ncells = static_cast<std::size_t>(nrow * ncol);
    rs->sids = static_cast<std::uint64_t *>(mem::big_reserve(static_cast<std::size_t>(nrow) * 8));
    rs->cells = static_cast<cell *>(mem::big_reserve(ncells * sizeof(cell)));
    rs->nrow = nrow;  // the block sizes for the destructor
    const bool ok = rs->sids && rs->cells && decode_rows(in, body_len, rs, cols, row_fixed);
    std::free(cols);
    if (!ok) {
        delete rs;
        return nullptr;
    }
    return rs;
}

} // namespace vorn
