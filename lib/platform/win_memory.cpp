// Large blocks on Windows: plain malloc below 2 MiB, virtual memory above. Reservations take
// address space only; big_commit makes their pages usable (and charged) as they are needed.
#include "platform/memory.h"

#include <cstdlib>
#include <windows.h>

namespace vorn::mem {
namespace {
constexpr std::size_t big = mapped_from;
}

void *big_alloc(std::size_t n)
{
    if (n < big)
        return std::malloc(n ? n : 1);
    return VirtualAlloc(nullptr, n, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void big_free(void *p, std::size_t n)
{
    if (!p)
        return;
    if (n < big)
        std::free(p);
    else
        VirtualFree(p, 0, MEM_RELEASE);
}

void *big_reserve(std::size_t n)
{
    if (n < big)
        return std::malloc(n ? n : 1);
    return VirtualAlloc(nullptr, n, MEM_RESERVE, PAGE_NOACCESS);
}

bool big_commit(void *p, std::size_t n, std::size_t usable)
{
    if (n < big || usable == 0)
        return true;
    return VirtualAlloc(p, usable < n ? usable : n, MEM_COMMIT, PAGE_READWRITE) != nullptr;
}
} // namespace vorn::mem
