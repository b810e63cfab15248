// Requests to the cluster master and the decoding of its replies. All integers little-endian.
#include "cluster/master_link.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QtEndian>

namespace {

enum : quint8 { op_shutdown = 4, op_query = 5, op_membership = 255 };

// A reply is a node record or a list of names; anything far larger is not from a master.
constexpr quint32 max_reply = 64u << 20;
constexpr int socket_buffer = 524288;

QByteArray header(quint8 op)
{
    QByteArray out;
    out.append(char(1)).append(char(0)).append(char(op));
    return out;
}

} // namespace

master_link::master_link(int timeout_ms) : timeout_ms_(timeout_ms) {}

master_link::~master_link() { close(); }

bool master_link::open(const QString &ip, quint16 port)
{
    close();
    QHostAddress addr;
    if (!addr.setAddress(ip) || addr.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    sock_ = std::make_unique<QTcpSocket>();
    sock_->connectToHost(addr, port);
    if (!sock_->waitForConnected(timeout_ms_)) {
        close();
        return false;
    }
    sock_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, socket_buffer);
    sock_->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, socket_buffer);
    sock_->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    return true;
}

void master_link::close()
{
    if (!sock_)
        return;
    sock_->abort();
    sock_.reset();
}

bool master_link::is_open() const { return sock_ && sock_->state() == QAbstractSocket::ConnectedState; }

bool master_link::read_exact(char *dst, qint64 n, qint64 deadline_ms)
{
    QElapsedTimer clock;
    clock.start();
    while (n > 0) {
        if (sock_->bytesAvailable() == 0) {
            const qint64 left = deadline_ms - clock.elapsed();
            if (left <= 0 || !sock_->waitForReadyRead(int(left)))
                return false;
        }
        const qint64 got = sock_->read(dst, n);
        if (got < 0)
            return false;
        dst += got;
        n -= got;
    }
    return true;
}

master_link::result master_link::exchange(const QByteArray &payload, QByteArray &body)
{
    if (!is_open())
        return result::lost;
    // Anything left unread would be taken for this request's reply.
    sock_->readAll();
    QByteArray frame;
    node_wire::put_u32(frame, quint32(payload.size()));
    frame += payload;
    QElapsedTimer clock;
    clock.start();
    bool sent = sock_->write(frame) == frame.size();
    while (sent && sock_->bytesToWrite() > 0)
        sent = sock_->waitForBytesWritten(int(qMax<qint64>(1, timeout_ms_ - clock.elapsed())));
    char len_bytes[4];
    if (!sent || !read_exact(len_bytes, 4, timeout_ms_ - clock.elapsed())) {
        close();
        return result::lost;
    }
    const quint32 len = qFromLittleEndian<quint32>(len_bytes);
    if (len == 0 || len > max_reply) {
        close();
        return result::lost;
    }
    QByteArray reply(int(len), Qt::Uninitialized);
    if (!read_exact(reply.data(), len, timeout_ms_ - clock.elapsed())) {
        close();
        return result::lost;
    }
    if (quint8(reply.at(0)) == 1)
        return result::failed;
    body = reply.mid(1);
    return result::ok;
}

master_link::result master_link::query_all(QList<QByteArray> &names)
{
    QByteArray payload = header(op_query);
    payload.append(char(0));
    node_wire::put_text(payload, QByteArray());
    QByteArray body;
    const result r = exchange(payload, body);
    if (r != result::ok)
        return r;
    // The count comes from the wire: it is checked against the bytes that arrived, never
    // trusted for an allocation.
    if (body.size() < 8)
        return result::failed;
    const quint64 count = qFromLittleEndian<quint64>(body.constData());
    int pos = 8;
    QList<QByteArray> out;
    for (quint64 i = 0; i < count; ++i) {
        if (body.size() - pos < 4)
            return result::failed;
        const quint32 n = qFromLittleEndian<quint32>(body.constData() + pos);
        pos += 4;
        if (quint32(body.size() - pos) < n)
            return result::failed;
        out.append(body.mid(pos, int(n)));
        pos += int(n);
    }
    names = out;
    return result::ok;
}

master_link::result master_link::query_one(const QByteArray &name, node_info &out)
{
    QByteArray payload = header(op_query);
    payload.append(char(1));
    node_wire::put_text(payload, name);
    QByteArray body;
    const result r = exchange(payload, body);
    if (r != result::ok)
        return r;
    int pos = 0;
    return node_wire::decode(body, pos, out) ? result::ok : result::failed;
}

master_link::result master_link::membership(bool detach, const node_info &n)
{
    QByteArray payload = header(op_membership);
    payload.append(char(detach ? 1 : 0));
    payload += node_wire::encode(n);
    QByteArray body;
    return exchange(payload, body);
}

master_link::result master_link::shutdown()
{
    QByteArray body;
    return exchange(header(op_shutdown), body);
}

bool master_link::reachable(const QByteArray &ip, quint16 port, int timeout_ms)
{
    QHostAddress addr;
    if (!addr.setAddress(QString::fromLatin1(ip)))
        return false;
    QTcpSocket probe;
    probe.connectToHost(addr, port);
    const bool up = probe.waitForConnected(timeout_ms);
    probe.abort();
    return up;
}
