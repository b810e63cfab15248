// The server as a process: login, disconnects, bad frames, several clients, persistence, options.
#include "devserver_process.h"
#include "ds_client_helper.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <set>
#include <thread>

class test_process : public QObject {
    Q_OBJECT

private slots:
    void login_accepts_only_the_configured_user()
    {
        devserver_process s({"--user", "op", "--password", "s3cret"});
        QVERIFY2(s.ok(), qPrintable(s.error()));
        QVERIFY(!connect_to_server("127.0.0.1", s.port(), "op", "wrong"));
        exit_to_server();
        QVERIFY(!connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        exit_to_server();
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "op", "s3cret"));
        QVERIFY(ok("show tables"));
        exit_to_server();

        // A refused login closes the connection; a malformed login frame is refused too.
        int fd = raw_connect(s.port());
        QVERIFY(raw_send(fd, login_frame("op", "bad")));
        QCOMPARE(raw_reply(fd), 1);
        QCOMPARE(raw_reply(fd, nullptr, 2000), -1);
        raw_close(fd);
        fd = raw_connect(s.port());
        QVERIFY(raw_send(fd, std::string("\x06\0\0\0\x09\0\0\0op", 10)));
        QCOMPARE(raw_reply(fd), 1);
        QCOMPARE(raw_reply(fd, nullptr, 2000), -1);
        raw_close(fd);
        QTRY_VERIFY_WITH_TIMEOUT(s.log().contains("refused"), 5000);   // the log is written in batches
    }

    void bad_frames_close_only_their_connection()
    {
        devserver_process s;
        QVERIFY2(s.ok(), qPrintable(s.error()));
        const int keep = raw_logged_in(s.port());
        QVERIFY(keep >= 0);

        int fd = raw_logged_in(s.port());
        QVERIFY(raw_send(fd, "\xff\xff\xff\xff"));   // disconnect notice
        QCOMPARE(raw_reply(fd, nullptr, 2000), -1);
        raw_close(fd);

        fd = raw_logged_in(s.port());
        QVERIFY(raw_send(fd, std::string("\x01\x00\x00\x41", 4)));   // over 1 GiB
        QCOMPARE(raw_reply(fd, nullptr, 2000), -1);
        raw_close(fd);

        // Hanging up in the middle of a frame, before and after login.
        fd = raw_logged_in(s.port());
        QVERIFY(raw_send(fd, std::string("\x10\0\0\0show", 8)));
        raw_close(fd);
        fd = raw_connect(s.port());
        QVERIFY(raw_send(fd, std::string("\x20\0\0\0\x05\0", 6)));
        raw_close(fd);

        // Binary garbage as a command is an error, not a crash.
        fd = raw_logged_in(s.port());
        QVERIFY(raw_send(fd, command_frame(std::string("\0\xff\"\\x\\u12", 10))));
        QCOMPARE(raw_reply(fd), 1);
        // Two commands in one segment get two replies in order.
        QVERIFY(raw_send(fd, command_frame("create t v i32") + command_frame("field_of t")));
        QCOMPARE(raw_reply(fd), 0);
        std::string body;
        QCOMPARE(raw_reply(fd, &body), 0);
        QVERIFY(body.size() > 24);
        raw_close(fd);

        QVERIFY(raw_send(keep, command_frame("show tables")));
        QCOMPARE(raw_reply(keep, &body), 0);
        raw_close(keep);
    }

    void two_clients_at_once()
    {
        devserver_process s;
        QVERIFY2(s.ok(), qPrintable(s.error()));
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        QVERIFY(ok("create t v i32 who string"));
        std::atomic<int> other_ok{0};
        std::thread other([&] {
            // The library keeps one connection per thread.
            if (!connect_to_server("127.0.0.1", s.port(), "admin", "admin"))
                return;
            for (int i = 0; i < 200; ++i)
                if (ok("push into t v who values " + std::to_string(i) + " other at 2024-01-01 00:00:00"))
                    ++other_ok;
            exit_to_server();
        });
        int mine = 0;
        for (int i = 0; i < 200; ++i)
            mine += ok("push into t v who values " + std::to_string(i) + " main at 2024-01-02 00:00:00") ? 1 : 0;
        other.join();
        QCOMPARE(mine, 200);
        QCOMPARE(other_ok.load(), 200);
        rs_ptr rs = run("view t");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(400));
        // Identifiers are unique across both writers.
        std::set<std::uint64_t> ids;
        for (std::uint64_t r = 0; r < 400; ++r)
            ids.insert(sid_of(rs.get(), r));
        QCOMPARE(ids.size(), std::size_t(400));
        QCOMPARE(str_at(rs.get(), 0, 2), std::string("other"));
        exit_to_server();
    }

    void database_file_survives_a_restart()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath("keep.sbk");
        {
            devserver_process s({"--db", db});
            QVERIFY2(s.ok(), qPrintable(s.error()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QVERIFY(ok("create t v i32 s string"));
            QVERIFY(ok("push into t v s values 42 \"kept\" at 2024-01-01 00:00:00.123"));
            exit_to_server();
            QVERIFY(s.stop());
        }
        QVERIFY(QFile::exists(db));
        {
            devserver_process s({"--db", db});
            QVERIFY2(s.ok(), qPrintable(s.error()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            rs_ptr rs = run("view t");
            QCOMPARE(rows_of(rs.get()), std::uint64_t(1));
            QCOMPARE(text_at(rs.get(), 0, 0), std::string("2024-01-01 00:00:00.123"));
            QCOMPARE(text_at(rs.get(), 0, 1), std::string("42"));
            QCOMPARE(str_at(rs.get(), 0, 2), std::string("kept"));
            const std::uint64_t first_id = sid_of(rs.get(), 0);
            QVERIFY(ok("push into t v values 1 at 2024-01-02 00:00:00"));
            rs = run("view t");
            QVERIFY(sid_of(rs.get(), 1) > first_id);   // identifiers keep increasing
            exit_to_server();
            QVERIFY(s.stop());
        }
        // A damaged database file stops the start instead of being overwritten.
        QFile f(db);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x10);
        f.seek(0);
        f.write(bytes);
        f.close();
        devserver_process bad({"--db", db}, 3000);
        QVERIFY(!bad.ok());
        QFile again(db);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), bytes);
    }

    void demo_tables_and_options()
    {
        devserver_process s({"--demo"});
        QVERIFY2(s.ok(), qPrintable(s.error()));
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        rs_ptr rs = run("show tables");
        QVERIFY(rows_of(rs.get()) >= 3);
        QCOMPARE(str_at(rs.get(), 0, 0), std::string("all_types"));
        rs_ptr fields = run("field_of all_types");
        QCOMPARE(rows_of(fields.get()), std::uint64_t(14));
        rs_ptr weather = run("view weather max 5000");
        QVERIFY(rows_of(weather.get()) >= 1000);
        // The live table gains a reading every second, at the present time.
        rs_ptr live = run("view live_readings");
        const std::uint64_t at_start = rows_of(live.get());
        QVERIFY(at_start >= 300);
        QCOMPARE(cols_of(live.get()), std::uint64_t(4));
        const QDateTime waiting = QDateTime::currentDateTimeUtc();
        QTRY_VERIFY_WITH_TIMEOUT(rows_of(rs_ptr(run("view live_readings")).get()) >= at_start + 2, 5000);
        live = run("view live_readings");
        const std::uint64_t last = rows_of(live.get()) - 1;
        const QDateTime newest = QDateTime::fromString(QString::fromStdString(text_at(live.get(), last, 0)).left(19),
                                                       "yyyy-MM-dd HH:mm:ss");
        // Stamped between the start of the wait and now (to the second; a reading may be
        // stamped a moment before it is added).
        const QDateTime stamped(newest.date(), newest.time(), Qt::UTC);
        QVERIFY2(waiting.addSecs(-1) <= stamped && stamped <= QDateTime::currentDateTimeUtc(),
                 qPrintable(stamped.toString(Qt::ISODate) + " " + waiting.toString(Qt::ISODate)));
        QVERIFY(text_at(live.get(), last, 1) != text_at(live.get(), last - 100, 1));
        exit_to_server();
        QTRY_VERIFY_WITH_TIMEOUT(s.log().contains("show ok"), 5000);

        QProcess help;
        help.start(qEnvironmentVariable("VORN_DEVSERVER"), {"--help"});
        QVERIFY(help.waitForFinished(5000));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.readAllStandardOutput().contains("--data DIR"));
        QProcess wrong;
        wrong.start(qEnvironmentVariable("VORN_DEVSERVER"), {"--port", "70000"});
        QVERIFY(wrong.waitForFinished(5000));
        QVERIFY(wrong.exitCode() != 0);
    }
};

QTEST_APPLESS_MAIN(test_process)
#include "test_process.moc"
