// The cluster manager's form, its actions and the connection to the master.
#include "cluster/cluster_dlg.h"

#include "cluster/node_params_dlg.h"
#include "cluster/wait_note.h"
#include "common/modal_seam.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {
constexpr int default_master_port = 55556;
} // namespace

cluster_dlg::cluster_dlg(QWidget *parent, std::unique_ptr<service_ctl::service_backend> services, int timeout_ms)
    : QDialog(parent), master_(timeout_ms)
{
    if (!services)
        services = service_ctl::platform_backend();
    services_ = new service_client(std::move(services), this);
    build_form();
    build_actions();

    connect(pb_connect, &QPushButton::clicked, this, &cluster_dlg::reconnect);
    connect(pb_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(pb_start, &QPushButton::clicked, this, &cluster_dlg::tsdb_service_clk);
    connect(pb_c_start, &QPushButton::clicked, this, &cluster_dlg::cluster_service_clk);
    connect(cb_auto, &QCheckBox::stateChanged, this, &cluster_dlg::allow_auto);
    // A new interval takes effect at once while the refresh runs.
    connect(sb_time, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this] { allow_auto(cb_auto->checkState()); });
    connect(&timer_, &QTimer::timeout, this, &cluster_dlg::query_all);
    connect(listWidget, &QListWidget::currentItemChanged, this, &cluster_dlg::chg_item);
    connect(listWidget, &QListWidget::itemSelectionChanged, this, &cluster_dlg::sel_chg);
    connect(&master_, &master_client::node_listed, this, &cluster_dlg::on_node_listed);
    connect(&master_, &master_client::finished, this, &cluster_dlg::on_master_reply);
    connect(&master_, &master_client::connection_lost, this, &cluster_dlg::update_actions);
    connect(services_, &service_client::finished, this, &cluster_dlg::on_service_done);

    // The buttons offer a start until the service manager has said otherwise.
    show_service_icon(service_ctl::tsdb_service, false);
    show_service_icon(service_ctl::cluster_service, false);
    services_->run(service_ctl::tsdb_service, service_client::mode::state);
    services_->run(service_ctl::cluster_service, service_client::mode::state);
    wn_service->start(tr("waiting for the service manager"));
    update_service_buttons();
    update_actions();
}

// The service client's destructor runs with the dialog's children; the master's link ends here.
cluster_dlg::~cluster_dlg() { master_.stop(); }

void cluster_dlg::done(int r)
{
    // Whatever is still asked of the master or the services is dropped: no answer of theirs
    // reaches a closed dialog, and the master's thread ends now.
    timer_.stop();
    master_.stop();
    membership_item_ = nullptr;
    kept_.clear();
    services_->call_off();
    cluster_click_ = false;
    wn_master->stop();
    wn_service->stop();
    update_service_buttons();
    update_actions();
    QDialog::done(r);
}

void cluster_dlg::build_form()
{
    setObjectName(QStringLiteral("cluster_dlg"));
    setWindowTitle(tr("cluster  node manager"));
    setWindowIcon(QIcon(QStringLiteral(":/img/cluster/cluster.svg")));
    resize(720, 520);

    node_params_dlg::address_fields(this, le_ip, sb_port, default_master_port);
    pb_connect = new QPushButton(tr("reconnect(&c)"), this);
    pb_connect->setObjectName(QStringLiteral("pb_connect"));
    pb_connect->setAutoDefault(false);
    pb_close = new QPushButton(tr("close"), this);
    pb_close->setObjectName(QStringLiteral("pb_close"));
    pb_close->setAutoDefault(false);

    listWidget = new QListWidget(this);
    listWidget->setObjectName(QStringLiteral("listWidget"));
    listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listWidget->setIconSize(QSize(32, 32));
    listWidget->setSpacing(2);

    pb_start = new QPushButton(this);
    pb_start->setObjectName(QStringLiteral("pb_start"));
    pb_c_start = new QPushButton(this);
    pb_c_start->setObjectName(QStringLiteral("pb_c_start"));
    for (QPushButton *b : {pb_start, pb_c_start}) {
        b->setIconSize(QSize(24, 24));
        b->setAutoDefault(false);
    }
    sb_time = new QSpinBox(this);
    sb_time->setObjectName(QStringLiteral("sb_time"));
    sb_time->setRange(1, 1440);
    sb_time->setValue(1);
    cb_auto = new QCheckBox(tr("auto update"), this);
    cb_auto->setObjectName(QStringLiteral("cb_auto"));
    wn_master = new wait_note(this);
    wn_master->setObjectName(QStringLiteral("wn_master"));
    wn_service = new wait_note(this);
    wn_service->setObjectName(QStringLiteral("wn_service"));

    auto *master_row = new QHBoxLayout;
    master_row->addWidget(new QLabel(tr("master ip"), this));
    master_row->addWidget(le_ip, 1);
    master_row->addWidget(new QLabel(tr("master port"), this));
    master_row->addWidget(sb_port);
    master_row->addWidget(pb_connect);
    master_row->addWidget(pb_close);

    auto *service_row = new QHBoxLayout;
    service_row->addWidget(new QLabel(tr("TSDB service"), this));
    service_row->addWidget(pb_start);
    service_row->addSpacing(16);
    service_row->addWidget(new QLabel(tr("cluster service"), this));
    service_row->addWidget(pb_c_start);
    service_row->addStretch(1);
    service_row->addWidget(new QLabel(tr("update time"), this));
    service_row->addWidget(sb_time);
    service_row->addWidget(new QLabel(tr("minute"), this));
    service_row->addSpacing(8);
    service_row->addWidget(cb_auto);

    auto *top = new QVBoxLayout(this);
    top->addLayout(master_row);
    top->addWidget(wn_master);
    top->addWidget(listWidget, 1);
    top->addLayout(service_row);
    top->addWidget(wn_service);   // right under the buttons: the row itself has no room left
}

void cluster_dlg::build_actions()
{
    auto make = [this](QAction *&act, const QString &text, const char *name, void (cluster_dlg::*slot)(bool)) {
        act = new QAction(text, this);
        act->setObjectName(QString::fromLatin1(name));
        connect(act, &QAction::triggered, this, slot);
        listWidget->addAction(act);
    };
    make(act_join, tr("join node(&j)"), "act_join", &cluster_dlg::join);
    make(act_detach, tr("detach node(&d)"), "act_detach", &cluster_dlg::detach);
    make(act_add, tr("new node(&a)"), "act_add", &cluster_dlg::add);
    make(act_shutdown, tr("shutdown cluster(&s)"), "act_shutdown", &cluster_dlg::shutdown);
    make(act_modify, tr("modify node(&q)"), "act_modify", &cluster_dlg::modify);
    make(act_group, tr("group(&g)"), "act_group", &cluster_dlg::group);
    listWidget->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void cluster_dlg::update_actions()
{
    // While the master is asked, the list is its to change: every node action waits.
    const bool idle = !master_.busy();
    const bool on = master_.connected() && idle;
    const bool current = listWidget->currentItem() != nullptr;
    pb_connect->setEnabled(idle);
    act_join->setEnabled(on && current);
    act_detach->setEnabled(on && current);
    act_add->setEnabled(idle);
    act_shutdown->setEnabled(on);
    act_modify->setEnabled(idle && current);
    act_group->setEnabled(on && !listWidget->selectedItems().isEmpty());
}

void cluster_dlg::chg_item(QListWidgetItem *, QListWidgetItem *) { update_actions(); }

void cluster_dlg::sel_chg() { update_actions(); }

QString cluster_dlg::master_ip() const { return le_ip->text(); }

void cluster_dlg::reconnect(bool)
{
    if (master_.busy())
        return;
    const QStringList local = local_names();
    if (!local.isEmpty() &&
        modal_seam::warning(this, tr("connect to cluster infomation"),
                            tr("The list holds nodes added or changed here that the master does not know yet "
                               "(%1). Reconnecting lists the master's nodes only and drops them. Reconnect anyway?")
                                .arg(local.join(QStringLiteral(", "))),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    master_.open(master_ip(), quint16(sb_port->value()));
    master_wait();
}

void cluster_dlg::master_wait()
{
    if (!wn_master->waiting())
        wn_master->start(tr("waiting for the master '%1'").arg(master_ip()));
    update_actions();
}

void cluster_dlg::lost(const QString &title, const QString &text)
{
    master_.stop();
    update_actions();
    modal_seam::information(this, title, text);
}

void cluster_dlg::allow_auto(int state)
{
    timer_.stop();
    timer_.setInterval(sb_time->value() * 60000);
    // Unchecking "auto update" ends the refresh rather than restarting it.
    if (state != Qt::Unchecked)
        timer_.start();
}
