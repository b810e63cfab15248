// Start, stop and the wait for a stable state, driven through a scripted service manager, and
// the dialog's service buttons on top of them.
#include "cluster_helper.h"

#include "cluster/cluster_dlg.h"
#include "common/modal_seam.h"

#include <QIcon>
#include <QPushButton>
#include <QtTest>

using namespace service_ctl;

namespace {
QImage icon_image(const QIcon &icon) { return icon.pixmap(24, 24).toImage(); }

// The service buttons are free again: the service manager answered everything asked.
bool settled(cluster_dlg &dlg)
{
    return QTest::qWaitFor([&] { return !dlg.services().busy() && dlg.pb_start->isEnabled(); }, 15000);
}
} // namespace

class test_service_control : public QObject {
    Q_OBJECT
private slots:
    void missing_manager_and_service()
    {
        fake_services f;
        f.manager = false;
        QCOMPARE(start(f, "vorn_tsdb_s").text, QStringLiteral("Open the service manager failed!"));
        QVERIFY(!is_running(f, "vorn_tsdb_s"));
        f.manager = true;
        const report r = stop(f, "vorn_tsdb_s");
        QVERIFY(!r.ok);
        QCOMPARE(r.text, QStringLiteral("Open the service 'vorn_tsdb_s' failed!"));
        // Whatever was opened is released on every path.
        QCOMPARE(f.closes.load(), f.opens.load());
    }

    void interval_of_the_wait()
    {
        QCOMPARE(poll_interval_ms(0), 1000);
        QCOMPARE(poll_interval_ms(25000), 2500);
        QCOMPARE(poll_interval_ms(300000), 10000);
        QCOMPARE(poll_interval_ms(0xFFFFFFFFu), 10000);
    }

    void start_waits_while_pending_advances()
    {
        fake_services f;
        auto &s = f.services["vorn_tsdb_s"];
        s.states = {fake_services::stopped()};
        // Progress every poll for longer than the hint: the advancing check point keeps it waiting.
        s.after_start = {fake_services::pending(1, 0), fake_services::pending(2, 0), fake_services::pending(3, 0),
                         fake_services::pending(4, 0), fake_services::running()};
        const report r = start(f, "vorn_tsdb_s");
        QVERIFY2(r.ok, qPrintable(r.text));
        QCOMPARE(r.text, QStringLiteral("The service 'vorn_tsdb_s' start successful"));
        QCOMPARE(f.sleeps, (std::vector<int>{1000, 1000, 1000, 1000}));
        QCOMPARE(f.closes.load(), f.opens.load());
    }

    void pending_without_progress_times_out()
    {
        fake_services f;
        auto &s = f.services["vorn_dt_cluster_s"];
        s.states = {fake_services::pending(7, 3000)};
        const report r = stop(f, "vorn_dt_cluster_s");
        QVERIFY(!r.ok);
        QCOMPARE(r.text, QStringLiteral("Timeout waiting for the service 'vorn_dt_cluster_s' to stop"));
        QCOMPARE(s.stops, 0);   // never asked while it was not stable
        QVERIFY(f.clock_ms > 3000 && f.clock_ms <= 5000);
    }

    void already_there_and_refused()
    {
        fake_services f;
        auto &s = f.services["vorn_tsdb_s"];
        s.states = {fake_services::running()};
        QCOMPARE(start(f, "vorn_tsdb_s").text, QStringLiteral("The service 'vorn_tsdb_s' is running"));
        QCOMPARE(s.starts, 0);
        s.states = {fake_services::stopped()};
        QCOMPARE(stop(f, "vorn_tsdb_s").text, QStringLiteral("The service 'vorn_tsdb_s' is stoped"));
        s.refuse = true;
        s.reason = QStringLiteral("Access denied");
        const report r = start(f, "vorn_tsdb_s");
        QVERIFY(!r.ok);
        QCOMPARE(r.text, QStringLiteral("The service 'vorn_tsdb_s' start failed\nAccess denied"));
        // A start that settles in another state than running is a failure, not a success.
        s.refuse = false;
        s.after_start = {fake_services::pending(0, 0), fake_services::stopped()};
        QCOMPARE(start(f, "vorn_tsdb_s").text, QStringLiteral("The service 'vorn_tsdb_s' start failed"));
    }

    void buttons_toggle_and_show_the_state()
    {
        auto owned = std::make_unique<fake_services>();
        fake_services &f = *owned;
        f.services["vorn_tsdb_s"].states = {fake_services::running()};
        f.services["vorn_dt_cluster_s"].states = {fake_services::running()};
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, std::move(owned));
        QVERIFY(settled(dlg));
        const QImage stop_icon = icon_image(QIcon(QStringLiteral(":/img/cluster/service_stop.svg")));
        const QImage start_icon = icon_image(QIcon(QStringLiteral(":/img/cluster/service_start.svg")));
        QCOMPARE(icon_image(dlg.pb_start->icon()), stop_icon);

        dlg.pb_start->click();
        QVERIFY(!dlg.pb_start->isEnabled() && !dlg.pb_c_start->isEnabled());   // nothing re-enters
        QVERIFY(settled(dlg));
        QCOMPARE(f.services["vorn_tsdb_s"].stops, 1);
        QCOMPARE(answers.last_title(), QStringLiteral("service infomation"));
        QCOMPARE(answers.last_text(), QStringLiteral("The service 'vorn_tsdb_s' stop successful"));
        QCOMPARE(icon_image(dlg.pb_start->icon()), start_icon);

        // Stopping the cluster service asks first; the default answer keeps it running.
        answers.push_button(QMessageBox::No);
        dlg.pb_c_start->click();
        QVERIFY(settled(dlg));
        QCOMPARE(answers.shown.back().what, modal_seam::kind::warning);
        QCOMPARE(answers.shown.back().default_button, QMessageBox::No);
        QCOMPARE(answers.last_title(), QStringLiteral("cluster service infomation"));
        QCOMPARE(f.services["vorn_dt_cluster_s"].stops, 0);
        answers.push_button(QMessageBox::Yes);
        dlg.pb_c_start->click();
        QVERIFY(settled(dlg));
        QCOMPARE(f.services["vorn_dt_cluster_s"].stops, 1);
        QCOMPARE(icon_image(dlg.pb_c_start->icon()), start_icon);

        // A service that is not installed: the failure box, and the button offers a start.
        f.services.remove("vorn_tsdb_s");
        dlg.pb_start->click();
        QVERIFY(settled(dlg));
        QCOMPARE(answers.last_text(), QStringLiteral("Open the service 'vorn_tsdb_s' failed!"));
        QCOMPARE(icon_image(dlg.pb_start->icon()), start_icon);
    }
};

QTEST_MAIN(test_service_control)
#include "test_service_control.moc"
