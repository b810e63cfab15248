// Pushes 1,000,000 rows into a development server that journals them (--db, --fsync second)
// and views them all through the library; prints rows per second for both and the server's
// resident memory per row.
#include "devserver_bench_server.h"
#include "vorn_tsdb.h"

#include <algorithm>
#include <cstring>

namespace {

using bench_server::clock_type;
using bench_server::seconds_since;

std::size_t server_rss(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/statm";
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return 0;
    unsigned long size = 0, rss = 0;
    const int n = std::fscanf(f, "%lu %lu", &size, &rss);
    std::fclose(f);
    return n == 2 ? rss * std::size_t(sysconf(_SC_PAGESIZE)) : 0;
}

bool run(const std::string& cmd)
{
    result_set* rs = exec(cmd.data(), int(cmd.size()));
    del_datas(rs);
    return rs != nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 1 ? argv[1] : std::getenv("VORN_DEVSERVER");
    const long rows = argc > 2 ? std::atol(argv[2]) : 1000000;
    if (!program) {
        std::fprintf(stderr, "usage: bench_devserver_view SERVER [ROWS [always|second|never]]  (or set VORN_DEVSERVER)\n");
        return 2;
    }
    char dir[] = "/tmp/devserver_bench_XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const bench_server::scratch_folder scratch(dir);
    const std::string log = std::string(dir) + "/server.log";
    const char* fsync = argc > 3 ? argv[3] : "second";
    const auto server = bench_server::start(
        program, {"--data", dir, "--db", std::string(dir) + "/bench.sbk", "--fsync", fsync}, log);
    const pid_t pid = pid_t(server->pid());
    if (!server->ok() || !connect_to_server("127.0.0.1", server->port(), "admin", "admin")) {
        std::fprintf(stderr, "cannot start or reach the server\n");
        return 1;
    }
    const std::size_t rss_empty = server_rss(pid);
    run("create bench i i64 d double s string t datetime");

    const double cpu0 = bench_server::cpu_seconds(pid);
    auto t0 = clock_type::now();
    double slowest = 0;   // a compaction must not hold up the pushes beside it
    char cmd[256];
    for (long r = 0; r < rows; ++r) {
        const long sec = r % 60, min = r / 60 % 60, hour = r / 3600 % 24, day = r / 86400 + 1;
        const int n = std::snprintf(cmd, sizeof cmd,
                                    "push into bench i d s t values %ld %ld.25 \"sensor_%ld\" \"2024-03-01 12:00:00\" "
                                    "at 2024-01-%02ld %02ld:%02ld:%02ld", r, r, r % 100, day, hour, min, sec);
        const auto sent = clock_type::now();
        const bool pushed = run(std::string(cmd, std::size_t(n)));
        slowest = std::max(slowest, seconds_since(sent));
        if (!pushed) {
            std::fprintf(stderr, "push failed at row %ld\n", r);
            return 1;
        }
    }
    const double push_s = seconds_since(t0);
    const double push_cpu = bench_server::cpu_seconds(pid) - cpu0;
    const std::size_t rss_full = server_rss(pid);

    t0 = clock_type::now();
    const std::string view = "view bench";
    result_set* rs = exec(view.data(), int(view.size()));
    const double view_s = seconds_since(t0);
    const std::uint64_t got = rows_of(rs);
    del_datas(rs);

    std::printf("rows                 %ld\n", rows);
    std::printf("push into            %.0f rows/s (%.2f s, journal with --fsync %s)\n", double(rows) / push_s, push_s,
                fsync);
    std::printf("slowest push         %.1f ms (the journal was compacted %d times meanwhile)\n", slowest * 1e3,
                bench_server::count_lines(log, "compaction: wrote"));
    std::printf("push server CPU      %.1f us/row (user and system time of the server process)\n",
                push_cpu * 1e6 / double(rows));
    std::printf("view (all rows)      %.0f rows/s (%.3f s, %llu rows received)\n", double(got) / view_s, view_s,
                static_cast<unsigned long long>(got));
    std::printf("server memory        %.1f bytes/row (resident %.1f MiB)\n",
                double(rss_full - rss_empty) / double(rows), double(rss_full) / 1048576.0);
    exit_to_server();
    server->stop(120000);   // the server writes its files on the way out
    // The server logs its own time per command: for view that is selection and encoding.
    const double view_inside = bench_server::server_seconds(log, "view");
    if (view_inside >= 0)
        std::printf("view inside server   %.3f s (select and encode, without the transfer)\n", view_inside);
    return got == std::uint64_t(rows) ? 0 : 1;
}
