// The database file under faults: kill -9 after acknowledged changes, a torn journal tail,
// temp files a kill left, an unwritable --db, writes failing while the server runs.
#include "kept_db_helper.h"
#include "server_kill_helper.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class test_durability : public kept_db_fixture {
    Q_OBJECT

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
    }

    void kill_right_after_acknowledged_changes_loses_nothing()
    {
        for (const char* mode : {"second", "always", "never"}) {
            init();
            {
                killable_server s(args({"--fsync", mode}));
                QVERIFY2(s.ok(), qPrintable(s.log()));
                QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
                QVERIFY(ok("create t v i64"));
                QVERIFY(push_rows("t", 0, 300));
                QVERIFY(ok("update t set v 7 at \"2024-01-01 00:00:00.5\""));
                QVERIFY(ok("create made_last v i32"));   // created just before the kill
                s.kill_hard();
                exit_to_server();
            }
            killable_server again(args());
            QVERIFY2(again.ok(), qPrintable(again.log()));
            QVERIFY(connect_to_server("127.0.0.1", again.port(), "admin", "admin"));
            QCOMPARE(rows("t"), std::uint64_t(300));
            QCOMPARE(rows("made_last"), std::uint64_t(0));
            QVERIFY(run("view made_last"));
            rs_ptr updated = run("view t at \"2024-01-01 00:00:00.5\"");
            QCOMPARE(text_at(updated.get(), 0, 1), std::string("7"));
            // Identifiers go on after the replayed rows.
            rs_ptr all = run("view t");
            const std::uint64_t last_id = sid_of(all.get(), 299);
            QVERIFY(ok("push into t v values 1 at 2025-01-01 00:00:00"));
            all = run("view t");
            QVERIFY(sid_of(all.get(), 300) > last_id);
            exit_to_server();
        }
    }

    void files_commands_are_kept_too()
    {
        {
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QVERIFY(ok("create t v i64 s string"));
            QVERIFY(ok("push into t v s values 1 \"one\" at 2024-01-01 00:00:00"));
            QVERIFY(ok("export t as csvs \"t.csvs\" split by \",\""));
            QVERIFY(ok("import copy from csvs \"t.csvs\" split by \",\""));
            // Rows appended by a command file, as a client's import sends them.
            std::string pushes;
            for (unsigned char ch : std::string("push into copy v values 2 at 2024-01-02 00:00:00\n"
                                                "push into copy v s values 3 \"three\" at 2024-01-03 00:00:00\n")) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", ch);
                pushes += hex;
            }
            QVERIFY(ok("load copy from cmd from raw \"" + pushes + "\";"));
            QVERIFY(ok("import t from csvs \"t.csvs\" split by \",\""));
            QVERIFY(ok("save t as bin \"t.bin\""));
            QVERIFY(ok("load loaded from bin \"t.bin\""));
            QVERIFY(ok("drop t"));
            s.kill_hard();
            exit_to_server();
        }
        killable_server again(args());
        QVERIFY2(again.ok(), qPrintable(again.log()));
        QVERIFY(connect_to_server("127.0.0.1", again.port(), "admin", "admin"));
        QCOMPARE(rows("copy"), std::uint64_t(3));
        QCOMPARE(rows("loaded"), std::uint64_t(2));
        QVERIFY(!run("view t"));
        rs_ptr rs = run("view loaded");
        QCOMPARE(str_at(rs.get(), 1, 2), std::string("one"));
        QVERIFY(!ok("restore from bin \"t.bin\""));   // not a backup file: refused, nothing lost
        QVERIFY(ok("backup as bin \"all.sbk\""));
        QVERIFY(ok("drop copy"));
        QVERIFY(ok("restore from bin \"all.sbk\""));
        again.kill_hard();
        exit_to_server();
        killable_server third(args());
        QVERIFY(connect_to_server("127.0.0.1", third.port(), "admin", "admin"));
        QCOMPARE(rows("copy"), std::uint64_t(3));
        exit_to_server();
    }

    // The journal's records end where its zeros (space allocated ahead) begin.
    static qint64 records_end(const QByteArray& journal)
    {
        qint64 end = journal.size();
        while (end > 0 && journal[int(end - 1)] == '\0')
            --end;
        return end;
    }

    void torn_journal_tail_is_cut_and_reported()
    {
        {
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QVERIFY(ok("create t v i64"));
            QVERIFY(push_rows("t", 0, 10));
            s.kill_hard();
            exit_to_server();
        }
        // A crash in the middle of the last record: half of it reached the disk.
        QFile j(db() + ".journal");
        QVERIFY(j.open(QIODevice::ReadWrite));
        QVERIFY(j.resize(records_end(j.readAll()) - 7));
        j.close();
        {
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY2(s.log().contains("damaged tail cut"), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QCOMPARE(rows("t"), std::uint64_t(9));
            QVERIFY(push_rows("t", 100, 2));
            s.kill_hard();
            exit_to_server();
        }
        // Garbage after intact records is cut the same way; what came before stays.
        QVERIFY(j.open(QIODevice::ReadWrite));
        QVERIFY(j.seek(records_end(j.readAll())));
        j.write(QByteArray(40, '\x5a'));
        j.close();
        {
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(s.log().contains("damaged tail cut"));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QCOMPARE(rows("t"), std::uint64_t(11));
            s.kill_hard();
            exit_to_server();
        }
        // An intact journal says nothing.
        killable_server s(args());
        QVERIFY2(s.ok(), qPrintable(s.log()));
        QVERIFY2(!s.log().contains("journal"), qPrintable(s.log()));
    }

    void stale_temp_files_are_removed_at_start()
    {
        QVERIFY(QDir().mkpath(dir.filePath("data/sub")));
        const QStringList stale = {db() + ".tmp999999", db() + ".new.tmp999998", dir.filePath("data/sub/x.csv.tmp999997")};
        for (const QString& p : stale) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("half");
        }
        QFile keep(dir.filePath("data/sub/notes.tmp"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        killable_server s(args());
        QVERIFY2(s.ok(), qPrintable(s.log()));
        for (const QString& p : stale)
            QVERIFY2(!QFile::exists(p), qPrintable(p));
        QVERIFY(QFile::exists(dir.filePath("data/sub/notes.tmp")));
        QVERIFY(s.log().contains("stale temp file"));
    }

    void unwritable_db_refuses_to_start()
    {
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        for (const QString& bad : {dir.filePath("missing/keep.sbk"), dir.filePath("plain/keep.sbk")}) {
            killable_server s({"--db", bad, "--data", dir.filePath("data")});
            QVERIFY(!s.ok());
            QCOMPARE(s.exit_code(), 1);
            QVERIFY2(s.log().contains(bad), qPrintable(s.log()));
        }
    }

    void failing_writes_answer_status_1_until_writing_works()
    {
        killable_server s(args());
        QVERIFY2(s.ok(), qPrintable(s.log()));
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        QVERIFY(ok("create t v i64"));
        QVERIFY(push_rows("t", 0, 5));
        QVERIFY(ok("create scratch v i64"));
        QVERIFY(ok("create f v i64"));
        // The disk is full: no file may grow past its size now. The space the journal holds
        // ahead takes a few more changes, then they fail.
        QVERIFY(limit_file_size(s.pid(), QFileInfo(db() + ".journal").size()));
        const int fd = raw_connect(s.port());
        QVERIFY(raw_send(fd, login_frame("admin", "admin")));
        QCOMPARE(raw_reply(fd), 0);
        const std::string big(60000, 'b');
        QVERIFY(ok("create big s string"));
        int kept = 0;
        std::string why;
        for (int i = 0; i < 200; ++i) {
            const std::string push = "push into big s values \"" + big + "\" at 2024-02-01 00:00:00";
            if (!raw_send(fd, command_frame(push)) || raw_reply(fd, &why) != 0)
                break;
            ++kept;
        }
        QVERIFY(kept < 200);
        QVERIFY2(why.find("journal") != std::string::npos, why.c_str());
        // Small changes take what is left, short of the room kept for drop and truncate.
        int small = 0;
        while (small < 100000 && ok("push into f v values 1 at 2024-02-01 00:00:00"))
            ++small;
        QVERIFY(small < 100000);
        QVERIFY(!ok("create u v i32 w i32 x i32 y i32 z i32 longer_name i64"));
        QVERIFY(!ok("push into t v values 99 at 2024-02-01 00:00:00"));
        // What frees space goes through.
        QVERIFY(ok("drop scratch"));
        QVERIFY(ok("truncate f"));
        QCOMPARE(rows("t"), std::uint64_t(5));   // reads go on, nothing half-applied
        QCOMPARE(rows("big"), std::uint64_t(kept));
        // Space again: changes are accepted and kept.
        QVERIFY(limit_file_size(s.pid(), -1));
        QVERIFY(push_rows("t", 10, 3));
        raw_close(fd);
        s.kill_hard();
        exit_to_server();
        killable_server again(args());
        QVERIFY(connect_to_server("127.0.0.1", again.port(), "admin", "admin"));
        QCOMPARE(rows("t"), std::uint64_t(8));
        QCOMPARE(rows("big"), std::uint64_t(kept));
        QCOMPARE(rows("f"), std::uint64_t(0));
        QVERIFY(!run("view u"));
        QVERIFY(!run("view scratch"));
        exit_to_server();
    }

    void compaction_runs_beside_the_clients()
    {
        {
            killable_server s(args({"--compact-mib", "1"}));
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QVERIFY(ok("create t v i64 s string"));
            const std::string pad(200, 'p');
            int pushed = 0;
            QElapsedTimer clock;
            clock.start();
            // Keep writing until a compaction has finished, and a little beyond.
            while (clock.elapsed() < 20000 && !s.log().contains("compaction: wrote")) {
                for (int i = 0; i < 200; ++i, ++pushed)
                    QVERIFY(ok("push into t v s values " + std::to_string(pushed) + " \"" + pad + "\" at 2024-01-01 00:00:00"));
            }
            QVERIFY2(s.log().contains("compaction: wrote"), qPrintable(s.log()));
            for (int i = 0; i < 50; ++i, ++pushed)
                QVERIFY(ok("push into t v s values " + std::to_string(pushed) + " \"x\" at 2024-01-01 00:00:00"));
            // Pushes during the first compaction may have started a second one.
            QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(db() + ".journal.old"), 15000);
            s.kill_hard();
            exit_to_server();
            killable_server again(args());
            QVERIFY2(again.ok(), qPrintable(again.log()));
            QVERIFY(connect_to_server("127.0.0.1", again.port(), "admin", "admin"));
            QCOMPARE(rows("t"), std::uint64_t(pushed));
            rs_ptr rs = run("view t");
            for (int r = 0; r < pushed; ++r)
                QCOMPARE(text_at(rs.get(), std::uint64_t(r), 1), std::to_string(r));
            QVERIFY(again.stop());
            exit_to_server();
        }
        // A clean stop leaves the snapshot alone to hold everything: the journal is its header.
        QCOMPARE(QFileInfo(db() + ".journal").size(), qint64(21));
    }
};

QTEST_APPLESS_MAIN(test_durability)
#include "test_durability.moc"
