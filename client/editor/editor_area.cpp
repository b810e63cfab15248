// Layout of gutter and editor inside their scroll area.
#include "editor/editor_area.h"

#include "editor/editor.h"
#include "editor/linenumber_wt.h"

#include <QApplication>
#include <algorithm>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

scrollarea::scrollarea(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("scrollarea"));
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Base);
    setFrameShape(QFrame::NoFrame);   // the editor paints the whole area itself
}

QRect scrollarea::visible_rect() const
{
    return QRect(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), viewport()->size());
}

void scrollarea::scroll_h(int value)
{
    horizontalScrollBar()->setValue(value);
}

void scrollarea::scroll_v(int value)
{
    verticalScrollBar()->setValue(value);
}

void scrollarea::wheel(QWheelEvent *ev)
{
    QScrollArea::wheelEvent(ev);
}

void scrollarea::resizeEvent(QResizeEvent *ev)
{
    QScrollArea::resizeEvent(ev);
    emit change_geo(visible_rect());
}

void scrollarea::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    emit scrolling(horizontalScrollBar()->value(), verticalScrollBar()->value());
    emit change_geo(visible_rect());
}

editor_area::editor_area(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("editor_area"));
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    area_ = new scrollarea(this);
    lay->addWidget(area_);
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("editor_content"));
    ed_ = new editor(content_);
    gutter_ = new linenumber_wt(content_);
    area_->setWidget(content_);
    // A click on the view outside the text still belongs to the editor.
    area_->setFocusProxy(ed_);
    connect(ed_, &editor::textChanged, this, &editor_area::change_layout);
    connect(ed_, &editor::lineChanged, this, &editor_area::change_layout);
    connect(ed_, &editor::style_changed, gutter_, [this] { gutter_->set_style(ed_->style()); });
    connect(area_, &scrollarea::change_geo, this, &editor_area::update_ed_geo);
    setFocusProxy(ed_);
    change_layout();
}

void editor_area::change_layout()
{
    if (laying_out_)
        return;
    laying_out_ = true;
    fit();
    // A cursor outside the slice of a very long line that the widget holds moves the slice.
    const qint64 cursor_x = ed_->cursor_point().x();
    if (cursor_x < 0 || cursor_x >= ed_->width())
        ed_->set_x_origin(ed_->x_origin() + cursor_x - editor::widget_width_cap / 2);
    const QPoint c = ed_->cursor_point() + ed_->pos();
    area_->ensureVisible(c.x(), c.y() + ed_->line_height() / 2, gutter_->width() + 20, ed_->line_height());
    laying_out_ = false;
}

// Gutter and editor side by side; the editor covers at least the whole view, so clicks
// right of or below the text reach it.
void editor_area::fit()
{
    gutter_->set_line_count(ed_->line_count());
    const int gw = gutter_->width_needed();
    // Resizing the content may add or remove a scroll bar and so change the view: again then.
    for (int pass = 0; pass < 3; ++pass) {
        const QSize view = area_->viewport()->size();
        ed_->set_fill_size(QSize(std::max(0, view.width() - gw - 4), view.height()));
        ed_->move(gw + 2, 0);
        const QSize want(gw + 2 + ed_->width() + 2, ed_->height());
        if (content_->size() != want)
            content_->resize(want);
        if (area_->viewport()->size() == view)
            break;
    }
    const QRect visible = area_->visible_rect();
    gutter_->set_scroll_offset(visible.top());
    gutter_->setGeometry(visible.left(), 0, gw, ed_->height());
    gutter_->raise();
    fitted_view_ = visible.size();
}

void editor_area::update_ed_geo(const QRect &visible)
{
    if (!laying_out_ && slide(visible))
        return;
    gutter_->set_scroll_offset(visible.top());
    gutter_->move(visible.left(), 0);
    gutter_->update();
    ed_->update();
    if (!laying_out_ && visible.size() != fitted_view_) {
        laying_out_ = true;
        fit();
        laying_out_ = false;
    }
}

// Scrolling near either end of the slice of a very long line that the widget holds moves
// the slice by a quarter of its width and the scroll bar back by as much: the view stays
// where it is and the line can be scrolled to its end.
bool editor_area::slide(const QRect &visible)
{
    const qint64 step = editor::widget_width_cap / 4;
    const int left = visible.left() - ed_->x();
    qint64 delta = 0;
    if (left > ed_->width() - visible.width() - step / 2)
        delta = step;
    else if (left < step / 2)
        delta = -step;
    const qint64 before = ed_->x_origin();
    if (delta == 0 || (delta > 0 && ed_->content_width() <= editor::widget_width_cap))
        return false;
    ed_->set_x_origin(before + delta);
    const qint64 moved = ed_->x_origin() - before;
    if (moved == 0)
        return false;
    laying_out_ = true;
    area_->horizontalScrollBar()->setValue(static_cast<int>(area_->horizontalScrollBar()->value() - moved));
    laying_out_ = false;
    update_ed_geo(area_->visible_rect());
    return true;
}
