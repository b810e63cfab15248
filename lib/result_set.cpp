// Body decoder and result-set storage. The decoder is strict: every field is checked against the
// bytes that remain, and counts are checked before anything is allocated for them.
#include "result_set.h"

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

char *string_arena::alloc(std::size_t n, std::size_t hint)
{
    if (!head_ || head_->size - head_->used < n) {
        constexpr std::size_t step = (4u << 20) - sizeof(chunk);
        std::size_t size = hint < step ? hint : step;
        if (size < n)
            size = n;
        auto *c = static_cast<chunk *>(mem::big_alloc(sizeof(chunk) + size));
        if (!c)
            return nullptr;
        c->next = head_;
        c->size = size;
        c->used = 0;
        head_ = c;
        reserved_ += size;
    }
    char *p = reinterpret_cast<char *>(head_ + 1) + head_->used;
    head_->used += n;
    return p;
}

namespace {

class reader {
public:
    reader(const std::uint8_t *p, std::size_t n) : p_(p), end_(p + n) {}
    std::size_t left() const { return static_cast<std::size_t>(end_ - p_); }
    bool u64(std::uint64_t &v)
    {
        if (left() < 8)
            return false;
        v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | p_[i];
        p_ += 8;
        return true;
    }
    const std::uint8_t *take(std::size_t n)
    {
        if (left() < n)
            return nullptr;
        const std::uint8_t *at = p_;
        p_ += n;
        return at;
    }
    const std::uint8_t *pos() const { return p_; }
    void skip(std::size_t n) { p_ += n; }

private:
    const std::uint8_t *p_;
    const std::uint8_t *end_;
};

// Wire width of a value of the given kind; strings report their length prefix only.
std::size_t wire_width(std::uint8_t type_code, std::uint8_t size_code)
{
    switch (type_code) {
    case 0: return size_code == 0 ? 1 : size_code == 1 ? 2 : size_code == 2 ? 4 : 8;
    case 1: return size_code == 2 ? 4 : 8;
    case 2: return 2;
    case 3: return 4;
    case 4: return 7;
    case 5: return 11;
    default: return 0;
    }
}

struct column_kind {
    cell blank;          // the column's kind bytes with a zero value
    std::size_t width;   // bytes on the wire (strings: the 2-byte length)
    std::size_t offset;  // where the wire bytes land in the value area
};

} // namespace

result_set *decode_body(const std::uint8_t *body, std::size_t len)
{
    auto *rs = new (std::nothrow) result_set;
    if (!rs)
        return nullptr;
    if (len == 0)
        return rs;

    reader in(body, len);
    std::uint64_t ncol = 0;
    // Each column needs at least its 8-byte name length, so a larger count cannot be real.
    if (!in.u64(ncol) || ncol > in.left() / 8) {
        delete rs;
        return nullptr;
    }
    // First pass over the names to size their block.
    std::size_t names_bytes = 0;
    {
        reader probe = in;
        for (std::uint64_t i = 0; i < ncol; ++i) {
            std::uint64_t n = 0;
            if (!probe.u64(n) || n > probe.left()) {
                delete rs;
                return nullptr;
            }
            probe.skip(static_cast<std::size_t>(n));
            names_bytes += static_cast<std::size_t>(n) + 1;
        }
    }
    const std::size_t table_bytes = static_cast<std::size_t>(ncol) * sizeof(column_name);
    rs->cols = static_cast<column_name *>(std::malloc(table_bytes + names_bytes + 1));
    if (!rs->cols) {
        delete rs;
        return nullptr;
    }
    rs->ncol = ncol;
    char *names = reinterpret_cast<char *>(rs->cols) + table_bytes;
    for (std::uint64_t i = 0; i < ncol; ++i) {
        std::uint64_t n = 0;
        in.u64(n);
        const std::uint8_t *bytes = in.take(static_cast<std::size_t>(n));
        if (n)
            std::memcpy(names, bytes, static_cast<std::size_t>(n));
        names[n] = '\0';
        rs->cols[i] = { names, n };
        names += n + 1;
    }

    std::uint64_t nrow = 0;
    if (!in.u64(nrow)) {
        delete rs;
        return nullptr;
    }
    if (nrow == 0)
        return rs;

    const std::uint8_t *kinds = in.take(static_cast<std::size_t>(ncol) * 3);
    if (!kinds) {
        delete rs;
        return nullptr;
    }
    column_kind *cols = static_cast<column_kind *>(std::malloc(sizeof(column_kind) * (ncol ? ncol : 1)));
    if (!cols) {
        delete rs;
        return nullptr;
    }
    std::size_t min_row = 8;
    for (std::uint64_t c = 0; c < ncol; ++c) {
        column_kind &k = cols[c];
        std::memset(&k.blank, 0, sizeof k.blank);
        k.blank.size_code = kinds[c * 3];
        k.blank.sign = kinds[c * 3 + 1];
        k.blank.type_code = kinds[c * 3 + 2];
        k.width = wire_width(k.blank.type_code, k.blank.size_code);
        k.offset = k.blank.type_code == 4 ? 4 : 0;
        min_row += k.width;
    }
    // Rows that cannot fit in the remaining bytes, or more cells than body bytes (only kinds
    // without wire bytes could promise that), are refused before the cell block is allocated.
    const std::size_t left = in.left();
    if (nrow > left / min_row || (ncol && nrow > len / ncol)) {
        std::free(cols);
        delete rs;
        return nullptr;
    }
    const std::size_t ncells = static_cast<std::size_t>(nrow * ncol);
    rs->sids = static_cast<std::uint64_t *>(mem::big_alloc(static_cast<std::size_t>(nrow) * 8));
    rs->cells = static_cast<cell *>(mem::big_alloc(ncells * sizeof(cell)));
    rs->nrow = nrow;  // the block sizes for the destructor
    if (!rs->sids || !rs->cells) {
        std::free(cols);
        delete rs;
        return nullptr;
    }

    cell *out = rs->cells;
    bool ok = true;
    std::uint64_t r = 0;
    for (; r < nrow && ok; ++r) {
        if (!in.u64(rs->sids[r])) {
            ok = false;
            break;
        }
        for (std::uint64_t c = 0; c < ncol; ++c, ++out) {
            const column_kind &k = cols[c];
            *out = k.blank;
            const std::uint8_t *v = in.take(k.width);
            if (!v) {
                ok = false;
                break;
            }
            if (k.blank.type_code == 2) {
                const std::uint16_t n = static_cast<std::uint16_t>(v[0] | (v[1] << 8));
                out->str_len = n;
                if (n) {
                    const std::uint8_t *s = in.take(n);
                    char *copy = s ? rs->strings.alloc(n, in.left() + n) : nullptr;
                    if (!copy) {
                        ok = false;
                        break;
                    }
                    std::memcpy(copy, s, n);
                    out->str = copy;
                }
            } else if (k.width) {
                std::memcpy(out->value + k.offset, v, k.width);
            }
        }
    }
    std::free(cols);
    if (!ok) {
        delete rs;
        return nullptr;
    }
    return rs;
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
