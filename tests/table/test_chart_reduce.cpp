// The per-pixel reduction of a time series and the time order it walks.
#include "table/chart_reduce.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <map>

namespace {

struct series {
    std::vector<std::int64_t> xs;
    std::vector<double> ys;
};

std::vector<chart_point> reduce(const series &s, std::int64_t x0, std::int64_t x1, int width)
{
    chart_time_order order;
    for (std::size_t i = 0; i < s.xs.size(); ++i)
        order.add(s.xs[i], int(i));
    order.finish();
    std::vector<chart_point> out;
    reduce_series(order, x0, x1, width,
                  [&](int row, double *y) {
                      *y = s.ys[std::size_t(row)];
                      return true;
                  },
                  out);
    return out;
}

std::vector<int> rows_of(const std::vector<chart_point> &pts)
{
    std::vector<int> out;
    for (const chart_point &p : pts)
        out.push_back(p.row);
    return out;
}

} // namespace

class test_chart_reduce : public QObject {
    Q_OBJECT
private slots:
    void keeps_first_low_high_last_per_column_in_time_order()
    {
        // Column 0 covers x 0..9, column 1 x 10..19 (width 2 over 0..19).
        series s;
        const double ys[] = {5, 9, 1, 7, 3, 6, 6, 2, 8, 4, /* column 1 */ 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
        for (int i = 0; i < 20; ++i) {
            s.xs.push_back(i);
            s.ys.push_back(ys[i]);
        }
        const auto pts = reduce(s, 0, 19, 2);
        // Column 0: first (row 0), high (row 1), low (row 2), last (row 9); a flat column keeps
        // its first and last only.
        QCOMPARE(rows_of(pts), (std::vector<int>{0, 1, 2, 9, 10, 19}));
        QCOMPARE(pts[1].y, 9.0);
        QCOMPARE(pts[2].y, 1.0);
        for (std::size_t i = 1; i < pts.size(); ++i)
            QVERIFY(pts[i - 1].x <= pts[i].x);
    }

    void output_follows_the_width_not_the_rows()
    {
        series s;
        for (int i = 0; i < 200000; ++i) {
            s.xs.push_back(std::int64_t(i) * 1000);
            s.ys.push_back(std::sin(i * 0.001) * 100 + (i % 7));
        }
        for (int width : {1, 50, 640}) {
            const auto pts = reduce(s, s.xs.front(), s.xs.back(), width);
            QVERIFY(int(pts.size()) <= 4 * width);
            QVERIFY(pts.size() >= std::size_t(std::min(width, 2)));
            // The extremes of the whole series are among the points drawn.
            double lo = INFINITY, hi = -INFINITY;
            for (const chart_point &p : pts)
                lo = std::min(lo, p.y), hi = std::max(hi, p.y);
            QCOMPARE(lo, *std::min_element(s.ys.begin(), s.ys.end()));
            QCOMPARE(hi, *std::max_element(s.ys.begin(), s.ys.end()));
        }
    }

    void empty_columns_single_rows_and_no_rows()
    {
        series s;
        s.xs = {0, 1, 98, 99};
        s.ys = {1, 2, 3, 4};
        // 100 columns over 0..99, only two of them hold rows.
        QCOMPARE(rows_of(reduce(s, 0, 99, 100)), (std::vector<int>{0, 1, 2, 3}));
        QCOMPARE(rows_of(reduce(s, 0, 99, 2)), (std::vector<int>{0, 1, 2, 3}));

        series one;
        one.xs = {42};
        one.ys = {7.5};
        const auto pts = reduce(one, 0, 100, 10);
        QCOMPARE(pts.size(), std::size_t(1));
        QCOMPARE(pts[0].y, 7.5);
        QCOMPARE(pts[0].x, std::int64_t(42));
        // A range of zero length still takes its row.
        QCOMPARE(reduce(one, 42, 42, 10).size(), std::size_t(1));

        QVERIFY(reduce(series{}, 0, 100, 10).empty());
    }

    void nan_and_infinities_are_skipped()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        series s;
        s.xs = {0, 1, 2, 3, 4, 5};
        s.ys = {nan, 2, inf, -inf, 1, nan};
        const auto pts = reduce(s, 0, 5, 1);
        QCOMPARE(rows_of(pts), (std::vector<int>{1, 4}));
        series none;
        none.xs = {0, 1};
        none.ys = {nan, inf};
        QVERIFY(reduce(none, 0, 1, 4).empty());
    }

    void unsorted_rows_are_reduced_in_time_order()
    {
        // Grid rows sorted by value, times shuffled; equal times keep their grid order.
        series s;
        s.xs = {30, 10, 20, 10, 0};
        s.ys = {1, 2, 3, 4, 5};
        const auto pts = reduce(s, 0, 30, 100);
        QCOMPARE(rows_of(pts), (std::vector<int>{4, 1, 3, 2, 0}));
        chart_time_order order;
        for (std::size_t i = 0; i < s.xs.size(); ++i)
            order.add(s.xs[i], int(i));
        order.finish();
        QCOMPARE(order.lower_bound(10), std::size_t(1));
        QCOMPARE(order.lower_bound(11), std::size_t(3));
        QCOMPARE(order.lower_bound(31), std::size_t(5));
    }

    void a_zoomed_range_keeps_one_row_beyond_each_edge()
    {
        series s;
        for (int i = 0; i < 100; ++i) {
            s.xs.push_back(i * 10);
            s.ys.push_back(i);
        }
        s.ys[39] = std::numeric_limits<double>::quiet_NaN(); // the nearest usable one is found
        const auto pts = reduce(s, 400, 500, 1000);
        QCOMPARE(pts.front().row, 38);
        QCOMPARE(pts.back().row, 51);
        QCOMPARE(pts[1].row, 40);
        QCOMPARE(pts[pts.size() - 2].row, 50);
        // Each row keeps its own time and value.
        for (const chart_point &p : pts)
            QCOMPARE(p.x, std::int64_t(p.row) * 10);
    }

    void extreme_times_do_not_wrap()
    {
        series s;
        s.xs = {std::numeric_limits<std::int64_t>::min(), 0, std::numeric_limits<std::int64_t>::max()};
        s.ys = {1, 2, 3};
        const auto pts = reduce(s, s.xs.front(), s.xs.back(), 3);
        QCOMPARE(rows_of(pts), (std::vector<int>{0, 1, 2}));
    }
};

QTEST_APPLESS_MAIN(test_chart_reduce)
#include "test_chart_reduce.moc"
