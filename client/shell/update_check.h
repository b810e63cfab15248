// The version check: one 20-byte record to the update server and its 20-byte answer, on the
// toolkit's asynchronous socket so the window never waits for the network.
#pragma once

#include "shell/build_version.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

namespace version {
constexpr qint32 record_kind = 100;
constexpr quint32 major = VORN_VERSION_MAJOR;
constexpr quint32 minor = VORN_VERSION_MINOR;
constexpr quint32 patch = VORN_VERSION_PATCH;
constexpr int record_size = 20;
constexpr int connect_limit_ms = 3000;
constexpr int reply_limit_ms = 3000;
} // namespace version

class update_check : public QObject {
    Q_OBJECT
public:
    enum class outcome { newer, latest, failed };

    explicit update_check(QObject *parent = nullptr);
    ~update_check() override;

    // Starts the exchange and returns at once; finished() follows exactly once.
    void start();
    bool running() const { return socket_ != nullptr; }

    // The request: kind, version and the CRC-32 of the file at `program_file`. A file that
    // cannot be read counts as empty: the server may learn less, the check still works.
    static QByteArray request_record(const QString &program_file);
    // What a complete reply means; anything but 20 bytes of kind 100 is a failed check.
    static outcome judge(const QByteArray &reply);

    // Where the check goes: the build's configured update server unless a test pointed it
    // elsewhere. An empty host restores the configured one.
    static void set_endpoint(const QString &host, quint16 port);
    static QString host();
    static quint16 port();

signals:
    void finished(update_check::outcome result);

private:
    void connected();
    void read_reply();
    void socket_error();
    void closed_early();
    void timed_out();
    // Reports the outcome once; why says what went wrong, for the log.
    void finish(outcome result, const QByteArray &why = QByteArray());
    QByteArray reply_count() const;

    QTcpSocket *socket_ = nullptr;
    QTimer *limit_ = nullptr;
    QByteArray request_;
    QByteArray reply_;
    bool connected_ = false;
};
