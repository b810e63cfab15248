// Storage of a decoded reply: a few large blocks (cells, row identifiers, names, a string arena)
// so a million-row result costs a handful of allocations and frees.
#pragma once

#include "support/proto/value_kinds.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vorn {
// The codes of a value's kind as the server sends them: a cell's type_code, sign and size_code.
namespace type_code = proto::type_code;
namespace sign_code = proto::sign_code;
namespace size_code = proto::size_code;
// A time value sits after the 4 date bytes of the value area (year 2, month 1, day 1).
using proto::time_offset;
} // namespace vorn

#pragma pack(push, 1)
// One value in 16 bytes. A string cell keeps the pointer to its bytes (in the arena; null when
// empty) in the value area, which no other reading of a string cell sees: the accessors read a
// string cell's value as zero.
struct cell {
    std::uint8_t value[11];  // numbers at the start; temporal record year..nanoseconds
    std::uint16_t str_len;
    std::uint8_t size_code;
    std::uint8_t sign;
    std::uint8_t type_code;

    const char *str() const
    {
        const char *p;
        std::memcpy(&p, value, sizeof p);
        return p;
    }
    void set_str(const char *p) { std::memcpy(value, &p, sizeof p); }
    bool is_string() const { return type_code == vorn::type_code::string; }
};
#pragma pack(pop)
static_assert(sizeof(cell) == 16, "cell layout");

namespace vorn {

struct column_name {
    const char *bytes;  // NUL-terminated, in the name block
    std::uint64_t len;
};

// Bump allocator for string copies; chunks are chained and freed together.
class string_arena {
public:
    string_arena() = default;
    ~string_arena();
    string_arena(const string_arena &) = delete;
    string_arena &operator=(const string_arena &) = delete;

    // hint: bytes that may still be needed at most (keeps the arena near the real total).
    char *alloc(std::size_t n, std::size_t hint)
    {
        if (head_ && head_->size - head_->used >= n) {
            char *p = reinterpret_cast<char *>(head_ + 1) + head_->used;
            head_->used += n;
            return p;
        }
        return alloc_in_new_chunk(n, hint);
    }
    std::size_t reserved() const { return reserved_; }
    // Forgets every copy but keeps the newest chunk for the next ones (a reply's rows handed
    // over batch by batch reuse one arena).
    void reuse();

private:
    struct chunk {
        chunk *next;
        std::size_t size;
        std::size_t used;
    };
    char *alloc_in_new_chunk(std::size_t n, std::size_t hint);
    chunk *head_ = nullptr;
    std::size_t reserved_ = 0;
};

} // namespace vorn

struct result_set {
    std::uint64_t ncol = 0;
    std::uint64_t nrow = 0;
    vorn::column_name *cols = nullptr;  // ncol entries; names follow in the same block
    std::uint64_t *sids = nullptr;      // nrow entries
    cell *cells = nullptr;              // nrow * ncol, row-major
    vorn::string_arena strings;
    // A batch that exec_rows lends to its caller: del_datas leaves it alone.
    bool lent = false;

    ~result_set();
    std::size_t footprint() const;  // bytes held, for measurements
};

namespace vorn {
// Decodes a reply body; null when the body is malformed or promises more than it holds.
result_set *decode_body(const std::uint8_t *body, std::size_t len);
}
