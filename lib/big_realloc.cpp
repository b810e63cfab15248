// Growing a large block the same way on every system: in place while the C runtime holds it,
// otherwise a new block, a copy and the old block freed.
#include "platform/memory.h"

#include <cstdlib>
#include <cstring>

namespace vorn::mem {
void *big_realloc(void *p, std::size_t old_n, std::size_t new_n)
{
    if (!p)
        return big_alloc(new_n);
    if (old_n < mapped_from && new_n < mapped_from)
        return std::realloc(p, new_n ? new_n : 1);
    void *q = big_alloc(new_n);
    if (!q)
        return nullptr;
    std::memcpy(q, p, old_n < new_n ? old_n : new_n);
    big_free(p, old_n);
    return q;
}
} // namespace vorn::mem
