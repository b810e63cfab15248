// The cluster manager's two service buttons: each starts its service when it is stopped and
// stops it when it runs, then shows the state as the button's icon.
#include "cluster/cluster_dlg.h"

#include "common/modal_seam.h"

#include <QIcon>
#include <QPushButton>

void cluster_dlg::show_service_icon(const QByteArray &name, QPushButton *button)
{
    button->setIcon(QIcon(service_ctl::is_running(*services_, name) ? QStringLiteral(":/img/cluster/service_stop.svg")
                                                                    : QStringLiteral(":/img/cluster/service_start.svg")));
}

void cluster_dlg::toggle_service(const QByteArray &name, QPushButton *button)
{
    const service_ctl::report r = service_ctl::is_running(*services_, name) ? service_ctl::stop(*services_, name)
                                                                            : service_ctl::start(*services_, name);
    modal_seam::information(this, tr("service infomation"), r.text);
    show_service_icon(name, button);
}

void cluster_dlg::tsdb_service_clk(bool) { toggle_service(service_ctl::tsdb_service, pb_start); }

void cluster_dlg::cluster_service_clk(bool)
{
    if (service_ctl::is_running(*services_, service_ctl::cluster_service) &&
        modal_seam::warning(this, tr("cluster service infomation"),
                            tr("Stop the cluster will quit all connection and must restart all(include tsdb service) "
                               "again, do you want continue?"),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    toggle_service(service_ctl::cluster_service, pb_c_start);
}
