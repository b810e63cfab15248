// Date and time values: their texts, strict parsing, ordering and life inside QVariants.
#include "support/mem_time.h"

#include <QVariant>
#include <QtTest>
#include <algorithm>
#include <ctime>

// QVariant's ordering operators are deprecated in Qt 5.15 but are what the grids' sorting uses.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using ox::db::mem::date;
using ox::db::mem::date_time;
using ox::db::mem::local_now;
using ox::db::mem::parse;
using ox::db::mem::register_meta_types;
using ox::db::mem::to_text;
using mtime = ox::db::mem::time;

class test_mem_time : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { register_meta_types(); }

    void texts()
    {
        QCOMPARE(to_text(date{ 2021, 3, 4 }), QStringLiteral("2021-03-04"));
        QCOMPARE(to_text(date{ 33, 1, 2 }), QStringLiteral("0033-01-02"));
        QCOMPARE(to_text(date{ 65535, 12, 31 }), QStringLiteral("65535-12-31"));
        QCOMPARE(to_text(mtime{ 9, 5, 7, 500000000 }), QStringLiteral("09:05:07.5"));
        QCOMPARE(to_text(mtime{ 9, 5, 7, 1 }), QStringLiteral("09:05:07.000000001"));
        QCOMPARE(to_text(mtime{ 9, 5, 7, 0 }), QStringLiteral("09:05:07"));
        QCOMPARE(to_text(mtime{ 23, 59, 59, 120000000 }), QStringLiteral("23:59:59.12"));
        QCOMPARE(to_text(mtime{ 0, 0, 0, 999999999 }), QStringLiteral("00:00:00.999999999"));
        QCOMPARE(to_text(date_time{ 2021, 3, 4, 9, 5, 7, 500000000 }), QStringLiteral("2021-03-04 09:05:07.5"));
        // Out-of-range fields the server may send are shown as they are, not corrected.
        QCOMPARE(to_text(date{ 0, 0, 0 }), QStringLiteral("0000-00-00"));
    }

    void parse_accepts_the_texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "2021-03-04 09:05:07";
        QTest::newRow("fraction") << "2021-03-04 09:05:07.5";
        QTest::newRow("nine digits") << "0033-01-02 00:00:00.000000001";
        QTest::newRow("leap day") << "2024-02-29 23:59:59.999999999";
        QTest::newRow("year 2000 leap") << "2000-02-29 00:00:00";
    }
    void parse_accepts_the_texts()
    {
        QFETCH(QString, text);
        date_time dt;
        QVERIFY(parse(text, dt));
        QCOMPARE(to_text(dt), text);
        date d;
        QVERIFY(parse(text.left(text.indexOf(' ')), d));
        QCOMPARE(d, dt.date_part());
        mtime t;
        QVERIFY(parse(text.mid(text.indexOf(' ') + 1), t));
        QCOMPARE(t, dt.time_part());
    }

    void parse_reads_short_forms()
    {
        mtime t;
        QVERIFY(parse(QStringLiteral(" 9:05:07.12 "), t));
        QCOMPARE(t, (mtime{ 9, 5, 7, 120000000 }));
        date d;
        QVERIFY(parse(QStringLiteral("33-1-2"), d));
        QCOMPARE(d, (date{ 33, 1, 2 }));
    }

    void parse_refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("which"); // 0 date, 1 time, 2 date and time
        QTest::newRow("empty date") << "" << 0;
        QTest::newRow("empty time") << "" << 1;
        QTest::newRow("letters") << "abcd-ef-gh" << 0;
        QTest::newRow("month 0") << "2021-00-10" << 0;
        QTest::newRow("month 13") << "2021-13-10" << 0;
        QTest::newRow("day 0") << "2021-01-00" << 0;
        QTest::newRow("april 31") << "2021-04-31" << 0;
        QTest::newRow("feb 29 non-leap") << "2021-02-29" << 0;
        QTest::newRow("1900 not leap") << "1900-02-29" << 0;
        QTest::newRow("year too big") << "65536-01-01" << 0;
        QTest::newRow("trailing junk") << "2021-01-01x" << 0;
        QTest::newRow("missing day") << "2021-01" << 0;
        QTest::newRow("sign") << "-2021-01-01" << 0;
        QTest::newRow("hour 24") << "24:00:00" << 1;
        QTest::newRow("minute 60") << "12:60:00" << 1;
        QTest::newRow("second 60") << "12:00:60" << 1;
        QTest::newRow("ten fraction digits") << "12:00:00.1234567890" << 1;
        QTest::newRow("bare point") << "12:00:00." << 1;
        QTest::newRow("three digit hour") << "012:00:00" << 1;
        QTest::newRow("no seconds") << "12:00" << 1;
        QTest::newRow("date only") << "2021-01-01" << 2;
        QTest::newRow("two blanks") << "2021-01-01  12:00:00" << 2;
        QTest::newRow("T separator") << "2021-01-01T12:00:00" << 2;
    }
    void parse_refuses()
    {
        QFETCH(QString, text);
        QFETCH(int, which);
        // A refused text leaves the value as it was: never a silent zero.
        if (which == 0) {
            date d{ 1999, 9, 9 };
            QVERIFY(!parse(text, d));
            QCOMPARE(d, (date{ 1999, 9, 9 }));
        } else if (which == 1) {
            mtime t{ 1, 2, 3, 4 };
            QVERIFY(!parse(text, t));
            QCOMPARE(t, (mtime{ 1, 2, 3, 4 }));
        } else {
            date_time dt{ 1999, 9, 9, 1, 2, 3, 4 };
            QVERIFY(!parse(text, dt));
            QCOMPARE(dt, (date_time{ 1999, 9, 9, 1, 2, 3, 4 }));
        }
    }

    void ordering()
    {
        QVERIFY((date{ 2020, 12, 31 }) < (date{ 2021, 1, 1 }));
        QVERIFY((date{ 2021, 1, 2 }) > (date{ 2021, 1, 1 }));
        QVERIFY((mtime{ 1, 0, 0, 0 }) > (mtime{ 0, 59, 59, 999999999 }));
        QVERIFY((mtime{ 1, 0, 0, 1 }) > (mtime{ 1, 0, 0, 0 }));
        // The date outweighs the time.
        QVERIFY((date_time{ 2021, 1, 1, 0, 0, 0, 0 }) > (date_time{ 2020, 12, 31, 23, 59, 59, 5 }));
        QVERIFY((date_time{ 2021, 1, 1, 0, 0, 0, 1 }) != (date_time{ 2021, 1, 1, 0, 0, 0, 0 }));
        QVERIFY((date_time{ 2021, 1, 1, 0, 0, 0, 1 }) >= (date_time{ 2021, 1, 1, 0, 0, 0, 1 }));
    }

    void variants_carry_names_compare_and_sort()
    {
        QCOMPARE(QByteArray(QMetaType::typeName(qMetaTypeId<date>())), QByteArray("ox::db::mem::date"));
        QCOMPARE(QByteArray(QMetaType::typeName(qMetaTypeId<mtime>())), QByteArray("ox::db::mem::time"));
        QCOMPARE(QByteArray(QMetaType::typeName(qMetaTypeId<date_time>())), QByteArray("ox::db::mem::date_time"));
        QCOMPARE(QMetaType::type("ox::db::mem::date_time"), qMetaTypeId<date_time>());

        const QVariant a = QVariant::fromValue(date{ 2021, 3, 4 });
        const QVariant b = QVariant::fromValue(date{ 2021, 3, 5 });
        QVERIFY(a == QVariant::fromValue(date{ 2021, 3, 4 }));
        QVERIFY(a != b);
        QVERIFY(a < b);
        QCOMPARE(a.toString(), QStringLiteral("2021-03-04"));

        QVariantList list;
        list << QVariant::fromValue(date_time{ 2021, 1, 1, 12, 0, 0, 0 })
             << QVariant::fromValue(date_time{ 2020, 6, 1, 0, 0, 0, 0 })
             << QVariant::fromValue(date_time{ 2021, 1, 1, 11, 59, 59, 999999999 });
        std::sort(list.begin(), list.end(), [](const QVariant &x, const QVariant &y) { return x < y; });
        QCOMPARE(list[0].value<date_time>(), (date_time{ 2020, 6, 1, 0, 0, 0, 0 }));
        QCOMPARE(list[1].value<date_time>(), (date_time{ 2021, 1, 1, 11, 59, 59, 999999999 }));
        QCOMPARE(list[2].toString(), QStringLiteral("2021-01-01 12:00:00"));

        const QVariant t = QVariant::fromValue(mtime{ 9, 5, 7, 500000000 });
        QVERIFY(t > QVariant::fromValue(mtime{ 9, 5, 7, 0 }));
        QCOMPARE(t.toString(), QStringLiteral("09:05:07.5"));
    }

    void local_now_agrees_with_qt()
    {
        // Qt's local time applies daylight-saving time; ours is read between two of Qt's.
        const QDateTime before = QDateTime::currentDateTime();
        const date_time now = local_now();
        const QDateTime ours(QDate(now.year, now.month, now.day),
                             QTime(now.hour, now.minute, now.second, int(now.nanos / 1000000)));
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(ours.isValid());
        QVERIFY2(before <= ours && ours <= after, qPrintable(ours.toString(Qt::ISODateWithMs)));
        QVERIFY(now.nanos < 1000000000u);
    }

    void local_time_includes_daylight_saving()
    {
        const QByteArray saved = qgetenv("TZ");
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
        // 2021-07-01 12:00:00 UTC is 14:00 in central European summer time, 2021-01-01 12:00 UTC 13:00.
        const date_time summer = ox::db::mem::local_of(1625140800, 250);
        const date_time winter = ox::db::mem::local_of(1609502400, 0);
        if (saved.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", saved);
        tzset();
        QCOMPARE(to_text(summer), QStringLiteral("2021-07-01 14:00:00.00000025"));
        QCOMPARE(to_text(winter), QStringLiteral("2021-01-01 13:00:00"));
    }
};

QTEST_APPLESS_MAIN(test_mem_time)
#include "test_mem_time.moc"
