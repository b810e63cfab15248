// The run loop: order, the stop at the first failure, skipped empty commands, log housekeeping,
// painting during a run, the progress dialog and Cancel, and refusal of a nested run.
#include "db/db_exec.h"
#include "editor/script_runner.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QApplication>
#include <QProgressDialog>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

// Counts the paint events it gets, to see that the window paints while a run goes on.
class paint_counter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

QList<QByteArray> numbered(int n)
{
    QList<QByteArray> out;
    for (int i = 0; i < n; ++i)
        out.append("cmd " + QByteArray::number(i));
    return out;
}

} // namespace

class test_script_runner : public QObject {
    Q_OBJECT
private slots:
    void runs_in_order_and_stops_at_the_first_failure()
    {
        script_runner r(nullptr, nullptr);
        QList<int> ran;
        const auto out = r.run({"a", "", "bad", "c"}, [&](const QByteArray &cmd, int i) {
            ran.append(i);
            return cmd != "bad";
        });
        QCOMPARE(ran, (QList<int>{0, 2}));
        QVERIFY(!out.ok);
        QCOMPARE(out.failed, 2);
        QCOMPARE(out.done, 2);
        QCOMPARE(out.total, 3);
        QVERIFY(!out.cancelled);
        QVERIFY(!r.running());
    }

    void empty_commands_are_skipped_and_an_empty_list_succeeds()
    {
        script_runner r(nullptr, nullptr);
        int calls = 0;
        auto out = r.run({"", "", ""}, [&](const QByteArray &, int) { ++calls; return false; });
        QVERIFY(out.ok);
        QCOMPARE(calls, 0);
        QCOMPARE(out.failed, -1);
        out = r.run({}, [&](const QByteArray &, int) { ++calls; return false; });
        QVERIFY(out.ok);
        QCOMPARE(out.total, 0);
    }

    void log_is_brought_up_to_date_every_8192_commands_and_at_the_end()
    {
        QTextEdit pane;
        db_exec db("vorn_tsdb", &pane);
        script_runner r(&db, nullptr);
        r.set_event_interval(1 << 30); // no event handling: only the runner flushes the log
        QList<int> pending_at;
        const auto out = r.run(numbered(0x2000 * 2 + 5), [&](const QByteArray &cmd, int i) {
            if (i == 0x2000 - 1 || i == 0x2000 || i == 0x4000)
                pending_at.append(db.pending_lines());
            db.append_log(cmd);
            return true;
        });
        QVERIFY(out.ok);
        QCOMPARE(pending_at.size(), 3);
        QVERIFY(pending_at[0] > 0);   // nothing flushed the log since the first command
        QCOMPARE(pending_at[1], 0);
        QCOMPARE(pending_at[2], 0);
        QCOMPARE(db.pending_lines(), 0);
        QVERIFY(pane.toPlainText().startsWith("cmd 16388"));
    }

    void the_log_is_flushed_after_a_failure_too()
    {
        QTextEdit pane;
        db_exec db("vorn_tsdb", &pane);
        script_runner r(&db, nullptr);
        r.run({"a", "b"}, [&](const QByteArray &cmd, int) {
            db.append_log(cmd);
            return false;
        });
        QCOMPARE(db.pending_lines(), 0);
        QCOMPARE(pane.toPlainText().trimmed(), QStringLiteral("a"));
    }

    void the_window_paints_between_commands()
    {
        paint_counter w;
        w.resize(100, 100);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCoreApplication::processEvents();
        script_runner r(nullptr, &w);
        r.set_progress_delay(1 << 30);
        // No full event pass at all: the repaints alone must reach the window.
        r.set_event_interval(1 << 30);
        int timer_fired = 0;
        QTimer::singleShot(0, this, [&] { ++timer_fired; });
        w.paints = 0;
        r.run(numbered(100), [&](const QByteArray &, int) {
            QElapsedTimer busy;   // a command that keeps the server busy for 3 ms
            busy.start();
            while (busy.elapsed() < 3) {
            }
            w.update();
            return true;
        });
        QVERIFY2(w.paints >= 3, qPrintable(QString::number(w.paints)));
        QCOMPARE(timer_fired, 0);
        QVERIFY(!r.progress_dialog());

        // With full passes, timers run too.
        r.set_event_interval(0);
        r.run(numbered(3), [](const QByteArray &, int) { return true; });
        QCOMPARE(timer_fired, 1);
    }

    void cancel_stops_after_the_current_command()
    {
        QWidget w;
        script_runner r(nullptr, &w);
        r.set_event_interval(0);
        r.set_progress_delay(0);
        int shown = 0;
        connect(&r, &script_runner::progress_shown, this, [&] {
            ++shown;
            QProgressDialog *dlg = r.progress_dialog();
            QVERIFY(dlg && dlg->isVisible());
            QCOMPARE(dlg->maximum(), 1000);
            // The user presses Cancel while the next command runs.
            QTimer::singleShot(0, dlg, [dlg] {
                for (QAbstractButton *b : dlg->findChildren<QAbstractButton *>())
                    b->click();
            });
        });
        int ran = 0;
        const auto out = r.run(numbered(1000), [&](const QByteArray &, int) { ++ran; return true; });
        QCOMPARE(shown, 1);
        QVERIFY(out.cancelled);
        QVERIFY(!out.ok);
        QCOMPARE(out.failed, -1);
        QVERIFY(ran >= 1 && ran < 10);
        QCOMPARE(out.done, ran);
        QVERIFY(!r.progress_dialog());
        // The next run starts afresh.
        ran = 0;
        r.set_progress_delay(1 << 30);
        QVERIFY(r.run(numbered(20), [&](const QByteArray &, int) { ++ran; return true; }).ok);
        QCOMPARE(ran, 20);
    }

    void no_dialog_for_a_short_run_or_after_the_last_command()
    {
        script_runner r(nullptr, nullptr);
        r.set_event_interval(0);
        r.set_progress_delay(0);
        int shown = 0;
        connect(&r, &script_runner::progress_shown, this, [&] { ++shown; });
        QVERIFY(r.run({"only"}, [](const QByteArray &, int) { return true; }).ok);
        QCOMPARE(shown, 0);
    }

    void a_nested_run_is_refused()
    {
        script_runner r(nullptr, nullptr);
        script_runner::outcome inner;
        int inner_calls = 0;
        const auto out = r.run({"a", "b"}, [&](const QByteArray &, int i) {
            if (i == 0)
                inner = r.run({"x"}, [&](const QByteArray &, int) { ++inner_calls; return true; });
            return true;
        });
        QVERIFY(out.ok);
        QVERIFY(inner.busy);
        QVERIFY(!inner.ok);
        QCOMPARE(inner_calls, 0);
    }
};

QTEST_MAIN(test_script_runner)
#include "test_script_runner.moc"
