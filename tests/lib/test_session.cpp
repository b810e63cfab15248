// Login, logout and per-thread connections against a scripted peer.
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>
#include <atomic>
#include <cstring>
#include <thread>

class test_session : public QObject {
    Q_OBJECT

    static bytes login_frame(const std::string &u, const std::string &p)
    {
        bytes b = le(8 + u.size() + p.size(), 4);
        bytes ul = le(u.size(), 4), pl = le(p.size(), 4);
        b.insert(b.end(), ul.begin(), ul.end());
        b.insert(b.end(), u.begin(), u.end());
        b.insert(b.end(), pl.begin(), pl.end());
        b.insert(b.end(), p.begin(), p.end());
        return b;
    }

    // Runs a login against a peer that checks the request and answers with `answer`.
    static bool login_with(const bytes &answer, const char *user, const char *pw, bytes *seen,
                           std::string *out, bool bytewise = false, bool hang_up = false)
    {
        scripted_peer peer([&](peer_conn &c) {
            bytes head, rest;
            if (!c.read_exact(4, head))
                return;
            std::uint32_t n;
            std::memcpy(&n, head.data(), 4);
            c.read_exact(n, rest);
            head.insert(head.end(), rest.begin(), rest.end());
            if (seen)
                *seen = head;
            bytewise ? c.send_bytewise(answer) : c.send(answer);
            if (hang_up)
                c.close();
            else
                c.wait_closed();
        });
        stdout_capture cap;
        const bool ok = connect_to_server("127.0.0.1", peer.port(), user, pw);
        exit_to_server();
        if (out)
            *out = cap.text();
        return ok;
    }

private slots:
    void login_request_bytes()
    {
        bytes seen;
        QVERIFY(login_with(login_ok(), "admin", "secret", &seen, nullptr));
        QCOMPARE(seen, login_frame("admin", "secret"));

        QVERIFY(login_with(login_ok(), nullptr, "pw", &seen, nullptr));
        QCOMPARE(seen, login_frame("", "pw"));

        QVERIFY(login_with(login_ok(), "", "", &seen, nullptr));
        QCOMPARE(seen, (bytes{ 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }));

        // Bytes go as they are: UTF-8 names are not converted.
        QVERIFY(login_with(login_ok(), "\xe7\x94\xa8", nullptr, &seen, nullptr));
        QCOMPARE(seen, login_frame("\xe7\x94\xa8", ""));
    }

    void login_statuses()
    {
        std::string out;
        QVERIFY(login_with(reply(0), "u", "p", nullptr, &out));
        QVERIFY(login_with(reply(2), "u", "p", nullptr, &out));  // only 1 refuses
        QVERIFY(login_with(reply(0, bytes(100, 'x')), "u", "p", nullptr, &out));
        QVERIFY(!login_with(reply(1), "u", "bad", nullptr, &out));
        QCOMPARE(out, std::string("login failed.\n"));
    }

    void login_reply_in_pieces()
    {
        // A reply that arrives a byte at a time still logs in.
        std::string out;
        QVERIFY(login_with(reply(0, bytes(40, 'z')), "u", "p", nullptr, &out, true));
        QVERIFY(!login_with(reply(1, bytes(3, 'z')), "u", "p", nullptr, &out, true));
        QCOMPARE(out, std::string("login failed.\n"));
    }

    void login_bad_replies()
    {
        std::string out;
        QVERIFY(!login_with({}, "u", "p", nullptr, &out, false, true));
        QVERIFY2(QString::fromStdString(out).startsWith("login failed(network).\n"), out.c_str());
        // Shorter than its length field, then closed.
        QVERIFY(!login_with(bytes{ 9, 0, 0, 0, 0 }, "u", "p", nullptr, &out, false, true));
        QVERIFY2(QString::fromStdString(out).startsWith("login failed(bad length).\n"), out.c_str());
        QVERIFY(!login_with(bytes{ 0xFF, 0xFF, 0xFF, 0xFF, 0 }, "u", "p", nullptr, &out, false, true));
        QVERIFY2(QString::fromStdString(out).startsWith("login failed(bad length).\n"), out.c_str());
        QVERIFY(!login_with(bytes{ 1, 0 }, "u", "p", nullptr, &out, false, true));
        QVERIFY2(QString::fromStdString(out).startsWith("login failed(bad length).\n"), out.c_str());
    }

    void connect_failures()
    {
        int port;
        {
            scripted_peer gone(std::vector<scripted_peer::script>{});
            port = gone.port();
        }
        stdout_capture cap;
        QVERIFY(!connect_to_server("127.0.0.1", port, "u", "p"));
        QVERIFY(!connect_to_server("not an address", port, "u", "p"));
        exit_to_server();
        const QString out = QString::fromStdString(cap.text());
        QVERIFY2(out.startsWith("connect error "), qPrintable(out));
        QCOMPARE(out.count("connect error "), 2);
    }

    void port_uses_low_16_bits()
    {
        scripted_peer peer([](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port() + 65536, "u", "p"));
        exit_to_server();
    }

    void exit_sends_notice()
    {
        bytes notice;
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.read_exact(4, notice);
            c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
        QVERIFY(exit_to_server());
        peer.join();
        QCOMPARE(notice, (bytes{ 0xFF, 0xFF, 0xFF, 0xFF }));
    }

    void exit_without_connection()
    {
        stdout_capture cap;
        QVERIFY(exit_to_server());
        QVERIFY(exit_to_server());
        const QString out = QString::fromStdString(cap.text());
        QCOMPARE(out.count("send error("), 2);
    }

    void reconnect_releases_first_connection()
    {
        std::atomic<bool> first_closed { false };
        scripted_peer one([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            first_closed = c.wait_closed();
        });
        scripted_peer two([](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.read_frame(f);
            c.send(reply(0));
            c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", one.port(), "u", "p"));
        QVERIFY(connect_to_server("127.0.0.1", two.port(), "u", "p"));
        one.join();
        QVERIFY(first_closed);
        result_set *rs = exec("x", 1);
        QVERIFY(rs);
        del_datas(rs);
        exit_to_server();
    }

    void connections_are_per_thread()
    {
        auto serve = [](const std::string &answer_name) {
            return [answer_name](peer_conn &c) {
                bytes f;
                c.read_frame(f);
                c.send(login_ok());
                while (c.read_frame(f) && f.size() != 0) {
                    result_body<bytes> b;
                    b.col(answer_name, 2, 2, 4).row(1).str(answer_name);
                    c.send(reply(0, b.build()));
                }
                c.wait_closed();
            };
        };
        scripted_peer a(serve("a")), b(serve("b"));
        std::string got_a, got_b;
        bool other_thread_failed = false;
        auto worker = [](int port, std::string *got) {
            if (!connect_to_server("127.0.0.1", port, "u", "p"))
                return;
            for (int i = 0; i < 20; ++i) {
                result_set *rs = exec("q", 1);
                int len = 0;
                if (rs && i == 19)
                    *got = col_name(&len, rs, 0);
                del_datas(rs);
            }
            exit_to_server();
        };
        std::thread ta(worker, a.port(), &got_a), tb(worker, b.port(), &got_b);
        std::thread never([&] {
            stdout_capture cap;
            other_thread_failed = exec("q", 1) == nullptr;
        });
        ta.join();
        tb.join();
        never.join();
        QCOMPARE(got_a, std::string("a"));
        QCOMPARE(got_b, std::string("b"));
        QVERIFY(other_thread_failed);
    }
};

QTEST_APPLESS_MAIN(test_session)
#include "test_session.moc"
