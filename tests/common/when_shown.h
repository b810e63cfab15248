// Acting on a popup or a modal box that runs its own event loop: the test arms a handler, then
// opens the window; the handler runs once that window's loop runs, so it may look at it and close it.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace when_shown {

namespace detail {

template <typename W>
class watcher : public QObject {
public:
    explicit watcher(std::function<void(W *)> act) : QObject(qApp), act_(std::move(act))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
            if (W *w = qobject_cast<W *>(o)) {
                qApp->removeEventFilter(this);
                // Shown before its loop starts: acting now would close it before the loop that
                // has to end. Posted, the handler runs inside that loop.
                QPointer<W> shown(w);
                QMetaObject::invokeMethod(this, [this, shown] {
                    if (shown)
                        act_(shown);
                    deleteLater();
                }, Qt::QueuedConnection);
            }
        return false;
    }

private:
    std::function<void(W *)> act_;
};

} // namespace detail

// Runs act on the next window of type W (a QMenu, a QMessageBox, ...) that is shown. The
// handler is dropped after that one; one that no window answered goes with the application.
template <typename W>
void next(std::function<void(W *)> act)
{
    new detail::watcher<W>(std::move(act));
}

} // namespace when_shown
