// exec, result sets and accessors against a scripted peer: framing, all value kinds,
// accumulation of large and split replies, and refusal of malformed replies.
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
// A logged-in session whose peer answers each command frame with the next reply in order.
struct session {
    std::vector<bytes> seen;
    scripted_peer peer;
    explicit session(std::vector<bytes> replies, bool bytewise = false, bool hang_up_after = false)
        : peer([this, replies, bytewise, hang_up_after](peer_conn &c) {
              bytes f;
              c.read_frame(f);
              c.send(login_ok());
              for (const bytes &r : replies) {
                  std::uint32_t len = 0;
                  if (!c.read_frame(f, &len) || len == 0xFFFFFFFFu)
                      return;
                  seen.push_back(le(len, 4));
                  seen.back().insert(seen.back().end(), f.begin(), f.end());
                  bytewise ? c.send_bytewise(r) : c.send(r);
              }
              if (hang_up_after)
                  return;
              c.wait_closed();
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

std::string text_of(const cell *c)
{
    char *s = nullptr;
    std::uint64_t n = 99;
    as_str(&s, &n, c);
    std::string out(s, n);
    std::free(s);
    return out;
}
} // namespace

class test_exec : public QObject {
    Q_OBJECT
private slots:
    void command_frame_bytes()
    {
        session s({ reply(0), reply(0), reply(0) });
        QVERIFY(s.ok);
        result_set *rs = exec("view t1 max 3 junk", 13);  // only the given bytes go
        QVERIFY(rs);
        del_datas(rs);
        del_datas(exec(nullptr, 5));
        del_datas(exec("", 0));
        {
            stdout_capture quiet;
            exit_to_server();
        }
        s.peer.join();
        QCOMPARE(s.seen.size(), std::size_t(3));
        QCOMPARE(s.seen[0], frame(bytes{ 'v', 'i', 'e', 'w', ' ', 't', '1', ' ', 'm', 'a', 'x', ' ', '3' }));
        QCOMPARE(s.seen[1], (bytes{ 0, 0, 0, 0 }));
        QCOMPARE(s.seen[2], (bytes{ 0, 0, 0, 0 }));
    }

    void empty_and_header_only_results()
    {
        result_body<bytes> header;
        header.col("time point", 5, 2, 5).col("v", 0, 0, 3);
        session s({ reply(0), reply(0, header.build()) });
        result_set *empty = exec("a", 1);
        QVERIFY(empty);
        QCOMPARE(rows_of(empty), 0ull);
        QCOMPARE(cols_of(empty), 0ull);
        QVERIFY(!at(0, 0, empty));
        del_datas(empty);

        result_set *rs = exec("b", 1);
        QVERIFY(rs);
        QCOMPARE(cols_of(rs), 2ull);
        QCOMPARE(rows_of(rs), 0ull);
        int len = 0;
        QCOMPARE(std::string(col_name(&len, rs, 0)), std::string("time point"));
        QCOMPARE(len, 10);
        len = 77;
        QVERIFY(!col_name(&len, rs, -1));
        QVERIFY(!col_name(&len, rs, 2));
        QCOMPARE(len, 77);
        QVERIFY(!at(0, 0, rs));
        QCOMPARE(sid_of(rs, 0), 0ull);
        del_datas(rs);
        del_datas(nullptr);
        QCOMPARE(rows_of(nullptr), 0ull);
        QCOMPARE(cols_of(nullptr), 0ull);
        QVERIFY(!at(0, 0, nullptr));
    }

    void all_kinds_and_accessors()
    {
        result_body<bytes> b;
        b.col("i08", 0, 0, 0).col("i16", 0, 0, 1).col("i32", 0, 0, 2).col("i64", 0, 0, 3)
         .col("u08", 0, 1, 0).col("u16", 0, 1, 1).col("u32", 0, 1, 2).col("u64", 0, 1, 3)
         .col("float", 1, 2, 2).col("double", 1, 2, 3).col("string", 2, 2, 4)
         .col("date", 3, 2, 5).col("time", 4, 2, 5).col("datetime", 5, 2, 5);
        b.row(42).integer(0x80, 1).integer(0x8000, 2).integer(0x80000000u, 4).integer(0x8000000000000000ull, 8)
         .integer(255, 1).integer(65535, 2).integer(4294967295u, 4).integer(~0ull, 8)
         .f32(1.5f).f64(-2.25).str("abc").date(2021, 3, 4).time(9, 5, 7, 500000000)
         .datetime(9999, 12, 31, 23, 59, 59, 999999999);
        b.row(~0ull).integer(0x7F, 1).integer(0x7FFF, 2).integer(0x7FFFFFFF, 4).integer(0x7FFFFFFFFFFFFFFFull, 8)
         .integer(0, 1).integer(0, 2).integer(0, 4).integer(0, 8)
         .f32(std::numeric_limits<float>::infinity()).f64(std::nan("")).str("").date(1, 1, 1)
         .time(0, 0, 0, 0).datetime(33, 1, 2, 3, 4, 5, 1);
        session s({ reply(0, b.build()) });
        result_set *rs = exec("view all_types", 14);
        QVERIFY(rs);
        QCOMPARE(rows_of(rs), 2ull);
        QCOMPARE(cols_of(rs), 14ull);
        QCOMPARE(sid_of(rs, 0), 42ull);
        QCOMPARE(sid_of(rs, 1), ~0ull);

        QCOMPARE(as_int8(at(0, 0, rs)), std::int8_t(-128));
        QCOMPARE(as_uint8(at(0, 0, rs)), std::uint8_t(128));
        QCOMPARE(as_int16(at(0, 1, rs)), std::int16_t(-32768));
        QCOMPARE(as_int32(at(0, 2, rs)), std::numeric_limits<std::int32_t>::min());
        QCOMPARE(as_int64(at(0, 3, rs)), std::numeric_limits<std::int64_t>::min());
        QCOMPARE(as_uint8(at(0, 4, rs)), std::uint8_t(255));
        QCOMPARE(as_uint16(at(0, 5, rs)), std::uint16_t(65535));
        QCOMPARE(as_uint32(at(0, 6, rs)), 4294967295u);
        QCOMPARE(as_uint64(at(0, 7, rs)), ~0ull);
        QCOMPARE(as_float(at(0, 8, rs)), 1.5f);
        QCOMPARE(as_double(at(0, 9, rs)), -2.25);
        QCOMPARE(text_of(at(0, 10, rs)), std::string("abc"));
        int y, mo, d, h, mi, sec, ns;
        as_date(&y, &mo, &d, at(0, 11, rs));
        QCOMPARE(QVector<int>({ y, mo, d }), QVector<int>({ 2021, 3, 4 }));
        as_time(&h, &mi, &sec, &ns, at(0, 12, rs));
        QCOMPARE(QVector<int>({ h, mi, sec, ns }), QVector<int>({ 9, 5, 7, 500000000 }));
        as_datetime(&y, &mo, &d, &h, &mi, &sec, &ns, at(0, 13, rs));
        QCOMPARE(QVector<int>({ y, mo, d, h, mi, sec, ns }), QVector<int>({ 9999, 12, 31, 23, 59, 59, 999999999 }));
        // The date and time parts of a date-and-time cell read through the narrower accessors.
        as_time(&h, &mi, &sec, &ns, at(1, 13, rs));
        QCOMPARE(QVector<int>({ h, mi, sec, ns }), QVector<int>({ 3, 4, 5, 1 }));
        as_date(&y, &mo, &d, at(1, 13, rs));
        QCOMPARE(QVector<int>({ y, mo, d }), QVector<int>({ 33, 1, 2 }));

        QCOMPARE(as_int8(at(1, 0, rs)), std::int8_t(127));
        QCOMPARE(as_int64(at(1, 3, rs)), std::numeric_limits<std::int64_t>::max());
        QVERIFY(std::isinf(as_float(at(1, 8, rs))));
        QVERIFY(std::isnan(as_double(at(1, 9, rs))));
        QCOMPARE(text_of(at(1, 10, rs)), std::string());
        char *empty = nullptr;
        std::uint64_t n = 5;
        as_str(&empty, &n, at(1, 10, rs));
        QVERIFY(empty);  // a block to free even for an empty string
        QCOMPARE(n, 0ull);
        std::free(empty);
        as_str(&empty, &n, at(0, 3, rs));  // not a string: empty text
        QCOMPARE(n, 0ull);
        std::free(empty);
        empty = reinterpret_cast<char *>(1);
        as_str(&empty, &n, nullptr);
        QVERIFY(empty == reinterpret_cast<char *>(1));

        const int types[] = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3, 4, 5 };
        const int sizes[] = { 1, 2, 4, 8, 1, 2, 4, 8, 4, 8, 8, 8, 8, 8 };
        const int signs[] = { 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 };
        for (int c = 0; c < 14; ++c) {
            QCOMPARE(val_type(at(0, c, rs)), types[c]);
            QCOMPARE(val_size(at(0, c, rs)), sizes[c]);
            QCOMPARE(val_sign(at(0, c, rs)), signs[c]);
        }
        QVERIFY(!at(2, 0, rs));
        QVERIFY(!at(0, 14, rs));
        del_datas(rs);
    }

    void odd_kind_codes()
    {
        // Float with a size code other than 2 reads 8 bytes; unknown type codes take no bytes.
        result_body<bytes> b;
        b.col("f", 1, 2, 7).col("x", 9, 2, 5).col("n", 0, 0, 9);
        b.row(1).f64(0.125).integer(0x0102030405060708ull, 8);
        session s({ reply(0, b.build()) });
        result_set *rs = exec("q", 1);
        QVERIFY(rs);
        QCOMPARE(as_double(at(0, 0, rs)), 0.125);
        QCOMPARE(val_type(at(0, 1, rs)), -1);
        QCOMPARE(as_uint64(at(0, 1, rs)), 0ull);
        QCOMPARE(as_uint64(at(0, 2, rs)), 0x0102030405060708ull);
        QCOMPARE(val_size(at(0, 2, rs)), 8);
        del_datas(rs);
    }

    void failure_status_keeps_connection()
    {
        result_body<bytes> b;
        b.col("v", 0, 0, 3).row(7).integer(5, 8);
        session s({ reply(1, bytes{ 'e', 'r', 'r' }), reply(0, b.build()) });
        QVERIFY(!exec("bad", 3));
        result_set *rs = exec("good", 4);
        QVERIFY(rs);
        QCOMPARE(as_int64(at(0, 0, rs)), 5ll);
        del_datas(rs);
    }

    void split_and_large_replies()
    {
        result_body<bytes> big;
        big.col("time point", 5, 2, 5).col("s", 2, 2, 4);
        const std::string payload(1000, 'q');
        for (int r = 0; r < 1200; ++r)  // about 1.2 MB: several receive buffers
            big.row(r).datetime(2020, 1, 1, 0, 0, r % 60, r).str(payload + std::to_string(r));
        result_body<bytes> small;
        small.col("a", 0, 1, 1).row(3).integer(513, 2);
        session s({ reply(0, big.build()), reply(0, small.build()) });
        result_set *rs = exec("view", 4);
        QVERIFY(rs);
        QCOMPARE(rows_of(rs), 1200ull);
        QCOMPARE(text_of(at(1199, 1, rs)), payload + "1199");
        QCOMPARE(sid_of(rs, 1199), 1199ull);
        del_datas(rs);
        rs = exec("x", 1);
        QVERIFY(rs);
        QCOMPARE(as_uint16(at(0, 0, rs)), std::uint16_t(513));
        del_datas(rs);

        session bytewise({ reply(0, small.build()), reply(1) }, true);
        rs = exec("x", 1);
        QVERIFY(rs);
        QCOMPARE(as_uint16(at(0, 0, rs)), std::uint16_t(513));
        del_datas(rs);
        QVERIFY(!exec("y", 1));
    }

    void long_names_and_trailing_bytes()
    {
        // A column name longer than the receive buffer, and bytes after the rows inside the
        // frame: both are consumed so the next reply is read from its own start.
        const std::string name(600000, 'n');
        result_body<bytes> b;
        b.col(name, 0, 1, 0).row(5).integer(9, 1);
        bytes trailing = b.build();
        trailing.insert(trailing.end(), { 1, 2, 3, 4, 5 });
        result_body<bytes> small;
        small.col("a", 2, 2, 4).row(1).str("next");
        session s({ reply(0, trailing), reply(0, small.build()) });
        result_set *rs = exec("q", 1);
        QVERIFY(rs);
        int len = 0;
        QCOMPARE(std::string(col_name(&len, rs, 0)), name);
        QCOMPARE(len, 600000);
        QCOMPARE(as_uint8(at(0, 0, rs)), std::uint8_t(9));
        del_datas(rs);
        rs = exec("q", 1);
        QVERIFY(rs);
        QCOMPARE(text_of(at(0, 0, rs)), std::string("next"));
        QCOMPARE(as_int64(at(0, 0, rs)), 0ll);  // a string cell reads as zero through numbers
        del_datas(rs);
    }

    // A malformed or unexpected reply closes the connection: the rest of its frame, or a frame
    // after it, never becomes the answer to a later command.
    void malformed_replies_close_the_connection()
    {
        result_body<bytes> b;
        b.col("t", 5, 2, 5).col("s", 2, 2, 4).col("d", 1, 2, 3);
        b.row(1).datetime(2020, 1, 1, 1, 1, 1, 1).str("hello").f64(1.0);
        b.row(2).datetime(2020, 1, 1, 1, 1, 2, 1).str("world!").f64(2.0);
        const bytes body = b.build();
        const bytes trap = reply(0, body);  // what a reader out of step would answer next
        auto then_trap = [&](bytes head) {
            head.insert(head.end(), trap.begin(), trap.end());
            return head;
        };
        // Every proper prefix of the body is refused, never read past.
        std::vector<bytes> bad;
        for (std::size_t cut = 1; cut < body.size(); ++cut)
            bad.push_back(reply(0, bytes(body.begin(), body.begin() + static_cast<long>(cut))));
        // Counts that cannot fit: a huge column count, a huge row count, a huge name length.
        bytes huge_cols = le(1ull << 60, 8);
        bytes huge_rows = le(1, 8);
        for (auto &x : { le(1, 8), bytes{ 'v' }, le(1ull << 62, 8), bytes{ 3, 0, 0 } })
            huge_rows.insert(huge_rows.end(), x.begin(), x.end());
        bytes huge_name = le(1, 8);
        for (auto &x : { le(~0ull, 8), bytes{ 'v' } })
            huge_name.insert(huge_name.end(), x.begin(), x.end());
        // Many cells of a kind without wire bytes: more cells than body bytes.
        result_body<bytes> zero;
        for (int c = 0; c < 64; ++c)
            zero.col("c", 9, 2, 0);
        for (int r = 0; r < 64; ++r)
            zero.row(r);
        for (const bytes &x : { huge_cols, huge_rows, huge_name, zero.build() })
            bad.push_back(reply(0, x));
        // Broken headers with a good frame behind them.
        bytes status7 = le(1 + trap.size(), 4);
        status7.push_back(7);
        bad.push_back(then_trap(status7));
        bad.push_back(then_trap(le(0, 4)));
        bad.push_back(then_trap(bytes{ 0xFF, 0xFF, 0xFF, 0xFF }));

        std::atomic<std::size_t> next { 0 };
        scripted_peer peer(scripted_peer::every_connection, [&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            if (c.read_frame(f))
                c.send(bad[next++ % bad.size()]);
            c.wait_closed();
        });
        for (std::size_t i = 0; i < bad.size(); ++i) {
            QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
            QVERIFY2(!exec("q", 1), qPrintable(QString("reply %1").arg(i)));
            const char *why = nullptr;
            QCOMPARE(last_error(&why), 2);
            QVERIFY2(std::string(why).rfind("the server's reply is malformed: ", 0) == 0, why);
            stdout_capture quiet;
            QVERIFY2(!exec("q", 1), qPrintable(QString("reply %1").arg(i)));
            last_error(&why);
            QCOMPARE(std::string(why), std::string("not connected to a server"));
        }
    }

    void server_closes_mid_reply()
    {
        session s({ bytes{ 100, 0, 0, 0, 0, 1, 2 } }, false, true);
        stdout_capture cap;
        QVERIFY(!exec("a", 1));
        const std::string out = cap.text();
        QVERIFY2(out.rfind("rsz == 0 and error(", 0) == 0, out.c_str());
        // Writing to the closed connection fails cleanly; the process lives on.
        stdout_capture cap2;
        for (int i = 0; i < 3; ++i)
            QVERIFY(!exec("again", 5));
        const std::string out2 = cap2.text();
        QVERIFY2(out2.find("failed, will closesocket\n") != std::string::npos, out2.c_str());
    }
};

QTEST_APPLESS_MAIN(test_exec)
#include "test_exec.moc"
