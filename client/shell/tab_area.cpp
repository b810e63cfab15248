// Tab bookkeeping of the main window's tab area.
#include "shell/tab_area.h"

#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

tab_area::tab_area(QTabWidget *tabs, QObject *parent) : QObject(parent), tabs_(tabs)
{
    tabs_->installEventFilter(this);
}

bool tab_area::is_script_editor(const QWidget *w)
{
    // By class name, so the tab area does not depend on the editor's headers.
    return w && w->inherits("cmd_script_editor");
}

QString tab_area::table_of_title(const QString &title)
{
    const int sep = title.lastIndexOf(QLatin1String(": "));
    return sep < 0 ? QString() : title.mid(sep + 2);
}

void tab_area::close_stale(const name_list &tables)
{
    for (int i = tabs_->count() - 1; i >= 0; --i) {
        if (is_script_editor(tabs_->widget(i)))
            continue;
        const QString table = table_of_title(tabs_->tabText(i));
        // A window without a table in its title (a table being created) has nothing to lose
        // its table; closing it would throw away what the user is typing.
        if (table.isEmpty() || tables.contains(table.toUtf8()))
            continue;
        remove_at(i);
    }
}

void tab_area::remove_at(int index)
{
    if (index < 0 || index >= tabs_->count())
        return;
    QWidget *page = tabs_->widget(index);
    tabs_->removeTab(index);
    delete page;
    if (tabs_->count() > 0)
        tabs_->setCurrentIndex(qMin(index, tabs_->count() - 1));
}

QList<QWidget *> tab_area::script_editors() const
{
    QList<QWidget *> out;
    for (int i = 0; i < tabs_->count(); ++i)
        if (is_script_editor(tabs_->widget(i)))
            out.append(tabs_->widget(i));
    return out;
}

bool tab_area::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tabs_ && event->type() == QEvent::MouseButtonDblClick) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->pos().y() < tabs_->tabBar()->height())
            emit new_file_requested();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
