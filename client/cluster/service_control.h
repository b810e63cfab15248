// Starting, stopping and querying the local database and cluster services, with the wait for a
// stable state. The service manager itself sits behind service_backend (systemd on Linux, the
// service control manager on Windows, a fake in tests).
#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QWaitCondition>
#include <memory>

namespace service_ctl {

extern const char tsdb_service[];     // "vorn_tsdb_s"
extern const char cluster_service[];  // "vorn_dt_cluster_s"

enum class state { stopped, running, paused, pending };

struct status {
    state current = state::stopped;
    quint32 check_point = 0;  // grows while a pending operation makes progress
    quint32 wait_hint_ms = 0; // how long the pending operation may take
};

class service_backend {
public:
    enum class open_result { ok, no_manager, no_service };
    virtual ~service_backend() = default;
    // Opens the manager and the named service; close() releases whatever open() took.
    virtual open_result open(const QByteArray &name) = 0;
    virtual void close() = 0;
    virtual bool query(status &out) = 0;
    // reason: why the manager refused, shown on a second line (empty when it gave none).
    virtual bool request_start(QString &reason) = 0;
    virtual bool request_stop(QString &reason) = 0;
    // The pause between polls when nobody can call the sequence off (see call_off).
    virtual void sleep_ms(int ms) = 0;
    virtual qint64 now_ms() = 0;
};

// Lets another thread call off the sequences a worker runs. Sequences carry increasing ids;
// calling off up to an id ends every sequence up to it at its next step, and a pause between
// polls at once. A call to the service manager that is under way ends by its own time-out.
class call_off {
public:
    void upto(quint64 id);                 // any thread
    // The worker, before each sequence and around each call to the service manager.
    void begin(quint64 id);
    bool enter_call();                     // false once the sequence is called off
    void leave_call();
    bool called_off() const;
    bool in_call() const;                  // any thread: a call to the manager is under way
    // Pauses ms milliseconds; false when the sequence is called off before or meanwhile.
    bool pause(int ms);

private:
    mutable QMutex lock_;
    QWaitCondition wake_;
    quint64 current_ = 0;
    quint64 upto_ = 0;
    bool in_call_ = false;
};

// The message of a start or stop for the user; ok is false for every failure. A sequence that
// was called off has no message for anybody.
struct report {
    bool ok = false;
    bool cancelled = false;
    QString text;
};

// off: null pauses through the backend's sleep_ms and nothing can call the sequence off.
bool is_running(service_backend &b, const QByteArray &name, call_off *off = nullptr);
report start(service_backend &b, const QByteArray &name, call_off *off = nullptr);
report stop(service_backend &b, const QByteArray &name, call_off *off = nullptr);

// The poll interval of the wait: a tenth of the hint, within one and ten seconds.
int poll_interval_ms(quint32 wait_hint_ms);

// The backend of this platform.
std::unique_ptr<service_backend> platform_backend();

} // namespace service_ctl
