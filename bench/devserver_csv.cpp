// CSV export and import by the development server of 1,000,000 rows (i64, double, 16-byte
// string, datetime), in both forms; the file the server exports must equal the one it read.
// Then the same rows as push lines appended by raw command-file loads of 4 MiB, as a client's
// import sends them.
#include "devserver_bench_server.h"
#include "vorn_tsdb.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace {

using bench_server::clock_type;
using bench_server::seconds_since;

bool run(const std::string& cmd)
{
    result_set* rs = exec(cmd.data(), int(cmd.size()));
    del_datas(rs);
    return rs != nullptr;
}

// The rows in the forms the server writes, so its export can be compared byte for byte.
std::string csv_text(long rows, bool typed)
{
    std::string out = typed ? "time point:datetime,i:i64,d:double,s:string,t:datetime\n" : "time point,i,d,s,t\n";
    out.reserve(std::size_t(rows) * 90);
    char line[256];
    for (long r = 0; r < rows; ++r) {
        const long sec = r % 60, min = r / 60 % 60, hour = r / 3600 % 24, day = r / 86400 + 1;
        const int n = std::snprintf(line, sizeof line,
                                    "2024-01-%02ld %02ld:%02ld:%02ld.5,%ld,%ld.25000000000000000,sensor_%09ld,"
                                    "2024-03-01 12:%02ld:00\n",
                                    day, hour, min, sec, r * 7919 - 5000000, r, r % 1000000000, r % 60);
        out.append(line, std::size_t(n));
    }
    return out;
}

// The rows of csv_text as the push lines of a client's import, in raw loads of about 4 MiB each
// (every byte as \xHH).
std::vector<std::string> push_loads(const std::string& table, long rows)
{
    static const char hex[] = "0123456789abcdef";
    std::vector<std::string> loads;
    std::string lines;
    char line[320];
    const std::size_t chunk = 4u << 20;
    for (long r = 0; r < rows; ++r) {
        const long sec = r % 60, min = r / 60 % 60, hour = r / 3600 % 24, day = r / 86400 + 1;
        const int n = std::snprintf(line, sizeof line,
                                    "push into %s i d s t values \"%ld\" \"%ld.25000000000000000\" \"sensor_%09ld\" "
                                    "\"2024-03-01 12:%02ld:00\" at \"2024-01-%02ld %02ld:%02ld:%02ld.5\"\n",
                                    table.c_str(), r * 7919 - 5000000, r, r % 1000000000, r % 60, day, hour, min, sec);
        lines.append(line, std::size_t(n));
        if (lines.size() >= chunk || r + 1 == rows) {
            std::string cmd = "load " + table + " from cmd from raw \"";
            cmd.reserve(cmd.size() + lines.size() * 4 + 2);
            for (unsigned char ch : lines) {
                const char esc[4] = {'\\', 'x', hex[ch >> 4], hex[ch & 15]};
                cmd.append(esc, 4);
            }
            cmd += "\";";
            loads.push_back(std::move(cmd));
            lines.clear();
        }
    }
    return loads;
}

std::string read_all(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 1 ? argv[1] : std::getenv("VORN_DEVSERVER");
    const long rows = argc > 2 ? std::atol(argv[2]) : 1000000;
    // "load" as a third argument runs the command-file loads alone (for a profiler).
    const bool load_only = argc > 3 && std::string(argv[3]) == "load";
    if (!program) {
        std::fprintf(stderr, "usage: bench_devserver_csv SERVER [ROWS [load]]  (or set VORN_DEVSERVER)\n");
        return 2;
    }
    char dir[] = "/tmp/devserver_csv_XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const bench_server::scratch_folder scratch(dir);
    const std::string log = std::string(dir) + "/server.log";
    const auto server = bench_server::start(program, {"--data", dir}, log);
    const pid_t pid = pid_t(server->pid());
    if (!server->ok() || !connect_to_server("127.0.0.1", server->port(), "admin", "admin")) {
        std::fprintf(stderr, "cannot start or reach the server\n");
        return 1;
    }
    bool same = true;
    std::printf("rows                 %ld\n", rows);
    for (const bool typed : {false, true}) {
        if (load_only)
            break;
        const std::string form = typed ? "csvs" : "csv";
        const std::string input = csv_text(rows, typed);
        std::ofstream(std::string(dir) + "/in." + form, std::ios::binary) << input;
        const std::string table = typed ? "from_csvs" : "from_csv";
        if (!typed)
            run("create " + table + " i i64 d double s string t datetime");

        double cpu0 = bench_server::cpu_seconds(pid);
        auto t0 = clock_type::now();
        if (!run("import " + table + " from " + form + " \"in." + form + "\" split by \",\"")) {
            std::fprintf(stderr, "import failed\n");
            return 1;
        }
        const double import_s = seconds_since(t0);
        const double import_cpu = bench_server::cpu_seconds(pid) - cpu0;
        cpu0 = bench_server::cpu_seconds(pid);
        t0 = clock_type::now();
        if (!run("export " + table + " as " + form + " \"out." + form + "\" split by \",\"")) {
            std::fprintf(stderr, "export failed\n");
            return 1;
        }
        const double export_s = seconds_since(t0);
        const double export_cpu = bench_server::cpu_seconds(pid) - cpu0;
        const bool equal = read_all(std::string(dir) + "/out." + form) == input;
        usleep(100000);   // the server writes its log in batches
        same = same && equal;
        std::printf("%-4s import          %.0f rows/s (%.3f s; in the server %.3f s, server CPU %.3f s = %.0f rows/s)\n",
                    form.c_str(), double(rows) / import_s, import_s, bench_server::server_seconds(log, "import"),
                    import_cpu, double(rows) / import_cpu);
        std::printf("%-4s export          %.0f rows/s (%.3f s; in the server %.3f s, server CPU %.3f s = %.0f rows/s)%s\n",
                    form.c_str(), double(rows) / export_s, export_s, bench_server::server_seconds(log, "export"),
                    export_cpu, double(rows) / export_cpu, equal ? "" : "  OUTPUT DIFFERS FROM INPUT");
    }
    {
        const std::vector<std::string> loads = push_loads("from_cmd", rows);
        run("create from_cmd i i64 d double s string t datetime");
        const double cpu0 = bench_server::cpu_seconds(pid);
        const auto t0 = clock_type::now();
        for (const std::string& cmd : loads)
            if (!run(cmd)) {
                std::fprintf(stderr, "load from cmd failed\n");
                return 1;
            }
        const double load_s = seconds_since(t0);
        const double load_cpu = bench_server::cpu_seconds(pid) - cpu0;
        run("export from_cmd as csv \"cmd.csv\" split by \",\"");
        const bool equal = read_all(std::string(dir) + "/cmd.csv") == csv_text(rows, false);
        same = same && equal;
        usleep(100000);
        const double in_server = bench_server::server_seconds_total(log, "load");
        std::printf("cmd  load, 4 MiB   %.0f rows/s (%.3f s, %zu loads; in the server %.3f s = %.0f rows/s, server CPU %.3f s)%s\n",
                    double(rows) / load_s, load_s, loads.size(), in_server, double(rows) / in_server, load_cpu,
                    equal ? "" : "  ROWS DIFFER FROM THE CSV IMPORT");
    }
    exit_to_server();
    server->stop(120000);   // the server writes its files on the way out
    return same ? 0 : 1;
}
