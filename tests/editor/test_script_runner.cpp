// The run loop on the connection thread: order, the stop at the first failure, skipped empty
// commands, pieces handed over in order while the run goes on, the progress dialog and Cancel,
// a refused second start and a run after a cancelled one. The commands here never reach a
// server: the runner only carries them.
#include "script/script_runner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QtTest>
#include <future>

namespace {

QList<QByteArray> numbered(int n)
{
    QList<QByteArray> out;
    for (int i = 0; i < n; ++i)
        out.append("cmd " + QByteArray::number(i));
    return out;
}

// A command that only succeeds, or fails when it is "bad"; it counts where it ran.
script_runner::run_one counting(std::shared_ptr<std::atomic<int>> ran)
{
    return [ran](db_exec &, const QByteArray &cmd, int, std::unique_ptr<grid_data> &) {
        ++*ran;
        return cmd != "bad";
    };
}

} // namespace

class test_script_runner : public QObject {
    Q_OBJECT
    std::unique_ptr<db_link> link;

    // Starts a run and waits for its outcome.
    script_runner::outcome run(script_runner &r, const QList<QByteArray> &commands, script_runner::run_one one,
                               script_runner::take_piece take = {})
    {
        script_runner::outcome got;
        got.ok = false;
        QSignalSpy finished(&r, &script_runner::finished);
        if (!r.start(commands, std::move(one), std::move(take), [&got](const script_runner::outcome &o) { got = o; }))
            return got;
        finished.wait(30000);
        return got;
    }

private slots:
    void init() { link = std::make_unique<db_link>("vorn_tsdb"); }
    void cleanup() { link.reset(); }

    void runs_in_order_and_stops_at_the_first_failure()
    {
        script_runner r(link.get(), nullptr);
        auto order = std::make_shared<std::vector<int>>();
        const auto out = run(r, {"a", "", "bad", "c"}, [order](db_exec &, const QByteArray &cmd, int i, auto &) {
            order->push_back(i); // only this thread writes it until the run has ended
            return cmd != "bad";
        });
        QCOMPARE(*order, (std::vector<int>{0, 2}));
        QVERIFY(!out.ok);
        QCOMPARE(out.failed, 2);
        QCOMPARE(out.done, 2);
        QCOMPARE(out.total, 3);
        QVERIFY(!out.cancelled);
        QVERIFY(!r.running());
    }

    void empty_commands_are_skipped_and_an_empty_list_succeeds()
    {
        script_runner r(link.get(), nullptr);
        auto ran = std::make_shared<std::atomic<int>>(0);
        auto out = run(r, {"", "", ""}, counting(ran));
        QVERIFY(out.ok);
        QCOMPARE(ran->load(), 0);
        QCOMPARE(out.failed, -1);
        out = run(r, {}, counting(ran));
        QVERIFY(out.ok);
        QCOMPARE(out.total, 0);
    }

    void pieces_arrive_in_order_before_the_outcome()
    {
        script_runner r(link.get(), nullptr);
        QList<int> took;
        bool ended_after = false;
        QSignalSpy finished(&r, &script_runner::finished);
        QVERIFY(r.start({"a", "b", "c", "d"},
                        [](db_exec &, const QByteArray &cmd, int, std::unique_ptr<grid_data> &piece) {
                            if (cmd != "b")
                                piece = std::make_unique<grid_data>();
                            return true;
                        },
                        [&](int i, grid_data &&) { took << i; },
                        [&](const script_runner::outcome &) { ended_after = took.size() == 3; }));
        QVERIFY(finished.wait(30000));
        QCOMPARE(took, (QList<int>{0, 2, 3}));
        QVERIFY(ended_after);
    }

    void a_second_start_is_refused_while_running()
    {
        script_runner r(link.get(), nullptr);
        std::promise<void> gate;
        std::shared_future<void> open = gate.get_future().share();
        QSignalSpy finished(&r, &script_runner::finished);
        QVERIFY(r.start({"a"}, [open](db_exec &, const QByteArray &, int, auto &) { open.wait(); return true; }, {}, {}));
        QVERIFY(r.running());
        auto ran = std::make_shared<std::atomic<int>>(0);
        QVERIFY(!r.start({"x"}, counting(ran), {}, {}));
        gate.set_value();
        QVERIFY(finished.wait(30000));
        QCOMPARE(ran->load(), 0);
        QVERIFY(!r.running());
    }

    void cancel_stops_after_the_current_command_and_the_next_run_starts_afresh()
    {
        QWidget w;
        script_runner r(link.get(), &w);
        r.set_progress_delay(0);
        // The commands wait for the test: the dialog shows after the first, Cancel comes while
        // the second runs, and nothing after it goes.
        auto ran = std::make_shared<std::atomic<int>>(0);
        auto step = std::make_shared<std::promise<void>>();
        std::shared_future<void> second = step->get_future().share();
        int shown = 0;
        connect(&r, &script_runner::progress_shown, this, [&] {
            ++shown;
            QProgressDialog *dlg = r.progress_dialog();
            QVERIFY(dlg && dlg->isVisible());
            QCOMPARE(dlg->maximum(), 1000);
            QVERIFY(dlg->value() >= 1);
            for (QAbstractButton *b : dlg->findChildren<QAbstractButton *>())
                b->click();
            step->set_value();
        });
        const auto out = run(r, numbered(1000), [ran, second](db_exec &, const QByteArray &, int i, auto &) {
            ++*ran;
            if (i == 1)
                second.wait();
            return true;
        });
        QCOMPARE(shown, 1);
        QVERIFY(out.cancelled);
        QVERIFY(!out.ok);
        QCOMPARE(out.failed, -1);
        QCOMPARE(ran->load(), 2);
        QCOMPARE(out.done, 2);
        QVERIFY(!r.progress_dialog());
        // The next run starts afresh.
        ran->store(0);
        r.set_progress_delay(1 << 30);
        QVERIFY(run(r, numbered(20), counting(ran)).ok);
        QCOMPARE(ran->load(), 20);
    }

    void no_dialog_for_a_single_command()
    {
        script_runner r(link.get(), nullptr);
        r.set_progress_delay(0);
        int shown = 0;
        connect(&r, &script_runner::progress_shown, this, [&] { ++shown; });
        std::promise<void> gate;
        std::shared_future<void> open = gate.get_future().share();
        QSignalSpy finished(&r, &script_runner::finished);
        QSignalSpy waiting(link.get(), &db_link::wait_started);
        QVERIFY(r.start({"only"}, [open](db_exec &, const QByteArray &, int, auto &) { open.wait(); return true; }, {}, {}));
        // Announced as a wait: the timer has looked many times meanwhile, and the window's wait
        // notices, not a modal dialog, offer to end it.
        QVERIFY(waiting.wait(30000));
        QCOMPARE(waiting[0][0].value<QObject *>(), static_cast<QObject *>(&r));
        QVERIFY(!r.progress_dialog());
        gate.set_value();
        QVERIFY(finished.wait(30000));
        QCOMPARE(shown, 0);
    }
};

QTEST_MAIN(test_script_runner)
#include "test_script_runner.moc"
