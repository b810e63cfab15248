// Live follow against the development server: new rows go into the grid in place (no reset,
// scroll position kept or stuck at the end), a quiet table costs one time query, a tick waits for
// the last look's answer, pending edits pause it, rows sharing the newest loaded time point are
// not loaded twice, and a lost server stops it.
#include "run_ok.h"
#include "devserver_process.h"
#include "link_wait.h"
#include "support/mem_time.h"
#include "table/datetime_edit.h"
#include "table/tab_data_model.h"
#include "table/view_follow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTextEdit>
#include <QTextDocument>
#include <QtTest>

namespace mem = ox::db::mem;

namespace {

mem::date_time at_second(int s)
{
    return mem::date_time{2024, 3, 1, 12, 0, uint8_t(s), 0};
}

QByteArray when(int s)
{
    return mem::to_text(at_second(s)).toUtf8();
}

} // namespace

class test_view_follow : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server;
    std::unique_ptr<QTextEdit> log;
    std::unique_ptr<db_exec> exec;
    std::unique_ptr<db_link> link;

    // One data view's worth of pieces around a grid of table t; the grid is loaded here, follow
    // asks through the connection thread.
    struct view {
        db_exec *exec;
        tab_data_model model;
        QTableView grid;
        date_time_wt end;
        view_follow follow;
        view(db_exec *exec, db_link *link)
            : exec(exec), model("t"),
              follow(&model, &grid, link, "t", &end, [](const mem::date_time &b, const mem::date_time &e) {
                  return "view t v btw " + mem::to_text(b).toUtf8() + " " + mem::to_text(e).toUtf8();
              })
        {
            grid.setModel(&model);
            grid.resize(300, 160); // a few rows visible, the rest scrolled
            grid.show();
        }
        bool load(int from, int to)
        {
            end.set_value(at_second(to));
            return model.load_result(*exec, "view t v btw " + when(from) + " " + when(to), 1);
        }
        int v_at(int row) const { return model.data(model.index(row, 1), Qt::EditRole).toInt(); }
    };

    void push(int value, int second)
    {
        QVERIFY(run_ok(*exec, "push into t v values " + QByteArray::number(value) + " at " + when(second), 1));
    }

    void fill(int rows)
    {
        QVERIFY(run_ok(*exec, "truncate t", 1));
        for (int s = 0; s < rows; ++s)
            push(s, s);
    }

    // One look, waited for to its end.
    void look(view &w)
    {
        w.follow.tick();
        QVERIFY(link_wait::settle(link.get()));
    }
    void follow_on(view &w)
    {
        w.follow.set_following(true); // looks at once
        QVERIFY(link_wait::settle(link.get()));
    }

    // Commands run since the last call, logged or quiet.
    QStringList commands()
    {
        QStringList out;
        out.swap(ran_);
        return out;
    }
    QStringList ran_;

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        server = std::make_unique<devserver_process>();
        QVERIFY2(server->ok(), qPrintable(server->error()));
        QVERIFY(connect_to_server(server->host().toUtf8().constData(), server->port(), "admin", "admin"));
        log = std::make_unique<QTextEdit>();
        exec = std::make_unique<db_exec>("vorn_tsdb", log.get());
        link = link_wait::logged_in(server->host(), server->port(), log.get());
        QVERIFY(link);
        for (db_exec *db : {exec.get(), &link->log_side()})
            connect(db, &db_exec::ran, this, [this](const QByteArray &cmd, bool) {
                if (cmd.startsWith("show tables") || cmd.startsWith("view t"))
                    ran_ << QString::fromUtf8(cmd);
            });
        QVERIFY(run_ok(*exec, "create t v i32", 1));
    }
    void cleanupTestCase()
    {
        link.reset();
        exec.reset();
        server.reset();
    }

    void new_rows_go_in_without_a_reset()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        QCOMPARE(w.model.rowCount(), 3);
        QSignalSpy resets(&w.model, &QAbstractItemModel::modelAboutToBeReset);
        QSignalSpy inserted(&w.model, &QAbstractItemModel::rowsInserted);
        QSignalSpy end_changed(&w.end, &date_time_wt::value_chg);
        QSignalSpy followed(&w.follow, &view_follow::rows_followed);
        follow_on(w); // looks at once: nothing new yet
        QVERIFY(w.follow.following());
        QCOMPARE(inserted.count(), 0);

        push(3, 3);
        push(4, 4);
        look(w);
        QCOMPARE(w.model.rowCount(), 5);
        QCOMPARE(w.v_at(3), 3);
        QCOMPARE(w.v_at(4), 4);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(followed.count(), 1);
        QCOMPARE(followed[0][0].toInt(), 2);
        QVERIFY(w.end.value() == at_second(4));
        QCOMPARE(end_changed.count(), 0); // the host must not reload
        // The moved end shows from its hours: a narrow entry would show only nanosecond digits.
        QCOMPARE(w.end.time_edit()->cursorPosition(), 0);
        // Followed rows are loaded rows: their time point stays read-only, nothing is pending.
        QCOMPARE(w.model.changed_count() + w.model.new_count(), 0);
        QVERIFY(!(w.model.flags(w.model.index(4, 0)) & Qt::ItemIsEditable));
        QVERIFY(w.model.sid_of_row(4) != ~uint64_t(0));
    }

    // The follow's reloads are the program's own: a log of the user's commands leaves them out.
    void reloads_stay_out_of_the_user_log()
    {
        fill(2);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 1));
        QTextDocument mine;
        link->log_side().set_user_log(&mine);
        follow_on(w);
        push(2, 2);
        look(w);
        QCOMPARE(w.model.rowCount(), 3);
        link->log_side().update_log();
        QVERIFY2(log->toPlainText().contains(QStringLiteral("view t v btw ")), qPrintable(log->toPlainText()));
        QVERIFY2(!mine.toPlainText().contains(QStringLiteral("view t")), qPrintable(mine.toPlainText()));
        link->log_side().set_user_log(nullptr);
        w.follow.set_following(false);
    }

    void scroll_stays_put_or_at_the_end()
    {
        fill(30);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 29));
        w.grid.scrollToBottom();
        QScrollBar *bar = w.grid.verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        follow_on(w);
        push(30, 30);
        push(31, 31);
        look(w);
        QCOMPARE(w.model.rowCount(), 32);
        QCOMPARE(bar->value(), bar->maximum()); // the newest row in sight
        QCOMPARE(w.grid.rowAt(w.grid.viewport()->height() - 2), 31);

        bar->setValue(5);
        const int top = w.grid.rowAt(0);
        push(32, 32);
        look(w);
        QCOMPARE(w.model.rowCount(), 33);
        QCOMPARE(w.grid.rowAt(0), top);

        // Sorted newest first, rows arrive above the reader: the rows in sight stay in sight.
        w.model.sort(0, Qt::DescendingOrder);
        bar->setValue(4);
        const int top_v = w.v_at(w.grid.rowAt(0));
        push(33, 33);
        push(34, 34);
        look(w);
        QCOMPARE(w.model.rowCount(), 35);
        QCOMPARE(w.v_at(0), 34);
        QCOMPARE(w.v_at(1), 33);
        QCOMPARE(w.v_at(w.grid.rowAt(0)), top_v);
        // At the top the newest row stays in sight.
        w.grid.scrollToTop();
        push(35, 35);
        look(w);
        QCOMPARE(w.grid.rowAt(0), 0);
        QCOMPARE(w.v_at(0), 35);
    }

    void sorted_grid_takes_rows_where_the_sort_puts_them()
    {
        QVERIFY(run_ok(*exec, "truncate t", 1));
        const int values[] = {50, 10, 30};
        for (int s = 0; s < 3; ++s)
            push(values[s], s);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        w.model.sort(1, Qt::AscendingOrder); // 10 30 50
        QSignalSpy layouts(&w.model, &QAbstractItemModel::layoutChanged);
        follow_on(w);
        push(40, 3);
        push(5, 4);
        push(30, 5); // equal to a loaded value: after it, as a later row sorts
        look(w);
        QCOMPARE(layouts.count(), 0);
        QList<int> got;
        for (int r = 0; r < w.model.rowCount(); ++r)
            got << w.v_at(r);
        QCOMPARE(got, (QList<int>{5, 10, 30, 30, 40, 50}));
        QVERIFY(w.model.data(w.model.index(3, 0), Qt::EditRole).value<mem::date_time>() == at_second(5));
        // Sorting down and up again gives the same order as a fresh sort of all rows.
        w.model.sort(1, Qt::DescendingOrder);
        push(30, 6);
        look(w);
        got.clear();
        for (int r = 0; r < w.model.rowCount(); ++r)
            got << w.v_at(r);
        QCOMPARE(got, (QList<int>{50, 40, 30, 30, 30, 10, 5}));
        QVERIFY(w.model.data(w.model.index(2, 0), Qt::EditRole).value<mem::date_time>() == at_second(6));
    }

    void a_quiet_table_costs_one_time_query()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        commands();
        QSignalSpy inserted(&w.model, &QAbstractItemModel::rowsInserted);
        follow_on(w);
        look(w);
        const QStringList ran = commands();
        QCOMPARE(ran.size(), 2);
        QVERIFY2(ran[0].contains(QLatin1String("show tables")) && ran[1].contains(QLatin1String("show tables")),
                 qPrintable(ran.join(QLatin1Char('\n'))));
        // The tick's time query stays out of the execution log.
        log->clear();
        look(w);
        link->log_side().update_log();
        QVERIFY2(!log->toPlainText().contains(QLatin1String("show tables")), qPrintable(log->toPlainText()));
        QCOMPARE(inserted.count(), 0);
        QVERIFY(w.end.value() == at_second(2));
        QVERIFY(w.follow.state_text().isEmpty());
    }

    void a_tick_waits_for_the_last_look()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        push(3, 3);
        commands();
        w.follow.set_following(true); // the first look goes out
        QVERIFY(w.follow.looking());
        w.follow.tick();
        w.follow.tick();
        QVERIFY(link_wait::settle(link.get()));
        QVERIFY(!w.follow.looking());
        const QStringList ran = commands();
        QCOMPARE(ran.filter(QStringLiteral("show tables")).size(), 1);
        QCOMPARE(w.model.rowCount(), 4);
        look(w);
        QCOMPARE(commands().filter(QStringLiteral("show tables")).size(), 1);
    }

    void pending_edits_pause_following()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        follow_on(w);
        QVERIFY(w.model.setData(w.model.index(1, 1), 77));
        QVERIFY(w.follow.paused());
        QVERIFY(!w.follow.state_text().isEmpty());
        QCOMPARE(w.follow.check_box()->toolTip(), w.follow.state_text());
        push(3, 3);
        commands();
        look(w);
        QVERIFY(commands().isEmpty()); // not even the time query
        QCOMPARE(w.model.rowCount(), 3);
        QCOMPARE(w.v_at(1), 77);
        QCOMPARE(w.model.changed_count(), 1);

        // Editing back discards the edit: following goes on.
        QVERIFY(w.model.setData(w.model.index(1, 1), 1));
        QVERIFY(!w.follow.paused());
        QVERIFY(w.follow.state_text().isEmpty());
        look(w);
        QCOMPARE(w.model.rowCount(), 4);

        // An added row pauses too; the grid is never given loaded rows behind it.
        QVERIFY(w.model.insertRows(4, 1));
        QVERIFY(w.follow.paused());
        push(4, 4);
        look(w);
        QCOMPARE(w.model.rowCount(), 5);
        QCOMPARE(w.model.new_count(), 2); // both cells of the added row
        int n = -1;
        QCOMPARE(w.model.append_rows(*exec, "view t v", 1, &n), tab_data_model::append_status::added_rows_pending);
        QCOMPARE(n, 0);
        // Applied and reloaded, as the host does: following resumes.
        QVERIFY(w.load(0, 4));
        QVERIFY(!w.follow.paused());
        QVERIFY(w.follow.following());
    }

    void rows_sharing_the_newest_time_point_are_not_doubled()
    {
        QVERIFY(run_ok(*exec, "truncate t", 1));
        push(1, 1);
        push(2, 2);
        push(3, 2);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        QCOMPARE(w.model.rowCount(), 3);
        follow_on(w);
        push(4, 2); // a late row at the newest loaded time point
        look(w); // the newest time point has not moved: nothing to do yet
        QCOMPARE(w.model.rowCount(), 3);
        push(5, 3);
        look(w);
        QList<int> got;
        for (int r = 0; r < w.model.rowCount(); ++r)
            got << w.v_at(r);
        QCOMPARE(got, (QList<int>{1, 2, 3, 4, 5}));
    }

    void other_columns_are_refused()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        QSignalSpy inserted(&w.model, &QAbstractItemModel::rowsInserted);
        int n = -1;
        QCOMPARE(w.model.append_rows(*exec, "show tables", 1, &n), tab_data_model::append_status::columns_differ);
        QCOMPARE(w.model.append_rows(*exec, "view t v max 0", 1, &n), tab_data_model::append_status::done);
        QCOMPARE(n, 0);
        QCOMPARE(w.model.append_rows(*exec, "view t v v", 1), tab_data_model::append_status::columns_differ);
        QCOMPARE(w.model.append_rows(*exec, "view nowhere", 1), tab_data_model::append_status::query_failed);
        QCOMPARE(w.model.rowCount(), 3);
        QCOMPARE(inserted.count(), 0);
        tab_data_model empty("t");
        QCOMPARE(empty.append_rows(*exec, "view t v", 1), tab_data_model::append_status::columns_differ);
    }

    void the_timer_drives_it()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        w.follow.set_interval_seconds(1);
        QCOMPARE(w.follow.interval_box()->suffix(), QStringLiteral(" s"));
        QCOMPARE(w.follow.interval_box()->minimum(), 1);
        QCOMPARE(w.follow.interval_box()->maximum(), 60);
        w.follow.check_box()->click();
        push(3, 3);
        QTRY_COMPARE_WITH_TIMEOUT(w.model.rowCount(), 4, 10000);
        w.follow.check_box()->click();
        QVERIFY(!w.follow.following());
        push(4, 4);
        look(w); // off: a late timer event finds nothing to do
        QCOMPARE(w.model.rowCount(), 4);
    }

    // Last: the server goes away.
    void a_lost_server_stops_following()
    {
        fill(3);
        view w(exec.get(), link.get());
        QVERIFY(w.load(0, 2));
        follow_on(w);
        QSignalSpy stopped(&w.follow, &view_follow::stopped);
        QVERIFY(server->stop());
        look(w);
        QCOMPARE(stopped.count(), 1);
        QVERIFY(!w.follow.following());
        QVERIFY(!w.follow.check_box()->isChecked());
        QVERIFY(w.follow.state_text().contains(stopped[0][0].toString()));
        QVERIFY(!stopped[0][0].toString().isEmpty());
        QCOMPARE(w.model.rowCount(), 3);
        look(w); // stopped: nothing more is tried
        QCOMPARE(stopped.count(), 1);
    }
};

QTEST_MAIN(test_view_follow)
#include "test_view_follow.moc"
