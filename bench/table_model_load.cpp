// Loads a million rows of (time point, i64, double, string) from the development server into
// the grid model and reads every visible cell of a 40-row window at 1,000 scroll positions.
// Prints the load time, the heap bytes the loaded grid keeps per cell and the time per window.
#include "db/db_exec.h"
#include "client_bench_session.h"
#include "support/mem_time.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <malloc.h>

namespace {

size_t heap_in_use()
{
    malloc_trim(0);
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

// "time point,v,d,s" with one distinct second per row.
bool write_csv(const QString &path, int rows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray out = "time point,v,d,s\n";
    out.reserve(rows * 56);
    char line[160];
    for (int i = 0; i < rows; ++i) {
        const int day = 1 + i / 86400, h = (i / 3600) % 24, m = (i / 60) % 60, s = i % 60;
        const int n = std::snprintf(line, sizeof line, "2020-01-%02d %02d:%02d:%02d,%lld,%.17f,row_%07d\n", day, h,
                                    m, s, (long long)i * 1000003LL - 5000000000LL, i * 0.25 - 1000.0, i);
        out.append(line, n);
    }
    return f.write(out) == out.size();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int rows = 1000000;
    if (argc > 1)
        rows = QByteArray(argv[1]).toInt();
    client_bench_session session;
    if (!session.ok())
        return 1;
    auto run = [&](const QByteArray &cmd) { return session.run(cmd); };
    if (!run("create bt v i64 d double s string") ||
        !write_csv(session.data_file("bench.csv"), rows) ||
        !run("import bt from csv \"bench.csv\" split by \",\"")) {
        std::fprintf(stderr, "could not fill the table\n");
        return 1;
    }

    tab_data_model model("bt", &session.exec());
    const size_t heap_before = heap_in_use();
    QElapsedTimer clock;
    clock.start();
    if (!model.load_result("view bt", 1)) {
        std::fprintf(stderr, "view failed\n");
        return 1;
    }
    const double load_s = clock.nsecsElapsed() / 1e9;
    const size_t heap_after = heap_in_use();
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
