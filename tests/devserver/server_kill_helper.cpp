// Child process handling for the durability and limit tests.
#include "server_kill_helper.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

killable_server::killable_server(const QStringList& args, int ready_timeout_ms, const QStringList& wrapper)
{
    proc_ = std::make_unique<QProcess>();
    const QStringList server = QStringList{qEnvironmentVariable("VORN_DEVSERVER"), "--port", "0"} + args;
    const QStringList all = wrapper + server;
    proc_->setProgram(all.front());
    proc_->setArguments(all.mid(1));
    proc_->setStandardErrorFile(log_dir_.filePath("stderr.log"));
    proc_->start();
    if (!proc_->waitForStarted(ready_timeout_ms))
        return;
    static const QRegularExpression ready("^listening on .+:(\\d+)\\s*$");
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ready_timeout_ms && proc_->state() == QProcess::Running) {
        if (!proc_->canReadLine())
            proc_->waitForReadyRead(100);
        while (proc_->canReadLine()) {
            const auto m = ready.match(QString::fromUtf8(proc_->readLine()));
            if (m.hasMatch()) {
                port_ = m.captured(1).toInt();
                return;
            }
        }
    }
}

killable_server::~killable_server()
{
    if (proc_ && proc_->state() != QProcess::NotRunning)
        kill_hard();
}

qint64 killable_server::pid() const { return proc_->processId(); }

QString killable_server::log() const
{
    QFile f(log_dir_.filePath("stderr.log"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

int killable_server::exit_code(int timeout_ms)
{
    if (proc_->state() != QProcess::NotRunning && !proc_->waitForFinished(timeout_ms))
        return -1;
    return proc_->exitCode();
}

void killable_server::kill_hard()
{
    proc_->kill();
    proc_->waitForFinished(5000);
    port_ = 0;
}

bool killable_server::stop(int timeout_ms)
{
    proc_->terminate();
    const bool clean = proc_->waitForFinished(timeout_ms);
    if (!clean)
        kill_hard();
    port_ = 0;
    return clean && proc_->exitStatus() == QProcess::NormalExit && proc_->exitCode() == 0;
}

bool limit_file_size(qint64 pid, qint64 bytes)
{
    const QString value = bytes < 0 ? QStringLiteral("unlimited") : QString::number(bytes);
    // Only the soft limit: lowering the hard one could not be undone without extra rights.
    return QProcess::execute("prlimit", {"--pid", QString::number(pid), "--fsize=" + value + ":unlimited"}) == 0;
}
