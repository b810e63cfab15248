// The cluster node manager: lists the nodes a cluster master reports, refreshes them on a timer,
// joins, detaches, adds, groups and edits nodes, shuts the cluster down, and starts or stops
// the local database and cluster services.
#pragma once

#include "cluster/master_link.h"
#include "cluster/service_control.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

class cluster_dlg : public QDialog {
    Q_OBJECT
public:
    // services: the service manager to use; null takes the platform's.
    explicit cluster_dlg(QWidget *parent = nullptr, std::unique_ptr<service_ctl::service_backend> services = nullptr,
                         int timeout_ms = 5000);
    ~cluster_dlg() override;

    bool connected() const { return link_.is_open(); }
    QTimer &timer() { return timer_; }

    QLineEdit *le_ip = nullptr;
    QSpinBox *sb_port = nullptr;
    QPushButton *pb_connect = nullptr;
    QPushButton *pb_close = nullptr;
    QListWidget *listWidget = nullptr;
    QPushButton *pb_start = nullptr;
    QPushButton *pb_c_start = nullptr;
    QSpinBox *sb_time = nullptr;
    QCheckBox *cb_auto = nullptr;
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
    void build_form();
    void build_actions();
    void update_actions();
    // Queries one node and lists it; false (list cleared, user told) when the master refuses.
    bool query_node(const QByteArray &name);
    void add_item(const node_info &n, bool master_icon);
    // The master stopped answering or broke the connection: tell the user, forget the link.
    void lost(const QString &title, const QString &text);
    void membership(bool detach);
    void toggle_service(const QByteArray &name, QPushButton *button);
    void show_service_icon(const QByteArray &name, QPushButton *button);
    QString master_ip() const;

    master_link link_;
    QTimer timer_;
    std::unique_ptr<service_ctl::service_backend> services_;
    int timeout_ms_;
    bool querying_ = false;   // a refresh is running (its message box may let the timer fire)
};
