// print: the console table compared byte for byte.
#include "scripted_peer.h"
#include "stdout_capture.h"
#include "vorn_tsdb.h"

#include <QtTest>

namespace {
// Fetches one result set for the given body from a scripted peer and prints it.
std::string printed(const bytes &body)
{
    scripted_peer peer([&](peer_conn &c) {
        bytes f;
        c.read_frame(f);
        c.send(login_ok());
        c.read_frame(f);
        c.send(reply(0, body));
        c.wait_closed();
    });
    std::string out;
    if (!connect_to_server("127.0.0.1", peer.port(), "u", "p"))
        return "<no login>";
    result_set *rs = exec("q", 1);
    {
        stdout_capture cap;
        print(rs);
        out = cap.text();
    }
    del_datas(rs);
    exit_to_server();
    return out;
}
} // namespace

class test_print : public QObject {
    Q_OBJECT
private slots:
    void example_table()
    {
        result_body<bytes> b;
        b.col("id", 0, 0, 2).col("name", 2, 2, 4).row(1).integer(7, 4).str("abc");
        QCOMPARE(printed(b.build()), std::string("\n|-id-|-name-| \n| 7  | abc  |\n"));
    }

    void header_only_and_nothing()
    {
        result_body<bytes> b;
        b.col("time point", 5, 2, 5).col("v", 0, 0, 3);
        QCOMPARE(printed(b.build()), std::string("\n|-time point-|-v-| \n"));
        QCOMPARE(printed({}), std::string());  // no columns: nothing at all
        stdout_capture cap;
        print(nullptr);
        QCOMPARE(cap.text(), std::string());
    }

    void names_are_centred()
    {
        // Width 5 for a name of 2: one "-" left, two right (the extra one on the right).
        result_body<bytes> b;
        b.col("ab", 2, 2, 4).col("x", 0, 1, 0).row(1).str("12345").integer(200, 1);
        QCOMPARE(printed(b.build()), std::string("\n|--ab---|--x--| \n| 12345 | 200 |\n"));
    }

    void wide_and_control_characters()
    {
        // Two CJK characters count four columns; a tab counts none.
        result_body<bytes> b;
        b.col("s", 2, 2, 4).row(1).str("\xe4\xb8\xad\xe6\x96\x87").row(2).str("a\tb").row(3).str("");
        QCOMPARE(printed(b.build()),
                 std::string("\n|--s---| \n| \xe4\xb8\xad\xe6\x96\x87 |\n| a\tb   |\n|      |\n"));
    }

    void value_texts()
    {
        result_body<bytes> b;
        b.col("a", 0, 0, 0).col("b", 0, 1, 3).col("c", 1, 2, 2).col("d", 1, 2, 3).col("e", 4, 2, 5)
         .col("f", 3, 2, 5).col("g", 5, 2, 5);
        b.row(1).integer(0x80, 1).integer(~0ull, 8).f32(0.0f).f64(0.0).time(9, 5, 7, 500000000).date(33, 1, 2)
         .datetime(2021, 3, 4, 9, 5, 7, 1);
        b.row(2).integer(0, 1).integer(0, 8).f32(1.5f).f64(-0.5).time(9, 5, 7, 0).date(2021, 3, 4)
         .datetime(2021, 3, 4, 0, 0, 0, 0);
        const std::string out = printed(b.build());
        const std::string row1 = "| -128 | 18446744073709551615 | 0.000000000 | 0.00000000000000000  | 09:05:07.5 | "
                                 "0033-01-02 | 2021-03-04 09:05:07.000000001 |\n";
        const std::string row2 = "| 0    | 0                    | 1.500000000 | -0.50000000000000000 | 09:05:07   | "
                                 "2021-03-04 | 2021-03-04 00:00:00           |\n";
        QVERIFY2(out.find(row1) != std::string::npos, out.c_str());
        QVERIFY2(out.find(row2) != std::string::npos, out.c_str());
    }

    void long_output_in_chunks()
    {
        // More than one 4,096-byte chunk of rows must come out whole and in order.
        result_body<bytes> b;
        b.col("n", 0, 1, 2);
        for (int r = 0; r < 2000; ++r)
            b.row(r).integer(static_cast<std::uint64_t>(r), 4);
        const std::string out = printed(b.build());
        std::string want = "\n|--n---| \n";
        for (int r = 0; r < 2000; ++r) {
            std::string v = std::to_string(r);
            want += "| " + v + std::string(4 - v.size(), ' ') + " |\n";
        }
        QCOMPARE(out, want);
    }
};

QTEST_APPLESS_MAIN(test_print)
#include "test_print.moc"
