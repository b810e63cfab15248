// The closing question of the table windows, and the wait for an Apply asked on the way out.
#include "table/window_closing.h"

#include "common/modal_seam.h"
#include "db/db_link.h"
#include "table/col_info.h"
#include "table/data_view.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace {

class window_closing {
    Q_DECLARE_TR_FUNCTIONS(window_closing)
public:
    static QMessageBox::StandardButton ask(QWidget *parent, const QString &what)
    {
        return modal_seam::question(parent, tr("pending changes"),
                                    what + QStringLiteral("\n\n") +
                                        tr("Apply sends them and then closes the window, Discard drops them, "
                                           "Cancel keeps the window open."),
                                    QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel,
                                    QMessageBox::Cancel);
    }
};

// Runs then() once the connection has nothing left to do (the closed window's tree refresh
// included).
void when_idle(db_link *link, const std::function<void()> &then)
{
    if (!link->busy()) {
        then();
        return;
    }
    auto hook = std::make_shared<QMetaObject::Connection>();
    *hook = QObject::connect(link, &db_link::busy_changed, link, [hook, then](bool busy) {
        if (busy)
            return;
        QObject::disconnect(*hook);
        then();
    });
}

template <class W>
void after_apply(W *w, db_link *link, const std::function<void()> &then)
{
    QPointer<db_link> guard(link);
    auto hook = std::make_shared<QMetaObject::Connection>();
    *hook = QObject::connect(w, &W::applied, w, [hook, guard, then](bool ok) {
        QObject::disconnect(*hook);
        if (!ok)
            return;
        // The window ends itself right after this signal: wait until its tab has gone.
        if (guard)
            QTimer::singleShot(0, guard.data(), [guard, then] {
                if (guard)
                    when_idle(guard, then);
            });
    });
}

} // namespace

QMessageBox::StandardButton ask_pending_close(QWidget *parent, const QString &what)
{
    return window_closing::ask(parent, what);
}

close_answer ask_before_closing(QWidget *page)
{
    if (auto *v = qobject_cast<data_view *>(page))
        return v->may_close();
    if (auto *c = qobject_cast<col_info *>(page))
        return c->may_close();
    return close_answer::go;
}

bool ask_before_closing_all(const QList<QWidget *> &pages, const std::function<void()> &then)
{
    for (QWidget *page : pages) {
        const close_answer a = ask_before_closing(page);
        if (a == close_answer::go)
            continue;
        if (a == close_answer::applying && then) {
            if (auto *v = qobject_cast<data_view *>(page))
                after_apply(v, v->link(), then);
            else if (auto *c = qobject_cast<col_info *>(page))
                after_apply(c, c->link.data(), then);
        }
        return false;
    }
    return true;
}
