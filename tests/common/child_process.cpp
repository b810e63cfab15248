// Starting, watching and stopping our network programs for tests and benchmarks.
#include "child_process.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <signal.h>
#include <sys/types.h>

child_process::child_process(const QString& program, const QStringList& args, const options& opt)
{
    if (program.isEmpty()) {
        error_ = QStringLiteral("no program to run (is VORN_DEVSERVER set?)");
        return;
    }
    QStringList all = opt.wrapper;
    all << program;
    if (!args.contains(QStringLiteral("--port")))
        all << QStringLiteral("--port") << QStringLiteral("0");
    all += args;

    // Standard error goes to a file: a caller that never spins an event loop would otherwise
    // leave the pipe full and stall the program on its next log line.
    log_file_ = opt.log_file;
    if (log_file_.isEmpty()) {
        log_dir_ = std::make_unique<QTemporaryDir>();
        if (log_dir_->isValid())
            log_file_ = log_dir_->filePath(QStringLiteral("stderr.log"));
    }
    proc_ = std::make_unique<QProcess>();
    proc_->setProgram(all.front());
    proc_->setArguments(all.mid(1));
    proc_->setProcessChannelMode(QProcess::SeparateChannels);
    proc_->setStandardErrorFile(log_file_.isEmpty() ? QProcess::nullDevice() : log_file_);
    proc_->start();
    if (!proc_->waitForStarted(opt.ready_timeout_ms)) {
        error_ = QStringLiteral("cannot start ") + all.front() + QStringLiteral(": ") + proc_->errorString();
        return;
    }
    wait_ready(opt.ready_timeout_ms);
}

void child_process::wait_ready(int timeout_ms)
{
    static const QRegularExpression ready(QStringLiteral("^listening on (.+):(\\d+)\\s*$"));
    const QDeadlineTimer deadline(timeout_ms);
    for (;;) {
        while (proc_->canReadLine()) {
            const auto m = ready.match(QString::fromUtf8(proc_->readLine()));
            if (m.hasMatch()) {
                host_ = m.captured(1);
                port_ = m.captured(2).toInt();
                return;
            }
        }
        // A program that ended has had its last output read already.
        if (proc_->state() == QProcess::NotRunning || deadline.hasExpired())
            break;
        proc_->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    error_ = proc_->state() == QProcess::NotRunning
                 ? QStringLiteral("the program ended before it listened; stderr: ") + log()
                 : QStringLiteral("the program did not report it was listening; stderr: ") + log();
}

QString child_process::log() const
{
    QFile f(log_file_);
    if (log_file_.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

int child_process::wait_exit(int timeout_ms)
{
    if (!proc_)
        return -1;
    if (running() && !proc_->waitForFinished(timeout_ms))
        return -1;
    return proc_->exitCode();
}

bool child_process::stop(int timeout_ms)
{
    if (!running())
        return true;
    // A program a test stopped must run again to hear the polite request.
    ::kill(pid_t(proc_->processId()), SIGCONT);
    proc_->terminate();
    const bool clean = proc_->waitForFinished(timeout_ms);
    if (!clean)
        kill_hard();
    port_ = 0;
    return clean && proc_->exitStatus() == QProcess::NormalExit;
}

void child_process::kill_hard()
{
    if (running()) {
        proc_->kill();
        proc_->waitForFinished(5000);
    }
    port_ = 0;
}

child_process::~child_process()
{
    stop();
}

QString devserver_program()
{
    return qEnvironmentVariable("VORN_DEVSERVER");
}

QString sibling_program(const QString& name)
{
    const QString server = devserver_program();
    return server.isEmpty() ? QString() : QFileInfo(server).dir().filePath(name);
}
