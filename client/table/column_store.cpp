// Packs and unpacks column values; the packed forms and the reading of cells are those of the
// value kinds, copied with memcpy so no alignment is assumed.
#include "table/column_store.h"

#include "support/mem_time.h"

#include <cstring>
#include <limits>

using kind = value_kind;
namespace mem = ox::db::mem;

column_store::column_store(kind k) : kind_(k), width_(std::size_t(kind_row(k).packed_width)) {}

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
    if (kind_ == kind::str) {
        read_string(c, [this](const char *bytes, std::uint64_t len) {
            text_.insert(text_.end(), bytes, bytes + len);
        });
        ends_.push_back(text_.size());
        ++count_;
        return;
    }
    if (width_ == 0) {
        ++count_;
        return;
    }
    const std::size_t at = fixed_.size();
    fixed_.resize(at + width_);
    read_packed(c, kind_, fixed_.data() + at);
    ++count_;
}

void column_store::append(const QVariant &v)
{
    if (is_integer(kind_)) {
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

void column_store::append_row_of(const column_store &src, std::size_t row)
{
    if (src.kind_ != kind_ || row >= src.count_)
        return;
    if (kind_ == kind::str) {
        const std::size_t begin = row == 0 ? 0 : src.ends_[row - 1];
        text_.insert(text_.end(), src.text_.begin() + std::ptrdiff_t(begin), src.text_.begin() + std::ptrdiff_t(src.ends_[row]));
        ends_.push_back(text_.size());
        ++count_;
        return;
    }
    if (width_ == 0) {
        ++count_;
        return;
    }
    append_fixed(src.fixed_.data() + row * width_);
}

QVariant column_store::value(std::size_t row) const
{
    if (row >= count_)
        return QVariant();
    if (kind_ == kind::str) {
        const std::size_t begin = row == 0 ? 0 : ends_[row - 1];
        if (ends_[row] == begin) // also when no row has text: an empty string, never a null one
            return QVariant(QString(QLatin1String("")));
        return QVariant(QString::fromUtf8(text_.data() + begin, int(ends_[row] - begin)));
    }
    return width_ ? packed_value(fixed_.data() + row * width_, kind_) : QVariant();
}

std::size_t column_store::bytes_held() const
{
    return fixed_.capacity() + text_.capacity() + ends_.capacity() * sizeof(std::size_t);
}

bool column_store::number_at(std::size_t row, double *out) const
{
    if (row >= count_ || width_ == 0)
        return false;
    const unsigned char *p = fixed_.data() + row * width_;
    // Fixed-size copies: a chart reads every row of a column, so no call per value.
    switch (kind_) {
    case kind::u08: *out = double(*p); return true;
    case kind::i08: *out = double(std::int8_t(*p)); return true;
    case kind::u16: { std::uint16_t v; std::memcpy(&v, p, 2); *out = double(v); return true; }
    case kind::i16: { std::int16_t v; std::memcpy(&v, p, 2); *out = double(v); return true; }
    case kind::u32: { std::uint32_t v; std::memcpy(&v, p, 4); *out = double(v); return true; }
    case kind::i32: { std::int32_t v; std::memcpy(&v, p, 4); *out = double(v); return true; }
    case kind::u64: { std::uint64_t v; std::memcpy(&v, p, 8); *out = double(v); return true; }
    case kind::i64: { std::int64_t v; std::memcpy(&v, p, 8); *out = double(v); return true; }
    default: break;
    }
    if (kind_ == kind::flt) {
        float f;
        std::memcpy(&f, p, sizeof f);
        *out = f;
        return true;
    }
    if (kind_ == kind::dbl) {
        std::memcpy(out, p, sizeof(double));
        return true;
    }
    return false;
}

bool column_store::time_ns_at(std::size_t row, std::int64_t *ns) const
{
    if (row >= count_ || width_ == 0)
        return false;
    const unsigned char *p = fixed_.data() + row * width_;
    if (kind_ == kind::datetime) {
        mem::date_time dt;
        std::memcpy(&dt, p, sizeof dt);
        *ns = time_ns_of(dt);
        return true;
    }
    if (kind_ == kind::date) {
        mem::date d;
        std::memcpy(&d, p, sizeof d);
        *ns = time_ns_of(mem::date_time::of(d, mem::time{}));
        return true;
    }
    return false;
}

// Days from the civil date by the proleptic Gregorian calendar; month 0 or day 0 (unset
// fields) count as the first.
std::int64_t column_store::time_ns_of(const mem::date_time &dt)
{
    const std::int64_t m = dt.month ? dt.month : 1, d = dt.day ? dt.day : 1;
    const std::int64_t y = std::int64_t(dt.year) - (m <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = era * 146097 + doe - 719468;
    const std::int64_t secs = days * 86400 + dt.hour * 3600 + dt.minute * 60 + dt.second;
    // Nanoseconds reach only the years 1677 to 2262: points beyond stay at the ends, in order.
    const std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 1000000000 - 1;
    if (secs > limit)
        return std::numeric_limits<std::int64_t>::max();
    if (secs < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return secs * 1000000000 + std::int64_t(dt.nanos);
}
