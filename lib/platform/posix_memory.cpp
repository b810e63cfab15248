// Large blocks: plain malloc below 2 MiB, anonymous mappings with transparent huge pages above.
#include "platform/memory.h"

#include <cstdlib>
#include <sys/mman.h>

namespace vorn::mem {
namespace {
constexpr std::size_t huge = mapped_from;
std::size_t rounded(std::size_t n) { return (n + huge - 1) & ~(huge - 1); }
} // namespace

void *big_alloc(std::size_t n)
{
    if (n < huge)
        return std::malloc(n ? n : 1);
    void *p = ::mmap(nullptr, rounded(n), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return nullptr;
#ifdef MADV_HUGEPAGE
    ::madvise(p, rounded(n), MADV_HUGEPAGE);
#endif
    return p;
}

void big_free(void *p, std::size_t n)
{
    if (!p)
        return;
    if (n < huge)
        std::free(p);
    else
        ::munmap(p, rounded(n));
}
} // namespace vorn::mem

namespace vorn::mem {
// Mapped pages cost memory only once touched, so a reservation is an allocation here.
void *big_reserve(std::size_t n) { return big_alloc(n); }
bool big_commit(void *, std::size_t, std::size_t) { return true; }
} // namespace vorn::mem
