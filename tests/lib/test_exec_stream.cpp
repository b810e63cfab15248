// exec_pieces and exec_rows against a scripted peer: the same frames and decoded rows as exec,
// texts and replies split into many pieces, refused and malformed replies, a caller that gives
// up or stops, cancel_exec during both, and calls from inside fill or take.
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>
#include <cstring>
#include <future>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

// Answers each command frame with the next reply and records the frames; a reply may go out
// byte by byte. After the list it waits for the client to close.
struct session {
    std::vector<bytes> seen;
    std::atomic<bool> closed { false };
    scripted_peer peer;
    explicit session(std::vector<bytes> replies, bool bytewise = false)
        : peer([this, replies, bytewise](peer_conn &c) {
              bytes f;
              c.read_frame(f);
              c.send(login_ok());
              for (const bytes &r : replies) {
                  std::uint32_t len = 0;
                  if (!c.read_frame(f, &len) || len == 0xFFFFFFFFu) {
                      closed = true;  // the client ended the connection, inside a frame or with its notice
                      return;
                  }
                  seen.push_back(le(len, 4));
                  seen.back().insert(seen.back().end(), f.begin(), f.end());
                  bytewise ? c.send_bytewise(r) : c.send(r);
              }
              closed = c.wait_closed();
          })
    {
        ok = connect_to_server("127.0.0.1", peer.port(), "u", "p");
    }
    ~session()
    {
        stdout_capture quiet;
        exit_to_server();
    }
    bool ok = false;
};

std::string reason()
{
    const char *t = nullptr;
    last_error(&t);
    return t ? t : "<null>";
}

// A row as text: its identifier, then each cell's kind and value.
std::string row_text(const result_set *rs, std::uint64_t r)
{
    std::string out = std::to_string(sid_of(rs, r));
    for (std::uint64_t c = 0; c < cols_of(rs); ++c) {
        const cell *x = at(r, c, rs);
        out += '|' + std::to_string(val_type(x)) + ':';
        if (val_type(x) == 2) {
            char *s = nullptr;
            std::uint64_t n = 0;
            as_str(&s, &n, x);
            out.append(s, n);
            std::free(s);
        } else {
            out += std::to_string(as_uint64(x));
        }
    }
    return out;
}

std::vector<std::string> rows_text(const result_set *rs)
{
    std::vector<std::string> out;
    for (std::uint64_t r = 0; r < rows_of(rs); ++r)
        out.push_back(row_text(rs, r));
    return out;
}

// What take saw: every batch's rows in order, the columns of each batch.
struct taken {
    std::vector<std::string> rows;
    std::vector<std::uint64_t> batch_cols;
    int stop_at = -1;  // take returns false on this batch (0-based)
};

bool take_rows(void *ctx, const result_set *rs)
{
    auto *t = static_cast<taken *>(ctx);
    t->batch_cols.push_back(cols_of(rs));
    for (std::string &r : rows_text(rs))
        t->rows.push_back(std::move(r));
    del_datas(const_cast<result_set *>(rs));  // lent: left alone
    return int(t->batch_cols.size()) - 1 != t->stop_at;
}

// A command text handed out in pieces of at most `piece` bytes (0: as much as asked).
struct text_source {
    std::string text;
    std::size_t piece = 0;
    std::size_t pos = 0;
    int calls = 0;
    std::size_t give_up_at = std::string::npos;  // returns 0 from here on
    bool overrun = false;                          // returns one more than cap once
};

size_t fill_text(void *ctx, char *buf, size_t cap)
{
    auto *t = static_cast<text_source *>(ctx);
    ++t->calls;
    if (t->pos >= t->give_up_at)
        return 0;
    if (t->overrun)
        return cap + 1;
    std::size_t n = std::min(cap, t->text.size() - t->pos);
    if (t->piece && n > t->piece)
        n = t->piece;
    std::memcpy(buf, t->text.data() + t->pos, n);
    t->pos += n;
    return n;
}

result_body<bytes> mixed_body(int rows, std::size_t text_len)
{
    result_body<bytes> b;
    b.col("time point", 5, 2, 5).col("v", 0, 0, 3).col("s", 2, 2, 4).col("z", 9, 2, 0);
    for (int r = 0; r < rows; ++r)
        b.row(r + 1).datetime(2024, 1, 2, 3, 4, r % 60, r).integer(std::uint64_t(r) * 977, 8)
            .str(std::string(r % 3 ? text_len : 0, char('a' + r % 26)) + std::to_string(r));
    return b;
}

std::uint64_t my_id() { return (std::uint64_t)pthread_self(); }

// What fill or take met when they tried the library themselves.
struct inside {
    bool exec_refused = false, login_refused = false, logout_refused = false;
    std::string why;
    text_source src;
};

void try_from_inside(inside &x)
{
    x.exec_refused = !exec("q", 1) && last_error(nullptr) == 2;
    x.why = reason();
    x.login_refused = !connect_to_server("127.0.0.1", 1, "u", "p");
    x.logout_refused = !exit_to_server();
}

bool take_inside(void *ctx, const result_set *)
{
    try_from_inside(*static_cast<inside *>(ctx));
    return true;
}

size_t fill_inside(void *ctx, char *buf, size_t cap)
{
    auto &x = *static_cast<inside *>(ctx);
    try_from_inside(x);
    return fill_text(&x.src, buf, cap);
}

} // namespace

class test_exec_stream : public QObject {
    Q_OBJECT
private slots:
    void pieces_make_exec_frames_data()
    {
        QTest::addColumn<int>("text_len");
        QTest::addColumn<int>("piece");
        QTest::newRow("short text, a byte at a time") << 9 << 1;
        QTest::newRow("short text at once") << 9 << 0;
        QTest::newRow("several buffers, odd pieces") << 1300001 << 4099;
        QTest::newRow("several buffers at once") << 1300001 << 0;
        QTest::newRow("empty text") << 0 << 0;
    }
    void pieces_make_exec_frames()
    {
        QFETCH(int, text_len);
        QFETCH(int, piece);
        text_source src;
        for (int i = 0; i < text_len; ++i)
            src.text += char('0' + (i * 7) % 75);
        src.piece = std::size_t(piece);
        const bytes answer = reply(0, mixed_body(2, 5).build());
        session s({ answer, answer });
        QVERIFY(s.ok);
        result_set *rs = exec_pieces(src.text.size(), fill_text, &src);
        QVERIFY2(rs, reason().c_str());
        QCOMPARE(last_error(nullptr), 0);
        result_set *whole = exec(src.text.data(), int(src.text.size()));
        QCOMPARE(rows_text(rs), rows_text(whole));
        del_datas(rs);
        del_datas(whole);
        QCOMPARE(src.pos, src.text.size());
        if (text_len == 0)
            QCOMPARE(src.calls, 0);
        QTRY_COMPARE(s.seen.size(), std::size_t(2));
        QCOMPARE(s.seen[0], s.seen[1]);
        QCOMPARE(s.seen[0].size(), src.text.size() + 4);
    }

    // A fill that gives up or breaks its promise ends the connection; a text that cannot be
    // sent at all leaves it as it was.
    void pieces_that_fail_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("why");
        QTest::addColumn<bool>("closes");
        QTest::newRow("fill gives up halfway") << 0 << "cancelled" << true;
        QTest::newRow("fill writes past cap") << 1 << "the command's fill wrote more than it was asked for" << true;
        QTest::newRow("longer than a frame") << 2 << "the command is longer than a frame can carry" << false;
        QTest::newRow("no fill") << 3 << "no fill function gives the command's text" << false;
    }
    void pieces_that_fail()
    {
        QFETCH(int, how);
        QFETCH(QString, why);
        QFETCH(bool, closes);
        session s({ reply(0) });
        QVERIFY(s.ok);
        text_source src;
        src.text = std::string(2000000, 'x');
        src.give_up_at = how == 0 ? 1000000 : std::string::npos;
        src.overrun = how == 1;
        const std::uint64_t len = how == 2 ? 0x100000000ull : src.text.size();
        QVERIFY(!exec_pieces(len, how == 3 ? nullptr : fill_text, &src));
        QCOMPARE(last_error(nullptr), 2);
        QVERIFY2(reason().rfind(why.toStdString(), 0) == 0, reason().c_str());
        if (closes) {
            QTRY_VERIFY(s.closed);
            stdout_capture quiet;
            QVERIFY(!exec("q", 1));
            QCOMPARE(reason(), std::string("not connected to a server"));
        } else {
            QCOMPARE(src.calls, 0);
            result_set *rs = exec("q", 1);
            QVERIFY(rs);
            del_datas(rs);
            QCOMPARE(s.seen.size(), std::size_t(1));
        }
    }

    void rows_as_exec_decodes_them_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("bytewise");
        QTest::addColumn<int>("min_batches");
        const auto q = [](const bytes &b) { return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size())); };
        result_body<bytes> header;
        header.col("time point", 5, 2, 5).col("v", 0, 0, 3);
        QTest::newRow("split across many receives") << q(mixed_body(6, 3).build()) << true << 1;
        // 12 MB: several receive buffers and batches, rows cut at the buffer's end.
        QTest::newRow("larger than the receive buffer") << q(mixed_body(30000, 600).build()) << false << 8;
        QTest::newRow("columns without rows") << q(header.build()) << false << 1;
        QTest::newRow("empty body") << QByteArray() << false << 1;
    }
    void rows_as_exec_decodes_them()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, bytewise);
        QFETCH(int, min_batches);
        const bytes answer = reply(0, bytes(body.begin(), body.end()));
        session s({ answer, answer }, bytewise);
        QVERIFY(s.ok);
        taken t;
        QVERIFY2(exec_rows("view t", 6, take_rows, &t), reason().c_str());
        QCOMPARE(last_error(nullptr), 0);
        result_set *whole = exec("view t", 6);
        QVERIFY(whole);
        QCOMPARE(t.rows, rows_text(whole));
        QVERIFY2(int(t.batch_cols.size()) >= min_batches, qPrintable(QString::number(t.batch_cols.size())));
        if (rows_of(whole) == 0)
            QCOMPARE(t.batch_cols.size(), std::size_t(1));
        for (std::uint64_t n : t.batch_cols)
            QCOMPARE(n, cols_of(whole));
        del_datas(whole);
        QCOMPARE(s.seen[0], s.seen[1]);
    }

    // The same rules as exec: a refusal keeps the connection, anything malformed or cut short
    // closes it; take sees no rows of a refused command.
    void rows_refused_or_malformed_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("why");
        const auto q = [](const bytes &b) { return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size())); };
        const bytes body = mixed_body(3, 4).build();
        result_body<bytes> zero_cells;  // 64 columns without wire bytes: more cells than body bytes
        for (int c = 0; c < 64; ++c)
            zero_cells.col("c", 9, 2, 0);
        for (int r = 0; r < 64; ++r)
            zero_cells.row(r);
        QTest::newRow("refused") << q(reply(1, bytes{ 'n', 'o', 'p', 'e' })) << 1 << "nope";
        QTest::newRow("body cut inside the rows") << q(reply(0, bytes(body.begin(), body.end() - 5))) << 2
                                                  << "the server's reply is malformed: ";
        QTest::newRow("more cells than bytes") << q(reply(0, zero_cells.build())) << 2 << "the server's reply is malformed: ";
        bytes lying = le(1 + body.size() + 100, 4);  // 100 bytes that never come; the server hangs up
        lying.push_back(0);
        lying.insert(lying.end(), body.begin(), body.end());
        QTest::newRow("a lying length") << q(lying) << 2 << "the server closed the connection";
    }
    void rows_refused_or_malformed()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, code);
        QFETCH(QString, why);
        const bool lying = why.contains("closed");
        std::atomic<bool> closed { false };
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.read_frame(f);
            c.send(bytes(answer.begin(), answer.end()));
            if (lying)
                return;
            if (code == 1 && c.read_frame(f))
                c.send(reply(0));
            closed = c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
        taken t;
        stdout_capture quiet;
        QVERIFY(!exec_rows("q", 1, take_rows, &t));
        QCOMPARE(last_error(nullptr), code);
        QVERIFY2(reason().rfind(why.toStdString(), 0) == 0, reason().c_str());
        if (code == 1) {
            QVERIFY(t.batch_cols.empty());
            result_set *rs = exec("q", 1);
            QVERIFY(rs);
            del_datas(rs);
        } else {
            QVERIFY(!exec("q", 1));
            QCOMPARE(reason(), std::string("not connected to a server"));
        }
        exit_to_server();
        peer.join();
        QVERIFY(lying || closed);
    }

    void take_stops_the_reply()
    {
        session s({ reply(0, mixed_body(30000, 600).build()) });
        QVERIFY(s.ok);
        taken t;
        t.stop_at = 1;
        QVERIFY(!exec_rows("view t", 6, take_rows, &t));
        QCOMPARE(last_error(nullptr), 2);
        QCOMPARE(reason(), std::string("cancelled"));
        QCOMPARE(t.batch_cols.size(), std::size_t(2));
        QTRY_VERIFY(s.closed);
    }

    // cancel_exec from another thread ends exec_rows waiting for the rest of a reply, and
    // exec_pieces whose text the server stopped reading.
    void cancel_during_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::newRow("exec_rows") << true;
        QTest::newRow("exec_pieces") << false;
    }
    void cancel_during()
    {
        QFETCH(bool, rows);
        const bytes answer = reply(0, mixed_body(3000, 600).build());
        std::promise<void> heard;
        std::atomic<bool> closed { false };
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            if (rows) {
                c.read_frame(f);
                c.send(bytes(answer.begin(), answer.begin() + long(answer.size() / 2)));
            } else {
                c.read_exact(4, f);  // the length field; the text is left unread
            }
            heard.set_value();
            closed = c.wait_closed();
        });
        std::atomic<std::uint64_t> id { 0 };
        bool ok = true;
        int code = 0;
        std::string why;
        taken t;
        text_source src;
        src.text = std::string(32 << 20, 'x');
        std::thread worker([&] {
            id = my_id();
            if (!connect_to_server("127.0.0.1", peer.port(), "u", "p"))
                return;
            ok = rows ? exec_rows("view t", 6, take_rows, &t) : exec_pieces(src.text.size(), fill_text, &src) != nullptr;
            code = last_error(nullptr);
            why = reason();
        });
        QVERIFY(heard.get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready);
        QVERIFY(cancel_exec(id));
        worker.join();
        peer.join();
        QVERIFY(!ok);
        QCOMPARE(code, 2);
        QCOMPARE(why, std::string("cancelled"));
        QVERIFY(closed);
    }

    // fill and take run inside their command: a command, a login or a logout from them is
    // refused and the command under way goes on.
    void calls_from_inside_are_refused()
    {
        const bytes answer = reply(0, mixed_body(3, 2).build());
        session s({ answer, answer, reply(0) });
        QVERIFY(s.ok);
        for (bool rows : { true, false }) {
            inside in;
            in.src.text = "view t";
            if (rows) {
                QVERIFY2(exec_rows("view t", 6, take_inside, &in), reason().c_str());
            } else {
                result_set *rs = exec_pieces(in.src.text.size(), fill_inside, &in);
                QVERIFY2(rs, reason().c_str());
                QCOMPARE(rows_of(rs), 3ull);
                del_datas(rs);
            }
            QVERIFY(in.exec_refused && in.login_refused && in.logout_refused);
            QVERIFY2(in.why.find("under way") != std::string::npos, in.why.c_str());
        }
        result_set *rs = exec("q", 1);
        QVERIFY(rs);
        del_datas(rs);
        QCOMPARE(s.seen.size(), std::size_t(3));
    }
};

QTEST_APPLESS_MAIN(test_exec_stream)
#include "test_exec_stream.moc"
