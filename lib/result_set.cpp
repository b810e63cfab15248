// Result-set storage, and decoding of a body held in memory.
#include "result_set.h"

#include "body_decoder.h"
#include "platform/memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace vorn {

string_arena::~string_arena()
{
    while (head_) {
        chunk *next = head_->next;
        mem::big_free(head_, sizeof(chunk) + head_->size);
        head_ = next;
    }
}

void string_arena::reuse()
{
    if (!head_)
        return;
    while (head_->next) {
        chunk *older = head_->next;
        head_->next = older->next;
        reserved_ -= older->size;
        mem::big_free(older, sizeof(chunk) + older->size);
    }
    head_->used = 0;
}

char *string_arena::alloc_in_new_chunk(std::size_t n, std::size_t hint)
{
    constexpr std::size_t step = (4u << 20) - sizeof(chunk);
    std::size_t size = hint < step ? hint : step;
    if (size < n)
        size = n;
    auto *c = static_cast<chunk *>(mem::big_alloc(sizeof(chunk) + size));
    if (!c)
        return nullptr;
    c->next = head_;
    c->size = size;
    c->used = n;
    head_ = c;
    reserved_ += size;
    return reinterpret_cast<char *>(c + 1);
}

result_set *decode_body(const std::uint8_t *body, std::size_t len)
{
    memory_source in { body, body + len };
    return decode_body(in, len);
}

} // namespace vorn

result_set::~result_set()
{
    std::free(cols);
    vorn::mem::big_free(sids, static_cast<std::size_t>(nrow) * 8);
    vorn::mem::big_free(cells, static_cast<std::size_t>(nrow * ncol) * sizeof(cell));
}

std::size_t result_set::footprint() const
{
    return sizeof(result_set) + static_cast<std::size_t>(ncol) * sizeof(vorn::column_name) +
           static_cast<std::size_t>(nrow) * 8 + static_cast<std::size_t>(nrow * ncol) * sizeof(cell) +
           strings.reserved();
}
