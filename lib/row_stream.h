// A reply's rows handed over batch by batch as they are decoded, instead of collected into one
// result set: the caller's memory stays at the receive buffer plus one batch, whatever the
// reply's size. Decoding follows the same rules as a whole result set (row_decoder.h).
#pragma once

#include "body_decoder.h"
#include "platform/memory.h"
#include "result_set.h"
#include "row_decoder.h"

#include <cstddef>
#include <cstdint>

namespace vorn {

// A batch ends after this many cells (1 MiB of them; at least one row) ...
constexpr std::uint64_t batch_cells = 1u << 16;
// ... or once its rows took this many body bytes (which bounds its strings' copies).
constexpr std::size_t batch_body_bytes = 1u << 20;

enum class stream_end { done, malformed, stopped };

// Decodes the body that `in` delivers (body_len bytes in all) and hands every batch to take(rs),
// a callable that returns false to stop. rs is lent to take: it holds the columns and the
// batch's rows, and is refilled for the next batch once take returns. take is called at least
// once, with no rows when the body holds none.
template <class S, class Take> stream_end stream_body(S &in, std::size_t body_len, Take &&take)
{
    using namespace detail;
    result_set rs;
    rs.lent = true;
    body_head h;
    if (!read_head(in, body_len, &rs, h))
        return stream_end::malformed;
    const std::uint64_t ncol = rs.ncol, nrow = h.nrow;
    if (nrow == 0)
        return take(rs) ? stream_end::done : stream_end::stopped;

    std::uint64_t cap = ncol ? batch_cells / ncol : batch_cells;
    if (cap == 0)
        cap = 1;
    if (cap > nrow)
        cap = nrow;
    const std::size_t sid_bytes = static_cast<std::size_t>(cap) * 8;
    const std::size_t cell_bytes = static_cast<std::size_t>(cap * ncol) * sizeof(cell);
    // The blocks are the batch's own: rs never frees them (its row count changes per batch).
    struct blocks {
        std::uint64_t *sids;
        cell *cells;
        std::size_t sid_bytes, cell_bytes;
        ~blocks()
        {
            mem::big_free(sids, sid_bytes);
            mem::big_free(cells, cell_bytes);
        }
    } own { static_cast<std::uint64_t *>(mem::big_alloc(sid_bytes)),
            static_cast<cell *>(mem::big_alloc(cell_bytes)), sid_bytes, cell_bytes };
    struct lend_end {
        result_set &rs;
        ~lend_end()
        {
            rs.sids = nullptr;
            rs.cells = nullptr;
            rs.nrow = 0;
        }
    } unlend { rs };
    if (!own.sids || !own.cells)
        return stream_end::malformed;
    rs.sids = own.sids;
    rs.cells = own.cells;

    std::uint64_t r = 0, usable = 0;  // rows decoded; rows whose cells the bytes in pay for
    while (r < nrow) {
        rs.strings.reuse();
        const std::size_t left_at_start = in.left();
        std::uint64_t k = 0;
        while (k < cap && r < nrow) {
            if (r == usable) {
                const std::uint64_t more = rows_paid(in, body_len, ncol, nrow, r);
                if (!more)
                    return stream_end::malformed;
                usable = r + more;
            }
            if (!decode_row(in, rs.cells + k * ncol, rs.sids[k], h.cols, ncol, h.row_fixed, rs.strings))
                return stream_end::malformed;
            ++k;
            ++r;
            if (left_at_start - in.left() >= batch_body_bytes)
                break;
        }
        rs.nrow = k;
        if (!take(rs))
            return stream_end::stopped;
    }
    return stream_end::done;
}

} // namespace vorn
