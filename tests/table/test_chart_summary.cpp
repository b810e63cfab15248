// The block summary beside the time order: a reduction that takes whole blocks from it draws
// exactly the points the row-by-row reduction draws.
#include "table/chart_reduce.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

constexpr std::int64_t block = std::int64_t(chart_block_summary::block_rows);

// The value of a grid row: here every row has one, usable or not.
struct values_of {
    const std::vector<double> *ys;
    bool operator()(int row, double *y) const
    {
        *y = (*ys)[std::size_t(row)];
        return true;
    }
};

struct series {
    std::vector<std::int64_t> xs;
    std::vector<double> ys;
    chart_time_order order;
    chart_block_summary summary;

    void finish()
    {
        order.clear();
        for (std::size_t i = 0; i < xs.size(); ++i)
            order.add(xs[i], int(i));
        order.finish();
        summary.clear();
        summary.build(order, y_of());
    }
    values_of y_of() const { return values_of{&ys}; }
    std::vector<chart_point> reduce(std::int64_t x0, std::int64_t x1, int width, bool use_summary) const
    {
        std::vector<chart_point> out;
        reduce_series(order, x0, x1, width, y_of(), out, use_summary ? &summary : nullptr);
        return out;
    }
};

// Empty when both paths agree, else where they part.
QString difference(const series &s, std::int64_t x0, std::int64_t x1, int width)
{
    const auto rows = s.reduce(x0, x1, width, false);
    const auto blocks = s.reduce(x0, x1, width, true);
    const QString at = QStringLiteral("range %1..%2 width %3: ").arg(x0).arg(x1).arg(width);
    if (rows.size() != blocks.size())
        return at + QStringLiteral("%1 points row by row, %2 from blocks").arg(rows.size()).arg(blocks.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].row != blocks[i].row || rows[i].x != blocks[i].x
            || std::memcmp(&rows[i].y, &blocks[i].y, sizeof(double)) != 0)
            return at + QStringLiteral("point %1: row %2 against %3").arg(i).arg(rows[i].row).arg(blocks[i].row);
    return {};
}

// Ranges from the whole series down to a few rows, edges on and off block and pixel bounds.
void compare_many(const series &s, std::mt19937_64 &rng)
{
    const std::int64_t lo = s.xs.empty() ? 0 : *std::min_element(s.xs.begin(), s.xs.end());
    const std::int64_t hi = s.xs.empty() ? 1 : *std::max_element(s.xs.begin(), s.xs.end());
    std::uniform_int_distribution<std::int64_t> at(lo - 50, hi + 50);
    for (int width : {1, 3, 7, 50, 333, 1200}) {
        QVERIFY2(difference(s, lo, hi, width).isEmpty(), qPrintable(difference(s, lo, hi, width)));
        for (int k = 0; k < 30; ++k) {
            std::int64_t a = at(rng), b = at(rng);
            if (a > b)
                std::swap(a, b);
            const QString d = difference(s, a, b, width);
            QVERIFY2(d.isEmpty(), qPrintable(d));
        }
    }
}

} // namespace

class test_chart_summary : public QObject {
    Q_OBJECT
private slots:
    void random_values_with_ties_nan_and_infinities()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        std::mt19937_64 rng(7);
        std::uniform_int_distribution<int> small(0, 5); // many equal values: the earliest wins
        std::uniform_real_distribution<double> any(-1e6, 1e6);
        std::uniform_int_distribution<int> pick(0, 99);
        series s;
        for (int i = 0; i < 40000; ++i) {
            s.xs.push_back(std::int64_t(i) * 3);
            const int p = pick(rng);
            s.ys.push_back(p < 3 ? nan : p < 5 ? inf : p < 7 ? -inf : p < 50 ? small(rng) : any(rng));
        }
        // Whole blocks with nothing drawable, inside and at both ends.
        for (std::int64_t i = 0; i < 3 * block; ++i) {
            s.ys[std::size_t(i)] = nan;
            s.ys[std::size_t(20000 + i)] = inf;
            s.ys[s.ys.size() - 1 - std::size_t(i)] = nan;
        }
        s.finish();
        compare_many(s, rng);
        // Ranges that fall inside the empty runs reach past them for the edge rows.
        QVERIFY(difference(s, 60000 + 3, 60000 + 90, 5).isEmpty());
        QCOMPARE(s.reduce(60000 + 3, 60000 + 90, 5, true).size(), std::size_t(2));
    }

    void unsorted_rows_and_equal_times()
    {
        std::mt19937_64 rng(11);
        series s;
        std::uniform_int_distribution<std::int64_t> t(0, 5000); // about four rows share a time
        std::normal_distribution<double> v(0, 10);
        for (int i = 0; i < 20000; ++i) {
            s.xs.push_back(t(rng));
            s.ys.push_back(std::round(v(rng)));
        }
        s.finish();
        compare_many(s, rng);
    }

    void blocks_across_pixel_edges()
    {
        // One row per time step: with a width of rows / (block * k) columns, block bounds and
        // column bounds meet, miss by one row, or cut blocks in the middle.
        series s;
        for (int i = 0; i < 64 * 300; ++i) {
            s.xs.push_back(i);
            s.ys.push_back(std::sin(i * 0.01) * 100 + (i % 13));
        }
        s.finish();
        const std::int64_t last = s.xs.back();
        for (int width : {300, 150, 299, 301, 600, 601, 37, 2})
            for (std::int64_t x0 : {std::int64_t(0), std::int64_t(1), block - 1, block, block + 1})
                for (std::int64_t x1 : {last, last - 1, last - block, last - block + 1}) {
                    const QString d = difference(s, x0, x1, width);
                    QVERIFY2(d.isEmpty(), qPrintable(d));
                }
    }

    void edits_are_drawn_once_the_summary_is_rebuilt()
    {
        std::mt19937_64 rng(3);
        series s;
        for (int i = 0; i < 10000; ++i) {
            s.xs.push_back(i * 10);
            s.ys.push_back(double(i % 100));
        }
        s.finish();
        // A new extreme, a lost one and a value gone missing; the owner drops the summary.
        s.ys[5000] = 1e9;
        s.ys[99] = 0;
        s.ys[7777] = std::numeric_limits<double>::quiet_NaN();
        s.finish();
        compare_many(s, rng);
        double hi = -INFINITY;
        for (const chart_point &p : s.reduce(0, 99990, 20, true)) {
            QVERIFY(std::isfinite(p.y));
            hi = std::max(hi, p.y);
        }
        QCOMPARE(hi, 1e9);
    }

    void a_stale_summary_never_draws_a_missing_value()
    {
        // Should values vanish before the owner drops the summary, blocks draw what they saw
        // and the rows read one by one skip the missing ones: never a NaN on the line.
        series s;
        for (int i = 0; i < 5000; ++i) {
            s.xs.push_back(i);
            s.ys.push_back(double(i % 17));
        }
        s.finish();
        for (std::size_t i = 0; i < s.ys.size(); i += 5)
            s.ys[i] = std::numeric_limits<double>::quiet_NaN();
        for (const chart_point &p : s.reduce(0, 4999, 10, true))
            QVERIFY(std::isfinite(p.y));
    }

    void summary_is_small_and_follows_its_order()
    {
        series s;
        for (int i = 0; i < 100000; ++i) {
            s.xs.push_back(i);
            s.ys.push_back(i);
        }
        s.finish();
        QVERIFY(s.summary.covers(s.order));
        QVERIFY(s.summary.bytes_held() <= s.xs.size()); // at most a byte a row
        // An order that grew is no longer covered: the reduction reads rows until a rebuild.
        s.xs.resize(s.xs.size() + 2 * std::size_t(block), 100001);
        s.ys.resize(s.xs.size(), 5);
        s.order.clear();
        for (std::size_t i = 0; i < s.xs.size(); ++i)
            s.order.add(s.xs[i], int(i));
        s.order.finish();
        QVERIFY(!s.summary.covers(s.order));
        const auto pts = s.reduce(0, 100001, 4, true);
        QCOMPARE(pts.back().row, int(s.xs.size()) - 1);
        s.summary.clear();
        QVERIFY(!s.summary.covers(s.order));
        QCOMPARE(s.summary.bytes_held(), std::size_t(0));
    }
};

QTEST_APPLESS_MAIN(test_chart_summary)
#include "test_chart_summary.moc"
