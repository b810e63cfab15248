// Benchmark: CSV export and import of a table (i64, double, 16-byte string, datetime) on the
// development server, done by the server (files on its disk) and by the client (files here, rows
// sent in chunks of push lines); then a raw backup and restore through the client. Prints rows
// per second, MB per second and the client's peak memory of each step. Arguments: [rows]
// [client import rows] ["import": the client import alone, for a profiler].
#include "db/cmd_builders.h"
#include "db/csv_local.h"
#include "devserver_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

// A size line of /proc/self/status in bytes: "VmHWM:" (the resident peak since the last reset)
// or "VmRSS:" (resident now).
qint64 status_bytes(const char *key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::atoll(line.c_str() + std::strlen(key)) * 1024;
    return 0;
}
qint64 peak_rss() { return status_bytes("VmHWM:"); }
qint64 current_rss() { return status_bytes("VmRSS:"); }

// Starts a new peak: from here VmHWM counts from the present size.
void reset_peak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The client's processor time so far (user and system), in seconds.
double cpu_seconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Wall time counts the server's share too; the client's processor time is given beside it, as
// the machine may be busy with other work.
void report(const char *step, qint64 rows, qint64 bytes, double secs, double cpu_start, qint64 base)
{
    const qint64 peak = peak_rss();
    const double cpu = cpu_seconds() - cpu_start;
    std::printf("%-20s %8lld rows %7.3f s %9.0f rows/s %6.1f MB/s | client cpu %6.3f s %9.0f rows/s | peak %6.1f MiB (+%.1f)\n",
                step, (long long)rows, secs, rows / secs, bytes / secs / 1e6, cpu, rows / cpu, peak / 1048576.0,
                (peak - base) / 1048576.0);
}

// The table's rows as a file the server imports: a time point per second and the four fields.
QByteArray source_file(qint64 rows)
{
    QByteArray out = "time point,i,d,s,t\n";
    out.reserve(int(rows * 80));
    char buf[160];
    for (qint64 r = 0; r < rows; ++r) {
        const qint64 day = r / 86400, sec = r % 86400;
        const int n = std::snprintf(buf, sizeof buf,
                                    "2021-%02d-%02d %02lld:%02lld:%02lld,%lld,%.6f,s%015lld,2020-01-01 00:00:%02lld.%03lld\n",
                                    int(1 + day / 28), int(1 + day % 28), sec / 3600, sec / 60 % 60, sec % 60,
                                    (long long)(r * 7919 - 4000000), r * 0.25 - 1000.5, (long long)r, r % 60, r % 1000);
        out.append(buf, n);
    }
    return out;
}

// The server's own time of every command whose log line holds `mark` (" load ok "), summed.
double server_seconds(const devserver_process &server, const char *mark)
{
    double s = 0;
    QThread::msleep(300);   // the server writes its log in batches
    const QByteArray log = server.log().toUtf8();
    for (int at = log.indexOf(mark); at >= 0; at = log.indexOf(mark, at + 1))
        s += double(std::atoll(log.constData() + at + std::strlen(mark))) / 1e6;   // "12345us"
    return s;
}

bool run_ok(db_exec &db, const QByteArray &cmd)
{
    result_set *rs = db.run(cmd, 1);
    del_datas(rs);
    return rs != nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 rows = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const qint64 client_rows = argc > 2 ? std::atoll(argv[2]) : rows;
    const bool import_only = argc > 3 && QByteArray(argv[3]) == "import";

    devserver_process server;
    if (!server.ok()) {
        std::fprintf(stderr, "development server: %s\n", qPrintable(server.error()));
        return 1;
    }
    if (!connect_to_server("127.0.0.1", server.port(), "admin", "admin")) {
        std::fprintf(stderr, "login failed\n");
        return 1;
    }
    db_exec db("vorn_tsdb", nullptr);
    QTemporaryDir local;
    const QDir data(server.data_dir());
    const name_list fields{"i", "d", "s", "t"}, types{"i64", "double", "string", "datetime"};
    {
        QFile f(data.filePath("source.csv"));
        if (!f.open(QIODevice::WriteOnly) || f.write(source_file(rows)) < 0)
            return 1;
    }
    const qint64 base = current_rss();
    std::printf("rows %lld, client at %.1f MiB before the steps\n", (long long)rows, base / 1048576.0);

    csv_form form;
    const QString mine = local.filePath("b.csv");
    QByteArray why;
    auto start = clock_type::now();
    double cpu0 = cpu_seconds();
    if (!import_only) {
        // Server mode: the server reads and writes its own files.
        create_table(db, "b", fields, types);
        reset_peak();
        start = clock_type::now();
        cpu0 = cpu_seconds();
        if (!import_table(db, "b", "source.csv", true, ",", false))
            return std::fprintf(stderr, "server import failed\n"), 1;
        report("server import", rows, QFileInfo(data.filePath("source.csv")).size(), seconds_since(start), cpu0,
               base);

        reset_peak();
        start = clock_type::now();
        cpu0 = cpu_seconds();
        if (!export_table(db, "b", "b.csv", true, ",", true, false))
            return std::fprintf(stderr, "server export failed\n"), 1;
        const qint64 csv_size = QFileInfo(data.filePath("b.csv")).size();
        report("server export", rows, csv_size, seconds_since(start), cpu0, base);

        // What the client export starts with: reading the whole table through the library.
        reset_peak();
        start = clock_type::now();
        cpu0 = cpu_seconds();
        del_datas(db.run("view b", 1));
        report("view (read only)", rows, csv_size, seconds_since(start), cpu0, base);

        // Client mode: the file is here.
        reset_peak();
        start = clock_type::now();
        cpu0 = cpu_seconds();
        if (!export_table_local(db, "b", mine, form, true, why))
            return std::fprintf(stderr, "client export failed: %s\n", why.constData()), 1;
        report("client export", rows, csv_size, seconds_since(start), cpu0, base);
        QFile a(mine), b(data.filePath("b.csv"));
        a.open(QIODevice::ReadOnly);
        b.open(QIODevice::ReadOnly);
        std::printf("client file %s the server's export\n", a.readAll() == b.readAll() ? "equals" : "DIFFERS FROM");
    }

    // The client import sends chunks of push lines; a shorter file keeps the run short when asked.
    QString import_file = mine;
    if (client_rows < rows || import_only) {
        import_file = local.filePath("part.csv");
        QFile part(import_file);
        part.open(QIODevice::WriteOnly);
        part.write(source_file(client_rows));
    }
    create_table(db, "c", fields, types);
    reset_peak();
    start = clock_type::now();
    cpu0 = cpu_seconds();
    csv_local_import imp(db, "c");
    if (!imp.prepare(import_file, form))
        return std::fprintf(stderr, "client import refused: %s\n", imp.why().constData()), 1;
    const double checked = seconds_since(start), check_cpu = cpu_seconds() - cpu0;
    while (!imp.finished())
        if (!imp.push_next())
            return std::fprintf(stderr, "client import failed: %s\n", imp.why().constData()), 1;
    report("client import", imp.rows(), QFileInfo(import_file).size(), seconds_since(start), cpu0, base);
    std::printf("%-26s of which the check %.3f s (client cpu %.3f s); the server's own time %.3f s\n", "", checked,
                check_cpu, server_seconds(server, " load ok "));
    if (import_only)
        return 0;
    if (import_file == mine) {
        // The rows the client sent are the rows the server read from the same file.
        export_table(db, "c", "c.csv", true, ",", true, false);
        QFile server_read(data.filePath("b.csv")), client_sent(data.filePath("c.csv"));
        server_read.open(QIODevice::ReadOnly);
        client_sent.open(QIODevice::ReadOnly);
        std::printf("client import %s the server's import\n",
                    server_read.readAll() == client_sent.readAll() ? "equals" : "DIFFERS FROM");
    }

    // Raw transfers of the whole database through the client.
    run_ok(db, "drop c");
    const QByteArray sbk = local.filePath("all.sbk").toUtf8();
    reset_peak();
    qint64 before = current_rss();
    start = clock_type::now();
    cpu0 = cpu_seconds();
    if (!backup_db(db, sbk, true, true, true))
        return std::fprintf(stderr, "raw backup failed\n"), 1;
    const qint64 sbk_size = QFileInfo(QString::fromUtf8(sbk)).size();
    double secs = seconds_since(start);
    report("client raw backup", rows, sbk_size, secs, cpu0, base);
    std::printf("  client raw backup: file %.1f MiB, client grew by %.2f x the file\n", sbk_size / 1048576.0,
                double(peak_rss() - before) / double(sbk_size));
    reset_peak();
    before = current_rss();
    start = clock_type::now();
    cpu0 = cpu_seconds();
    if (!restore_db(db, sbk, true, true))
        return std::fprintf(stderr, "raw restore failed\n"), 1;
    secs = seconds_since(start);
    report("client raw restore", rows, sbk_size, secs, cpu0, base);
    std::printf("  client raw restore: file %.1f MiB, client grew by %.2f x the file\n", sbk_size / 1048576.0,
                double(peak_rss() - before) / double(sbk_size));
    return 0;
}
