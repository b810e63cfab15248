// The log's network sinks against local peers: lines arrive whole over UDP and TCP, and a TCP
// peer that stops reading or is gone never holds up the writing thread: its lines are dropped
// and counted, and everything that was counted as sent arrives.
#include "support/log/log_control.h"
#include "support/log/vorn_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <map>

namespace {

// A socket on 127.0.0.1 with a port of the system's choice.
struct local_socket {
    int fd = -1;
    int port = 0;
    local_socket(int type, int receive_buffer = 0)
    {
        fd = ::socket(AF_INET, type, 0);
        if (receive_buffer > 0)
            ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_buffer, sizeof receive_buffer);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(fd, reinterpret_cast<sockaddr *>(&a), len) != 0 ||
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) != 0)
            return;
        port = ntohs(a.sin_port);
        if (type == SOCK_STREAM)
            ::listen(fd, 16);
    }
    ~local_socket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Reads every connection of a TCP listener and counts the whole lines each brought.
struct line_reader {
    int listener;
    std::map<int, QByteArray> open;   // fd -> bytes after its last newline
    QList<QByteArray> lines;

    explicit line_reader(int fd) : listener(fd) {}
    ~line_reader()
    {
        for (auto &c : open)
            ::close(c.first);
    }
    // One round of waiting (at most wait_ms) and reading.
    void pump(int wait_ms)
    {
        std::vector<pollfd> fds{{listener, POLLIN, 0}};
        for (auto &c : open)
            fds.push_back({c.first, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), wait_ms) <= 0)
            return;
        if (fds[0].revents & POLLIN) {
            const int fd = ::accept(listener, nullptr, nullptr);
            if (fd >= 0)
                open[fd];
        }
        for (std::size_t i = 1; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            char buf[65536];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {   // a partial line left by a given-up send is not a line
                ::close(fds[i].fd);
                open.erase(fds[i].fd);
                continue;
            }
            QByteArray &rest = open[fds[i].fd];
            rest.append(buf, int(n));
            int nl;
            while ((nl = rest.indexOf('\n')) >= 0) {
                lines << rest.left(nl);
                rest.remove(0, nl + 1);
            }
        }
    }
};

} // namespace

class test_log_net : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void init()
    {
        vorn_log::restore_defaults();
        QFile::remove(dir_.filePath(QStringLiteral("vorn.log")));
        QVERIFY(set_log2file(dir_.filePath(QStringLiteral("vorn.log")).toUtf8().constData()));
    }
    void cleanup() { vorn_log::restore_defaults(); }

    void rejects_bad_ports()
    {
        QVERIFY(!set_log2tcp("127.0.0.1", 0));
        QVERIFY(!set_log2udp("127.0.0.1", 65536));
        QVERIFY(!vorn_log::tcp_counts().present && !vorn_log::udp_counts().present);
        QVERIFY(set_log2tcp(nullptr, 0));
    }

    void udp_datagrams_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::newRow("address") << QByteArray("127.0.0.1");
        QTest::newRow("name") << QByteArray("localhost");
    }
    void udp_datagrams()
    {
        QFETCH(QByteArray, host);
        local_socket peer(SOCK_DGRAM, 1 << 20);
        QVERIFY(peer.port > 0);
        QVERIFY(set_log2udp(host.constData(), peer.port));
        log_info("first");
        log_warn("second %d", 2);
        log_info("%s", QByteArray(20000, 'L').constData());   // past the datagram limit
        QList<QByteArray> got;
        for (int round = 0; round < 100 && got.size() < 3; ++round) {
            pollfd p{peer.fd, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                QByteArray buf(65536, '\0');
                const ssize_t n = ::recv(peer.fd, buf.data(), size_t(buf.size()), 0);
                got << buf.left(int(n));
            }
        }
        QCOMPARE(got.size(), 3);
        QVERIFY(got[0].endsWith("] first\n"));
        QVERIFY(got[1].contains(" warn  ") && got[1].endsWith("] second 2\n"));
        QCOMPARE(got[2].size(), 8192);
        QVERIFY(got[2].endsWith("LLL\n"));
        QTRY_COMPARE(vorn_log::udp_counts().sent, uint64_t(3));
    }

    void tcp_lines_arrive_whole()
    {
        local_socket peer(SOCK_STREAM);
        QVERIFY(peer.port > 0);
        QVERIFY(set_log2tcp("127.0.0.1", peer.port));
        const int n = 500;
        for (int i = 0; i < n; ++i)
            log_info("line %03d", i);
        line_reader r(peer.fd);
        for (int round = 0; round < 1000 && r.lines.size() < n; ++round)
            r.pump(20);
        QCOMPARE(r.lines.size(), n);
        for (int i = 0; i < n; ++i)
            QVERIFY2(r.lines[i].endsWith("] line " + QByteArray::number(i).rightJustified(3, '0')), r.lines[i]);
        const vorn_log::sink_counts c = vorn_log::tcp_counts();
        QCOMPARE(c.sent, uint64_t(n));
        QCOMPARE(c.dropped, uint64_t(0));
    }

    // The peer is gone: nothing listens. Every line still reaches the file; the network side
    // drops them all, says so once in the file, and the writer goes on at once.
    void tcp_peer_gone()
    {
        int port = 0;
        {
            local_socket gone(SOCK_STREAM);
            port = gone.port;
        }
        QVERIFY(port > 0);
        QVERIFY(set_log2tcp("127.0.0.1", port));
        const int n = 10000;
        for (int i = 0; i < n; ++i)
            log_info("line %05d", i);
        QTRY_VERIFY_WITH_TIMEOUT(vorn_log::tcp_counts().dropped == uint64_t(n), 60000);
        QCOMPARE(vorn_log::tcp_counts().sent, uint64_t(0));
        QFile f(dir_.filePath(QStringLiteral("vorn.log")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.count(), n + 2);   // the lines, the notice, the empty end
        const QByteArray notice = "log sink tcp 127.0.0.1:" + QByteArray::number(port);
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [&](const QByteArray &l) { return l.contains(notice); }), 1);
    }

    // The peer accepts nothing and reads nothing while the lines are written (it runs on this
    // thread, which is busy writing): the writes end all the same, with lines dropped. Once the
    // peer reads, every line counted as sent arrives whole.
    void tcp_peer_stalled()
    {
        local_socket peer(SOCK_STREAM, 4096);
        QVERIFY(peer.port > 0);
        QVERIFY(set_log2tcp("127.0.0.1", peer.port));
        set_log2file(nullptr);
        const int n = 10000;
        const QByteArray filler(1000, 'f');
        for (int i = 0; i < n; ++i)
            log_info("line %05d %s", i, filler.constData());
        // More than the queue and the socket buffers hold went out while nobody read.
        QVERIFY(vorn_log::tcp_counts().dropped > 0);

        line_reader r(peer.fd);
        QDeadlineTimer deadline(120000);
        auto done = [&] {
            const vorn_log::sink_counts c = vorn_log::tcp_counts();
            return c.queued == 0 && c.sent + c.dropped == uint64_t(n) && uint64_t(r.lines.size()) == c.sent;
        };
        while (!done() && !deadline.hasExpired())
            r.pump(20);
        const vorn_log::sink_counts c = vorn_log::tcp_counts();
        QVERIFY2(done(), qPrintable(QStringLiteral("sent %1 dropped %2 queued %3 read %4")
                                        .arg(c.sent).arg(c.dropped).arg(c.queued).arg(r.lines.size())));
        int last = -1;
        for (const QByteArray &l : r.lines) {
            const int at = l.indexOf("] line ");
            QVERIFY(at > 0 && l.endsWith(filler));
            const int i = l.mid(at + 7, 5).toInt();
            QVERIFY(i > last);   // dropped lines leave gaps, never reorder
            last = i;
        }
    }
};

QTEST_GUILESS_MAIN(test_log_net)
#include "test_log_net.moc"
