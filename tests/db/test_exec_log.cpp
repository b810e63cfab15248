// The execution wrapper: the log line and its pieces, escaping, quiet runs, the order and cap
// of the log pane, the batched updates, and the connection's end with the wrapper.
#include "db/db_exec.h"
#include "recording_peer_helper.h"
#include "support/mem_time.h"

#include <QApplication>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>
#include <memory>

namespace {

// The text runs of a document with their colour and weight, block by block.
QStringList runs_of(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString line = QStringLiteral("|");
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            line += QStringLiteral("[%1 %2 %3]").arg(f.text(), f.charFormat().foreground().color().name())
                        .arg(f.charFormat().fontWeight() > QFont::Normal ? "bold" : "");
        }
        out << line;
    }
    return out;
}

} // namespace

class test_exec_log : public QObject {
    Q_OBJECT
    recording_peer peer_;
    std::unique_ptr<QTextEdit> pane_;
    std::unique_ptr<db_exec> db_;

    QString shown() const { return pane_->toPlainText(); }

private slots:
    void init()
    {
        peer_.clear();
        QVERIFY(peer_.login());
        pane_.reset(new QTextEdit);
        pane_->setReadOnly(true);
        db_.reset(new db_exec("vorn_tsdb", pane_.get()));
    }
    void cleanup()
    {
        db_.reset();
        pane_.reset();
    }

    void line_pieces_in_order()
    {
        QCOMPARE(make_log_line("2021-03-04 09:05:07.5", "show tables", true, 12.5),
                 QByteArray("2021-03-04 09:05:07.5 execute cmd:<div style='color:#52a6c4'>    show tables"
                            "</div><br>    result: <span style='color:green'>successful</span>"
                            " , use time: <b>12.500000</b> us.<br>"));
        QCOMPARE(make_log_line("2021-03-04 09:05:07", "drop t", false, 0),
                 QByteArray("2021-03-04 09:05:07 execute cmd:<div style='color:#52a6c4'>    drop t"
                            "</div><br>    result: <span style='color:red'>failed    </span>"
                            " , use time: <b>0.000000</b> us.<br>"));
    }

    void lines_written_directly_keep_every_blank()
    {
        // The pane gets the wrapper's own lines without the HTML parser: in the colours and
        // weights of the HTML line, with every blank and tab of the command as it was sent.
        QList<log_entry> entries;
        const QList<QByteArray> cmds{ "show tables", "  view t  where a<b &&\tc>\"d\"  ", "", "x\xe5\x80\xbc" };
        for (int i = 0; i < cmds.size(); ++i) {
            log_entry e;
            e.when = "2021-03-04 09:05:0" + QByteArray::number(i);
            e.cmd = cmds[i];
            e.ok = i % 2 == 0;
            e.micros = 12.5 * i;
            e.html = make_log_line(e.when, e.cmd, e.ok, e.micros);
            e.has_pieces = true;
            entries << e;
        }
        log_entry outside;
        outside.html = "<b>own</b> line";
        entries.insert(2, outside);

        QTextDocument direct;
        QTextCursor cursor(&direct);
        write_log_entries(cursor, entries);
        const QString text = direct.toPlainText();
        for (const QByteArray &cmd : cmds)
            QVERIFY2(text.contains(QStringLiteral("    ") + QString::fromUtf8(cmd)), cmd.constData());
        QVERIFY(text.contains(QStringLiteral("    result: failed     , use time: 12.500000 us.")));
        QVERIFY(text.contains(QStringLiteral("    result: successful , use time: 0.000000 us.")));
        QVERIFY(text.contains(QStringLiteral("own line")));
        const QString runs = runs_of(direct).join(QLatin1Char('\n'));
        QVERIFY2(runs.contains(QStringLiteral("[      view t  where a<b &&\tc>\"d\"   #52a6c4 ]")), qPrintable(runs));
        QVERIFY(runs.contains(QStringLiteral("[successful #008000 ]")));
        QVERIFY(runs.contains(QStringLiteral("[failed     #ff0000 ]")));
        QVERIFY(runs.contains(QStringLiteral("[12.500000 #000000 bold]")));
        QVERIFY(runs.contains(QStringLiteral("[own #000000 bold]")));
    }

    void a_failure_shows_its_reason_in_red()
    {
        peer_.push_failure();
        QByteArray line;
        QVERIFY(!db_->run("view missing", line));
        // The line itself is the usual one; the pane adds the reason after it.
        QVERIFY(line.endsWith("</b> us.<br>"));
        QCOMPARE(db_->last_code(), 1);
        QVERIFY(!db_->last_reason().isEmpty());
        db_->update_log();
        const QString runs = runs_of(*pane_->document()).join(QLatin1Char('\n'));
        QVERIFY2(runs.contains(QStringLiteral("[%1 #ff0000 ]").arg(db_->last_reason())), qPrintable(runs));

        del_datas(db_->run("view t"));
        QCOMPARE(db_->last_code(), 0);
        QVERIFY(db_->last_reason().isEmpty());
    }

    void a_huge_command_is_sent_whole_and_logged_short()
    {
        QByteArray cmd = "restore \"f.sbk\" ";
        while (cmd.size() <= 64 * 1024)
            cmd += "\xe5\x80\xbc";   // three bytes, one character
        QByteArray line;
        del_datas(db_->run(cmd, line));
        QTRY_COMPARE_WITH_TIMEOUT(peer_.command_count(), 1, 5000);
        QCOMPARE(peer_.last_command(), cmd);
        const QString shown_cmd = QString::fromUtf8(log_command_text(cmd));
        QVERIFY(shown_cmd.endsWith(QStringLiteral(" \u2026 (%1 bytes)").arg(cmd.size())));
        QCOMPARE(shown_cmd.indexOf(QStringLiteral(" \u2026 (")), 1024);
        QVERIFY(line.size() < 4096);
        db_->update_log();
        QVERIFY(shown().contains(shown_cmd));
        // Up to 64 KiB a command is logged whole.
        const QByteArray edge(64 * 1024, 'a');
        QCOMPARE(log_command_text(edge), edge);
    }

    void a_text_at_hand_in_part_is_logged_alike_data()
    {
        // A text sent in pieces is logged from its first log_command_start bytes and its length,
        // as the whole text would be.
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<QByteArray>("expected");
        QByteArray wide = "restore ", four = "x";
        while (wide.size() <= 64 * 1024)
            wide += "\xe5\x80\xbc";
        while (four.size() <= 64 * 1024)
            four += "\xf0\x9f\x98\x80";
        for (const QByteArray &whole : { QByteArray("show tables"), QByteArray(64 * 1024, 'a'), wide, four })
            QTest::newRow(QByteArray::number(whole.size()).constData())
                << whole.left(log_command_start(whole.size())) << qint64(whole.size()) << log_command_text(whole);
        QTest::newRow("cut short") << QByteArray("load t") << qint64(100) << QByteArray("load t \xe2\x80\xa6 (100 bytes)");
        QTest::newRow("past 4 GiB") << QByteArray("x") << (qint64(1) << 32) << QByteArray("x \xe2\x80\xa6 (4294967296 bytes)");
    }
    void a_text_at_hand_in_part_is_logged_alike()
    {
        QFETCH(QByteArray, start);
        QFETCH(qint64, total);
        QFETCH(QByteArray, expected);
        QCOMPARE(log_command_text(start, total), expected);
    }

    void the_cut_follows_the_real_length_of_wide_text()
    {
        // Lines of Chinese text take three bytes a character in the line, one in the pane: the
        // pane still fills to the cap before it is cut, and never far past it.
        QByteArray wide;
        for (int i = 0; i < 100; ++i)
            wide += "\xe8\xa1\xa8";
        int biggest = 0;
        bool shrank = false;
        for (int i = 0; i < 3000; ++i) {
            db_->append_log("entry " + QByteArray::number(i) + " " + wide + "<br>");
            db_->update_log();
            if (i % 20 == 0 || i > 2950) {
                const int size = pane_->toHtml().size();
                shrank = shrank || size < biggest / 2;
                biggest = qMax(biggest, size);
            }
        }
        QVERIFY(shrank);
        QVERIFY2(biggest > db_exec::log_cap * 9 / 10, qPrintable(QString::number(biggest)));
        QVERIFY2(biggest < db_exec::log_cap * 5 / 4, qPrintable(QString::number(biggest)));
    }

    void a_pane_shown_again_opens_at_the_newest_entry()
    {
        pane_->resize(300, 120);
        pane_->show();
        for (int i = 0; i < 200; ++i)
            db_->append_log("entry " + QByteArray::number(i) + "<br>");
        db_->update_log();
        pane_->verticalScrollBar()->setValue(pane_->verticalScrollBar()->maximum());
        QVERIFY(pane_->verticalScrollBar()->value() > 0);
        pane_->hide();
        db_->append_log("newest<br>");
        pane_->show();
        QCOMPARE(pane_->verticalScrollBar()->value(), 0);
        QVERIFY(shown().startsWith("newest"));
    }

    void markup_in_a_command_is_escaped()
    {
        const QByteArray line = make_log_line("t", "view t where a<b & c>\"d\" \xe5\x80\xbc", true, 1);
        QVERIFY(line.contains("    view t where a&lt;b &amp; c&gt;&quot;d&quot; \xe5\x80\xbc</div>"));
        // The pane shows the command as typed.
        QByteArray out;
        result_set *rs = db_->run("view t where a<b & c>1", out);
        del_datas(rs);
        db_->update_log();
        QVERIFY(shown().contains(QStringLiteral("view t where a<b & c>1")));
    }

    void run_logs_time_outcome_and_duration()
    {
        const QDateTime before = QDateTime::currentDateTime();
        QByteArray line;
        result_set *rs = db_->run("show tables", line);
        QVERIFY(rs);
        del_datas(rs);
        QCOMPARE(peer_.last_command(), QByteArray("show tables"));
        QRegularExpression shape(QStringLiteral(
            "^(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d(\\.\\d{1,9})?) execute cmd:.*successful</span> , use time: "
            "<b>\\d+\\.\\d{6}</b> us\\.<br>$"));
        const auto m = shape.match(QString::fromUtf8(line));
        QVERIFY2(m.hasMatch(), line.constData());
        ox::db::mem::date_time when;
        QVERIFY(ox::db::mem::parse(m.captured(1), when));
        const QDateTime logged(QDate(when.year, when.month, when.day), QTime(when.hour, when.minute, when.second));
        // Written while the command ran, to the second.
        QVERIFY2(before.addMSecs(-before.time().msec()) <= logged && logged <= QDateTime::currentDateTime(),
                 qPrintable(logged.toString(Qt::ISODate)));

        peer_.push_failure();
        QVERIFY(!db_->run("bad cmd", line));
        QVERIFY(line.contains("<span style='color:red'>failed    </span>"));
        db_->update_log();
        QVERIFY(shown().indexOf("bad cmd") < shown().indexOf("show tables"));
    }

    void without_a_connection_runs_fail()
    {
        exit_to_server();
        QByteArray line;
        QVERIFY(!db_->run("show tables", line));
        QVERIFY(line.contains("failed"));
        QVERIFY(line.contains("show tables"));
    }

    void quiet_runs_leave_the_pane()
    {
        pane_->setHtml("<p>before</p>");
        const QString html = pane_->toHtml();
        QByteArray line;
        del_datas(db_->run("secret", line, 1));
        QVERIFY(line.contains("secret"));
        QCOMPARE(db_->pending_lines(), 0);
        db_->update_log();
        QCoreApplication::processEvents();
        QCOMPARE(pane_->toHtml(), html);
    }

    void newest_first_and_shown_by_the_event_loop()
    {
        del_datas(db_->run("first"));
        del_datas(db_->run("second"));
        del_datas(db_->run("third"));
        // Nothing is drawn while the caller keeps the event loop waiting...
        QCOMPARE(db_->pending_lines(), 3);
        QVERIFY(!shown().contains("first"));
        // ...and everything once it runs.
        QTRY_COMPARE_WITH_TIMEOUT(db_->pending_lines(), 0, 5000);
        const QString text = shown();
        QVERIFY(text.indexOf("third") >= 0);
        QVERIFY(text.indexOf("third") < text.indexOf("second"));
        QVERIFY(text.indexOf("second") < text.indexOf("first"));

        db_->append_log("<b>own line</b>");
        db_->update_log();
        QVERIFY(shown().startsWith("own line"));
        QVERIFY(shown().indexOf("third") > 0);
    }

    // The program's own commands read the same in the pane; the user's log leaves them out.
    void background_lines_stay_out_of_the_user_log()
    {
        QTextDocument mine;
        db_->set_user_log(&mine);
        del_datas(db_->run("asked one"));
        db_->set_background(true);
        del_datas(db_->run("refresh one"));
        db_->set_background(false);
        del_datas(db_->run("asked two"));
        db_->append_log("<b>own line</b>");
        db_->update_log();
        const QStringList all = shown().split(QLatin1Char('\n'));
        const QStringList user = mine.toPlainText().split(QLatin1Char('\n'));
        QVERIFY(shown().contains(QStringLiteral("refresh one")));
        QVERIFY(!mine.toPlainText().contains(QStringLiteral("refresh one")));
        // Byte for byte the lines of the full pane, in the same order, without the refresh's
        // three (time, command, result).
        QStringList expected = all;
        const int at = expected.indexOf(QStringLiteral("    refresh one"));
        QVERIFY(at > 0);
        expected.erase(expected.begin() + at - 1, expected.begin() + at + 2);
        QCOMPARE(user, expected);
        db_->set_user_log(nullptr);
    }

    void an_oversized_pane_is_cut_to_its_newest_eighth()
    {
        QString big;
        for (int i = 0; big.size() < 300000; ++i)
            big += QStringLiteral("<p>entry %1</p>").arg(i, 6, 10, QLatin1Char('0'));
        pane_->setHtml(big);
        const int before = pane_->toHtml().size();
        QVERIFY(before > db_exec::log_cap);
        db_->append_log("newest entry");
        db_->update_log();
        const int after = pane_->toHtml().size();
        QVERIFY2(after < before / 8 + 2000, qPrintable(QString::number(after)));
        QVERIFY(shown().startsWith("newest entry"));
        QVERIFY(shown().contains("entry 000000"));
        QVERIFY(!shown().contains(QStringLiteral("entry %1").arg(big.size() / 20)));
    }

    void the_cap_holds_entry_by_entry()
    {
        // Shown one by one (as in interactive use) the pane grows past the cap once, then drops
        // to about an eighth, keeping the newest lines whole.
        const QByteArray filler(300, 'x');
        int biggest = 0;
        bool shrank = false;
        for (int i = 0; i < 1200; ++i) {
            db_->append_log("entry " + QByteArray::number(i) + " " + filler + "<br>");
            db_->update_log();
            if (i % 50 == 0 || i > 1150) {
                const int size = pane_->toHtml().size();
                shrank = shrank || size < biggest / 2;
                biggest = qMax(biggest, size);
            }
        }
        QVERIFY(shrank);
        QVERIFY2(biggest < db_exec::log_cap * 5 / 4, qPrintable(QString::number(biggest)));
        const QString text = shown();
        QVERIFY(text.startsWith("entry 1199 "));
        QVERIFY(text.contains("entry 1198 " + filler));
        QVERIFY(!text.contains("entry 0 "));
    }

    void many_lines_between_updates_stay_bounded()
    {
        // Many more lines than the cap holds, with no update in between: the pane ends up with
        // the newest ones only, newest first, and the waiting lines never outgrow the cap.
        for (int i = 0; i < 20000; ++i) {
            db_->append_log(QByteArray("line ") + QByteArray::number(i) + QByteArray(150, '.') + "<br>");
            QVERIFY(db_->pending_lines() * 150 < db_exec::log_cap + 200);
        }
        db_->update_log();
        const QString text = shown();
        QVERIFY(text.startsWith("line 19999"));
        QVERIFY(text.contains("line 19998"));
        QVERIFY(!text.contains("line 1000."));
        QVERIFY(pane_->toHtml().size() < db_exec::log_cap * 4);
    }

    void the_pane_may_go_first()
    {
        del_datas(db_->run("x"));
        pane_.reset();
        del_datas(db_->run("y"));
        db_->update_log();
        QCOMPARE(db_->pending_lines(), 0);
    }

    void the_wrapper_ends_the_connection()
    {
        db_.reset();
        QVERIFY(!exec("show tables", 11));
        QTRY_VERIFY_WITH_TIMEOUT(peer_.command_count() == 0, 1000);
    }

    void without_a_pane()
    {
        db_exec bare("vorn_tsdb", nullptr);
        QByteArray line;
        del_datas(bare.run("show tables", line));
        QVERIFY(line.contains("successful"));
        QCOMPARE(bare.pending_lines(), 0);
        QCOMPARE(bare.name(), QByteArray("vorn_tsdb"));
    }
};

QTEST_MAIN(test_exec_log)
#include "test_exec_log.moc"
