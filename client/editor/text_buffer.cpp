// Gap buffer and lazily shifted line index of the command editor.
#include "editor/text_buffer.h"

#include <algorithm>
#include <cstring>

namespace {
const size_t min_gap = 4096;
}

void text_buffer::set_text(const std::string &text)
{
    data_.assign(text.begin(), text.end());
    gap_begin_ = gap_end_ = data_.size();
    starts_.assign(1, 0);
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n')
            starts_.push_back(static_cast<int64_t>(i + 1));
    step_line_ = 0;
    step_ = 0;
}

std::string text_buffer::text() const
{
    std::string out;
    out.reserve(static_cast<size_t>(size()));
    out.append(data_.data(), gap_begin_);
    out.append(data_.data() + gap_end_, data_.size() - gap_end_);
    return out;
}

std::string text_buffer::mid(int64_t pos, int64_t len) const
{
    pos = std::clamp<int64_t>(pos, 0, size());
    len = std::clamp<int64_t>(len, 0, size() - pos);
    std::string out;
    out.reserve(static_cast<size_t>(len));
    const size_t b = static_cast<size_t>(pos), e = b + static_cast<size_t>(len);
    if (b < gap_begin_)
        out.append(data_.data() + b, std::min(e, gap_begin_) - b);
    if (e > gap_begin_) {
        const size_t from = std::max(b, gap_begin_);
        out.append(data_.data() + from + (gap_end_ - gap_begin_), e - from);
    }
    return out;
}

void text_buffer::move_gap(size_t pos)
{
    if (pos < gap_begin_) {
        const size_t n = gap_begin_ - pos;
        std::memmove(data_.data() + gap_end_ - n, data_.data() + pos, n);
        gap_begin_ -= n;
        gap_end_ -= n;
    } else if (pos > gap_begin_) {
        const size_t n = pos - gap_begin_;
        std::memmove(data_.data() + gap_begin_, data_.data() + gap_end_, n);
        gap_begin_ += n;
        gap_end_ += n;
    }
}

void text_buffer::grow_gap(size_t need)
{
    if (gap_end_ - gap_begin_ >= need)
        return;
    const size_t tail = data_.size() - gap_end_;
    const size_t gap = std::max({need, min_gap, data_.size() / 8});
    std::vector<char> grown(gap_begin_ + gap + tail);
    // An empty buffer has no storage yet: memcpy must not see its null pointer, even for 0 bytes.
    if (gap_begin_ > 0)
        std::memcpy(grown.data(), data_.data(), gap_begin_);
    if (tail > 0)
        std::memcpy(grown.data() + gap_begin_ + gap, data_.data() + gap_end_, tail);
    data_.swap(grown);
    gap_end_ = gap_begin_ + gap;
}

void text_buffer::settle_until(int64_t upto)
{
    upto = std::clamp<int64_t>(upto, 0, line_count() - 1);
    if (step_ != 0) {
        if (upto > step_line_) {
            for (int64_t i = step_line_ + 1; i <= upto; ++i)
                starts_[static_cast<size_t>(i)] += step_;
        } else {
            // Moving backwards: lines that were settled go back to owing the step.
            for (int64_t i = upto + 1; i <= step_line_; ++i)
                starts_[static_cast<size_t>(i)] -= step_;
        }
    }
    step_line_ = upto;
}

void text_buffer::insert(int64_t pos, const char *bytes, int64_t len)
{
    if (len <= 0)
        return;
    pos = std::clamp<int64_t>(pos, 0, size());
    const int64_t line = line_of(pos);
    settle_until(line);

    const size_t n = static_cast<size_t>(len);
    move_gap(static_cast<size_t>(pos));
    grow_gap(n);
    std::memcpy(data_.data() + gap_begin_, bytes, n);
    gap_begin_ += n;

    step_ += len;
    std::vector<int64_t> added;
    for (size_t i = 0; i < n; ++i)
        if (bytes[i] == '\n')
            added.push_back(pos + static_cast<int64_t>(i) + 1 - step_);
    if (!added.empty())
        starts_.insert(starts_.begin() + line + 1, added.begin(), added.end());
}

void text_buffer::remove(int64_t pos, int64_t len)
{
    pos = std::clamp<int64_t>(pos, 0, size());
    len = std::clamp<int64_t>(len, 0, size() - pos);
    if (len == 0)
        return;
    const int64_t first = line_of(pos);
    const int64_t last = line_of(pos + len);
    settle_until(first);
    // Lines whose start lies inside (pos, pos + len] vanish with the removed "\n" bytes.
    if (last > first)
        starts_.erase(starts_.begin() + first + 1, starts_.begin() + last + 1);

    move_gap(static_cast<size_t>(pos));
    gap_end_ += static_cast<size_t>(len);
    step_ -= len;
}

int64_t text_buffer::line_start(int64_t line) const
{
    if (line <= 0)
        return 0;
    if (line >= line_count())
        return size();
    return raw_start(line);
}

int64_t text_buffer::line_end(int64_t line) const
{
    if (line + 1 >= line_count())
        return size();
    return raw_start(line + 1) - 1;
}

int64_t text_buffer::line_of(int64_t pos) const
{
    int64_t lo = 0, hi = line_count() - 1;
    while (lo < hi) {
        const int64_t mid = lo + (hi - lo + 1) / 2;
        if (raw_start(mid) <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

const char *text_buffer::range_ptr(int64_t pos, int64_t len)
{
    pos = std::clamp<int64_t>(pos, 0, size());
    len = std::clamp<int64_t>(len, 0, size() - pos);
    const size_t b = static_cast<size_t>(pos), e = b + static_cast<size_t>(len);
    if (b < gap_begin_ && e > gap_begin_)
        move_gap(b);
    if (b < gap_begin_ || data_.empty())
        return data_.data() + b;
    return data_.data() + b + (gap_end_ - gap_begin_);
}

int text_buffer::char_length(int64_t pos) const
{
    if (pos < 0 || pos >= size())
        return 1;
    const unsigned char c = static_cast<unsigned char>(at(pos));
    int n = 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    if (pos + n > size())
        return 1;
    for (int i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(at(pos + i)) & 0xC0) != 0x80)
            return 1;
    return n;
}

int64_t text_buffer::prev_char(int64_t pos) const
{
    if (pos <= 0)
        return 0;
    pos = std::min(pos, size());
    for (int back = 1; back <= 4 && pos - back >= 0; ++back) {
        const unsigned char c = static_cast<unsigned char>(at(pos - back));
        if ((c & 0xC0) != 0x80)
            return char_length(pos - back) == back ? pos - back : pos - 1;
    }
    return pos - 1;
}
