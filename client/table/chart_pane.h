// A chart of a grid's time series beside the grid: one line per numeric column over the time
// column, reduced to what the plot's width can show, following the model and the selection.
#pragma once

#include "table/chart_reduce.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtCharts/QChartGlobal>
#include <limits>
#include <vector>

QT_CHARTS_BEGIN_NAMESPACE
class QChart;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
QT_CHARTS_END_NAMESPACE

class QAction;
class QSplitter;
class QTableView;
class chart_plot_view;
class tab_data_model;

class chart_pane : public QWidget {
    Q_OBJECT
public:
    // grid may be null; with it, clicks on points select rows and its selection is marked.
    chart_pane(tab_data_model *model, QTableView *grid, QWidget *parent = nullptr);
    ~chart_pane() override;

    // The time axis: the "time point" column when it holds dates and times, else the first
    // datetime column; -1 when there is none.
    static int time_column(const tab_data_model *model);
    // The integer and floating columns, in grid order.
    static std::vector<int> value_columns(const tab_data_model *model);
    // A time axis and at least one numeric column.
    static bool can_chart(const tab_data_model *model);

    QtCharts::QChart *chart() const { return chart_; }
    chart_plot_view *plot_view() const { return view_; }
    int x_column() const { return x_col_; }
    // The line of a grid column, null for a column that has none.
    QtCharts::QLineSeries *series_of(int column) const;
    QtCharts::QScatterSeries *selection_series() const { return selected_; }
    // Shows or hides a column's line, as a click on its legend entry does.
    void set_series_shown(int column, bool shown);
    bool series_shown(int column) const;

    // The visible time range, wall-clock nanoseconds since 1970-01-01.
    qint64 x_from() const { return x0_; }
    qint64 x_to() const { return x1_; }
    void set_x_range(qint64 from, qint64 to);
    // Narrows (factor < 1) or widens the time range keeping the point at fraction `at` (0 the
    // left edge, 1 the right) in place; the value axis likewise with `at` from the bottom.
    void zoom_x(double factor, double at);
    void zoom_y(double factor, double at);
    // Moves the view by a distance in plot pixels (a drag to the right shows earlier times).
    void pan_pixels(double dx, double dy);
    // The whole time range and automatic values again.
    void reset_zoom();

    // The grid row of the drawn point nearest pos (chart view coordinates) within radius
    // pixels, or -1; tip, when given, receives the point's time and value.
    int row_at(const QPoint &pos, int radius, QString *tip = nullptr) const;
    // Selects the row in the grid and brings it into view.
    void select_row(int row);

    // Puts the checkable "chart" action into grid's context menu: checked, it shows a pane for
    // model beside grid in splitter (made when first needed), unchecked it hides it. The
    // action is visible only while the model can be charted. With shown, the chart comes on
    // whenever the grid can be charted (now or after a reload) until the user switches it off.
    static QAction *add_toggle(QSplitter *splitter, tab_data_model *model, QTableView *grid, bool shown);

    // Runs a pending recomputation at once (it otherwise waits for the event loop). The time
    // order of a large grid is built on another thread: the points come later then.
    void refresh_now();
    // The time order is being built on another thread.
    bool building() const { return building_; }
    // Grids of at least this many rows (unsorted, unedited) get their time order and block
    // summaries built on another thread, so that the window goes on meanwhile.
    static int background_rows() { return background_rows_; }
    static void set_background_rows(int rows) { background_rows_ = rows; }
    // Bytes the chart keeps: the time order and the reduced points.
    std::size_t bytes_held() const;
    // Bytes of that kept beside the time order so that wide views read blocks, not rows.
    std::size_t summary_bytes() const;
    // Points drawn by the visible lines.
    int drawn_points() const;

signals:
    // After every recomputation of the drawn points.
    void redrawn();

protected:
    void showEvent(QShowEvent *e) override;

private:
    enum class work { none, reduce, order, setup };
    void schedule(work w);
    void refresh();
    void setup();
    void build_order();
    // Starts building the order elsewhere; false when it must be built here.
    bool build_elsewhere(bool had_rows, qint64 newest_before, bool rows_added);
    // The visible time range after the order was rebuilt.
    void place_range(bool had_rows, qint64 newest_before, bool rows_added);
    void reduce();
    void update_axes();
    void update_selection();
    void on_data_changed(const QModelIndex &top_left, const QModelIndex &bottom_right);
    void on_rows_changed();
    int plot_width() const;
    // Whether a time is at or before the visible range's end, to a pixel.
    bool shows_time(qint64 ns) const;
    // Axis values are what the axis shows in local time for the wall-clock values.
    qreal axis_ms(qint64 ns) const;

    QPointer<tab_data_model> model_;
    QPointer<QTableView> grid_;
    QtCharts::QChart *chart_ = nullptr;
    chart_plot_view *view_ = nullptr;
    QtCharts::QDateTimeAxis *x_axis_ = nullptr;
    QtCharts::QValueAxis *y_axis_ = nullptr;
    QtCharts::QScatterSeries *selected_ = nullptr;

    struct line {
        int column;
        QtCharts::QLineSeries *series;
        std::vector<chart_point> points;
        bool shown;
        // Built with the time order on the first reduction after it, dropped when the order
        // or the column's values change.
        chart_block_summary summary;
    };
    std::vector<line> lines_;
    int x_col_ = -1;
    chart_time_order order_;
    qint64 x0_ = 0, x1_ = 0;
    double y0_ = 0, y1_ = 1;
    bool x_zoomed_ = false, y_zoomed_ = false;
    bool rows_added_ = false; // since the time order was last built
    // Raised with every rebuild of the order: a build elsewhere that finds it raised is stale.
    quint64 epoch_ = 0;
    bool building_ = false;
    static int background_rows_;
    work pending_ = work::reduce; // the first show reduces for the real width
    QTimer timer_;
    int last_width_ = 0;
    // The local clock's offset for one hour of wall-clock time, the last one asked for.
    mutable qint64 offset_hour_ = std::numeric_limits<qint64>::min();
    mutable qint64 offset_ms_ = 0;
};
