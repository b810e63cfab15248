// Typed reads of the column storage that charts use: numbers of every width and sign, and
// points in time as wall-clock nanoseconds.
#include "table/column_store.h"

#include <QtTest>
#include <limits>

namespace mem = ox::db::mem;

class test_column_reads : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { mem::register_meta_types(); }

    void numbers_of_every_kind()
    {
        struct sample {
            value_kind k;
            QVariant v;
            double want;
        };
        const sample samples[] = {
            {value_kind::i08, QVariant(-128), -128},
            {value_kind::u08, QVariant(255), 255},
            {value_kind::i16, QVariant(-2), -2},
            {value_kind::u16, QVariant(65535), 65535},
            {value_kind::i32, QVariant(-2147483647 - 1), -2147483648.0},
            {value_kind::u32, QVariant(4294967295u), 4294967295.0},
            {value_kind::i64, QVariant(qlonglong(-9007199254740993LL)), -9007199254740992.0},
            {value_kind::u64, QVariant(qulonglong(18446744073709551615ULL)), 18446744073709551615.0},
            {value_kind::flt, QVariant(1.5f), 1.5},
            {value_kind::dbl, QVariant(-0.25), -0.25},
        };
        for (const sample &s : samples) {
            column_store c(s.k);
            c.append(s.v);
            double got = 0;
            QVERIFY2(c.number_at(0, &got), type_name(s.k).constData());
            QCOMPARE(got, s.want);
            QVERIFY(!c.number_at(1, &got)); // past the end
        }
        column_store text(value_kind::str);
        text.append(QString("12"));
        double got = 0;
        QVERIFY(!text.number_at(0, &got));
        std::int64_t t = 0;
        QVERIFY(!text.time_ns_at(0, &t));
    }

    void points_in_time()
    {
        column_store c(value_kind::datetime);
        c.append(QVariant::fromValue(mem::date_time{1970, 1, 1, 0, 0, 0, 0}));
        c.append(QVariant::fromValue(mem::date_time{2020, 2, 29, 23, 59, 59, 999999999}));
        c.append(QVariant::fromValue(mem::date_time{1969, 12, 31, 23, 59, 59, 500000000}));
        std::int64_t ns = -1;
        QVERIFY(c.time_ns_at(0, &ns));
        QCOMPARE(ns, std::int64_t(0));
        QVERIFY(c.time_ns_at(1, &ns));
        QCOMPARE(ns, std::int64_t(1583020799) * 1000000000 + 999999999);
        QVERIFY(c.time_ns_at(2, &ns));
        QCOMPARE(ns, std::int64_t(-500000000));

        column_store d(value_kind::date);
        d.append(QVariant::fromValue(mem::date{2000, 3, 1}));
        QVERIFY(d.time_ns_at(0, &ns));
        QCOMPARE(ns, std::int64_t(951868800) * 1000000000);
        // Beyond what nanoseconds reach: held at the ends, still in order.
        QCOMPARE(column_store::time_ns_of(mem::date_time{9999, 12, 31, 0, 0, 0, 0}),
                 std::numeric_limits<std::int64_t>::max());
        QCOMPARE(column_store::time_ns_of(mem::date_time{1, 1, 1, 0, 0, 0, 0}),
                 std::numeric_limits<std::int64_t>::min());
        QVERIFY(column_store::time_ns_of(mem::date_time{2262, 1, 1, 0, 0, 0, 0}) <
                column_store::time_ns_of(mem::date_time{2263, 1, 1, 0, 0, 0, 0}));
    }
};

QTEST_APPLESS_MAIN(test_column_reads)
#include "test_column_reads.moc"
