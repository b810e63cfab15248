// The wrapper's runs of a text that goes out in pieces and of a reply taken row batch by row
// batch: the bytes on the wire, the log line, the outcome of a fill or take that gives up, a
// refused and a dropped command.
#include "db/db_exec.h"
#include "recording_peer_helper.h"

#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>
#include <memory>

namespace {

QByteArray text_of_size(int size)
{
    // Three-byte characters, so that the log's cut has to respect them.
    QByteArray t = "load t from cmd from raw \"";
    while (t.size() < size)
        t += "\xe5\x80\xbc";
    t.resize(size);
    return t;
}

// A fill that hands out text at most step bytes a call, and gives up (with why) after stop bytes.
db_exec::text_fill fill_of(const QByteArray &text, int step, int stop = -1, const QByteArray &why = {})
{
    auto at = std::make_shared<int>(0);
    return [text, step, stop, why, at](char *buf, size_t cap, QByteArray &reason) -> size_t {
        if (stop >= 0 && *at >= stop) {
            reason = why;
            return 0;
        }
        const int n = int(qMin<qint64>(qMin<qint64>(cap, step), text.size() - *at));
        std::memcpy(buf, text.constData() + *at, size_t(n));
        *at += n;
        return size_t(n);
    };
}

QByteArray rows_body(int rows, int width)
{
    result_body<QByteArray> b;
    b.str_col("data");
    for (int i = 0; i < rows; ++i)
        b.row(uint64_t(i + 1)).str(QByteArray(width, char('a' + i % 26)));
    return b.build();
}

} // namespace

class test_exec_pieces : public QObject {
    Q_OBJECT
    recording_peer peer_;
    std::unique_ptr<QTextEdit> pane_;
    std::unique_ptr<db_exec> db_;

private slots:
    void init()
    {
        peer_.clear();
        QVERIFY(peer_.login());
        pane_.reset(new QTextEdit);
        db_.reset(new db_exec("vorn_tsdb", pane_.get()));
    }
    void cleanup()
    {
        db_.reset();
        pane_.reset();
    }

    void pieces_go_out_as_one_text_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("step");
        QTest::newRow("short, whole") << 40 << 40;
        QTest::newRow("short, a byte a call") << 40 << 1;
        QTest::newRow("just past 64 KiB, 7 bytes a call") << 64 * 1024 + 1 << 7;
        QTest::newRow("past the receive buffer") << 1500 * 1000 << 100000;
    }
    void pieces_go_out_as_one_text()
    {
        QFETCH(int, size);
        QFETCH(int, step);
        const QByteArray text = text_of_size(size);
        QSignalSpy ran(db_.get(), &db_exec::ran);
        result_set *rs = db_->run_pieces(text.size(), fill_of(text, step));
        QVERIFY(rs);
        del_datas(rs);
        QCOMPARE(peer_.last_command(), text);
        // Logged as run logs the same text.
        QCOMPARE(ran.count(), 1);
        QCOMPARE(ran[0][0].toByteArray(), log_command_text(text));
        db_->update_log();
        QVERIFY(pane_->toPlainText().contains(QString::fromUtf8(log_command_text(text))));
        QVERIFY(pane_->toPlainText().contains(QStringLiteral("successful")));
    }

    void rows_arrive_in_batches_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("several");
        QTest::newRow("none") << 0 << 0 << false;
        QTest::newRow("three") << 3 << 10 << false;
        QTest::newRow("more than a batch holds") << 3000 << 1000 << true;
    }
    void rows_arrive_in_batches()
    {
        QFETCH(int, rows);
        QFETCH(int, width);
        QFETCH(bool, several);
        peer_.push_body(rows_body(rows, width));
        int batches = 0;
        QByteArray got, column;
        QVERIFY(db_->run_rows("backup as bin as raw", [&](const result_set *rs) {
            ++batches;
            int len = 0;
            const char *name = cols_of(rs) ? col_name(&len, rs, 0) : nullptr;
            column = QByteArray(name, name ? len : 0);
            for (uint64_t r = 0; r < rows_of(rs); ++r) {
                char *s = nullptr;
                uint64_t n = 0;
                as_str(&s, &n, at(r, 0, rs));
                got += QByteArray(s, int(n)).left(1);
                std::free(s);
            }
            return true;
        }));
        QCOMPARE(batches > 1, several);
        QCOMPARE(column, QByteArray("data"));
        QCOMPARE(got.size(), rows);
        for (int i = 0; i < rows; ++i)
            QCOMPARE(got[i], char('a' + i % 26));
        QCOMPARE(peer_.last_command(), QByteArray("backup as bin as raw"));
        QCOMPARE(db_->last_code(), 0);
        db_->update_log();
        QVERIFY(pane_->toPlainText().contains(QStringLiteral("backup as bin as raw")));
    }

    void failures_data()
    {
        QTest::addColumn<bool>("pieces");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<bool>("logged");
        for (bool pieces : { true, false }) {
            const QByteArray kind = pieces ? "pieces: " : "rows: ";
            QTest::addRow("%srefused by the server", kind.constData()) << pieces << QString("refused") << 1 << QString() << true << true;
            QTest::addRow("%sasked before a cancel", kind.constData()) << pieces << QString("dropped") << 2 << QString("cancelled") << false << false;
            QTest::addRow("%sthe caller stops", kind.constData()) << pieces << QString("stop") << 2 << QString("cancelled") << !pieces << true;
        }
        QTest::newRow("pieces: the caller stops and says why")
            << true << QString("why") << 2 << QString("the file went away") << false << true;
    }
    void failures()
    {
        QFETCH(bool, pieces);
        QFETCH(QString, how);
        QFETCH(int, code);
        QFETCH(QString, reason);
        QFETCH(bool, sent);
        QFETCH(bool, logged);
        const QByteArray text = text_of_size(200000);
        if (how == "refused")
            peer_.push_failure();
        else
            peer_.push_body(rows_body(3000, 1000));
        db_->set_refusing(how == "dropped");
        QSignalSpy lost(db_.get(), &db_exec::connection_lost);
        bool ok = false;
        if (pieces) {
            const int stop = how == "stop" || how == "why" ? 100000 : -1;
            result_set *rs = db_->run_pieces(text.size(), fill_of(text, 30000, stop, how == "why" ? reason.toUtf8() : ""));
            ok = rs != nullptr;
            del_datas(rs);
        } else {
            ok = db_->run_rows(text.left(100), [&](const result_set *) { return how != "stop"; });
        }
        QVERIFY(!ok);
        QCOMPARE(db_->last_code(), code);
        if (!reason.isEmpty())
            QCOMPARE(db_->last_reason(), reason);
        QCOMPARE(db_->last_dropped(), how == "dropped");
        QCOMPARE(lost.count(), code == 2 && how != "dropped" ? 1 : 0);
        QCOMPARE(peer_.command_count(), sent ? 1 : 0);
        db_->update_log();
        QCOMPARE(pane_->toPlainText().contains(QStringLiteral("failed")), logged);
    }
};

QTEST_MAIN(test_exec_pieces)
#include "test_exec_pieces.moc"
