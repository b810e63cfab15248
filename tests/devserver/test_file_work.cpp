// File commands work on a copy outside the database lock: another client's command goes
// through while a backup of two million rows is still being written.
#include "ds_client_helper.h"
#include "server_kill_helper.h"

#include "binfile.h"
#include "commands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

class test_file_work : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString data(const QString& name) const { return dir.filePath("data/" + name); }
    // Rows of a table, from "show tables".
    static std::string rows_of_table(const std::string& name)
    {
        rs_ptr rs = run("show tables");
        for (std::uint64_t r = 0; rs && r < rows_of(rs.get()); ++r)
            if (str_at(rs.get(), r, 0) == name)
                return text_at(rs.get(), r, 3);
        return "<none>";
    }
    // The backup's temp file, while it is being written.
    bool writing(const QString& name) const
    {
        return !QDir(dir.filePath("data")).entryList({name + ".tmp*"}, QDir::Files).isEmpty();
    }

private slots:
    void a_held_table_is_never_changed()
    {
        using namespace devserver;
        server_state st;
        st.files_enabled = false;
        QVERIFY(execute(st, "create t v i64").ok);
        QVERIFY(execute(st, "push into t v values 1 at 2024-01-01 00:00:00").ok);
        struct change_case {
            const char* command;
            std::size_t rows_after;
        };
        for (const change_case& c : {change_case{"push into t v values 2 at 2024-01-02 00:00:00", 2},
                                     change_case{"update t set v 9 at 2024-01-01 00:00:00", 1},
                                     change_case{"truncate t", 0}}) {
            QVERIFY(execute(st, "truncate t").ok && execute(st, "push into t v values 1 at 2024-01-01 00:00:00").ok);
            const database held = st.db;   // what a file command takes under the lock
            QVERIFY2(execute(st, c.command).ok, c.command);
            QCOMPARE(st.db.at("t")->rows(), c.rows_after);
            QCOMPARE(held.at("t")->rows(), std::size_t(1));
            QCOMPARE(held.at("t")->col(0).bytes_at(0), std::string("\1\0\0\0\0\0\0\0", 8));
            QCOMPARE(held.at("t")->identity(), st.db.at("t")->identity());
        }
        // Nobody holds it: changed in place.
        const table* before = st.db.at("t").get();
        QVERIFY(execute(st, "push into t v values 3 at 2024-01-03 00:00:00").ok);
        QCOMPARE(st.db.at("t").get(), before);
    }

    void a_backup_lets_other_commands_through()
    {
        QVERIFY(QDir().mkpath(dir.filePath("data")));
        {
            // Two million rows, made here and loaded as one file.
            using namespace devserver;
            table big({{"v", kind::i64}, {"s", kind::str}});
            big.reserve(2000000);
            std::vector<std::string> row(2);
            row[0].resize(8);
            for (std::int64_t i = 0; i < 2000000; ++i) {
                std::memcpy(&row[0][0], &i, 8);
                row[1] = "reading " + std::to_string(i % 1000);
                big.push(time_point{1700000000 + i, 0}, row);
            }
            QFile f(data("big.bin"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            const std::string bytes = encode_table_file(big);
            QCOMPARE(f.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
        }
        killable_server s({"--data", dir.filePath("data")});
        QVERIFY2(s.ok(), qPrintable(s.log()));
        const int busy = raw_logged_in(s.port()), steady = raw_logged_in(s.port());
        QVERIFY(busy >= 0 && steady >= 0);
        QVERIFY(raw_send(busy, command_frame("load big from bin \"big.bin\"")));
        QCOMPARE(raw_reply(busy, nullptr, 60000), 0);
        QVERIFY(raw_send(steady, command_frame("create small v i32")) && raw_reply(steady) == 0);

        QVERIFY(raw_send(busy, command_frame("backup as bin \"all.sbk\"")));
        // The backup is writing its file: a command of the other client is answered meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(writing("all.sbk"), 60000);
        QVERIFY(raw_send(steady, command_frame("push into small v values 1 at 2024-01-01 00:00:00")));
        QCOMPARE(raw_reply(steady, nullptr, 60000), 0);
        QVERIFY(writing("all.sbk"));
        // A change to the table being written goes to the database, not into the backup.
        QVERIFY(raw_send(steady, command_frame("push into big v s values -1 \"late\" at 2030-01-01 00:00:00")));
        QCOMPARE(raw_reply(steady, nullptr, 60000), 0);
        QCOMPARE(raw_reply(busy, nullptr, 60000), 0);
        QVERIFY(!writing("all.sbk"));
        raw_close(busy);
        raw_close(steady);
        QVERIFY(connect_to_server("127.0.0.1", s.port(), "admin", "admin"));
        QCOMPARE(rows_of_table("big"), std::string("2000001"));
        QCOMPARE(rows_of_table("small"), std::string("1"));
        exit_to_server();
    }
};

QTEST_APPLESS_MAIN(test_file_work)
#include "test_file_work.moc"
