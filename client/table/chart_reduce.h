// Reduction of a time series to what a plot of a given width can show: per pixel column the
// first, last, lowest and highest point, so a million rows draw like the full line.
#pragma once

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
    // Rows must come in time order.
    // Inline: it runs once per visible row and line.
    void add(std::int64_t x, double y, int row)
    {
        if (x < x0_ || x > x1_) {
            add_outside(chart_point{x, y, row});
            return;
        }
        long col = long((double(x) - x0d_) * per_ns_);
        if (col >= width_)
            col = width_ - 1;
        const arrived a{chart_point{x, y, row}, seq_++};
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
    // Flushes the last column; out then holds at most 4 * width + 2 points.
    void finish(std::vector<chart_point> &out);

private:
    // Each kept point with the order it arrived in, so the column's points leave in time order.
    struct arrived {
        chart_point p;
        long seq;
    };
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

// Walks the rows of order around [x0, x1] and reduces the values y_of(row, &y) gives (false:
// no value). Only the visible rows and one usable row on each side are read.
template <class value_fn>
void reduce_series(const chart_time_order &order, std::int64_t x0, std::int64_t x1, int width,
                   value_fn y_of, std::vector<chart_point> &out)
{
    chart_reducer r(x0, x1, width);
    const std::size_t first = order.lower_bound(x0);
    double y = 0;
    for (std::size_t i = first; i-- > 0;) {
        if (y_of(order.row(i), &y) && chart_drawable(y)) {
            r.add(order.x(i), y, order.row(i));
            break;
        }
    }
    for (std::size_t i = first; i < order.size(); ++i) {
        const bool past = order.x(i) > x1;
        if (y_of(order.row(i), &y) && chart_drawable(y)) {
            r.add(order.x(i), y, order.row(i));
            if (past)
                break;
        }
    }
    r.finish(out);
}
