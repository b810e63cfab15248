// The chart pane on loaded grids: axis and line choice, legend toggles, the mouse, selection in
// both directions, and following edits, added rows, sorting and reloads.
#include "support/mem_time.h"
#include "table/chart_pane.h"
#include "table/chart_plot_view.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QSplitter>
#include <QTableView>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <QtTest>
#include <set>

using namespace QtCharts;
namespace mem = ox::db::mem;

namespace {

// A grid and its chart, shown so the plot has its size.
struct charted {
    std::unique_ptr<QSplitter> page = std::make_unique<QSplitter>();
    QTableView *grid = new QTableView;
    tab_data_model *model = nullptr;
    chart_pane *pane = nullptr;

    charted(db_exec *exec, const QByteArray &table, const QByteArray &cmd)
    {
        model = new tab_data_model(table, grid);
        model->load_result(*exec, cmd, 1);
        grid->setModel(model);
        page->addWidget(grid);
        pane = new chart_pane(model, grid);
        page->addWidget(pane);
        page->resize(1200, 500);
        page->show();
        pane->refresh_now();
    }
    // Where a line's point is drawn, in the chart view's coordinates.
    QPoint place(QLineSeries *s, int i) const
    {
        const QPointF at = pane->chart()->mapToPosition(s->at(i), s);
        return pane->plot_view()->mapFromScene(pane->chart()->mapToScene(at));
    }
};

double max_y(const QLineSeries *s)
{
    double m = -INFINITY;
    for (const QPointF &p : s->pointsVector())
        m = std::max(m, p.y());
    return m;
}

// The values a line should draw: the row-by-row reduction of the model over the pane's range.
std::vector<double> reduced_values(const charted &c, int column)
{
    chart_time_order order;
    qint64 ns = 0;
    for (int r = 0; r < c.model->rowCount(); ++r)
        if (c.model->time_ns_at(r, c.pane->x_column(), &ns))
            order.add(ns, r);
    order.finish();
    std::vector<chart_point> pts;
    reduce_series(order, c.pane->x_from(), c.pane->x_to(), int(c.pane->chart()->plotArea().width()),
                  [&](int row, double *y) {
                      bool ok = false;
                      *y = c.model->number_at(row, column, &ok);
                      return ok;
                  },
                  pts);
    std::vector<double> out;
    for (const chart_point &p : pts)
        out.push_back(p.y);
    return out;
}

std::vector<double> drawn_values(const QLineSeries *s)
{
    std::vector<double> out;
    for (const QPointF &p : s->pointsVector())
        out.push_back(p.y());
    return out;
}

std::set<std::pair<double, double>> points_of(const QLineSeries *s)
{
    std::set<std::pair<double, double>> out;
    for (const QPointF &p : s->pointsVector())
        out.insert({p.x(), p.y()});
    return out;
}

} // namespace

class test_chart_pane : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create m a i32 b double c u64 s string w datetime"));
        // Pushed out of time order; c beyond 2^53.
        const char *rows[] = {
            "push into m a b c s w values 5 0.5 1 \"x\" \"2021-01-01 00:00:00\" at 2020-01-01 00:00:03",
            "push into m a b c s w values 1 2.5 18446744073709551615 \"y\" \"2021-01-01 00:00:00\" at 2020-01-01 00:00:00",
            "push into m a b c s w values 3 1.5 2 \"z\" \"2021-01-01 00:00:00\" at 2020-01-01 00:00:02",
            "push into m a b c s w values 2 3.5 3 \"w\" \"2021-01-01 00:00:00\" at 2020-01-01 00:00:01",
        };
        for (const char *r : rows)
            QVERIFY2(srv->run(r), r);
        QVERIFY(srv->run("create big d double"));
        QVERIFY(srv->run("push into big d values -1.7e308 at 2020-01-01 00:00:00"));
        QVERIFY(srv->run("push into big d values 1.7e308 at 2020-01-01 00:00:01"));
        QVERIFY(srv->run("create txt s string"));
        QVERIFY(srv->run("push into txt s values \"only text\" at 2020-01-01 00:00:00"));
    }
    void cleanupTestCase() { srv.reset(); }

    void axis_and_lines_are_chosen_by_kind()
    {
        charted c(srv->exec(), "m", "view m");
        QCOMPARE(chart_pane::time_column(c.model), c.model->time_point_column());
        QVERIFY(chart_pane::can_chart(c.model));
        // a, b and c; neither the string nor the other datetime.
        std::vector<int> lines = chart_pane::value_columns(c.model);
        QCOMPARE(int(lines.size()), 3);
        for (int col : lines)
            QVERIFY(c.pane->series_of(col));
        QCOMPARE(c.pane->series_of(lines[0])->name(), QStringLiteral("a"));
        QVERIFY(!c.pane->series_of(c.model->time_point_column()));
        // The u64 beyond 2^53 is drawn as the nearest double.
        QCOMPARE(max_y(c.pane->series_of(lines[2])), 18446744073709551615.0);
        // Every row, in time order.
        const QVector<QPointF> a = c.pane->series_of(lines[0])->pointsVector();
        QCOMPARE(a.size(), 4);
        QCOMPARE(a[0].y(), 1.0);
        QCOMPARE(a[3].y(), 5.0);
        for (int i = 1; i < a.size(); ++i)
            QVERIFY(a[i - 1].x() < a[i].x());
        QCOMPARE(c.pane->x_from(), qint64(1577836800) * 1000000000);
        QCOMPARE(c.pane->x_to(), qint64(1577836803) * 1000000000);
        // The axis shows the times as the grid does, whatever the local time zone, with labels
        // as fine as the span needs.
        auto *x = qobject_cast<QDateTimeAxis *>(c.pane->chart()->axes(Qt::Horizontal).first());
        QVERIFY(x);
        QCOMPARE(x->min(), QDateTime(QDate(2020, 1, 1), QTime(0, 0, 0)));
        QCOMPARE(x->max(), QDateTime(QDate(2020, 1, 1), QTime(0, 0, 3)));
        QCOMPARE(x->format(), QStringLiteral("hh:mm:ss.zzz"));
        c.pane->set_x_range(c.pane->x_from(), c.pane->x_from() + qint64(10) * 86400 * 1000000000);
        c.pane->refresh_now();
        QCOMPARE(x->format(), QStringLiteral("yyyy-MM-dd"));
        QCOMPARE(x->max(), QDateTime(QDate(2020, 1, 11), QTime(0, 0, 0)));

        // Values at the ends of the doubles still give a finite value axis.
        charted big(srv->exec(), "big", "view big");
        auto *y = qobject_cast<QValueAxis *>(big.pane->chart()->axes(Qt::Vertical).first());
        QVERIFY(std::isfinite(y->min()) && std::isfinite(y->max()));
        QVERIFY(y->min() <= -1.7e308 && y->max() >= 1.7e308);
        const int d = chart_pane::value_columns(big.model)[0];
        QLineSeries *ds = big.pane->series_of(d);
        // The toolkit's own mapping overflows here; the pane's picking does not.
        const QRectF plot = big.pane->chart()->plotArea();
        for (int i : {0, 1}) {
            const double v = ds->at(i).y();
            const double down = (y->max() / 2 - v / 2) / (y->max() / 2 - y->min() / 2);
            const QPointF at(i == 0 ? plot.left() : plot.right(), plot.top() + down * plot.height());
            const QPoint pos = big.pane->plot_view()->mapFromScene(big.pane->chart()->mapToScene(at));
            QCOMPARE(big.model->number_at(big.pane->row_at(pos, 8), d, nullptr), v);
        }
        big.pane->zoom_y(0.5, 0.5);
        big.pane->refresh_now();
        QVERIFY(std::isfinite(y->min()) && std::isfinite(y->max()) && std::isfinite(y->max() - y->min()));

        charted t(srv->exec(), "txt", "view txt");
        QVERIFY(!chart_pane::can_chart(t.model));
        QCOMPARE(t.pane->drawn_points(), 0);
        QVERIFY(!chart_pane::can_chart(nullptr));
    }

    void legend_entries_switch_lines_off_and_on()
    {
        charted c(srv->exec(), "m", "view m");
        const int col = chart_pane::value_columns(c.model)[0];
        QLineSeries *s = c.pane->series_of(col);
        const QList<QLegendMarker *> markers = c.pane->chart()->legend()->markers(s);
        QCOMPARE(markers.size(), 1);
        const int all = c.pane->drawn_points();
        emit markers[0]->clicked();
        c.pane->refresh_now();
        QVERIFY(!c.pane->series_shown(col));
        QCOMPARE(s->count(), 0);
        // Its legend entry stays, dimmed, to switch it on again.
        QCOMPARE(c.pane->chart()->legend()->markers(s), markers);
        QVERIFY(markers[0]->labelBrush().color().alphaF() < 0.5);
        QCOMPARE(c.pane->drawn_points(), all - 4);
        emit markers[0]->clicked();
        c.pane->refresh_now();
        QVERIFY(c.pane->series_shown(col));
        QCOMPARE(c.pane->drawn_points(), all);
        // The selection marks only the lines shown.
        c.pane->set_series_shown(col, false);
        c.pane->refresh_now();
        c.grid->selectRow(0);
        QCOMPARE(c.pane->selection_series()->count(), 2);
    }

    void selection_goes_both_ways()
    {
        charted c(srv->exec(), "m", "view m");
        const std::vector<int> cols = chart_pane::value_columns(c.model);
        QLineSeries *a = c.pane->series_of(cols[0]);
        // Only a is drawn, so no other line's point lies on its points.
        c.pane->set_series_shown(cols[1], false);
        c.pane->set_series_shown(cols[2], false);
        c.pane->refresh_now();
        // A click on the point of the last time (value 5) selects that row.
        QTest::mouseClick(c.pane->plot_view()->viewport(), Qt::LeftButton, {}, c.place(a, 3));
        QCOMPARE(c.grid->selectionModel()->selectedRows().size(), 1);
        const int picked = c.grid->selectionModel()->selectedRows().first().row();
        QCOMPARE(c.model->number_at(picked, cols[0], nullptr), 5.0);
        QCOMPARE(c.grid->currentIndex().row(), picked);
        // Hover tip: the grid's texts of the time and the value.
        QString tip;
        const int first = c.pane->row_at(c.place(a, 0), 8, &tip);
        QCOMPARE(c.model->number_at(first, cols[0], nullptr), 1.0);
        QCOMPARE(tip, QStringLiteral("2020-01-01 00:00:00\na: 1"));
        QCOMPARE(c.pane->row_at(QPoint(-50, -50), 8), -1);

        // Rows selected in the grid are marked on every line.
        c.grid->selectionModel()->select(QItemSelection(c.model->index(1, 0), c.model->index(2, 0)),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QScatterSeries *marks = c.pane->selection_series();
        QCOMPARE(marks->count(), 2);
        c.pane->set_series_shown(cols[1], true);
        c.pane->refresh_now();
        QCOMPARE(marks->count(), 4);
        std::multiset<double> ys, expected;
        for (const QPointF &p : marks->pointsVector())
            ys.insert(p.y());
        for (int row : {1, 2})
            for (int col : {cols[0], cols[1]})
                expected.insert(c.model->number_at(row, col, nullptr));
        QCOMPARE(ys, expected);
        c.grid->clearSelection();
        QCOMPARE(marks->count(), 0);
    }

    void wheel_drag_and_double_click()
    {
        charted c(srv->exec(), "m", "view m");
        QWidget *vp = c.pane->plot_view()->viewport();
        const QRectF plot = c.pane->chart()->plotArea();
        const qint64 from = c.pane->x_from(), to = c.pane->x_to();
        // Zoom in at the right edge: the end stays, the start moves up.
        const QPoint right = c.pane->plot_view()->mapFromScene(
            c.pane->chart()->mapToScene(QPointF(plot.right() - 0.5, plot.center().y())));
        QWheelEvent in(right, vp->mapToGlobal(right), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp, &in);
        c.pane->refresh_now();
        QVERIFY(c.pane->x_from() > from);
        QVERIFY(qAbs(c.pane->x_to() - to) < (to - from) / 100);
        QVERIFY(c.pane->x_to() - c.pane->x_from() < (to - from) * 9 / 10);
        // The zoomed view still reaches one row beyond its start.
        QCOMPARE(c.pane->series_of(chart_pane::value_columns(c.model)[0])->count(), 4);

        // Ctrl+wheel changes the values, not the times.
        const qint64 zfrom = c.pane->x_from();
        const double yspan = [&] {
            auto *y = qobject_cast<QValueAxis *>(c.pane->chart()->axes(Qt::Vertical).first());
            return y->max() - y->min();
        }();
        QWheelEvent yin(right, vp->mapToGlobal(right), QPoint(), QPoint(0, 240), Qt::NoButton,
                        Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp, &yin);
        c.pane->refresh_now();
        QCOMPARE(c.pane->x_from(), zfrom);
        auto *y = qobject_cast<QValueAxis *>(c.pane->chart()->axes(Qt::Vertical).first());
        QVERIFY(y->max() - y->min() < yspan * 0.7);

        // A drag to the right shows earlier times.
        const QPoint mid = c.pane->plot_view()->mapFromScene(c.pane->chart()->mapToScene(plot.center()));
        const qint64 before = c.pane->x_from();
        QTest::mousePress(vp, Qt::LeftButton, {}, mid);
        QMouseEvent move(QEvent::MouseMove, mid + QPoint(100, 0), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, mid + QPoint(100, 0));
        c.pane->refresh_now();
        QVERIFY(c.pane->x_from() < before);
        QVERIFY(c.grid->selectionModel()->selectedRows().isEmpty()); // a drag is no click

        QTest::mouseDClick(vp, Qt::LeftButton, {}, mid);
        c.pane->refresh_now();
        QCOMPARE(c.pane->x_from(), from);
        QCOMPARE(c.pane->x_to(), to);

        // Zooming out and panning at the ends of time keep the span the user asked for.
        const qint64 end = std::numeric_limits<qint64>::max(), day = qint64(86400) * 1000000000;
        c.pane->set_x_range(end - day, end);
        c.pane->zoom_x(8.0, 1.0);
        QVERIFY(c.pane->x_to() - c.pane->x_from() > 7 * day);
        c.pane->pan_pixels(-200000, 0);
        QVERIFY(c.pane->x_to() - c.pane->x_from() > 7 * day);
        c.pane->set_x_range(-end, -end + 1000);
        c.pane->zoom_x(1e9, 0.0);
        c.pane->pan_pixels(200000, 0);
        QVERIFY(c.pane->x_to() - c.pane->x_from() > 100000);
        c.pane->refresh_now(); // an axis far from the rows draws nothing and fails nothing
        QCOMPARE(c.pane->series_of(chart_pane::value_columns(c.model)[0])->count(), 1);
    }

    void follows_edits_added_rows_sorting_and_reloads()
    {
        charted c(srv->exec(), "m", "view m");
        const int col_a = chart_pane::value_columns(c.model)[0];
        QLineSeries *a = c.pane->series_of(col_a);
        QSignalSpy redrawn(c.pane, &chart_pane::redrawn);

        QVERIFY(c.model->setData(c.model->index(2, col_a), 40));
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(max_y(a), 40.0);

        // Sorting by value leaves the chart as it was, in time order.
        const auto before = points_of(a);
        c.model->sort(col_a, Qt::DescendingOrder);
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(points_of(a), before);
        // A click still finds the row where the sort put it.
        const int last = a->count() - 1;
        QTest::mouseClick(c.pane->plot_view()->viewport(), Qt::LeftButton, {}, c.place(a, last));
        QCOMPARE(c.model->number_at(c.grid->currentIndex().row(), col_a, nullptr), 5.0);

        // An added row starts at 2019-04-23 10:11:12 with 0: the chart widens to it.
        QVERIFY(c.model->insertRows(c.model->rowCount(), 1));
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(a->at(0).y(), 0.0);
        QVERIFY(c.pane->x_from() < qint64(1577836800) * 1000000000);
        // Its time edited: the chart follows the time column too.
        const int tp = c.model->time_point_column();
        mem::date_time later{2020, 1, 1, 0, 0, 9, 0};
        QVERIFY(c.model->setData(c.model->index(c.model->rowCount() - 1, tp), QVariant::fromValue(later)));
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(c.pane->x_to(), qint64(1577836809) * 1000000000);
        QCOMPARE(a->count(), 5);
        QCOMPARE(a->at(4).y(), 0.0);

        // A reload with other columns builds the lines anew.
        c.model->load_result(*srv->exec(), "view txt", 1);
        QVERIFY(redrawn.wait(2000));
        QVERIFY(!c.pane->series_of(col_a));
        QCOMPARE(c.pane->drawn_points(), 0);
        c.model->load_result(*srv->exec(), "view m", 1);
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(c.pane->series_of(col_a)->count(), 4);
    }

    void wide_views_of_many_rows_draw_every_edit()
    {
        // Enough rows that a narrow plot puts hundreds in each pixel column.
        QFile f(srv->data_dir() + "/many.csv");
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray csv = "time point,d\n";
        for (int i = 0; i < 40000; ++i)
            csv += QByteArray("2020-01-01 ") + QTime(0, 0).addSecs(i).toString("HH:mm:ss").toLatin1() + ","
                   + QByteArray::number((i * 7919) % 1000) + "\n";
        QVERIFY(f.write(csv) == csv.size());
        f.close();
        QVERIFY(srv->run("create many d double"));
        QVERIFY(srv->run("import many from csv \"many.csv\" split by \",\""));

        charted c(srv->exec(), "many", "view many");
        QCOMPARE(c.model->rowCount(), 40000);
        c.page->resize(500, 400);
        QApplication::processEvents();
        c.pane->refresh_now();
        const int col = chart_pane::value_columns(c.model)[0];
        QLineSeries *d = c.pane->series_of(col);
        QVERIFY(c.pane->chart()->plotArea().width() < 40000 / 200);
        QVERIFY(c.pane->summary_bytes() > 0);
        QCOMPARE(drawn_values(d), reduced_values(c, col));

        // New lowest values in the middle of blocks, then the old ones back: each edit shows,
        // none lingers.
        QSignalSpy redrawn(c.pane, &chart_pane::redrawn);
        for (int k = 0; k < 10; ++k)
            QVERIFY(c.model->setData(c.model->index(20000 + 64 * k + 30, col), -5000.0 - k));
        QVERIFY(redrawn.wait(2000));
        const std::vector<double> edited = drawn_values(d);
        QCOMPARE(*std::min_element(edited.begin(), edited.end()), -5009.0);
        QCOMPARE(edited, reduced_values(c, col));
        for (int k = 0; k < 10; ++k)
            QVERIFY(c.model->setData(c.model->index(20000 + 64 * k + 30, col), 500.0));
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(drawn_values(d), reduced_values(c, col));
        // Zoomed between block edges, and back to the whole range.
        c.pane->zoom_x(0.37, 0.41);
        c.pane->refresh_now();
        QCOMPARE(drawn_values(d), reduced_values(c, col));
        c.pane->reset_zoom();
        c.pane->refresh_now();
        QCOMPARE(drawn_values(d), reduced_values(c, col));
    }

    void zoomed_on_the_newest_rows_it_moves_with_new_rows()
    {
        QVERIFY(srv->run("create grow v double"));
        const auto at = [](int s) { return QByteArray("2020-01-01 00:00:") + QByteArray::number(s).rightJustified(2, '0'); };
        const auto push = [&](int s) {
            return srv->run("push into grow v values " + QByteArray::number(s) + " at " + at(s));
        };
        for (int s = 0; s < 10; ++s)
            QVERIFY(push(s));
        charted c(srv->exec(), "grow", "view grow");
        QSignalSpy redrawn(c.pane, &chart_pane::redrawn);
        const qint64 base = qint64(1577836800) * 1000000000, sec = 1000000000;
        // Appends the rows of seconds first to last, as follow does.
        const auto arrive = [&](int first, int last) {
            for (int s = first; s <= last; ++s)
                if (!push(s))
                    return false;
            int added = 0;
            const auto st = c.model->append_rows(*srv->exec(), "view grow btw " + at(first) + ' ' + at(last), 1, &added);
            return st == tab_data_model::append_status::done && added == last - first + 1 && redrawn.wait(2000);
        };

        // Zoomed so the newest point is the right edge: the range moves by the new rows' span.
        c.pane->set_x_range(base + 5 * sec, base + 9 * sec);
        QVERIFY(redrawn.wait(2000));
        QVERIFY(arrive(10, 11));
        QCOMPARE(c.pane->x_from(), base + 7 * sec);
        QCOMPARE(c.pane->x_to(), base + 11 * sec);
        // The newest point is drawn.
        QLineSeries *v = c.pane->series_of(chart_pane::value_columns(c.model)[0]);
        QCOMPARE(max_y(v), 11.0);

        // The right edge beyond the newest point: it moves too, keeping its span.
        c.pane->set_x_range(base + 10 * sec, base + 20 * sec);
        QVERIFY(redrawn.wait(2000));
        QVERIFY(arrive(12, 14));
        QCOMPARE(c.pane->x_from(), base + 13 * sec);
        QCOMPARE(c.pane->x_to(), base + 23 * sec);

        // Zoomed on older rows: it stays where the user put it.
        c.pane->set_x_range(base + 1 * sec, base + 4 * sec);
        QVERIFY(redrawn.wait(2000));
        QVERIFY(arrive(15, 15));
        QCOMPARE(c.pane->x_from(), base + 1 * sec);
        QCOMPARE(c.pane->x_to(), base + 4 * sec);

        // Unzoomed it widens to every row.
        c.pane->reset_zoom();
        QVERIFY(redrawn.wait(2000));
        QVERIFY(arrive(16, 17));
        QCOMPARE(c.pane->x_from(), base);
        QCOMPARE(c.pane->x_to(), base + 17 * sec);

        // The wheel a few pixels inside the right edge zooms around the edge itself (doubles
        // may leave it a little short of the newest point), and the view still follows.
        QWidget *vp = c.pane->plot_view()->viewport();
        const QRectF plot = c.pane->chart()->plotArea();
        const QPoint edge = c.pane->plot_view()->mapFromScene(
            c.pane->chart()->mapToScene(QPointF(plot.right() - 3, plot.center().y())));
        QWheelEvent in(edge, vp->mapToGlobal(edge), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(vp, &in);
        QVERIFY(redrawn.wait(2000));
        QVERIFY(qAbs(c.pane->x_to() - (base + 17 * sec)) < 1000);
        const qint64 zoomed_from = c.pane->x_from(), zoomed_to = c.pane->x_to();
        QVERIFY(arrive(18, 18));
        QCOMPARE(c.pane->x_from(), zoomed_from + sec);
        QCOMPARE(c.pane->x_to(), zoomed_to + sec);

        // An edit that makes a newer time point is no new row: the zoomed view stays.
        c.pane->set_x_range(base + 12 * sec, base + 17 * sec);
        QVERIFY(redrawn.wait(2000));
        const int tp = c.model->time_point_column();
        QVERIFY(c.model->setData(c.model->index(0, tp), QVariant::fromValue(mem::date_time{2020, 1, 1, 0, 0, 40, 0})));
        QVERIFY(redrawn.wait(2000));
        QCOMPARE(c.pane->x_from(), base + 12 * sec);
        QCOMPARE(c.pane->x_to(), base + 17 * sec);
    }

    void value_ticks_fall_on_round_numbers()
    {
        charted c(srv->exec(), "m", "view m a b");
        auto *y = qobject_cast<QValueAxis *>(c.pane->chart()->axes(Qt::Vertical).first());
        QCOMPARE(y->tickType(), QValueAxis::TicksDynamic);
        const double step = y->tickInterval();
        const double mag = std::pow(10.0, std::floor(std::log10(step)));
        const double f = step / mag;
        QVERIFY2(qFuzzyCompare(f, 1.0) || qFuzzyCompare(f, 2.0) || qFuzzyCompare(f, 5.0), qPrintable(QString::number(step)));
        QVERIFY(std::fmod(y->tickAnchor(), step) == 0);
        // Between three and twenty ticks, whatever the values.
        const double ticks = (y->max() - y->min()) / step;
        QVERIFY2(ticks >= 2 && ticks <= 20, qPrintable(QString::number(ticks)));
        QCOMPARE(y->labelFormat(), step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
        // Values near the largest doubles keep a finite axis with ticks of their own.
        charted big(srv->exec(), "big", "view big");
        auto *by = qobject_cast<QValueAxis *>(big.pane->chart()->axes(Qt::Vertical).first());
        QVERIFY(std::isfinite(by->min()) && std::isfinite(by->max()));
        QVERIFY(by->tickType() == QValueAxis::TicksFixed || std::isfinite(by->tickInterval()));
    }

    void a_grid_ordered_elsewhere_draws_the_same_lines()
    {
        // Large grids are ordered on another thread; a threshold of one row sends this one there.
        const int large = chart_pane::background_rows();
        charted here(srv->exec(), "m", "view m");
        chart_pane::set_background_rows(1);
        charted there(srv->exec(), "m", "view m");
        QTRY_VERIFY(!there.pane->building() && there.pane->drawn_points() > 0);
        QCOMPARE(there.pane->x_from(), here.pane->x_from());
        QCOMPARE(there.pane->x_to(), here.pane->x_to());
        for (int col : chart_pane::value_columns(here.model))
            QCOMPARE(there.pane->series_of(col)->pointsVector(), here.pane->series_of(col)->pointsVector());

        // An edit while the order is built elsewhere: that build is stale, the edit shows.
        there.model->load_result(*srv->exec(), "view m", 1);
        there.pane->refresh_now();
        QVERIFY(there.pane->building());
        const int col = chart_pane::value_columns(there.model)[0];
        QVERIFY(there.model->setData(there.model->index(0, col), 42));
        QTRY_VERIFY(!there.pane->building() && max_y(there.pane->series_of(col)) == 42.0);
        chart_pane::set_background_rows(large);
    }

    void toggle_makes_the_pane_on_demand()
    {
        QSplitter page;
        auto *grid = new QTableView;
        page.addWidget(grid);
        auto *model = new tab_data_model("m", grid);
        model->load_result(*srv->exec(), "view m", 1);
        grid->setModel(model);
        QAction *act = chart_pane::add_toggle(&page, model, grid, false);
        page.show();
        QVERIFY(act->isVisible() && act->isCheckable() && !act->isChecked());
        QCOMPARE(act->text(), QStringLiteral("chart"));
        QVERIFY(grid->actions().contains(act));
        QVERIFY(!page.findChild<chart_pane *>());
        act->setChecked(true);
        auto *pane = page.findChild<chart_pane *>();
        QVERIFY(pane && pane->isVisible());
        act->setChecked(false);
        QVERIFY(!pane->isVisible());
        act->setChecked(true);
        QCOMPARE(page.findChildren<chart_pane *>().size(), 1);
        // Nothing to chart after a reload: the toggle goes away and the pane with it.
        model->load_result(*srv->exec(), "view txt", 1);
        QVERIFY(!act->isVisible() && !act->isChecked());
        QVERIFY(!pane->isVisible());
    }

    void toggle_on_by_default_until_switched_off()
    {
        QSplitter page;
        auto *grid = new QTableView;
        page.addWidget(grid);
        auto *model = new tab_data_model("m", grid);
        grid->setModel(model);
        // Made before the first load, as a window does.
        QAction *act = chart_pane::add_toggle(&page, model, grid, true);
        page.show();
        QVERIFY(!act->isVisible() && !act->isChecked());
        model->load_result(*srv->exec(), "view m", 1);
        QVERIFY(act->isVisible() && act->isChecked());
        auto *pane = page.findChild<chart_pane *>();
        QVERIFY(pane && pane->isVisible());
        model->load_result(*srv->exec(), "view txt", 1);
        QVERIFY(!act->isChecked());
        model->load_result(*srv->exec(), "view m", 1);
        QVERIFY(act->isChecked());
        // Switched off by the user, it stays off across reloads.
        act->trigger();
        QVERIFY(!act->isChecked() && !pane->isVisible());
        model->load_result(*srv->exec(), "view m", 1);
        QVERIFY(!act->isChecked());
        act->trigger();
        QVERIFY(act->isChecked() && pane->isVisible());
    }
};

QTEST_MAIN(test_chart_pane)
#include "test_chart_pane.moc"
