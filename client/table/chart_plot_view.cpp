// Mouse handling of the chart pane's view; the pane does the zooming, panning and picking.
#include "table/chart_plot_view.h"

#include "table/chart_pane.h"

#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <algorithm>
#include <cmath>

using namespace QtCharts;

namespace {
// A press that moves less than this is a click, not a drag.
constexpr int click_slop = 4;
constexpr int pick_radius = 8;
constexpr double edge_snap = 8;
} // namespace

chart_plot_view::chart_plot_view(QChart *chart, chart_pane *pane) : QChartView(chart), pane_(pane)
{
    setRenderHint(QPainter::Antialiasing, false);
    setMouseTracking(true);
    setRubberBand(QChartView::NoRubberBand);
}

double chart_plot_view::x_fraction(const QPoint &pos) const
{
    const QRectF plot = chart()->plotArea();
    const QPointF at = chart()->mapFromScene(mapToScene(pos));
    if (plot.width() <= 0)
        return 0.5;
    // The wheel over the last few pixels zooms around the edge itself: a view of the newest
    // rows keeps them at its end (and follows new ones) instead of losing them by a pixel.
    if (at.x() >= plot.right() - edge_snap)
        return 1.0;
    if (at.x() <= plot.left() + edge_snap)
        return 0.0;
    return (at.x() - plot.left()) / plot.width();
}

double chart_plot_view::y_fraction(const QPoint &pos) const
{
    const QRectF plot = chart()->plotArea();
    const QPointF at = chart()->mapFromScene(mapToScene(pos));
    return plot.height() > 0 ? std::clamp((plot.bottom() - at.y()) / plot.height(), 0.0, 1.0) : 0.5;
}

void chart_plot_view::wheelEvent(QWheelEvent *e)
{
    const int steps = e->angleDelta().y();
    if (steps == 0) {
        e->ignore();
        return;
    }
    // One notch (120) narrows the range by a fifth.
    const double factor = std::pow(0.8, steps / 120.0);
    const QPoint pos = e->position().toPoint();
    if (e->modifiers() & Qt::ControlModifier)
        pane_->zoom_y(factor, y_fraction(pos));
    else
        pane_->zoom_x(factor, x_fraction(pos));
    e->accept();
}

bool chart_plot_view::on_legend(const QPoint &pos) const
{
    const QLegend *legend = chart()->legend();
    return legend->isVisible() && legend->sceneBoundingRect().contains(mapToScene(pos));
}

void chart_plot_view::mousePressEvent(QMouseEvent *e)
{
    // The legend's entries switch their lines on a click of their own; a drag starts elsewhere.
    if (e->button() != Qt::LeftButton || on_legend(e->pos())) {
        QChartView::mousePressEvent(e);
        return;
    }
    pressed_ = true;
    dragged_ = false;
    press_at_ = last_at_ = e->pos();
    e->accept();
}

void chart_plot_view::mouseMoveEvent(QMouseEvent *e)
{
    if (pressed_) {
        if ((e->pos() - press_at_).manhattanLength() >= click_slop)
            dragged_ = true;
        if (dragged_) {
            const QPoint d = e->pos() - last_at_;
            pane_->pan_pixels(d.x(), d.y());
            last_at_ = e->pos();
        }
        e->accept();
        return;
    }
    QString tip;
    if (pane_->row_at(e->pos(), pick_radius, &tip) >= 0)
        QToolTip::showText(e->globalPos(), tip, this);
    else
        QToolTip::hideText();
    QChartView::mouseMoveEvent(e);
}

void chart_plot_view::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !pressed_) {
        QChartView::mouseReleaseEvent(e);
        return;
    }
    pressed_ = false;
    if (!dragged_) {
        const int row = pane_->row_at(e->pos(), pick_radius);
        if (row >= 0)
            pane_->select_row(row);
    }
    e->accept();
}

void chart_plot_view::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        pane_->reset_zoom();
        e->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(e);
}
