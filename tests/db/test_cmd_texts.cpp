// The exact command texts of the builders, as a recording stand-in server receives them, and
// what the builders read from the replies.
#include "db/cmd_builders.h"
#include "recording_peer_helper.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class test_cmd_texts : public QObject {
    Q_OBJECT
    recording_peer peer_;
    std::unique_ptr<db_exec> db_;
    QTemporaryDir dir_;

    QByteArray local(const char *name) const { return (dir_.path() + '/' + name).toUtf8(); }

private slots:
    void init()
    {
        peer_.clear();
        QVERIFY(peer_.login());
        db_.reset(new db_exec("vorn_tsdb", nullptr));
    }
    void cleanup() { db_.reset(); }

    void table_life()
    {
        QVERIFY(drop_table(*db_, "t1"));
        QVERIFY(truncate_table(*db_, "t1"));
        QVERIFY(create_table(*db_, "t1", { "v", "s" }, { "i32", "string" }));
        QCOMPARE(peer_.commands(), (QList<QByteArray>{ "drop t1", "truncate t1", "create t1 v i32 s string" }));

        peer_.push_failure();
        QVERIFY(!drop_table(*db_, "t1"));
        peer_.push_failure();
        QVERIFY(!truncate_table(*db_, "t1"));
        peer_.push_failure();
        QVERIFY(!create_table(*db_, "t1", { "v" }, { "i32" }));
        QCOMPARE(peer_.command_count(), 6);
    }

    void create_without_fields_sends_nothing()
    {
        QVERIFY(!create_table(*db_, "t1", {}, {}));
        // A type missing for a name would make a command the server misreads.
        QVERIFY(!create_table(*db_, "t1", { "v", "w" }, { "i32" }));
        QCOMPARE(peer_.command_count(), 0);
    }

    void show_tables_lists_the_first_cells()
    {
        peer_.push_body(body_builder().str_col("name").datetime_col("first").row(1).str("t1")
                            .datetime(2021, 1, 1, 0, 0, 0, 0).row(2).str("t2").datetime(2021, 1, 2, 0, 0, 0, 0)
                            .build());
        name_list names;
        QCOMPARE(show_tables(*db_, names), 2);
        QCOMPARE(names, (name_list{ "t1", "t2" }));
        QCOMPARE(peer_.last_command(), QByteArray("show tables"));

        name_list none;
        peer_.push_body(body_builder().str_col("name").build());
        QCOMPARE(show_tables(*db_, none), 0);
        QVERIFY(none.isEmpty());
        peer_.push_failure();
        QCOMPARE(show_tables(*db_, none), 0);
        QVERIFY(none.isEmpty());
    }

    void fields_of_and_field_info()
    {
        const QByteArray fields = body_builder().str_col("name").str_col("type").u64_col("n")
                                      .row(1).str("v").str("i32").integer(4, 8)
                                      .row(2).str("s").str("string").integer(18446744073709551615ULL, 8)
                                      .row(3).str("z").str("u08").integer(0, 8)
                                      .build();
        name_list names;
        peer_.push_body(fields);
        QVERIFY(fields_of(*db_, "t1", names));
        QCOMPARE(names, (name_list{ "v", "s", "z" }));
        QCOMPARE(peer_.last_command(), QByteArray("field_of t1"));

        name_list n, t, num;
        peer_.push_body(fields);
        QVERIFY(field_info(*db_, "t1", n, t, num, false));
        QCOMPARE(n, (name_list{ "v", "s", "z" }));
        QCOMPARE(t, (name_list{ "i32", "string", "u08" }));
        QCOMPARE(num, (name_list{ "4", "18446744073709551615", "0" }));

        n.clear(), t.clear(), num.clear();
        peer_.push_body(fields);
        QVERIFY(field_info(*db_, "t1", n, t, num, true));
        QCOMPARE(n.first(), QByteArray("time point"));
        QCOMPARE(t.first(), QByteArray("datetime"));
        QCOMPARE(num.first(), QByteArray("0"));
        QCOMPARE(n.size(), 4);
    }

    void field_lists_of_a_table_without_fields()
    {
        const QByteArray empty = body_builder().str_col("name").str_col("type").u64_col("n").build();
        name_list names;
        peer_.push_body(empty);
        QVERIFY(!fields_of(*db_, "t1", names));
        name_list n, t, num;
        peer_.push_body(empty);
        QVERIFY(!field_info(*db_, "t1", n, t, num, false));
        peer_.push_body(empty);
        QVERIFY(field_info(*db_, "t1", n, t, num, true));
        QCOMPARE(n, name_list{ "time point" });
        QCOMPARE(t, name_list{ "datetime" });
        QCOMPARE(num, name_list{ "0" });

        name_list f1, f2, f3;
        peer_.push_failure();
        QVERIFY(!field_info(*db_, "t1", f1, f2, f3, true));
        QVERIFY(f1.isEmpty());
    }

    void time_range_of_a_table()
    {
        const QByteArray tables = body_builder().str_col("name").datetime_col("first").datetime_col("last")
                                      .row(1).str("t1").datetime(2020, 5, 6, 7, 8, 9, 0).datetime(2021, 1, 2, 3, 4, 5, 6)
                                      .row(2).str("t2").datetime(2022, 1, 1, 0, 0, 0, 0).datetime(2023, 1, 1, 0, 0, 0, 1)
                                      .build();
        ox::db::mem::date_time first, last;
        peer_.push_body(tables);
        QVERIFY(table_time_range(*db_, "t2", first, last));
        QCOMPARE(peer_.last_command(), QByteArray("show tables"));
        QCOMPARE(ox::db::mem::to_text(first), QStringLiteral("2022-01-01 00:00:00"));
        QCOMPARE(ox::db::mem::to_text(last), QStringLiteral("2023-01-01 00:00:00.000000001"));

        peer_.push_body(tables);
        QVERIFY(!table_time_range(*db_, "t3", first, last));
        // A list without the time columns names the table but has no range to give.
        peer_.push_body(body_builder().str_col("name").row(1).str("t1").build());
        QVERIFY(!table_time_range(*db_, "t1", first, last));
        peer_.push_failure();
        QVERIFY(!table_time_range(*db_, "t1", first, last));
    }

    void csv_export_and_import()
    {
        QVERIFY(export_table(*db_, "t1", "d:/a.csv", true, ",", true, false));
        QCOMPARE(peer_.last_command(), QByteArray("export t1 as csv \"d:/a.csv\" split by \",\" replace"));
        QVERIFY(export_table(*db_, "t1", "/tmp/b c.csv", false, "\t", false, false));
        QCOMPARE(peer_.last_command(), QByteArray("export t1 as csvs \"/tmp/b c.csv\" split by \"\t\""));
        QVERIFY(export_table(*db_, "t1", "d:/a.csv", true, ",", true, true));
        QCOMPARE(peer_.last_command(), QByteArray("export t1 as "));

        QVERIFY(import_table(*db_, "t1", "d:/a.csv", false, ";", false));
        QCOMPARE(peer_.last_command(), QByteArray("import t1 from csvs \"d:/a.csv\" split by \";\""));
        QVERIFY(import_table(*db_, "t1", "d:/a.csv", true, ",", true));
        QCOMPARE(peer_.last_command(), QByteArray("import t1 from "));

        peer_.push_failure();
        QVERIFY(!import_table(*db_, "t1", "d:/a.csv", true, ",", false));
        peer_.push_failure();
        QVERIFY(!export_table(*db_, "t1", "d:/a.csv", true, ",", false, false));
    }

    void query_export_replaces_the_verb()
    {
        QVERIFY(export_query(*db_, "view t1 limit 10", "q.csv", true, ",", false, false));
        QCOMPARE(peer_.last_command(), QByteArray("export_data t1 limit 10 as csv \"q.csv\" split by \",\""));
        QVERIFY(export_query(*db_, "select * from t1", "q.csv", false, "|", true, false));
        QCOMPARE(peer_.last_command(), QByteArray("export_data * from t1 as csvs \"q.csv\" split by \"|\" replace"));
        QVERIFY(export_query(*db_, "view t1", "q.csv", true, ",", false, true));
        QCOMPARE(peer_.last_command(), QByteArray("export_data t1"));
        // Three characters or fewer stay as they are; the format suffix still follows.
        QVERIFY(export_query(*db_, "abc", "q.csv", true, ",", false, false));
        QCOMPARE(peer_.last_command(), QByteArray("abc as csv \"q.csv\" split by \",\""));

        QCOMPARE(export_verb("view t1"), QByteArray("export_data t1"));
        QCOMPARE(export_verb("v t1"), QByteArray("export_data t1"));
        QCOMPARE(export_verb("views"), QByteArray("export_data"));
        QCOMPARE(export_verb("ab"), QByteArray("ab"));
        QCOMPARE(export_verb(""), QByteArray(""));
        QCOMPARE(export_verb("view\tt1"), QByteArray("export_data\tt1"));
    }

    void a_double_quote_cannot_be_quoted()
    {
        QVERIFY(!export_table(*db_, "t1", "d:/a\"b.csv", true, ",", false, false));
        QVERIFY(!export_table(*db_, "t1", "d:/a.csv", true, "\"", false, false));
        QVERIFY(!import_table(*db_, "t1", "a\".csv", true, ",", false));
        QVERIFY(!import_table(*db_, "t1", "a.csv", true, "x\"", false));
        QVERIFY(!export_query(*db_, "view t1", "\"", true, ",", false, false));
        QVERIFY(!load_table(*db_, "t1", "a\"b.bin", true, false));
        QVERIFY(!save_table(*db_, "t1", "a\"b.bin", true, true, false));
        QVERIFY(!backup_db(*db_, "a\"b.sbk", true, false, false));
        QVERIFY(!restore_db(*db_, "a\"b.sbk", false, false));
        QCOMPARE(peer_.command_count(), 0);
        // Without a path in the text there is nothing to refuse.
        QVERIFY(export_table(*db_, "t1", "a\"b", true, "\"", false, true));
        QCOMPARE(peer_.command_count(), 1);
    }

    void server_side_files()
    {
        QVERIFY(load_table(*db_, "t1", "d:/t1.bin", true, false));
        QCOMPARE(peer_.last_command(), QByteArray("load t1 from bin \"d:/t1.bin\""));
        QVERIFY(load_table(*db_, "t1", "d:/t1.cmd", false, false));
        QCOMPARE(peer_.last_command(), QByteArray("load t1 from cmd \"d:/t1.cmd\""));
        QVERIFY(save_table(*db_, "t1", "d:/t1.bin", true, true, false));
        QCOMPARE(peer_.last_command(), QByteArray("save t1 as bin \"d:/t1.bin\" replace"));
        QVERIFY(save_table(*db_, "t1", "d:/t1.cmd", false, false, false));
        QCOMPARE(peer_.last_command(), QByteArray("save t1 as cmd \"d:/t1.cmd\""));
        QVERIFY(backup_db(*db_, "d:/all.sbk", true, true, false));
        QCOMPARE(peer_.last_command(), QByteArray("backup as bin \"d:/all.sbk\" replace"));
        QVERIFY(backup_db(*db_, "d:/all.sbk", false, false, false));
        QCOMPARE(peer_.last_command(), QByteArray("backup as cmd \"d:/all.sbk\""));
        QVERIFY(restore_db(*db_, "d:/all.sbk", true, false));
        QCOMPARE(peer_.last_command(), QByteArray("restore from bin \"d:/all.sbk\""));

        peer_.push_failure();
        QVERIFY(!save_table(*db_, "t1", "d:/t1.bin", true, true, false));
        peer_.push_failure();
        QVERIFY(!backup_db(*db_, "d:/all.sbk", true, true, false));
        peer_.push_failure();
        QVERIFY(!restore_db(*db_, "d:/all.sbk", true, false));
        peer_.push_failure();
        QVERIFY(!load_table(*db_, "t1", "d:/t1.bin", true, false));
    }

    void raw_clauses()
    {
        QVERIFY(dir_.isValid());
        const QByteArray two = local("two.bin");
        QFile f(QString::fromUtf8(two));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x41\x0a", 2);
        f.close();
        QVERIFY(load_table(*db_, "t", two, true, true));
        QCOMPARE(peer_.last_command(), QByteArray("load t from bin from raw \"\\x41\\x0a\";"));
        QVERIFY(restore_db(*db_, two, false, true));
        QCOMPARE(peer_.last_command(), QByteArray("restore from cmd from raw \"\\x41\\x0a\";"));

        QVERIFY(save_table(*db_, "t", local("out.bin"), true, false, true));
        QCOMPARE(peer_.last_command(), QByteArray("save t as bin as raw"));
        QVERIFY(backup_db(*db_, local("out.sbk"), false, true, true));
        QCOMPARE(peer_.last_command(), QByteArray("backup as cmd as raw"));
    }

    void raw_sources_that_cannot_be_sent()
    {
        const QByteArray empty = local("empty.bin");
        QFile f(QString::fromUtf8(empty));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!load_table(*db_, "t", empty, true, true));
        QVERIFY(!restore_db(*db_, empty, true, true));
        QVERIFY(!load_table(*db_, "t", local("missing.bin"), true, true));
        QVERIFY(!restore_db(*db_, local("missing.sbk"), true, true));
        // A folder is not a file to read.
        QVERIFY(!load_table(*db_, "t", dir_.path().toUtf8(), true, true));
        QCOMPARE(peer_.command_count(), 0);
    }

    void every_byte_value_is_escaped()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const QByteArray path = local("all.bin");
        QFile f(QString::fromUtf8(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(all);
        f.close();
        QVERIFY(load_table(*db_, "t", path, false, true));
        const QByteArray cmd = peer_.last_command();
        QVERIFY(cmd.startsWith("load t from cmd from raw \"\\x00\\x01\\x02"));
        QVERIFY(cmd.endsWith("\\xfe\\xff\";"));
        QCOMPARE(cmd.size(), int(strlen("load t from cmd from raw \"\";")) + 256 * 4);
        QVERIFY(!cmd.contains("\\xA"));
    }
};

QTEST_MAIN(test_cmd_texts)
#include "test_cmd_texts.moc"
