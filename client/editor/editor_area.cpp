// Layout of gutter and editor inside their scroll area.
#include "editor/editor_area.h"

#include "editor/editor.h"
#include "editor/linenumber_wt.h"

#include <QApplication>
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
    connect(ed_, &editor::textChanged, this, &editor_area::change_layout);
    connect(ed_, &editor::lineChanged, this, &editor_area::change_layout);
    connect(area_, &scrollarea::change_geo, this, &editor_area::update_ed_geo);
    setFocusProxy(ed_);
    change_layout();
}

void editor_area::change_layout()
{
    gutter_->set_line_count(ed_->line_count());
    const QRect visible = area_->visible_rect();
    gutter_->set_scroll_offset(visible.top());
    const int gw = gutter_->width_needed();
    ed_->move(gw + 2, 0);
    const QSize want(gw + 2 + ed_->width() + 2, ed_->height());
    if (content_->size() != want)
        content_->resize(want);
    gutter_->setGeometry(visible.left(), 0, gw, ed_->height());
    gutter_->raise();
    const QPoint c = ed_->cursor_point() + ed_->pos();
    area_->ensureVisible(c.x(), c.y() + ed_->line_height() / 2, gw + 20, ed_->line_height());
}

void editor_area::update_ed_geo(const QRect &visible)
{
    gutter_->set_scroll_offset(visible.top());
    gutter_->move(visible.left(), 0);
    gutter_->update();
    ed_->update();
}
