// Loads a million rows of (time point, i64, double, string, datetime) from the development server into
// the grid model and reads every visible cell of a 40-row window at 1,000 scroll positions.
// Prints the load time, the heap bytes the loaded grid keeps per cell and the time per window.
#include "db/db_exec.h"
#include "client_bench_session.h"
#include "support/mem_time.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    client_bench_session session;
    if (!session.ok() || !session.fill_million_rows("bt", argc, argv))
        return 1;

    tab_data_model model("bt");
    const size_t heap_before = client_bench_session::heap_in_use();
    QElapsedTimer clock;
    clock.start();
    if (!model.load_result(session.exec(), "view bt", 1)) {
        std::fprintf(stderr, "view failed\n");
        return 1;
    }
    const double load_s = clock.nsecsElapsed() / 1e9;
    const size_t heap_after = client_bench_session::heap_in_use();
    const int cols = model.columnCount();
    const double cells = double(model.rowCount()) * cols;

    const int window = 40, positions = 1000;
    const int last_top = qMax(0, model.rowCount() - window);
    size_t chars = 0;
    clock.restart();
    for (int p = 0; p < positions; ++p) {
        const int top = int((long long)last_top * p / (positions - 1));
        for (int r = top; r < top + window && r < model.rowCount(); ++r)
            for (int c = 0; c < cols; ++c)
                chars += size_t(model.data(model.index(r, c), Qt::DisplayRole).toString().size());
    }
    const double window_us = clock.nsecsElapsed() / 1e3 / positions;

    // What a view asks per cell when it paints: the same window with every role it reads.
    const int roles[] = {Qt::DisplayRole, Qt::DecorationRole, Qt::FontRole, Qt::TextAlignmentRole,
                         Qt::BackgroundRole, Qt::ForegroundRole, Qt::CheckStateRole};
    clock.restart();
    for (int p = 0; p < positions; ++p) {
        const int top = int((long long)last_top * p / (positions - 1));
        for (int r = top; r < top + window && r < model.rowCount(); ++r)
            for (int c = 0; c < cols; ++c)
                for (int role : roles)
                    chars += size_t(model.data(model.index(r, c), role).isValid());
    }
    const double paint_us = clock.nsecsElapsed() / 1e3 / positions;

    std::printf("rows %d, columns %d (%s %s %s %s)\n", model.rowCount(), cols, model.type_of(0).constData(),
                model.type_of(1).constData(), model.type_of(2).constData(), model.type_of(3).constData());
    std::printf("load_result: %.3f s\n", load_s);
    std::printf("memory per cell: %.1f bytes (%.1f MB kept for %.0f cells)\n",
                double(heap_after - heap_before) / cells, double(heap_after - heap_before) / 1048576.0, cells);
    std::printf("scroll: %.1f us per 40-row window (display texts), %.1f us with every role a view reads\n",
                window_us, paint_us);
    std::printf("(%zu)\n", chars);
    return 0;
}
