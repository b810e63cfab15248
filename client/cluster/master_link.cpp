// The master link's operations as chains of exchanges: each exchange writes one frame, collects
// the reply as it arrives, and hands it on; a timer ends an exchange that gets no whole reply.
#include "cluster/master_link.h"

#include "cluster/master_wire.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>
#include <memory>

namespace {
constexpr int socket_buffer = 524288;
} // namespace

master_link::master_link(int timeout_ms) : timeout_ms_(timeout_ms)
{
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] {
        if (connecting_) {
            auto then = std::move(connecting_);
            connecting_ = nullptr;
            drop_socket();
            then(false);
        } else if (pending_) {
            fail_exchange();
        }
    });
}

master_link::~master_link()
{
    // Nobody waits for the answers any more: drop them without calling anything.
    pending_ = nullptr;
    connecting_ = nullptr;
    drop_socket();
}

void master_link::drop_socket()
{
    deadline_->stop();
    if (!sock_)
        return;
    QTcpSocket *s = sock_;
    sock_ = nullptr;
    s->disconnect(this);
    s->abort();
    s->deleteLater();
}

void master_link::finish(quint64 id, master_reply r) { emit finished(id, r); }

void master_link::open(quint64 id, const QString &ip, quint16 port)
{
    drop_socket();
    master_reply r;
    r.what = master_reply::op::open;
    QHostAddress addr;
    if (!addr.setAddress(ip) || addr.protocol() != QAbstractSocket::IPv4Protocol) {
        r.r = master_reply::result::lost;
        return finish(id, r);
    }
    sock_ = new QTcpSocket(this);
    in_.clear();
    connecting_ = [this, id, r](bool ok) mutable {
        r.r = ok ? master_reply::result::ok : master_reply::result::lost;
        finish(id, r);
    };
    connect(sock_, &QTcpSocket::connected, this, [this] {
        deadline_->stop();
        sock_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, socket_buffer);
        sock_->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, socket_buffer);
        sock_->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        auto then = std::move(connecting_);
        connecting_ = nullptr;
        then(true);
    });
    connect(sock_, &QTcpSocket::readyRead, this, &master_link::on_ready_read);
    connect(sock_, &QTcpSocket::disconnected, this, &master_link::on_broken);
    connect(sock_, &QAbstractSocket::errorOccurred, this, &master_link::on_broken);
    deadline_->start(timeout_ms_);
    sock_->connectToHost(addr, port);
}

void master_link::on_broken()
{
    if (connecting_) {
        auto then = std::move(connecting_);
        connecting_ = nullptr;
        drop_socket();
        return then(false);
    }
    if (pending_)
        on_ready_read();   // a reply that came with the close still counts
    if (pending_)
        return fail_exchange();
    if (sock_) {
        drop_socket();
        emit closed();
    }
}

void master_link::fail_exchange()
{
    auto then = std::move(pending_);
    pending_ = nullptr;
    drop_socket();
    then(master_reply::result::lost, QByteArray());
}

void master_link::exchange(const QByteArray &payload, reply_fn then)
{
    if (!sock_ || sock_->state() != QAbstractSocket::ConnectedState) {
        drop_socket();
        return then(master_reply::result::lost, QByteArray());
    }
    // Anything left unread would be taken for this request's reply.
    sock_->readAll();
    in_.clear();
    pending_ = std::move(then);
    deadline_->start(timeout_ms_);
    if (sock_->write(master_wire::frame(payload)) < 0)
        fail_exchange();
}

void master_link::on_ready_read()
{
    if (!sock_)
        return;
    in_ += sock_->readAll();
    if (!pending_ || in_.size() < 4)
        return;
    const quint32 len = qFromLittleEndian<quint32>(in_.constData());
    if (len == 0 || len > master_wire::max_reply)
        return fail_exchange();
    if (quint32(in_.size()) - 4 < len)
        return;
    deadline_->stop();
    const QByteArray reply = in_.mid(4, int(len));
    in_.clear();
    auto then = std::move(pending_);
    pending_ = nullptr;
    if (quint8(reply.at(0)) == master_wire::failed_status)
        then(master_reply::result::failed, QByteArray());
    else
        then(master_reply::result::ok, reply.mid(1));
}

void master_link::refresh(quint64 id)
{
    exchange(master_wire::query_all(), [this, id](master_reply::result res, const QByteArray &body) {
        master_reply r;
        r.what = master_reply::op::refresh;
        r.at = master_reply::step::names;
        QList<QByteArray> names;
        if (res == master_reply::result::ok && !master_wire::read_names(body, names))
            res = master_reply::result::failed;
        if (res != master_reply::result::ok) {
            r.r = res;
            return finish(id, r);
        }
        next_node(id, names, 0);
    });
}

void master_link::next_node(quint64 id, const QList<QByteArray> &names, int i)
{
    master_reply r;
    r.what = master_reply::op::refresh;
    if (i == names.size())
        return finish(id, r);
    exchange(master_wire::query_one(names.at(i)), [this, id, names, i, r](master_reply::result res,
                                                                          const QByteArray &body) mutable {
        node_info n;
        if (res == master_reply::result::ok && !master_wire::read_node(body, n))
            res = master_reply::result::failed;
        if (res != master_reply::result::ok) {
            r.r = res;
            r.at = master_reply::step::node;
            r.node.name = names.at(i);
            return finish(id, r);
        }
        emit node_listed(id, n);
        next_node(id, names, i + 1);
    });
}

void master_link::probe(const QByteArray &ip, quint16 port, std::function<void(bool)> then)
{
    QHostAddress addr;
    if (!addr.setAddress(QString::fromLatin1(ip)))
        return then(false);
    auto *s = new QTcpSocket(this);
    auto *limit = new QTimer(s);
    limit->setSingleShot(true);
    // Whichever comes first ends the probe; the socket goes with it.
    auto done = std::make_shared<std::function<void(bool)>>(std::move(then));
    auto end = [s, done](bool up) {
        if (!*done)
            return;
        auto f = std::move(*done);
        *done = nullptr;
        s->disconnect();
        s->abort();
        s->deleteLater();
        f(up);
    };
    connect(s, &QTcpSocket::connected, this, [end] { end(true); });
    connect(s, &QAbstractSocket::errorOccurred, this, [end] { end(false); });
    connect(limit, &QTimer::timeout, this, [end] { end(false); });
    limit->start(timeout_ms_);
    s->connectToHost(addr, port);
}

void master_link::membership(quint64 id, bool detach, const node_info &n)
{
    master_reply r;
    r.what = master_reply::op::membership;
    r.at = master_reply::step::probe;
    r.node = n;
    probe(n.ip, n.port, [this, id, detach, r](bool up) mutable {
        if (!up) {
            r.r = master_reply::result::failed;
            return finish(id, r);
        }
        exchange(master_wire::membership(detach, r.node), [this, id, r](master_reply::result res,
                                                                         const QByteArray &) mutable {
            if (res != master_reply::result::ok) {
                r.r = res;
                r.at = master_reply::step::membership;
                return finish(id, r);
            }
            exchange(master_wire::query_one(r.node.name), [this, id, r](master_reply::result res,
                                                                        const QByteArray &body) mutable {
                r.at = master_reply::step::node;
                node_info now;
                if (res == master_reply::result::ok && !master_wire::read_node(body, now))
                    res = master_reply::result::failed;
                r.r = res;
                if (res == master_reply::result::ok)
                    r.node = now;
                finish(id, r);
            });
        });
    });
}

void master_link::shutdown(quint64 id)
{
    exchange(master_wire::shutdown(), [this, id](master_reply::result res, const QByteArray &) {
        master_reply r;
        r.what = master_reply::op::shutdown;
        r.at = master_reply::step::shutdown;
        r.r = res;
        finish(id, r);
    });
}
