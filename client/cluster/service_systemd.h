// Services through systemd on the system D-Bus: a service name is the unit "<name>.service".
#pragma once

#include "cluster/service_control.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

namespace service_ctl {

class systemd_backend : public service_backend {
public:
    // The bus is a parameter so tests can stand a fake systemd on a private bus. Start and stop
    // requests may wait for the system's password prompt: they get the longer time-out.
    explicit systemd_backend(const QDBusConnection &bus = QDBusConnection::systemBus(), int call_timeout_ms = 5000,
                             int request_timeout_ms = 120000);

    open_result open(const QByteArray &name) override;
    void close() override;
    bool query(status &out) override;
    bool request_start(QString &reason) override;
    bool request_stop(QString &reason) override;
    void sleep_ms(int ms) override;
    qint64 now_ms() override;

private:
    QDBusMessage call(QDBusMessage msg, int timeout_ms);
    QDBusMessage call_manager(const QString &method, const QVariantList &args, int timeout_ms);
    bool property(const QString &iface, const QString &name, QVariant &out);
    bool change(const QString &method, QString &reason);

    QDBusConnection bus_;
    int call_timeout_ms_;
    int request_timeout_ms_;
    QString unit_;
    QString unit_path_;
};

} // namespace service_ctl
