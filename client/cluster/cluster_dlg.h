// The cluster node manager: lists the nodes a cluster master reports, refreshes them on a timer,
// joins, detaches, adds, groups and edits nodes, shuts the cluster down, and starts or stops
// the local database and cluster services. The master and the services are asked from worker
// threads: the dialog shows that it waits, stays responsive and can be closed meanwhile.
#pragma once

#include "cluster/master_client.h"
#include "cluster/service_client.h"

#include <QDialog>
#include <QList>
#include <QTimer>
#include <memory>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class wait_note;

class cluster_dlg : public QDialog {
    Q_OBJECT
public:
    // services: the service manager to use; null takes the platform's. timeout_ms bounds each
    // exchange with the master.
    explicit cluster_dlg(QWidget *parent = nullptr, std::unique_ptr<service_ctl::service_backend> services = nullptr,
                         int timeout_ms = 5000);
    ~cluster_dlg() override;

    bool connected() const { return master_.connected(); }
    QTimer &timer() { return timer_; }
    master_client &master() { return master_; }
    service_client &services() { return *services_; }

    QLineEdit *le_ip = nullptr;
    QSpinBox *sb_port = nullptr;
    QPushButton *pb_connect = nullptr;
    QPushButton *pb_close = nullptr;
    QListWidget *listWidget = nullptr;
    QPushButton *pb_start = nullptr;
    QPushButton *pb_c_start = nullptr;
    QSpinBox *sb_time = nullptr;
    QCheckBox *cb_auto = nullptr;
    wait_note *wn_master = nullptr;    // under the master's address: a request is out
    wait_note *wn_service = nullptr;   // under the service buttons: a service is asked
    QAction *act_join = nullptr;
    QAction *act_detach = nullptr;
    QAction *act_add = nullptr;
    QAction *act_shutdown = nullptr;
    QAction *act_modify = nullptr;
    QAction *act_group = nullptr;

public slots:
    void tsdb_service_clk(bool checked = false);
    void cluster_service_clk(bool checked = false);
    void join(bool checked = false);
    void detach(bool checked = false);
    void add(bool checked = false);
    void shutdown(bool checked = false);
    void modify(bool checked = false);
    void group(bool checked = false);
    void auto_query();
    void allow_auto(int state);
    void query_all();
    void chg_item(QListWidgetItem *current, QListWidgetItem *previous);
    void reconnect(bool checked = false);
    void sel_chg();

protected:
    void done(int r) override;

private:
    // A node added or changed here, kept through a refresh of the list.
    struct kept_node {
        node_info n;
        bool master_icon = false;
    };

    void build_form();
    void build_actions();
    void update_actions();
    void update_service_buttons();
    QListWidgetItem *add_item(const node_info &n, bool master_icon, bool local = false);
    // The nodes of the list other than skip, for the duplicate check of the parameters form.
    QList<node_info> other_nodes(const QListWidgetItem *skip) const;
    QStringList local_names() const;
    void restore_kept();

    void on_master_reply(const master_reply &r);
    void on_node_listed(const node_info &n);
    void refresh_done(const master_reply &r);
    void membership_done(const master_reply &r);
    void shutdown_done(const master_reply &r);
    // The master stopped answering or broke the connection: tell the user, forget the link.
    void lost(const QString &title, const QString &text);
    void master_wait();
    void membership(bool detach);

    void on_service_done(const service_client::outcome &o);
    void service_wait(const QByteArray &name);
    void show_service_icon(const QByteArray &name, bool running);
    QString master_ip() const;

    master_client master_;
    QTimer timer_;
    service_client *services_ = nullptr;
    QListWidgetItem *membership_item_ = nullptr;   // the item a join or detach is about
    bool membership_detach_ = false;
    QList<kept_node> kept_;                       // local nodes while a refresh runs
    bool answering_ = false;                      // a reply is being shown (its box may let timers fire)
    bool cluster_click_ = false;                  // the cluster button asked for the state first
};
