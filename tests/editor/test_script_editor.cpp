// The script tab against the development server: a failing line in the middle, blank lines,
// result grids and their tab actions, escapes, runs of a selection or one line, export, a second
// Run while one goes on, the tab's own wait notice, and a run after a cancelled one.
#include "common/wait_notice.h"
#include "db/db_exec.h"
#include "devserver_process.h"
#include "link_wait.h"
#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "config/sys_config.h"
#include "editor_test_helper.h"
#include "common/modal_seam.h"
#include "table/tab_data_model.h"
#include "run_ok.h"
#include "shots_dir.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QLineEdit>
#include <QtTest>
#include <csignal>
#include <sys/types.h>
#include <memory>

class test_script_editor : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<QTextEdit> pane_;
    std::unique_ptr<db_exec> db_;
    std::unique_ptr<db_link> link_;

    std::unique_ptr<cmd_script_editor> make(const QByteArray &text)
    {
        auto ed = std::make_unique<cmd_script_editor>(nullptr, link_.get(), text);
        ed->resize(900, 700);
        return ed;
    }
    int logged_commands()
    {
        link_->log_side().update_log();
        return pane_->toPlainText().count(QStringLiteral("execute cmd:"));
    }
    bool settle() { return link_wait::settle(link_.get()); }

    bool run_ok(const QByteArray &cmd) { return ::run_ok(*db_, cmd); }

private slots:
    void init()
    {
        sys_config.reset();
        server_.reset(new devserver_process);
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        QVERIFY(connect_to_server(server_->host().toLatin1().constData(), server_->port(), "admin", "admin"));
        pane_.reset(new QTextEdit);
        db_.reset(new db_exec("vorn_tsdb", nullptr));
        link_ = link_wait::logged_in(server_->host(), server_->port(), pane_.get());
        QVERIFY(link_);
        QVERIFY(run_ok("create t1 v i32 s string"));
        QVERIFY(run_ok("push into t1 v s values 5 \"abc\" at 2021-01-02 03:04:05"));
        QVERIFY(run_ok("push into t1 v s values -7 \"d e\" at 2021-01-03 00:00:00.5"));
        QVERIFY(run_ok("create t2 x double"));
        QVERIFY(run_ok("push into t2 x values 1.5 at 2021-01-02 03:04:05"));
        link_->log_side().update_log();
        pane_->clear();
    }
    void font_size_keys_reach_the_record_and_every_script()
    {
        auto first = make("view t1"), second = make("show tables");
        editor *a = first->findChild<editor *>(), *b = second->findChild<editor *>();
        editor_test::key(a, Qt::Key_Equal, Qt::ControlModifier, "=");
        for (int e = 0; e < style_class_count; ++e)
            QCOMPARE(sys_config.styles[0][e].point_size, 13);
        QCOMPARE(sys_config.styles[1][0].point_size, 12);   // other themes keep theirs
        QVERIFY(b->style() == a->style());
        QCOMPARE(b->line_height(), int(13 * 1.6f));
    }

    void cleanup()
    {
        link_.reset();
        db_.reset();
        pane_.reset();
        server_.reset();
    }

    void a_failing_second_line_stops_the_run()
    {
        modal_seam::script seam;
        auto ed = make("view t1\nview nosuch\ncreate t3 v i32");
        QSignalSpy executed(ed.get(), &cmd_script_editor::executed);
        ed->exec_cmd();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 1);
        QCOMPARE(ed->result_command(0), QByteArray("view t1"));
        QCOMPARE(ed->result_tabs()->tabText(0), QStringLiteral("view t1"));
        QCOMPARE(seam.shown.size(), size_t(1));
        QCOMPARE(seam.last_title(), QStringLiteral("execute infomation"));
        QVERIFY(seam.last_text().startsWith(QStringLiteral("the cmd \"view nosuch\" execute failed!\n")));
        QCOMPARE(executed.count(), 0);
        QCOMPARE(ed->failed_line(), 1);
        QCOMPARE(ed->editor_widget()->current_line(), qint64(1));
        QCOMPARE(logged_commands(), 2);
        result_table t;
        QVERIFY(db_->query("show tables", t, 1));
        QCOMPARE(t.rows.size(), 2);   // t3 was never created
        QVERIFY(!ed->result_tabs()->isHidden());
    }

    void blank_lines_are_skipped_and_grids_show_the_rows()
    {
        modal_seam::script seam;
        auto ed = make("view t1\n\n   \n\t\nview t\\x32  \ncreate t3 v i32\n");
        QSignalSpy executed(ed.get(), &cmd_script_editor::executed);
        ed->exec_button()->click();
        QVERIFY(settle());
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QCOMPARE(executed.count(), 1);
        QCOMPARE(executed.first().first().toBool(), true);
        QCOMPARE(logged_commands(), 3);
        // The create returned no data: two grids, the last one current.
        QCOMPARE(ed->result_tabs()->count(), 2);
        QCOMPARE(ed->result_command(1), QByteArray("view t2"));
        QCOMPARE(ed->result_tabs()->currentIndex(), 1);
        QVERIFY(!ed->result_tabs()->isHidden());

        QTableView *view = ed->result_view(0);
        tab_data_model *model = ed->result_model(0);
        QVERIFY(view && model);
        QVERIFY(view->isSortingEnabled());
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->columnCount(), 3);
        for (int c = 0; c < model->columnCount(); ++c)
            QCOMPARE(view->itemDelegateForColumn(c), static_cast<QAbstractItemDelegate *>(model->delegate_of(c)));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("v"));
        // The server's order until the user sorts by a column.
        QCOMPARE(model->data(model->index(0, 2)).toString(), QStringLiteral("abc"));
        QCOMPARE(model->data(model->index(1, 2)).toString(), QStringLiteral("d e"));
        view->sortByColumn(1, Qt::AscendingOrder);
        QCOMPARE(model->data(model->index(0, 2)).toString(), QStringLiteral("d e"));
        QVERIFY(!view->actions().isEmpty());
        QCOMPARE(view->actions().first()->text(), QStringLiteral("find text"));
        QCOMPARE(view->actions().first()->shortcut(), QKeySequence(QStringLiteral("ctrl+shift+f")));

        // A new run of the whole text replaces the results.
        ed->editor_widget()->set_text(QStringLiteral("view t2"));
        ed->exec_cmd();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 1);
        QCOMPARE(ed->result_command(0), QByteArray("view t2"));
    }

    void a_run_without_data_leaves_the_area_hidden()
    {
        modal_seam::script seam;
        auto ed = make("create t3 v i32\n\n");
        ed->exec_cmd();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 0);
        QVERIFY(ed->result_tabs()->isHidden());
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute sussesful total!"));
        // An empty script runs nothing and succeeds.
        auto empty = make("");
        empty->exec_cmd();
        QVERIFY(settle());
        QCOMPARE(logged_commands(), 1);
    }

    void result_tab_actions()
    {
        modal_seam::script seam;
        auto ed = make("view t1\nview t2\nview t1 v");
        QApplication::clipboard()->setText(QStringLiteral("before"));
        ed->copy_action()->trigger();   // no tab yet: nothing
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        ed->close_current_action()->trigger();

        ed->exec_cmd();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 3);
        QCOMPARE(ed->result_tabs()->tabBar()->actions().size(), 4);
        // "copy current text" copies the tab's rows, ready for a spreadsheet.
        ed->result_tabs()->setCurrentIndex(1);
        ed->copy_action()->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("time point\tx\n2021-01-02 03:04:05\t1.50000000000000000\n"));

        ed->close_current_action()->trigger();
        QCOMPARE(ed->result_tabs()->count(), 2);
        QCOMPARE(ed->result_command(1), QByteArray("view t1 v"));
        // The tab's close button.
        QPointer<QTableView> view = ed->result_view(0);
        emit ed->result_tabs()->tabCloseRequested(0);
        QVERIFY(view.isNull());
        QCOMPARE(ed->result_tabs()->count(), 1);
        QVERIFY(!ed->result_tabs()->isHidden());
        emit ed->result_tabs()->tabCloseRequested(0);
        QVERIFY(ed->result_tabs()->isHidden());

        ed->exec_cmd();
        QVERIFY(settle());
        QVERIFY(!ed->result_tabs()->isHidden());
        ed->close_all_action()->trigger();
        QCOMPARE(ed->result_tabs()->count(), 0);
        QVERIFY(ed->result_tabs()->isHidden());
    }

    void selection_and_current_line_add_to_the_results()
    {
        modal_seam::script seam;
        auto ed = make("view t1\nview t2\nview nosuch");
        editor *e = ed->editor_widget();
        e->set_cursor_position(10);   // inside "view t2"
        ed->exec_cur();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 1);
        QCOMPARE(ed->result_command(0), QByteArray("view t2"));
        QCOMPARE(logged_commands(), 1);

        e->add_selection(0, 15);      // the first two lines
        ed->exec_sel();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 3);
        QCOMPARE(ed->result_command(2), QByteArray("view t2"));

        // A failure in a selection names the editor line it came from.
        e->clear_selection();
        e->add_selection(8, 27);
        ed->exec_sel();
        QVERIFY(settle());
        QVERIFY(seam.last_text().startsWith(QStringLiteral("the cmd \"view nosuch\" execute failed!\n")));
        QCOMPARE(ed->failed_line(), 2);
    }

    void export_writes_the_current_grid_as_csv()
    {
        modal_seam::script seam;
        auto ed = make("view t1;  ");
        ed->exec_cmd();
        QVERIFY(settle());
        QCOMPARE(ed->result_tabs()->count(), 1);
        // The CSV dialog proposes a relative path under export_data; the server resolves it.
        QString proposed;
        seam.on_dialog = [&](QDialog *dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("export current windows execute result to csv/csvs file"));
            auto *le = dlg->findChild<QLineEdit *>(QStringLiteral("s_path_le"));
            proposed = le->text();
            le->setText(QStringLiteral("export_data/t1_out.csv"));
        };
        seam.push_result(QDialog::Accepted);
        ed->export_action()->trigger();
        QVERIFY(settle());
        seam.on_dialog = nullptr;
        QVERIFY2(proposed.startsWith(QStringLiteral("./export_data/t1_")), qPrintable(proposed));
        QCOMPARE(seam.last_title(), QStringLiteral("export data result"));
        QCOMPARE(seam.last_text(), QStringLiteral("export current data to file 'export_data/t1_out.csv' is successful!"));
        QFile out(QDir(server_->data_dir()).filePath(QStringLiteral("export_data/t1_out.csv")));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QByteArray csv = out.readAll();
        QVERIFY2(csv.contains("abc") && csv.contains("-7"), csv.constData());

        // Cancelled: nothing is sent.
        const int before = logged_commands();
        ed->export_action()->trigger();
        QVERIFY(settle());
        QCOMPARE(logged_commands(), before);

        // The same file again without leave to replace it: the server refuses, and the box
        // keeps its own title and text with the server's reason under them.
        seam.on_dialog = [](QDialog *dlg) {
            dlg->findChild<QLineEdit *>(QStringLiteral("s_path_le"))->setText(QStringLiteral("export_data/t1_out.csv"));
        };
        seam.push_result(QDialog::Accepted);
        ed->export_action()->trigger();
        QVERIFY(settle());
        seam.on_dialog = nullptr;
        QCOMPARE(seam.last_title(), QStringLiteral("export data result"));
        const QString failed = QStringLiteral("export current data to file 'export_data/t1_out.csv' is failed!\n");
        QVERIFY2(seam.last_text().startsWith(failed) && seam.last_text().size() > failed.size(), qPrintable(seam.last_text()));
    }

    void a_waiting_run_shows_its_notice_until_the_answer_comes()
    {
        modal_seam::script seam;
        auto ed = make("view t1\nview t2");
        QSignalSpy waiting(link_.get(), &db_link::wait_started);
        QSignalSpy ended(ed.get(), &cmd_script_editor::run_finished);
        // A server that does not answer: the run waits, the tab does not.
        QVERIFY(::kill(pid_t(server_->pid()), SIGSTOP) == 0);
        ed->exec_cmd();
        QVERIFY(ed->running());
        QVERIFY(waiting.wait(30000));
        QVERIFY(!ed->waits()->isHidden());
        QVERIFY(ed->waits()->label()->text().startsWith(QStringLiteral("waiting for the server's answer")));
        // A second Run meanwhile does nothing.
        ed->exec_button()->click();
        ed->exec_cur();
        QVERIFY(::kill(pid_t(server_->pid()), SIGCONT) == 0);
        QVERIFY(ended.wait(30000));
        QVERIFY(settle());
        QVERIFY(ed->waits()->isHidden());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ed->result_tabs()->count(), 2);
        QCOMPARE(logged_commands(), 2);
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute sussesful total!"));
    }

    void export_names_and_modified_state()
    {
        const QDateTime when(QDate(2024, 3, 5), QTime(7, 8, 9));
        QCOMPARE(cmd_script_editor::export_path_for("view t1 v btw 1 2", when),
                 QStringLiteral("./export_data/t1_24-03-05_07_08_09.csv"));
        QCOMPARE(cmd_script_editor::export_path_for("show tables", when),
                 QStringLiteral("./export_data/show_24-03-05_07_08_09.csv"));
        QCOMPARE(cmd_script_editor::export_path_for("view a/b:c", when),
                 QStringLiteral("./export_data/a_b_c_24-03-05_07_08_09.csv"));

        auto ed = make("view t1");
        QVERIFY(!ed->modified());
        QCOMPARE(ed->text_bytes(), QByteArray("view t1"));
        QCOMPARE(ed->editor_widget()->objectName(), QStringLiteral("cmd script editor"));
        QCOMPARE(ed->exec_button()->text(), QStringLiteral("execute(&e)"));
        QVERIFY(ed->result_tabs()->isHidden());
    }

    // Run with VORN_SHOTS_DIR set (under Xvfb) to write a picture of a tab with two grids.
    void screenshot_of_two_grids()
    {
        const QString path = shots::path(QStringLiteral("script_tab.png"));
        if (path.isEmpty())
            QSKIP("VORN_SHOTS_DIR not set");
        modal_seam::script seam;
        auto ed = make("view t1\n\nview t2\ncreate t3 v i32\n");
        ed->resize(1000, 640);
        ed->show();
        QVERIFY(QTest::qWaitForWindowExposed(ed.get()));
        ed->exec_cmd();
        QVERIFY(settle());
        ed->result_tabs()->setCurrentIndex(0);
        // The grids are laid out once control is back in the event loop.
        QTRY_VERIFY(ed->result_tabs()->isVisible() && ed->result_tabs()->height() > 100);
        QGuiApplication::sync();
        QVERIFY(ed->grab().save(path));
    }
};

QTEST_MAIN(test_script_editor)
#include "test_script_editor.moc"
