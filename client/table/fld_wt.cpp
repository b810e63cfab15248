// The field filter: folded it is one row of check boxes behind a frameless line edit that names
// the checked fields; under the mouse the list comes to the front as a column over the widgets
// below, so any number of fields can be reached without a dialog.
#include "table/fld_wt.h"

#include <QLineEdit>
#include <QListWidget>

namespace {
constexpr int folded_width = 500;
constexpr int folded_height = 30;
constexpr int list_width = 480;
} // namespace

fld_wt::fld_wt(QWidget *parent) : QWidget(parent), list_(new QListWidget(this)), le_(new QLineEdit(this))
{
    setMinimumSize(folded_width, folded_height);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    list_->setObjectName(QStringLiteral("lw_fields"));
    le_->setObjectName(QStringLiteral("le_fields"));
    le_->setReadOnly(true);
    le_->setFrame(false);
    // The line edit only shows; the mouse belongs to the widget so hovering unfolds it.
    le_->setAttribute(Qt::WA_TransparentForMouseEvents);
    le_->setFocusPolicy(Qt::NoFocus);
    list_->setIconSize(QSize(16, 16));
    connect(list_, &QListWidget::itemChanged, this, [this] {
        // Folded, the line edit is all the user sees of the list: it names what is checked now.
        if (!unfolded_)
            show_checked();
        emit field_changed();
    });
    fold();
}

QSize fld_wt::sizeHint() const
{
    return QSize(folded_width, folded_height);
}

QList<QByteArray> fld_wt::checked_fields() const
{
    QList<QByteArray> out;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked)
            out << list_->item(i)->text().toUtf8();
    return out;
}

QString fld_wt::shown_text() const
{
    return le_->text();
}

void fld_wt::add_fields(const QString &f, bool checked)
{
    auto *item = new QListWidgetItem(f);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    list_->addItem(item);
    if (checked) {
        QString text = le_->text();
        if (!text.isEmpty())
            text += QLatin1Char('|');
        le_->setText(text + f);
        le_->setCursorPosition(0);
    }
}

void fld_wt::cls_fields()
{
    list_->clear();
    le_->clear();
}

void fld_wt::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    if (isEnabled())
        unfold();
}

void fld_wt::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    fold();
}

void fld_wt::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place_children();
}

void fld_wt::unfold()
{
    unfolded_ = true;
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(false);
    list_->setMovement(QListView::Static);
    list_->setIconSize(QSize(16, 16));
    list_->setFixedWidth(list_width);
    list_->doItemsLayout();
    int h = 2 * list_->frameWidth() + 2 * list_->spacing();
    if (list_->count() > 0)
        h += list_->visualItemRect(list_->item(list_->count() - 1)).bottom() + 1;
    h = qMax(h, folded_height);
    // Never past the bottom of the window; the list scrolls beyond that.
    if (QWidget *top = window(); top && top != this)
        h = qMin(h, qMax(folded_height, top->height() - mapTo(top, QPoint(0, 0)).y()));
    list_->setFixedHeight(h);
    resize(folded_width, h);
    raise();
    list_->raise();
}

void fld_wt::fold()
{
    unfolded_ = false;
    list_->setViewMode(QListView::ListMode);
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(false);
    list_->setMinimumSize(0, 0);
    list_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(folded_width, folded_height);
    place_children();
    show_checked();
    le_->raise();
}

void fld_wt::show_checked()
{
    QStringList names;
    for (const QByteArray &n : checked_fields())
        names << QString::fromUtf8(n);
    le_->setText(names.join(QLatin1Char('|')));
    le_->setCursorPosition(0);
}

void fld_wt::place_children()
{
    if (unfolded_) {
        list_->move(0, 0);
        return;
    }
    list_->setGeometry(0, 0, width(), height());
    le_->setGeometry(0, 0, width(), height());
}
