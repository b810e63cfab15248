// systemd's view of a unit mapped onto the service states: active is running, inactive and
// failed are stopped, every transition is pending; the wait hint is the unit's time-out.
#include "cluster/service_systemd.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QThread>
#include <limits>

namespace service_ctl {

namespace {

const QString systemd_service = QStringLiteral("org.freedesktop.systemd1");
const QString manager_path = QStringLiteral("/org/freedesktop/systemd1");
const QString manager_iface = QStringLiteral("org.freedesktop.systemd1.Manager");
const QString unit_iface = QStringLiteral("org.freedesktop.systemd1.Unit");
const QString service_iface = QStringLiteral("org.freedesktop.systemd1.Service");

// Only systemd's own errors say the unit is unknown; any other (no owner of the name, a failed
// activation, no reply, a lost bus) means there is no service manager to ask.
bool manager_missing(const QDBusMessage &reply)
{
    return !reply.errorName().startsWith(QLatin1String("org.freedesktop.systemd1."));
}

quint32 usec_to_ms(qulonglong usec)
{
    const qulonglong ms = usec / 1000;   // "infinity" is the largest value: it stays the largest hint
    return ms > std::numeric_limits<quint32>::max() ? std::numeric_limits<quint32>::max() : quint32(ms);
}

} // namespace

systemd_backend::systemd_backend(const QDBusConnection &bus, int call_timeout_ms, int request_timeout_ms)
    : bus_(bus), call_timeout_ms_(call_timeout_ms), request_timeout_ms_(request_timeout_ms)
{
}

QDBusMessage systemd_backend::call(QDBusMessage msg, int timeout_ms)
{
    // An ordinary user gets the system's password prompt instead of a plain refusal.
    msg.setInteractiveAuthorizationAllowed(true);
    return bus_.call(msg, QDBus::Block, timeout_ms);
}

QDBusMessage systemd_backend::call_manager(const QString &method, const QVariantList &args, int timeout_ms)
{
    QDBusMessage msg = QDBusMessage::createMethodCall(systemd_service, manager_path, manager_iface, method);
    msg.setArguments(args);
    return call(msg, timeout_ms);
}

bool systemd_backend::property(const QString &iface, const QString &name, QVariant &out)
{
    QDBusMessage msg = QDBusMessage::createMethodCall(systemd_service, unit_path_,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    msg.setArguments({iface, name});
    const QDBusMessage reply = call(msg, call_timeout_ms_);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    out = reply.arguments().first().value<QDBusVariant>().variant();
    return out.isValid();
}

service_backend::open_result systemd_backend::open(const QByteArray &name)
{
    close();
    if (!bus_.isConnected())
        return open_result::no_manager;
    unit_ = QString::fromUtf8(name) + QStringLiteral(".service");
    const QDBusMessage reply = call_manager(QStringLiteral("LoadUnit"), {unit_}, call_timeout_ms_);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return manager_missing(reply) ? open_result::no_manager : open_result::no_service;
    unit_path_ = reply.arguments().first().value<QDBusObjectPath>().path();
    QVariant load_state;
    if (unit_path_.isEmpty() || !property(unit_iface, QStringLiteral("LoadState"), load_state) ||
        load_state.toString() == QLatin1String("not-found")) {
        unit_path_.clear();
        return open_result::no_service;
    }
    return open_result::ok;
}

void systemd_backend::close()
{
    unit_.clear();
    unit_path_.clear();
}

bool systemd_backend::query(status &out)
{
    QVariant active;
    if (unit_path_.isEmpty() || !property(unit_iface, QStringLiteral("ActiveState"), active))
        return false;
    const QString s = active.toString();
    out.check_point = 0;
    if (s == QLatin1String("active"))
        out.current = state::running;
    else if (s == QLatin1String("inactive") || s == QLatin1String("failed"))
        out.current = state::stopped;
    else
        out.current = state::pending;
    const QString timeout = s == QLatin1String("deactivating") ? QStringLiteral("TimeoutStopUSec")
                                                                : QStringLiteral("TimeoutStartUSec");
    QVariant usec;
    out.wait_hint_ms = property(service_iface, timeout, usec) ? usec_to_ms(usec.toULongLong()) : 0;
    return true;
}

bool systemd_backend::change(const QString &method, QString &reason)
{
    reason.clear();
    if (unit_.isEmpty())
        return false;
    const QDBusMessage reply = call_manager(method, {unit_, QStringLiteral("replace")}, request_timeout_ms_);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    reason = reply.errorMessage();
    return false;
}

bool systemd_backend::request_start(QString &reason) { return change(QStringLiteral("StartUnit"), reason); }

bool systemd_backend::request_stop(QString &reason) { return change(QStringLiteral("StopUnit"), reason); }

// The dialog's worker pauses through its call_off; this serves callers on a thread of their own.
void systemd_backend::sleep_ms(int ms) { QThread::msleep(ulong(ms)); }

qint64 systemd_backend::now_ms()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

std::unique_ptr<service_backend> platform_backend() { return std::make_unique<systemd_backend>(); }

} // namespace service_ctl
