// Starting on a kept database: one server per database file, demo tables that never replace
// saved ones, and a start on a full disk.
#include "kept_db_helper.h"
#include "server_kill_helper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class test_startup : public kept_db_fixture {
    Q_OBJECT
    // What identifies a file's state: its inode and its bytes.
    static QByteArray state_of(const QString& path)
    {
        struct stat st{};
        if (::stat(path.toLocal8Bit().constData(), &st) != 0)
            return "<none>";
        QFile f(path);
        return QByteArray::number(qulonglong(st.st_ino)) + ":" + (f.open(QIODevice::ReadOnly) ? f.readAll() : "");
    }

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
    }

    void a_second_server_on_the_same_database_touches_nothing()
    {
        killable_server first(args());
        QVERIFY2(first.ok(), qPrintable(first.log()));
        QVERIFY(connect_to_server("127.0.0.1", first.port(), "admin", "admin"));
        QVERIFY(ok("create t v i64"));
        QVERIFY(push_rows("t", 0, 100));
        const QByteArray snapshot = state_of(db()), journal = state_of(db() + ".journal");
        {
            killable_server second(args());
            QVERIFY(!second.ok());
            QCOMPARE(second.exit_code(), 1);
            QVERIFY2(second.log().contains("locked by process " + QString::number(first.pid())), qPrintable(second.log()));
        }
        // A server that cannot listen writes no database either.
        {
            killable_server same_port({"--db", dir.filePath("other.sbk"), "--data", dir.filePath("data"), "--port",
                                       QString::number(first.port())});
            QVERIFY(!same_port.ok());
            QCOMPARE(same_port.exit_code(), 1);
            QVERIFY(!QFile::exists(dir.filePath("other.sbk")));
            QVERIFY(!QFile::exists(dir.filePath("other.sbk.journal")));
        }
        QVERIFY(state_of(db()) == snapshot);
        QVERIFY(state_of(db() + ".journal") == journal);
        // The running server's journal is still the one on disk: all it acknowledged is kept.
        QVERIFY(push_rows("t", 100, 100));
        first.kill_hard();
        exit_to_server();
        killable_server again(args());
        QVERIFY2(again.ok(), qPrintable(again.log()));
        QVERIFY(connect_to_server("127.0.0.1", again.port(), "admin", "admin"));
        QCOMPARE(rows("t"), std::uint64_t(200));
        exit_to_server();
    }

    void demo_tables_never_replace_saved_ones()
    {
        for (int start = 0; start < 2; ++start) {
            killable_server s(args({"--demo"}));
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            if (start == 0) {
                QVERIFY(ok("push into weather station values \"kept\" at 2000-01-01 00:00:00"));
                QVERIFY(ok("drop power_meters"));
            } else {
                rs_ptr rs = run("view weather at 2000-01-01 00:00:00");
                QVERIFY(rs);
                QCOMPARE(rows_of(rs.get()), std::uint64_t(1));
                QCOMPARE(str_at(rs.get(), 0, 1), std::string("kept"));
                QVERIFY(!run("view power_meters"));
                QVERIFY(rows("live_readings") > 0);
            }
            QVERIFY(s.stop());
            exit_to_server();
        }
    }

    void a_full_disk_starts_without_a_new_snapshot()
    {
        {
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QVERIFY(ok("create big s string"));
            QVERIFY(ok("create t v i64"));
            const std::string pad(2000, 'p');
            for (int i = 0; i < 100; ++i)
                QVERIFY(ok("push into big s values \"" + pad + "\" at 2024-01-01 00:00:00"));
            s.kill_hard();
            exit_to_server();
        }
        // No file may grow past 64 KiB: the journal keeps the space it holds, a snapshot of
        // 200 KB has no room.
        {
            killable_server s(args(), 10000, {"prlimit", "--fsize=65536:unlimited", "--"});
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY2(s.log().contains("no room for a new snapshot"), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QCOMPARE(rows("big"), std::uint64_t(100));
            QVERIFY(ok("drop big"));
            QVERIFY(push_rows("t", 0, 3));
            s.kill_hard();
            exit_to_server();
        }
        killable_server s(args());
        QVERIFY2(s.ok(), qPrintable(s.log()));
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        QVERIFY(!run("view big"));
        QCOMPARE(rows("t"), std::uint64_t(3));
        exit_to_server();
    }
};

QTEST_APPLESS_MAIN(test_startup)
#include "test_startup.moc"
