// The tab area of the main window: script editors and table windows. The one place that knows
// which tabs are script editors, the one road by which a tab goes, the closing of table windows
// whose table is gone, and a double-click beside the tabs as a request for a new file.
#pragma once

#include "db/result_table.h"

#include <QObject>
#include <QSet>

class QTabWidget;
class QWidget;

// How a window gets into the tab area:
// - Script editors come only through the command-file logic (cmd_file_tabs), which calls
//   add_script_tab; nothing else does.
// - Table windows (data view, table definition, field dialogs, CSV import and export) call
//   MainWindow::add_table_window(window, title), which calls add_table_window here and, for a
//   QDialog, connects its accepted and rejected signals to MainWindow::tab_accepted and
//   tab_rejected. The title ends with "table: " and the table name when the window belongs to
//   an existing table: such a window is closed when a tree refresh no longer finds its table.
//   A window without a table in its title (a table being created) is never closed that way.
// - A tab leaves only through remove_tab, which destroys its page once control is back in the
//   event loop (the page may be the sender of the signal that closes it).
class tab_area : public QObject {
    Q_OBJECT
public:
    explicit tab_area(QTabWidget *tabs, QObject *parent = nullptr);

    QTabWidget *tabs() const { return tabs_; }

    // Appends the page as a tab and makes it current; returns its index.
    int add_script_tab(QWidget *page, const QString &title);
    int add_table_window(QWidget *page, const QString &title);

    // True for a script editor's page; every other tab is a table window.
    bool is_script_tab(const QWidget *page) const;
    // The script editors' pages in tab order.
    QList<QWidget *> script_tabs() const;

    // The table a table window belongs to: the title's text after its last ": ". Empty for a
    // title without one (a window not tied to an existing table, such as "new table").
    static QString table_of_title(const QString &title);

    // Removes every table window whose table is not in `tables`.
    void close_stale(const name_list &tables);
    // Removes the tab, destroys its page and makes the tab at the same index current (the one
    // before when it was the last). Nothing for an index or page that is not in the area.
    void remove_tab(int index);
    void remove_tab(QWidget *page);

signals:
    void new_file_requested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int add(QWidget *page, const QString &title);

    QTabWidget *tabs_;
    QSet<const QObject *> scripts_;
};
