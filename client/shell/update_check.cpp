// The version check exchange: connect within a bound, send the request, read exactly one
// reply record within a bound, and close the socket whatever happened.
#include "shell/update_check.h"

#include "shell/startup.h"
#include "support/log/vorn_log.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>
#include <cstdio>
#include <zlib.h>

#ifndef VORN_UPDATE_HOST
#define VORN_UPDATE_HOST "update.vorn-tsdb.example"
#endif
#ifndef VORN_UPDATE_PORT
#define VORN_UPDATE_PORT 13556
#endif

namespace {

struct endpoint {
    QString host;
    quint16 port = 0;
};

endpoint &override_endpoint()
{
    static endpoint e;
    return e;
}

// argv[0] may name the program without a folder (started through PATH); the running file
// is then the only one we can read.
QString program_file()
{
    const QString kept = startup::program_path();
    if (!kept.isEmpty() && QFileInfo(kept).isFile())
        return kept;
    return QCoreApplication::applicationFilePath();
}

void put_u32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

update_check::update_check(QObject *parent) : QObject(parent) {}

update_check::~update_check()
{
    // Going away mid-check (the window closes): hang up without reporting anything.
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void update_check::set_endpoint(const QString &host, quint16 port)
{
    override_endpoint() = endpoint{host, port};
}

QString update_check::host()
{
    return override_endpoint().host.isEmpty() ? QStringLiteral(VORN_UPDATE_HOST) : override_endpoint().host;
}

quint16 update_check::port()
{
    return override_endpoint().host.isEmpty() ? quint16(VORN_UPDATE_PORT) : override_endpoint().port;
}

QByteArray update_check::request_record(const QString &path)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        QByteArray chunk;
        while (!(chunk = f.read(1 << 20)).isEmpty())
            crc = crc32(crc, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(chunk.size()));
    }
    QByteArray out;
    out.reserve(version::record_size);
    put_u32(out, quint32(version::record_kind));
    put_u32(out, version::major);
    put_u32(out, version::minor);
    put_u32(out, version::patch);
    put_u32(out, quint32(crc));
    return out;
}

update_check::outcome update_check::judge(const QByteArray &reply)
{
    if (reply.size() != version::record_size)
        return outcome::failed;
    const char *p = reply.constData();
    if (qFromLittleEndian<qint32>(p) != version::record_kind)
        return outcome::failed;
    const quint32 theirs[3] = {qFromLittleEndian<quint32>(p + 4), qFromLittleEndian<quint32>(p + 8),
                               qFromLittleEndian<quint32>(p + 12)};
    const quint32 ours[3] = {version::major, version::minor, version::patch};
    for (int i = 0; i < 3; ++i)
        if (theirs[i] != ours[i])
            return theirs[i] > ours[i] ? outcome::newer : outcome::latest;
    return outcome::latest;
}

void update_check::start()
{
    if (socket_)
        return;
    request_ = request_record(program_file());
    reply_.clear();
    connected_ = false;

    socket_ = new QTcpSocket(this);
    limit_ = new QTimer(this);
    limit_->setSingleShot(true);
    connect(limit_, &QTimer::timeout, this, &update_check::timed_out);
    connect(socket_, &QTcpSocket::connected, this, &update_check::connected);
    connect(socket_, &QTcpSocket::readyRead, this, &update_check::read_reply);
    connect(socket_, &QAbstractSocket::errorOccurred, this, &update_check::socket_error);
    connect(socket_, &QTcpSocket::disconnected, this, &update_check::closed_early);
    connect(socket_, &QAbstractSocket::stateChanged, this, [this](QAbstractSocket::SocketState s) {
        // The options reach the system socket only once it exists.
        if (s == QAbstractSocket::ConnectingState && socket_) {
            socket_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 524288);
            socket_->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 524288);
            socket_->setSocketOption(QAbstractSocket::KeepAliveOption, 0);
        }
    });
    limit_->start(version::connect_limit_ms);
    socket_->connectToHost(host(), port(), QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
}

void update_check::connected()
{
    connected_ = true;
    limit_->start(version::reply_limit_ms);
    // write() queues every byte; partial sends are the socket's business from here on.
    if (socket_->write(request_) != request_.size()) {
        std::printf("send error %s\n", socket_->errorString().toLocal8Bit().constData());
        std::fflush(stdout);
        finish(outcome::failed, "send failed: " + socket_->errorString().toUtf8());
    }
}

void update_check::read_reply()
{
    if (!socket_)
        return;
    reply_ += socket_->read(version::record_size - reply_.size());
    if (reply_.size() != version::record_size)
        return;
    const outcome result = judge(reply_);
    finish(result, result == outcome::failed
                       ? "reply kind " + QByteArray::number(qFromLittleEndian<qint32>(reply_.constData())) +
                             ", not " + QByteArray::number(version::record_kind)
                       : QByteArray());
}

void update_check::socket_error()
{
    if (!socket_)
        return;
    // A peer that closes right after a full reply has still answered.
    read_reply();
    if (!socket_)
        return;
    const QByteArray error = socket_->errorString().toUtf8();
    QByteArray why;
    if (!connected_) {
        std::printf("connect error!\n");
        why = "cannot connect: " + error;
    } else if (socket_->bytesToWrite() > 0) {
        std::printf("send error %s\n", socket_->errorString().toLocal8Bit().constData());
        why = "send failed: " + error;
    } else if (socket_->error() == QAbstractSocket::RemoteHostClosedError) {
        why = "the server closed the connection after " + reply_count();
    } else {
        why = error + " after " + reply_count();
    }
    std::fflush(stdout);
    finish(outcome::failed, why);
}

void update_check::closed_early()
{
    if (socket_)
        read_reply();
    if (socket_)
        finish(outcome::failed, "the server closed the connection after " + reply_count());
}

void update_check::timed_out()
{
    if (!socket_)
        return;
    if (!connected_) {
        std::printf("connect error!\n");
        std::fflush(stdout);
        finish(outcome::failed, "no connection within " + QByteArray::number(version::connect_limit_ms) + " ms");
        return;
    }
    finish(outcome::failed, "no complete reply within " + QByteArray::number(version::reply_limit_ms) + " ms, " +
                                reply_count());
}

QByteArray update_check::reply_count() const
{
    return QByteArray::number(reply_.size()) + " of " + QByteArray::number(version::record_size) + " reply bytes";
}

void update_check::finish(outcome result, const QByteArray &why)
{
    if (!socket_)
        return;
    limit_->stop();
    QTcpSocket *s = socket_;
    socket_ = nullptr;
    s->disconnect(this);
    s->abort();
    s->deleteLater();
    limit_->deleteLater();
    limit_ = nullptr;
    log_it(result == outcome::failed ? LOG_LEVEL_WARN : LOG_LEVEL_INFO, "version check at %s:%u: %s%s%s%s",
           host().toUtf8().constData(), unsigned(port()),
           result == outcome::newer ? "a newer version exists" : result == outcome::latest ? "latest version" : "failed",
           why.isEmpty() ? "" : " (", why.constData(), why.isEmpty() ? "" : ")");
    emit finished(result);
}
