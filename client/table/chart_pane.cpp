// The chart pane: which columns make the axes and lines, the time order of the rows, the
// reduced points per line and the marks of the grid's selection.
#include "table/chart_pane.h"

#include "table/chart_plot_view.h"
#include "table/tab_data_model.h"

#include <QDateTime>
#include <QItemSelectionModel>
#include <QThread>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

using namespace QtCharts;

namespace {

// The grid's selection is marked on at most this many rows.
constexpr int selection_limit = 2000;
constexpr qint64 ns_per_ms = 1000000;
constexpr qint64 ms_per_hour = 3600000;

qint64 floor_div(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// A range computed in doubles, moved (keeping its span where it fits) inside what
// nanoseconds since 1970 can hold.
std::pair<qint64, qint64> held_range(double from, double to)
{
    constexpr double lo = -9.2e18, hi = 9.2e18; // just inside the 64-bit range
    const double span = std::min(to - from, hi - lo);
    if (from < lo)
        from = lo, to = lo + span;
    if (to > hi)
        to = hi, from = hi - span;
    return {qint64(from), qint64(to)};
}

// Labels fine enough to tell the ticks of the visible span apart, no finer.
QString format_for(qint64 span_ns)
{
    const double s = double(span_ns) / 1e9;
    if (s > 3 * 365 * 86400.0)
        return QStringLiteral("yyyy");
    if (s > 60 * 86400.0)
        return QStringLiteral("yyyy-MM");
    if (s > 4 * 86400.0)
        return QStringLiteral("yyyy-MM-dd");
    if (s > 2 * 3600.0)
        return QStringLiteral("MM-dd hh:mm");
    if (s > 120.0)
        return QStringLiteral("hh:mm:ss");
    return QStringLiteral("hh:mm:ss.zzz");
}

} // namespace

int chart_pane::background_rows_ = 200000;

chart_pane::chart_pane(tab_data_model *model, QTableView *grid, QWidget *parent)
    : QWidget(parent), model_(model), grid_(grid)
{
    chart_ = new QChart;
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    x_axis_ = new QDateTimeAxis;
    y_axis_ = new QValueAxis;
    chart_->addAxis(x_axis_, Qt::AlignBottom);
    chart_->addAxis(y_axis_, Qt::AlignLeft);
    view_ = new chart_plot_view(chart_, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &chart_pane::refresh);
    connect(chart_, &QChart::plotAreaChanged, this, [this](const QRectF &area) {
        // Axis labels of another width move the plot's edge by a few pixels; points reduced
        // for a width that close draw the same line, so only a real resize recomputes.
        const int w = int(area.width());
        if (std::abs(w - last_width_) > std::max(2, last_width_ / 50))
            schedule(work::reduce);
    });
    if (model) {
        connect(model, &QAbstractItemModel::modelReset, this, [this] { schedule(work::setup); });
        connect(model, &QAbstractItemModel::columnsInserted, this, [this] { schedule(work::setup); });
        connect(model, &QAbstractItemModel::columnsRemoved, this, [this] { schedule(work::setup); });
        connect(model, &QAbstractItemModel::layoutChanged, this, [this] { schedule(work::order); });
        connect(model, &QAbstractItemModel::rowsInserted, this, [this] {
            rows_added_ = true;
            schedule(work::order);
        });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { schedule(work::order); });
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &tl, const QModelIndex &br, const QVector<int> &roles) {
                    if (roles.isEmpty() || roles.contains(Qt::EditRole))
                        on_data_changed(tl, br);
                });
    }
    if (grid && grid->selectionModel())
        connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { update_selection(); });
    // The lines exist before the chart is first shown: the legend lays out its entries then.
    // The points wait for the first show, which gives the plot its width.
    setup();
}

// The view owns the chart.
chart_pane::~chart_pane() = default;

int chart_pane::time_column(const tab_data_model *model)
{
    if (!model)
        return -1;
    const int tp = model->time_point_column();
    if (tp >= 0 && kind_of(model->type_of(tp)) == value_kind::datetime)
        return tp;
    for (int c = 0; c < model->columnCount(); ++c)
        if (kind_of(model->type_of(c)) == value_kind::datetime)
            return c;
    return -1;
}

std::vector<int> chart_pane::value_columns(const tab_data_model *model)
{
    std::vector<int> out;
    for (int c = 0; model && c < model->columnCount(); ++c) {
        const value_kind k = kind_of(model->type_of(c));
        if (is_integer(k) || k == value_kind::flt || k == value_kind::dbl)
            out.push_back(c);
    }
    return out;
}

bool chart_pane::can_chart(const tab_data_model *model)
{
    return time_column(model) >= 0 && !value_columns(model).empty();
}

QLineSeries *chart_pane::series_of(int column) const
{
    for (const line &l : lines_)
        if (l.column == column)
            return l.series;
    return nullptr;
}

// ---------------------------------------------------------------- following the model

void chart_pane::schedule(work w)
{
    if (int(w) > int(pending_))
        pending_ = w;
    if (isVisible())
        timer_.start();
}

void chart_pane::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (pending_ != work::none)
        timer_.start();
}

void chart_pane::refresh()
{
    // A hidden pane keeps its work until it is shown.
    if (isVisible())
        refresh_now();
}

void chart_pane::refresh_now()
{
    timer_.stop();
    const work w = model_ ? pending_ : work::none;
    pending_ = work::none;
    switch (w) {
    case work::setup: setup(); reduce(); break;
    case work::order: build_order(); reduce(); break;
    case work::reduce: reduce(); break;
    case work::none: break;
    }
}

void chart_pane::on_data_changed(const QModelIndex &tl, const QModelIndex &br)
{
    // An order built elsewhere from the values before the change would be stale: build again.
    if (building_) {
        building_ = false;
        ++epoch_;
        schedule(work::order);
        return;
    }
    const bool time_moved = x_col_ >= tl.column() && x_col_ <= br.column();
    for (line &l : lines_)
        if (l.column >= tl.column() && l.column <= br.column())
            l.summary.clear();
    schedule(time_moved ? work::order : work::reduce);
}

void chart_pane::setup()
{
    for (line &l : lines_) {
        chart_->removeSeries(l.series);
        delete l.series;
    }
    lines_.clear();
    if (selected_) {
        chart_->removeSeries(selected_);
        delete selected_;
        selected_ = nullptr;
    }
    x_zoomed_ = y_zoomed_ = false;
    x_col_ = time_column(model_);
    if (x_col_ >= 0) {
        for (int col : value_columns(model_)) {
            auto *s = new QLineSeries;
            s->setName(model_->headerData(col, Qt::Horizontal).toString());
            chart_->addSeries(s);
            s->attachAxis(x_axis_);
            s->attachAxis(y_axis_);
            lines_.push_back(line{col, s, {}, true, {}});
            for (QLegendMarker *m : chart_->legend()->markers(s))
                connect(m, &QLegendMarker::clicked, this, [this, col] { set_series_shown(col, !series_shown(col)); });
        }
        selected_ = new QScatterSeries;
        selected_->setMarkerSize(9);
        selected_->setColor(QColor(230, 120, 0));
        selected_->setBorderColor(QColor(120, 50, 0));
        chart_->addSeries(selected_);
        selected_->attachAxis(x_axis_);
        selected_->attachAxis(y_axis_);
        for (QLegendMarker *m : chart_->legend()->markers(selected_))
            m->setVisible(false);
    }
    if (isVisible()) {
        // A shown legend hides its entries while series are added and shows them again only
        // when its own size changes: hidden for one layout, it gets a new size.
        chart_->legend()->hide();
        QTimer::singleShot(0, chart_->legend(), [l = chart_->legend()] { l->show(); });
    }
    build_order();
}

void chart_pane::build_order()
{
    const bool had_rows = !order_.empty();
    const qint64 newest_before = had_rows ? order_.x(order_.size() - 1) : 0;
    const bool rows_added = std::exchange(rows_added_, false);
    ++epoch_;
    building_ = false;
    order_.clear();
    for (line &l : lines_)
        l.summary.clear();
    if (build_elsewhere(had_rows, newest_before, rows_added))
        return;
    const int n = model_ && x_col_ >= 0 ? model_->rowCount() : 0;
    order_.reserve(std::size_t(n));
    qint64 ns = 0;
    for (int r = 0; r < n; ++r)
        if (model_->time_ns_at(r, x_col_, &ns))
            order_.add(ns, r);
    order_.finish();
    place_range(had_rows, newest_before, rows_added);
}

bool chart_pane::build_elsewhere(bool had_rows, qint64 newest_before, bool rows_added)
{
    const int n = model_ && x_col_ >= 0 ? model_->rowCount() : 0;
    if (n < background_rows_ || lines_.empty())
        return false;
    // The stored values stay as they are while the build holds them; a grid whose shown values
    // are not all in storage (edits, a sort) is ordered here.
    const std::shared_ptr<const column_store> xs = model_->stored_values(x_col_);
    if (!xs)
        return false;
    std::vector<std::pair<int, std::shared_ptr<const column_store>>> ys;
    for (const line &l : lines_) {
        std::shared_ptr<const column_store> v = model_->stored_values(l.column);
        if (!v)
            return false;
        ys.emplace_back(l.column, std::move(v));
    }
    struct built {
        chart_time_order order;
        std::vector<std::pair<int, chart_block_summary>> summaries;
    };
    auto out = std::make_shared<built>();
    QThread *worker = QThread::create([xs, ys, out, n] {
        out->order.reserve(std::size_t(n));
        std::int64_t ns = 0;
        for (int r = 0; r < n; ++r)
            if (xs->time_ns_at(std::size_t(r), &ns))
                out->order.add(ns, r);
        out->order.finish();
        for (const auto &y : ys) {
            chart_block_summary summary;
            const column_store &values = *y.second;
            summary.build(out->order, [&values](int row, double *v) { return values.number_at(std::size_t(row), v); });
            out->summaries.emplace_back(y.first, std::move(summary));
        }
    });
    worker->setObjectName(QStringLiteral("vorn chart order"));
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    const quint64 epoch = epoch_;
    connect(worker, &QThread::finished, this, [this, out, epoch, had_rows, newest_before, rows_added] {
        if (epoch != epoch_ || !building_)
            return;
        building_ = false;
        order_ = std::move(out->order);
        for (line &l : lines_)
            for (auto &s : out->summaries)
                if (s.first == l.column)
                    l.summary = std::move(s.second);
        place_range(had_rows, newest_before, rows_added);
        schedule(work::reduce);
    });
    building_ = true;
    worker->start();
    return true;
}

void chart_pane::place_range(bool had_rows, qint64 newest_before, bool rows_added)
{
    if (!x_zoomed_) {
        // Unzoomed, the chart shows every row, so new rows scroll into view.
        if (order_.empty()) {
            x0_ = 0;
            x1_ = 1000 * ns_per_ms;
        } else {
            x0_ = order_.x(0);
            x1_ = order_.x(order_.size() - 1);
            if (x1_ <= x0_)
                x0_ -= 500 * ns_per_ms, x1_ += 500 * ns_per_ms;
        }
    } else if (rows_added && had_rows && !order_.empty() && shows_time(newest_before)) {
        // Zoomed on the newest rows, the view moves on with the rows that keep coming; zoomed
        // on older rows, it stays where the user put it.
        const qint64 newest = order_.x(order_.size() - 1);
        qint64 step = 0, from = 0, to = 0;
        // In whole nanoseconds where they fit: doubles would round the range's ends by hundreds.
        const bool exact = !__builtin_sub_overflow(newest, newest_before, &step)
                           && !__builtin_add_overflow(x0_, step, &from) && !__builtin_add_overflow(x1_, step, &to);
        if (newest > newest_before && exact) {
            x0_ = from;
            x1_ = to;
        } else if (newest > newest_before) {
            const double d = double(newest) - double(newest_before);
            std::tie(x0_, x1_) = held_range(double(x0_) + d, double(x1_) + d);
        }
    }
}

bool chart_pane::shows_time(qint64 ns) const
{
    // A point less than a pixel beyond the right edge is drawn at the edge; a zoom computed
    // in doubles puts the edge there, hundreds of nanoseconds off.
    const qint64 pixel = qint64((double(x1_) - double(x0_)) / plot_width());
    qint64 beyond = 0;
    return x1_ >= ns || (!__builtin_sub_overflow(ns, x1_, &beyond) && beyond <= pixel);
}

int chart_pane::plot_width() const
{
    const int w = int(chart_->plotArea().width());
    return w >= 10 ? w : std::max(100, width() - 80);
}

qreal chart_pane::axis_ms(qint64 ns) const
{
    const qint64 ms = floor_div(ns, ns_per_ms);
    const qint64 hour = floor_div(ms, ms_per_hour);
    if (hour != offset_hour_) {
        const QDateTime utc = QDateTime::fromMSecsSinceEpoch(hour * ms_per_hour, Qt::UTC);
        const QDateTime local(utc.date(), utc.time(), Qt::LocalTime);
        offset_ms_ = local.isValid() ? local.toMSecsSinceEpoch() - hour * ms_per_hour : 0;
        offset_hour_ = hour;
    }
    return qreal(ms + offset_ms_) + qreal(ns - ms * ns_per_ms) / qreal(ns_per_ms);
}

void chart_pane::reduce()
{
    const int width = plot_width();
    last_width_ = int(chart_->plotArea().width());
    double lo = INFINITY, hi = -INFINITY;
    for (line &l : lines_) {
        if (!l.shown) {
            std::vector<chart_point>().swap(l.points);
            l.series->clear();
            continue;
        }
        const int col = l.column;
        tab_data_model *m = model_;
        const auto y_of = [m, col](int row, double *y) {
            bool ok = false;
            *y = m->number_at(row, col, &ok);
            return ok;
        };
        if (!l.summary.covers(order_))
            l.summary.build(order_, y_of);
        reduce_series(order_, x0_, x1_, width, y_of, l.points, &l.summary);
        QVector<QPointF> pts;
        pts.reserve(int(l.points.size()));
        for (const chart_point &p : l.points) {
            pts.append(QPointF(axis_ms(p.x), p.y));
            if (p.x >= x0_ && p.x <= x1_)
                lo = std::min(lo, p.y), hi = std::max(hi, p.y);
        }
        l.series->replace(pts);
    }
    if (!y_zoomed_) {
        if (!(lo <= hi))
            lo = 0, hi = 1;
        // Halves first: values near the largest doubles have no finite difference.
        const double half = hi / 2 - lo / 2;
        const double pad = half > 0 ? half * 0.1 : std::max(1.0, std::fabs(hi) * 0.05);
        y0_ = std::isfinite(lo - pad) ? lo - pad : lo;
        y1_ = std::isfinite(hi + pad) ? hi + pad : hi;
    }
    update_axes();
    update_selection();
    emit redrawn();
}

void chart_pane::update_axes()
{
    x_axis_->setFormat(format_for(x1_ - x0_));
    x_axis_->setTickCount(std::clamp(plot_width() / 120 + 1, 2, 10));
    const qint64 a0 = qint64(std::floor(axis_ms(x0_))), a1 = qint64(std::ceil(axis_ms(x1_)));
    x_axis_->setRange(QDateTime::fromMSecsSinceEpoch(a0), QDateTime::fromMSecsSinceEpoch(std::max(a1, a0 + 1)));
    // Ticks of the last range could number in the billions for this one: fixed while it changes.
    y_axis_->setTickType(QValueAxis::TicksFixed);
    y_axis_->setRange(y0_, y1_);
    // Ticks on round values (1, 2 or 5 times a power of ten) about every 60 pixels, labelled
    // with as many decimals as the step needs; the range stays as the values fill it.
    const int plot_h = int(chart_->plotArea().height());
    const double n = std::max(2, (plot_h >= 10 ? plot_h : std::max(100, height() - 80)) / 60);
    const double raw = 2 * ((y1_ / 2 - y0_ / 2) / n);
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / mag;
    const double step = (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * mag;
    if (std::isfinite(step) && step > 0 && std::isfinite(std::floor(y0_ / step) * step)) {
        y_axis_->setTickAnchor(std::floor(y0_ / step) * step);
        y_axis_->setTickInterval(step);
        y_axis_->setTickType(QValueAxis::TicksDynamic);
        const int decimals = std::clamp(int(-std::floor(std::log10(step))), 0, 12);
        const bool plain = std::max(std::fabs(y0_), std::fabs(y1_)) < 1e12;
        y_axis_->setLabelFormat(plain ? QStringLiteral("%.%1f").arg(decimals) : QStringLiteral("%.6g"));
    } else {
        y_axis_->setLabelFormat(QStringLiteral("%.6g"));
    }
}

void chart_pane::update_selection()
{
    if (!selected_)
        return;
    QVector<QPointF> pts;
    QItemSelectionModel *sel = grid_ ? grid_->selectionModel() : nullptr;
    if (sel && model_ && sel->model() == model_) {
        std::vector<int> rows;
        for (const QItemSelectionRange &r : sel->selection()) {
            for (int row = r.top(); row <= r.bottom() && int(rows.size()) < selection_limit; ++row)
                rows.push_back(row);
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        qint64 ns = 0;
        for (int row : rows) {
            if (!model_->time_ns_at(row, x_col_, &ns))
                continue;
            for (const line &l : lines_) {
                bool ok = false;
                const double y = model_->number_at(row, l.column, &ok);
                if (ok && l.shown && chart_drawable(y))
                    pts.append(QPointF(axis_ms(ns), y));
            }
        }
    }
    selected_->replace(pts);
}

// ---------------------------------------------------------------- what the user does

bool chart_pane::series_shown(int column) const
{
    for (const line &l : lines_)
        if (l.column == column)
            return l.shown;
    return false;
}

void chart_pane::set_series_shown(int column, bool shown)
{
    auto it = std::find_if(lines_.begin(), lines_.end(), [column](const line &l) { return l.column == column; });
    if (it == lines_.end() || it->shown == shown)
        return;
    it->shown = shown;
    // A switched-off line is emptied rather than hidden, so its legend entry stays (dimmed)
    // to switch it on again.
    for (QLegendMarker *m : chart_->legend()->markers(it->series)) {
        QColor label = m->labelBrush().color();
        label.setAlphaF(shown ? 1.0 : 0.4);
        m->setLabelBrush(label);
        QColor fill = it->series->color();
        fill.setAlphaF(shown ? 1.0 : 0.25);
        m->setBrush(fill);
    }
    schedule(work::reduce);
}

void chart_pane::set_x_range(qint64 from, qint64 to)
{
    x0_ = from;
    x1_ = to > from ? to : from + 1;
    x_zoomed_ = true;
    schedule(work::reduce);
}

void chart_pane::zoom_x(double factor, double at)
{
    const double span = double(x1_) - double(x0_);
    const double next = std::clamp(span * factor, 1000.0, 1e18); // a microsecond to 30 years
    const double center = double(x0_) + at * span;
    const double from = center - at * next;
    const auto r = held_range(from, from + next);
    set_x_range(r.first, r.second);
}

void chart_pane::zoom_y(double factor, double at)
{
    // In halves, as a range across the largest doubles has no finite span.
    const double half = y1_ / 2 - y0_ / 2;
    const double next = std::clamp(half * factor, 1e-12, std::numeric_limits<double>::max() / 2);
    const double center = y0_ / 2 + at * half; // half the value under the mouse
    y0_ = std::max(-std::numeric_limits<double>::max(), 2 * (center - at * next));
    y1_ = std::min(std::numeric_limits<double>::max(), 2 * (center - at * next + next));
    y_zoomed_ = true;
    schedule(work::reduce);
}

void chart_pane::pan_pixels(double dx, double dy)
{
    const QRectF plot = chart_->plotArea();
    if (plot.width() > 0) {
        const double shift = -dx / plot.width() * (double(x1_) - double(x0_));
        const auto r = held_range(double(x0_) + shift, double(x1_) + shift);
        set_x_range(r.first, r.second);
    }
    if (y_zoomed_ && plot.height() > 0) {
        const double shift = dy / plot.height() * 2 * (y1_ / 2 - y0_ / 2);
        y0_ += shift;
        y1_ += shift;
    }
}

void chart_pane::reset_zoom()
{
    x_zoomed_ = y_zoomed_ = false;
    schedule(work::order);
}

int chart_pane::row_at(const QPoint &pos, int radius, QString *tip) const
{
    const QRectF plot = chart_->plotArea();
    const QPointF at = chart_->mapFromScene(view_->mapToScene(pos));
    if (!model_ || plot.width() <= 0 || plot.height() <= 0 || !plot.adjusted(-radius, -radius, radius, radius).contains(at))
        return -1;
    const double a0 = axis_ms(x0_), a1 = axis_ms(x1_);
    // Halves of the values, so that the largest doubles still have a finite distance.
    const double sx = plot.width() / std::max(1e-9, a1 - a0);
    const double sy = plot.height() / std::max(1e-300, y1_ / 2 - y0_ / 2);
    double best = double(radius) * radius;
    int best_row = -1, best_col = -1;
    for (const line &l : lines_) {
        if (!l.shown)
            continue;
        for (const chart_point &p : l.points) {
            const double px = plot.left() + (axis_ms(p.x) - a0) * sx;
            const double py = plot.bottom() - (p.y / 2 - y0_ / 2) * sy;
            const double d = (px - at.x()) * (px - at.x()) + (py - at.y()) * (py - at.y());
            if (d <= best)
                best = d, best_row = p.row, best_col = l.column;
        }
    }
    if (best_row >= 0 && tip)
        *tip = QStringLiteral("%1\n%2: %3")
                   .arg(model_->data(model_->index(best_row, x_col_)).toString(),
                        model_->headerData(best_col, Qt::Horizontal).toString(),
                        model_->data(model_->index(best_row, best_col)).toString());
    return best_row;
}

void chart_pane::select_row(int row)
{
    if (!grid_ || !model_ || !grid_->selectionModel())
        return;
    const QModelIndex idx = model_->index(row, 0);
    if (!idx.isValid())
        return;
    grid_->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(idx);
}

std::size_t chart_pane::bytes_held() const
{
    std::size_t n = order_.bytes_held() + summary_bytes();
    for (const line &l : lines_)
        n += l.points.capacity() * sizeof(chart_point) + std::size_t(l.series->count()) * sizeof(QPointF);
    return n;
}

std::size_t chart_pane::summary_bytes() const
{
    std::size_t n = 0;
    for (const line &l : lines_)
        n += l.summary.bytes_held();
    return n;
}

int chart_pane::drawn_points() const
{
    int n = 0;
    for (const line &l : lines_)
        if (l.shown)
            n += l.series->count();
    return n;
}
