// The node manager dialog end to end against the development master, with the development
// server as a running node and two nodes that are not running.
#include "cluster_helper.h"
#include "devserver_process.h"

#include "cluster/cluster_dlg.h"
#include "cluster/node_params_dlg.h"
#include "common/modal_seam.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QtTest>

namespace {

QImage image_of(const QIcon &icon) { return icon.pixmap(32, 32).toImage(); }

bool shows_icon(const QListWidgetItem *item, const QString &path)
{
    return image_of(item->icon()) == image_of(QIcon(path));
}

node_info record(const QListWidgetItem *item)
{
    node_info n;
    node_of(item, n);
    return n;
}

// The dialog has its answer from the master (or gave up).
bool settled(cluster_dlg &dlg)
{
    return QTest::qWaitFor([&] { return !dlg.master().busy(); }, 15000);
}

QListWidgetItem *item_named(QListWidget *list, const QByteArray &name)
{
    for (int i = 0; i < list->count(); ++i)
        if (record(list->item(i)).name == name)
            return list->item(i);
    return nullptr;
}

} // namespace

class test_cluster_dlg : public QObject {
    Q_OBJECT

    std::unique_ptr<devserver_process> server_;
    std::unique_ptr<devmaster_process> master_;
    int dead1_ = 0, dead2_ = 0;

    void start_master()
    {
        master_ = std::make_unique<devmaster_process>(QStringList{
            "--node", QStringLiteral("ds=127.0.0.1:%1:%2").arg(server_->port()).arg(10ull << 30),
            "--node", QStringLiteral("off1=127.0.0.1:%1:1000").arg(dead1_),
            "--node", QStringLiteral("off2=127.0.0.1:%1:2000").arg(dead2_)});
    }

    void connect_dialog(cluster_dlg &dlg)
    {
        dlg.sb_port->setValue(master_->port());
        dlg.pb_connect->click();
        QVERIFY(settled(dlg));
    }

private slots:
    void initTestCase()
    {
        server_ = std::make_unique<devserver_process>(QStringList{"--demo"});
        QVERIFY2(server_->ok(), qPrintable(server_->error()));
        dead1_ = free_port();
        dead2_ = free_port();
    }

    void init()
    {
        if (!master_ || !master_->running())
            start_master();
        QVERIFY2(master_->ok(), qPrintable(master_->error()));
    }

    void form_defaults_and_no_master()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services(), 1000);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("cluster  node manager"));
        QCOMPARE(dlg.le_ip->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(dlg.sb_port->value(), 55556);
        QCOMPARE(dlg.sb_port->minimum(), 1);
        QCOMPARE(dlg.sb_port->maximum(), 65535);
        QVERIFY(!dlg.connected());   // nothing is reached before "reconnect(&c)"
        QVERIFY(answers.shown.empty());
        const QList<QAction *> acts = dlg.listWidget->actions();
        QCOMPARE(acts.size(), 6);
        QCOMPARE(acts.at(0)->text(), QStringLiteral("join node(&j)"));
        QCOMPARE(acts.at(5)->text(), QStringLiteral("group(&g)"));
        for (QAction *a : {dlg.act_join, dlg.act_detach, dlg.act_shutdown, dlg.act_modify, dlg.act_group})
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(dlg.act_add->isEnabled());

        dlg.sb_port->setValue(dead1_);
        dlg.pb_connect->click();
        QVERIFY(settled(dlg));
        QVERIFY(!dlg.connected());
        QCOMPARE(answers.last_title(), QStringLiteral("connect to cluster infomation"));
        QCOMPARE(answers.last_text(), QStringLiteral("Connect to the master '127.0.0.1' failed!"));
    }

    void list_icons_and_query()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        connect_dialog(dlg);
        QVERIFY(dlg.connected());
        QVERIFY2(answers.shown.empty(), qPrintable(answers.last_text()));
        QCOMPARE(dlg.listWidget->count(), 3);
        const QListWidgetItem *ds = dlg.listWidget->item(0);
        const node_info n = record(ds);
        QCOMPARE(n.name, QByteArray("ds"));
        QCOMPARE(n.running, quint8(1));
        QVERIFY2(n.use_space > 0, "the development server reports the bytes of its demo tables");
        QCOMPARE(n.max_space, 10ull << 30);
        QCOMPARE(ds->text(), QStringLiteral("ds  @  127.0.0.1:%1").arg(server_->port()));
        QVERIFY(shows_icon(ds, QStringLiteral(":/img/cluster/node_0.svg")));
        QCOMPARE(ds->foreground().color(), QColor(Qt::gray));
        for (int i = 1; i < 3; ++i) {
            QCOMPARE(record(dlg.listWidget->item(i)).running, quint8(0));
            QVERIFY(shows_icon(dlg.listWidget->item(i), QStringLiteral(":/img/cluster/node_pwr_off.svg")));
        }
        QCOMPARE(record(dlg.listWidget->item(2)).name, QByteArray("off2"));

        dlg.listWidget->setCurrentRow(1);
        QVERIFY(dlg.act_join->isEnabled() && dlg.act_modify->isEnabled() && dlg.act_group->isEnabled());

        // The refresh lists the same nodes again rather than adding to the list.
        dlg.query_all();
        QVERIFY(settled(dlg));
        QCOMPARE(dlg.listWidget->count(), 3);
        QVERIFY(!dlg.act_join->isEnabled());   // the refresh left no current item

        dlg.cb_auto->setChecked(true);
        QVERIFY(dlg.timer().isActive());
        QCOMPARE(dlg.timer().interval(), 60000);
        dlg.sb_time->setValue(3);
        QCOMPARE(dlg.timer().interval(), 180000);
        dlg.cb_auto->setChecked(false);
        QVERIFY(!dlg.timer().isActive());
    }

    void join_detach_and_unreachable_nodes()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        connect_dialog(dlg);
        QCOMPARE(dlg.listWidget->count(), 3);

        dlg.listWidget->setCurrentItem(item_named(dlg.listWidget, "ds"));
        dlg.act_join->trigger();
        QVERIFY(settled(dlg));
        QCOMPARE(answers.last_title(), QStringLiteral("join cluster infomation"));
        QCOMPARE(answers.last_text(), QStringLiteral("join to the cluster successful!"));
        QCOMPARE(dlg.listWidget->count(), 3);
        QListWidgetItem *ds = item_named(dlg.listWidget, "ds");
        QCOMPARE(dlg.listWidget->row(ds), 2);   // listed again after the others
        QCOMPARE(record(ds).group, 1);
        QCOMPARE(ds->foreground().color(), QColor(Qt::darkGreen));

        dlg.listWidget->setCurrentItem(ds);
        dlg.act_detach->trigger();
        QVERIFY(settled(dlg));
        QCOMPARE(answers.last_title(), QStringLiteral("detach cluster infomation"));
        QCOMPARE(answers.last_text(), QStringLiteral("detach from the cluster successful!"));
        QCOMPARE(record(item_named(dlg.listWidget, "ds")).group, 0);

        // A node that does not answer is not sent to the master.
        dlg.listWidget->setCurrentItem(item_named(dlg.listWidget, "off1"));
        dlg.act_join->trigger();
        QVERIFY(settled(dlg));
        QCOMPARE(answers.last_title(), QStringLiteral("join cluster infomation"));
        QCOMPARE(answers.last_text(), QStringLiteral("connect to the node 'off1' failed!"));
        dlg.query_all();
        QVERIFY(settled(dlg));
        QCOMPARE(record(item_named(dlg.listWidget, "off1")).group, 0);
    }

    void add_modify_and_group()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        connect_dialog(dlg);
        answers.on_dialog = [](QDialog *d) {
            auto *p = qobject_cast<node_params_dlg *>(d);
            QVERIFY(p);
            p->le_name->setText(QStringLiteral("local"));
            p->le_ip->setText(QStringLiteral("10.1.2.3"));
            p->sb_port->setValue(6000);
            p->sb_space->setValue(2);
            p->cb_unit->setCurrentIndex(3);
        };
        answers.push_result(QDialog::Accepted);
        dlg.act_add->trigger();
        QCOMPARE(dlg.listWidget->count(), 4);
        QListWidgetItem *local = dlg.listWidget->item(3);
        node_info n = record(local);
        QCOMPARE(n.name, QByteArray("local"));
        QCOMPARE(n.ip, QByteArray("10.1.2.3"));
        QCOMPARE(n.port, quint16(6000));
        QCOMPARE(n.max_space, 2ull << 30);
        QCOMPARE(n.group, 0);
        QVERIFY(shows_icon(local, QStringLiteral(":/img/cluster/mnode_pwr_off.svg")));

        // Modify shows the item's values and writes the edited ones back; nothing goes out.
        QString shown_name;
        answers.on_dialog = [&](QDialog *d) {
            auto *p = qobject_cast<node_params_dlg *>(d);
            shown_name = p->le_name->text();
            QVERIFY(p->sb_gid->isVisibleTo(p));
            p->sb_port->setValue(6001);
            p->sb_gid->setValue(7);
        };
        answers.push_result(QDialog::Accepted);
        dlg.listWidget->setCurrentItem(local);
        dlg.act_modify->trigger();
        QCOMPARE(shown_name, QStringLiteral("local"));
        n = record(local);
        QCOMPARE(n.port, quint16(6001));
        QCOMPARE(n.group, 7);
        QCOMPARE(n.max_space, 2ull << 30);
        QCOMPARE(local->text(), QStringLiteral("local  @  10.1.2.3:6001"));
        answers.push_result(QDialog::Rejected);
        dlg.act_modify->trigger();
        QCOMPARE(record(local).port, quint16(6001));

        // Groups 1 and 7 in the list: the selected nodes get 8.
        show_node(dlg.listWidget->item(0), [&] { node_info m = record(dlg.listWidget->item(0)); m.group = 1; return m; }(), false);
        dlg.listWidget->clearSelection();
        dlg.listWidget->item(1)->setSelected(true);
        dlg.listWidget->item(2)->setSelected(true);
        dlg.act_group->trigger();
        QCOMPARE(record(dlg.listWidget->item(1)).group, 8);
        QCOMPARE(record(dlg.listWidget->item(2)).group, 8);
        QCOMPARE(record(dlg.listWidget->item(0)).group, 1);
        QCOMPARE(dlg.listWidget->item(2)->foreground().color(), QColor(Qt::darkGreen));

        // No id is left past the largest: the smallest free one is taken instead of overflowing.
        show_node(local, [&] { node_info m = record(local); m.group = 2147483647; return m; }(), true);
        dlg.listWidget->clearSelection();
        dlg.listWidget->item(0)->setSelected(true);
        dlg.act_group->trigger();
        QCOMPARE(record(dlg.listWidget->item(0)).group, 2);
    }

    // Local nodes: duplicates are refused, the form says how nodes join, a refresh keeps what
    // was added here and a reconnect asks before it drops it.
    void local_nodes_duplicates_and_reconnect()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        connect_dialog(dlg);
        QCOMPARE(dlg.listWidget->count(), 3);
        const struct {
            QString name;
            int port;
            QString refusal;
        } clashes[] = {
            {"ds", 7000, "A node named 'ds' is already in the list."},
            {"other", server_->port(), QStringLiteral("The address 127.0.0.1:%1 is already in the list (node 'ds').")
                                           .arg(server_->port())},
        };
        for (const auto &c : clashes) {
            bool ok_enabled = true;
            QString shown_clash, note;
            answers.on_dialog = [&](QDialog *d) {
                auto *p = qobject_cast<node_params_dlg *>(d);
                p->le_name->setText(c.name);
                p->sb_port->setValue(c.port);
                ok_enabled = p->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->isEnabled();
                shown_clash = p->lbl_clash->text();
                note = p->lbl_note->text();
            };
            answers.push_result(QDialog::Accepted);   // an answer past the disabled button
            dlg.act_add->trigger();
            QVERIFY(!ok_enabled);
            QCOMPARE(shown_clash, c.refusal);
            QVERIFY(note.contains(QStringLiteral("through the master")));
            QCOMPARE(answers.last_text(), c.refusal);
            QCOMPARE(dlg.listWidget->count(), 3);
        }

        answers.on_dialog = [](QDialog *d) {
            auto *p = qobject_cast<node_params_dlg *>(d);
            p->le_name->setText(QStringLiteral("fresh"));
            p->sb_port->setValue(7001);
        };
        answers.push_result(QDialog::Accepted);
        dlg.act_add->trigger();
        QCOMPARE(dlg.listWidget->count(), 4);
        // Renaming a listed node to another's name is refused too.
        answers.on_dialog = [](QDialog *d) { qobject_cast<node_params_dlg *>(d)->le_name->setText(QStringLiteral("off1")); };
        answers.push_result(QDialog::Accepted);
        dlg.listWidget->setCurrentItem(item_named(dlg.listWidget, "fresh"));
        dlg.act_modify->trigger();
        QCOMPARE(answers.last_text(), QStringLiteral("A node named 'off1' is already in the list."));
        QVERIFY(item_named(dlg.listWidget, "fresh"));

        // The periodic refresh lists the master's nodes again and keeps the one added here.
        answers.on_dialog = nullptr;
        const size_t before = answers.shown.size();
        dlg.query_all();
        QVERIFY(settled(dlg));
        QCOMPARE(dlg.listWidget->count(), 4);
        QVERIFY(item_named(dlg.listWidget, "fresh"));
        QCOMPARE(answers.shown.size(), before);

        // A reconnect would drop it: the question comes first and its default keeps the list.
        answers.push_button(QMessageBox::No);
        dlg.pb_connect->click();
        QCOMPARE(answers.shown.back().what, modal_seam::kind::warning);
        QCOMPARE(answers.shown.back().default_button, QMessageBox::No);
        QVERIFY(answers.last_text().contains(QStringLiteral("(fresh)")));
        QVERIFY(!dlg.master().busy());
        QCOMPARE(dlg.listWidget->count(), 4);
        QVERIFY(dlg.connected());
        answers.push_button(QMessageBox::Yes);
        dlg.pb_connect->click();
        QVERIFY(settled(dlg));
        QCOMPARE(dlg.listWidget->count(), 3);
        QVERIFY(!item_named(dlg.listWidget, "fresh"));
        // With nothing local left, reconnecting asks nothing.
        const size_t asked = answers.shown.size();
        dlg.pb_connect->click();
        QVERIFY(settled(dlg));
        QCOMPARE(answers.shown.size(), asked);
    }

    void shutdown_asks_first()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        connect_dialog(dlg);
        answers.push_button(QMessageBox::No);
        dlg.act_shutdown->trigger();
        const modal_seam::request &q = answers.shown.back();
        QCOMPARE(q.what, modal_seam::kind::warning);
        QCOMPARE(q.title, QStringLiteral("cluster infomation"));
        QCOMPARE(q.text, QStringLiteral("Shutdown the master '127.0.0.1' will quit all cluster, do you want continue?"));
        QCOMPARE(q.default_button, QMessageBox::No);
        QCOMPARE(dlg.listWidget->count(), 3);
        QVERIFY(master_->running());
        QVERIFY(dlg.connected());

        answers.push_button(QMessageBox::Yes);
        dlg.act_shutdown->trigger();
        QVERIFY(settled(dlg));
        QCOMPARE(dlg.listWidget->count(), 0);
        QVERIFY(master_->wait_exit(5000));
        QVERIFY(!dlg.connected());
        QVERIFY(!dlg.act_shutdown->isEnabled());
        const size_t shown = answers.shown.size();
        dlg.query_all();   // nothing to ask while not connected
        QCOMPARE(answers.shown.size(), shown);
    }

    void closing_the_dialog_closes_the_link()
    {
        modal_seam::script answers;
        cluster_dlg dlg(nullptr, quiet_services());
        connect_dialog(dlg);
        QVERIFY(dlg.connected());
        dlg.cb_auto->setChecked(true);
        dlg.pb_close->click();
        QVERIFY(!dlg.connected());
        QVERIFY(!dlg.timer().isActive());
    }
};

QTEST_MAIN(test_cluster_dlg)
#include "test_cluster_dlg.moc"
