// Starting and stopping the private Xvfb display and its window manager for shown-window tests.
#include "shown_window.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace shown_window {

namespace {

pid_t xvfb_pid = -1;
pid_t wm_pid = -1;
bool display_up = false;
QString reason = QStringLiteral("shown-window test: start_display() was not called");
QByteArray ready_dir;
const int start_timeout_ms = 20000;

// Runs a program with its output silenced; it gets SIGTERM when the test process dies.
// `keep_fd` stays open in the child (Xvfb writes its display number there).
pid_t spawn(const QByteArray &program, const QList<QByteArray> &args, int keep_fd)
{
    std::vector<QByteArray> argv_store;
    argv_store.push_back(program);
    for (const QByteArray &a : args)
        argv_store.push_back(a);
    std::vector<char *> argv;
    for (QByteArray &a : argv_store)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
    }
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keep_fd)
            close(fd);
    execv(argv[0], argv.data());
    _exit(127);
}

// Reads the display number Xvfb writes once it accepts clients.
int read_display(int fd)
{
    QByteArray line;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, start_timeout_ms) <= 0)
            return -1;
        char c;
        const ssize_t n = read(fd, &c, 1);
        if (n <= 0)
            return -1;
        if (c == '\n')
            break;
        line += c;
    }
    bool ok = false;
    const int d = line.trimmed().toInt(&ok);
    return ok ? d : -1;
}

// openbox runs its start-up command once it manages the screen; that command creates a file
// whose appearance inotify reports.
bool start_window_manager(const QString &openbox)
{
    char tmpl[] = "/tmp/shown_window_XXXXXX";
    if (!mkdtemp(tmpl))
        return false;
    ready_dir = tmpl;
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, tmpl, IN_CREATE | IN_MOVED_TO) < 0) {
        if (watch >= 0)
            close(watch);
        return false;
    }
    const QByteArray ready = ready_dir + "/ready";
    wm_pid = spawn(QFile::encodeName(openbox), {"--sm-disable", "--startup", "touch " + ready}, -1);
    bool up = false;
    while (!up) {
        pollfd p{watch, POLLIN, 0};
        if (poll(&p, 1, start_timeout_ms) <= 0)
            break;
        char buf[4096];
        if (read(watch, buf, sizeof buf) <= 0)
            break;
        up = access(ready.constData(), F_OK) == 0;
    }
    close(watch);
    return up;
}

} // namespace

bool start_display()
{
    if (display_up)
        return true;
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        reason = QStringLiteral("Xvfb is not installed: shown-window tests skipped");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return false;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        reason = QStringLiteral("shown-window test: no pipe for Xvfb");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return false;
    }
    xvfb_pid = spawn(QFile::encodeName(xvfb),
                     {"-displayfd", QByteArray::number(fds[1]), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
                      "-noreset"},
                     fds[1]);
    close(fds[1]);
    const int display = read_display(fds[0]);
    close(fds[0]);
    if (display < 0) {
        std::fprintf(stderr, "shown-window test: Xvfb did not start\n");
        stop_display();
        reason = QStringLiteral("Xvfb did not start");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return false;
    }
    qputenv("DISPLAY", ":" + QByteArray::number(display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    std::atexit(stop_display);

    // Without a window manager focus and popups behave unlike a desktop: say so and go on,
    // the cases that depend on it will fail rather than pass by accident.
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (openbox.isEmpty() || !start_window_manager(openbox))
        std::fprintf(stderr, "shown-window test: openbox did not start on display :%d\n", display);
    display_up = true;
    reason.clear();
    return true;
}

bool running()
{
    return display_up;
}

QString skip_reason()
{
    return reason;
}

void stop_display()
{
    for (pid_t *pid : {&wm_pid, &xvfb_pid}) {
        if (*pid > 0) {
            kill(*pid, SIGTERM);
            while (waitpid(*pid, nullptr, 0) < 0 && errno == EINTR) {
            }
            *pid = -1;
        }
    }
    if (!ready_dir.isEmpty()) {
        QDir(QFile::decodeName(ready_dir)).removeRecursively();
        ready_dir.clear();
    }
    display_up = false;
}

} // namespace shown_window
