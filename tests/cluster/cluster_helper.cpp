// The development master process, free ports and the scripted service manager of the cluster tests.
#include "cluster_helper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpServer>

devmaster_process::devmaster_process(const QStringList &args)
{
    const QString server = qEnvironmentVariable("VORN_DEVSERVER");
    if (server.isEmpty()) {
        error_ = QStringLiteral("VORN_DEVSERVER is not set");
        return;
    }
    const QString program = QFileInfo(server).dir().filePath(QStringLiteral("vorn_tsdb_devmaster"));
    proc_ = std::make_unique<QProcess>();
    proc_->setProgram(program);
    proc_->setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + args);
    proc_->setStandardErrorFile(QProcess::nullDevice());
    proc_->start();
    if (!proc_->waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start ") + program;
        return;
    }
    static const QRegularExpression ready(QStringLiteral("^listening on .+:(\\d+)\\s*$"));
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && proc_->state() != QProcess::NotRunning) {
        if (!proc_->canReadLine())
            proc_->waitForReadyRead(200);
        while (proc_->canReadLine()) {
            const auto m = ready.match(QString::fromUtf8(proc_->readLine()));
            if (m.hasMatch()) {
                port_ = m.captured(1).toInt();
                return;
            }
        }
    }
    error_ = QStringLiteral("the master did not report it was listening");
}

bool devmaster_process::wait_exit(int timeout_ms)
{
    return proc_ && proc_->waitForFinished(timeout_ms) && proc_->exitStatus() == QProcess::NormalExit &&
           proc_->exitCode() == 0;
}

devmaster_process::~devmaster_process()
{
    if (!running())
        return;
    proc_->terminate();
    if (!proc_->waitForFinished(5000)) {
        proc_->kill();
        proc_->waitForFinished(5000);
    }
}

int free_port()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

fake_services::open_result fake_services::open(const QByteArray &name)
{
    ++opens;
    if (!manager)
        return open_result::no_manager;
    if (!services.contains(name))
        return open_result::no_service;
    opened_ = name;
    return open_result::ok;
}

bool fake_services::query(service_ctl::status &out)
{
    if (opened_.isEmpty())
        return false;
    auto &s = services[opened_];
    out = s.states.front();
    if (s.states.size() > 1)
        s.states.pop_front();
    return true;
}

bool fake_services::request(bool start, QString &reason)
{
    auto &s = services[opened_];
    ++(start ? s.starts : s.stops);
    if (s.refuse) {
        reason = s.reason;
        return false;
    }
    s.states = start ? s.after_start : s.after_stop;
    return true;
}

bool fake_services::request_start(QString &reason) { return request(true, reason); }

bool fake_services::request_stop(QString &reason) { return request(false, reason); }

std::unique_ptr<service_ctl::service_backend> quiet_services()
{
    auto f = std::make_unique<fake_services>();
    f->services["vorn_tsdb_s"].states = {fake_services::running()};
    f->services["vorn_dt_cluster_s"];
    return f;
}
