// The main window's "cluster manage(&m)": it runs the cluster node manager modally, which
// reaches no master until the user asks it to.
#include "cluster/cluster_dlg.h"
#include "main_window_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

using namespace mw_test;

class test_cluster_action : public QObject {
    Q_OBJECT

private slots:
    void runs_the_node_manager()
    {
        modal_seam::script seam;
        devserver_process server;
        QVERIFY2(server.ok(), qPrintable(server.error()));
        std::unique_ptr<MainWindow> w = open_window(server);
        QVERIFY(w);
        QAction *act = w->actions().cluster;
        QVERIFY(act->isEnabled());
        QCOMPARE(act->text(), QStringLiteral("cluster manage(&m)"));

        bool connected = true;
        int port = 0;
        QString title;
        seam.on_dialog = [&](QDialog *d) {
            auto *dlg = qobject_cast<cluster_dlg *>(d);
            QVERIFY(dlg);
            title = dlg->windowTitle();
            connected = dlg->connected();
            port = dlg->sb_port->value();
        };
        seam.push_result(QDialog::Rejected);
        act->trigger();
        QCOMPARE(seam.shown.front().what, modal_seam::kind::dialog);
        QCOMPARE(title, QStringLiteral("cluster  node manager"));
        QCOMPARE(port, 55556);
        QVERIFY(!connected);
        w.reset();
        exit_to_server();
    }
};

QTEST_MAIN(test_cluster_action)
#include "test_cluster_action.moc"
