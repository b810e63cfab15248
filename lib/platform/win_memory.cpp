// Large blocks on Windows: plain malloc below 2 MiB, virtual memory above. Reservations take
// address space only; big_commit makes their pages usable (and charged) as they are needed.
#include "platform/memory.h"

#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace vorn::mem {
namespace {
constexpr std::size_t big = 2u << 20;
}

void *big_alloc(std::size_t n)
{
    if (n < big)
        return std::malloc(n ? n : 1);
    return VirtualAlloc(nullptr, n, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void *big_realloc(void *p, std::size_t old_n, std::size_t new_n)
{
    if (!p)
        return big_alloc(new_n);
    if (old_n < big && new_n < big)
        return std::realloc(p, new_n ? new_n : 1);
    void *q = big_alloc(new_n);
    if (!q)
        return nullptr;
    std::memcpy(q, p, old_n < new_n ? old_n : new_n);
    big_free(p, old_n);
    return q;
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
