// last_error: the code and reason of the calling thread's last failure, against a scripted peer
// and against the development server.
#include "devserver_process.h"
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>
#include <string>
#include <thread>

namespace {
// A peer that accepts the login and answers each command with the next reply, then hangs up.
struct scripted_session {
    scripted_peer peer;
    bool ok = false;
    explicit scripted_session(std::vector<bytes> replies)
        : peer([replies](peer_conn &c) {
              bytes f;
              c.read_frame(f);
              c.send(login_ok());
              for (const bytes &r : replies) {
                  if (!c.read_frame(f))
                      return;
                  c.send(r);
              }
              c.close();
          })
    {
        stdout_capture quiet;
        ok = connect_to_server("127.0.0.1", peer.port(), "u", "p");
    }
    ~scripted_session()
    {
        stdout_capture quiet;
        exit_to_server();
    }
};

std::string reason()
{
    const char *t = nullptr;
    last_error(&t);
    return t ? std::string(t) : std::string("<null>");
}

bytes text_body(const std::string &s) { return bytes(s.begin(), s.end()); }
bytes empty_result() { return bytes(16, 0); }
} // namespace

class test_last_error : public QObject {
    Q_OBJECT
private slots:
    // Success clears the reason; a refused command keeps the server's text; the connection stays
    // in step after a refusal with a long body.
    void server_refusals()
    {
        const std::string long_msg(10000, 'x');
        scripted_session s({ reply(0, empty_result()), reply(1, text_body("table \"t\" not found\n")),
                             reply(1, bytes{ 0x00, 0xFF, 0x01 }), reply(1, text_body(long_msg)),
                             reply(1, text_body("\xE8\xA1\xA8 \xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8")),
                             reply(0, empty_result()) });
        QVERIFY(s.ok);
        QCOMPARE(last_error(nullptr), 0);
        QCOMPARE(reason(), std::string());

        result_set *rs = exec("view t", 6);
        QVERIFY(rs);
        del_datas(rs);
        QCOMPARE(last_error(nullptr), 0);

        QVERIFY(!exec("view t", 6));
        QCOMPARE(last_error(nullptr), 1);
        QCOMPARE(reason(), std::string("table \"t\" not found"));

        QVERIFY(!exec("view t", 6));
        QCOMPARE(last_error(nullptr), 1);
        QCOMPARE(reason(), std::string("the server answered with the failure status"));

        QVERIFY(!exec("view t", 6));
        QCOMPARE(last_error(nullptr), 1);
        QCOMPARE(reason(), std::string(4096, 'x'));

        QVERIFY(!exec("view t", 6));
        QCOMPARE(reason(), std::string("\xE8\xA1\xA8 \xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8"));

        rs = exec("view t", 6);
        QVERIFY(rs);
        del_datas(rs);
        QCOMPARE(last_error(nullptr), 0);
        QCOMPARE(reason(), std::string());
    }

    // Every network failure is code 2 with a reason that says what went wrong.
    void connection_failures()
    {
        int port;
        {
            scripted_peer gone(std::vector<scripted_peer::script>{});
            port = gone.port();
        }
        {
            stdout_capture quiet;
            QVERIFY(!connect_to_server("127.0.0.1", port, "u", "p"));
        }
        QCOMPARE(last_error(nullptr), 2);
        QVERIFY2(reason().find("cannot connect to 127.0.0.1:" + std::to_string(port)) == 0, reason().c_str());
        QVERIFY2(reason().find("refused") != std::string::npos, reason().c_str());

        {
            stdout_capture quiet;
            exit_to_server();
            QVERIFY(!exec("view t", 6));
        }
        QCOMPARE(last_error(nullptr), 2);
        QCOMPARE(reason(), std::string("not connected to a server"));

        scripted_session s({});   // the peer hangs up after the login
        QVERIFY(s.ok);
        {
            stdout_capture quiet;
            QVERIFY(!exec("view t", 6));
        }
        QCOMPARE(last_error(nullptr), 2);
        QVERIFY2(reason().find("closed") != std::string::npos || reason().find("failed") != std::string::npos,
                 reason().c_str());
    }

    // The record is per thread: another thread's failure leaves this one's success alone.
    void per_thread()
    {
        scripted_session s({ reply(0, empty_result()) });
        QVERIFY(s.ok);
        result_set *rs = exec("x", 1);
        QVERIFY(rs);
        del_datas(rs);
        int other = -1;
        std::thread t([&] {
            stdout_capture quiet;
            exec("x", 1);   // this thread has no connection
            other = last_error(nullptr);
        });
        t.join();
        QCOMPARE(other, 2);
        QCOMPARE(last_error(nullptr), 0);
    }

    // The development server's own messages arrive as reasons, for a refused login too.
    void development_server()
    {
        devserver_process server;
        QVERIFY2(server.ok(), qPrintable(server.error()));
        {
            stdout_capture quiet;
            QVERIFY(!connect_to_server("127.0.0.1", server.port(), "admin", "wrong password"));
        }
        QCOMPARE(last_error(nullptr), 1);
        QVERIFY(!reason().empty());

        QVERIFY(connect_to_server("127.0.0.1", server.port(), "admin", "admin"));
        QCOMPARE(last_error(nullptr), 0);
        const char cmd[] = "view no_such_table";
        QVERIFY(!exec(cmd, int(sizeof cmd - 1)));
        QCOMPARE(last_error(nullptr), 1);
        QVERIFY2(reason().find("no_such_table") != std::string::npos, reason().c_str());
        stdout_capture quiet;
        exit_to_server();
    }
};

QTEST_GUILESS_MAIN(test_last_error)
#include "test_last_error.moc"
