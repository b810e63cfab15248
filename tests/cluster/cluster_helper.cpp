// The development master process, free ports, a blocking master client and the scripted service
// manager of the cluster tests.
#include "cluster_helper.h"

#include "cluster/master_wire.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QtEndian>

int free_port()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

scripted_master::scripted_master(QList<node_info> nodes) : nodes_(std::move(nodes))
{
    peer_ = std::make_unique<scripted_peer>(scripted_peer::every_connection, [this](peer_conn &c) { serve(c); });
}

scripted_master::~scripted_master()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        ending_ = true;
    }
    changed_.notify_all();
    peer_.reset();
}

int scripted_master::port() const { return peer_->port(); }

void scripted_master::hold()
{
    std::lock_guard<std::mutex> guard(lock_);
    held_ = true;
}

void scripted_master::release()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        held_ = false;
    }
    changed_.notify_all();
}

void scripted_master::serve(peer_conn &c)
{
    bytes req;
    while (c.wait_request() && c.read_frame(req)) {
        ++requests_;
        {
            std::unique_lock<std::mutex> guard(lock_);
            changed_.wait(guard, [this] { return !held_ || ending_; });
            if (ending_)
                return;
        }
        const QByteArray payload(reinterpret_cast<const char *>(req.data()), int(req.size()));
        QByteArray reply(1, '\0');
        if (payload.size() > 3 && quint8(payload.at(2)) == 5 && payload.at(3) == 0) {
            QByteArray count(8, '\0');
            qToLittleEndian(quint64(nodes_.size()), count.data());
            reply += count;
            for (const node_info &n : qAsConst(nodes_))
                node_wire::put_text(reply, n.name);
        } else if (payload.size() > 3 && quint8(payload.at(2)) == 5) {
            const QByteArray name = payload.mid(8);
            reply = QByteArray(1, char(master_wire::failed_status));
            for (const node_info &n : qAsConst(nodes_))
                if (n.name == name)
                    reply = QByteArray(1, '\0') + node_wire::encode(n);
        }
        const QByteArray out = master_wire::frame(reply);
        c.send(bytes(out.begin(), out.end()));
    }
}

blocking_master::blocking_master() = default;

blocking_master::~blocking_master() = default;

bool blocking_master::open(const QString &ip, quint16 port)
{
    sock_ = std::make_unique<QTcpSocket>();
    sock_->connectToHost(QHostAddress(ip), port);
    return sock_->waitForConnected(5000);
}

blocking_master::result blocking_master::exchange(const QByteArray &payload, QByteArray &body)
{
    if (!sock_ || sock_->state() != QAbstractSocket::ConnectedState)
        return result::lost;
    sock_->write(master_wire::frame(payload));
    const int status = read_master_frame(*sock_, &body);
    return status < 0 ? result::lost : status == master_wire::failed_status ? result::failed : result::ok;
}

int read_master_frame(QTcpSocket &s, QByteArray *body, int timeout_ms)
{
    QByteArray got;
    const QDeadlineTimer deadline(timeout_ms);
    for (;;) {
        got += s.readAll();
        if (got.size() >= 4) {
            const quint32 n = qFromLittleEndian<quint32>(got.constData());
            if (n == 0)
                return -1;
            if (quint32(got.size()) - 4 >= n) {
                if (body)
                    *body = got.mid(5, int(n) - 1);
                return quint8(got.at(4));
            }
        }
        if (deadline.hasExpired())
            return -2;
        if (!s.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))) &&
            s.state() != QAbstractSocket::ConnectedState)
            return -1;
    }
}

blocking_master::result blocking_master::query_all(QList<QByteArray> &names)
{
    QByteArray body;
    const result r = exchange(master_wire::query_all(), body);
    return r == result::ok && !master_wire::read_names(body, names) ? result::failed : r;
}

blocking_master::result blocking_master::query_one(const QByteArray &name, node_info &out)
{
    QByteArray body;
    const result r = exchange(master_wire::query_one(name), body);
    return r == result::ok && !master_wire::read_node(body, out) ? result::failed : r;
}

blocking_master::result blocking_master::membership(bool detach, const node_info &n)
{
    QByteArray body;
    return exchange(master_wire::membership(detach, n), body);
}

blocking_master::result blocking_master::shutdown()
{
    QByteArray body;
    return exchange(master_wire::shutdown(), body);
}

fake_services::open_result fake_services::open(const QByteArray &name)
{
    ++opens;
    if (!manager)
        return open_result::no_manager;
    if (!services.contains(name))
        return open_result::no_service;
    opened_ = name;
    return open_result::ok;
}

void fake_services::close_gate()
{
    std::lock_guard<std::mutex> guard(gate_lock_);
    gate_closed_ = true;
}

void fake_services::open_gate()
{
    {
        std::lock_guard<std::mutex> guard(gate_lock_);
        gate_closed_ = false;
    }
    gate_changed_.notify_all();
}

bool fake_services::query(service_ctl::status &out)
{
    {
        std::unique_lock<std::mutex> guard(gate_lock_);
        at_gate = gate_closed_;
        gate_changed_.wait(guard, [this] { return !gate_closed_; });
    }
    if (opened_.isEmpty())
        return false;
    auto &s = services[opened_];
    out = s.states.front();
    if (s.states.size() > 1)
        s.states.pop_front();
    return true;
}

bool fake_services::request(bool start, QString &reason)
{
    auto &s = services[opened_];
    ++(start ? s.starts : s.stops);
    if (s.refuse) {
        reason = s.reason;
        return false;
    }
    s.states = start ? s.after_start : s.after_stop;
    return true;
}

bool fake_services::request_start(QString &reason) { return request(true, reason); }

bool fake_services::request_stop(QString &reason) { return request(false, reason); }

std::unique_ptr<service_ctl::service_backend> quiet_services()
{
    auto f = std::make_unique<fake_services>();
    f->services["vorn_tsdb_s"].states = {fake_services::running()};
    f->services["vorn_dt_cluster_s"];
    return f;
}
