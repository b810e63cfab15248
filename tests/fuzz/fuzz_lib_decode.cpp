// Fuzzes the reply body decoder: any bytes must give a result set or null, never a crash,
// an over-read or a leak; the rows handed over batch by batch (exec_rows) must be the same rows,
// and refused exactly when the whole decoding refuses them.
#include "result_set.h"
#include "row_stream.h"

#include <cstdint>
#include <cstring>

namespace {
bool same_cell(const cell &a, const cell &b)
{
    if (a.is_string() != b.is_string() || a.str_len != b.str_len || a.type_code != b.type_code ||
        a.sign != b.sign || a.size_code != b.size_code)
        return false;
    if (!a.is_string())
        return std::memcmp(a.value, b.value, sizeof a.value) == 0;
    return !a.str_len || std::memcmp(a.str(), b.str(), a.str_len) == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    result_set *rs = vorn::decode_body(data, size);
    vorn::memory_source in { data, data + size };
    std::uint64_t next = 0;
    bool same = true;
    const vorn::stream_end end = vorn::stream_body(in, size, [&](const result_set &batch) {
        same &= rs && batch.ncol == rs->ncol;
        for (std::uint64_t r = 0; same && r < batch.nrow; ++r, ++next) {
            same &= next < rs->nrow && batch.sids[r] == rs->sids[next];
            for (std::uint64_t c = 0; same && c < batch.ncol; ++c)
                same &= same_cell(batch.cells[r * batch.ncol + c], rs->cells[next * rs->ncol + c]);
        }
        return true;
    });
    if ((end == vorn::stream_end::done) != (rs != nullptr) || !same || (rs && next != rs->nrow))
        __builtin_trap();
    if (!rs)
        return 0;
    // Touch every cell and string so the sanitizer sees any bad pointer.
    volatile std::uint64_t sum = 0;
    for (std::uint64_t i = 0; i < rs->nrow * rs->ncol; ++i) {
        const cell &c = rs->cells[i];
        sum += c.value[0] + c.str_len;
        if (c.is_string() && c.str() && c.str_len)
            sum += static_cast<unsigned char>(c.str()[c.str_len - 1]);
    }
    for (std::uint64_t i = 0; i < rs->ncol; ++i)
        sum += std::strlen(rs->cols[i].bytes);
    delete rs;
    return 0;
}
