// Large blocks for result sets and reply frames. Off Windows they are mapped with huge pages
// where the system allows it: a million-row result then costs a few hundred page faults
// instead of tens of thousands.
#pragma once

#include <cstddef>

namespace vorn::mem {
void *big_alloc(std::size_t n);
void *big_realloc(void *p, std::size_t old_n, std::size_t new_n);
void big_free(void *p, std::size_t n);
}
