// The main window in a real shown window (Xvfb and openbox) while the development server is
// stopped with SIGSTOP: the GUI thread keeps running through a backup's wait, the user types and
// saves in a script tab, the status bar's notice counts the seconds and its Cancel ends the wait,
// after which a reconnect and further commands work; the notice goes when a command ends by
// itself; quitting while a command waits asks first, and Yes still saves the files.
#include "main_window_fixture.h"
#include "shown_window.h"

#include "common/wait_notice.h"
#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "shell/status_indicators.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <signal.h>

// Present once the library can end another thread's wait; without it a cancelled command
// returns only when the server answers.
extern "C" bool cancel_exec(uint64_t thread) __attribute__((weak));

using namespace mw_test;

class test_hang_shown : public window_test {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    bool stopped_ = false;

    // True once every thread of the server has stopped: the signal takes effect when each is
    // next scheduled, and a command sent before that could still be answered.
    bool server_stopped() const
    {
        const QDir tasks(QStringLiteral("/proc/%1/task").arg(server_->pid()));
        const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &id : ids) {
            QFile stat(tasks.filePath(id + QStringLiteral("/stat")));
            if (!stat.open(QIODevice::ReadOnly))
                return false;
            const QByteArray line = stat.readAll();
            const int after_name = line.lastIndexOf(')');
            if (after_name < 0 || line.mid(after_name + 2, 1) != "T")
                return false;
        }
        return !ids.isEmpty();
    }
    void stop_server()
    {
        QVERIFY(::kill(pid_t(server_->pid()), SIGSTOP) == 0);
        stopped_ = true;
        QTRY_VERIFY(server_stopped());
    }
    void resume_server()
    {
        if (stopped_)
            ::kill(pid_t(server_->pid()), SIGCONT);
        stopped_ = false;
    }
    QString file(const char *name) const { return dir_->filePath(QLatin1String(name)); }
    cmd_script_editor *open_tab(const char *name)
    {
        seam_->push_file(file(name));
        w_->new_file();
        return static_cast<cmd_script_editor *>(w_->editors().value(file(name).toUtf8()));
    }
    static QByteArray slurp(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // An action asked while the server is stopped (the tree refresh unless said): it waits
    // until the notice shows.
    void refresh_into_the_wait(QAction *action = nullptr)
    {
        stop_server();
        (action ? action : w_->actions().refresh)->trigger();
        QTRY_VERIFY(w_->status_wait()->isVisible());
        QVERIFY(w_->link()->busy());
    }

private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        const QString why = open({"create t1 v i32"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void cleanup()
    {
        resume_server();
        if (w_)
            settle(w_.get());
        close();
        dir_.reset();
    }

    void window_answers_while_the_server_is_stopped()
    {
        cmd_script_editor *one = open_tab("one.tcd");
        cmd_script_editor *two = open_tab("two.tcd");
        QVERIFY(one && two);
        int ticks = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] { ++ticks; });
        probe.start(10);

        seam_->push_result(QDialog::Accepted);   // the backup dialog with its proposed path
        refresh_into_the_wait(w_->actions().backup);
        // Another tab, typed into and saved with its shortcut while the command waits.
        w_->tabs()->setCurrentWidget(one);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(one->editor_widget()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("view t1;"));
        QVERIFY(one->modified());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!one->modified());
        QCOMPARE(slurp(file("one.tcd")), QByteArray("view t1;"));

        QTRY_VERIFY_WITH_TIMEOUT(w_->link()->waited_seconds() >= 5, 60000);
        QVERIFY(w_->status_wait()->isVisible());
        QVERIFY2(w_->status_wait()->label()->text().startsWith(QStringLiteral("waiting for the server's answer: ")),
                 qPrintable(w_->status_wait()->label()->text()));
        QVERIFY(w_->status_wait()->cancel_button()->isVisible());
        // About one tick per 10 ms while the server is silent; a frozen thread would give none.
        QVERIFY2(ticks >= 50, qPrintable(QString::number(ticks)));
        QVERIFY(w_->link()->busy());
        resume_server();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_title(), QStringLiteral("backup result(Server)"));
    }

    void notice_goes_when_the_command_ends()
    {
        refresh_into_the_wait();
        resume_server();
        QTRY_VERIFY(!w_->status_wait()->isVisible());
        QVERIFY(settle(w_.get()));
        QVERIFY(find_item(w_->tree(), QStringLiteral("t1")));
    }

    void cancel_ends_the_wait_and_commands_run_after_a_reconnect()
    {
        refresh_into_the_wait();
        w_->actions().refresh->trigger();   // asked before the cancel: never sent
        QTest::mouseClick(w_->status_wait()->cancel_button(), Qt::LeftButton);
        QVERIFY(!w_->status_wait()->isVisible());
        QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/disconnect.svg"));
        // Asked after the cancel and failing before anything is sent (a quote cannot be in a
        // path): its box shows, it is not taken for the dropped refresh before it.
        w_->tree()->setCurrentItem(find_item(w_->tree(), QStringLiteral("t1")));
        seam_->push_result(QDialog::Accepted);
        seam_->on_dialog = [](QDialog *dlg) {
            dlg->findChild<QLineEdit *>(QStringLiteral("s_path_le"))->setText(QStringLiteral("a\"b.bin"));
        };
        w_->actions().save->trigger();
        seam_->on_dialog = nullptr;
        if (cancel_exec)
            // The cancelled command returns while the server is still stopped.
            QVERIFY(settle(w_.get()));
        else
            qInfo("the library cannot end the wait yet: the command returns when the server answers");
        resume_server();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_text(), QStringLiteral("save table 't1' to file 'a\"b.bin' is failed!"));

        seam_->shown.clear();
        w_->actions().reconnect->trigger();
        QVERIFY(settle(w_.get()));
        QCOMPARE(seam_->last_text(), QStringLiteral("reconnect sussesful!"));
        QCOMPARE(w_->indicators()->connection_icon(), QStringLiteral(":/img/connect.svg"));
        QVERIFY(run_elsewhere(*server_, {"create after_cancel v i32"}));
        w_->actions().refresh->trigger();
        QVERIFY(settle(w_.get()));
        QVERIFY(find_item(w_->tree(), QStringLiteral("after_cancel")));
    }

    void quitting_while_a_command_waits_asks_first()
    {
        cmd_script_editor *one = open_tab("one.tcd");
        w_->tabs()->setCurrentWidget(one);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(one->editor_widget()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("show tables;"));
        refresh_into_the_wait();

        seam_->push_button(QMessageBox::No);
        QVERIFY(!w_->close());
        QCOMPARE(seam_->shown.back().title, QStringLiteral("quit"));
        QCOMPARE(seam_->shown.back().default_button, QMessageBox::No);
        QVERIFY(w_->isVisible() && w_->link()->busy());
        QCOMPARE(slurp(file("one.tcd")), QByteArray());

        seam_->push_button(QMessageBox::Yes);
        QVERIFY(w_->close());
        QVERIFY(!w_->isVisible());
        QCOMPARE(slurp(file("one.tcd")), QByteArray("show tables;"));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_hang_shown)
#include "test_hang_shown.moc"
