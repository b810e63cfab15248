// The colour picker of the preferences: swatch, one-click row and the colour dialog.
#include "config/color_wt.h"

#include "common/modal_seam.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

namespace {

// Draws a colour over a checkerboard so that transparency stays visible.
void paint_colour(QPainter &p, const QRect &r, const QColor &c)
{
    const int cell = 4;
    for (int y = r.top(); y <= r.bottom(); y += cell)
        for (int x = r.left(); x <= r.right(); x += cell)
            p.fillRect(QRect(x, y, cell, cell).intersected(r),
                       ((x - r.left()) / cell + (y - r.top()) / cell) % 2 ? QColor(204, 204, 204) : Qt::white);
    p.fillRect(r, c);
    p.setPen(QColor(96, 96, 96));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

class swatch_wt : public QWidget {
public:
    swatch_wt(const color_wt *owner, QWidget *parent) : QWidget(parent), owner_(owner)
    {
        setFixedSize(36, 22);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        paint_colour(p, rect(), owner_->color());
    }

private:
    const color_wt *owner_;
};

QIcon colour_icon(const QColor &c)
{
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paint_colour(p, pm.rect(), c);
    return QIcon(pm);
}

} // namespace

color_wt::color_wt(QWidget *parent) : QWidget(parent)
{
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(4);
    swatch_ = new swatch_wt(this, this);
    swatch_->setObjectName(QStringLiteral("swatch_wt"));
    lay->addWidget(swatch_);
    row_ = new QHBoxLayout;
    row_->setSpacing(1);
    lay->addLayout(row_);
    more_pb_ = new QToolButton(this);
    more_pb_->setObjectName(QStringLiteral("more_pb"));
    more_pb_->setText(tr("more..."));
    more_pb_->setToolTip(tr("choose any colour"));
    lay->addWidget(more_pb_);
    lay->addStretch(1);
    connect(more_pb_, &QToolButton::clicked, this, &color_wt::choose);
}

void color_wt::set_color(const QColor &c)
{
    color_ = c;
    swatch_->setToolTip(c.name(QColor::HexArgb));
    swatch_->update();
}

void color_wt::set_choices(const QVector<QColor> &colors)
{
    choices_.clear();
    for (const QColor &c : colors)
        if (!choices_.contains(c))
            choices_.push_back(c);
    for (QToolButton *b : choice_buttons_)
        delete b;
    choice_buttons_.clear();
    for (int i = 0; i < choices_.size(); ++i) {
        const QColor c = choices_[i];
        auto *b = new QToolButton(this);
        b->setObjectName(QStringLiteral("choice_pb_%1").arg(i));
        b->setAutoRaise(true);
        b->setIcon(colour_icon(c));
        b->setIconSize(QSize(14, 14));
        b->setFixedSize(18, 18);
        b->setToolTip(QStringLiteral("%1, %2, %3").arg(c.red()).arg(c.green()).arg(c.blue()));
        connect(b, &QToolButton::clicked, this, [this, c] { pick(c); });
        row_->addWidget(b);
        choice_buttons_.push_back(b);
    }
}

void color_wt::choose()
{
    QColorDialog dlg(color_, this);
    dlg.setOption(QColorDialog::ShowAlphaChannel);
    dlg.setWindowTitle(tr("select color"));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QColor c = dlg.currentColor();
    if (c.isValid())
        pick(c);
}

void color_wt::pick(const QColor &c)
{
    set_color(c);
    emit color_changed(c);
}
