// Starting, stopping and querying the local database and cluster services, with the wait for a
// stable state. The service manager itself sits behind service_backend (systemd on Linux, the
// service control manager on Windows, a fake in tests).
#pragma once

#include <QByteArray>
#include <QString>
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
    virtual void sleep_ms(int ms) = 0;
    virtual qint64 now_ms() = 0;
};

// The message of a start or stop for the user; ok is false for every failure.
struct report {
    bool ok = false;
    QString text;
};

bool is_running(service_backend &b, const QByteArray &name);
report start(service_backend &b, const QByteArray &name);
report stop(service_backend &b, const QByteArray &name);

// The poll interval of the wait: a tenth of the hint, within one and ten seconds.
int poll_interval_ms(quint32 wait_hint_ms);

// The backend of this platform.
std::unique_ptr<service_backend> platform_backend();

} // namespace service_ctl
