// The GUI side of the master link: starts the link's thread, sends it one request at a time
// through queued signals, and passes on only the answers to the request under way, so an
// answer that comes after stop() (or after the owner is gone) reaches nobody.
#pragma once

#include "cluster/master_link.h"

#include <QObject>

class QThread;

class master_client : public QObject {
    Q_OBJECT
public:
    explicit master_client(int timeout_ms, QObject *parent = nullptr);
    ~master_client() override;

    bool connected() const { return connected_; }
    bool busy() const { return busy_; }
    QThread *thread() const { return thread_; }

    // Each is refused (false) while a request is under way; open is refused by nothing else.
    bool open(const QString &ip, quint16 port);
    bool refresh();
    bool membership(bool detach, const node_info &n);
    bool shutdown();
    // Drops the request under way and the connection; the link's thread ends.
    void stop();

signals:
    void node_listed(const node_info &n);
    void finished(const master_reply &r);
    // connected() turned false without a request (the master went away).
    void connection_lost();

    // To the link, across the threads.
    void post_open(quint64 id, const QString &ip, quint16 port);
    void post_refresh(quint64 id);
    void post_membership(quint64 id, bool detach, const node_info &n);
    void post_shutdown(quint64 id);

private:
    bool begin(bool need_link);
    void on_listed(quint64 id, const node_info &n);
    void on_finished(quint64 id, const master_reply &r);

    int timeout_ms_;
    QThread *thread_ = nullptr;
    master_link *link_ = nullptr;
    quint64 last_id_ = 0;
    bool busy_ = false;
    bool connected_ = false;
    QString peer_;   // "ip:port" of the last open, for the log
};
