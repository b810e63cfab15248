// Runs the development server named by VORN_DEVSERVER as a child process of a test.
#include "devserver_process.h"

#include <csignal>
#include <sys/types.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <signal.h>

devserver_process::devserver_process(const QStringList& extra_args, int ready_timeout_ms)
{
    const QString program = qEnvironmentVariable("VORN_DEVSERVER");
    if (program.isEmpty()) {
        error_ = QStringLiteral("VORN_DEVSERVER is not set");
        return;
    }
    QStringList args = extra_args;
    if (!args.contains(QStringLiteral("--port")))
        args << QStringLiteral("--port") << QStringLiteral("0");
    const int data_at = args.indexOf(QStringLiteral("--data"));
    if (data_at >= 0 && data_at + 1 < args.size()) {
        data_dir_ = args.at(data_at + 1);
    } else {
        tmp_ = std::make_unique<QTemporaryDir>();
        if (!tmp_->isValid()) {
            error_ = QStringLiteral("cannot create a temporary folder");
            return;
        }
        data_dir_ = tmp_->path();
        args << QStringLiteral("--data") << data_dir_;
    }

    // The command log goes to a file: a test that never spins an event loop would otherwise
    // leave the pipe full and stall the server on its next log line.
    log_dir_ = std::make_unique<QTemporaryDir>();
    proc_ = std::make_unique<QProcess>();
    proc_->setProgram(program);
    proc_->setArguments(args);
    proc_->setProcessChannelMode(QProcess::SeparateChannels);
    if (log_dir_->isValid())
        proc_->setStandardErrorFile(log_dir_->filePath(QStringLiteral("stderr.log")));
    proc_->start();
    if (!proc_->waitForStarted(ready_timeout_ms)) {
        error_ = QStringLiteral("cannot start ") + program + QStringLiteral(": ") + proc_->errorString();
        return;
    }

    static const QRegularExpression ready(QStringLiteral("^listening on (.+):(\\d+)\\s*$"));
    QByteArray pending;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ready_timeout_ms) {
        if (!proc_->canReadLine())
            proc_->waitForReadyRead(int(qMax<qint64>(1, ready_timeout_ms - clock.elapsed())));
        while (proc_->canReadLine()) {
            const QString line = QString::fromUtf8(proc_->readLine());
            const auto m = ready.match(line);
            if (m.hasMatch()) {
                host_ = m.captured(1);
                port_ = m.captured(2).toInt();
                return;
            }
        }
        if (proc_->state() == QProcess::NotRunning)
            break;
    }
    error_ = QStringLiteral("server did not report it was listening; stderr: ") + log();
}

QString devserver_process::log() const
{
    if (!log_dir_ || !log_dir_->isValid())
        return {};
    QFile f(log_dir_->filePath(QStringLiteral("stderr.log")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

qint64 devserver_process::pid() const
{
    return proc_ && proc_->state() != QProcess::NotRunning ? proc_->processId() : 0;
}

bool devserver_process::stop(int timeout_ms)
{
    if (!proc_ || proc_->state() == QProcess::NotRunning)
        return true;
    // A server a test stopped must run again to hear the polite request.
    if (proc_->processId() > 0)
        ::kill(pid_t(proc_->processId()), SIGCONT);
    proc_->terminate();
    bool clean = proc_->waitForFinished(timeout_ms);
    if (!clean) {
        proc_->kill();
        proc_->waitForFinished(timeout_ms);
    }
    port_ = 0;
    return clean && proc_->exitStatus() == QProcess::NormalExit;
}

devserver_process::~devserver_process()
{
    stop();
}
