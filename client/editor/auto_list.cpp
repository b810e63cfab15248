// Keys, filtering and sizing of the completion list.
#include "editor/auto_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

auto_list::auto_list(const QStringList &candidates, const QString &prefix, QWidget *owner)
    : QListWidget(owner), all_(candidates), prefix_(prefix), owner_(owner)
{
    setObjectName(QStringLiteral("auto_list"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    QFont f(QStringLiteral("Source Code Pro"));
    f.setPixelSize(14);
    setFont(f);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *it) {
        setCurrentItem(it);
        choose();
    });
    refill();
}

QSize auto_list::size_for(const QStringList &candidates)
{
    int longest = 0;
    for (const QString &c : candidates)
        longest = std::max(longest, static_cast<int>(c.size()));
    return QSize(std::max(80, 16 * longest), 20 * static_cast<int>(candidates.size()));
}

QStringList auto_list::candidates() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

void auto_list::refill()
{
    clear();
    QStringList keep;
    for (const QString &c : all_)
        if (c.startsWith(prefix_, Qt::CaseInsensitive))
            keep << c;
    for (const QString &c : keep) {
        auto *it = new QListWidgetItem(c, this);
        it->setSizeHint(QSize(0, 20));
    }
    if (!keep.isEmpty())
        setCurrentRow(0);
    resize(size_for(keep));
}

void auto_list::step(int delta)
{
    if (count() == 0)
        return;
    setCurrentRow(std::clamp(currentRow() + delta, 0, count() - 1));
}

void auto_list::close_list()
{
    if (closing_)
        return;
    closing_ = true;
    hide();
    if (owner_)
        owner_->setFocus();
    deleteLater();
}

void auto_list::choose()
{
    const QString word = currentItem() ? currentItem()->text() : prefix_;
    close_list();
    emit sel(word);
}

void auto_list::keyPressEvent(QKeyEvent *ev)
{
    const bool ctrl = ev->modifiers() & Qt::ControlModifier;
    const int key = ev->key();
    if ((ctrl && key == Qt::Key_J) || key == Qt::Key_Down)
        return step(1);
    if ((ctrl && key == Qt::Key_K) || key == Qt::Key_Up)
        return step(-1);
    switch (key) {
    case Qt::Key_Home:
        return step(-count());
    case Qt::Key_End:
        return step(count());
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return choose();
    case Qt::Key_Escape:
        // Leaves the typed word as it stands.
        close_list();
        emit sel(prefix_);
        return;
    case Qt::Key_Backspace:
        emit char_del();
        if (prefix_.isEmpty()) {
            close_list();
            return;
        }
        prefix_.chop(1);
        refill();
        return;
    case Qt::Key_Space:
        close_list();
        emit char_add(' ');
        return;
    default:
        break;
    }
    const QString t = ev->text();
    if (!ctrl && t.size() == 1 && t[0].unicode() < 0x80 && (t[0].isLetterOrNumber() || t[0] == QLatin1Char('_'))) {
        const char c = static_cast<char>(t[0].unicode());
        prefix_ += t;
        refill();
        if (count() == 0) {
            close_list();
            emit char_add(c);
            emit not_found();
            return;
        }
        emit char_add(c);
        return;
    }
    // Anything else ends the completion and goes to the editor as if typed there.
    close_list();
    if (owner_) {
        QKeyEvent copy(ev->type(), ev->key(), ev->modifiers(), ev->text(), ev->isAutoRepeat(), ev->count());
        QApplication::sendEvent(owner_, &copy);
    }
}

void auto_list::focusOutEvent(QFocusEvent *ev)
{
    QListWidget::focusOutEvent(ev);
    if (!closing_ && isVisible()) {
        close_list();
        emit not_found();
    }
}
