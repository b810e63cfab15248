// Shared pieces of the cluster tests: the development master as a child process, a scripted
// service manager, and a scripted answer queue for the dialog's message boxes.
#pragma once

#include "cluster/service_control.h"

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

// Runs vorn_tsdb_devmaster (found beside the development server) on a free port.
class devmaster_process {
public:
    explicit devmaster_process(const QStringList &args);
    ~devmaster_process();
    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    QString error() const { return error_; }
    // Waits for the program to end by itself; true when it exited with code 0.
    bool wait_exit(int timeout_ms);
    bool running() const { return proc_ && proc_->state() != QProcess::NotRunning; }

private:
    std::unique_ptr<QProcess> proc_;
    QString error_;
    int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int free_port();

// A service manager whose services follow scripted states; sleeping advances a fake clock.
class fake_services : public service_ctl::service_backend {
public:
    struct service {
        // Each query takes the next state; the last one stays.
        std::deque<service_ctl::status> states{service_ctl::status{}};
        std::deque<service_ctl::status> after_start{{service_ctl::state::running, 0, 0}};
        std::deque<service_ctl::status> after_stop{{service_ctl::state::stopped, 0, 0}};
        bool refuse = false;      // start and stop requests are refused
        QString reason;
        int starts = 0, stops = 0;
    };
    QMap<QByteArray, service> services;
    bool manager = true;
    qint64 clock_ms = 0;
    std::vector<int> sleeps;
    int opens = 0, closes = 0;

    open_result open(const QByteArray &name) override;
    void close() override { ++closes; opened_.clear(); }
    bool query(service_ctl::status &out) override;
    bool request_start(QString &reason) override;
    bool request_stop(QString &reason) override;
    void sleep_ms(int ms) override { sleeps.push_back(ms); clock_ms += ms; }
    qint64 now_ms() override { return clock_ms; }

    static service_ctl::status running() { return {service_ctl::state::running, 0, 0}; }
    static service_ctl::status stopped() { return {service_ctl::state::stopped, 0, 0}; }
    static service_ctl::status pending(quint32 check_point, quint32 hint) { return {service_ctl::state::pending, check_point, hint}; }

private:
    bool request(bool start, QString &reason);
    QByteArray opened_;
};

// The dialog's service manager where no real one is wanted: the database service runs, the
// cluster service is stopped.
std::unique_ptr<service_ctl::service_backend> quiet_services();
