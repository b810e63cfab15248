// A script tab in a real window against a development server that stops answering (SIGSTOP):
// the window's event loop goes on while "show tables" waits, the tab's own wait notice shows
// the wait, its Cancel ends it, and after a reconnect Run works again.
#include "common/modal_seam.h"
#include "common/wait_notice.h"
#include "devserver_process.h"
#include "script/cmd_script_editor.h"
#include "config/sys_config.h"
#include "link_wait.h"
#include "shots_dir.h"
#include "shown_window.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/types.h>

class test_script_wait_shown : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<db_link> link_;

    void resume()
    {
        if (server_)
            ::kill(pid_t(server_->pid()), SIGCONT);
    }

private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        sys_config.reset();
        server_ = std::make_unique<devserver_process>();
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        link_ = link_wait::logged_in(server_->host(), server_->port());
        QVERIFY(link_);
        // One table, so that "show tables" gives a grid.
        bool made = false;
        link_->post(nullptr, [](db_exec &db) {
            result_set *rs = db.run("create t v i32", 1);
            del_datas(rs);
            return rs != nullptr;
        }, [&made](bool ok) { made = ok; });
        QVERIFY(link_wait::settle(link_.get()));
        QVERIFY(made);
    }
    void cleanupTestCase()
    {
        resume();
        link_.reset();
        server_.reset();
    }

    void a_silent_server_leaves_the_window_alive_and_cancel_ends_the_wait()
    {
        modal_seam::script seam;
        cmd_script_editor ed(nullptr, link_.get(), "show tables");
        ed.resize(900, 600);
        ed.move(30, 30);
        ed.show();
        ed.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ed));
        wait_notice *notice = ed.waits();
        QVERIFY(notice->isHidden());

        int ticks = 0;
        QTimer pulse;
        pulse.setInterval(10);
        connect(&pulse, &QTimer::timeout, this, [&] { ++ticks; });
        pulse.start();
        QSignalSpy second(link_.get(), &db_link::wait_tick);
        QSignalSpy ended(&ed, &cmd_script_editor::run_finished);

        QVERIFY(::kill(pid_t(server_->pid()), SIGSTOP) == 0);
        QTest::mouseClick(ed.exec_button(), Qt::LeftButton);
        QVERIFY(ed.running());
        QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 30000);
        QVERIFY(notice->label()->text().startsWith(QStringLiteral("waiting for the server's answer")));
        const int at_notice = ticks;
        // A second of waiting: the timer goes on, and Run does nothing meanwhile.
        QVERIFY(second.wait(30000));
        QVERIFY2(ticks - at_notice > 5, qPrintable(QString::number(ticks - at_notice)));
        // With VORN_SHOTS_DIR set, a picture of the tab while it waits.
        const QString shot = shots::path(QStringLiteral("script_tab_waiting.png"));
        if (!shot.isEmpty())
            QVERIFY(ed.grab().save(shot));
        QTest::mouseClick(ed.exec_button(), Qt::LeftButton);

        QTest::mouseClick(notice->cancel_button(), Qt::LeftButton);
        QVERIFY(notice->isHidden());
        // The library ends the call at once where it can; otherwise it returns once the server
        // runs again, and the connection is closed either way.
        resume();
        QVERIFY(ended.wait(30000));
        QCOMPARE(ended.count(), 1);
        QVERIFY(!ed.running());
        QVERIFY(link_wait::settle(link_.get()));
        QVERIFY(notice->isHidden());

        bool back = false;
        link_->reconnect(nullptr, [&back](const db_status &st) { back = st.ok; });
        QVERIFY(link_wait::settle(link_.get()));
        QVERIFY(back);
        ended.clear();
        QTest::mouseClick(ed.exec_button(), Qt::LeftButton);
        QVERIFY(ended.wait(30000));
        QCOMPARE(ended[0][0].toBool(), true);
        QCOMPARE(seam.last_text(), QStringLiteral("the cmd execute sussesful total!"));
        QCOMPARE(ed.result_tabs()->count(), 1);
        QVERIFY(ticks > at_notice);
    }
};

SHOWN_WINDOW_TEST_MAIN(test_script_wait_shown)
#include "test_script_wait_shown.moc"
