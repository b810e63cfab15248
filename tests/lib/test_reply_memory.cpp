// Replies whose length field promises more than the server sends: the caller's memory stays
// within a small multiple of the bytes that arrived, and honest replies still decode. Rows taken
// as they arrive (exec_rows) cost one batch, whatever the reply's size.
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {
// Peak resident memory of the process in bytes (VmHWM), after the peak was set back to the
// present where the system allows it.
std::size_t status_kb(const char *field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0)
            return std::stoul(line.substr(std::strlen(field))) * 1024;
    return 0;
}

void reset_peak()
{
    if (FILE *f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// A body with `ncol` columns of a kind that takes no bytes on the wire (type code 9) and
// `nrow` row identifiers, in a frame whose length field says `length`.
bytes zero_width_reply(std::uint64_t ncol, std::uint64_t nrow, std::uint32_t length)
{
    bytes b = le(length, 4);
    b.push_back(0);
    put_le(b, ncol, 8);
    for (std::uint64_t c = 0; c < ncol; ++c) {
        put_le(b, 1, 8);
        b.push_back('c');
    }
    put_le(b, nrow, 8);
    for (std::uint64_t c = 0; c < ncol; ++c)
        b.insert(b.end(), { 0, 2, 9 });
    for (std::uint64_t r = 0; r < nrow; ++r)
        put_le(b, r, 8);
    return b;
}
// Sends a reply of `rows` rows (an i64 and a 1,000-byte string each, about 1 KB) as it is built,
// so the peer holds only a slice of it.
void send_big_reply(peer_conn &c, std::uint64_t rows)
{
    const std::string text(1000, 't');
    result_body<bytes> head;
    head.col("v", 0, 0, 3).str_col("s");
    bytes start = head.row(0).integer(0, 8).str(text).build();  // the head and one row
    const std::size_t row_len = 8 + 8 + 2 + text.size();
    start.resize(start.size() - row_len);
    const std::size_t nrow_at = start.size() - 6 - 8;  // before the two kinds
    for (int i = 0; i < 8; ++i)
        start[nrow_at + i] = static_cast<std::uint8_t>(rows >> (8 * i));
    bytes out = le(1 + start.size() + rows * row_len, 4);
    out.push_back(0);
    out.insert(out.end(), start.begin(), start.end());
    for (std::uint64_t r = 0; r < rows;) {
        for (int k = 0; k < 1000 && r < rows; ++k, ++r) {
            put_le(out, r + 1, 8);
            put_le(out, r * 3, 8);
            put_le(out, text.size(), 2);
            out.insert(out.end(), text.begin(), text.end());
        }
        c.send(out);
        out.clear();
    }
}

struct counted {
    std::uint64_t rows = 0;
    bool in_order = true;
};

bool count_rows(void *ctx, const result_set *rs)
{
    auto *n = static_cast<counted *>(ctx);
    for (std::uint64_t r = 0; r < rows_of(rs); ++r, ++n->rows)
        n->in_order &= sid_of(rs, r) == n->rows + 1 && as_uint64(at(r, 0, rs)) == n->rows * 3;
    return true;
}
} // namespace

class test_reply_memory : public QObject {
    Q_OBJECT
private slots:
    // 776 KB that promise 2 GB: 65,536 columns without wire bytes and 1,024 row identifiers
    // would be 1 GB of cells. The server hangs up after them.
    void promised_length_is_not_trusted()
    {
        const bytes hostile = zero_width_reply(65536, 1024, 0x80000000u);
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.read_frame(f);
            c.send(hostile);
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
        reset_peak();
        const std::size_t before = status_kb("VmRSS:");
        {
            stdout_capture quiet;
            QVERIFY(!exec("q", 1));
        }
        const std::size_t grown = status_kb("VmHWM:") - before;
        QCOMPARE(last_error(nullptr), 2);
        // The cells the bytes pay for take about 16 times what arrived (12 MB).
        QVERIFY2(grown < 64u << 20, qPrintable(QString("grew by %1 MB").arg(grown >> 20)));
    }

    // 64 MB of rows through exec_rows, and the hostile reply above: the batch is all they cost.
    void rows_taken_as_they_arrive_data()
    {
        QTest::addColumn<bool>("hostile");
        QTest::newRow("an honest reply of 64 MB") << false;
        QTest::newRow("a length that lies") << true;
    }
    void rows_taken_as_they_arrive()
    {
        QFETCH(bool, hostile);
        const std::uint64_t rows = 64000;
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.read_frame(f);
            if (hostile) {
                c.send(zero_width_reply(65536, 1024, 0x80000000u));
                return;
            }
            send_big_reply(c, rows);
            c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
        reset_peak();
        const std::size_t before = status_kb("VmRSS:");
        counted n;
        stdout_capture quiet;
        QCOMPARE(exec_rows("q", 1, count_rows, &n), !hostile);
        const std::size_t grown = status_kb("VmHWM:") - before;
        if (!hostile) {
            QCOMPARE(n.rows, rows);
            QVERIFY(n.in_order);
        }
        QVERIFY2(grown < 16u << 20, qPrintable(QString("grew by %1 MB").arg(grown >> 20)));
        exit_to_server();
    }

    // Cells of kinds without wire bytes stay legal while the body's bytes pay for them, also
    // when the bytes that pay come late in the body and in a later segment.
    void late_bytes_pay_for_early_cells()
    {
        result_body<bytes> b;
        for (int c = 0; c < 1000; ++c)
            b.col("z", 9, 2, 0);
        b.str_col("s");
        const std::string long_text(2000, 'x');
        for (int r = 0; r < 100; ++r)
            b.row(r).str(r < 50 ? std::string() : long_text);
        const bytes whole = reply(0, b.build());
        const std::size_t first = whole.size() / 4;
        scripted_peer peer([&](peer_conn &c) {
            bytes f;
            c.read_frame(f);
            c.send(login_ok());
            c.read_frame(f);
            c.send(bytes(whole.begin(), whole.begin() + static_cast<long>(first)));
            c.send(bytes(whole.begin() + static_cast<long>(first), whole.end()));
            c.wait_closed();
        });
        QVERIFY(connect_to_server("127.0.0.1", peer.port(), "u", "p"));
        result_set *rs = exec("q", 1);
        QVERIFY(rs);
        QCOMPARE(rows_of(rs), 100ull);
        QCOMPARE(cols_of(rs), 1001ull);
        QCOMPARE(val_type(at(99, 0, rs)), -1);
        char *s = nullptr;
        std::uint64_t n = 0;
        as_str(&s, &n, at(99, 1000, rs));
        QCOMPARE(std::string(s, n), long_text);
        std::free(s);
        del_datas(rs);
        exit_to_server();
    }
};

QTEST_APPLESS_MAIN(test_reply_memory)
#include "test_reply_memory.moc"
