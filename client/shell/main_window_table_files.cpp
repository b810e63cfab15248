// The file operations of the main window: saving and loading table files, backing up and
// restoring the database, and CSV import and export, on the server's disk or on this machine.
#include "shell/main_window.h"

#include "common/modal_seam.h"
#include "db/cmd_builders.h"
#include "db/csv_local.h"
#include "shell/load_tab_dlg.h"
#include "shell/save_tab_dlg.h"
#include "table/import_csv_dlg.h"
#include "table/view_export.h"

#include <QDateTime>
#include <QFileInfo>
#include <QProgressDialog>

namespace {

QString outcome_word(bool ok) { return ok ? MainWindow::tr("successful") : MainWindow::tr("failed"); }
QString mode_word(bool client) { return client ? MainWindow::tr("Client") : MainWindow::tr("Server"); }
QString now_name(const QString &head, const QString &ext)
{
    return tab_file_dlg::proposed_name(head, ext, QDateTime::currentDateTime());
}

} // namespace

bool MainWindow::refuse_big_client_file(const QString &path)
{
    const qint64 size = QFileInfo(path).size();
    if (size <= client_file_limit)
        return false;
    modal_seam::warning(this, tr("client mode information"),
                        tr("the file '%1' has %2 MiB, more than the %3 MiB the client mode can move; "
                           "please use the server mode for it.")
                            .arg(path)
                            .arg(double(size) / (1 << 20), 0, 'f', 1)
                            .arg(client_file_limit >> 20));
    return true;
}

void MainWindow::save()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    const QString name = QString::fromUtf8(table);
    save_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("save table '%1' to file").arg(name));
    dlg.set_path(now_name(name + QLatin1Char('_'), QStringLiteral(".bin")));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    const bool ok = ::save_table(*db_, table, path.toUtf8(), dlg.is_bin(), dlg.replace(), dlg.is_client());
    tell_result(tr("save table result"), tr("save table '%1' to file '%2' is %3!").arg(name, path, outcome_word(ok)), ok);
    refresh();
}

void MainWindow::backup()
{
    save_tab_dlg dlg(this);
    dlg.set_db_mode();
    dlg.setWindowTitle(tr("backup database to file"));
    dlg.set_path(now_name(QStringLiteral("vorn_tsdb_"), QStringLiteral(".sbk")));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    const bool ok = ::backup_db(*db_, path.toUtf8(), dlg.is_bin(), dlg.replace(), dlg.is_client());
    tell_result(tr("backup result(%1)").arg(mode_word(dlg.is_client())),
                tr("backup database to file '%1' is %2!").arg(path, outcome_word(ok)), ok);
    refresh();
}

void MainWindow::load()
{
    load_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("load table from file"));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    const bool bin = dlg.is_bin_mode();
    QString name = dlg.table_name();
    if (!bin && name.isEmpty())
        name = QStringLiteral("ignored_table_name");
    if (path.isEmpty() || (dlg.is_client() && refuse_big_client_file(path)))
        return;
    const bool ok = ::load_table(*db_, name.toUtf8(), path.toUtf8(), bin, dlg.is_client());
    tell_result(tr("load table result"),
                bin ? tr("load file '%1' to as table '%2' is %3!").arg(path, name, outcome_word(ok))
                    : tr("load file '%1' as table is %2!").arg(path, outcome_word(ok)),
                ok);
    refresh();
}

void MainWindow::restore()
{
    load_tab_dlg dlg(this);
    dlg.set_db_mode();
    dlg.hide_table_name();
    dlg.setWindowTitle(tr("restore database from file"));
    dlg.set_path(now_name(QStringLiteral("vorn_tsdb_"), QStringLiteral(".sbk")));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    if (dlg.is_client() && refuse_big_client_file(path))
        return;
    const bool ok = ::restore_db(*db_, path.toUtf8(), dlg.is_bin_mode(), dlg.is_client());
    tell_result(tr("restore result(%1)").arg(mode_word(dlg.is_client())),
                tr("restore database frome file '%1' is %2!").arg(path, outcome_word(ok)), ok);
    refresh();
}

void MainWindow::import_data()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    const QString name = QString::fromUtf8(table);
    import_csv_dlg dlg(this);
    dlg.setWindowTitle(tr("import data from csv/csvs file to table: %1").arg(name));
    dlg.set_path(now_name(name + QLatin1Char('_'), QStringLiteral(".csv")));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    const QString title = tr("import table result");
    if (!dlg.is_client()) {
        const bool ok = ::import_table(*db_, table, path.toUtf8(), dlg.is_csv(), dlg.splitter(), false);
        tell_result(title, tr("import file '%1' to table '%2' is %3!").arg(path, name, outcome_word(ok)), ok);
        return;
    }
    if (refuse_big_client_file(path))
        return;
    csv_local_import import(*db_, table);
    if (!import.prepare(path, dlg.form())) {
        modal_seam::information(this, title,
                                tr("import file '%1' to table '%2' is %3!").arg(path, name, outcome_word(false)) +
                                    QLatin1Char('\n') + QString::fromUtf8(import.why()));
        return;
    }
    QProgressDialog progress(tr("import file '%1' to table '%2'").arg(path, name), tr("cancel"), 0,
                             int(qMin<qint64>(import.rows(), INT_MAX)), this);
    progress.setObjectName(QStringLiteral("import_progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    bool failed = false;
    while (!import.finished()) {
        if (import.done() % 64 == 0) {
            progress.setValue(int(import.done()));
            if (progress.wasCanceled())
                break;
        }
        if (!import.push_next()) {
            failed = true;
            break;
        }
    }
    progress.reset();
    db_->update_log();
    QString text = tr("import file '%1' to table '%2' is %3!").arg(path, name, outcome_word(import.finished()));
    text += QLatin1Char('\n') + tr("%1 of %2 rows imported.").arg(import.done()).arg(import.rows());
    if (failed)
        text += QLatin1Char('\n') + QString::fromUtf8(import.why());
    modal_seam::information(this, title, text);
}

void MainWindow::export_data()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    const QString name = QString::fromUtf8(table);
    export_through_dialog(this, *db_, {table, QByteArray(), tr("export table: %1 to csv/csvs file").arg(name),
                                       now_name(name + QLatin1Char('_'), QStringLiteral(".csv"))});
}
