// Benchmark: many small commands against the development server, once through the library's
// bare exec and once through db_exec::run with a real (offscreen) log pane; prints both and the
// ratio. Arguments: [commands] [rounds].
#include "db/db_exec.h"
#include "client_bench_session.h"

#include <QApplication>
#include <QTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

const QByteArray command = "show tables";

double bare_run(int n)
{
    const auto start = clock_type::now();
    for (int i = 0; i < n; ++i) {
        result_set *rs = exec(command.constData(), command.size());
        if (!rs) {
            std::fprintf(stderr, "command %d failed\n", i);
            std::exit(1);
        }
        del_datas(rs);
    }
    return seconds_since(start);
}

// As the script runner does: the log is brought up to date every 8192 commands and at the end.
double update_seconds = 0;   // of the last wrapped run, spent bringing the pane up to date

void timed_update(db_exec &db)
{
    const auto start = clock_type::now();
    db.update_log();
    update_seconds += seconds_since(start);
}

double wrapped_run(db_exec &db, int n)
{
    update_seconds = 0;
    const auto start = clock_type::now();
    QByteArray line;
    for (int i = 0; i < n; ++i) {
        if (i % 0x2000 == 0)
            timed_update(db);
        result_set *rs = db.run(command, line, 0);
        if (!rs) {
            std::fprintf(stderr, "command %d failed\n", i);
            std::exit(1);
        }
        del_datas(rs);
    }
    timed_update(db);
    QCoreApplication::processEvents();
    return seconds_since(start);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 2;

    client_bench_session session;   // says on standard error what failed
    if (!session.ok())
        return 1;
    {
        result_set *rs = exec("create t1 v i32 s string", 24);
        del_datas(rs);
    }

    QTextEdit pane;
    pane.setReadOnly(true);
    pane.resize(1000, 150);
    pane.show();
    db_exec db("vorn_tsdb", &pane);

    double best_bare = 1e300, best_wrapped = 1e300;
    for (int r = 0; r < rounds; ++r) {
        const double bare = bare_run(n);
        const double wrapped = wrapped_run(db, n);
        std::printf("round %d: bare exec %.3f s (%.2f us/cmd), db_exec::run %.3f s (%.2f us/cmd), ratio %.3f;"
                    " pane updates %.3f s\n",
                    r + 1, bare, bare * 1e6 / n, wrapped, wrapped * 1e6 / n, wrapped / bare, update_seconds);
        best_bare = std::min(best_bare, bare);
        best_wrapped = std::min(best_wrapped, wrapped);
    }
    std::printf("%d commands, best of %d: bare exec %.3f s, db_exec::run %.3f s, ratio %.3f (goal <= 1.2)\n", n,
                rounds, best_bare, best_wrapped, best_wrapped / best_bare);
    std::printf("log pane: %d characters of HTML\n", int(pane.toHtml().size()));
    std::fflush(stdout);
    return 0;
}
