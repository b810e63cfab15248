// The main window's file operations against the development server, dialogs answered through
// the modal seam: save, load, backup, restore, import and export in server and client mode, the
// files they leave (the same bytes in both modes), their boxes and refusals, a client import
// cancelled halfway, and "export current data" of a script tab.
#include "main_window_fixture.h"

#include "db/db_exec.h"
#include "script/cmd_script_editor.h"
#include "table/data_view.h"
#include "table/tab_data_model.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QScopeGuard>
#include <QSemaphore>
#include <atomic>
#include <functional>

using namespace mw_test;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class test_table_file_ops : public window_test {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> local_;

    QString local(const char *name) const { return local_->filePath(QLatin1String(name)); }
    QString on_server(const char *name) const { return QDir(server_->data_dir()).filePath(QLatin1String(name)); }

    // Runs the action with its dialog accepted: in server mode with the server path set, in
    // client mode after a Yes to the client warning with the client path set; more fills in the
    // rest. The proposed path (server field) is kept in proposed_.
    QString proposed_;
    QList<QMessageBox::StandardButton> then_;   // answers after the dialog's
    void run_dialog(QAction *action, bool client, const QString &path, std::function<void(QDialog *)> more = {},
                    bool wait = true)
    {
        if (client)
            seam_->push_button(QMessageBox::Yes);
        seam_->push_result(QDialog::Accepted);
        for (QMessageBox::StandardButton b : then_)
            seam_->push_button(b);
        then_.clear();
        seam_->on_dialog = [&](QDialog *dlg) {
            proposed_ = dlg->findChild<QLineEdit *>(QStringLiteral("s_path_le"))->text();
            if (client) {
                auto *gb = dlg->findChild<QGroupBox *>(QStringLiteral("c_gb"));
                gb->setChecked(true);
                emit gb->clicked(true);
                dlg->findChild<QLineEdit *>(QStringLiteral("c_path_le"))->setText(path);
            } else {
                dlg->findChild<QLineEdit *>(QStringLiteral("s_path_le"))->setText(path);
            }
            if (more)
                more(dlg);
        };
        action->trigger();
        seam_->on_dialog = nullptr;
        if (wait)
            QVERIFY(settle(w_.get()));
    }

    void select_table(const char *name) { w_->tree()->setCurrentItem(find_item(w_->tree(), QLatin1String(name))); }

    QString log_text()
    {
        w_->exec()->update_log();
        return w_->log_pane()->toPlainText();
    }

    int rows_of_table(const char *table) { return rows_elsewhere(*server_, table); }

private slots:
    void init()
    {
        local_ = std::make_unique<QTemporaryDir>();
        const QString why = open({"create t1 v i32 s string", "push into t1 v s values 1 \"a,b\" at 2024-01-01 00:00:00",
                                  "push into t1 v s values 2 \"say \\\"x\\\"\" at 2024-01-01 00:00:01",
                                  "push into t1 v s values 3 \" 東京 \" at 2024-01-01 00:00:02.5"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }
    void cleanup()
    {
        close();
        local_.reset();
    }

    void destructive_questions_default_to_no()
    {
        select_table("t1");
        seam_->push_button(QMessageBox::No);
        w_->actions().drop_table->trigger();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->shown.back().default_button, QMessageBox::No);
        seam_->push_button(QMessageBox::No);
        w_->actions().truncate_table->trigger();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->shown.back().default_button, QMessageBox::No);
        QCOMPARE(rows_of_table("t1"), 3);
    }

    void save_and_load_in_both_modes()
    {
        select_table("t1");
        run_dialog(w_->actions().save, false, QStringLiteral("t1.bin"));
        QVERIFY2(proposed_.startsWith(QStringLiteral("t1_")) && proposed_.endsWith(QStringLiteral(".bin")), qPrintable(proposed_));
        QCOMPARE(seam_->last_title(), QStringLiteral("save table result"));
        QCOMPARE(seam_->last_text(), QStringLiteral("save table 't1' to file 't1.bin' is successful!"));
        QVERIFY(log_text().contains(QStringLiteral("save t1 as bin \"t1.bin\"")));

        select_table("t1");
        run_dialog(w_->actions().save, true, local("t1.bin"));
        QCOMPARE(seam_->last_text(), QStringLiteral("save table 't1' to file '%1' is successful!").arg(local("t1.bin")));
        QCOMPARE(contents(local("t1.bin")), contents(on_server("t1.bin")));
        // Once more without replace mode: the file stays and the box says so.
        select_table("t1");
        run_dialog(w_->actions().save, true, local("t1.bin"));
        QVERIFY(seam_->last_text().endsWith(QStringLiteral("is failed!")));

        QVERIFY(run_elsewhere(*server_, {"drop t1"}));
        run_dialog(w_->actions().load, true, local("t1.bin"), [](QDialog *dlg) {
            dlg->findChild<QLineEdit *>(QStringLiteral("tab_le"))->setText(QStringLiteral("t1"));
        });
        QCOMPARE(seam_->last_title(), QStringLiteral("load table result"));
        QCOMPARE(seam_->last_text(), QStringLiteral("load file '%1' to as table 't1' is successful!").arg(local("t1.bin")));
        QCOMPARE(rows_of_table("t1"), 3);
        QVERIFY(find_item(w_->tree(), QStringLiteral("t1")));   // the tree was refreshed

        // "cmd" without a name: the placeholder name goes to the server.
        select_table("t1");
        run_dialog(w_->actions().save, false, QStringLiteral("t1.tcd"), [](QDialog *dlg) {
            dlg->findChild<QRadioButton *>(QStringLiteral("sql_rb"))->setChecked(true);
        });
        run_dialog(w_->actions().load, false, QStringLiteral("t1.tcd"), [](QDialog *dlg) {
            dlg->findChild<QRadioButton *>(QStringLiteral("cmd_rb"))->click();
        });
        QVERIFY(log_text().contains(QStringLiteral("load ignored_table_name from cmd \"t1.tcd\"")));
        QVERIFY(seam_->last_text().startsWith(QStringLiteral("load file 't1.tcd' as table is ")));
    }

    void backup_and_restore_in_both_modes()
    {
        run_dialog(w_->actions().backup, false, QStringLiteral("all.sbk"));
        QVERIFY2(QRegularExpression(QStringLiteral("^vorn_tsdb_\\d\\d-\\d\\d-\\d\\d_\\d\\d_\\d\\d_\\d\\d\\.sbk$"))
                     .match(proposed_).hasMatch(), qPrintable(proposed_));
        QCOMPARE(seam_->last_title(), QStringLiteral("backup result(Server)"));
        QCOMPARE(seam_->last_text(), QStringLiteral("backup database to file 'all.sbk' is successful!"));
        run_dialog(w_->actions().backup, true, local("all.sbk"));
        QCOMPARE(seam_->last_title(), QStringLiteral("backup result(Client)"));
        QCOMPARE(contents(local("all.sbk")), contents(on_server("all.sbk")));

        QVERIFY(run_elsewhere(*server_, {"drop t1"}));
        then_ = {QMessageBox::Yes};
        run_dialog(w_->actions().restore, true, local("all.sbk"));
        QCOMPARE(seam_->last_title(), QStringLiteral("restore result(Client)"));
        QCOMPARE(seam_->last_text(), QStringLiteral("restore database frome file '%1' is successful!").arg(local("all.sbk")));
        QCOMPARE(rows_of_table("t1"), 3);
        QVERIFY(!log_text().contains(QStringLiteral("\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00")));

        // Too big for the client: refused before anything is sent (a sparse file costs no disk).
        QFile big(local("big.sbk"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize((qint64(256) << 20) + (qint64(3) << 19)));
        big.close();
        const QString before = log_text();
        run_dialog(w_->actions().restore, true, local("big.sbk"));
        QCOMPARE(seam_->last_title(), QStringLiteral("client mode information"));
        QVERIFY2(seam_->last_text().contains(QStringLiteral("257.5 MiB")) &&
                     seam_->last_text().contains(QStringLiteral("server mode")), qPrintable(seam_->last_text()));
        QCOMPARE(log_text(), before);
    }

    // Restore replaces every table, so it asks first (No the default, No runs nothing); after it,
    // as after a truncate, the open data views show the server's rows again.
    void replacing_operations_reload_open_views_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("restore") << true;
        QTest::newRow("truncate") << false;
    }
    void replacing_operations_reload_open_views()
    {
        QFETCH(bool, restore);
        run_dialog(w_->actions().backup, false, QStringLiteral("all.sbk"));
        QVERIFY(run_elsewhere(*server_, {"push into t1 v s values 4 \"d\" at 2024-01-01 00:00:01.5"}));
        select_table("t1");
        w_->actions().view_data->trigger();
        auto *view = qobject_cast<data_view *>(w_->tabs()->currentWidget());
        QVERIFY(view);
        QTRY_COMPARE(view->data_model()->rowCount(), 4);

        if (restore) {
            then_ = {QMessageBox::No};
            run_dialog(w_->actions().restore, false, QStringLiteral("all.sbk"));
            const modal_seam::request &asked = seam_->shown.back();
            QCOMPARE(asked.what, modal_seam::kind::warning);
            QCOMPARE(asked.title, QStringLiteral("restore database warning"));
            QVERIFY2(asked.text.contains(QStringLiteral("'all.sbk'")), qPrintable(asked.text));
            QCOMPARE(asked.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
            QCOMPARE(asked.default_button, QMessageBox::No);
            QVERIFY(!log_text().contains(QStringLiteral("restore from")));
            QCOMPARE(rows_of_table("t1"), 4);
            then_ = {QMessageBox::Yes};
            run_dialog(w_->actions().restore, false, QStringLiteral("all.sbk"));
            QCOMPARE(seam_->last_title(), QStringLiteral("restore result(Server)"));
            QCOMPARE(rows_of_table("t1"), 3);
        } else {
            select_table("t1");
            seam_->push_button(QMessageBox::Yes);
            w_->actions().truncate_table->trigger();
            QVERIFY(settle(w_.get()));
            QCOMPARE(rows_of_table("t1"), 0);
        }
        QCOMPARE(w_->tabs()->currentWidget(), static_cast<QWidget *>(view));
        QTRY_COMPARE(view->data_model()->rowCount(), restore ? 3 : 0);
    }

    void import_and_export_in_both_modes()
    {
        select_table("t1");
        run_dialog(w_->actions().export_data, false, QStringLiteral("t1.csv"));
        QCOMPARE(seam_->last_title(), QStringLiteral("export table result"));
        QCOMPARE(seam_->last_text(), QStringLiteral("export table 't1' to file 't1.csv' is successful!"));
        select_table("t1");
        run_dialog(w_->actions().export_data, true, local("t1.csv"));
        QCOMPARE(seam_->last_text(), QStringLiteral("export table 't1' to file '%1' is successful!").arg(local("t1.csv")));
        QCOMPARE(contents(local("t1.csv")), contents(on_server("t1.csv")));

        // Each file into a new table through the other mode: the same rows come back.
        QVERIFY(run_elsewhere(*server_, {"create c1 v i32 s string", "create c2 v i32 s string"}));
        w_->refresh();
        QVERIFY(settle(w_.get()));
        select_table("c1");
        run_dialog(w_->actions().import_data, true, on_server("t1.csv"));
        QCOMPARE(seam_->last_title(), QStringLiteral("import table result"));
        QCOMPARE(seam_->last_text(), QStringLiteral("import file '%1' to table 'c1' is successful!\n3 of 3 rows imported.")
                                         .arg(on_server("t1.csv")));
        QVERIFY(QFile::copy(local("t1.csv"), on_server("from_client.csv")));
        select_table("c2");
        run_dialog(w_->actions().import_data, false, QStringLiteral("from_client.csv"));
        QCOMPARE(seam_->last_text(), QStringLiteral("import file 'from_client.csv' to table 'c2' is successful!"));
        result_table a, b, c;
        QVERIFY(query_elsewhere(*server_, "view t1", a));
        QVERIFY(query_elsewhere(*server_, "view c1", b));
        QVERIFY(query_elsewhere(*server_, "view c2", c));
        QCOMPARE(b.rows, a.rows);
        QCOMPARE(c.rows, a.rows);

        // A broken line: the box names it and no row goes in.
        QFile bad(local("bad.csv"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("time point,v,s\n2024-01-02 00:00:00,1,x\n2024-01-02 00:00:01,one,y\n");
        bad.close();
        select_table("c1");
        run_dialog(w_->actions().import_data, true, local("bad.csv"));
        QCOMPARE(seam_->last_text(), QStringLiteral("import file '%1' to table 'c1' is failed!\nline 3: v: not an integer")
                                         .arg(local("bad.csv")));
        QCOMPARE(rows_of_table("c1"), 3);
    }

    void client_import_cancelled_halfway()
    {
        QByteArray text = "time point,v\n";
        for (int i = 0; i < 1000; ++i)
            text += "2024-01-01 00:" + QByteArray::number(10 + i / 50) + ':' + QByteArray::number(10 + i % 50) + ',' +
                    QByteArray::number(i) + '\n';
        QFile f(local("many.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        QVERIFY(run_elsewhere(*server_, {"create many v i64"}));
        w_->refresh();
        QVERIFY(settle(w_.get()));
        select_table("many");
        // The rows go in chunks, the first two of this file 128 and 192 rows. The second holds
        // the connection thread once it is in (a direct call there), so the import waits while
        // the window shows the first one's count and takes the Cancel.
        QSemaphore gate;
        std::atomic<int> loads{0};
        const auto stopper = connect(w_->exec(), &db_exec::ran, w_->exec(), [&gate, &loads](const QByteArray &cmd, bool) {
            if (cmd.startsWith("load many from cmd") && ++loads == 2)
                gate.acquire();
        }, Qt::DirectConnection);
        const auto release = qScopeGuard([&] { gate.release(); });
        run_dialog(w_->actions().import_data, true, local("many.csv"), {}, false);
        auto *progress = w_->findChild<QProgressDialog *>(QStringLiteral("import_progress"));
        QVERIFY(progress);
        QVERIFY(!progress->isModal());
        QTRY_COMPARE(progress->value(), 128);
        QCOMPARE(progress->maximum(), 1000);
        progress->findChild<QPushButton *>()->click();
        gate.release();
        QVERIFY(settle(w_.get()));
        disconnect(stopper);
        // The chunk on its way when Cancel came goes in; none after it.
        QCOMPARE(rows_of_table("many"), 320);
        QCOMPARE(seam_->last_text(), QStringLiteral("import file '%1' to table 'many' is failed!\n320 of 1000 rows imported.")
                                         .arg(local("many.csv")));
        QTRY_VERIFY(!w_->findChild<QProgressDialog *>(QStringLiteral("import_progress")));
    }

    void export_current_data_in_both_modes()
    {
        cmd_script_editor ed(w_.get(), w_->link(), "view t1;");
        ed.exec_cmd();
        QVERIFY(settle(w_.get()));
        QCOMPARE(ed.result_tabs()->count(), 1);
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(local_->path());
        // Server mode: the relative path goes to the server.
        run_dialog(ed.export_action(), false, QStringLiteral("export_data/grid.csv"));
        QVERIFY2(proposed_.startsWith(QStringLiteral("./export_data/t1_")), qPrintable(proposed_));
        QCOMPARE(seam_->last_text(), QStringLiteral("export current data to file 'export_data/grid.csv' is successful!"));
        // Client mode: the grid's rows go into ./export_data here, created on the way.
        run_dialog(ed.export_action(), true, proposed_);
        QDir::setCurrent(cwd);
        QCOMPARE(seam_->last_text(), QStringLiteral("export current data to file '%1' is successful!").arg(proposed_));
        QCOMPARE(contents(local_->filePath(proposed_)), contents(on_server("export_data/grid.csv")));
    }
};

QTEST_MAIN(test_table_file_ops)
#include "test_table_file_ops.moc"
