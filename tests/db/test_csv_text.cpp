// CSV fields, records and value texts: what the writer quotes, what the reader gives back, which
// texts pass as values of each type, and the number forms the server prints.
#include "db/csv_text.h"

#include <QtTest>

using csv_text::csv_record;

namespace {

QByteArray field(const QByteArray &v, const QByteArray &sep = ",")
{
    QByteArray out;
    csv_text::append_field(out, v, sep);
    return out;
}

// All records of text, or the error text as the only "record".
QList<QList<QByteArray>> records(const QByteArray &text, const QByteArray &sep = ",", QList<qint64> *lines = nullptr)
{
    csv_text::reader r(text, sep);
    csv_record rec;
    QList<QList<QByteArray>> out;
    while (r.next(rec)) {
        out << rec.values;
        if (lines)
            *lines << rec.line;
    }
    if (!r.error().isEmpty())
        out = {{r.error()}};
    return out;
}

using rows = QList<QList<QByteArray>>;

} // namespace

class test_csv_text : public QObject {
    Q_OBJECT
private slots:
    void quoting_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("sep");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain") << QByteArray("abc") << QByteArray(",") << QByteArray("abc");
        QTest::newRow("empty") << QByteArray() << QByteArray(",") << QByteArray();
        QTest::newRow("separator") << QByteArray("a,b") << QByteArray(",") << QByteArray("\"a,b\"");
        QTest::newRow("other separator stays") << QByteArray("a,b") << QByteArray(";") << QByteArray("a,b");
        QTest::newRow("quote doubled") << QByteArray("say \"hi\"") << QByteArray(",") << QByteArray("\"say \"\"hi\"\"\"");
        QTest::newRow("line feed") << QByteArray("a\nb") << QByteArray(",") << QByteArray("\"a\nb\"");
        QTest::newRow("carriage return") << QByteArray("a\rb") << QByteArray(",") << QByteArray("\"a\rb\"");
        QTest::newRow("leading blank") << QByteArray(" a") << QByteArray(",") << QByteArray("\" a\"");
        QTest::newRow("trailing tab") << QByteArray("a\t") << QByteArray(",") << QByteArray("\"a\t\"");
        QTest::newRow("inner blank") << QByteArray("a b") << QByteArray(",") << QByteArray("a b");
        QTest::newRow("blank separator") << QByteArray("time point") << QByteArray(" ") << QByteArray("\"time point\"");
        QTest::newRow("two-byte separator") << QByteArray("a::b") << QByteArray("::") << QByteArray("\"a::b\"");
        QTest::newRow("half a separator") << QByteArray("a:b") << QByteArray("::") << QByteArray("a:b");
        QTest::newRow("CJK") << QByteArray("温度,湿度") << QByteArray(",") << QByteArray("\"温度,湿度\"");
    }
    void quoting()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, sep);
        QFETCH(QByteArray, written);
        QCOMPARE(field(value, sep), written);
        // Whatever is written reads back as the value itself.
        const rows back = records("x" + sep + written + "\n", sep);
        QCOMPARE(back.size(), 1);
        QCOMPARE(back[0].value(1), value);
    }

    void reading()
    {
        QCOMPARE(records("a,b\n1,2\n"), (rows{{"a", "b"}, {"1", "2"}}));
        QCOMPARE(records("a,b\r\n1,2\r\n"), (rows{{"a", "b"}, {"1", "2"}}));
        // No line end after the last record, or blank lines around it.
        QCOMPARE(records("a,b\n\n1,2"), (rows{{"a", "b"}, {"1", "2"}}));
        QCOMPARE(records("a,b\n1,2\n\n"), (rows{{"a", "b"}, {"1", "2"}}));
        // Empty fields stay, blanks at the ends of unquoted fields too.
        QCOMPARE(records(",x,\n"), (rows{{"", "x", ""}}));
        QCOMPARE(records(" a , b\n"), (rows{{" a ", " b"}}));
        QCOMPARE(records("\"\",\"\"\"\"\n"), (rows{{"", "\""}}));
        QCOMPARE(records("\"a\r\nb\",c\n"), (rows{{"a\r\nb", "c"}}));
        QCOMPARE(records("\xEF\xBB\xBFtime point,v\n"), (rows{{"time point", "v"}}));
        QCOMPARE(records("名前\t値\n東京\t1\n", "\t"), (rows{{"名前", "値"}, {"東京", "1"}}));
        QCOMPARE(records("a - b-c\n", "-"), (rows{{"a ", " b", "c"}}));
    }

    void line_numbers_count_breaks_inside_quotes()
    {
        QList<qint64> lines;
        records("h\n\"one\ntwo\nthree\"\n\nlast\n", ",", &lines);
        QCOMPARE(lines, (QList<qint64>{1, 2, 6}));
    }

    void reading_errors()
    {
        QCOMPARE(records("a\n\"open,b\n"), (rows{{"line 2: unterminated quoted value"}}));
        QCOMPARE(records("a\n\"x\"y,b\n"), (rows{{"line 2: text after a closing quote"}}));
        QCOMPARE(records("a\n", QByteArray()), (rows{{"line 1: empty separator"}}));
    }

    void integers_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("why");
        QTest::newRow("i08 min") << QByteArray("i08") << QByteArray("-128") << QByteArray();
        QTest::newRow("i08 over") << QByteArray("i08") << QByteArray("128") << QByteArray("out of range for i08");
        QTest::newRow("u08 negative") << QByteArray("u08") << QByteArray("-1") << QByteArray("out of range for u08");
        QTest::newRow("u08 minus zero") << QByteArray("u08") << QByteArray("-0") << QByteArray();
        QTest::newRow("u16 hex") << QByteArray("u16") << QByteArray("0xFFFF") << QByteArray();
        QTest::newRow("i32 binary") << QByteArray("i32") << QByteArray("0b101") << QByteArray();
        QTest::newRow("i64 min") << QByteArray("i64") << QByteArray("-9223372036854775808") << QByteArray();
        QTest::newRow("i64 over") << QByteArray("i64") << QByteArray("9223372036854775808") << QByteArray("out of range for i64");
        QTest::newRow("u64 max") << QByteArray("u64") << QByteArray("18446744073709551615") << QByteArray();
        QTest::newRow("u64 overflow") << QByteArray("u64") << QByteArray("18446744073709551616") << QByteArray("out of range for u64");
        QTest::newRow("size suffix") << QByteArray("u32") << QByteArray("7u4") << QByteArray();
        QTest::newRow("blank") << QByteArray("i32") << QByteArray(" 1") << QByteArray("not an integer");
        QTest::newRow("empty") << QByteArray("i32") << QByteArray() << QByteArray("not an integer");
        QTest::newRow("fraction") << QByteArray("i32") << QByteArray("1.5") << QByteArray("not an integer");
    }
    void integers()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, why);
        QCOMPARE(csv_text::check_value(type, text), why);
    }

    void other_values()
    {
        QCOMPARE(csv_text::check_value("double", "-1.5e-3"), QByteArray());
        QCOMPARE(csv_text::check_value("double", "nan"), QByteArray());
        QCOMPARE(csv_text::check_value("float", "2.5f"), QByteArray());
        QCOMPARE(csv_text::check_value("float", "1e39"), QByteArray("out of range for float"));
        QCOMPARE(csv_text::check_value("double", "1e400"), QByteArray("out of range for double"));
        // Without an exponent only a long run of digits leaves the range.
        QCOMPARE(csv_text::check_value("float", "1" + QByteArray(39, '0') + ".5"), QByteArray("out of range for float"));
        QCOMPARE(csv_text::check_value("float", "-1" + QByteArray(38, '0')), QByteArray());
        QCOMPARE(csv_text::check_value("double", "1,5"), QByteArray("not a number"));
        QCOMPARE(csv_text::check_value("double", "."), QByteArray("not a number"));
        QCOMPARE(csv_text::check_value("string", QByteArray(65535, 'x')), QByteArray());
        QCOMPARE(csv_text::check_value("string", QByteArray(65536, 'x')), QByteArray("string longer than 65535 bytes"));
        QCOMPARE(csv_text::check_value("date", "2024-02-29"), QByteArray());
        QCOMPARE(csv_text::check_value("date", "2023-02-29"), QByteArray("not a valid date"));
        QCOMPARE(csv_text::check_value("date", "2023-2-28"), QByteArray("not a valid date"));
        QCOMPARE(csv_text::check_value("time", "23:59:59.123456789"), QByteArray());
        QCOMPARE(csv_text::check_value("time", "23:59:59.1234567891"), QByteArray("not a valid time"));
        QCOMPARE(csv_text::check_value("time", "24:00:00"), QByteArray("not a valid time"));
        QCOMPARE(csv_text::check_value("datetime", "2024-03-05 14:07:09.5"), QByteArray());
        QCOMPARE(csv_text::check_value("datetime", "2024-03-05T14:07:09"), QByteArray("not a valid datetime"));
        QCOMPARE(csv_text::check_value("blob", "x"), QByteArray("unknown type blob"));
    }

    void value_texts()
    {
        auto d = [](double v) { QByteArray o; csv_text::append_double(o, v); return o; };
        auto f = [](float v) { QByteArray o; csv_text::append_float(o, v); return o; };
        QCOMPARE(d(1.5), QByteArray("1.50000000000000000"));
        QCOMPARE(d(0.1), QByteArray("0.10000000000000001"));
        QCOMPARE(d(-2), QByteArray("-2.00000000000000000"));
        // Tiny magnitudes lose their bits in the fixed form and are printed exactly instead.
        QCOMPARE(d(1e-30), QByteArray("1.0000000000000001e-30"));
        QCOMPARE(f(0.25f), QByteArray("0.250000000"));
        QCOMPARE(f(1e-20f), QByteArray("9.99999968e-21"));
        QCOMPARE(d(std::numeric_limits<double>::infinity()), QByteArray("inf"));

        QByteArray t;
        csv_text::append_time(t, 7, 8, 9, 0);
        t += '|';
        csv_text::append_time(t, 23, 59, 59, 500000000);
        t += '|';
        csv_text::append_time(t, 0, 0, 0, 1);
        t += '|';
        csv_text::append_date(t, 9, 1, 2);
        QCOMPARE(t, QByteArray("07:08:09|23:59:59.5|00:00:00.000000001|0009-01-02"));
    }
};

QTEST_MAIN(test_csv_text)
#include "test_csv_text.moc"
