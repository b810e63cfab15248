// The cluster manager's form, its actions and the connection to the master.
#include "cluster/cluster_dlg.h"

#include "cluster/node_params_dlg.h"
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
    : QDialog(parent), link_(timeout_ms), services_(std::move(services)), timeout_ms_(timeout_ms)
{
    if (!services_)
        services_ = service_ctl::platform_backend();
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

    show_service_icon(service_ctl::tsdb_service, pb_start);
    show_service_icon(service_ctl::cluster_service, pb_c_start);
    update_actions();
}

cluster_dlg::~cluster_dlg() { link_.close(); }

void cluster_dlg::done(int r)
{
    timer_.stop();
    link_.close();
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
    top->addWidget(listWidget, 1);
    top->addLayout(service_row);
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
    const bool on = link_.is_open();
    const bool current = listWidget->currentItem() != nullptr;
    act_join->setEnabled(on && current);
    act_detach->setEnabled(on && current);
    act_shutdown->setEnabled(on);
    act_modify->setEnabled(current);
    act_group->setEnabled(on && !listWidget->selectedItems().isEmpty());
}

void cluster_dlg::chg_item(QListWidgetItem *, QListWidgetItem *) { update_actions(); }

void cluster_dlg::sel_chg() { update_actions(); }

QString cluster_dlg::master_ip() const { return le_ip->text(); }

void cluster_dlg::reconnect(bool)
{
    link_.close();
    if (!link_.open(master_ip(), quint16(sb_port->value()))) {
        update_actions();
        modal_seam::information(this, tr("connect to cluster infomation"),
                                tr("Connect to the master '%1' failed!").arg(master_ip()));
        return;
    }
    listWidget->clear();
    auto_query();
    update_actions();
}

void cluster_dlg::lost(const QString &title, const QString &text)
{
    link_.close();
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
