// The wrapper's runs of a text that goes out in pieces and of a reply taken row batch by row
// batch (their contents are checked with the raw transfers): the bytes on the wire, the log
// line, the outcome of a fill or take that gives up, a refused and a dropped command.
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
