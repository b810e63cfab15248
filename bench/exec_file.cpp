// Benchmark: a command file of push lines run with "execute cmd" (the run loop on the connection
// thread, the wrapper and a real offscreen log pane) against the same lines through the
// library's bare exec; prints both and the ratio. Arguments: [lines] [rounds].
#include "db/db_exec.h"
#include "db/db_link.h"
#include "client_bench_session.h"
#include "script/script_lines.h"
#include "shell/exec_cmd_file.h"
#include "common/modal_seam.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTextEdit>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using clock_type = std::chrono::steady_clock;

double seconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

// One push per line, each at its own second, with blanks around some lines as users leave them.
QByteArray command_file(const QByteArray &table, int lines)
{
    QByteArray out;
    out.reserve(lines * 64);
    for (int i = 0; i < lines; ++i) {
        const int day = 1 + (i / 86400) % 28, sec = i % 86400;
        char buf[128];
        std::snprintf(buf, sizeof buf, "%spush into %s v values %d at 2021-01-%02d %02d:%02d:%02d%s\n",
                      i % 7 == 0 ? "  " : "", table.constData(), i, day, sec / 3600, sec / 60 % 60,
                      sec % 60, i % 5 == 0 ? "  " : "");
        out += buf;
    }
    return out;
}

double bare_run(const QByteArray &content)
{
    const auto start = clock_type::now();
    // The same lines the file run sends, cut the same way, so only the running differs.
    const QList<QByteArray> lines = script_lines::cmd_file_commands(content);
    for (const QByteArray &l : lines) {
        result_set *rs = exec(l.constData(), l.size());
        if (!rs) {
            std::fprintf(stderr, "command failed: %s\n", l.constData());
            std::exit(1);
        }
        del_datas(rs);
    }
    return seconds_since(start);
}

// Until the outcome was told; the lines run on the connection thread meanwhile.
double file_run(const QByteArray &content, db_link &link, QWidget *window)
{
    modal_seam::script seam;   // answers the closing information box
    const auto start = clock_type::now();
    bool ok = false, ended = false;
    if (exec_cmd_file::run_content(content, link, window, [] {}, nullptr, [&](bool o) {
            ok = o;
            ended = true;
        })) {
        QSignalSpy idle(&link, &db_link::busy_changed);
        while (!ended)
            idle.wait(600000);
    }
    const double s = seconds_since(start);
    if (!ok) {
        std::fprintf(stderr, "execute cmd failed: %s\n", qPrintable(seam.last_text()));
        std::exit(1);
    }
    return s;
}

void run_plain(const char *cmd)
{
    result_set *rs = exec(cmd, int(std::strlen(cmd)));
    if (rs)
        del_datas(rs);
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

    QWidget window;
    window.resize(1000, 700);
    QTextEdit pane(&window);
    pane.setReadOnly(true);
    pane.setGeometry(0, 550, 1000, 150);
    window.show();
    db_link link("vorn_tsdb", &pane);
    bool logged_in = false;
    link.login(login_values{session.host().toLatin1(), session.port(), "admin", "admin"}, nullptr,
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

    double best_bare = 1e300, best_file = 1e300;
    for (int r = 0; r < rounds; ++r) {
        // Fresh tables each round, so both runs push into tables of the same size.
        const QByteArray a = "bare" + QByteArray::number(r), b = "file" + QByteArray::number(r);
        run_plain(("create " + a + " v i32").constData());
        run_plain(("create " + b + " v i32").constData());
        const double bare = bare_run(command_file(a, n));
        const double file = file_run(command_file(b, n), link, &window);
        std::printf("round %d: bare exec %.3f s (%.2f us/line), execute cmd %.3f s (%.2f us/line), ratio %.3f\n",
                    r + 1, bare, bare * 1e6 / n, file, file * 1e6 / n, file / bare);
        std::fflush(stdout);
        best_bare = std::min(best_bare, bare);
        best_file = std::min(best_file, file);
    }
    std::printf("%d push lines, best of %d: bare exec %.3f s, execute cmd %.3f s, ratio %.3f (goal <= 1.3)\n", n,
                rounds, best_bare, best_file, best_file / best_bare);
    return 0;
}
