// Reduction of a time series to what a plot of a given width can show: per pixel column the
// first, last, lowest and highest point, so a million rows draw like the full line.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// A value that can be drawn: neither NaN nor infinite.
inline bool chart_drawable(double y)
{
    return std::isfinite(y);
}

// The rows that have a time, in time order (equal times keep their grid order). Rebuilt only
// when the grid changes; the reduction walks it for any visible range.
class chart_time_order {
public:
    // Adds one grid row; call in any order, then finish().
    void add(std::int64_t x, int row) { entries_.push_back({x, row}); }
    void reserve(std::size_t n) { entries_.reserve(n); }
    void finish();
    void clear() { entries_.clear(); }

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    std::int64_t x(std::size_t i) const { return entries_[i].x; }
    int row(std::size_t i) const { return entries_[i].row; }
    // The first position whose time is not before x.
    std::size_t lower_bound(std::int64_t x) const;
    // The first position whose time is after x.
    std::size_t upper_bound(std::int64_t x) const;
    std::size_t bytes_held() const { return entries_.capacity() * sizeof(entry); }

private:
    struct entry {
        std::int64_t x;
        int row;
    };
    std::vector<entry> entries_;
};

struct chart_point {
    std::int64_t x;
    double y;
    int row; // grid row, so a click on the point finds its row
};

// Keeps per pixel column of the range [x0, x1] (width columns) at most four points of the
// series: the first, the lowest, the highest and the last, in time order, each once. Rows
// whose value is missing, NaN or infinite are skipped. The nearest usable row on each side of
// the range is kept too, so the line runs to the plot's edges. out is replaced.
class chart_reducer {
public:
    chart_reducer(std::int64_t x0, std::int64_t x1, int width);
    // Each kept point with the order it arrived in, so the column's points leave in time order.
    struct arrived {
        chart_point p;
        long seq;
    };

    // Rows must come in time order.
    void add(std::int64_t x, double y, int row) { add_at(seq_++, x, y, row); }
    // As add, with the row's place in time order (rising) instead of a count of the calls.
    // Inline: it runs once per visible row and line.
    void add_at(long seq, std::int64_t x, double y, int row)
    {
        if (x < x0_ || x > x1_) {
            add_outside(chart_point{x, y, row});
            return;
        }
        const long col = column_of(x);
        const arrived a{chart_point{x, y, row}, seq};
        if (col != column_) {
            start_column(col, a);
            return;
        }
        if (y < low_.p.y)
            low_ = a;
        else if (y > high_.p.y)
            high_ = a;
        last_ = a;
    }
    // The pixel column of a time within the range.
    long column_of(std::int64_t x) const
    {
        const long col = long((double(x) - x0d_) * per_ns_);
        return col >= width_ ? width_ - 1 : col;
    }
    // Takes a run of rows that all lie in pixel column col, already reduced to its first,
    // lowest (earliest of equals), highest (likewise) and last points; it must follow the
    // rows added before it in time order. Gives the same column as adding the rows one by one.
    void add_run(long col, const arrived &first, const arrived &low, const arrived &high, const arrived &last)
    {
        if (col != column_) {
            flush();
            column_ = col;
            first_ = first;
            low_ = low;
            high_ = high;
        } else {
            if (low.p.y < low_.p.y)
                low_ = low;
            if (high.p.y > high_.p.y)
                high_ = high;
        }
        last_ = last;
    }
    // Flushes the last column; out then holds at most 4 * width + 2 points.
    void finish(std::vector<chart_point> &out);

private:
    void flush();
    void add_outside(const chart_point &p);
    void start_column(long col, const arrived &a);

    std::int64_t x0_, x1_;
    double x0d_;
    int width_;
    double per_ns_;
    long column_ = -1;
    long seq_ = 0;
    arrived first_{}, low_{}, high_{}, last_{};
    bool have_before_ = false, have_after_ = false;
    chart_point before_{}, after_{};
    std::vector<chart_point> kept_;
};

// Per block of block_rows consecutive positions of a time order, where one line's first,
// last, lowest and highest usable values sit and what they are. A wide view takes the blocks
// that fall in one pixel column from here and reads rows only in the blocks that straddle a
// column's edge, so its cost follows the width and the number of blocks rather than the rows.
// It is only valid for the order and the values it was built from: its owner drops it when
// either changes.
class chart_block_summary {
public:
    static constexpr std::size_t block_rows = 64;
    static constexpr std::uint32_t none = UINT32_MAX; // a block without a usable value

    // Positions in the order and their values: a wide view then reads no row of a block.
    struct block {
        std::uint32_t first = none, low = none, high = none, last = none;
        double y_first = 0, y_low = 0, y_high = 0, y_last = 0;
    };

    template <class value_fn>
    void build(const chart_time_order &order, value_fn y_of);
    void clear() { std::vector<block>().swap(blocks_); }
    // Built for an order of this many positions.
    bool covers(const chart_time_order &order) const
    {
        return !order.empty() && blocks_.size() == (order.size() + block_rows - 1) / block_rows;
    }
    const block &at(std::size_t b) const { return blocks_[b]; }
    std::size_t bytes_held() const { return blocks_.capacity() * sizeof(block); }

private:
    std::vector<block> blocks_;
};

template <class value_fn>
void chart_block_summary::build(const chart_time_order &order, value_fn y_of)
{
    blocks_.assign((order.size() + block_rows - 1) / block_rows, block{});
    double y = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (!y_of(order.row(i), &y) || !chart_drawable(y))
            continue;
        block &b = blocks_[i / block_rows];
        const auto pos = std::uint32_t(i);
        if (b.first == none) {
            b.first = b.low = b.high = b.last = pos;
            b.y_first = b.y_low = b.y_high = b.y_last = y;
            continue;
        }
        if (y < b.y_low)
            b.y_low = y, b.low = pos;
        else if (y > b.y_high)
            b.y_high = y, b.high = pos;
        b.last = pos;
        b.y_last = y;
    }
}

// Walks the rows of order around [x0, x1] and reduces the values y_of(row, &y) gives (false:
// no value). Only the visible rows and one usable row on each side are read; with a summary
// built for order and these values, whole blocks inside one pixel column are not read row by
// row and blocks without a usable value are passed over.
template <class value_fn>
void reduce_series(const chart_time_order &order, std::int64_t x0, std::int64_t x1, int width,
                   value_fn y_of, std::vector<chart_point> &out, const chart_block_summary *summary = nullptr)
{
    constexpr std::size_t n = chart_block_summary::block_rows;
    constexpr std::uint32_t none = chart_block_summary::none;
    const bool blocks = summary && summary->covers(order);
    chart_reducer r(x0, x1, width);
    const std::size_t first = order.lower_bound(x0);
    const std::size_t end = std::max(first, order.upper_bound(x1));
    double y = 0;
    const auto usable = [&](std::size_t i) { return y_of(order.row(i), &y) && chart_drawable(y); };
    const auto add = [&](std::size_t i) { r.add_at(long(i), order.x(i), y, order.row(i)); };
    const auto kept = [&](std::uint32_t i, double y_at) {
        return chart_reducer::arrived{chart_point{order.x(i), y_at, order.row(i)}, long(i)};
    };

    for (std::size_t i = first; i-- > 0;) {
        if (blocks && (i + 1) % n == 0) {
            const chart_block_summary::block &b = summary->at(i / n);
            if (b.last == none) {
                i -= n - 1; // the whole block has nothing to draw
                continue;
            }
            if (usable(b.last)) {
                add(b.last);
                break;
            }
        }
        if (usable(i)) {
            add(i);
            break;
        }
    }
    std::size_t i = first;
    while (i < end) {
        if (blocks && i % n == 0 && i + n <= end) {
            const chart_block_summary::block &b = summary->at(i / n);
            const long col = r.column_of(order.x(i));
            if (col == r.column_of(order.x(i + n - 1))) {
                if (b.first != none)
                    r.add_run(col, kept(b.first, b.y_first), kept(b.low, b.y_low), kept(b.high, b.y_high),
                              kept(b.last, b.y_last));
                i += n;
                continue;
            }
        }
        if (usable(i))
            add(i);
        ++i;
    }
    while (i < order.size()) {
        if (blocks && i % n == 0) {
            const chart_block_summary::block &b = summary->at(i / n);
            if (b.first == none) {
                i += n;
                continue;
            }
            if (usable(b.first)) {
                add(b.first);
                break;
            }
        }
        if (usable(i)) {
            add(i);
            break;
        }
        ++i;
    }
    r.finish(out);
}
