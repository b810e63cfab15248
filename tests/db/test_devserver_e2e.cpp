// The builders against the development server: table life, field lists, the time range, CSV
// export and import, and table files and backups in the server's and the raw form.
#include "db/cmd_builders.h"
#include "devserver_process.h"
#include "link_wait.h"
#include "run_ok.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

namespace {

QString cell_text(const QVariant &v)
{
    namespace mem = ox::db::mem;
    if (v.userType() == qMetaTypeId<mem::date_time>())
        return mem::to_text(v.value<mem::date_time>());
    if (v.userType() == qMetaTypeId<mem::date>())
        return mem::to_text(v.value<mem::date>());
    if (v.userType() == qMetaTypeId<mem::time>())
        return mem::to_text(v.value<mem::time>());
    return v.toString();
}

// Every thread of the process has stopped: SIGSTOP takes effect when each is next scheduled, and
// a command sent before that could still be answered.
bool all_stopped(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &id : ids) {
        QFile stat(tasks.filePath(id + QStringLiteral("/stat")));
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const int after_name = line.lastIndexOf(')');
        if (after_name < 0 || line.mid(after_name + 2, 1) != "T")
            return false;
    }
    return !ids.isEmpty();
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class test_devserver_e2e : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<db_exec> db_;
    QTemporaryDir local_;

    int row_count(const QByteArray &table)
    {
        result_table t;
        if (!db_->query("view " + table, t, 1))
            return -1;
        return t.rows.size();
    }

    bool run_ok(const QByteArray &cmd) { return ::run_ok(*db_, cmd); }

    void make_t1()
    {
        QVERIFY(create_table(*db_, "t1", { "v", "s" }, { "i32", "string" }));
        QVERIFY(run_ok("push into t1 v s values 5 \"abc\" at 2021-01-02 03:04:05"));
        QVERIFY(run_ok("push into t1 v s values -7 \"d,e\" at 2021-01-03 00:00:00.5"));
    }

    QByteArray local(const char *name) const { return (local_.path() + '/' + name).toUtf8(); }

    // Every table, its fields and its rows, row by row as text.
    QStringList dump()
    {
        QStringList out;
        name_list tables;
        show_tables(*db_, tables);
        std::sort(tables.begin(), tables.end());
        for (const QByteArray &table : tables) {
            result_table t;
            if (!db_->query("view " + table, t, 1))
                return { "cannot view " + table };
            out << QString::fromUtf8(table + ": " + t.names.join(' ') + " / " + t.types.join(' '));
            for (const QVariantList &row : t.rows) {
                QStringList cells;
                for (const QVariant &v : row)
                    cells << cell_text(v);
                out << cells.join(QLatin1Char('|'));
            }
        }
        return out;
    }

private slots:
    void init()
    {
        server_.reset(new devserver_process);
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        QVERIFY(connect_to_server(server_->host().toLatin1().constData(), server_->port(), "admin", "admin"));
        db_.reset(new db_exec("vorn_tsdb", nullptr));
    }
    void cleanup()
    {
        db_.reset();
        server_.reset();
    }

    void tables_and_fields()
    {
        name_list none;
        QCOMPARE(show_tables(*db_, none), 0);
        make_t1();
        QVERIFY(!create_table(*db_, "t1", { "v" }, { "i32" })); // exists already
        name_list tables;
        QCOMPARE(show_tables(*db_, tables), 1);
        QCOMPARE(tables, name_list{ "t1" });

        name_list fields;
        QVERIFY(fields_of(*db_, "t1", fields));
        QCOMPARE(fields, (name_list{ "v", "s" }));
        name_list n, t, num;
        QVERIFY(field_info(*db_, "t1", n, t, num, false));
        QCOMPARE(n, (name_list{ "v", "s" }));
        QCOMPARE(t, (name_list{ "i32", "string" }));
        QCOMPARE(num.size(), 2);
        n.clear(), t.clear(), num.clear();
        QVERIFY(field_info(*db_, "t1", n, t, num, true));
        QCOMPARE(n, (name_list{ "time point", "v", "s" }));
        QCOMPARE(t.first(), QByteArray("datetime"));
        QVERIFY(!fields_of(*db_, "nope", fields));

        ox::db::mem::date_time first, last;
        QVERIFY(table_time_range(*db_, "t1", first, last));
        QCOMPARE(ox::db::mem::to_text(first), QStringLiteral("2021-01-02 03:04:05"));
        QCOMPARE(ox::db::mem::to_text(last), QStringLiteral("2021-01-03 00:00:00.5"));
        QVERIFY(!table_time_range(*db_, "nope", first, last));

        QCOMPARE(row_count("t1"), 2);
        QVERIFY(truncate_table(*db_, "t1"));
        QCOMPARE(row_count("t1"), 0);
        QVERIFY(drop_table(*db_, "t1"));
        QVERIFY(!drop_table(*db_, "t1"));
        tables.clear();
        QCOMPARE(show_tables(*db_, tables), 0);
    }

    void csv_export_and_import()
    {
        make_t1();
        QVERIFY(export_table(*db_, "t1", "out/t1.csv", true, ",", false, false));
        QVERIFY(QFileInfo::exists(server_->data_dir() + "/out/t1.csv"));
        QVERIFY(!export_table(*db_, "t1", "out/t1.csv", true, ",", false, false)); // no replace
        QVERIFY(export_table(*db_, "t1", "out/t1.csv", true, ",", true, false));
        QVERIFY(export_table(*db_, "t1", "out/t1s.csv", false, ";", false, false));

        QVERIFY(create_table(*db_, "t2", { "v", "s" }, { "i32", "string" }));
        QVERIFY(import_table(*db_, "t2", "out/t1.csv", true, ",", false));
        QCOMPARE(row_count("t2"), 2);
        QVERIFY(create_table(*db_, "t3", { "v", "s" }, { "i32", "string" }));
        QVERIFY(import_table(*db_, "t3", "out/t1s.csv", false, ";", false));
        QCOMPARE(row_count("t3"), 2);
        QVERIFY(!import_table(*db_, "t3", "out/missing.csv", true, ",", false));

        QVERIFY(export_query(*db_, "view t1", "out/q.csv", true, ",", false, false));
        QVERIFY(QFileInfo::exists(server_->data_dir() + "/out/q.csv"));
    }

    void table_files()
    {
        make_t1();
        for (bool binary : { true, false }) {
            const QByteArray path = binary ? "t1.bin" : "t1.cmd";
            QVERIFY(save_table(*db_, "t1", path, binary, false, false));
            QVERIFY(QFileInfo::exists(server_->data_dir() + '/' + path));
            QVERIFY(!save_table(*db_, "t1", path, binary, false, false));
            QVERIFY(save_table(*db_, "t1", path, binary, true, false));
            QVERIFY(!load_table(*db_, "t1", path, binary, false)); // the table is still there
            QVERIFY(drop_table(*db_, "t1"));
            QVERIFY(load_table(*db_, "t1", path, binary, false));
            QCOMPARE(row_count("t1"), 2);
        }
    }

    void raw_table_files()
    {
        make_t1();
        for (bool binary : { true, false }) {
            const QByteArray path = local(binary ? "t1.bin" : "t1.cmd");
            QVERIFY(save_table(*db_, "t1", path, binary, false, true));
            QVERIFY(QFileInfo(QString::fromUtf8(path)).size() > 0);
            QVERIFY(!save_table(*db_, "t1", path, binary, false, true));
            QVERIFY(drop_table(*db_, "t1"));
            QVERIFY(load_table(*db_, "t1", path, binary, true));
            QCOMPARE(row_count("t1"), 2);
        }
    }

    void backups()
    {
        make_t1();
        QVERIFY(backup_db(*db_, "all.sbk", true, false, false));
        QVERIFY(QFileInfo::exists(server_->data_dir() + "/all.sbk"));
        QVERIFY(drop_table(*db_, "t1"));
        QVERIFY(restore_db(*db_, "all.sbk", true, false));
        QCOMPARE(row_count("t1"), 2);

        const QByteArray raw = local("all.sbk");
        QVERIFY(backup_db(*db_, raw, false, false, true));
        QVERIFY(QFileInfo(QString::fromUtf8(raw)).size() > 0);
        QVERIFY(backup_db(*db_, raw, false, true, true));
        QVERIFY(drop_table(*db_, "t1"));
        QVERIFY(restore_db(*db_, raw, false, true));
        QCOMPARE(row_count("t1"), 2);
        name_list fields;
        QVERIFY(fields_of(*db_, "t1", fields));
        QCOMPARE(fields, (name_list{ "v", "s" }));
        // The values came back through the hexadecimal round trip unchanged.
        result_table t;
        QVERIFY(db_->query("view t1", t, 1));
        const int s = t.names.indexOf("s");
        const int v = t.names.indexOf("v");
        QVERIFY(s >= 0 && v >= 0);
        QCOMPARE(t.rows[1][s].toString(), QStringLiteral("d,e"));
        QCOMPARE(t.rows[1][v].toInt(), -7);
    }

    void raw_transfers_match_the_servers_own_files_data()
    {
        QTest::addColumn<bool>("binary");
        QTest::addColumn<int>("rows");
        QTest::newRow("cmd, a few rows") << false << 0;
        // A backup of megabytes: several batches of reply rows, several blocks of the file.
        QTest::newRow("bin, megabytes") << true << 20000;
    }
    void raw_transfers_match_the_servers_own_files()
    {
        QFETCH(bool, binary);
        QFETCH(int, rows);
        make_t1();
        if (rows > 0) {
            QByteArray csv = "time point,n,s\n";
            for (int r = 0; r < rows; ++r)
                csv += "2021-02-03 04:" + QByteArray::number(r / 600 % 60).rightJustified(2, '0') + ':' +
                       QByteArray::number(r / 10 % 60).rightJustified(2, '0') + '.' + QByteArray::number(r % 10) + ',' +
                       QByteArray::number(r * 7919 - 50000) + ",s" + QByteArray(100, char('a' + r % 26)) + '\n';
            QFile f(server_->data_dir() + "/big.csv");
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(csv) == csv.size());
            f.close();
            QVERIFY(create_table(*db_, "big", { "n", "s" }, { "i64", "string" }));
            QVERIFY(import_table(*db_, "big", "big.csv", true, ",", false));
            QCOMPARE(row_count("big"), rows);
        }
        const QStringList before = dump();
        QCOMPARE(before.size(), rows ? rows + 4 : 3);
        QVERIFY2(before.last().startsWith("2021-01-03 00:00:00.5|-7|d,e"), qPrintable(before.last()));
        QVERIFY(!rows || before[rows].startsWith("2021-02-03 04:33:19.9|"));
        const QByteArray kind = binary ? "bin" : "cmd";

        // The client's file holds the bytes of the server's own backup, and those that the whole
        // reply decoded at once gives.
        QVERIFY(backup_db(*db_, "own.sbk", binary, false, false));
        const QString own = server_->data_dir() + "/own.sbk";
        const QByteArray mine = local("mine." + kind);
        QVERIFY(backup_db(*db_, mine, binary, true, true));
        QCOMPARE(contents(QString::fromUtf8(mine)), contents(own));
        result_table whole;
        QVERIFY(db_->query("backup as " + kind + " as raw", whole, 1));
        QByteArray decoded;
        for (const QVariantList &row : whole.rows)
            QVERIFY(hex_decode_append(row[0].toString().toUtf8(), decoded));
        QCOMPARE(contents(QString::fromUtf8(mine)), decoded);

        // The server's own backup, restored through the client, gives every row back.
        for (const QByteArray &table : { QByteArray("t1"), QByteArray("big") })
            drop_table(*db_, table);
        QVERIFY(create_table(*db_, "other", { "v" }, { "i32" }));
        QVERIFY(restore_db(*db_, own.toUtf8(), binary, true));
        QCOMPARE(dump(), before);
    }

    void a_cancelled_transfer_data()
    {
        QTest::addColumn<bool>("backup");
        QTest::newRow("backup") << true;
        // Four times this file's size is more than the connection's buffers hold: the cancel
        // comes while the text goes out.
        QTest::newRow("restore") << false;
    }
    void a_cancelled_transfer()
    {
        QFETCH(bool, backup);
        make_t1();
        std::unique_ptr<db_link> link = link_wait::logged_in(server_->host(), server_->port());
        QVERIFY(link);
        QVERIFY(QDir(local_.path()).mkpath("cancel"));
        const QString file = QString::fromUtf8(local("cancel/keep.sbk"));
        const QByteArray old = backup ? QByteArray("old contents") : QByteArray(4 << 20, 'x');
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
        }
        // The server stops answering until the end of the test.
        const pid_t pid = pid_t(server_->pid());
        QCOMPARE(::kill(pid, SIGSTOP), 0);
        const auto resume = qScopeGuard([pid] { ::kill(pid, SIGCONT); });
        QTRY_VERIFY(all_stopped(pid));

        QSignalSpy waiting(link.get(), &db_link::wait_started);
        db_status st;
        st.ok = true;
        link->post(nullptr, [backup, path = file.toUtf8()](db_exec &db) {
            return db_status::of(backup ? backup_db(db, path, true, true, true) : restore_db(db, path, true, true), db);
        }, [&st](const db_status &s) { st = s; });
        QVERIFY(waiting.wait(30000));
        link->cancel();
        QVERIFY(link_wait::settle(link.get()));
        QVERIFY(!st.ok);
        QCOMPARE(st.code, 2);
        QCOMPARE(st.reason, QStringLiteral("cancelled"));
        QVERIFY(!st.dropped);
        QCOMPARE(contents(file), old);
        QCOMPARE(QDir(local_.path() + "/cancel").entryList(QDir::Files), QStringList{ "keep.sbk" });
    }
};

QTEST_MAIN(test_devserver_e2e)
#include "test_devserver_e2e.moc"
