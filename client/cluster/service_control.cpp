// The start and stop sequences: open, wait until the service is stable, request, wait again,
// and one message for the user. Every path releases what it opened. Each call to the service
// manager and each pause is a point where another thread may call the sequence off.
#include "cluster/service_control.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <algorithm>

namespace service_ctl {

const char tsdb_service[] = "vorn_tsdb_s";
const char cluster_service[] = "vorn_dt_cluster_s";

void call_off::upto(quint64 id)
{
    QMutexLocker guard(&lock_);
    upto_ = std::max(upto_, id);
    wake_.wakeAll();
}

void call_off::begin(quint64 id)
{
    QMutexLocker guard(&lock_);
    current_ = id;
}

bool call_off::enter_call()
{
    QMutexLocker guard(&lock_);
    if (current_ <= upto_)
        return false;
    in_call_ = true;
    return true;
}

void call_off::leave_call()
{
    QMutexLocker guard(&lock_);
    in_call_ = false;
}

bool call_off::called_off() const
{
    QMutexLocker guard(&lock_);
    return current_ <= upto_;
}

bool call_off::in_call() const
{
    QMutexLocker guard(&lock_);
    return in_call_;
}

bool call_off::pause(int ms)
{
    QMutexLocker guard(&lock_);
    QDeadlineTimer until(ms);
    while (current_ > upto_)
        if (!wake_.wait(&lock_, until))
            return current_ > upto_;
    return false;
}

namespace {

QString tr(const char *text) { return QCoreApplication::translate("service_control", text); }

QString named(const char *text, const QByteArray &name) { return tr(text).arg(QString::fromUtf8(name)); }

bool stable(state s) { return s == state::stopped || s == state::running || s == state::paused; }

// One sequence on one backend: the calls to the manager go through here so that a sequence
// called off makes no further call.
struct run {
    service_backend &b;
    call_off *off;

    template <typename F>
    bool call(F f)
    {
        if (off && !off->enter_call())
            return false;
        const bool ok = f();
        if (off)
            off->leave_call();
        return ok;
    }
    bool stopped() const { return off && off->called_off(); }
    bool pause(int ms)
    {
        if (!off) {
            b.sleep_ms(ms);
            return true;
        }
        return off->pause(ms);
    }
    bool query(status &st) { return call([&] { return b.query(st); }); }
};

// Closes the backend when the sequence leaves, whichever way it leaves.
struct opened {
    service_backend &b;
    ~opened() { b.close(); }
};

report called_off()
{
    report out;
    out.cancelled = true;
    return out;
}

// Waits until the service is stopped, running or paused; on failure fills the report.
bool wait_stable(run &r, const QByteArray &name, status &st, report &out)
{
    const QString query_failed = named(QT_TRANSLATE_NOOP("service_control", "Query the service '%1' failed!"), name);
    if (!r.query(st)) {
        out = r.stopped() ? called_off() : report{false, false, query_failed};
        return false;
    }
    quint32 check_point = st.check_point;
    const qint64 started = r.b.now_ms();
    while (!stable(st.current)) {
        if (!r.pause(poll_interval_ms(st.wait_hint_ms)) || !r.query(st)) {
            out = r.stopped() ? called_off() : report{false, false, query_failed};
            return false;
        }
        // A service that got where it was going is done, however long it took.
        if (stable(st.current))
            break;
        if (st.check_point > check_point) {
            check_point = st.check_point;
            continue;
        }
        if (r.b.now_ms() - started > qint64(st.wait_hint_ms)) {
            out.text = named(QT_TRANSLATE_NOOP("service_control", "Timeout waiting for the service '%1' to stop"), name);
            return false;
        }
    }
    return true;
}

bool open_service(run &r, const QByteArray &name, report &out)
{
    service_backend::open_result res = service_backend::open_result::no_manager;
    if (!r.call([&] {
            res = r.b.open(name);
            return true;
        })) {
        out = called_off();
        return false;
    }
    switch (res) {
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

bool is_running(service_backend &b, const QByteArray &name, call_off *off)
{
    run r{b, off};
    report ignored;
    const bool opened_it = open_service(r, name, ignored);
    opened guard{b};
    status st;
    return opened_it && r.query(st) && st.current == state::running;
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

report change(service_backend &b, const QByteArray &name, const direction &d, call_off *off)
{
    run r{b, off};
    report out;
    const bool opened_it = open_service(r, name, out);
    opened guard{b};
    if (!opened_it)
        return out;
    status st;
    if (!wait_stable(r, name, st, out))
        return out;
    if (st.current == d.goal) {
        out.text = named(d.already, name);
        out.ok = true;
        return out;
    }
    const QString failed = named(d.failed, name);
    QString reason;
    bool requested = false;
    if (!r.call([&] {
            requested = (b.*d.request)(reason);
            return true;
        }))
        return called_off();
    if (!requested) {
        out.text = with_reason(failed, reason);
        return out;
    }
    if (!wait_stable(r, name, st, out))
        return out;
    out.ok = st.current == d.goal;
    out.text = out.ok ? named(d.done, name) : failed;
    return out;
}

} // namespace

report start(service_backend &b, const QByteArray &name, call_off *off) { return change(b, name, starting, off); }

report stop(service_backend &b, const QByteArray &name, call_off *off) { return change(b, name, stopping, off); }

} // namespace service_ctl
