// Every command through our library over TCP: reply shapes, literal forms, time points, errors.
#include "devserver_process.h"
#include "ds_client_helper.h"

#include <QtTest>

class test_commands : public QObject {
    Q_OBJECT
    std::unique_ptr<devserver_process> server;

private slots:
    void initTestCase()
    {
        server = std::make_unique<devserver_process>();
        QVERIFY2(server->ok(), qPrintable(server->error()));
        QVERIFY(connect_to_server("127.0.0.1", server->port(), "admin", "admin"));
    }
    void cleanupTestCase()
    {
        exit_to_server();
        server.reset();
    }
    void init()
    {
        // Every case starts from an empty database.
        rs_ptr rs = run("show tables");
        QVERIFY(rs);
        for (std::uint64_t r = 0; r < rows_of(rs.get()); ++r)
            QVERIFY(ok("drop " + str_at(rs.get(), r, 0)));
    }

    void show_tables_shape()
    {
        rs_ptr empty = run("show tables");
        QVERIFY(empty);
        QCOMPARE(cols_of(empty.get()), std::uint64_t(4));
        QCOMPARE(col(empty.get(), 0), std::string("table"));
        QCOMPARE(rows_of(empty.get()), std::uint64_t(0));
        QVERIFY(ok("create zeta v i32"));
        QVERIFY(ok("create alpha v i32"));
        QVERIFY(ok("push into zeta v values 1 at 2024-05-01 10:00:00"));
        QVERIFY(ok("push into zeta v values 2 at \"2024-05-03 11:00:00.25\";"));
        rs_ptr rs = run("show tables");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(2));
        QCOMPARE(col(rs.get(), 1), std::string("begin"));
        QCOMPARE(col(rs.get(), 2), std::string("end"));
        QCOMPARE(col(rs.get(), 3), std::string("rows"));
        QCOMPARE(str_at(rs.get(), 0, 0), std::string("alpha"));
        QCOMPARE(text_at(rs.get(), 0, 1), std::string("0001-01-01 00:00:00"));
        QCOMPARE(text_at(rs.get(), 0, 2), std::string("9999-12-31 23:59:59.999999999"));
        QCOMPARE(text_at(rs.get(), 0, 3), std::string("0"));
        QCOMPARE(str_at(rs.get(), 1, 0), std::string("zeta"));
        QCOMPARE(text_at(rs.get(), 1, 1), std::string("2024-05-01 10:00:00"));
        QCOMPARE(text_at(rs.get(), 1, 2), std::string("2024-05-03 11:00:00.25"));
        QCOMPARE(text_at(rs.get(), 1, 3), std::string("2"));
        QCOMPARE(kind_at(rs.get(), 0, 0), std::string("2/1/8"));
        QCOMPARE(kind_at(rs.get(), 0, 1), std::string("5/1/8"));
        QCOMPARE(kind_at(rs.get(), 0, 3), std::string("0/1/8"));
    }

    void used_space_counts_the_bytes_of_the_tables()
    {
        rs_ptr empty = run("used space");
        QVERIFY(empty);
        QCOMPARE(cols_of(empty.get()), std::uint64_t(1));
        QCOMPARE(rows_of(empty.get()), std::uint64_t(1));
        QCOMPARE(kind_at(empty.get(), 0, 0), std::string("0/1/8"));
        QCOMPARE(as_uint64(at(0, 0, empty.get())), std::uint64_t(0));
        QVERIFY(ok("create t v i64 s string"));
        for (int i = 0; i < 100; ++i)
            QVERIFY(ok("push into t v s values 1 \"" + std::string(100, 'x') + "\" at 2024-01-01 00:00:00"));
        rs_ptr full = run("used space;");
        QVERIFY(as_uint64(at(0, 0, full.get())) >= 100 * (8 + 8 + 100));
        QVERIFY(ok("drop t"));
        QCOMPARE(as_uint64(at(0, 0, rs_ptr(run("used space")).get())), std::uint64_t(0));
        QVERIFY(!ok("used"));
        QVERIFY(!ok("used space now"));
    }

    void fields_and_schema_commands()
    {
        QVERIFY(ok("create t a i08 b u08 c i16 d u16 e i32 f u32 g i64 h u64 i float j double k string l date m time n datetime"));
        for (const char* verb : {"field_of t", "fields_of t"}) {
            rs_ptr rs = run(verb);
            QVERIFY(rs);
            QCOMPARE(col(rs.get(), 0), std::string("field"));
            QCOMPARE(col(rs.get(), 1), std::string("type"));
            QCOMPARE(col(rs.get(), 2), std::string("index"));
            QCOMPARE(rows_of(rs.get()), std::uint64_t(14));
            QCOMPARE(str_at(rs.get(), 0, 0), std::string("a"));
            QCOMPARE(str_at(rs.get(), 0, 1), std::string("i08"));
            QCOMPARE(str_at(rs.get(), 13, 1), std::string("datetime"));
            QCOMPARE(as_uint64(at(5, 2, rs.get())), std::uint64_t(0));
        }
        QVERIFY(!ok("create t x i32"));         // exists
        QVERIFY(!ok("create u"));               // no fields
        QVERIFY(!ok("create u x"));             // no type
        QVERIFY(!ok("create u x int"));         // unknown type
        QVERIFY(!ok("create u 1x i32"));        // bad field name
        QVERIFY(!ok("create 9u x i32"));        // bad table name
        QVERIFY(!ok("create u x i32 x u08"));   // field twice
        QVERIFY(!ok("create \"time point\" x i32"));
        QVERIFY(!ok("field_of nothere"));
        QVERIFY(ok("push into t a values 1 at 2024-01-01 00:00:00"));
        QVERIFY(ok("truncate t"));
        rs_ptr rs = run("view t");
        QVERIFY(rs);
        QCOMPARE(rows_of(rs.get()), std::uint64_t(0));
        QCOMPARE(cols_of(rs.get()), std::uint64_t(15));
        QCOMPARE(col(rs.get(), 0), std::string("time point"));
        QVERIFY(ok("drop t"));
        QVERIFY(!ok("drop t"));
        QVERIFY(!ok("truncate t"));
    }

    void push_defaults_and_every_kind()
    {
        QVERIFY(ok("create t a i08 b u08 c i16 d u16 e i32 f u32 g i64 h u64 i float j double k string l date m time n datetime"));
        QVERIFY(ok("push into t values at 2024-01-01 00:00:00"));
        QVERIFY(ok("push into t a b c d e f g h i j k l m n values -128 255 -32768 65535 -2147483648 4294967295 "
                   "-9223372036854775808 18446744073709551615 1.5f -2.25 \"x y\" \"2024-02-29\" \"23:59:59.000000001\" "
                   "\"0033-01-02 03:04:05.5\" at 2024-01-02 00:00:00"));
        rs_ptr rs = run("view t");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(2));
        const char* zeros[] = {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "", "0001-01-01", "00:00:00", "0001-01-01 00:00:00"};
        const char* full[] = {"-128", "255", "-32768", "65535", "-2147483648", "4294967295", "-9223372036854775808",
                              "18446744073709551615", "1.5", "-2.25", "x y", "2024-02-29", "23:59:59.000000001",
                              "0033-01-02 03:04:05.5"};
        const char* kinds[] = {"0/0/1", "0/1/1", "0/0/2", "0/1/2", "0/0/4", "0/1/4", "0/0/8", "0/1/8",
                               "1/1/4", "1/1/8", "2/1/8", "3/1/8", "4/1/8", "5/1/8"};
        for (int c = 0; c < 14; ++c) {
            QCOMPARE(text_at(rs.get(), 0, std::uint64_t(c) + 1), std::string(zeros[c]));
            QCOMPARE(text_at(rs.get(), 1, std::uint64_t(c) + 1), std::string(full[c]));
            QCOMPARE(kind_at(rs.get(), 1, std::uint64_t(c) + 1), std::string(kinds[c]));
        }
        QVERIFY(sid_of(rs.get(), 1) > sid_of(rs.get(), 0));
        // A bare datetime value is a date token and a time token.
        QVERIFY(ok("push into t n k values 2020-01-01 12:00:00 bare at 2024-01-03 00:00:00"));
        rs = run("view t n k at 2024-01-03 00:00:00");
        QCOMPARE(text_at(rs.get(), 0, 1), std::string("2020-01-01 12:00:00"));
        QCOMPARE(str_at(rs.get(), 0, 2), std::string("bare"));
    }

    void typed_literal_forms()
    {
        QVERIFY(ok("create t b u08 a i08 w u16 s i64"));
        const std::pair<const char*, const char*> cases[] = {
            {"+0x0Au1 -0b00000101 0xFFFFu2 -0x8000000000000000u8", "10 -5 65535 -9223372036854775808"},
            {"0b0000 0101 -0x01u1 +0b1u2 +12u8", "5 -1 1 12"},
            {"0B11111111 -128 0X1 -0", "255 -128 1 0"},
        };
        int n = 0;
        for (const auto& c : cases) {
            const std::string tp = "2024-01-01 00:00:0" + std::to_string(n++);
            QVERIFY2(ok(std::string("push into t b a w s values ") + c.first + " at " + tp), c.first);
            rs_ptr rs = run("view t at " + tp);
            QCOMPARE(rows_of(rs.get()), std::uint64_t(1));
            const std::string got = text_at(rs.get(), 0, 1) + " " + text_at(rs.get(), 0, 2) + " " +
                                    text_at(rs.get(), 0, 3) + " " + text_at(rs.get(), 0, 4);
            QCOMPARE(got, std::string(c.second));
        }
        QVERIFY(!ok("push into t b values 256 at 2024-01-01 00:00:09"));
        QVERIFY(!ok("push into t a values 0x80 at 2024-01-01 00:00:09"));
        QVERIFY(!ok("push into t b values -1 at 2024-01-01 00:00:09"));
        QVERIFY(!ok("push into t w values 0x1G at 2024-01-01 00:00:09"));
        QVERIFY(!ok("push into t b values 0b1 0101 0101 at 2024-01-01 00:00:09"));
    }

    void push_errors_keep_table_unchanged()
    {
        QVERIFY(ok("create t v i32 s string"));
        const char* bad[] = {
            "push into t v values 1 2 at 2024-01-01 00:00:00",      // more values
            "push into t v s values 1 at 2024-01-01 00:00:00",      // fewer values
            "push into t x values 1 at 2024-01-01 00:00:00",        // unknown field
            "push into t v v values 1 1 at 2024-01-01 00:00:00",    // field twice
            "push into t v values 1 at 2024-02-30 00:00:00",        // no such day
            "push into t v values 1 at 2024-01-01 25:00:00",
            "push into t v values 1 at 2024-01-01",
            "push into t v values 1",
            "push into t v 1 at 2024-01-01 00:00:00",
            "push into nothere v values 1 at 2024-01-01 00:00:00",
            "push t v values 1 at 2024-01-01 00:00:00",
            "push into t v values 1.5 at 2024-01-01 00:00:00",
            "push into",
        };
        for (const char* c : bad)
            QVERIFY2(!ok(c), c);
        rs_ptr rs = run("show tables");
        QCOMPARE(text_at(rs.get(), 0, 3), std::string("0"));
    }

    void view_ranges_order_and_limits()
    {
        QVERIFY(ok("create t v i32 s string"));
        // Out of order, with two rows sharing a time point.
        QVERIFY(ok("push into t v values 3 at 2024-01-03 00:00:00"));
        QVERIFY(ok("push into t v values 1 at 2024-01-01 00:00:00"));
        QVERIFY(ok("push into t v values 2 at 2024-01-02 00:00:00"));
        QVERIFY(ok("push into t v values 22 at 2024-01-02 00:00:00"));
        rs_ptr all = run("view t v");
        QCOMPARE(rows_of(all.get()), std::uint64_t(4));
        QCOMPARE(cols_of(all.get()), std::uint64_t(2));
        QCOMPARE(text_at(all.get(), 0, 1) + text_at(all.get(), 1, 1) + text_at(all.get(), 2, 1) + text_at(all.get(), 3, 1),
                 std::string("12223"));
        QVERIFY(sid_of(all.get(), 1) < sid_of(all.get(), 2));
        rs_ptr range = run("view t v btw 2024-01-02 00:00:00 \"2024-01-03 00:00:00\"");
        QCOMPARE(rows_of(range.get()), std::uint64_t(3));   // both ends included
        rs_ptr one = run("view t at \"2024-01-02 00:00:00\" max 1");
        QCOMPARE(rows_of(one.get()), std::uint64_t(1));
        QCOMPARE(cols_of(one.get()), std::uint64_t(3));
        QCOMPARE(text_at(one.get(), 0, 1), std::string("2"));
        rs_ptr limited = run("view t  btw 2024-01-01 00:00:00 2024-12-31 00:00:00 max 2");
        QCOMPARE(rows_of(limited.get()), std::uint64_t(2));
        rs_ptr none = run("view t v s btw 2025-01-01 00:00:00 2025-02-01 00:00:00");
        QVERIFY(none);
        QCOMPARE(rows_of(none.get()), std::uint64_t(0));
        QCOMPARE(cols_of(none.get()), std::uint64_t(3));
        QCOMPARE(col(none.get(), 2), std::string("s"));
        QVERIFY(at(0, 0, none.get()) == nullptr);
        rs_ptr zero = run("view t max 0");
        QCOMPARE(rows_of(zero.get()), std::uint64_t(0));
        QVERIFY(!ok("view t nope"));
        QVERIFY(!ok("view t btw 2024-01-01 00:00:00"));
        QVERIFY(!ok("view t max"));
        QVERIFY(!ok("view t max -1"));
        QVERIFY(!ok("view nothere"));
        QVERIFY(!ok("view t v junk"));
    }

    void update_changes_rows_at_a_time_point()
    {
        QVERIFY(ok("create t v i32 s string d date"));
        QVERIFY(ok("push into t v values 1 at 2024-01-01 00:00:00"));
        QVERIFY(ok("push into t v values 2 at 2024-01-01 00:00:00"));
        QVERIFY(ok("push into t v values 3 at 2024-01-02 00:00:00"));
        QVERIFY(ok("update t set v 9 s \"new text\" d \"2020-02-02\" at 2024-01-01 00:00:00"));
        rs_ptr rs = run("view t");
        QCOMPARE(text_at(rs.get(), 0, 1) + text_at(rs.get(), 1, 1) + text_at(rs.get(), 2, 1), std::string("993"));
        QCOMPARE(str_at(rs.get(), 1, 2), std::string("new text"));
        QCOMPARE(text_at(rs.get(), 0, 3), std::string("2020-02-02"));
        QVERIFY(!ok("update t set v 1 at 2023-01-01 00:00:00"));
        QVERIFY(!ok("update t set v at 2024-01-01 00:00:00"));
        QVERIFY(!ok("update t set x 1 at 2024-01-01 00:00:00"));
        QVERIFY(!ok("update t set at 2024-01-01 00:00:00"));
        QVERIFY(!ok("update t set v 99999999999 at 2024-01-01 00:00:00"));
        rs = run("view t v");
        QCOMPARE(text_at(rs.get(), 0, 1), std::string("9"));
    }

    void large_view_across_days()
    {
        QVERIFY(ok("create t v u32 s string"));
        // Rows 5 hours apart cross many days and month ends; strings vary in length.
        const int n = 3000;
        for (int i = 0; i < n; ++i) {
            const long long sec = 1700000000LL + i * 18000LL;
            const QDateTime when = QDateTime::fromSecsSinceEpoch(sec, Qt::UTC);
            const std::string tp = when.toString("yyyy-MM-dd HH:mm:ss").toStdString() + "." + std::to_string(i % 9 + 1);
            QVERIFY(ok("push into t v s values " + std::to_string(i) + " \"" + std::string(std::size_t(i % 37), 'x') +
                       "\" at \"" + tp + "\""));
        }
        rs_ptr rs = run("view t");
        QCOMPARE(rows_of(rs.get()), std::uint64_t(n));
        for (int i = 0; i < n; ++i) {
            const QDateTime when = QDateTime::fromSecsSinceEpoch(1700000000LL + i * 18000LL, Qt::UTC);
            const std::string tp = when.toString("yyyy-MM-dd HH:mm:ss").toStdString() + "." + std::to_string(i % 9 + 1);
            QCOMPARE(text_at(rs.get(), std::uint64_t(i), 0), tp);
            QCOMPARE(text_at(rs.get(), std::uint64_t(i), 1), std::to_string(i));
            QCOMPARE(str_at(rs.get(), std::uint64_t(i), 2).size(), std::size_t(i % 37));
        }
    }

    void incomplete_and_unknown_texts_fail()
    {
        QVERIFY(ok("create t v i32"));
        const char* bad[] = {"", ";", "bogus", "show", "show table", "export t as ", "import t from ",
                             "export_data t", "save t as", "load t from", "backup as", "restore from",
                             "\"show\" tables", "view \"t"};
        for (const char* c : bad)
            QVERIFY2(!ok(c), c);
        // The error text comes back in the reply body.
        const int fd = raw_connect(server->port());
        QVERIFY(raw_send(fd, login_frame("admin", "admin")));
        QCOMPARE(raw_reply(fd), 0);
        QVERIFY(raw_send(fd, command_frame("view nothere")));
        std::string body;
        QCOMPARE(raw_reply(fd, &body), 1);
        QVERIFY(body.find("nothere") != std::string::npos);
        QVERIFY(raw_send(fd, command_frame("create x v i32")));
        QCOMPARE(raw_reply(fd, &body), 0);
        QVERIFY(body.empty());
        raw_close(fd);
    }
};

QTEST_APPLESS_MAIN(test_commands)
#include "test_commands.moc"
