// The file operations of the main window: saving and loading table files, backing up and
// restoring the database, and CSV import and export, on the server's disk or on this machine.
// Each runs as one job on the connection thread (local files are read and written there too),
// so a silent server never holds the window; the dialogs before and the boxes after stay here.
#include "shell/main_window.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "db/cmd_builders.h"
#include "db/csv_local.h"
#include "db/db_exec.h"
#include "db/db_link.h"
#include "shell/load_tab_dlg.h"
#include "shell/save_tab_dlg.h"
#include "table/import_csv_dlg.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

QString outcome_word(bool ok) { return ok ? MainWindow::tr("successful") : MainWindow::tr("failed"); }
QString mode_word(bool client) { return client ? MainWindow::tr("Client") : MainWindow::tr("Server"); }
QString now_name(const QString &head, const QString &ext)
{
    return tab_file_dlg::proposed_name(head, ext, QDateTime::currentDateTime());
}

// The texts of the table export are those of every other export (the table windows' road).
QString export_text(const char *source) { return QCoreApplication::translate("view_export", source); }

// Shared by a many-step job and the GUI: the job counts its steps and looks at stop between
// them; a GUI timer shows the count and Cancel sets stop.
struct job_steps {
    std::atomic<qint64> total{-1};   // unknown until the job has counted
    std::atomic<qint64> done{0};
    std::atomic<bool> stop{false};
};

// A progress dialog that leaves the window usable: it follows the job's count on a timer of its
// own and stops the job after the step in progress when the user cancels.
QProgressDialog *watch_steps(QWidget *parent, const QString &label, const std::shared_ptr<job_steps> &steps)
{
    auto *progress = new QProgressDialog(label, MainWindow::tr("cancel"), 0, 0, parent);
    progress->setObjectName(QStringLiteral("import_progress"));
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setWindowModality(Qt::NonModal);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setMinimumDuration(0);
    QObject::connect(progress, &QProgressDialog::canceled, progress, [steps] { steps->stop.store(true); });
    auto *tick = new QTimer(progress);
    QObject::connect(tick, &QTimer::timeout, progress, [progress, steps] {
        const qint64 total = steps->total.load();
        if (total >= 0 && progress->maximum() != int(qMin<qint64>(total, INT_MAX)))
            progress->setMaximum(int(qMin<qint64>(total, INT_MAX)));
        progress->setValue(int(qMin<qint64>(steps->done.load(), INT_MAX)));
        if (progress->wasCanceled())
            steps->stop.store(true);
    });
    tick->start(100);
    progress->show();
    return progress;
}

// What a client-side import did.
struct import_outcome {
    bool prepared = false;
    bool failed = false;      // a row was refused (or the connection went)
    qint64 rows = 0, done = 0;
    QByteArray why;
    db_status status;
};

// The client-side export of a whole table.
struct export_outcome {
    QByteArray why;           // a local failure's own reason
    db_status status;
};

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
    const QByteArray file = path.toUtf8();
    const bool bin = dlg.is_bin(), replace = dlg.replace(), client = dlg.is_client();
    link_->post(this, [table, file, bin, replace, client](db_exec &db) {
        return db_status::of(::save_table(db, table, file, bin, replace, client), db);
    }, [this, name, path](const db_status &st) {
        tell_result(tr("save table result"), tr("save table '%1' to file '%2' is %3!").arg(name, path, outcome_word(st.ok)), st);
        refresh();
    });
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
    const QByteArray file = path.toUtf8();
    const bool bin = dlg.is_bin(), replace = dlg.replace(), client = dlg.is_client();
    link_->post(this, [file, bin, replace, client](db_exec &db) {
        return db_status::of(::backup_db(db, file, bin, replace, client), db);
    }, [this, path, client](const db_status &st) {
        tell_result(tr("backup result(%1)").arg(mode_word(client)),
                    tr("backup database to file '%1' is %2!").arg(path, outcome_word(st.ok)), st);
        refresh();
    });
}

void MainWindow::load()
{
    load_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("load table from file"));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    const bool bin = dlg.is_bin_mode(), client = dlg.is_client();
    QString name = dlg.table_name();
    if (!bin && name.isEmpty())
        name = QStringLiteral("ignored_table_name");
    if (path.isEmpty() || (client && refuse_big_client_file(path)))
        return;
    const QByteArray table = name.toUtf8(), file = path.toUtf8();
    link_->post(this, [table, file, bin, client](db_exec &db) {
        return db_status::of(::load_table(db, table, file, bin, client), db);
    }, [this, path, name, bin](const db_status &st) {
        tell_result(tr("load table result"),
                    bin ? tr("load file '%1' to as table '%2' is %3!").arg(path, name, outcome_word(st.ok))
                        : tr("load file '%1' as table is %2!").arg(path, outcome_word(st.ok)),
                    st);
        refresh();
    });
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
    const bool bin = dlg.is_bin_mode(), client = dlg.is_client();
    if (client && refuse_big_client_file(path))
        return;
    // Every table on the server gives way to the file's, as a drop would: asked the same way.
    if (modal_seam::warning(this, tr("restore database warning"),
                            tr("restore will replace the whole database on the server with the file '%1': every "
                               "table and row there now is lost. Do you want to restore really?").arg(path),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const QByteArray file = path.toUtf8();
    link_->post(this, [file, bin, client](db_exec &db) {
        return db_status::of(::restore_db(db, file, bin, client), db);
    }, [this, path, client](const db_status &st) {
        tell_result(tr("restore result(%1)").arg(mode_word(client)),
                    tr("restore database frome file '%1' is %2!").arg(path, outcome_word(st.ok)), st);
        refresh_and_reload_views(QByteArray());
    });
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
        const QByteArray file = path.toUtf8(), sep = dlg.splitter();
        const bool csv = dlg.is_csv();
        link_->post(this, [table, file, csv, sep](db_exec &db) {
            return db_status::of(::import_table(db, table, file, csv, sep, false), db);
        }, [this, title, path, name](const db_status &st) {
            tell_result(title, tr("import file '%1' to table '%2' is %3!").arg(path, name, outcome_word(st.ok)), st);
        });
        return;
    }
    if (refuse_big_client_file(path))
        return;
    // The file is read, checked and pushed row by row on the connection thread; Cancel stops it
    // after the row in progress.
    const csv_form form = dlg.form();
    auto steps = std::make_shared<job_steps>();
    QPointer<QProgressDialog> progress =
        watch_steps(this, tr("import file '%1' to table '%2'").arg(path, name), steps);
    link_->post(this, [table, path, form, steps](db_exec &db) {
        import_outcome o;
        if (db.refusing()) {
            // Asked before a cancel: the file is not even read.
            o.status.code = 2;
            o.status.reason = QStringLiteral("cancelled");
            o.status.dropped = true;
            return o;
        }
        csv_local_import import(db, table);
        o.prepared = import.prepare(path, form);
        o.rows = import.rows();
        if (!o.prepared) {
            o.why = import.why();
            o.status = db_status::of(false, db);
            return o;
        }
        steps->total.store(import.rows());
        while (!import.finished() && !steps->stop.load()) {
            if (!import.push_next()) {
                o.failed = true;
                o.why = import.why();
                break;
            }
            steps->done.store(import.done());
        }
        o.done = import.done();
        o.status = db_status::of(import.finished(), db);
        return o;
    }, [this, title, path, name, progress](const import_outcome &o) {
        if (progress)
            progress->close();
        db_->update_log();
        // Asked before a cancel: nothing reached the server, and the cancel has said so.
        if (o.status.dropped && !o.prepared)
            return;
        if (!o.prepared) {
            modal_seam::information(this, title,
                                    tr("import file '%1' to table '%2' is %3!").arg(path, name, outcome_word(false)) +
                                        QLatin1Char('\n') + QString::fromUtf8(o.why));
            return;
        }
        QString text = tr("import file '%1' to table '%2' is %3!").arg(path, name, outcome_word(o.done == o.rows));
        text += QLatin1Char('\n') + tr("%1 of %2 rows imported.").arg(o.done).arg(o.rows);
        if (o.failed)
            text += QLatin1Char('\n') + QString::fromUtf8(o.why);
        modal_seam::information(this, title, text);
    });
}

void MainWindow::export_data()
{
    const QByteArray table = current_table();
    if (table.isEmpty())
        return;
    const QString name = QString::fromUtf8(table);
    import_csv_dlg dlg(this);
    dlg.set_export_mode(true);
    dlg.setWindowTitle(tr("export table: %1 to csv/csvs file").arg(name));
    dlg.set_path(now_name(name + QLatin1Char('_'), QStringLiteral(".csv")));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString path = dlg.path();
    const bool client = dlg.is_client(), replace = dlg.replace(), csv = dlg.is_csv();
    const csv_form form = dlg.form();
    const QByteArray sep = dlg.splitter();
    link_->post(this, [table, path, client, replace, csv, form, sep](db_exec &db) {
        export_outcome o;
        bool ok;
        if (client)
            ok = export_table_local(db, table, path, form, replace, o.why);
        else
            ok = export_table(db, table, path.toUtf8(), csv, sep, replace, false);
        o.status = db_status::of(ok, db);
        return o;
    }, [this, name, path](const export_outcome &o) {
        db_->update_log();
        const QString title = export_text("export table result");
        const QString text = export_text("export table '%1' to file '%2' is %3!")
                                 .arg(name, path, o.status.ok ? export_text("successful") : export_text("failed"));
        if (o.status.ok)
            modal_seam::information(this, title, text);
        else if (!o.why.isEmpty())
            // A local failure says its own reason.
            failure_box::show(this, title, failure_box::with_reason(text, QString::fromUtf8(o.why)), 0, QString(), {});
        else
            failure_box::show(this, title, text, o.status, [this] { link_->request_reconnect(); });
    });
}
