// CSV files on the client's disk against the development server: a table exported here is byte
// for byte the server's own export in both forms and with every separator, files cross between
// the modes, a client import checks the whole file before a row goes in, and raw transfers of
// table files keep to their size limit.
#include "db/cmd_builders.h"
#include "db/csv_local.h"
#include "devserver_process.h"
#include "run_ok.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool write_file(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

csv_form form_of(bool typed, const QByteArray &sep)
{
    csv_form f;
    f.typed = typed;
    f.sep = sep;
    return f;
}

} // namespace

class test_csv_local : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<QTextEdit> pane_;
    std::unique_ptr<db_exec> db_;
    QTemporaryDir local_;

    QString pane_text()
    {
        db_->update_log();
        return pane_->toPlainText();
    }

    bool run_ok(const QByteArray &cmd) { return ::run_ok(*db_, cmd); }

    // All rows of a table as text lines, time point first, in a file-independent form.
    QList<QVariantList> rows_of_table(const QByteArray &table)
    {
        result_table t;
        if (!db_->query("view " + table, t, 1, false))
            return {};
        return t.rows;
    }

    // A table with every kind of value and the texts a CSV file must protect.
    void make_mixed(const QByteArray &name)
    {
        QVERIFY(create_table(*db_, name,
                             {"a08", "b08", "a16", "b16", "a32", "b32", "a64", "b64", "f", "d", "s", "dt", "tm", "ts"},
                             {"i08", "u08", "i16", "u16", "i32", "u32", "i64", "u64", "float", "double", "string",
                              "date", "time", "datetime"}));
        const QList<QByteArray> strings = {"plain", "a,b", "say \"hi\"", "two\nlines", " padded ", "tab\tin",
                                           "東京 温度", "", "x;y:z-w", "cr\rlf"};
        for (int i = 0; i < strings.size(); ++i) {
            QByteArray s = strings[i];
            s.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n").replace('\r', "\\r").replace('\t', "\\t");
            const QByteArray cmd = "push into " + name + " a08 b08 a16 b16 a32 b32 a64 b64 f d s dt tm ts values -" +
                                   QByteArray::number(i) + " 255 -32768 65535 -5 4294967295 -9223372036854775808 "
                                   "18446744073709551615 " + (i % 2 ? "0.1 " : "1e-20 ") + (i % 2 ? "-2.5 " : "1e-300 ") +
                                   '"' + s + "\" \"2024-02-29\" \"23:59:59.25\" \"0001-01-01 00:00:00\" at \"2024-03-05 14:07:" +
                                   QByteArray::number(10 + i) + (i % 3 ? ".000000001\"" : "\"");
            QVERIFY2(run_ok(cmd), cmd.constData());
        }
    }

private slots:
    void init()
    {
        server_.reset(new devserver_process);
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        QVERIFY(connect_to_server(server_->host().toLatin1().constData(), server_->port(), "admin", "admin"));
        pane_.reset(new QTextEdit);
        db_.reset(new db_exec("vorn_tsdb", pane_.get()));
    }
    void cleanup()
    {
        db_.reset();
        pane_.reset();
        server_.reset();
    }

    void client_export_is_the_servers_file_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QByteArray>("sep");
        for (const bool typed : {false, true})
            for (const char *sep : {",", ";", " ", "-", ":", "\t"})
                QTest::newRow(QByteArray(typed ? "csvs " : "csv ").append(sep == QByteArray("\t") ? "tab" : sep))
                    << typed << QByteArray(sep);
    }
    void client_export_is_the_servers_file()
    {
        QFETCH(bool, typed);
        QFETCH(QByteArray, sep);
        make_mixed("m");
        QVERIFY(export_table(*db_, "m", "m.csv", !typed, sep, false, false));
        const QByteArray server_file = contents(QDir(server_->data_dir()).filePath("m.csv"));
        const QString mine = local_.filePath("m.csv");
        QByteArray why;
        QVERIFY2(export_table_local(*db_, "m", mine, form_of(typed, sep), true, why), why.constData());
        const QByteArray client_file = contents(mine);
        if (client_file != server_file) {
            int at = 0;
            while (at < client_file.size() && at < server_file.size() && client_file[at] == server_file[at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("files differ at byte %1: client \"%2\" server \"%3\"")
                                 .arg(at)
                                 .arg(QString::fromUtf8(client_file.mid(qMax(0, at - 20), 60)))
                                 .arg(QString::fromUtf8(server_file.mid(qMax(0, at - 20), 60)))));
        }
    }

    void files_cross_between_modes()
    {
        make_mixed("m");
        const QList<QVariantList> original = rows_of_table("m");
        QCOMPARE(original.size(), 10);
        name_list n, types, num;
        QVERIFY(field_info(*db_, "m", n, types, num, false));

        for (const bool typed : {false, true}) {
            // Written here, read by the server.
            const QByteArray sep = typed ? "\t" : ",";
            const QString mine = QDir(server_->data_dir()).filePath("from_client.csv");
            QByteArray why;
            QVERIFY2(export_table_local(*db_, "m", mine, form_of(typed, sep), true, why), why.constData());
            run_ok("drop c1");
            QVERIFY(create_table(*db_, "c1", n, types));
            QVERIFY(import_table(*db_, "c1", "from_client.csv", !typed, sep, false));
            QCOMPARE(rows_of_table("c1"), original);

            // Written by the server, read here.
            QVERIFY(export_table(*db_, "m", "from_server.csv", !typed, sep, true, false));
            run_ok("drop c2");
            QVERIFY(create_table(*db_, "c2", n, types));
            csv_local_import imp(*db_, "c2");
            QVERIFY2(imp.prepare(QDir(server_->data_dir()).filePath("from_server.csv"), form_of(typed, sep)),
                     imp.why().constData());
            QCOMPARE(imp.rows(), qint64(10));
            while (!imp.finished())
                QVERIFY2(imp.push_next(), imp.why().constData());
            QCOMPARE(rows_of_table("c2"), original);
        }
    }

    void chunks_bring_the_rows_of_the_servers_own_import_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QByteArray>("sep");
        QTest::addColumn<qint64>("chunk");
        QTest::addColumn<int>("loads");   // -1: more than one
        QTest::newRow("csv , a row a chunk") << false << QByteArray(",") << qint64(1) << 10;
        QTest::newRow("csvs tab, a few rows a chunk") << true << QByteArray("\t") << qint64(700) << -1;
        QTest::newRow("csv ; one chunk") << false << QByteArray(";") << csv_local_import::default_chunk_bytes << 1;
    }
    void chunks_bring_the_rows_of_the_servers_own_import()
    {
        QFETCH(bool, typed);
        QFETCH(QByteArray, sep);
        QFETCH(qint64, chunk);
        QFETCH(int, loads);
        make_mixed("m");
        name_list n, types, num;
        QVERIFY(field_info(*db_, "m", n, types, num, false));
        QVERIFY(export_table(*db_, "m", "m.csv", !typed, sep, false, false));
        QVERIFY(create_table(*db_, "by_server", n, types));
        QVERIFY(import_table(*db_, "by_server", "m.csv", !typed, sep, false));
        QVERIFY(create_table(*db_, "by_client", n, types));
        csv_local_import imp(*db_, "by_client");
        imp.set_chunk_bytes(chunk);
        QVERIFY2(imp.prepare(QDir(server_->data_dir()).filePath("m.csv"), form_of(typed, sep)), imp.why().constData());
        QCOMPARE(imp.rows(), qint64(10));
        while (!imp.finished()) {
            const qint64 before = imp.done();
            QVERIFY2(imp.push_next(), imp.why().constData());
            QVERIFY(imp.done() > before);
        }
        QCOMPARE(rows_of_table("by_client"), rows_of_table("by_server"));
        QCOMPARE(rows_of_table("by_client").size(), 10);
        // The server writes its log in batches.
        QTRY_VERIFY(server_->log().count(" load ok ") >= (loads > 0 ? loads : 2));
        if (loads > 0)
            QCOMPARE(server_->log().count(" load ok "), loads);
        QVERIFY2(pane_text().contains(QStringLiteral("10 rows in loads of push lines")), qPrintable(pane_text().left(300)));
    }

    void stopping_or_failing_between_chunks_keeps_the_chunks_sent()
    {
        QVERIFY(create_table(*db_, "t", {"v"}, {"i64"}));
        QByteArray text = "time point,v\n";
        for (int i = 0; i < 12; ++i)
            text += "2024-01-01 00:00:" + QByteArray::number(10 + i) + ',' + QByteArray::number(100 + i) + '\n';
        const QString file = local_.filePath("twelve.csv");
        QVERIFY(write_file(file, text));
        {
            // Stopped after three chunks (a Cancel): those rows are in, no more follow.
            csv_local_import imp(*db_, "t");
            imp.set_chunk_bytes(1);
            QVERIFY(imp.prepare(file, form_of(false, ",")));
            for (int i = 0; i < 3; ++i)
                QVERIFY2(imp.push_next(), imp.why().constData());
            QCOMPARE(imp.done(), qint64(3));
            QVERIFY(!imp.finished());
        }
        QCOMPARE(rows_of_table("t").size(), 3);
        QVERIFY(run_ok("truncate t"));
        // The last row changes (same length) after the check: it is not sent, the rest are.
        csv_local_import imp(*db_, "t");
        imp.set_chunk_bytes(1);
        QVERIFY(imp.prepare(file, form_of(false, ",")));
        QVERIFY(imp.push_next());
        QVERIFY(write_file(file, QByteArray(text).replace("111\n", "999\n")));
        while (imp.push_next()) {
        }
        QCOMPARE(imp.why(), QByteArray("line 13: the file changed after it was checked; its rows from here on were not sent"));
        QCOMPARE(imp.done(), qint64(11));
        QCOMPARE(rows_of_table("t").size(), 11);
        QCOMPARE(rows_of_table("t").last().at(1).toLongLong(), qint64(110));
    }

    void a_typed_file_brings_its_table()
    {
        make_mixed("m");
        const QString file = local_.filePath("m.csvs");
        QByteArray why;
        QVERIFY(export_table_local(*db_, "m", file, form_of(true, ","), true, why));
        csv_local_import imp(*db_, "fresh");
        QVERIFY2(imp.prepare(file, form_of(true, ",")), imp.why().constData());
        while (imp.push_next()) {
        }
        QVERIFY(imp.finished());
        QCOMPARE(rows_of_table("fresh"), rows_of_table("m"));
        // A bad line anywhere: no table is left behind.
        const QString bad = local_.filePath("bad.csvs");
        QVERIFY(write_file(bad, "time point:datetime,v:i32\n2024-01-01 00:00:00,1\n2024-01-01 00:00:01,x\n"));
        csv_local_import refused(*db_, "fresh2");
        QVERIFY(!refused.prepare(bad, form_of(true, ",")));
        QCOMPARE(refused.why(), QByteArray("line 3: v: not an integer"));
        name_list names;
        QVERIFY(!fields_of(*db_, "fresh2", names));
    }

    void a_bad_file_sends_no_row_data_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("why");
        QTest::newRow("type") << QByteArray("time point,v,s\n2024-01-01 00:00:00,1,a\n2024-01-01 00:00:01,x,b\n")
                              << QByteArray("line 3: v: not an integer");
        QTest::newRow("range") << QByteArray("time point,v,s\n2024-01-01 00:00:00,2147483648,a\n")
                               << QByteArray("line 2: v: out of range for i32");
        QTest::newRow("count") << QByteArray("time point,v,s\n2024-01-01 00:00:00,1\n")
                               << QByteArray("line 2: 2 values, 3 expected");
        QTest::newRow("time point") << QByteArray("time point,v,s\n\"a\nb\",1,c\n2024-02-30 00:00:00,1,a\n")
                                    << QByteArray("line 2: invalid time point a\nb");
        QTest::newRow("line after a quoted break") << QByteArray("time point,v,s\n2024-01-01 00:00:00,1,\"a\nb\"\nx,1,a\n")
                                                   << QByteArray("line 4: invalid time point x");
        QTest::newRow("unknown field") << QByteArray("time point,v,w\n") << QByteArray("line 1: no field w in t");
        QTest::newRow("first column") << QByteArray("v,s\n1,a\n") << QByteArray("line 1: the first column must be the time point");
        QTest::newRow("open quote") << QByteArray("time point,v,s\n2024-01-01 00:00:00,1,\"a\n")
                                    << QByteArray("line 2: unterminated quoted value");
        QTest::newRow("empty") << QByteArray() << QByteArray("line 1: header line missing");
    }
    void a_bad_file_sends_no_row_data()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, why);
        QVERIFY(create_table(*db_, "t", {"v", "s"}, {"i32", "string"}));
        const QString file = local_.filePath("bad.csv");
        QVERIFY(write_file(file, text));
        csv_local_import imp(*db_, "t");
        QVERIFY(!imp.prepare(file, form_of(false, ",")));
        QCOMPARE(imp.why(), why);
        QVERIFY(!imp.push_next());
        QVERIFY(!server_->log().contains("push"));
        QCOMPARE(rows_of_table("t").size(), 0);
    }

    void a_typed_header_must_match_the_table()
    {
        QVERIFY(create_table(*db_, "t", {"v"}, {"i32"}));
        const QString file = local_.filePath("t.csvs");
        QVERIFY(write_file(file, "time point:datetime,v:i64\n2024-01-01 00:00:00,1\n"));
        csv_local_import imp(*db_, "t");
        QVERIFY(!imp.prepare(file, form_of(true, ",")));
        QCOMPARE(imp.why(), QByteArray("line 1: field v has type i32"));
    }

    void raw_transfers_keep_their_limit()
    {
        QVERIFY(create_table(*db_, "t", {"v"}, {"i32"}));
        QVERIFY(run_ok("push into t v values 3 at 2024-01-01 00:00:00"));
        const QByteArray file = local_.filePath("t.bin").toUtf8();
        QVERIFY(save_table(*db_, "t", file, true, false, true));
        QVERIFY(run_ok("drop t"));
        QVERIFY(load_table(*db_, "t", file, true, true));
        QCOMPARE(rows_of_table("t").size(), 1);
        // The log shows the start of a large payload and its size, not all of it.
        const QString junk = local_.filePath("junk.bin");
        QFile j(junk);
        QVERIFY(j.open(QIODevice::WriteOnly));
        j.write(QByteArray(20000, 'A'));
        j.close();
        QVERIFY(!load_table(*db_, "x", junk.toUtf8(), true, true));
        const QString shown = pane_text();
        const int cmd_size = int(strlen("load x from bin from raw \"\";")) + 4 * 20000;
        QVERIFY2(shown.contains(QStringLiteral("load x from bin from raw \"\\x41\\x41")) &&
                     shown.contains(QStringLiteral("(%1 bytes)").arg(cmd_size)) && shown.size() < 20000,
                 qPrintable(shown.left(2000)));

        // A file over the limit sends nothing: a sparse file costs no disk.
        const QString big = local_.filePath("big.sbk");
        QFile f(big);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(client_file_limit + 1));
        f.close();
        const QString before = pane_text();
        QVERIFY(!restore_db(*db_, big.toUtf8(), true, true));
        QVERIFY(!load_table(*db_, "t", big.toUtf8(), true, true));
        QCOMPARE(pane_text(), before);
    }
};

QTEST_MAIN(test_csv_local)
#include "test_csv_local.moc"
