// The chart pane's view: wheel zoom around the mouse, drag to pan, double-click to reset,
// hover tips and clicks that pick a point's row.
#pragma once

#include <QPoint>
#include <QtCharts/QChartView>

class chart_pane;

class chart_plot_view : public QtCharts::QChartView {
    Q_OBJECT
public:
    chart_plot_view(QtCharts::QChart *chart, chart_pane *pane);

protected:
    void wheelEvent(QWheelEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    // Where pos lies across the plot area: 0 at the left (bottom), 1 at the right (top).
    double x_fraction(const QPoint &pos) const;
    double y_fraction(const QPoint &pos) const;
    bool on_legend(const QPoint &pos) const;

    chart_pane *pane_;
    QPoint press_at_, last_at_;
    bool pressed_ = false, dragged_ = false;
};
