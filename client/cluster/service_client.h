// The GUI side of service control: a worker thread runs the state, start and stop sequences on
// the service manager in the order asked and hands each outcome back through a queued signal,
// so the window never waits for a service.
#pragma once

#include "cluster/service_control.h"

#include <QMetaType>
#include <QObject>
#include <memory>

class QThread;
class service_worker;

class service_client : public QObject {
    Q_OBJECT
public:
    // toggle stops a running service and starts any other; state only asks.
    enum class mode { state, toggle, start, stop };
    struct outcome {
        QByteArray name;
        mode what = mode::state;
        service_ctl::report r;   // empty for mode::state
        bool running = false;    // the state once the sequence is done
    };

    explicit service_client(std::unique_ptr<service_ctl::service_backend> backend, QObject *parent = nullptr);
    // Calls off what is under way. The thread is waited for only when no call to the service
    // manager is under way (then it ends at once); otherwise it ends by itself after that call.
    ~service_client() override;

    bool busy() const { return pending_ > 0; }
    void run(const QByteArray &name, mode what);
    // Sequences asked for so far end at their next step and their outcomes are dropped.
    void call_off();
    QThread *thread() const { return thread_; }

signals:
    void finished(const service_client::outcome &o);
    void post(quint64 id, const QByteArray &name, int what);

private:
    void on_done(quint64 id, const service_client::outcome &o);

    QThread *thread_ = nullptr;
    service_worker *worker_ = nullptr;
    std::shared_ptr<service_ctl::call_off> off_;
    quint64 last_id_ = 0;
    quint64 dropped_upto_ = 0;
    int pending_ = 0;
};
Q_DECLARE_METATYPE(service_client::outcome)

// Runs on the client's thread and owns the backend.
class service_worker : public QObject {
    Q_OBJECT
public:
    service_worker(std::unique_ptr<service_ctl::service_backend> backend, std::shared_ptr<service_ctl::call_off> off);
    ~service_worker() override;

public slots:
    void run(quint64 id, const QByteArray &name, int what);

signals:
    void done(quint64 id, const service_client::outcome &o);

private:
    std::unique_ptr<service_ctl::service_backend> backend_;
    std::shared_ptr<service_ctl::call_off> off_;
};
