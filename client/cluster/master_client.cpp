// The master link's thread and the request under way. The link never blocks its thread, so
// ending it (stop(), the destructor) returns as soon as the thread has left its event loop.
#include "cluster/master_client.h"

#include "cluster/cluster_log.h"

#include <QThread>

master_client::master_client(int timeout_ms, QObject *parent) : QObject(parent), timeout_ms_(timeout_ms)
{
    qRegisterMetaType<node_info>();
    qRegisterMetaType<master_reply>();
}

master_client::~master_client() { stop(); }

void master_client::stop()
{
    ++last_id_;   // whatever is still on its way belongs to no request now
    busy_ = false;
    connected_ = false;
    if (!thread_)
        return;
    // The link and its socket are deleted on their own thread as it finishes.
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    link_ = nullptr;
}

bool master_client::begin(bool need_link)
{
    if (busy_ || (need_link && !connected_))
        return false;
    busy_ = true;
    ++last_id_;
    return true;
}

bool master_client::open(const QString &ip, quint16 port)
{
    if (busy_)
        return false;
    stop();
    thread_ = new QThread;
    thread_->setObjectName(QStringLiteral("master_link"));
    link_ = new master_link(timeout_ms_);
    link_->moveToThread(thread_);
    connect(thread_, &QThread::finished, link_, &QObject::deleteLater);
    connect(this, &master_client::post_open, link_, &master_link::open);
    connect(this, &master_client::post_refresh, link_, &master_link::refresh);
    connect(this, &master_client::post_membership, link_, &master_link::membership);
    connect(this, &master_client::post_shutdown, link_, &master_link::shutdown);
    connect(link_, &master_link::node_listed, this, &master_client::on_listed);
    connect(link_, &master_link::finished, this, &master_client::on_finished);
    connect(link_, &master_link::closed, this, [this] {
        if (busy_ || !connected_)
            return;
        connected_ = false;
        cluster_log::master_lost(peer_);
        emit connection_lost();
    });
    thread_->start();
    begin(false);
    peer_ = ip + QLatin1Char(':') + QString::number(port);
    cluster_log::master_open(peer_);
    emit post_open(last_id_, ip, port);
    return true;
}

bool master_client::refresh()
{
    if (!begin(true))
        return false;
    cluster_log::master_request(peer_, master_reply::op::refresh);
    emit post_refresh(last_id_);
    return true;
}

bool master_client::membership(bool detach, const node_info &n)
{
    if (!begin(true))
        return false;
    cluster_log::master_request(peer_, master_reply::op::membership, &n, detach);
    emit post_membership(last_id_, detach, n);
    return true;
}

bool master_client::shutdown()
{
    if (!begin(true))
        return false;
    cluster_log::master_request(peer_, master_reply::op::shutdown);
    emit post_shutdown(last_id_);
    return true;
}

void master_client::on_listed(quint64 id, const node_info &n)
{
    if (busy_ && id == last_id_)
        emit node_listed(n);
}

void master_client::on_finished(quint64 id, const master_reply &r)
{
    if (!busy_ || id != last_id_)
        return;
    busy_ = false;
    cluster_log::master_reply(peer_, r);
    if (r.what == master_reply::op::open)
        connected_ = r.r == master_reply::result::ok;
    else if (r.r == master_reply::result::lost)
        connected_ = false;
    emit finished(r);
}
