// The builders against the development server: table life, field lists, the time range, CSV
// export and import, and table files and backups in the server's and the raw form.
#include "db/cmd_builders.h"
#include "devserver_process.h"
#include "run_ok.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

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
};

QTEST_MAIN(test_devserver_e2e)
#include "test_devserver_e2e.moc"
