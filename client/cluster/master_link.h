// The cluster manager's connection to the cluster master: one request frame, one whole reply,
// each exchange bounded in time so a silent master cannot hang the window.
#pragma once

#include "cluster/node_info.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

class QTcpSocket;

class master_link {
public:
    // failed: the master answered with the failure status; lost: no whole reply in time or the
    // connection broke, after which the link is closed.
    enum class result { ok, failed, lost };

    explicit master_link(int timeout_ms = 5000);
    ~master_link();
    master_link(const master_link &) = delete;
    master_link &operator=(const master_link &) = delete;

    bool open(const QString &ip, quint16 port);
    void close();
    bool is_open() const;

    result query_all(QList<QByteArray> &names);
    result query_one(const QByteArray &name, node_info &out);
    result membership(bool detach, const node_info &n);
    result shutdown();

    // Whether a node accepts a TCP connection; the connection is closed again at once.
    static bool reachable(const QByteArray &ip, quint16 port, int timeout_ms);

private:
    // Sends one request payload and reads one whole reply; body gets what follows the status.
    result exchange(const QByteArray &payload, QByteArray &body);
    bool read_exact(char *dst, qint64 n, qint64 deadline_ms);

    std::unique_ptr<QTcpSocket> sock_;
    int timeout_ms_;
};
