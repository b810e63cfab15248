// Result sets converted to the grid form: every kind's QVariant, the shapes without rows or
// columns, unknown kinds, and query's handling of a failed command.
#include "db/db_exec.h"
#include "db/value_kinds.h"
#include "recording_peer_helper.h"
#include "stdout_capture.h"
#include "support/mem_time.h"

#include <QtTest>
#include <cstdio>
#include <cstring>
#include <memory>

using ox::db::mem::date;
using ox::db::mem::date_time;
using mtime = ox::db::mem::time;


class test_to_table : public QObject {
    Q_OBJECT
    recording_peer peer_;
    std::unique_ptr<db_exec> db_;

    bool fetch(const QByteArray &body, result_table &out)
    {
        peer_.push_body(body);
        return db_->query("view t", out, 1);
    }

private slots:
    void init()
    {
        peer_.clear();
        QVERIFY(peer_.login());
        db_.reset(new db_exec("vorn_tsdb", nullptr));
    }
    void cleanup() { db_.reset(); }

    void every_kind()
    {
        body_builder b;
        b.col("a", 0, 0, 0).col("b", 0, 1, 0).col("c", 0, 0, 1).col("d", 0, 1, 1).col("e", 0, 0, 2)
            .col("f", 0, 1, 2).col("g", 0, 0, 3).col("h", 0, 1, 3).col("i", 1, 2, 2).col("j", 1, 2, 3)
            .col("k", 2, 2, 4).col("l", 3, 2, 5).col("m", 4, 2, 5).col("n", 5, 2, 5);
        b.row(77).integer(0xff, 1).integer(0xff, 1).integer(0x8000, 2).integer(0xffff, 2)
            .integer(0xffffffffu, 4).integer(0xffffffffu, 4).integer(uint64_t(-5), 8)
            .integer(18446744073709551615ULL, 8).f32(1.5f).f64(-2.25).str("h\xc3\xa9llo")
            .date(2021, 3, 4).time(9, 5, 7, 500000000).datetime(33, 1, 2, 23, 59, 59, 1);
        b.row(78).integer(0x7f, 1).integer(0, 1).integer(1, 2).integer(2, 2).integer(3, 4).integer(4, 4)
            .integer(5, 8).integer(6, 8).f32(0).f64(0).str("").date(1, 1, 1).time(0, 0, 0, 0)
            .datetime(2000, 2, 29, 0, 0, 0, 0);
        result_table t;
        QVERIFY(fetch(b.build(), t));
        QCOMPARE(t.names, (name_list{ "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n" }));
        QCOMPARE(t.types, (name_list{ "i08", "u08", "i16", "u16", "i32", "u32", "i64", "u64", "float", "double",
                                      "string", "date", "time", "datetime" }));
        QCOMPARE(t.sids, (sid_list{ 77, 78 }));
        QCOMPARE(t.rows.size(), 2);
        const QVariantList &r = t.rows[0];
        QCOMPARE(r.size(), 14);
        QCOMPARE(r[0].type(), QVariant::Int);
        QCOMPARE(r[0].toInt(), -1);
        QCOMPARE(r[1].type(), QVariant::Int);
        QCOMPARE(r[1].toInt(), 255);
        QCOMPARE(r[2].toInt(), -32768);
        QCOMPARE(r[3].toInt(), 65535);
        QCOMPARE(r[4].type(), QVariant::Int);
        QCOMPARE(r[4].toInt(), -1);
        QCOMPARE(r[5].type(), QVariant::UInt);
        QCOMPARE(r[5].toUInt(), 4294967295u);
        QCOMPARE(r[6].type(), QVariant::LongLong);
        QCOMPARE(r[6].toLongLong(), -5LL);
        QCOMPARE(r[7].type(), QVariant::ULongLong);
        QCOMPARE(r[7].toULongLong(), 18446744073709551615ULL);
        QCOMPARE(int(r[8].userType()), int(QMetaType::Float));
        QCOMPARE(r[8].toFloat(), 1.5f);
        QCOMPARE(r[9].type(), QVariant::Double);
        QCOMPARE(r[9].toDouble(), -2.25);
        QCOMPARE(r[10].type(), QVariant::String);
        QCOMPARE(r[10].toString(), QString::fromUtf8("h\xc3\xa9llo"));
        QCOMPARE(QByteArray(r[11].typeName()), QByteArray("ox::db::mem::date"));
        QCOMPARE(r[11].value<date>(), (date{ 2021, 3, 4 }));
        QCOMPARE(QByteArray(r[12].typeName()), QByteArray("ox::db::mem::time"));
        QCOMPARE(r[12].value<mtime>(), (mtime{ 9, 5, 7, 500000000 }));
        QCOMPARE(QByteArray(r[13].typeName()), QByteArray("ox::db::mem::date_time"));
        QCOMPARE(r[13].value<date_time>(), (date_time{ 33, 1, 2, 23, 59, 59, 1 }));

        const QVariantList &z = t.rows[1];
        QCOMPARE(z[0].toInt(), 127);
        // An empty text is a value, not a missing one.
        QVERIFY(!z[10].isNull());
        QCOMPARE(z[10].type(), QVariant::String);
        QVERIFY(z[10].toString().isEmpty());
        QCOMPARE(z[13].toString(), QStringLiteral("2000-02-29 00:00:00"));
    }

    // The kinds' table and the conversion agree: a column sent with a row's wire triple comes
    // back with that row's type name, in a QVariant of that row's type, and stored packed it
    // reads back as the same value.
    void kind_table_matches_the_conversion()
    {
        body_builder b;
        for (int k = 0; k < value_kind_count; ++k) {
            const value_kind_row &row = kind_row(value_kind(k));
            QCOMPARE(int(row.kind), k);
            QCOMPARE(kind_of(QByteArray(row.type_name)), row.kind);
            b.col(row.type_name, row.type_code, row.sign, row.size_code);
        }
        b.row(1);
        for (int k = 0; k < value_kind_count; ++k) {
            const value_kind kind = value_kind(k);
            if (is_integer(kind))
                b.integer(int_signed(kind) ? uint64_t(-2) : 200, int_bytes(kind));
            else if (kind == value_kind::flt)
                b.f32(0.5f);
            else if (kind == value_kind::dbl)
                b.f64(0.25);
            else if (kind == value_kind::str)
                b.str("s");
            else if (kind == value_kind::date)
                b.date(2024, 2, 29);
            else if (kind == value_kind::time)
                b.time(1, 2, 3, 4);
            else
                b.datetime(2024, 2, 29, 1, 2, 3, 4);
        }
        result_table t;
        QVERIFY(fetch(b.build(), t));
        QCOMPARE(t.rows.size(), 1);
        for (int k = 0; k < value_kind_count; ++k) {
            const value_kind kind = value_kind(k);
            QCOMPARE(t.types[k], type_name(kind));
            const QVariant &v = t.rows[0][k];
            QCOMPARE(v.userType(), variant_type(kind));
            if (kind == value_kind::str)
                continue;
            unsigned char packed[16] = {};
            QVERIFY(kind_row(kind).packed_width <= int(sizeof packed));
            std::memcpy(packed, v.constData(), std::size_t(kind_row(kind).packed_width));
            QCOMPARE(packed_value(packed, kind), v);
        }
        QCOMPARE(kind_of(QByteArray("int")), value_kind::none);
        QCOMPARE(type_name(value_kind::none), QByteArray());
        QCOMPARE(kind_of(static_cast<const cell *>(nullptr)), value_kind::none);
    }

    void shapes_without_rows_or_columns()
    {
        result_table t;
        QVERIFY(fetch(body_builder().str_col("x").u64_col("y").build(), t));
        QCOMPARE(t.names, (name_list{ "x", "y" }));
        QVERIFY(t.types.isEmpty());
        QVERIFY(t.rows.isEmpty());
        QVERIFY(t.sids.empty());

        result_table empty;
        QVERIFY(fetch(QByteArray(), empty));
        QVERIFY(empty.names.isEmpty() && empty.types.isEmpty() && empty.rows.isEmpty() && empty.sids.empty());

        result_table no_cols;
        QVERIFY(fetch(body_builder().row(5).row(6).row(7).build(), no_cols));
        QCOMPARE(no_cols.rows.size(), 3);
        QVERIFY(no_cols.rows[0].isEmpty());
        QCOMPARE(no_cols.sids, (sid_list{ 5, 6, 7 }));
    }

    void without_row_identifiers()
    {
        peer_.push_body(body_builder().str_col("x").row(9).str("a").build());
        name_list names, types;
        row_list rows;
        QByteArray line;
        QVERIFY(db_->query("view t", names, rows, types, line, 1, nullptr));
        QCOMPARE(rows.size(), 1);
        QVERIFY(line.contains("successful"));
    }

    void a_bad_type_code()
    {
        result_table t;
        stdout_capture out;
        QVERIFY(fetch(body_builder().str_col("x").col("bad", 9, 2, 5).str_col("z").row(1).str("a").str("b").build(), t));
        QCOMPARE(out.text(), std::string("bad type\n"));
        QCOMPARE(t.names, (name_list{ "x", "bad", "z" }));
        QCOMPARE(t.types, name_list{ "string" });
        QVERIFY(t.rows.isEmpty());
        QVERIFY(t.sids.empty());
    }

    void a_failed_query_leaves_the_outputs()
    {
        result_table t;
        t.names << "kept";
        peer_.push_failure();
        QVERIFY(!db_->query("view t", t, 1));
        QCOMPARE(t.names, name_list{ "kept" });
        QVERIFY(t.types.isEmpty());
    }
};

QTEST_MAIN(test_to_table)
#include "test_to_table.moc"
