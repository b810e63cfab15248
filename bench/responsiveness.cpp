// How long the window's event loop goes without turning while the server works for it: a 10 ms
// timer on the GUI thread records the gaps between its ticks during (a) a view of a million rows
// into a script tab's result grid, (b) the data view opening a million rows with the row limit
// off, (c) "execute cmd" of a 100,000-line file, (d) a command against a server that does not
// answer (stopped with SIGSTOP), cancelled after 2 s. Prints the longest gap and the 99th
// percentile of each, how much of a gap the GUI thread itself ran, and the load average. Arguments: [rows] [lines] [phases, e.g. "bd"].
#include "client_bench_session.h"
#include "common/modal_seam.h"
#include "common/wait_notice.h"
#include "db/db_link.h"
#include "script/cmd_script_editor.h"
#include "config/sys_config.h"
#include "shell/exec_cmd_file.h"
#include "table/data_view.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/types.h>
#include <ctime>
#include <vector>

namespace {

// The GUI thread's pulse: the time between the ticks of a 10 ms timer, and how much of each gap
// the thread itself ran (the rest it waited for a core: the machine's load, not the window).
class probe {
public:
    probe()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        gaps_.clear();
        clock_.start();
        last_ = 0;
        last_cpu_ = thread_cpu_ms();
        timer_.start();
    }
    void stop(const char *what, double goal_ms)
    {
        timer_.stop();
        tick();
        std::vector<gap> g = gaps_;
        std::sort(g.begin(), g.end(), [](const gap &a, const gap &b) { return a.wall < b.wall; });
        const gap longest = g.back();
        const double p99 = g[std::min(g.size() - 1, std::size_t(double(g.size()) * 0.99))].wall;
        double busiest = 0;
        for (const gap &x : g)
            busiest = std::max(busiest, x.cpu);
        double load[3] = {0, 0, 0};
        getloadavg(load, 3);
        std::printf("%-46s %5.2f s, %5zu ticks: longest gap %6.1f ms (%5.1f ms running), 99th percentile %6.1f ms,"
                    " most running in a gap %5.1f ms (goal < %.0f ms)%s; load %.2f %.2f %.2f\n",
                    what, clock_.nsecsElapsed() / 1e9, gaps_.size(), longest.wall, longest.cpu, p99, busiest, goal_ms,
                    longest.wall < goal_ms ? "" : " MISSED", load[0], load[1], load[2]);
        std::fflush(stdout);
    }

private:
    struct gap {
        double wall, cpu;
    };
    static double thread_cpu_ms()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    void tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        const double cpu = thread_cpu_ms();
        gaps_.push_back(gap{(now - last_) / 1e6, cpu - last_cpu_});
        last_ = now;
        last_cpu_ = cpu;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    double last_cpu_ = 0;
    std::vector<gap> gaps_;
};

bool wait_for(QSignalSpy &spy, int timeout_ms = 600000)
{
    if (!spy.isEmpty())
        return true;
    return spy.wait(timeout_ms);
}

bool wait_idle(db_link &link)
{
    QSignalSpy idle(&link, &db_link::busy_changed);
    QElapsedTimer t;
    t.start();
    while (link.busy() && t.elapsed() < 600000)
        idle.wait(1000);
    return !link.busy();
}

// One push per line, each at its own second of 2021.
QByteArray command_file(const QByteArray &table, int lines)
{
    QByteArray out;
    out.reserve(lines * 64);
    char buf[128];
    for (int i = 0; i < lines; ++i) {
        const int day = 1 + (i / 86400) % 28, sec = i % 86400;
        std::snprintf(buf, sizeof buf, "push into %s v values %d at 2021-01-%02d %02d:%02d:%02d\n", table.constData(), i,
                      day, sec / 3600, sec / 60 % 60, sec % 60);
        out += buf;
    }
    return out;
}

constexpr double goal_ms = 100;

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    sys_config.reset();
    client_bench_session session;
    if (!session.ok() || !session.fill_million_rows("big", argc, argv))
        return 1;
    const int lines = argc > 2 ? std::atoi(argv[2]) : 100000;
    const QByteArray phases = argc > 3 ? QByteArray(argv[3]) : QByteArrayLiteral("abcd");
    if (!session.run("create pushed v i32"))
        return 1;

    // The window's pieces: a log pane and the connection thread that writes into it.
    QWidget window;
    window.resize(1400, 900);
    QTextEdit pane(&window);
    pane.setReadOnly(true);
    pane.setGeometry(0, 750, 1400, 150);
    window.show();
    db_link link("vorn_tsdb", &pane);
    bool logged_in = false;
    link.login(login_values{session.host().toUtf8(), session.port(), "admin", "admin"}, nullptr,
               [&](const db_status &st) { logged_in = st.ok; });
    if (!wait_idle(link) || !logged_in) {
        std::fprintf(stderr, "login of the connection thread failed\n");
        return 1;
    }
    modal_seam::script seam; // answers every box
    probe p;

    if (phases.contains('a')) {
        cmd_script_editor ed(&window, &link, "view big");
        ed.setParent(&window);
        ed.setGeometry(0, 0, 1400, 740);
        ed.show();
        QSignalSpy ended(&ed, &cmd_script_editor::run_finished);
        p.start();
        ed.exec_cmd();
        if (!wait_for(ended))
            return 1;
        QApplication::processEvents(); // the first paint of the grid
        p.stop("(a) script tab: view of a million rows", goal_ms);
        tab_data_model *m = ed.result_model(0);
        std::printf("    result grid: %d rows\n", m ? m->rowCount() : -1);
    }

    if (phases.contains('b')) {
        data_view view("big", &link);
        view.setParent(&window);
        view.setGeometry(0, 0, 1400, 740);
        view.show();
        QSignalSpy loaded(&view, &data_view::loaded);
        if (!wait_for(loaded))
            return 1;
        loaded.clear();
        auto *limit = view.findChild<QCheckBox *>(QStringLiteral("limit_cb"));
        p.start();
        limit->setChecked(false);
        if (!wait_for(loaded))
            return 1;
        QApplication::processEvents();
        p.stop("(b) data view: limit off, a million rows", goal_ms);
        std::printf("    grid: %d rows\n", view.data_model()->rowCount());
    }

    if (phases.contains('c')) {
        bool ended = false, ok = false;
        p.start();
        if (!exec_cmd_file::run_content(command_file("pushed", lines), link, &window, [] {}, nullptr, [&](bool o) {
                ok = o;
                ended = true;
            }))
            return 1;
        QSignalSpy idle(&link, &db_link::busy_changed);
        while (!ended)
            idle.wait(600000);
        p.stop(qPrintable(QStringLiteral("(c) execute cmd: %1 lines").arg(lines)), goal_ms);
        if (!ok)
            std::printf("    the file run failed: %s\n", qPrintable(seam.last_text()));
    }

    if (phases.contains('d')) {
        cmd_script_editor ed(&window, &link, "show tables");
        ed.setParent(&window);
        ed.setGeometry(0, 0, 1400, 740);
        ed.show();
        QSignalSpy ended(&ed, &cmd_script_editor::run_finished);
        const pid_t server = pid_t(session.server_pid());
        ::kill(server, SIGSTOP);
        p.start();
        ed.exec_cmd();
        QElapsedTimer waited;
        waited.start();
        QTimer::singleShot(2000, &ed, [&] { ed.waits()->cancel_button()->click(); });
        // Without the library's cancel the call returns once the server runs again.
        QTimer::singleShot(4000, &ed, [server] { ::kill(server, SIGCONT); });
        if (!wait_for(ended))
            return 1;
        const double took = waited.nsecsElapsed() / 1e9;
        p.stop("(d) script tab: server stopped, cancelled after 2 s", goal_ms);
        ::kill(server, SIGCONT);
        std::printf("    the run ended %.2f s after it started (%s)\n", took,
                    took < 3.5 ? "at the cancel" : "when the server ran again");
        wait_idle(link);
    }
    return 0;
}
