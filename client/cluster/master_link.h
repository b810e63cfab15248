// The cluster manager's connection to the cluster master. It lives on a thread of its own and
// never blocks it: each step of an operation follows from the socket's signals, bounded by a
// timer, so the thread ends at once when it is asked to. One operation at a time.
#pragma once

#include "cluster/node_info.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <functional>

class QTcpSocket;
class QTimer;

// How an operation ended.
struct master_reply {
    enum class op { open, refresh, membership, shutdown };
    // failed: the master answered with the failure status or an unreadable reply (the link
    // stays); lost: no whole reply in time, or the connection broke (the link is closed).
    enum class result { ok, failed, lost };
    // The step that ended the operation: the names list, one node, the reachability probe of
    // a node, the membership request, or the operation's only step.
    enum class step { open, names, node, probe, membership, shutdown };

    op what = op::open;
    result r = result::ok;
    step at = step::open;
    node_info node;   // step node: the node asked for (its name); membership ok: as now listed
};
Q_DECLARE_METATYPE(master_reply)
Q_DECLARE_METATYPE(node_info)

class master_link : public QObject {
    Q_OBJECT
public:
    explicit master_link(int timeout_ms);
    ~master_link() override;

public slots:
    // Each ends in finished(id, ...). refresh lists every node through node_listed as its
    // record arrives.
    void open(quint64 id, const QString &ip, quint16 port);
    void refresh(quint64 id);
    void membership(quint64 id, bool detach, const node_info &n);
    void shutdown(quint64 id);

signals:
    void node_listed(quint64 id, const node_info &n);
    void finished(quint64 id, const master_reply &r);
    // The master closed the connection while nothing was asked of it.
    void closed();

private:
    using reply_fn = std::function<void(master_reply::result, const QByteArray &body)>;

    // Sends one request payload and reads one whole reply; body is what follows the status.
    void exchange(const QByteArray &payload, reply_fn then);
    // Opens a TCP connection to see that something listens there, and closes it again.
    void probe(const QByteArray &ip, quint16 port, std::function<void(bool)> then);
    void next_node(quint64 id, const QList<QByteArray> &names, int i);
    void on_ready_read();
    void on_broken();
    void fail_exchange();
    void drop_socket();
    void finish(quint64 id, master_reply r);

    int timeout_ms_;
    QTcpSocket *sock_ = nullptr;
    QTimer *deadline_ = nullptr;
    QByteArray in_;
    reply_fn pending_;                        // the exchange waiting for its reply
    std::function<void(bool)> connecting_;    // open() waiting for the connection
};
