// The database, table and field actions of the main window: the confirmed operations on the
// table or field of the current tree item, and the entry points of the table windows.
#include "shell/main_window.h"

#include "db/cmd_builders.h"
#include "db/db_exec.h"
#include "db/db_link.h"
#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "table/col_info.h"
#include "table/data_view.h"

#include <QTabWidget>
#include <QTreeWidget>

namespace {

QString outcome(bool ok)
{
    return ok ? MainWindow::tr("successful") : MainWindow::tr("failed");
}

// The fields a definition window opens over, as the server lists them.
struct table_fields {
    name_list names, types;
    db_status status;
};

} // namespace

void MainWindow::tell_result(const QString &title, const QString &text, const db_status &status)
{
    if (status.ok)
        modal_seam::information(this, title, text);
    else
        failure_box::show(this, title, text, status, [this] { link_->request_reconnect(); });
}

void MainWindow::drop_table()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    const QString name = QString::fromUtf8(table);
    if (modal_seam::warning(this, tr("drop table warnning"),
                            tr("drop table will delete table from server, do your want to drop "
                               "table '%1' really?").arg(name),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    link_->post(this, [table](db_exec &db) { return db_status::of(::drop_table(db, table), db); },
                [this, name](const db_status &st) {
        tell_result(tr("drop table result"),
                    tr("drop table '%1' from database is %2!").arg(name, outcome(st.ok)), st);
        select_parent_and_refresh();
        if (QTreeWidgetItem *cur = tree_->currentItem())
            cur->setExpanded(true);
    });
}

void MainWindow::truncate_table()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    const QString name = QString::fromUtf8(table);
    if (modal_seam::warning(this, tr("truncate table warnning"),
                            tr("truncate table will clear all table 's data, do your want to "
                               "truncate table '%1' really?").arg(name),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    link_->post(this, [table](db_exec &db) { return db_status::of(::truncate_table(db, table), db); },
                [this, name, table](const db_status &st) {
        tell_result(tr("truncate table result"),
                    tr("truncate table '%1' from database is %2!").arg(name, outcome(st.ok)), st);
        tree_model_->select_parent();
        refresh_and_reload_views(table);
    });
}

void MainWindow::refresh_and_reload_views(const QByteArray &table)
{
    // After the tree: the tabs of tables that are gone have closed by then and reload nothing.
    tree_model_->refresh([this, table] {
        after_refresh();
        for (int i = 0; i < tab_widget_->count(); ++i)
            if (auto *view = qobject_cast<data_view *>(tab_widget_->widget(i)))
                if (table.isEmpty() || view->table() == table)
                    view->re_exec();
    });
}

void MainWindow::delete_col()
{
    const QByteArray table = current_table();
    const QByteArray field = current_field();
    if (table.isEmpty() || field.isEmpty())
        return;
    const QString t = QString::fromUtf8(table), f = QString::fromUtf8(field);
    if (modal_seam::warning(this, tr("delete field warnning"),
                            tr("delete field will delete field from table, do your want to "
                               "delete field '%2' from table '%1' really?").arg(t, f),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    // The server has no command that removes a field, so nothing is sent and the outcome is
    // reported as it is.
    const bool ok = false;
    modal_seam::information(this, tr("delete field result"),
                            tr("delete field '%1' from table '%2' is %3!").arg(f, t, outcome(ok)));
    select_parent_and_refresh();
}

// The table windows open as tabs; their accepted and rejected signals close them (see
// add_table_window). The file operations are in main_window_table_files.cpp.
void MainWindow::create_table()
{
    auto *w = new col_info(link_);
    w->fill({}, {}, {}, {}, {}, col_info::create_table);
    add_table_window(w, tr("new table"));
}

// A definition window over the fields the server lists for the current table; the field
// modes need a field to be current.
void MainWindow::open_definition(int mode, const QString &title)
{
    const QByteArray table = current_table();
    const QByteArray field = current_field();
    const bool for_field = mode == col_info::rename || mode == col_info::modify;
    if (table.isEmpty() || (for_field && field.isEmpty()))
        return;
    link_->post(this, [table](db_exec &db) {
        table_fields f;
        name_list numbers;
        f.status = db_status::of(field_info(db, table, f.names, f.types, numbers, false), db);
        return f;
    }, [this, table, field, mode, title](const table_fields &f) {
        if (!f.status.ok) {
            tell_result(tr("table fields"), tr("the fields of table '%1' could not be read!")
                                                .arg(QString::fromUtf8(table)), f.status);
            return;
        }
        // The server lists no index flags; every field shows "false".
        name_list indexes;
        for (int i = 0; i < f.names.size(); ++i)
            indexes.append(QByteArrayLiteral("false"));
        auto *w = new col_info(link_);
        w->fill(table, field, f.names, f.types, indexes, mode);
        add_table_window(w, title);
    });
}

void MainWindow::new_field()
{
    open_definition(col_info::add_fields, tr("add field to table: %1").arg(QString::fromUtf8(current_table())));
}

void MainWindow::view_cols()
{
    open_definition(col_info::view, tr("view fields of table: %1").arg(QString::fromUtf8(current_table())));
}

void MainWindow::rename_col()
{
    open_definition(col_info::rename, tr("rename field '%2' of table: %1")
                                          .arg(QString::fromUtf8(current_table()), QString::fromUtf8(current_field())));
}

void MainWindow::modify_col()
{
    open_definition(col_info::modify, tr("modify field '%2' of table: %1")
                                          .arg(QString::fromUtf8(current_table()), QString::fromUtf8(current_field())));
}

void MainWindow::view_data()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    add_table_window(new data_view(table, link_), tr("data of table: %1").arg(QString::fromUtf8(table)));
}
