// The tab area of the main window: script editors and table windows. Knows which tabs are
// editors, closes the table windows of tables that are gone, and turns a double-click beside
// the tabs into a request for a new file.
#pragma once

#include "db/result_table.h"

#include <QObject>

class QTabWidget;
class QWidget;

class tab_area : public QObject {
    Q_OBJECT
public:
    explicit tab_area(QTabWidget *tabs, QObject *parent = nullptr);

    static bool is_script_editor(const QWidget *w);
    // The table a table window belongs to: the title's text after its last ": ". Empty for a
    // title without one (a window not tied to an existing table, such as "new table").
    static QString table_of_title(const QString &title);

    // Removes (and destroys) every table window whose table is not in `tables`.
    void close_stale(const name_list &tables);
    // Removes the tab at index, destroys its page and makes the tab at the same index current
    // (the one before when it was the last).
    void remove_at(int index);

    QList<QWidget *> script_editors() const;

signals:
    void new_file_requested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTabWidget *tabs_;
};
