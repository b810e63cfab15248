// The development master on the wire: well-formed requests, and malformed ones that it must
// answer with the failure status or close, without ever going down.
#include "cluster_helper.h"


#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <QtTest>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray frame(const QByteArray &payload) { return le32(quint32(payload.size())) + payload; }

QByteArray head(quint8 op, quint16 version = 1)
{
    QByteArray b(2, '\0');
    qToLittleEndian(version, b.data());
    return b + char(op);
}

QByteArray text(const QByteArray &s) { return le32(quint32(s.size())) + s; }

// Status of the reply to one request, -1 when the master closed instead, -2 on silence.
int status_of(QTcpSocket &s, const QByteArray &bytes, QByteArray *body = nullptr)
{
    s.write(bytes);
    s.waitForBytesWritten(2000);
    return read_master_frame(s, body);
}

// A join request for node `name` at 127.0.0.1:port.
QByteArray join(const QByteArray &name, quint16 port = 1)
{
    QByteArray port_bytes(2, '\0');
    qToLittleEndian(port, port_bytes.data());
    return frame(head(255) + char(0) + text(name) + text("127.0.0.1") + le32(0) + port_bytes + char(0) +
                 QByteArray(16, '\0'));
}

// A plain socket that sends and never reads, as a stuck client would.
int never_reading(int port, const QByteArray &bytes)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(quint16(port));
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0 ||
        ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) != bytes.size()) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

class test_devmaster : public QObject {
    Q_OBJECT
private slots:
    void malformed_requests_get_failure()
    {
        devmaster_process m({"--node", "a=127.0.0.1:1:100"});
        QVERIFY2(m.ok(), qPrintable(m.error()));
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
        QVERIFY(s.waitForConnected(5000));
        const QByteArray query_a = head(5) + char(1) + text("a");
        QCOMPARE(status_of(s, frame(head(5, 2) + char(1) + text("a"))), 1);   // header value not 1
        QCOMPARE(status_of(s, frame(QByteArray())), 1);                       // empty payload
        QCOMPARE(status_of(s, frame(head(9))), 1);                            // unknown operation
        QCOMPARE(status_of(s, frame(head(5) + char(2) + text(""))), 1);       // neither all nor one
        QCOMPARE(status_of(s, frame(head(5) + char(1) + le32(50) + "a")), 1); // name past the end
        QCOMPARE(status_of(s, frame(query_a + "x")), 1);                      // trailing bytes
        QCOMPARE(status_of(s, frame(head(255) + char(0) + text("b"))), 1);    // cut node record
        QCOMPARE(status_of(s, frame(head(5) + char(1) + text("nobody"))), 1); // unknown node
        QCOMPARE(status_of(s, frame(head(4) + "x")), 1);                      // shutdown with data
        // The same connection still gets whole answers afterwards.
        QByteArray body;
        QCOMPARE(status_of(s, frame(query_a), &body), 0);
        int pos = 0;
        node_info a;
        QVERIFY(node_wire::decode(body, pos, a));
        QCOMPARE(a.name, QByteArray("a"));
        QCOMPARE(a.running, quint8(0));
        QCOMPARE(a.max_space, quint64(100));
        QVERIFY(m.running());
    }

    void oversized_or_closing_frames_close_the_connection()
    {
        devmaster_process m({});
        QVERIFY2(m.ok(), qPrintable(m.error()));
        const QList<QByteArray> killers = {
            le32(0xFFFFFFFFu),                              // the disconnect notice
            le32(0x7FFFFFFFu),                              // larger than any frame
            le32(8u << 20) + QByteArray(1200 * 1024, 'z'),  // far more than a request needs
        };
        for (const QByteArray &k : killers) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
            QVERIFY(s.waitForConnected(5000));
            QCOMPARE(status_of(s, k), -1);
        }
        blocking_master link;
        QVERIFY(link.open(QStringLiteral("127.0.0.1"), quint16(m.port())));
        QList<QByteArray> names;
        QCOMPARE(link.query_all(names), blocking_master::result::ok);
        QVERIFY(names.isEmpty());
    }

    void membership_and_shutdown()
    {
        const int dead = free_port();
        devmaster_process m({"--node", QStringLiteral("a=127.0.0.1:%1:100").arg(dead)});
        QVERIFY2(m.ok(), qPrintable(m.error()));
        blocking_master link;
        QVERIFY(link.open(QStringLiteral("127.0.0.1"), quint16(m.port())));
        node_info b;
        b.name = "b";
        b.ip = "127.0.0.1";
        b.port = quint16(dead);
        b.group = 5;
        QCOMPARE(link.membership(true, b), blocking_master::result::failed);   // detach of a stranger
        QCOMPARE(link.membership(false, b), blocking_master::result::ok);      // join adds it
        QList<QByteArray> names;
        QCOMPARE(link.query_all(names), blocking_master::result::ok);
        QCOMPARE(names, (QList<QByteArray>{"a", "b"}));
        node_info got;
        QCOMPARE(link.query_one("b", got), blocking_master::result::ok);
        QCOMPARE(got.group, 1);   // the master gives the group, whatever the record carried
        QCOMPARE(link.membership(false, got), blocking_master::result::ok);
        QCOMPARE(link.query_one("a", got), blocking_master::result::ok);
        QCOMPARE(got.group, 0);
        got.group = 0;
        QCOMPARE(link.membership(false, got), blocking_master::result::ok);
        QCOMPARE(link.query_one("a", got), blocking_master::result::ok);
        QCOMPARE(got.group, 1);
        QCOMPARE(link.membership(true, got), blocking_master::result::ok);
        QCOMPARE(link.query_one("a", got), blocking_master::result::ok);
        QCOMPARE(got.group, 0);
        QCOMPARE(link.shutdown(), blocking_master::result::ok);
        QVERIFY(m.wait_exit(5000));
    }

    void one_peer_never_stalls_the_others()
    {
        // A node that accepts and never answers: probing it takes the probe's whole time limit.
        QTcpServer mute;
        QVERIFY(mute.listen(QHostAddress::LocalHost));
        devmaster_process m({"--node", QStringLiteral("mute=127.0.0.1:%1:100").arg(mute.serverPort())});
        QVERIFY2(m.ok(), qPrintable(m.error()));
        QTcpSocket admin;
        admin.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
        QVERIFY(admin.waitForConnected(5000));
        for (int i = 0; i < 200; ++i)
            QCOMPARE(status_of(admin, join(QByteArray::number(i).rightJustified(200, 'n'))), 0);
        // A client that asks for far more than it reads (about 12 MB of names).
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += frame(head(5) + char(0) + text(""));
        const int stuck = never_reading(m.port(), many);
        QVERIFY(stuck >= 0);
        QTcpSocket waiting;
        waiting.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
        QVERIFY(waiting.waitForConnected(5000));
        waiting.write(frame(head(5) + char(1) + text("mute")));
        QVERIFY(waiting.waitForBytesWritten(2000));
        // Another client is answered while the first reads nothing and the probe still runs.
        QTcpSocket other;
        other.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
        QVERIFY(other.waitForConnected(5000));
        QByteArray body;
        QCOMPARE(status_of(other, frame(head(5) + char(0) + text("")), &body), 0);
        QCOMPARE(waiting.bytesAvailable(), qint64(0));
        QVERIFY(!waiting.waitForReadyRead(0));
        QCOMPARE(status_of(waiting, QByteArray(), &body), 0);
        int pos = 0;
        node_info got;
        QVERIFY(node_wire::decode(body, pos, got));
        QCOMPARE(got.running, quint8(1));
        ::close(stuck);
    }

    void joins_are_bounded()
    {
        devmaster_process m({});
        QVERIFY2(m.ok(), qPrintable(m.error()));
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
        QVERIFY(s.waitForConnected(5000));
        QCOMPARE(status_of(s, join(QByteArray(1000 * 1024, 'x'))), 1);
        QCOMPARE(status_of(s, join(QByteArray(256, 'x'))), 1);
        int joined = 0;
        while (joined < 2000 && status_of(s, join("n" + QByteArray::number(joined))) == 0)
            ++joined;
        QCOMPARE(joined, 1024);
        QCOMPARE(status_of(s, join("n7")), 0);   // a known node still joins
    }

    void idle_clients_make_room_when_all_places_are_taken()
    {
        devmaster_process m({"--idle-timeout", "1"});
        QVERIFY2(m.ok(), qPrintable(m.error()));
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < 64; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, quint16(m.port()));
            QVERIFY(idle.back()->waitForConnected(5000));
        }
        // Refused while the others are fresh, answered once one of them has been idle a second.
        const auto answered = [&m] {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, quint16(m.port()));
            return s.waitForConnected(5000) && status_of(s, frame(head(5) + char(0) + text(""))) == 0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(answered(), 10000);
    }

    void bad_command_lines()
    {
        const QString program = sibling_program("vorn_tsdb_devmaster");
        for (const QStringList &args : {QStringList{"--node", "x=127.0.0.1:0:5"}, QStringList{"--node", "x=1.2.3.4:80"},
                                        QStringList{"--node", "=1.2.3.4:80:1"}, QStringList{"--port", "70000"},
                                        QStringList{"--node", "x=127.0.0.1:80:1", "--node", "x=127.0.0.1:81:1"},
                                        QStringList{"--bogus"}}) {
            QProcess p;
            p.start(program, args);
            QVERIFY(p.waitForFinished(5000));
            QVERIFY2(p.exitCode() == 2, qPrintable(args.join(' ')));
        }
        QProcess help;
        help.start(program, {"--help"});
        QVERIFY(help.waitForFinished(5000));
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.readAllStandardOutput().contains("--node NAME=IP:PORT:MAX_SPACE"));
    }
};

QTEST_MAIN(test_devmaster)
#include "test_devmaster.moc"
