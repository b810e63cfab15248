// The start and stop sequences: open, wait until the service is stable, request, wait again,
// and one message for the user. Every path releases what it opened.
#include "cluster/service_control.h"

#include <QCoreApplication>
#include <algorithm>

namespace service_ctl {

const char tsdb_service[] = "vorn_tsdb_s";
const char cluster_service[] = "vorn_dt_cluster_s";

namespace {

QString tr(const char *text) { return QCoreApplication::translate("service_control", text); }

QString named(const char *text, const QByteArray &name) { return tr(text).arg(QString::fromUtf8(name)); }

bool stable(state s) { return s == state::stopped || s == state::running || s == state::paused; }

// Closes the backend when the sequence leaves, whichever way it leaves.
struct opened {
    service_backend &b;
    ~opened() { b.close(); }
};

// Waits until the service is stopped, running or paused; on failure fills the report.
bool wait_stable(service_backend &b, const QByteArray &name, status &st, report &out)
{
    if (!b.query(st)) {
        out.text = named(QT_TRANSLATE_NOOP("service_control", "Query the service '%1' failed!"), name);
        return false;
    }
    quint32 check_point = st.check_point;
    const qint64 started = b.now_ms();
    while (!stable(st.current)) {
        b.sleep_ms(poll_interval_ms(st.wait_hint_ms));
        if (!b.query(st)) {
            out.text = named(QT_TRANSLATE_NOOP("service_control", "Query the service '%1' failed!"), name);
            return false;
        }
        // A service that got where it was going is done, however long it took.
        if (stable(st.current))
            break;
        if (st.check_point > check_point) {
            check_point = st.check_point;
            continue;
        }
        if (b.now_ms() - started > qint64(st.wait_hint_ms)) {
            out.text = named(QT_TRANSLATE_NOOP("service_control", "Timeout waiting for the service '%1' to stop"), name);
            return false;
        }
    }
    return true;
}

bool open_service(service_backend &b, const QByteArray &name, report &out)
{
    switch (b.open(name)) {
    case service_backend::open_result::ok:
        return true;
    case service_backend::open_result::no_manager:
        out.text = tr(QT_TRANSLATE_NOOP("service_control", "Open the service manager failed!"));
        return false;
    case service_backend::open_result::no_service:
        break;
    }
    out.text = named(QT_TRANSLATE_NOOP("service_control", "Open the service '%1' failed!"), name);
    return false;
}

QString with_reason(const QString &text, const QString &reason)
{
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

} // namespace

int poll_interval_ms(quint32 wait_hint_ms) { return int(std::clamp<quint32>(wait_hint_ms / 10, 1000, 10000)); }

bool is_running(service_backend &b, const QByteArray &name)
{
    if (b.open(name) != service_backend::open_result::ok) {
        b.close();
        return false;
    }
    opened guard{b};
    status st;
    return b.query(st) && st.current == state::running;
}

namespace {

// The texts and the request of one direction: towards running (start) or towards stopped (stop).
struct direction {
    state goal;
    const char *already;
    const char *failed;
    const char *done;
    bool (service_backend::*request)(QString &);
};

const direction starting{state::running, QT_TRANSLATE_NOOP("service_control", "The service '%1' is running"),
                         QT_TRANSLATE_NOOP("service_control", "The service '%1' start failed"),
                         QT_TRANSLATE_NOOP("service_control", "The service '%1' start successful"),
                         &service_backend::request_start};
const direction stopping{state::stopped, QT_TRANSLATE_NOOP("service_control", "The service '%1' is stoped"),
                         QT_TRANSLATE_NOOP("service_control", "The service '%1' stop failed"),
                         QT_TRANSLATE_NOOP("service_control", "The service '%1' stop successful"),
                         &service_backend::request_stop};

report change(service_backend &b, const QByteArray &name, const direction &d)
{
    report out;
    if (!open_service(b, name, out)) {
        b.close();
        return out;
    }
    opened guard{b};
    status st;
    if (!wait_stable(b, name, st, out))
        return out;
    if (st.current == d.goal) {
        out.text = named(d.already, name);
        out.ok = true;
        return out;
    }
    const QString failed = named(d.failed, name);
    QString reason;
    if (!(b.*d.request)(reason)) {
        out.text = with_reason(failed, reason);
        return out;
    }
    if (!wait_stable(b, name, st, out))
        return out;
    out.ok = st.current == d.goal;
    out.text = out.ok ? named(d.done, name) : failed;
    return out;
}

} // namespace

report start(service_backend &b, const QByteArray &name) { return change(b, name, starting); }

report stop(service_backend &b, const QByteArray &name) { return change(b, name, stopping); }

} // namespace service_ctl
