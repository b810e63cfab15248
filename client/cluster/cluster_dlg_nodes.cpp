// The cluster manager's node operations: queries, join, detach, add, modify, group, shutdown.
#include "cluster/cluster_dlg.h"

#include "cluster/node_params_dlg.h"
#include "common/modal_seam.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSet>
#include <limits>

void cluster_dlg::query_all()
{
    if (!link_.is_open() || querying_)
        return;
    querying_ = true;
    listWidget->clear();
    auto_query();
    querying_ = false;
}

void cluster_dlg::auto_query()
{
    QList<QByteArray> names;
    const auto r = link_.query_all(names);
    const QString text = tr("Query from the master '%1' failed!").arg(master_ip());
    if (r == master_link::result::lost)
        return lost(tr("query cluster infomation"), text);
    if (r == master_link::result::failed) {
        modal_seam::information(this, tr("query cluster infomation"), text);
        return;
    }
    for (const QByteArray &name : names)
        if (!query_node(name))
            return;
    update_actions();
}

bool cluster_dlg::query_node(const QByteArray &name)
{
    node_info n;
    const auto r = link_.query_one(name, n);
    if (r == master_link::result::ok) {
        add_item(n, false);
        return true;
    }
    listWidget->clear();
    const QString text = tr("Query node '%1' from the master failed!").arg(QString::fromUtf8(name));
    if (r == master_link::result::lost)
        lost(tr("query cluster infomation"), text);
    else
        modal_seam::information(this, tr("query cluster infomation"), text);
    update_actions();
    return false;
}

void cluster_dlg::add_item(const node_info &n, bool master_icon)
{
    auto *item = new QListWidgetItem(listWidget);
    show_node(item, n, master_icon);
}

void cluster_dlg::join(bool) { membership(false); }

void cluster_dlg::detach(bool) { membership(true); }

void cluster_dlg::membership(bool detach)
{
    QListWidgetItem *item = listWidget->currentItem();
    node_info n;
    if (!link_.is_open() || !item || !node_of(item, n))
        return;
    const QString title = detach ? tr("detach cluster infomation") : tr("join cluster infomation");
    if (!master_link::reachable(n.ip, n.port, timeout_ms_)) {
        modal_seam::information(this, title, tr("connect to the node '%1' failed!").arg(QString::fromUtf8(n.name)));
        return;
    }
    const auto r = link_.membership(detach, n);
    if (r != master_link::result::ok) {
        // The master refused or vanished: saying "successful" after a later query would be false.
        const QString text = detach ? tr("detach from the cluster failed!") : tr("join to the cluster failed!");
        if (r == master_link::result::lost)
            lost(title, text);
        else
            modal_seam::information(this, title, text);
        return;
    }
    delete item;
    if (query_node(n.name))
        modal_seam::information(this, title,
                                detach ? tr("detach from the cluster successful!") : tr("join to the cluster successful!"));
    update_actions();
}

void cluster_dlg::shutdown(bool)
{
    if (!link_.is_open())
        return;
    const QString title = tr("cluster infomation");
    if (modal_seam::warning(this, title,
                            tr("Shutdown the master '%1' will quit all cluster, do you want continue?").arg(master_ip()),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const auto r = link_.shutdown();
    if (r != master_link::result::ok) {
        const QString text = tr("Shutdown the master '%1' failed!").arg(master_ip());
        if (r == master_link::result::lost)
            lost(title, text);
        else
            modal_seam::information(this, title, text);
        return;
    }
    listWidget->clear();
    // The master ends after its answer; the link would only fail from here on.
    link_.close();
    update_actions();
}

void cluster_dlg::add(bool)
{
    node_params_dlg dlg(this);
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    node_info n = dlg.node();
    n.group = 0;
    n.running = 0;
    n.use_space = 0;
    add_item(n, dlg.cb_master->isChecked());
    update_actions();
}

void cluster_dlg::modify(bool)
{
    QListWidgetItem *item = listWidget->currentItem();
    node_info n;
    if (!item || !node_of(item, n))
        return;
    node_params_dlg dlg(this);
    dlg.set_node(n, item->data(node_wire::master_icon_role).toBool());
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    show_node(item, dlg.node(n), dlg.cb_master->isChecked());
}

void cluster_dlg::group(bool)
{
    if (!link_.is_open())
        return;
    QSet<qint32> used;
    qint64 largest = 0;
    for (int i = 0; i < listWidget->count(); ++i) {
        node_info n;
        if (node_of(listWidget->item(i), n)) {
            used.insert(n.group);
            largest = std::max<qint64>(largest, n.group);
        }
    }
    qint64 id = largest + 1;
    if (id > std::numeric_limits<qint32>::max()) {
        // Past the largest id there is no "one more": take the smallest free one instead.
        id = 1;
        while (used.contains(qint32(id)))
            ++id;
    }
    for (QListWidgetItem *item : listWidget->selectedItems()) {
        node_info n;
        if (!node_of(item, n))
            continue;
        n.group = qint32(id);
        show_node(item, n, item->data(node_wire::master_icon_role).toBool());
    }
}
