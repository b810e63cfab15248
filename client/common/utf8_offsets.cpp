// A small UTF-8 reader of its own: QString::fromUtf8 gives no offsets back and treats malformed
// bytes in ways that would shift every offset after them.
#include "common/utf8_offsets.h"

#include <algorithm>

namespace {

bool cont(unsigned char c) { return (c & 0xC0) == 0x80; }

const int mark_step = 1024;

} // namespace

void utf8_offsets::step_at(int64_t b, int &bytes, int &units) const
{
    const auto *p = reinterpret_cast<const unsigned char *>(data_) + b;
    const int64_t left = size_ - b;
    const unsigned char c = p[0];
    bytes = 1;
    units = 1;
    if (c < 0x80)
        return;
    if (c >= 0xC2 && c <= 0xDF) {
        if (left >= 2 && cont(p[1]))
            bytes = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        const unsigned char lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        if (left >= 3 && p[1] >= lo && p[1] <= hi && cont(p[2]))
            bytes = 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
        const unsigned char lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        if (left >= 4 && p[1] >= lo && p[1] <= hi && cont(p[2]) && cont(p[3])) {
            bytes = 4;
            units = 2;
        }
    }
}

utf8_offsets::utf8_offsets(const char *data, int64_t size) : data_(data), size_(std::max<int64_t>(size, 0))
{
    text_.resize(int(size_)); // never more units than bytes
    QChar *out = text_.data();
    int u = 0;
    int next_mark = mark_step;
    marks_.push_back({0, 0});
    const auto *p = reinterpret_cast<const unsigned char *>(data_);
    for (int64_t b = 0; b < size_;) {
        int bytes = 1, units = 1;
        if (p[b] < 0x80) {
            out[u++] = QChar(p[b++]);
            if (u >= next_mark) {
                marks_.push_back({u, b});
                next_mark = u + mark_step;
            }
            continue;
        }
        step_at(b, bytes, units);
        uint cp = 0xFFFD;
        if (bytes == 2)
            cp = (uint(p[b] & 0x1F) << 6) | (p[b + 1] & 0x3F);
        else if (bytes == 3)
            cp = (uint(p[b] & 0x0F) << 12) | (uint(p[b + 1] & 0x3F) << 6) | (p[b + 2] & 0x3F);
        else if (bytes == 4)
            cp = (uint(p[b] & 0x07) << 18) | (uint(p[b + 1] & 0x3F) << 12) | (uint(p[b + 2] & 0x3F) << 6) |
                 (p[b + 3] & 0x3F);
        if (units == 2) {
            out[u++] = QChar(QChar::highSurrogate(cp));
            out[u++] = QChar(QChar::lowSurrogate(cp));
        } else {
            out[u++] = QChar(ushort(cp));
        }
        b += bytes;
        if (u >= next_mark) {
            marks_.push_back({u, b});
            next_mark = u + mark_step;
        }
    }
    text_.truncate(u);
    one_to_one_ = int64_t(u) == size_;
}

void utf8_offsets::seek(int unit, int64_t byte)
{
    // The last mark at or before both targets (one of them is past the end).
    auto it = std::upper_bound(marks_.begin(), marks_.end(), unit,
                               [](int u, const mark &m) { return u < m.unit; });
    if (byte < size_)
        it = std::upper_bound(marks_.begin(), marks_.end(), byte,
                              [](int64_t b, const mark &m) { return b < m.byte; });
    const mark &m = *(it - 1);
    if (walk_unit_ < m.unit || walk_unit_ > unit || walk_byte_ > byte) {
        walk_unit_ = m.unit;
        walk_byte_ = m.byte;
    }
}

int64_t utf8_offsets::byte_of(int unit)
{
    unit = std::clamp(unit, 0, text_.size());
    if (one_to_one_)
        return unit;
    seek(unit, size_);
    while (walk_byte_ < size_) {
        int bytes = 1, units = 1;
        if (static_cast<unsigned char>(data_[walk_byte_]) >= 0x80)
            step_at(walk_byte_, bytes, units);
        if (walk_unit_ + units > unit)
            break;
        walk_byte_ += bytes;
        walk_unit_ += units;
    }
    return walk_byte_;
}

int utf8_offsets::unit_of(int64_t byte)
{
    byte = std::clamp<int64_t>(byte, 0, size_);
    if (one_to_one_)
        return int(byte);
    seek(text_.size(), byte);
    while (walk_byte_ < size_) {
        int bytes = 1, units = 1;
        if (static_cast<unsigned char>(data_[walk_byte_]) >= 0x80)
            step_at(walk_byte_, bytes, units);
        if (walk_byte_ + bytes > byte)
            break;
        walk_byte_ += bytes;
        walk_unit_ += units;
    }
    return walk_unit_;
}
