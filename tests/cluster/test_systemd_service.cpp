// The systemd side of service control against a stand-in systemd on a private D-Bus daemon:
// unit lookup, states, time-outs as wait hints, start and stop, refusals with their reason.
#include "cluster/service_systemd.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMap>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

namespace {

// Answers the few systemd calls the backend makes. Runs on its own thread: the backend's calls block.
class fake_systemd : public QDBusVirtualObject {
public:
    struct unit {
        QStringList states;          // ActiveState answers in turn; the last one stays
        QStringList after_start{"activating", "active"};
        QStringList after_stop{"deactivating", "inactive"};
        bool deny = false;
    };
    QMutex lock;
    QMap<QString, unit> units;   // by unit name, e.g. "vorn_tsdb_s.service"
    QMap<QString, int> calls, interactive;   // by member: calls, and those allowing a password prompt

    QString introspect(const QString &) const override { return {}; }

    bool handleMessage(const QDBusMessage &m, const QDBusConnection &bus) override
    {
        QMutexLocker guard(&lock);
        const QString member = m.member();
        const QVariantList a = m.arguments();
        ++calls[member];
        interactive[member] += m.isInteractiveAuthorizationAllowed() ? 1 : 0;
        if (member == QLatin1String("LoadUnit")) {
            const QString path = QStringLiteral("/org/freedesktop/systemd1/unit/") +
                                 QString::fromLatin1(a.value(0).toString().toLatin1().toHex());
            bus.send(m.createReply(QVariant::fromValue(QDBusObjectPath(path))));
            return true;
        }
        if (member == QLatin1String("StartUnit") || member == QLatin1String("StopUnit")) {
            const QString name = a.value(0).toString();
            if (!units.contains(name)) {
                bus.send(m.createErrorReply(QStringLiteral("org.freedesktop.systemd1.NoSuchUnit"), QStringLiteral("no unit")));
                return true;
            }
            unit &u = units[name];
            if (u.deny) {
                bus.send(m.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                                            QStringLiteral("Access denied")));
                return true;
            }
            u.states = member == QLatin1String("StartUnit") ? u.after_start : u.after_stop;
            bus.send(m.createReply(QVariant::fromValue(QDBusObjectPath("/org/freedesktop/systemd1/job/1"))));
            return true;
        }
        if (member == QLatin1String("Get")) {
            const QString name = QString::fromLatin1(QByteArray::fromHex(m.path().section('/', -1).toLatin1()));
            const QString prop = a.value(1).toString();
            QVariant v;
            if (prop == QLatin1String("LoadState")) {
                v = units.contains(name) ? QStringLiteral("loaded") : QStringLiteral("not-found");
            } else if (prop == QLatin1String("ActiveState")) {
                unit &u = units[name];
                v = u.states.value(0, QStringLiteral("inactive"));
                if (u.states.size() > 1)
                    u.states.removeFirst();
            } else if (prop == QLatin1String("TimeoutStartUSec") || prop == QLatin1String("TimeoutStopUSec")) {
                v = QVariant::fromValue(qulonglong(3000000));
            }
            bus.send(m.createReply(QVariant::fromValue(QDBusVariant(v))));
            return true;
        }
        return false;
    }
};

} // namespace

class test_systemd_service : public QObject {
    Q_OBJECT

    QProcess daemon_;
    QString address_;
    QThread fake_thread_;
    fake_systemd *fake_ = nullptr;

    QDBusConnection client_bus() { return QDBusConnection::connectToBus(address_, QStringLiteral("client")); }

private slots:
    void initTestCase()
    {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (exe.isEmpty())
            QSKIP("dbus-daemon is not installed: the systemd side cannot be tried");
        daemon_.start(exe, {"--session", "--nofork", "--print-address=1"});
        QVERIFY(daemon_.waitForStarted(5000));
        QVERIFY(daemon_.waitForReadyRead(5000));
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        QVERIFY(!address_.isEmpty());
        QVERIFY(client_bus().isConnected());
    }

    void cleanupTestCase()
    {
        fake_thread_.quit();
        fake_thread_.wait();
        delete fake_;
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("systemd"));
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }

    void no_bus_and_no_systemd()
    {
        service_ctl::systemd_backend nowhere(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                                           QStringLiteral("nowhere")));
        QCOMPARE(service_ctl::start(nowhere, "vorn_tsdb_s").text, QStringLiteral("Open the service manager failed!"));
        QVERIFY(!service_ctl::is_running(nowhere, "vorn_tsdb_s"));
        // A bus where nobody answers for systemd.
        service_ctl::systemd_backend empty(client_bus(), 2000);
        QCOMPARE(service_ctl::stop(empty, "vorn_tsdb_s").text, QStringLiteral("Open the service manager failed!"));
    }

    void units_states_and_requests()
    {
        fake_ = new fake_systemd;
        fake_->units[QStringLiteral("vorn_tsdb_s.service")].states = QStringList{QStringLiteral("inactive")};
        fake_->units[QStringLiteral("vorn_dt_cluster_s.service")].states = QStringList{QStringLiteral("failed")};
        fake_thread_.start();
        QDBusConnection side = QDBusConnection::connectToBus(address_, QStringLiteral("systemd"));
        QVERIFY(side.registerVirtualObject(QStringLiteral("/org/freedesktop/systemd1"), fake_,
                                           QDBusConnection::SubPath));
        fake_->moveToThread(&fake_thread_);
        QVERIFY(side.registerService(QStringLiteral("org.freedesktop.systemd1")));

        service_ctl::systemd_backend b(client_bus());
        QCOMPARE(service_ctl::start(b, "vorn_nothing_s").text, QStringLiteral("Open the service 'vorn_nothing_s' failed!"));
        QVERIFY(!service_ctl::is_running(b, "vorn_tsdb_s"));

        service_ctl::status st;
        QCOMPARE(b.open("vorn_tsdb_s"), service_ctl::service_backend::open_result::ok);
        QVERIFY(b.query(st));
        QCOMPARE(st.current, service_ctl::state::stopped);
        QCOMPARE(st.wait_hint_ms, quint32(3000));   // the unit's time-out
        b.close();

        // inactive -> activating -> active, with one poll of a second in between.
        QElapsedTimer clock;
        clock.start();
        service_ctl::report r = service_ctl::start(b, "vorn_tsdb_s");
        QVERIFY2(r.ok, qPrintable(r.text));
        QCOMPARE(r.text, QStringLiteral("The service 'vorn_tsdb_s' start successful"));
        // A lower bound only: the wait between polls cannot be shorter; load only lengthens it.
        QVERIFY(clock.elapsed() >= 900);
        QVERIFY(service_ctl::is_running(b, "vorn_tsdb_s"));
        r = service_ctl::stop(b, "vorn_tsdb_s");
        QCOMPARE(r.text, QStringLiteral("The service 'vorn_tsdb_s' stop successful"));

        // "failed" counts as stopped; a refusal carries the bus's reason on a second line.
        {
            QMutexLocker guard(&fake_->lock);
            fake_->units[QStringLiteral("vorn_dt_cluster_s.service")].deny = true;
        }
        r = service_ctl::start(b, "vorn_dt_cluster_s");
        QVERIFY(!r.ok);
        QCOMPARE(r.text, QStringLiteral("The service 'vorn_dt_cluster_s' start failed\nAccess denied"));
        QCOMPARE(service_ctl::stop(b, "vorn_dt_cluster_s").text, QStringLiteral("The service 'vorn_dt_cluster_s' is stoped"));

        // Every call lets systemd ask an ordinary user for the password instead of refusing.
        QMutexLocker guard(&fake_->lock);
        for (const char *member : {"LoadUnit", "Get", "StartUnit", "StopUnit"}) {
            QVERIFY2(fake_->calls.value(member) > 0, member);
            QCOMPARE(fake_->interactive.value(member), fake_->calls.value(member));
        }
    }
};

QTEST_MAIN(test_systemd_service)
#include "test_systemd_service.moc"
