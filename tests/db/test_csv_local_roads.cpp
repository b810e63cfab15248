// A client import against a stand-in server that answers as told: the loads carry exactly the
// push lines of the rows, a refused chunk names the file's line and keeps the count of the
// chunks before it, and a server that does not append through a load gets the rows one push
// at a time, which the execution log says.
#include "db/csv_local.h"
#include "recording_peer_helper.h"

#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

namespace {

// The command text a raw load carries, its \xHH escapes undone.
QByteArray payload_of(const QByteArray &load)
{
    const int from = load.indexOf("from raw \"") + 10;
    QByteArray hex = load.mid(from, load.size() - from - 2);
    return QByteArray::fromHex(hex.replace("\\x", ""));
}

} // namespace

class test_csv_local_roads : public QObject {
    Q_OBJECT
    std::unique_ptr<recording_peer> peer_;
    std::unique_ptr<QTextEdit> pane_;
    std::unique_ptr<db_exec> db_;
    QTemporaryDir dir_;
    QString file_;

    QString pane_text()
    {
        db_->update_log();
        return pane_->toPlainText();
    }

private slots:
    void init()
    {
        peer_.reset(new recording_peer);
        QVERIFY(peer_->login());
        pane_.reset(new QTextEdit);
        db_.reset(new db_exec("vorn_tsdb", pane_.get()));
        // Eight rows, one with a quoted comma; "v" is i32, "s" a string.
        QByteArray text = "time point,v,s\n";
        for (int i = 0; i < 8; ++i)
            text += "2024-01-01 00:00:0" + QByteArray::number(i) + ',' + QByteArray::number(i) + (i == 5 ? ",\"a,b\"\n" : ",x\n");
        file_ = dir_.filePath("rows.csv");
        QFile f(file_);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        peer_->push_body(body_builder().str_col("name").str_col("type").u64_col("n")
                             .row(1).str("v").str("i32").integer(0, 8)
                             .row(2).str("s").str("string").integer(0, 8)
                             .build());
    }
    void cleanup()
    {
        db_.reset();
        pane_.reset();
        peer_.reset();
    }

    void the_first_refusal_decides_the_road_data()
    {
        QTest::addColumn<QByteArray>("reason");   // the server's answer to the first load
        QTest::addColumn<bool>("row_by_row");
        QTest::newRow("runs the file in a database of its own") << QByteArray("line 1: no table t") << true;
        QTest::newRow("knows no such load") << QByteArray("usage: load TABLE from bin|cmd \"PATH\"") << true;
        QTest::newRow("a row of the chunk") << QByteArray("line 2: v: out of range") << false;
    }
    void the_first_refusal_decides_the_road()
    {
        QFETCH(QByteArray, reason);
        QFETCH(bool, row_by_row);
        peer_->push_reply(1, reason);
        csv_local_import imp(*db_, "t");
        QVERIFY2(imp.prepare(file_, csv_form()), imp.why().constData());
        QCOMPARE(imp.rows(), qint64(8));
        const bool pushed = imp.push_next();
        QCOMPARE(pushed, row_by_row);
        if (!row_by_row) {
            // Nothing of the chunk went in; the line is the file's.
            QCOMPARE(imp.done(), qint64(0));
            QCOMPARE(imp.why(), QByteArray("line 3: v: out of range"));
            QVERIFY(!pane_text().contains(QStringLiteral("one push at a time")));
            return;
        }
        while (imp.push_next()) {
        }
        QVERIFY(imp.finished());
        // The rows one by one, in the push lines the load carried.
        const QList<QByteArray> sent = peer_->commands();
        QCOMPARE(sent.size(), 2 + 8);
        QVERIFY(sent[1].startsWith("load t from cmd from raw \"\\x70\\x75"));
        QCOMPARE(payload_of(sent[1]).split('\n').first(), sent[2]);
        QCOMPARE(sent[2], QByteArray("push into t v s values \"0\" \"x\" at \"2024-01-01 00:00:00\""));
        QCOMPARE(sent[7], QByteArray("push into t v s values \"5\" \"a,b\" at \"2024-01-01 00:00:05\""));
        QVERIFY2(pane_text().contains(QStringLiteral("8 rows one push at a time, the server does not take them")),
                 qPrintable(pane_text()));
    }

    void a_refused_chunk_keeps_the_count_of_those_before()
    {
        peer_->push_reply(0);
        peer_->push_reply(1, "line 2: s: string longer than 65535 bytes");
        csv_local_import imp(*db_, "t");
        imp.set_chunk_bytes(50);   // two rows a chunk
        QVERIFY(imp.prepare(file_, csv_form()));
        QVERIFY2(imp.push_next(), imp.why().constData());
        QCOMPARE(imp.done(), qint64(2));
        QVERIFY(!imp.push_next());
        QCOMPARE(imp.done(), qint64(2));
        QCOMPARE(imp.why(), QByteArray("line 5: s: string longer than 65535 bytes"));
        const QList<QByteArray> sent = peer_->commands();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(payload_of(sent[2]),
                 QByteArray("push into t v s values \"2\" \"x\" at \"2024-01-01 00:00:02\"\n"
                            "push into t v s values \"3\" \"x\" at \"2024-01-01 00:00:03\"\n"));
        QVERIFY(pane_text().contains(QStringLiteral("8 rows in loads of push lines of up to 50 bytes")));
    }
};

QTEST_MAIN(test_csv_local_roads)
#include "test_csv_local_roads.moc"
