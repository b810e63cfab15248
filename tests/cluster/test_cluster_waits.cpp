// The node manager while it waits: the master is asked from the link's thread and the services
// from theirs, so the window keeps running, shows what it waits for, skips refresh ticks while a
// request is out, and closes at once without any answer reaching it afterwards.
#include "cluster_helper.h"

#include "cluster/cluster_dlg.h"
#include "cluster/wait_note.h"
#include "common/modal_seam.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QtTest>

namespace {

QList<node_info> three_nodes()
{
    QList<node_info> out;
    for (const char *name : {"n1", "n2", "n3"}) {
        node_info n;
        n.name = name;
        n.ip = "127.0.0.1";
        n.port = quint16(7000 + out.size());
        n.max_space = 1000;
        out << n;
    }
    return out;
}

bool settled(cluster_dlg &dlg)
{
    return QTest::qWaitFor([&] { return !dlg.master().busy(); }, 15000);
}

} // namespace

class test_cluster_waits : public QObject {
    Q_OBJECT
private slots:
    void window_runs_while_the_master_is_silent()
    {
        scripted_master master({});
        master.hold();   // accepts and reads, never answers
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services(), 3000);
        dlg.sb_port->setValue(master.port());
        dlg.show();
        // A timer of the GUI thread: it ticks only while that thread is free.
        int ticks_while_waiting = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] { ticks_while_waiting += dlg.master().busy() ? 1 : 0; });
        probe.start(10);

        dlg.pb_connect->click();
        QVERIFY(dlg.master().busy());
        for (QObject *o : {static_cast<QObject *>(dlg.pb_connect), static_cast<QObject *>(dlg.act_add),
                           static_cast<QObject *>(dlg.act_modify)})
            QVERIFY2(!o->property("enabled").toBool(), qPrintable(o->objectName()));
        // Shown under the address, with the seconds going up.
        QTRY_VERIFY(dlg.wn_master->isVisible());
        QTRY_COMPARE(dlg.wn_master->label()->text(), QStringLiteral("waiting for the master '127.0.0.1' (1 s)"));
        QTRY_VERIFY_WITH_TIMEOUT(!answers.shown.empty(), 15000);
        QCOMPARE(answers.last_title(), QStringLiteral("query cluster infomation"));
        QCOMPARE(answers.last_text(), QStringLiteral("Query from the master '127.0.0.1' failed!"));
        QVERIFY2(ticks_while_waiting >= 20, qPrintable(QString::number(ticks_while_waiting)));
        QVERIFY(!dlg.connected());
        QVERIFY(!dlg.wn_master->isVisible());
        QVERIFY(dlg.pb_connect->isEnabled());
        QCOMPARE(master.requests(), 1);
    }

    void refresh_timer_skips_ticks_while_a_request_is_out()
    {
        scripted_master master(three_nodes());
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services(), 60000);
        dlg.sb_port->setValue(master.port());
        dlg.pb_connect->click();
        QVERIFY(settled(dlg));
        QCOMPARE(dlg.listWidget->count(), 3);
        QCOMPARE(master.requests(), 4);   // the names, then each node

        master.hold();
        QSignalSpy ticks(&dlg.timer(), &QTimer::timeout);
        dlg.timer().start(10);
        QTRY_VERIFY(ticks.count() >= 10);
        // The first tick asked; every later one found that request still out and let it be.
        QCOMPARE(master.requests(), 5);
        QVERIFY(dlg.master().busy());

        master.release();
        QTRY_VERIFY(master.requests() >= 9);   // that refresh ended, and a later tick asked again
        dlg.timer().stop();
        QVERIFY(settled(dlg));
        QCOMPARE(dlg.listWidget->count(), 3);
        QVERIFY2(answers.shown.empty(), qPrintable(answers.last_text()));
    }

    void closing_while_the_master_is_asked()
    {
        scripted_master master(three_nodes());
        master.hold();
        modal_seam::script answers;
        auto dlg = std::make_unique<cluster_dlg>(nullptr, quiet_services(), 60000);
        dlg->sb_port->setValue(master.port());
        dlg->pb_connect->click();
        QTRY_COMPARE(master.requests(), 1);   // the names query is out and unanswered
        QPointer<QThread> link_thread = dlg->master().thread();
        QVERIFY(link_thread);
        dlg->pb_close->click();
        QVERIFY(link_thread.isNull());   // the link's thread ended with the close
        QVERIFY(!dlg->master().busy());
        QVERIFY(!dlg->wn_master->waiting());
        QVERIFY(dlg->pb_connect->isEnabled());
        master.release();   // an answer now finds nobody who asked
        dlg.reset();
        QVERIFY(answers.shown.empty());
    }

    void closing_while_a_service_is_asked()
    {
        auto owned = std::make_unique<fake_services>();
        fake_services &f = *owned;
        bool gone = false;
        f.gone = &gone;
        f.services["vorn_tsdb_s"].states = {fake_services::running()};
        f.services["vorn_dt_cluster_s"];
        // A stop that never settles; the pause between two polls is ten seconds.
        f.services["vorn_tsdb_s"].after_stop = {fake_services::pending(1, 100000)};
        modal_seam::script answers;
        auto dlg = std::make_unique<cluster_dlg>(nullptr, std::move(owned));
        QTRY_VERIFY(dlg->pb_start->isEnabled());

        dlg->pb_start->click();
        QVERIFY(!dlg->pb_start->isEnabled() && !dlg->pb_c_start->isEnabled());
        QTRY_VERIFY(dlg->wn_service->isVisibleTo(dlg.get()));
        QVERIFY(dlg->wn_service->label()->text().startsWith(QStringLiteral("waiting for the service 'vorn_tsdb_s' (")));
        const int closes = f.closes;
        dlg->pb_close->click();
        // Called off, the sequence leaves its pause at once and releases the service.
        QTRY_VERIFY(f.closes > closes);
        QVERIFY(dlg->pb_start->isEnabled());
        dlg.reset();
        QVERIFY(gone);   // the worker and its backend went with the thread
        QVERIFY(answers.shown.empty());
    }

    void destroyed_during_a_call_to_the_manager()
    {
        auto owned = std::make_unique<fake_services>();
        fake_services &f = *owned;
        bool gone = false;
        f.gone = &gone;
        f.services["vorn_tsdb_s"].states = {fake_services::stopped()};
        f.services["vorn_dt_cluster_s"];
        modal_seam::script answers;
        auto dlg = std::make_unique<cluster_dlg>(nullptr, std::move(owned));
        QTRY_VERIFY(dlg->pb_start->isEnabled());
        f.close_gate();
        dlg->pb_start->click();
        QTRY_VERIFY(f.at_gate);
        QPointer<QThread> thread = dlg->services().thread();
        // The dialog goes without waiting for the call; the thread ends by itself after it.
        dlg.reset();
        QVERIFY(thread);
        f.open_gate();
        QTRY_VERIFY(thread.isNull());
        QVERIFY(gone);
        QVERIFY(answers.shown.empty());
    }
};

QTEST_MAIN(test_cluster_waits)
#include "test_cluster_waits.moc"
