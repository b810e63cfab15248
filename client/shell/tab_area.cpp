// Tab bookkeeping of the main window's tab area.
#include "shell/tab_area.h"

#include "table/window_closing.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>

tab_area::tab_area(QTabWidget *tabs, QObject *parent) : QObject(parent), tabs_(tabs)
{
    tabs_->installEventFilter(this);
}

int tab_area::add(QWidget *page, const QString &title)
{
    const int index = tabs_->addTab(page, title);
    tabs_->setCurrentIndex(index);
    return index;
}

int tab_area::add_script_tab(QWidget *page, const QString &title)
{
    scripts_.insert(page);
    connect(page, &QObject::destroyed, this, [this](QObject *gone) { scripts_.remove(gone); });
    const int index = add(page, title);
    tabs_->tabBar()->setTabTextColor(index, Qt::darkCyan);
    return index;
}

int tab_area::add_table_window(QWidget *page, const QString &title)
{
    return add(page, title);
}

bool tab_area::is_script_tab(const QWidget *page) const
{
    return page && scripts_.contains(page);
}

QList<QWidget *> tab_area::script_tabs() const
{
    QList<QWidget *> out;
    for (int i = 0; i < tabs_->count(); ++i)
        if (is_script_tab(tabs_->widget(i)))
            out.append(tabs_->widget(i));
    return out;
}

QString tab_area::table_of_title(const QString &title)
{
    const int sep = title.lastIndexOf(QLatin1String(": "));
    return sep < 0 ? QString() : title.mid(sep + 2);
}

void tab_area::close_stale(const name_list &tables)
{
    QList<QPointer<QWidget>> stale;
    for (int i = tabs_->count() - 1; i >= 0; --i) {
        if (is_script_tab(tabs_->widget(i)))
            continue;
        const QString table = table_of_title(tabs_->tabText(i));
        // A window without a table in its title (a table being created) has nothing to lose
        // its table; closing it would throw away what the user is typing.
        if (table.isEmpty() || tables.contains(table.toUtf8()))
            continue;
        stale << tabs_->widget(i);
    }
    // Edits not applied yet are the user's to drop (a listing that failed finds no table); the
    // question lets other events in, so each page is looked up again afterwards.
    for (const QPointer<QWidget> &page : stale)
        if (page && ask_before_closing(page) == close_answer::go)
            remove_tab(page);
}

void tab_area::remove_tab(int index)
{
    QWidget *page = tabs_->widget(index);
    if (!page)
        return;
    scripts_.remove(page);
    tabs_->removeTab(index);
    if (tabs_->count() > 0)
        tabs_->setCurrentIndex(qMin(index, tabs_->count() - 1));
    page->deleteLater();
}

void tab_area::remove_tab(QWidget *page)
{
    const int index = tabs_->indexOf(page);
    if (index >= 0)
        remove_tab(index);
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
