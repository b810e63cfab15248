// The cluster manager's two service buttons: each starts its service when it is stopped and
// stops it when it runs, then shows the state as the button's icon. The service manager is asked
// on the service client's thread; the buttons wait while it answers.
#include "cluster/cluster_dlg.h"

#include "cluster/wait_note.h"
#include "common/modal_seam.h"

#include <QIcon>
#include <QPushButton>

void cluster_dlg::show_service_icon(const QByteArray &name, bool running)
{
    QPushButton *button = name == service_ctl::tsdb_service ? pb_start : pb_c_start;
    button->setIcon(QIcon(running ? QStringLiteral(":/img/cluster/service_stop.svg")
                                  : QStringLiteral(":/img/cluster/service_start.svg")));
}

void cluster_dlg::update_service_buttons()
{
    const bool idle = !services_->busy() && !cluster_click_;
    pb_start->setEnabled(idle);
    pb_c_start->setEnabled(idle);
    if (idle)
        wn_service->stop();
}

void cluster_dlg::service_wait(const QByteArray &name)
{
    wn_service->start(tr("waiting for the service '%1'").arg(QString::fromUtf8(name)));
    update_service_buttons();
}

void cluster_dlg::tsdb_service_clk(bool)
{
    if (services_->busy() || cluster_click_)
        return;
    services_->run(service_ctl::tsdb_service, service_client::mode::toggle);
    service_wait(service_ctl::tsdb_service);
}

void cluster_dlg::cluster_service_clk(bool)
{
    if (services_->busy() || cluster_click_)
        return;
    // Stopping the cluster is asked about first, so its state comes before anything else.
    cluster_click_ = true;
    services_->run(service_ctl::cluster_service, service_client::mode::state);
    service_wait(service_ctl::cluster_service);
}

void cluster_dlg::on_service_done(const service_client::outcome &o)
{
    if (o.r.cancelled)
        return;
    show_service_icon(o.name, o.running);
    if (cluster_click_ && o.what == service_client::mode::state) {
        if (o.running) {
            wn_service->stop();
            if (modal_seam::warning(this, tr("cluster service infomation"),
                                    tr("Stop the cluster will quit all connection and must restart all(include tsdb "
                                       "service) again, do you want continue?"),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
                cluster_click_ = false;
                update_service_buttons();
                return;
            }
        }
        cluster_click_ = false;
        services_->run(o.name, o.running ? service_client::mode::stop : service_client::mode::start);
        service_wait(o.name);
        return;
    }
    update_service_buttons();
    if (o.what != service_client::mode::state)
        modal_seam::information(this, tr("service infomation"), o.r.text);
}
