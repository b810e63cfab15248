// Packs and unpacks column values; the packed forms are the support library's records and the
// native numbers, copied with memcpy so no alignment is assumed.
#include "table/column_store.h"

#include "support/mem_time.h"

#include <cstdlib>
#include <cstring>

using value_text::kind;
namespace mem = ox::db::mem;

namespace {
std::size_t width_of(kind k)
{
    if (value_text::is_integer(k))
        return std::size_t(value_text::int_bytes(int(k)));
    switch (k) {
    case kind::flt: return 4;
    case kind::dbl: return 8;
    case kind::date: return sizeof(mem::date);
    case kind::time: return sizeof(mem::time);
    case kind::datetime: return sizeof(mem::date_time);
    default: return 0;
    }
}
} // namespace

column_store::column_store(kind k) : kind_(k), width_(width_of(k)) {}

void column_store::reserve(std::size_t rows)
{
    if (kind_ == kind::str)
        ends_.reserve(rows);
    else
        fixed_.reserve(rows * width_);
}

void column_store::append_fixed(const void *p)
{
    const auto *b = static_cast<const unsigned char *>(p);
    fixed_.insert(fixed_.end(), b, b + width_);
    ++count_;
}

void column_store::append_cell(const cell *c)
{
    switch (kind_) {
    case kind::u08: case kind::i08: { const uint8_t v = as_uint8(c); append_fixed(&v); return; }
    case kind::u16: case kind::i16: { const uint16_t v = as_uint16(c); append_fixed(&v); return; }
    case kind::u32: case kind::i32: { const uint32_t v = as_uint32(c); append_fixed(&v); return; }
    case kind::u64: case kind::i64: { const uint64_t v = as_uint64(c); append_fixed(&v); return; }
    case kind::flt: { const float v = as_float(c); append_fixed(&v); return; }
    case kind::dbl: { const double v = as_double(c); append_fixed(&v); return; }
    case kind::str: {
        char *s = nullptr;
        uint64_t len = 0;
        as_str(&s, &len, c);
        if (s)
            text_.insert(text_.end(), s, s + len);
        std::free(s);
        ends_.push_back(text_.size());
        ++count_;
        return;
    }
    case kind::date: {
        int y = 0, mo = 0, d = 0;
        as_date(&y, &mo, &d, c);
        const mem::date v{uint16_t(y), uint8_t(mo), uint8_t(d)};
        append_fixed(&v);
        return;
    }
    case kind::time: {
        int h = 0, mi = 0, s = 0, ns = 0;
        as_time(&h, &mi, &s, &ns, c);
        const mem::time v{uint8_t(h), uint8_t(mi), uint8_t(s), uint32_t(ns)};
        append_fixed(&v);
        return;
    }
    case kind::datetime: {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ns = 0;
        as_datetime(&y, &mo, &d, &h, &mi, &s, &ns, c);
        const mem::date_time v{uint16_t(y), uint8_t(mo), uint8_t(d), uint8_t(h), uint8_t(mi), uint8_t(s), uint32_t(ns)};
        append_fixed(&v);
        return;
    }
    default: ++count_; return;
    }
}

void column_store::append(const QVariant &v)
{
    if (value_text::is_integer(kind_)) {
        const uint64_t bits = value_text::int_bits(v, kind_);
        append_fixed(&bits); // little-endian: the low bytes come first
        return;
    }
    switch (kind_) {
    case kind::flt: { const float f = v.toFloat(); append_fixed(&f); return; }
    case kind::dbl: { const double d = v.toDouble(); append_fixed(&d); return; }
    case kind::str: {
        const QByteArray u = v.toString().toUtf8();
        text_.insert(text_.end(), u.constData(), u.constData() + u.size());
        ends_.push_back(text_.size());
        ++count_;
        return;
    }
    case kind::date: { const mem::date d = v.value<mem::date>(); append_fixed(&d); return; }
    case kind::time: { const mem::time t = v.value<mem::time>(); append_fixed(&t); return; }
    case kind::datetime: { const mem::date_time dt = v.value<mem::date_time>(); append_fixed(&dt); return; }
    default: ++count_; return;
    }
}

QVariant column_store::value(std::size_t row) const
{
    if (row >= count_)
        return QVariant();
    if (kind_ == kind::str) {
        const std::size_t begin = row == 0 ? 0 : ends_[row - 1];
        return QVariant(QString::fromUtf8(text_.data() + begin, int(ends_[row] - begin)));
    }
    const unsigned char *p = fixed_.data() + row * width_;
    if (value_text::is_integer(kind_)) {
        uint64_t bits = 0;
        std::memcpy(&bits, p, width_);
        if (value_text::int_signed(int(kind_)) && width_ < 8 && (bits >> (8 * width_ - 1)))
            bits |= ~uint64_t(0) << (8 * width_);
        return value_text::int_variant(bits, kind_);
    }
    switch (kind_) {
    case kind::flt: { float f; std::memcpy(&f, p, 4); return QVariant(f); }
    case kind::dbl: { double d; std::memcpy(&d, p, 8); return QVariant(d); }
    case kind::date: { mem::date d; std::memcpy(&d, p, sizeof d); return QVariant::fromValue(d); }
    case kind::time: { mem::time t; std::memcpy(&t, p, sizeof t); return QVariant::fromValue(t); }
    case kind::datetime: { mem::date_time dt; std::memcpy(&dt, p, sizeof dt); return QVariant::fromValue(dt); }
    default: return QVariant();
    }
}

std::size_t column_store::bytes_held() const
{
    return fixed_.capacity() + text_.capacity() + ends_.capacity() * sizeof(std::size_t);
}
