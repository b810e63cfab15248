// A session as support reads it in the log: the failed and the good login, the box the user saw,
// a failed command, a cancelled wait, the lost connection and the reconnect, a file written; the
// password never, and successful commands only at level debug.
#include "main_window_fixture.h"

#include "common/log_file_wt.h"
#include "db/client_log.h"
#include "db/csv_local.h"
#include "shell/about_dlg.h"
#include "shell/cmd_file_tabs.h"
#include "shell/login_dlg.h"
#include "shell/script_recovery.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <future>

namespace {

const QString secret = QStringLiteral("Pw-9f3k-s\u00e9cret");

// Fills the form and logs in; waits until the answer was handled.
void log_in(login_dlg &d, const QString &passwd, int port)
{
    d.findChild<QLineEdit *>(QStringLiteral("le_user"))->setText(QStringLiteral("operator"));
    d.findChild<QLineEdit *>(QStringLiteral("le_passwd"))->setText(passwd);
    d.findChild<QLineEdit *>(QStringLiteral("le_ip"))->setText(QStringLiteral("127.0.0.1"));
    d.findChild<QLineEdit *>(QStringLiteral("le_port"))->setText(QString::number(port));
    QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("pb_login")), Qt::LeftButton);
    db_link *link = d.link();
    QSignalSpy idle(link, &db_link::busy_changed);
    QDeadlineTimer deadline(30000);
    while (d.link() == link && link->busy() && !deadline.hasExpired())
        idle.wait(int(qMax<qint64>(1, deadline.remainingTime())));
}

} // namespace

class test_session_log : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void cleanup() { vorn_log::restore_defaults(); }

    void session_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("info") << int(LOG_LEVEL_INFO);
        QTest::newRow("debug") << int(LOG_LEVEL_DEBUG);
    }
    void session()
    {
        QFETCH(int, level);
        devserver_process server({QStringLiteral("--user"), QStringLiteral("operator"), QStringLiteral("--password"), secret});
        QVERIFY2(server.ok(), qPrintable(server.error()));
        const QByteArray at = "127.0.0.1:" + QByteArray::number(server.port());
        const QString file = dir_.filePath(QStringLiteral("vorn_%1.log").arg(level));
        QVERIFY(set_log2file(file.toUtf8().constData()));
        set_mini_level(level);
        sys_config.reset();
        modal_seam::script seam;

        login_dlg d;
        log_in(d, QStringLiteral("wrong"), server.port());
        log_in(d, secret, server.port());
        std::unique_ptr<MainWindow> w(d.main_window());
        QVERIFY(w);
        QVERIFY(mw_test::settle(w.get()));
        db_link *link = w->link();

        link->post(w.get(), [](db_exec &db) { return db.run("no_such_command alpha") != nullptr; }, [](bool) {});
        QVERIFY(mw_test::settle(w.get()));

        // A job that waits until the test lets it go, cancelled meanwhile.
        std::promise<void> go;
        std::shared_future<void> gone = go.get_future().share();
        link->post(w.get(), [gone](db_exec &) { gone.wait(); });
        link->cancel();
        go.set_value();
        QVERIFY(mw_test::settle(w.get()));

        link->reconnect(w.get(), [](const db_status &) {});
        QVERIFY(mw_test::settle(w.get()));
        QVERIFY(server.stop());
        link->post(w.get(), [](db_exec &db) { return db.run("show tables") != nullptr; }, [](bool) {});
        QVERIFY(mw_test::settle(w.get()));
        link->reconnect(w.get(), [](const db_status &) {});
        QVERIFY(mw_test::settle(w.get()));

        QByteArray why;
        QVERIFY(write_local_file(dir_.filePath(QStringLiteral("grid.csv")), "a,b\n1,2\n", true, why));
        w.reset();

        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(!text.isEmpty());
        QVERIFY2(!text.contains(secret.toUtf8()), "the password reached the log");
        const QList<QByteArray> expected{
            "warn  [", "login of user 'operator' at " + at + " failed (code 1",
            "note  [", "information box 'info': invalid user or password",
            "info  [", "login of user 'operator' at " + at + " succeeded",
            "warn  [", "command failed (code 1: ",
            "warn  [", " us: no_such_command alpha",
            "note  [", "wait for the server cancelled by the user",
            "note  [", "reconnect of user 'operator' to " + at,
            "warn  [", "connection to the server lost: ",
            "warn  [", "login of user 'operator' at " + at + " failed (code 2",
            "info  [", "write client csv file, file " + QDir::toNativeSeparators(dir_.filePath(QStringLiteral("grid.csv"))).toUtf8() + ": done, 8 bytes",
        };
        const QList<QByteArray> lines = text.split('\n');
        for (int i = 0; i < expected.size(); i += 2) {
            bool found = false;
            for (const QByteArray &l : lines)
                found = found || (l.contains(expected[i]) && l.contains(expected[i + 1]));
            QVERIFY2(found, expected[i + 1].constData());
        }
        // Successful commands (the tree's "show tables") with their texts only at level debug.
        const bool shown = text.contains("command succeeded") && text.contains(": show tables");
        QCOMPARE(shown, level == LOG_LEVEL_DEBUG);
        exit_to_server();
    }

    // Command files and their recovery copies: each open, save, copy and removal is one line.
    void command_files_reach_the_log()
    {
        const QString log = dir_.filePath(QStringLiteral("files.log"));
        QVERIFY(set_log2file(log.toUtf8().constData()));
        const QByteArray script = dir_.filePath(QStringLiteral("s.tcd")).toUtf8();
        const QByteArray missing = dir_.filePath(QStringLiteral("gone.tcd")).toUtf8();
        QVERIFY(cmd_file_tabs::write_file(script, "view t1"));
        QCOMPARE(cmd_file_tabs::read_file(script), QByteArray("view t1"));
        QVERIFY(cmd_file_tabs::read_file(missing).isEmpty());
        script_recovery::set_root(dir_.filePath(QStringLiteral("copies")));
        {
            script_recovery copies;
            QVERIFY(copies.keep(script, "view t2"));
            copies.drop(script);
            copies.drop(script);   // nothing left: no line
            copies.finish();
        }
        script_recovery::set_root(QString());
        vorn_log::restore_defaults();

        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        const QByteArray at = QDir::toNativeSeparators(QString::fromUtf8(script)).toUtf8();
        for (const QByteArray &expected :
             {"save command file, file " + at + ": done, 7 bytes", "open command file, file " + at + ": done, 7 bytes",
              "open command file, file " + QDir::toNativeSeparators(QString::fromUtf8(missing)).toUtf8() + ": failed (",
              "write recovery copy '" + script + "', file ", "remove recovery copy '" + script + "', file "})
            QVERIFY2(text.contains(expected), (expected + "\n" + text).constData());
        QCOMPARE(text.count("remove recovery copy"), 1);
    }

    // The about box tells where the log is and opens its folder; without a file the button is off.
    void about_box_shows_the_log_data()
    {
        QTest::addColumn<bool>("with_file");
        QTest::addColumn<bool>("opens");
        QTest::newRow("opened") << true << true;
        QTest::newRow("opener fails") << true << false;
        QTest::newRow("no file") << false << false;
    }
    void about_box_shows_the_log()
    {
        QFETCH(bool, with_file);
        QFETCH(bool, opens);
        const QString file = dir_.filePath(QStringLiteral("about/vorn.log"));
        QVERIFY(set_log2file(with_file ? file.toUtf8().constData() : nullptr));
        modal_seam::script seam;
        seam.fallback.ok = opens;
        about_dlg dlg;
        auto *row = dlg.findChild<log_file_wt *>();
        QVERIFY(row);
        QCOMPARE(row->open_button()->isEnabled(), with_file);
        QCOMPARE(row->path_label()->text().contains(QDir::toNativeSeparators(file)), with_file);
        if (!with_file)
            return;
        QTest::mouseClick(row->open_button(), Qt::LeftButton);
        QVERIFY(!seam.shown.empty());
        QCOMPARE(seam.shown[0].what, modal_seam::kind::start_process);
        QCOMPARE(seam.shown[0].args, (QStringList{log_file_wt::folder_opener(), QDir::toNativeSeparators(dir_.filePath(QStringLiteral("about")))}));
        QCOMPARE(seam.shown.size(), opens ? std::size_t(1) : std::size_t(2));
        if (!opens)
            QCOMPARE(seam.last_title(), QStringLiteral("log file information"));
    }
};

QTEST_MAIN(test_session_log)
#include "test_session_log.moc"
