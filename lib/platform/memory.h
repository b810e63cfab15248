// Large blocks for result sets and reply frames. Off Windows they are mapped with huge pages
// where the system allows it: a million-row result then costs a few hundred page faults
// instead of tens of thousands.
#pragma once

#include <cstddef>

namespace vorn::mem {
// Below this size a block is the C runtime's; from it on, the system's own mapping.
constexpr std::size_t mapped_from = 2u << 20;

void *big_alloc(std::size_t n);
void *big_realloc(void *p, std::size_t old_n, std::size_t new_n);
void big_free(void *p, std::size_t n);

// A block of n bytes of which only the first bytes that big_commit made usable may be touched;
// where the system charges memory at allocation (Windows), the rest costs address space only.
// Freed with big_free.
void *big_reserve(std::size_t n);
bool big_commit(void *p, std::size_t n, std::size_t usable);
}
