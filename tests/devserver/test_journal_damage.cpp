// Damage inside the journal: a start refuses it with every file kept, --recover replays every
// intact record around it; journals of the previous format are still read.
#include "kept_db_helper.h"
#include "server_kill_helper.h"

#include "binfile.h"
#include "journal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class test_journal_damage : public kept_db_fixture {
    Q_OBJECT
    static QByteArray bytes_of(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    static void put(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), qint64(bytes.size()));
    }
    // A table t of 1,001 rows (v = 0 .. 1000), all of them in the journal only.
    void journal_of_1001_rows()
    {
        killable_server s(args());
        QVERIFY2(s.ok(), qPrintable(s.log()));
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        QVERIFY(ok("create t v i64"));
        char at[32];
        for (int i = 0; i <= 1000; ++i) {
            std::snprintf(at, sizeof at, "2024-01-01 00:%02d:%02d", i / 60, i % 60);
            QVERIFY(ok("push into t v values " + std::to_string(i) + " at \"" + at + "\""));
        }
        s.kill_hard();
        exit_to_server();
    }
    // Values of t's rows, in order.
    static std::vector<std::string> values()
    {
        std::vector<std::string> out;
        rs_ptr rs = run("view t");
        for (std::uint64_t r = 0; rs && r < rows_of(rs.get()); ++r)
            out.push_back(text_at(rs.get(), r, 1));
        return out;
    }

private slots:
    void init()
    {
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
    }

    void damage_inside_refuses_to_start_and_recover_keeps_every_intact_record()
    {
        struct damage_case {
            const char* name;
            bool in_header;
            std::size_t expect_rows;   // after --recover
        };
        const damage_case cases[] = {{"record 501 of 1001", false, 1000}, {"header", true, 1001}};
        for (const auto& c : cases) {
            init();
            journal_of_1001_rows();
            QByteArray j = bytes_of(journal());
            const auto layout = devserver::read_journal(std::string_view(j.constData(), std::size_t(j.size())));
            QCOMPARE(layout.records.size(), std::size_t(1002));   // the create, then the pushes
            const std::size_t at = c.in_header ? 14 : layout.records[501].at + 20;
            j[int(at)] = char(j[int(at)] ^ 0x10);
            put(journal(), j);
            const QByteArray snapshot = bytes_of(db());
            {
                killable_server s(args());
                QVERIFY2(!s.ok(), c.name);
                QCOMPARE(s.exit_code(), 1);
                const QString log = s.log();
                QVERIFY2(log.contains(journal()) && log.contains("--recover"), qPrintable(log));
                if (!c.in_header) {
                    QVERIFY2(log.contains("offset " + QString::number(layout.records[501].at)), qPrintable(log));
                    QVERIFY2(log.contains("500 intact records follow"), qPrintable(log));
                } else {
                    QVERIFY2(log.contains("header"), qPrintable(log));
                }
            }
            QVERIFY2(bytes_of(journal()) == j, c.name);
            QVERIFY2(bytes_of(db()) == snapshot, c.name);
            QVERIFY(!QFile::exists(journal() + ".damaged"));
            {
                killable_server s(args({"--recover"}));
                QVERIFY2(s.ok(), qPrintable(s.log()));
                QVERIFY2(s.log().contains("kept a copy"), qPrintable(s.log()));
                QVERIFY(bytes_of(journal() + ".damaged") == j);
                QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
                const std::vector<std::string> v = values();
                QCOMPARE(v.size(), c.expect_rows);
                // Every record but the damaged one, in order.
                for (std::size_t i = 0, want = 0; i < v.size(); ++i, ++want) {
                    if (!c.in_header && want == 500)
                        ++want;
                    QCOMPARE(v[i], std::to_string(want));
                }
                s.kill_hard();
                exit_to_server();
            }
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
            QCOMPARE(rows("t"), std::uint64_t(c.expect_rows));
            exit_to_server();
        }
    }

    void journals_of_the_previous_format_are_read()
    {
        {
            killable_server s(args());
            QVERIFY2(s.ok(), qPrintable(s.log()));
            QVERIFY(s.stop());
        }
        // Version 1: header of magic, version, base, snapshot CRC; records of length, CRC, body.
        const QByteArray snapshot = bytes_of(db());
        const auto le32 = [](std::uint32_t v) {
            QByteArray b(4, '\0');
            for (int i = 0; i < 4; ++i)
                b[i] = char((v >> (8 * i)) & 0xFF);
            return b;
        };
        QByteArray j = QByteArray("VORNJNL", 8) + le32(1) + char(1) + snapshot.right(4);
        for (const char* cmd : {"create old v i64", "push into old v values 5 at 2024-01-01 00:00:00"}) {
            const QByteArray body = QByteArray(1, 'C') + cmd;
            j += le32(std::uint32_t(body.size())) + le32(devserver::crc32(body.constData(), std::size_t(body.size()))) + body;
        }
        put(journal(), j + QByteArray(100, '\0'));
        killable_server s(args());
        QVERIFY2(s.ok(), qPrintable(s.log()));
        QVERIFY2(!s.log().contains("journal"), qPrintable(s.log()));
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        rs_ptr rs = run("view old");
        QVERIFY(rs);
        QCOMPARE(rows_of(rs.get()), std::uint64_t(1));
        QCOMPARE(text_at(rs.get(), 0, 1), std::string("5"));
        exit_to_server();
    }
};

QTEST_APPLESS_MAIN(test_journal_damage)
#include "test_journal_damage.moc"
