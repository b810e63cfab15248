// "execute cmd" against the development server: blanks and empty lines, the stop at a failing
// line with its message, the success message and refresh, cancelling a long file, and the
// dialog paths that run nothing.
#include "db/db_exec.h"
#include "devserver_process.h"
#include "link_wait.h"
#include "shell/exec_cmd_file.h"
#include "common/modal_seam.h"
#include "run_ok.h"

#include <QAbstractButton>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

class test_cmd_files_exec : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<QTextEdit> pane_;
    std::unique_ptr<db_exec> db_;
    std::unique_ptr<db_link> link_;
    int refreshes_ = 0;

    std::function<void()> refresh() { return [this] { ++refreshes_; }; }

    int rows_of_table(const QByteArray &table)
    {
        result_table t;
        return db_->query("view " + table, t, 1) ? t.rows.size() : -1;
    }
    name_list tables()
    {
        result_table t;
        name_list out;
        if (db_->query("show tables", t, 1))
            for (const QVariantList &r : t.rows)
                out.append(r.value(0).toString().toUtf8());
        return out;
    }
    int logged_commands() const { return pane_->toPlainText().count(QStringLiteral("execute cmd:")); }
    // Runs the content as the action does and waits for its outcome: true when every line
    // succeeded, false also when nothing started.
    bool run_content(const QByteArray &content, QWidget *parent, script_runner *runner = nullptr)
    {
        bool ok = false;
        if (!exec_cmd_file::run_content(content, *link_, parent, refresh(), runner, [&ok](bool o) { ok = o; }))
            return false;
        return link_wait::settle(link_.get()) && ok;
    }
    void run_action(QWidget *parent)
    {
        exec_cmd_file::run(*link_, parent, refresh());
        QVERIFY(link_wait::settle(link_.get()));
    }

    bool run_ok(const QByteArray &cmd) { return ::run_ok(*db_, cmd); }

private slots:
    void init()
    {
        server_.reset(new devserver_process);
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        QVERIFY(connect_to_server(server_->host().toLatin1().constData(), server_->port(), "admin", "admin"));
        pane_.reset(new QTextEdit);
        db_.reset(new db_exec("vorn_tsdb", nullptr));
        link_ = link_wait::logged_in(server_->host(), server_->port(), pane_.get());
        QVERIFY(link_);
        refreshes_ = 0;
    }
    void cleanup()
    {
        link_.reset();
        db_.reset();
        pane_.reset();
        server_.reset();
    }

    void blanks_around_a_command_and_an_empty_line_run_one_command()
    {
        modal_seam::script seam;
        QVERIFY(run_content("   create t1 v i32   \n\n", nullptr));
        QCOMPARE(logged_commands(), 1);
        QVERIFY(pane_->toPlainText().contains(QStringLiteral("create t1 v i32")));
        QVERIFY(!pane_->toPlainText().contains(QStringLiteral("i32 ")));
        QCOMPARE(tables(), name_list{"t1"});
        QCOMPARE(seam.shown.size(), size_t(1));
        QCOMPARE(seam.last_title(), QStringLiteral("execute infomation"));
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QCOMPARE(refreshes_, 1);
    }

    void a_failing_line_stops_the_run()
    {
        modal_seam::script seam;
        const QByteArray file = "create t1 v i32\r\n"
                                "push into t1 v values 1 at 2021-01-01 00:00:00\r\n"
                                "  push into nosuch v values 2 at 2021-01-01 00:00:01 \r\n"
                                "create t2 v i32\r\n";
        QVERIFY(!run_content(file, nullptr));
        // The reason the server gave follows on the second line.
        const QString failed =
            QStringLiteral("the cmd \"push into nosuch v values 2 at 2021-01-01 00:00:01\" execute failed!\n");
        QVERIFY2(seam.last_text().startsWith(failed) && seam.last_text().size() > failed.size(), qPrintable(seam.last_text()));
        QCOMPARE(tables(), name_list{"t1"});
        QCOMPARE(rows_of_table("t1"), 1);
        QCOMPARE(refreshes_, 0);
        // The failed line is in the log, on top, already shown.
        QCOMPARE(link_->log_side().pending_lines(), 0);
        QVERIFY(pane_->toPlainText().contains(QStringLiteral("failed")));
    }

    void cancelling_a_long_file_stops_after_the_current_line()
    {
        QVERIFY(run_ok("create t1 v i32"));
        QByteArray file;
        // Long enough that the dialog's first look comes well before its end.
        const int lines = 20000;
        for (int i = 0; i < lines; ++i)
            file += "push into t1 v values " + QByteArray::number(i) + " at 2021-01-01 00:00:"
                    + QByteArray::number(i % 60).rightJustified(2, '0') + "." + QByteArray::number(i).rightJustified(5, '0') + "\n";
        modal_seam::script seam;
        QWidget window;
        script_runner runner(link_.get(), &window);
        runner.set_progress_delay(0);
        connect(&runner, &script_runner::progress_shown, this, [&] {
            for (QAbstractButton *b : runner.progress_dialog()->findChildren<QAbstractButton *>())
                b->click();
        });
        QVERIFY(!run_content(file, &window, &runner));
        const int ran = rows_of_table("t1");
        QVERIFY2(ran >= 1 && ran < lines, qPrintable(QString::number(ran)));
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute is cancelled after %1 of %2 lines!").arg(ran).arg(lines));
        QCOMPARE(refreshes_, 1);
    }

    void the_dialog_and_empty_files_run_nothing()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.tcd");
        const QString blank = dir.filePath("blank.tcd");
        const QString good = dir.filePath("good.tcd");
        auto write = [](const QString &p, const QByteArray &b) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(b);
        };
        write(empty, "");
        write(blank, " \n\n   \n");
        write(good, "create t1 v i32\ncreate t2 v double\n");

        modal_seam::script seam;
        run_action(nullptr);   // cancelled
        QCOMPARE(seam.shown.size(), size_t(1));
        QCOMPARE(seam.shown[0].what, modal_seam::kind::open_file);
        QCOMPARE(seam.shown[0].title, QStringLiteral("open cmd file to execute"));
        QCOMPARE(seam.shown[0].text, QStringLiteral("."));
        QCOMPARE(seam.shown[0].filter, QStringLiteral("cmd files (*.tcd);;all files (*.*)"));
        seam.push_file(empty);
        run_action(nullptr);
        seam.push_file(blank);
        run_action(nullptr);
        seam.push_file(dir.filePath("missing.tcd"));
        run_action(nullptr);
        QCOMPARE(seam.shown.size(), size_t(4));   // only the four file choosers
        QCOMPARE(logged_commands(), 0);
        QCOMPARE(refreshes_, 0);

        seam.push_file(good);
        run_action(nullptr);
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QCOMPARE(tables(), (name_list{"t1", "t2"}));
        QCOMPARE(refreshes_, 1);
    }
};

QTEST_MAIN(test_cmd_files_exec)
#include "test_cmd_files_exec.moc"
