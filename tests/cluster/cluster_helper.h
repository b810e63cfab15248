// Shared pieces of the cluster tests: the development master as a child process, a scripted
// stand-in master, a blocking master client, and a scripted service manager.
#pragma once

#include "child_process.h"
#include "cluster/node_info.h"
#include "cluster/service_control.h"
#include "scripted_peer.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <deque>
#include <memory>
#include <vector>

// Runs vorn_tsdb_devmaster (found beside the development server) on a free port.
class devmaster_process {
public:
    explicit devmaster_process(const QStringList &args) : proc_(sibling_program(QStringLiteral("vorn_tsdb_devmaster")), args) {}
    bool ok() const { return proc_.ok(); }
    int port() const { return proc_.port(); }
    QString error() const { return proc_.error(); }
    // Waits for the program to end by itself; true when it exited with code 0.
    bool wait_exit(int timeout_ms) { return proc_.wait_exit(timeout_ms) == 0 && proc_.exited_normally(); }
    bool running() const { return proc_.running(); }

private:
    child_process proc_;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int free_port();

// A stand-in master on 127.0.0.1 (every connection, one at a time): answers the queries from
// its node list and everything else with success. While held it reads requests and leaves them
// unanswered until released (or until the client gives up).
class scripted_master {
public:
    explicit scripted_master(QList<node_info> nodes);
    ~scripted_master();
    int port() const;
    void hold();
    void release();
    int requests() const { return requests_; }   // frames received so far

private:
    void serve(peer_conn &c);

    QList<node_info> nodes_;
    std::mutex lock_;
    std::condition_variable changed_;
    bool held_ = false;
    bool ending_ = false;
    std::atomic<int> requests_{0};
    std::unique_ptr<scripted_peer> peer_;
};

// Reads one reply frame of the master: its status byte and the rest into body; -1 when the
// master closed (or sent an empty frame), -2 when it said nothing in time.
int read_master_frame(QTcpSocket &s, QByteArray *body = nullptr, int timeout_ms = 5000);

// A blocking client of the master protocol for tests that drive a master request by request.
class blocking_master {
public:
    enum class result { ok, failed, lost };
    blocking_master();
    ~blocking_master();
    bool open(const QString &ip, quint16 port);
    result query_all(QList<QByteArray> &names);
    result query_one(const QByteArray &name, node_info &out);
    result membership(bool detach, const node_info &n);
    result shutdown();

private:
    result exchange(const QByteArray &payload, QByteArray &body);
    std::unique_ptr<QTcpSocket> sock_;
};

// A service manager whose services follow scripted states; sleeping advances a fake clock.
class fake_services : public service_ctl::service_backend {
public:
    ~fake_services() override
    {
        if (gone)
            *gone = true;
    }
    bool *gone = nullptr;   // set when the backend is destroyed (with its worker)
    // While the gate is closed a query waits at it: a call to the manager that takes its time.
    void close_gate();
    void open_gate();
    std::atomic<bool> at_gate{false};

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
    std::atomic<int> opens{0}, closes{0};   // read by tests while a worker thread runs

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
    std::mutex gate_lock_;
    std::condition_variable gate_changed_;
    bool gate_closed_ = false;
};

// The dialog's service manager where no real one is wanted: the database service runs, the
// cluster service is stopped.
std::unique_ptr<service_ctl::service_backend> quiet_services();
