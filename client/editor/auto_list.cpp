// Keys, filtering and sizing of the completion list.
#include "editor/auto_list.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

auto_list::auto_list(const QStringList &candidates, const QString &prefix, QWidget *owner)
    : QListWidget(owner), all_(candidates), prefix_(prefix), owner_(owner)
{
    setObjectName(QStringLiteral("auto_list"));
    // A window of its own, since a child would be clipped by the scroll area around the
    // editor; one that never takes the focus: the editor keeps it and hands the list its
    // keys, so a click elsewhere or an input method works as without the list.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    // The application's style sheet frames every list view; this one has no frame, or the
    // rows, sized to the pixel, would lose their last lines.
    setStyleSheet(QStringLiteral("QListWidget { border: none; padding: 0px; margin: 0px; }"));
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
    if (placed_)
        place();
}

bool auto_list::only_the_typed_word() const
{
    return count() == 1 && item(0)->text() == prefix_;
}

void auto_list::popup_at(const QPoint &cursor)
{
    cursor_ = cursor;
    placed_ = true;
    place();
    show();
}

void auto_list::place()
{
    if (!owner_)
        return;
    const QPoint want = owner_->mapToGlobal(cursor_ + QPoint(10, 30));
    QScreen *screen = QGuiApplication::screenAt(want);
    if (!screen)
        screen = owner_->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(want, size());
    QPoint at = want;
    if (at.x() + width() > room.right() + 1)
        at.setX(room.right() + 1 - width());
    if (at.y() + height() > room.bottom() + 1)
        at.setY(owner_->mapToGlobal(cursor_).y() - height());   // above the cursor line
    at.setX(std::max(at.x(), room.left()));
    at.setY(std::max(at.y(), room.top()));
    move(at);
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
    deleteLater();
}

void auto_list::hideEvent(QHideEvent *ev)
{
    QListWidget::hideEvent(ev);
    // Hidden from outside (the window closing): nothing to report.
    if (!closing_) {
        closing_ = true;
        deleteLater();
    }
}

void auto_list::pass_on(QKeyEvent *k)
{
    close_list();
    if (!owner_)
        return;
    QKeyEvent copy(k->type(), k->key(), k->modifiers(), k->text(), k->isAutoRepeat(), k->count());
    QApplication::sendEvent(owner_, &copy);
}

namespace {

bool modifier_only(int key)
{
    switch (key) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

} // namespace

bool auto_list::takes(const QKeyEvent *k)
{
    const bool ctrl = k->modifiers() & Qt::ControlModifier;
    switch (k->key()) {
    case Qt::Key_J:
    case Qt::Key_K:
        return ctrl;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        return true;
    default:
        return false;
    }
}

// Tab would otherwise move the focus before the list sees it.
bool auto_list::event(QEvent *ev)
{
    if (ev->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(ev);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QListWidget::event(ev);
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
    // Ctrl, Shift or Alt on its way to a chord.
    if (modifier_only(key))
        return;
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
        if (only_the_typed_word())
            close_list();
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
        // Return must start a new line when there is nothing left to complete.
        if (only_the_typed_word())
            close_list();
        return;
    }
    // Anything else ends the completion and goes to the editor as if typed there.
    pass_on(ev);
}
