// The delegates' texts of every kind and mode read back through from_text, the temporal texts,
// and the literals, start values and icons of the column types.
#include "support/mem_time.h"
#include "table/item_dlgt.h"
#include "table/tab_data_model.h"

#include <QIcon>
#include <QtTest>
#include <cfloat>
#include <memory>

using value_text::display_mode;
using kind = value_kind;
namespace mem = ox::db::mem;

namespace {
const display_mode all_modes[] = {display_mode::binary, display_mode::hexadecimal,
                                  display_mode::decimal, display_mode::typed};

// Sample values of a kind, as the grid holds them.
QList<QVariant> samples(kind k)
{
    switch (k) {
    case kind::u08: return {0, 5, 10, 255};
    case kind::i08: return {0, -1, -5, -128, 127};
    case kind::u16: return {0, 300, 65535};
    case kind::i16: return {-32768, -2, 32767};
    case kind::u32: return {QVariant(uint(0)), QVariant(uint(4294967295u))};
    case kind::i32: return {int(INT32_MIN), -7, int(INT32_MAX)};
    case kind::u64: return {QVariant(qulonglong(0)), QVariant(qulonglong(UINT64_MAX))};
    case kind::i64: return {QVariant(qlonglong(INT64_MIN)), QVariant(qlonglong(-3)), QVariant(qlonglong(INT64_MAX))};
    case kind::flt: return {QVariant(0.f), QVariant(1.5f), QVariant(-3.25f), QVariant(FLT_MAX)};
    case kind::dbl: return {QVariant(0.0), QVariant(1.5), QVariant(-1e100), QVariant(DBL_MAX)};
    case kind::str: return {QString(""), QStringLiteral("a b \"c\" \\ d"), QStringLiteral("中文")};
    case kind::date: return {QVariant::fromValue(mem::date{33, 1, 2}), QVariant::fromValue(mem::date{2021, 3, 4})};
    case kind::time:
        return {QVariant::fromValue(mem::time{0, 0, 0, 0}), QVariant::fromValue(mem::time{9, 5, 7, 1}),
                QVariant::fromValue(mem::time{23, 59, 59, 120000000})};
    case kind::datetime: return {QVariant::fromValue(mem::date_time{2019, 4, 23, 10, 11, 12, 500000000})};
    default: return {};
    }
}
} // namespace

class test_value_text : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { mem::register_meta_types(); }

    void every_kind_reads_back_in_every_mode()
    {
        for (int ki = 0; ki < int(kind::none); ++ki) {
            const kind k = kind(ki);
            std::unique_ptr<item_dlgt> d(make_item_dlgt(type_name(k)));
            QVERIFY(d);
            QCOMPARE(d->value_kind(), k);
            for (display_mode m : all_modes) {
                d->set_display_mode(m);
                for (const QVariant &v : samples(k)) {
                    const QString text = d->display_text(v);
                    const QVariant back = d->from_text(text);
                    QVERIFY2(back.isValid(), qPrintable(text));
                    QCOMPARE(back.userType(), v.userType());
                    QVERIFY2(back == v, qPrintable(type_name(k) + " " + text));
                }
            }
        }
    }

    void delegates_start_decimal_and_writable()
    {
        int_item_dlgt d(value_kind::u08);
        QCOMPARE(d.base(), 2);
        QVERIFY(!d.show_plus() && !d.show_suffix() && !d.read_only());
        QCOMPARE(d.display_text(10), QStringLiteral("10"));
        d.set_display_mode(display_mode::typed);
        QCOMPARE(d.base(), 1);
        QVERIFY(d.show_plus() && d.show_suffix());
        QCOMPARE(d.display_text(10), QStringLiteral("+0x0Au1"));
    }

    void temporal_texts_ignore_the_mode()
    {
        time_item_dlgt t;
        t.set_display_mode(display_mode::binary);
        QCOMPARE(t.display_text(QVariant::fromValue(mem::time{9, 5, 7, 120000000})), QStringLiteral("09:05:07.12"));
        QCOMPARE(t.display_text(QVariant::fromValue(mem::time{9, 5, 7, 0})), QStringLiteral("09:05:07"));
        QCOMPARE(t.display_text(QVariant::fromValue(mem::time{9, 5, 7, 1})), QStringLiteral("09:05:07.000000001"));
        date_item_dlgt d;
        d.set_display_mode(display_mode::hexadecimal);
        QCOMPARE(d.display_text(QVariant::fromValue(mem::date{33, 1, 2})), QStringLiteral("0033-01-02"));
        QCOMPARE(d.display_text(QVariant::fromValue(mem::date{999, 12, 31})), QStringLiteral("0999-12-31"));
        datetime_item_dlgt dt;
        QCOMPARE(dt.display_text(QVariant::fromValue(mem::date_time{2019, 4, 23, 10, 11, 12, 0})),
                 QStringLiteral("2019-04-23 10:11:12"));
        QVERIFY(!dt.from_text(QStringLiteral("2019-02-30 10:11:12")).isValid());
        QVERIFY(!dt.from_text(QStringLiteral("2019-04-23")).isValid());
    }

    void from_text_refuses_foreign_texts()
    {
        int_item_dlgt i8(value_kind::i08);
        QVERIFY(!i8.from_text(QStringLiteral("128")).isValid());
        QVERIFY(!i8.from_text(QStringLiteral("abc")).isValid());
        QCOMPARE(i8.from_text(QStringLiteral("-128")), QVariant(-128));
        i8.set_display_mode(display_mode::hexadecimal);
        QCOMPARE(i8.from_text(QStringLiteral("-0x80")), QVariant(-128));
        QCOMPARE(i8.from_text(QStringLiteral("7f")), QVariant(127));
        float_item_dlgt f;
        QVERIFY(!f.from_text(QStringLiteral("1.5d")).isValid());
        QCOMPARE(f.from_text(QStringLiteral("1.5f")), QVariant(1.5f));
        string_item_dlgt s;
        QCOMPARE(s.from_text(QStringLiteral(" x ")), QVariant(QStringLiteral(" x ")));
    }

    void literals()
    {
        QCOMPARE(literal_for("2019-04-23", "date"), QByteArray("\"2019-04-23\""));
        QCOMPARE(literal_for("10:11:12", "time"), QByteArray("\"10:11:12\""));
        QCOMPARE(literal_for("2019-04-23 10:11:12", "datetime"), QByteArray("\"2019-04-23 10:11:12\""));
        // A string is one quoted token, so neither blanks nor command words can escape it.
        QCOMPARE(literal_for("x at 2020-01-01 00:00:00", "string"), QByteArray("\"x at 2020-01-01 00:00:00\""));
        QCOMPARE(literal_for("a\"b\\c", "string"), QByteArray("\"a\\\"b\\\\c\""));
        QCOMPARE(literal_for("", "string"), QByteArray("\"\""));
        QCOMPARE(literal_for("0b0000 0101", "u08"), QByteArray("0b00000101"));
        QCOMPARE(literal_for("-0x05", "i08"), QByteArray("-0x05"));
        QCOMPARE(literal_for("1.500000000", "float"), QByteArray("1.500000000"));
    }

    void command_numbers_keep_the_value()
    {
        // Fixed-point digits would send a small double as zero; the exact text goes instead.
        const QVariant tiny(1e-20);
        const QString shown = value_text::display_text(tiny, kind::dbl, {});
        QCOMPARE(shown, QStringLiteral("0.00000000000000000"));
        const QString sent = value_text::command_number(shown, tiny, kind::dbl);
        QCOMPARE(sent.toDouble(), 1e-20);
        const QVariant one(1.5);
        QCOMPARE(value_text::command_number(QStringLiteral("1.50000000000000000"), one, kind::dbl),
                 QStringLiteral("1.50000000000000000"));
        QCOMPARE(value_text::plain_text(QVariant(0.1f), kind::flt), QStringLiteral("0.1"));
        QCOMPARE(value_text::plain_text(QVariant(qulonglong(UINT64_MAX)), kind::u64),
                 QStringLiteral("18446744073709551615"));
    }

    void start_values()
    {
        QCOMPARE(default_value("string"), QVariant(QStringLiteral("abc")));
        QCOMPARE(default_value("date"), QVariant::fromValue(mem::date{2019, 4, 23}));
        QCOMPARE(default_value("time"), QVariant::fromValue(mem::time{18, 0, 0, 0}));
        QCOMPARE(default_value("datetime"), QVariant::fromValue(mem::date_time{2019, 4, 23, 10, 11, 12, 0}));
        for (const char *t : {"i08", "u08", "i16", "u16", "i32"})
            QCOMPARE(default_value(t).userType(), int(QMetaType::Int));
        QCOMPARE(default_value("u32").userType(), int(QMetaType::UInt));
        QCOMPARE(default_value("i64").userType(), int(QMetaType::LongLong));
        QCOMPARE(default_value("u64").userType(), int(QMetaType::ULongLong));
        QCOMPARE(default_value("float").userType(), int(QMetaType::Float));
        QCOMPARE(default_value("double").userType(), int(QMetaType::Double));
        QVERIFY(!default_value("int").isValid());
    }

    void icons()
    {
        QVERIFY(type_icon("bogus").isNull());
        QVERIFY(type_icon("").isNull());
        if (!QFile::exists(QStringLiteral(":/img/type_i32.svg")))
            QSKIP("resources not linked");
        for (const char *t : {"string", "date", "time", "datetime", "i08", "u08", "i16", "u16", "i32",
                              "u32", "i64", "u64", "float", "double"})
            QVERIFY2(!type_icon(t).pixmap(16, 16).isNull(), t);
    }

    void header_names()
    {
        QCOMPARE(shown_name(QStringLiteral("[v]")), QStringLiteral("v"));
        QCOMPARE(shown_name(QStringLiteral("[]")), QStringLiteral("[]"));
        QCOMPARE(shown_name(QStringLiteral("[v")), QStringLiteral("[v"));
        QCOMPARE(shown_name(QStringLiteral("v")), QStringLiteral("v"));
    }
};

QTEST_MAIN(test_value_text)
#include "test_value_text.moc"
