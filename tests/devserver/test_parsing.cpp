// The server's parsers on their own: tokens, literals, temporals, frames, CSV, files and paths.
#include "binfile.h"
#include "csv.h"
#include "paths.h"
#include "tokens.h"
#include "value.h"
#include "wire.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

using namespace devserver;

class test_parsing : public QObject {
    Q_OBJECT

    static std::string lit(kind k, const std::string& text)
    {
        std::string bytes;
        const std::string err = parse_literal(k, text, bytes);
        if (!err.empty())
            return "error";
        return text_of(k, bytes.data(), bytes.size(), true);
    }

private slots:
    void tokens_quotes_and_escapes()
    {
        std::vector<token> t;
        QVERIFY(tokenize("push  \"a b\" \"q\\\"x\" \"\\x41\\u00e9\" \"c:\\data\\t1.csv\" bare;", t).empty());
        QCOMPARE(int(t.size()), 6);
        QCOMPARE(t[1].text, std::string("a b"));
        QVERIFY(t[1].quoted);
        QCOMPARE(t[2].text, std::string("q\"x"));
        QCOMPARE(t[3].text, std::string("A\xc3\xa9"));
        // Unknown escapes stay as written so Windows paths survive (\t is a real escape).
        QCOMPARE(t[4].text, std::string("c:\\data\t1.csv"));
        QCOMPARE(t[5].text, std::string("bare"));
        QVERIFY(!t[5].quoted);
        QVERIFY(!tokenize("view \"open", t).empty());
        QVERIFY(!tokenize("view \"a\"b", t).empty());
        QVERIFY(tokenize("  ;  ", t).empty());
        QVERIFY(t.empty());
        // The raw clause ends in a quote and a semicolon.
        QVERIFY(tokenize("load t from bin from raw \"\\x00\\xff\";", t).empty());
        QCOMPARE(t.back().text, std::string("\0\xff", 2));
        const std::string awkward = "a\"b\\c\nd\te\x01";
        QVERIFY(tokenize(quote(awkward), t).empty());
        QCOMPARE(t[0].text, awkward);
    }

    void integer_literals()
    {
        QCOMPARE(lit(kind::u08, "+0x0Au1"), std::string("10"));
        QCOMPARE(lit(kind::i08, "-0b00000101"), std::string("-5"));
        QCOMPARE(lit(kind::i08, "-0x01u1"), std::string("-1"));
        QCOMPARE(lit(kind::i08, "-128"), std::string("-128"));
        QCOMPARE(lit(kind::i08, "128"), std::string("error"));
        QCOMPARE(lit(kind::i08, "-129"), std::string("error"));
        QCOMPARE(lit(kind::u08, "255"), std::string("255"));
        QCOMPARE(lit(kind::u08, "256"), std::string("error"));
        QCOMPARE(lit(kind::u08, "-1"), std::string("error"));
        QCOMPARE(lit(kind::u08, "-0"), std::string("0"));
        QCOMPARE(lit(kind::u64, "18446744073709551615"), std::string("18446744073709551615"));
        QCOMPARE(lit(kind::u64, "18446744073709551616"), std::string("error"));
        QCOMPARE(lit(kind::i64, "-9223372036854775808"), std::string("-9223372036854775808"));
        QCOMPARE(lit(kind::i64, "9223372036854775808"), std::string("error"));
        QCOMPARE(lit(kind::i16, "0X7fff"), std::string("32767"));
        QCOMPARE(lit(kind::u32, "0B1111u4"), std::string("15"));
        QCOMPARE(lit(kind::i32, "0x"), std::string("error"));
        QCOMPARE(lit(kind::i32, "12a"), std::string("error"));
        QCOMPARE(lit(kind::i32, "0b102"), std::string("error"));
        QCOMPARE(lit(kind::i32, ""), std::string("error"));
        QCOMPARE(lit(kind::i32, "1.5"), std::string("error"));
    }

    void float_literals()
    {
        QCOMPARE(lit(kind::f64, "1.5"), std::string("1.50000000000000000"));
        QCOMPARE(lit(kind::f32, "+1.5f"), std::string("1.500000000"));
        QCOMPARE(lit(kind::f64, "-2e3d"), std::string("-2000.00000000000000000"));
        QCOMPARE(lit(kind::f64, ".5"), std::string("0.50000000000000000"));
        QCOMPARE(lit(kind::f64, "inf"), std::string("inf"));
        QCOMPARE(lit(kind::f64, "-inf"), std::string("-inf"));
        QCOMPARE(lit(kind::f32, "nan"), std::string("nan"));
        QCOMPARE(lit(kind::f64, "1e400"), std::string("error"));
        QCOMPARE(lit(kind::f32, "1e39"), std::string("error"));
        QCOMPARE(lit(kind::f64, "1e"), std::string("error"));
        QCOMPARE(lit(kind::f64, "0x10"), std::string("error"));
        QCOMPARE(lit(kind::f64, "."), std::string("error"));
        QCOMPARE(lit(kind::f64, "1.5f"), std::string("error"));
        // Tiny values keep their digits in the exact form instead of printing as zero.
        std::string bytes;
        QVERIFY(parse_literal(kind::f64, "1e-30", bytes).empty());
        double back = std::strtod(text_of(kind::f64, bytes.data(), 8, true).c_str(), nullptr);
        QCOMPARE(back, 1e-30);
    }

    void temporal_literals()
    {
        QCOMPARE(lit(kind::date, "2024-02-29"), std::string("2024-02-29"));
        QCOMPARE(lit(kind::date, "2023-02-29"), std::string("error"));
        QCOMPARE(lit(kind::date, "1900-02-29"), std::string("error"));
        QCOMPARE(lit(kind::date, "2000-02-29"), std::string("2000-02-29"));
        QCOMPARE(lit(kind::date, "0033-01-01"), std::string("0033-01-01"));
        QCOMPARE(lit(kind::date, "0000-01-01"), std::string("error"));
        QCOMPARE(lit(kind::date, "2024-13-01"), std::string("error"));
        QCOMPARE(lit(kind::date, "2024-1-01"), std::string("error"));
        QCOMPARE(lit(kind::time, "09:05:07.5"), std::string("09:05:07.5"));
        QCOMPARE(lit(kind::time, "09:05:07.000000001"), std::string("09:05:07.000000001"));
        QCOMPARE(lit(kind::time, "09:05:07.0000000001"), std::string("error"));
        QCOMPARE(lit(kind::time, "09:05:07."), std::string("error"));
        QCOMPARE(lit(kind::time, "24:00:00"), std::string("error"));
        QCOMPARE(lit(kind::time, "23:60:00"), std::string("error"));
        QCOMPARE(lit(kind::datetime, "9999-12-31 23:59:59.999999999"), std::string("9999-12-31 23:59:59.999999999"));
        QCOMPARE(lit(kind::datetime, "2024-01-01T00:00:00"), std::string("error"));
    }

    void calendar_round_trip()
    {
        for (std::int64_t d : {0LL, 1LL, 59LL, 365LL, 730119LL, 738000LL, 3652058LL}) {
            int y, m, dd;
            civil_from_days(d, y, m, dd);
            QVERIFY(valid_date(y, m, dd));
            QCOMPARE(days_from_civil(y, m, dd), d);
        }
        QCOMPARE(days_from_civil(1, 1, 1), std::int64_t(0));
        const civil c = to_civil(max_time_point());
        QCOMPARE(datetime_text(c), std::string("9999-12-31 23:59:59.999999999"));
    }

    void frames_and_login()
    {
        frame_reader r;
        std::string p;
        const char two[] = "\x03\x00\x00\x00" "abc" "\x00\x00\x00\x00";
        // Byte by byte: nothing completes early, both frames come out whole.
        for (std::size_t i = 0; i < 6; ++i) {
            r.feed(two + i, 1);
            QCOMPARE(int(r.next(p)), int(frame_reader::state::need_more));
        }
        r.feed(two + 6, 5);
        QCOMPARE(int(r.next(p)), int(frame_reader::state::frame));
        QCOMPARE(p, std::string("abc"));
        QCOMPARE(int(r.next(p)), int(frame_reader::state::frame));
        QCOMPARE(p, std::string());
        r.feed("\xff\xff\xff\xff", 4);
        QCOMPARE(int(r.next(p)), int(frame_reader::state::disconnect));
        frame_reader big;
        big.feed("\x01\x00\x00\x40", 4);
        QCOMPARE(int(big.next(p)), int(frame_reader::state::too_large));
        // Received straight into the buffer, which grows with what arrived, not what was announced.
        frame_reader direct;
        const std::uint32_t len = 8u << 20;
        direct.feed(reinterpret_cast<const char*>(&len), 4);
        std::size_t arrived = 0;
        while (direct.next(p) == frame_reader::state::need_more) {
            std::size_t room = 0;
            char* into = direct.receive_room(64 * 1024, room);
            QVERIFY(room >= 64 * 1024 && arrived + room <= len);
            const std::size_t n = std::min<std::size_t>(room, 100000);
            for (std::size_t k = 0; k < n; ++k)
                into[k] = char('a' + (arrived + k) % 26);
            direct.received(n);
            arrived += n;
            QVERIFY(direct.held() <= 4 + arrived + arrived / 4 + 128 * 1024);
        }
        QCOMPARE(p.size(), std::size_t(len));
        for (std::size_t at : {std::size_t(0), std::size_t(65537), std::size_t(len - 1)})
            QCOMPARE(p[at], char('a' + at % 26));

        std::string u, w;
        QVERIFY(parse_login(std::string("\x05\0\0\0admin\x02\0\0\0pw", 15), u, w));
        QCOMPARE(u, std::string("admin"));
        QCOMPARE(w, std::string("pw"));
        QVERIFY(parse_login(std::string(8, '\0'), u, w));
        QVERIFY(u.empty() && w.empty());
        QVERIFY(!parse_login(std::string("\x05\0\0\0adm", 7), u, w));
        QVERIFY(!parse_login(std::string("\xff\xff\xff\xff\0\0\0\0", 8), u, w));
        QVERIFY(!parse_login(std::string("\0\0\0\0\x09\0\0\0x", 9), u, w));
        char head[5];
        QVERIFY(reply_header(true, 0, head));
        QCOMPARE(std::string(head, 5), std::string("\x01\0\0\0\0", 5));
    }

    void csv_split_and_quote()
    {
        std::vector<csv_record> recs;
        QVERIFY(split_csv("a,b\r\n\"x,1\",\"say \"\"hi\"\"\"\n\"two\nlines\",\n\n", ",", recs).empty());
        QCOMPARE(int(recs.size()), 3);
        QCOMPARE(recs[1].values[0], std::string("x,1"));
        QCOMPARE(recs[1].values[1], std::string("say \"hi\""));
        QCOMPARE(recs[2].values[0], std::string("two\nlines"));
        QCOMPARE(recs[2].values[1], std::string());
        QCOMPARE(int(recs[2].line), 3);
        QVERIFY(split_csv("a;;b\n1;;2", ";;", recs).empty());
        QCOMPARE(recs[1].values[1], std::string("2"));
        const std::string err = split_csv("a,b\n1,2\n\"open,3\n", ",", recs);
        QVERIFY(err.rfind("line 3:", 0) == 0);
        QCOMPARE(csv_value(" lead", ","), std::string("\" lead\""));
        QCOMPARE(csv_value("a,b", ","), std::string("\"a,b\""));
        QCOMPARE(csv_value("plain", ","), std::string("plain"));
        QCOMPARE(csv_value("q\"", ";"), std::string("\"q\"\"\""));
    }

    void bin_files_refuse_damage()
    {
        // The standard check value, and lengths around the eight-byte steps.
        QCOMPARE(crc32("123456789", 9), 0xCBF43926u);
        QCOMPARE(crc32("", 0), 0u);
        const std::string text = "The quick brown fox jumps over the lazy dog";
        QCOMPARE(crc32(text.data(), text.size()), 0x414FA339u);
        auto tab = std::make_shared<table>(std::vector<field>{{"v", kind::i32}, {"s", kind::str}});
        std::string v;
        parse_literal(kind::i32, "-7", v);
        tab->push({100, 5}, {v, "x"});
        tab->push({50, 0}, {v, std::string("\0y", 2)});
        database db{{"t", tab}};
        const std::string file = encode_backup_file(db);
        database back;
        QVERIFY(decode_backup_file(file, back).empty());
        QCOMPARE(int(back["t"]->rows()), 2);
        QCOMPARE(back["t"]->col(1).string_at(0), std::string("\0y", 2));
        QCOMPARE(back["t"]->id_at(0), std::uint64_t(2));
        // Any flipped byte, a cut file or a table file read as a backup is refused whole.
        for (std::size_t i = 0; i < file.size(); i += 3) {
            std::string bad = file;
            bad[i] = char(bad[i] ^ 0x20);
            database none{{"keep", tab}};
            QVERIFY(!decode_backup_file(bad, none).empty());
            QVERIFY(none.count("keep"));
        }
        QVERIFY(!decode_backup_file(file.substr(0, file.size() - 1), back).empty());
        std::shared_ptr<table> one;
        QVERIFY(!decode_table_file(file, one).empty());
        QVERIFY(decode_table_file(encode_table_file(*tab), one).empty());
        QCOMPARE(one->next_id(), std::uint64_t(3));
    }

    void paths_stay_inside()
    {
        QTemporaryDir dir;
        const std::string root = QDir(dir.path()).canonicalPath().toStdString();
        std::string out;
        QVERIFY(resolve_path(root, "a/b.csv", true, out).empty());
        QCOMPARE(out, root + "/a/b.csv");
        QVERIFY(resolve_path(root, "a\\c.csv", false, out).empty());
        QCOMPARE(out, root + "/a/c.csv");
        QVERIFY(!resolve_path(root, "/etc/passwd", false, out).empty());
        QVERIFY(!resolve_path(root, "d:/x.csv", false, out).empty());
        QVERIFY(!resolve_path(root, "\\\\host\\x", false, out).empty());
        QVERIFY(!resolve_path(root, "../x.csv", false, out).empty());
        QVERIFY(!resolve_path(root, "a/../../x.csv", false, out).empty());
        QVERIFY(!resolve_path(root, "", false, out).empty());
        QVERIFY(!resolve_path(root, "./", false, out).empty());
        QVERIFY(QFile::link("/tmp", dir.filePath("out")));
        QVERIFY(!resolve_path(root, "out/x.csv", false, out).empty());
        QVERIFY(QFile::link("/etc/hostname", dir.filePath("leak.csv")));
        QVERIFY(!resolve_path(root, "leak.csv", false, out).empty());
    }
};

QTEST_APPLESS_MAIN(test_parsing)
#include "test_parsing.moc"
