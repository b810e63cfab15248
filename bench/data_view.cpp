// Opens the data view on a table of a million rows (time point, i64, double, string, datetime)
// of the development server and prints: the time from opening the window with the row limit
// off to its first painted grid, a switch of the number display mode until the grid is painted
// again, Apply of 1,000 edited cells (the commands, then the reload), and the memory per row.
#include "client_bench_session.h"
#include "db/db_link.h"
#include "table/data_view.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <cstdio>
#include <ctime>

namespace {

double cpu_seconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Paints the grid's visible cells now, as the first expose of the window would.
void paint(QTableView *grid)
{
    grid->viewport()->grab();
}

struct timing {
    QElapsedTimer wall;
    double cpu0 = 0;
    timing() { restart(); }
    void restart()
    {
        wall.restart();
        cpu0 = cpu_seconds();
    }
    void print(const char *what, double goal_ms) const
    {
        const double ms = wall.nsecsElapsed() / 1e6, cpu = (cpu_seconds() - cpu0) * 1e3;
        if (goal_ms > 0)
            std::printf("%-44s %9.1f ms (CPU %.1f ms; goal %.0f ms)\n", what, ms, cpu, goal_ms);
        else
            std::printf("%-44s %9.1f ms (CPU %.1f ms)\n", what, ms, cpu);
    }
};

// Waits for the view's next load (its rows come from the connection thread).
bool wait_loaded(QSignalSpy &loaded)
{
    if (!loaded.isEmpty() || loaded.wait(600000)) {
        loaded.clear();
        return true;
    }
    std::fprintf(stderr, "the view did not load\n");
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    client_bench_session session;
    if (!session.ok() || !session.fill_million_rows("dv", argc, argv))
        return 1;

    db_link link("vorn_tsdb");
    bool logged_in = false;
    link.login(login_values{session.host().toUtf8(), session.port(), "admin", "admin"}, nullptr,
               [&](const db_status &st) { logged_in = st.ok; });
    {
        QSignalSpy idle(&link, &db_link::busy_changed);
        while (link.busy())
            idle.wait(60000);
    }
    if (!logged_in) {
        std::fprintf(stderr, "login of the connection thread failed\n");
        return 1;
    }

    const std::size_t heap_before = client_bench_session::heap_in_use();
    timing t;
    data_view view("dv", &link);
    QSignalSpy done_loading(&view, &data_view::loaded);
    view.resize(1167, 413);
    view.show();
    if (!wait_loaded(done_loading))
        return 1;
    t.print("window opened (limit 10), painted", 0);
    paint(view.grid());

    // The limit off: every row of the table comes into the grid.
    auto *limit = view.findChild<QCheckBox *>(QStringLiteral("limit_cb"));
    if (!limit) {
        std::fprintf(stderr, "no limit check box\n");
        return 1;
    }
    t.restart();
    limit->setChecked(false);
    if (!wait_loaded(done_loading))
        return 1;
    paint(view.grid());
    t.print("limit off: all rows loaded, first paint", 2000);
    tab_data_model *model = view.data_model();
    const int loaded = model->rowCount();
    const std::size_t heap_after = client_bench_session::heap_in_use();
    std::printf("rows %d, columns %d; memory %.1f bytes per row (%.1f MB)\n", loaded, model->columnCount(),
                double(heap_after - heap_before) / qMax(1, loaded), double(heap_after - heap_before) / 1048576.0);

    // A mode switch makes texts for painted cells only.
    const char *modes[] = {"hex_rb", "bin_rb", "nor_rb", "dec_rb"};
    for (const char *name : modes) {
        auto *rb = view.findChild<QRadioButton *>(QLatin1String(name));
        if (!rb)
            continue;
        t.restart();
        rb->setChecked(true);
        paint(view.grid());
        t.print(qPrintable(QStringLiteral("display mode %1, painted").arg(QLatin1String(name))), 50);
    }

    // 1,000 edits spread over the table, each a distinct time point.
    const int edits = qMin(1000, loaded);
    for (int i = 0; i < edits; ++i) {
        const int row = int((long long)loaded * i / edits);
        model->setData(model->index(row, 1), QVariant(qlonglong(-row)), Qt::EditRole);
    }
    std::printf("pending commands: %d\n", int(model->pending_commands().size()));
    t.restart();
    view.apply();
    if (!wait_loaded(done_loading))
        return 1;
    paint(view.grid());
    t.print("Apply: 1,000 commands, reload, painted", 0);
    // The reload shows what the server now holds: the edited values.
    const int probe = int((long long)loaded * (edits / 2) / edits);
    const bool ok = model->changed_count() == 0 && model->rowCount() == loaded &&
                    model->data(model->index(probe, 1), Qt::EditRole).toLongLong() == -probe;
    if (!ok)
        std::printf("Apply did not reach the server\n");
    t.restart();
    view.update_tab();
    if (!wait_loaded(done_loading))
        return 1;
    paint(view.grid());
    t.print("reload alone, painted", 0);
    return ok ? 0 : 1;
}
