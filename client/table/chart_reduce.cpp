// The time order of the grid's rows and the per-pixel reduction of one series.
#include "table/chart_reduce.h"

#include <algorithm>
#include <cmath>

void chart_time_order::finish()
{
    const auto earlier = [](const entry &a, const entry &b) { return a.x < b.x; };
    // Grids mostly come in time order: then there is nothing to sort.
    if (!std::is_sorted(entries_.begin(), entries_.end(), earlier))
        std::stable_sort(entries_.begin(), entries_.end(), earlier);
    entries_.shrink_to_fit();
}

std::size_t chart_time_order::lower_bound(std::int64_t x) const
{
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), x,
                                     [](const entry &e, std::int64_t v) { return e.x < v; });
    return std::size_t(it - entries_.begin());
}

std::size_t chart_time_order::upper_bound(std::int64_t x) const
{
    const auto it = std::upper_bound(entries_.begin(), entries_.end(), x,
                                     [](std::int64_t v, const entry &e) { return v < e.x; });
    return std::size_t(it - entries_.begin());
}

chart_reducer::chart_reducer(std::int64_t x0, std::int64_t x1, int width)
    : x0_(x0), x1_(std::max(x0, x1)), x0d_(double(x0)), width_(std::max(1, width)),
      per_ns_(x1 > x0 ? double(width_) / (double(x1) - double(x0)) : 0.0)
{
    kept_.reserve(std::size_t(width_) * 4);
}

void chart_reducer::add_outside(const chart_point &p)
{
    if (p.x < x0_) {
        before_ = p;
        have_before_ = true;
    } else if (!have_after_) {
        after_ = p;
        have_after_ = true;
    }
}

void chart_reducer::start_column(long col, const arrived &a)
{
    flush();
    column_ = col;
    first_ = low_ = high_ = last_ = a;
}

void chart_reducer::flush()
{
    if (column_ < 0)
        return;
    arrived pts[4] = {first_, low_, high_, last_};
    std::sort(pts, pts + 4, [](const arrived &a, const arrived &b) { return a.seq < b.seq; });
    for (int i = 0; i < 4; ++i)
        if (i == 0 || pts[i].seq != pts[i - 1].seq)
            kept_.push_back(pts[i].p);
    column_ = -1;
}

void chart_reducer::finish(std::vector<chart_point> &out)
{
    flush();
    out.clear();
    out.reserve(kept_.size() + 2);
    if (have_before_)
        out.push_back(before_);
    out.insert(out.end(), kept_.begin(), kept_.end());
    if (have_after_)
        out.push_back(after_);
    kept_.clear();
}
