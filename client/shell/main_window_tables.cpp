// The database, table and field actions of the main window: the confirmed operations on the
// table or field of the current tree item, and the entry points of the table windows.
#include "shell/main_window.h"

#include "db/cmd_builders.h"
#include "db/db_exec.h"
#include "common/failure_box.h"
#include "common/modal_seam.h"

#include <QTreeWidget>

namespace {

QString outcome(bool ok)
{
    return ok ? MainWindow::tr("successful") : MainWindow::tr("failed");
}

// The result box of an operation that ran; a failure adds the reason the run ended with and,
// when the connection is gone, offers to reconnect.
} // namespace

void MainWindow::tell_result(const QString &title, const QString &text, bool ok)
{
    if (ok)
        modal_seam::information(this, title, text);
    else
        failure_box::show(this, title, text, db_->last_code(), db_->last_reason(),
                          [this] { db_->request_reconnect(); });
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
    const bool ok = ::drop_table(*db_, table);
    tell_result(tr("drop table result"),
                tr("drop table '%1' from database is %2!").arg(name, outcome(ok)), ok);
    select_parent_and_refresh();
    if (QTreeWidgetItem *cur = tree_->currentItem())
        cur->setExpanded(true);
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
    const bool ok = ::truncate_table(*db_, table);
    tell_result(tr("truncate table result"),
                tr("truncate table '%1' from database is %2!").arg(name, outcome(ok)), ok);
    select_parent_and_refresh();
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

// These open the table windows, which are not built yet; their actions are hidden
// (main_actions::table_window_actions) so nothing reaches them. The file operations are in
// main_window_table_files.cpp.
void MainWindow::create_table()
{
    // Hidden action: the table window it opens comes with the data view and table definition.
}

void MainWindow::new_field()
{
    // Hidden action: the table window it opens comes with the data view and table definition.
}

void MainWindow::view_data()
{
    // Hidden action: the table window it opens comes with the data view and table definition.
}

void MainWindow::view_cols()
{
    // Hidden action: the table window it opens comes with the data view and table definition.
}

void MainWindow::rename_col()
{
    // Hidden action: the table window it opens comes with the data view and table definition.
}

void MainWindow::modify_col()
{
    // Hidden action: the table window it opens comes with the data view and table definition.
}
