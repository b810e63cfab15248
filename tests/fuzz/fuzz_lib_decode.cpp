// Fuzzes the reply body decoder: any bytes must give a result set or null, never a crash,
// an over-read or a leak.
#include "result_set.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    result_set *rs = vorn::decode_body(data, size);
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
