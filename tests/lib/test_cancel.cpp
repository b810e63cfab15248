// cancel_exec: another thread ends a connection's wait on a peer that stopped answering; the
// cancelled thread can log in again afterwards.
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
std::uint64_t id_of(std::thread &t) { return (std::uint64_t)t.native_handle(); }
std::uint64_t my_id() { return (std::uint64_t)pthread_self(); }

std::string reason()
{
    const char *t = nullptr;
    last_error(&t);
    return t ? std::string(t) : std::string("<null>");
}

// Reads the login and, unless mute_login, accepts it and reads one command; then says nothing.
// heard: the frame the client now waits on arrived; closed: the client closed afterwards.
scripted_peer::script stopped_server(bool mute_login, std::promise<void> &heard, std::atomic<bool> &closed)
{
    return [mute_login, &heard, &closed](peer_conn &c) {
        bytes f;
        c.read_frame(f);
        if (!mute_login) {
            c.send(login_ok());
            c.read_frame(f);
        }
        heard.set_value();
        closed = c.wait_closed();
    };
}

// Logs in and answers commands with empty results until the client leaves.
void working_server(peer_conn &c)
{
    bytes f;
    c.read_frame(f);
    c.send(login_ok());
    std::uint32_t len = 0;
    while (c.read_frame(f, &len) && len != 0xFFFFFFFFu)
        c.send(reply(0));
}

// What a cancelled thread saw, and whether it could work again afterwards.
struct seen {
    bool returned_ok = true;
    int code = -1;
    std::string why;
    bool relogin = false;
    bool exec_after = false;
};

void log_in_again(int port, seen &s)
{
    s.relogin = connect_to_server("127.0.0.1", port, "u", "p");
    result_set *rs = exec("q", 1);
    s.exec_after = rs != nullptr;
    del_datas(rs);
    exit_to_server();
}

// A listening socket whose backlog is full, so a further connect stays in the TCP handshake.
struct full_listener {
    int fd = -1;
    int port = 0;
    std::vector<int> queued;
    full_listener()
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ::listen(fd, 0);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
        port = ntohs(a.sin_port);
        // Fill the queue: connects complete until it holds all it can take.
        for (int i = 0; i < 8; ++i) {
            const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a);
            pollfd p { s, POLLOUT, 0 };
            if (::poll(&p, 1, 200) <= 0) {
                ::close(s);
                break;
            }
            queued.push_back(s);
        }
    }
    // True while some socket of this machine is in the handshake towards the listener.
    bool handshake_pending() const
    {
        FILE *f = std::fopen("/proc/net/tcp", "r");
        if (!f)
            return false;
        char line[512];
        bool found = false;
        char want[16];
        std::snprintf(want, sizeof want, ":%04X 02 ", port);  // remote port, state SYN_SENT
        while (!found && std::fgets(line, sizeof line, f))
            found = std::strstr(line, want) != nullptr;
        std::fclose(f);
        return found;
    }
    ~full_listener()
    {
        for (int s : queued)
            ::close(s);
        ::close(fd);
    }
};
} // namespace

class test_cancel : public QObject {
    Q_OBJECT
private slots:
    void waiting_thread_data()
    {
        QTest::addColumn<bool>("in_login");
        QTest::newRow("exec waits for its reply") << false;
        QTest::newRow("login waits for its reply") << true;
    }

    // The thread waiting on a stopped server returns "cancelled", its connection is closed, and
    // a fresh login on that thread is not touched by the old request.
    void waiting_thread()
    {
        QFETCH(bool, in_login);
        std::promise<void> heard;
        std::atomic<bool> closed { false };
        scripted_peer peer({ stopped_server(in_login, heard, closed), working_server });
        seen s;
        std::thread worker([&] {
            stdout_capture quiet;
            if (in_login) {
                s.returned_ok = connect_to_server("127.0.0.1", peer.port(), "u", "p");
            } else if (connect_to_server("127.0.0.1", peer.port(), "u", "p")) {
                result_set *rs = exec("view t", 6);
                s.returned_ok = rs != nullptr;
                del_datas(rs);
            }
            s.code = last_error(nullptr);
            s.why = reason();
            log_in_again(peer.port(), s);
        });
        // Judged only after the joins: a failure returning early would leave the thread
        // joinable, and its destruction would end the whole program.
        const bool was_heard = heard.get_future().wait_for(std::chrono::seconds(60)) == std::future_status::ready;
        const bool had = cancel_exec(id_of(worker));
        worker.join();
        peer.join();
        QVERIFY(was_heard);
        QVERIFY(had);
        QVERIFY(!s.returned_ok);
        QCOMPARE(s.code, 2);
        QCOMPARE(s.why, std::string("cancelled"));
        QVERIFY(closed);
        QVERIFY(s.relogin);
        QVERIFY(s.exec_after);
    }

    // A login still in its TCP handshake ends too.
    void tcp_connect()
    {
        full_listener listener;
        seen s;
        std::atomic<bool> done { false };
        std::thread worker([&] {
            stdout_capture quiet;
            s.returned_ok = connect_to_server("127.0.0.1", listener.port, "u", "p");
            s.code = last_error(nullptr);
            s.why = reason();
            done = true;
        });
        // Cancelled once the handshake has begun, so it is that wait that ends.
        // No return before the join below, so a wait that does not fail the test.
        (void)QTest::qWaitFor([&] { return done || listener.handshake_pending(); }, 5000);
        const bool had = cancel_exec(id_of(worker));
        worker.join();
        QVERIFY(had);
        QVERIFY(!s.returned_ok);
        QCOMPARE(s.code, 2);
        QCOMPARE(s.why, std::string("cancelled"));
    }

    // Cancelled while idle: the server sees the connection end at once, the next exec says
    // "cancelled", the one after "not connected"; a new login clears an old request.
    void idle_connection()
    {
        std::atomic<bool> closed { false };
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            closed = c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
        const std::uint64_t me = my_id();
        bool had = false;
        std::thread([&] { had = cancel_exec(me); }).join();
        QVERIFY(had);
        QVERIFY(!exec("q", 1));
        QCOMPARE(last_error(nullptr), 2);
        QCOMPARE(reason(), std::string("cancelled"));
        {
            stdout_capture quiet;
            QVERIFY(!exec("q", 1));
        }
        QCOMPARE(reason(), std::string("not connected to a server"));
        std::thread([&] { had = cancel_exec(me); }).join();
        QVERIFY(!had);
        peer.join();
        QVERIFY(closed);

        scripted_peer again(std::vector<scripted_peer::script> { working_server, working_server });
        QVERIFY(connect_to_server("127.0.0.1", again.port(), "u", "p"));
        std::thread([&] { had = cancel_exec(me); }).join();
        QVERIFY(had);
        QVERIFY(connect_to_server("127.0.0.1", again.port(), "u", "p"));
        result_set *rs = exec("q", 1);
        QVERIFY(rs);
        del_datas(rs);
        exit_to_server();
        std::thread([&] { had = cancel_exec(me); }).join();
        QVERIFY(!had);  // exit_to_server unlisted the thread
    }

    // Threads without a connection, and threads that ended, are not found.
    void threads_without_connection()
    {
        QVERIFY(!cancel_exec(my_id()));
        std::atomic<bool> closed { false };
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            closed = c.wait_closed();
        });
        bool logged_in = false;
        std::thread ends_connected([&] { logged_in = connect_to_server("127.0.0.1", peer.port(), "u", "p"); });
        const std::uint64_t id = id_of(ends_connected);
        ends_connected.join();
        peer.join();
        QVERIFY(logged_in);
        QVERIFY(closed);  // the thread's end closed its connection
        QVERIFY(!cancel_exec(id));
    }
};

QTEST_APPLESS_MAIN(test_cancel)
#include "test_cancel.moc"
