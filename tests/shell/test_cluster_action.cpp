// The main window's "cluster manage(&m)": it runs the cluster node manager modally, which
// reaches no master until the user asks it to.
#include "cluster/cluster_dlg.h"
#include "main_window_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

using namespace mw_test;

class test_cluster_action : public window_test {
    Q_OBJECT

private slots:
    void init()
    {
        const QString why = open();
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }
    void cleanup() { close(); }

    void runs_the_node_manager()
    {
        QAction *act = w_->actions().cluster;
        QVERIFY(act->isEnabled());
        QCOMPARE(act->text(), QStringLiteral("cluster manage(&m)"));

        bool connected = true;
        int port = 0;
        QString title;
        seam_->on_dialog = [&](QDialog *d) {
            auto *dlg = qobject_cast<cluster_dlg *>(d);
            QVERIFY(dlg);
            title = dlg->windowTitle();
            connected = dlg->connected();
            port = dlg->sb_port->value();
        };
        seam_->push_result(QDialog::Rejected);
        act->trigger();
        QCOMPARE(seam_->shown.front().what, modal_seam::kind::dialog);
        QCOMPARE(title, QStringLiteral("cluster  node manager"));
        QCOMPARE(port, 55556);
        QVERIFY(!connected);
    }
};

QTEST_MAIN(test_cluster_action)
#include "test_cluster_action.moc"
