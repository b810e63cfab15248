// The cluster manager's node operations: queries, join, detach, add, modify, group, shutdown.
// Requests to the master go out here; their answers come back in the *_done handlers.
#include "cluster/cluster_dlg.h"

#include "cluster/node_params_dlg.h"
#include "cluster/wait_note.h"
#include "common/modal_seam.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSet>
#include <limits>

namespace {

bool is_local(const QListWidgetItem *item) { return item->data(node_wire::local_role).toBool(); }

bool master_icon(const QListWidgetItem *item) { return item->data(node_wire::master_icon_role).toBool(); }

// A timer or a box may fire while an answer is handled: the handler runs once at a time.
struct answering {
    bool &flag;
    explicit answering(bool &f) : flag(f) { flag = true; }
    ~answering() { flag = false; }
};

} // namespace

void cluster_dlg::query_all()
{
    // A tick that finds a request still out is skipped rather than queued behind it.
    if (!master_.connected() || master_.busy() || answering_)
        return;
    // What was added or changed here is the user's until it is sent: it survives the refresh.
    kept_.clear();
    for (int i = 0; i < listWidget->count(); ++i) {
        node_info n;
        QListWidgetItem *item = listWidget->item(i);
        if (is_local(item) && node_of(item, n))
            kept_.append({n, master_icon(item)});
    }
    listWidget->clear();
    auto_query();
}

void cluster_dlg::auto_query()
{
    if (master_.refresh())
        master_wait();
}

QListWidgetItem *cluster_dlg::add_item(const node_info &n, bool master_icon, bool local)
{
    auto *item = new QListWidgetItem(listWidget);
    show_node(item, n, master_icon);
    if (local)
        item->setData(node_wire::local_role, true);
    return item;
}

void cluster_dlg::on_node_listed(const node_info &n)
{
    for (int i = 0; i < kept_.size(); ++i)
        if (kept_.at(i).n.name == n.name) {
            add_item(kept_.at(i).n, kept_.at(i).master_icon, true);
            kept_.removeAt(i);
            return;
        }
    add_item(n, false);
}

void cluster_dlg::restore_kept()
{
    for (const kept_node &k : qAsConst(kept_))
        add_item(k.n, k.master_icon, true);
    kept_.clear();
}

QStringList cluster_dlg::local_names() const
{
    QStringList out;
    for (int i = 0; i < listWidget->count(); ++i) {
        node_info n;
        if (is_local(listWidget->item(i)) && node_of(listWidget->item(i), n))
            out << QString::fromUtf8(n.name);
    }
    return out;
}

QList<node_info> cluster_dlg::other_nodes(const QListWidgetItem *skip) const
{
    QList<node_info> out;
    for (int i = 0; i < listWidget->count(); ++i) {
        node_info n;
        if (listWidget->item(i) != skip && node_of(listWidget->item(i), n))
            out << n;
    }
    return out;
}

void cluster_dlg::on_master_reply(const master_reply &r)
{
    answering guard(answering_);
    switch (r.what) {
    case master_reply::op::open:
        if (r.r != master_reply::result::ok) {
            wn_master->stop();
            update_actions();
            modal_seam::information(this, tr("connect to cluster infomation"),
                                    tr("Connect to the master '%1' failed!").arg(master_ip()));
            return;
        }
        listWidget->clear();
        kept_.clear();
        auto_query();
        return;
    case master_reply::op::refresh:
        return refresh_done(r);
    case master_reply::op::membership:
        return membership_done(r);
    case master_reply::op::shutdown:
        return shutdown_done(r);
    }
}

void cluster_dlg::refresh_done(const master_reply &r)
{
    wn_master->stop();
    if (r.r == master_reply::result::ok) {
        restore_kept();
        update_actions();
        return;
    }
    QString text;
    if (r.at == master_reply::step::names) {
        text = tr("Query from the master '%1' failed!").arg(master_ip());
    } else {
        listWidget->clear();
        text = tr("Query node '%1' from the master failed!").arg(QString::fromUtf8(r.node.name));
    }
    restore_kept();
    if (r.r == master_reply::result::lost)
        return lost(tr("query cluster infomation"), text);
    update_actions();
    modal_seam::information(this, tr("query cluster infomation"), text);
}

void cluster_dlg::join(bool) { membership(false); }

void cluster_dlg::detach(bool) { membership(true); }

void cluster_dlg::membership(bool detach)
{
    QListWidgetItem *item = listWidget->currentItem();
    node_info n;
    if (!item || !node_of(item, n) || !master_.membership(detach, n))
        return;
    // Nothing removes items while the master is asked, so the item is still there for the answer.
    membership_item_ = item;
    membership_detach_ = detach;
    master_wait();
}

void cluster_dlg::membership_done(const master_reply &r)
{
    wn_master->stop();
    QListWidgetItem *item = membership_item_;
    membership_item_ = nullptr;
    const bool detach = membership_detach_;
    const QString title = detach ? tr("detach cluster infomation") : tr("join cluster infomation");
    QString text;
    switch (r.at) {
    case master_reply::step::probe:
        update_actions();
        modal_seam::information(this, title, tr("connect to the node '%1' failed!").arg(QString::fromUtf8(r.node.name)));
        return;
    case master_reply::step::node:
        // The master took the request: the node is listed again as the master now reports it.
        delete item;
        if (r.r == master_reply::result::ok) {
            add_item(r.node, false);
            update_actions();
            modal_seam::information(this, title,
                                    detach ? tr("detach from the cluster successful!") : tr("join to the cluster successful!"));
            return;
        }
        listWidget->clear();
        text = tr("Query node '%1' from the master failed!").arg(QString::fromUtf8(r.node.name));
        if (r.r == master_reply::result::lost)
            return lost(tr("query cluster infomation"), text);
        update_actions();
        modal_seam::information(this, tr("query cluster infomation"), text);
        return;
    default:
        // The master refused or vanished: saying "successful" after a later query would be false.
        text = detach ? tr("detach from the cluster failed!") : tr("join to the cluster failed!");
        if (r.r == master_reply::result::lost)
            return lost(title, text);
        update_actions();
        modal_seam::information(this, title, text);
    }
}

void cluster_dlg::shutdown(bool)
{
    if (!master_.connected() || master_.busy())
        return;
    if (modal_seam::warning(this, tr("cluster infomation"),
                            tr("Shutdown the master '%1' will quit all cluster, do you want continue?").arg(master_ip()),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (master_.shutdown())
        master_wait();
}

void cluster_dlg::shutdown_done(const master_reply &r)
{
    wn_master->stop();
    const QString title = tr("cluster infomation");
    if (r.r != master_reply::result::ok) {
        const QString text = tr("Shutdown the master '%1' failed!").arg(master_ip());
        if (r.r == master_reply::result::lost)
            return lost(title, text);
        update_actions();
        modal_seam::information(this, title, text);
        return;
    }
    listWidget->clear();
    // The master ends after its answer; the link would only fail from here on.
    master_.stop();
    update_actions();
}

void cluster_dlg::add(bool)
{
    if (master_.busy())
        return;
    node_params_dlg dlg(this);
    dlg.set_others(other_nodes(nullptr));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    // The form refuses a clash itself; an answer that skipped the form meets the same rule.
    const QString clash = dlg.clash();
    if (!clash.isEmpty()) {
        modal_seam::information(this, dlg.windowTitle(), clash);
        return;
    }
    node_info n = dlg.node();
    n.group = 0;
    n.running = 0;
    n.use_space = 0;
    add_item(n, dlg.cb_master->isChecked(), true);
    update_actions();
}

void cluster_dlg::modify(bool)
{
    QListWidgetItem *item = listWidget->currentItem();
    node_info n;
    if (master_.busy() || !item || !node_of(item, n))
        return;
    node_params_dlg dlg(this);
    dlg.set_node(n, master_icon(item));
    dlg.set_others(other_nodes(item));
    if (modal_seam::exec_dialog(&dlg) != QDialog::Accepted)
        return;
    const QString clash = dlg.clash();
    if (!clash.isEmpty()) {
        modal_seam::information(this, dlg.windowTitle(), clash);
        return;
    }
    const node_info changed = dlg.node(n);
    const bool icon = dlg.cb_master->isChecked();
    if (changed == n && icon == master_icon(item))
        return;
    show_node(item, changed, icon);
    item->setData(node_wire::local_role, true);
}

void cluster_dlg::group(bool)
{
    if (!master_.connected() || master_.busy())
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
        show_node(item, n, master_icon(item));
        item->setData(node_wire::local_role, true);
    }
}
