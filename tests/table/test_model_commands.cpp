// Pending edits become push and update commands: their texts, their order, and a round trip
// of every value kind in every number display mode through the development server.
#include "support/mem_time.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QtTest>
#include <cfloat>

using value_text::display_mode;
namespace mem = ox::db::mem;

namespace {
const char *const field_list = "a i08 b u08 c i16 d u16 e i32 f u32 g i64 h u64 k float l double "
                               "s string m date n time o datetime";

// Columns 1.. of the view, in field order (column 0 is the time point).
QVariantList extreme_values()
{
    return {-128, 255, -32768, 65535, int(INT32_MIN), uint(4294967295u), qlonglong(INT64_MIN),
            qulonglong(UINT64_MAX), -3.25f, 1e-20,
            QStringLiteral("x at 2020-01-01 00:00:00 \"q\" \\ end"),
            QVariant::fromValue(mem::date{33, 1, 2}), QVariant::fromValue(mem::time{23, 59, 59, 1}),
            QVariant::fromValue(mem::date_time{2021, 3, 4, 5, 6, 7, 500000000})};
}

// Added rows go out in the display texts; the small floats there need more than their
// fixed-point digits to arrive intact.
QVariantList middle_values()
{
    return {-5, 5, 300, 1234, -7, uint(7), qlonglong(-1), qulonglong(42), 1.234e-7f, 2.5e-19,
            QStringLiteral("中文 a,b"), QVariant::fromValue(mem::date{2024, 2, 29}),
            QVariant::fromValue(mem::time{0, 0, 1, 120000000}),
            QVariant::fromValue(mem::date_time{1999, 12, 31, 23, 59, 59, 0})};
}

QVariant tp(int second)
{
    return QVariant::fromValue(mem::date_time{2022, 6, 1, 12, 0, uint8_t(second), 0});
}
} // namespace

class test_model_commands : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create p v i32 w date"));
        QVERIFY(srv->run("create q v u08 s string"));
    }
    void cleanupTestCase() { srv.reset(); }

    void push_text_follows_the_display_mode()
    {
        QVERIFY(srv->run("truncate p"));
        tab_data_model m("p");
        QVERIFY(m.load_result(*srv->exec(), "view p", 1));
        QCOMPARE(m.columnCount(), 3);
        QVERIFY(m.insertRows(0, 1));
        QVERIFY(m.setData(m.index(0, 1), 10));
        m.set_display_mode(display_mode::hexadecimal);
        QCOMPARE(m.pending_commands(),
                 QList<QByteArray>{"push into p v w values 0x0A \"2019-04-23\" at 2019-04-23 10:11:12"});
        m.set_display_mode(display_mode::typed);
        QCOMPARE(m.pending_commands(),
                 QList<QByteArray>{"push into p v w values +0x0Au4 \"2019-04-23\" at 2019-04-23 10:11:12"});
        m.set_display_mode(display_mode::decimal);
        QCOMPARE(m.pending_commands(),
                 QList<QByteArray>{"push into p v w values 10 \"2019-04-23\" at 2019-04-23 10:11:12"});
    }

    void three_commands_in_row_order()
    {
        QVERIFY(srv->run("truncate q"));
        QVERIFY(srv->run("push into q v s values 1 \"one\" at 2022-01-01 00:00:01"));
        QVERIFY(srv->run("push into q v s values 2 \"two\" at 2022-01-01 00:00:02"));
        tab_data_model m("q");
        m.set_display_mode(display_mode::binary);
        QVERIFY(m.load_result(*srv->exec(), "view q", 1));
        QCOMPARE(m.rowCount(), 2);
        QVERIFY(m.setData(m.index(1, 1), 5));
        QVERIFY(m.setData(m.index(1, 2), QStringLiteral("two b")));
        QVERIFY(m.insertRows(0, 1));
        QVERIFY(m.insertRows(3, 1));
        QVERIFY(m.setData(m.index(0, 0), QVariant::fromValue(mem::date_time{2022, 1, 1, 0, 0, 0, 0})));
        QVERIFY(m.setData(m.index(3, 0), QVariant::fromValue(mem::date_time{2022, 1, 1, 0, 0, 3, 0})));
        QVERIFY(m.setData(m.index(3, 1), 5));
        const QList<QByteArray> cmds = m.pending_commands();
        QCOMPARE(cmds.size(), 3);
        QCOMPARE(cmds[0], QByteArray("push into q v s values 0b00000000 \"abc\" at 2022-01-01 00:00:00"));
        // An update names the row by its time point and sends plain decimal numbers.
        QCOMPARE(cmds[1], QByteArray("update q set v 5 s \"two b\" at 2022-01-01 00:00:02"));
        QCOMPARE(cmds[2], QByteArray("push into q v s values 0b00000101 \"abc\" at 2022-01-01 00:00:03"));
        QVERIFY(srv->apply_edits(m));
        QVERIFY(m.load_result(*srv->exec(), "view q", 1));
        QCOMPARE(m.rowCount(), 4);
        QCOMPARE(m.data(m.index(2, 2)).toString(), QStringLiteral("two b"));
        QCOMPARE(m.data(m.index(3, 1), Qt::EditRole), QVariant(5));
        QVERIFY(srv->apply_edits(m)); // nothing pending: nothing to run, still true
    }

    void failure_stops_the_run()
    {
        QVERIFY(srv->run("create gone v i32"));
        QVERIFY(srv->run("push into gone v values 1 at 2022-01-01 00:00:01"));
        tab_data_model m("gone");
        QVERIFY(m.load_result(*srv->exec(), "view gone", 1));
        QVERIFY(m.setData(m.index(0, 1), 77)); // its row vanishes below: the update fails
        QVERIFY(m.insertRows(1, 1));
        QVERIFY(m.setData(m.index(1, 0), QVariant::fromValue(mem::date_time{2022, 1, 1, 0, 0, 9, 0})));
        QVERIFY(m.setData(m.index(1, 1), 88));
        QVERIFY(srv->run("truncate gone"));
        QVERIFY(!srv->apply_edits(m));
        QCOMPARE(m.rowCount(), 2); // the grid keeps its content
        // The push after the failed update was never sent.
        tab_data_model back("gone");
        QVERIFY(back.load_result(*srv->exec(), "view gone", 1));
        QCOMPARE(back.rowCount(), 0);

        // A stop asked for is read before each command: what is left never goes.
        const QList<QByteArray> pushes = m.pending_commands().mid(1);
        std::atomic<bool> stop{true};
        std::atomic<int> done{0};
        sent_commands out = tab_data_model::send_commands(*srv->exec(), pushes, &stop, &done);
        QVERIFY(out.cancelled);
        QCOMPARE(out.done, 0);
        QVERIFY(back.load_result(*srv->exec(), "view gone", 1));
        QCOMPARE(back.rowCount(), 0);
        stop = false;
        out = tab_data_model::send_commands(*srv->exec(), pushes, &stop, &done);
        QVERIFY(out.status.ok && !out.cancelled);
        QCOMPARE(done.load(), 1);
        QCOMPARE(out.total, 1);
    }

    void time_point_of_an_edited_row_is_never_a_field()
    {
        QVERIFY(srv->run("truncate p"));
        QVERIFY(srv->run("push into p v w values 1 \"2020-01-01\" at 2022-01-01 00:00:01"));
        tab_data_model m("p");
        QVERIFY(m.load_result(*srv->exec(), "view p", 1));
        // A replace may still write the column; the command keeps naming the loaded row.
        QVERIFY(m.setData(m.index(0, 0), QVariant::fromValue(mem::date_time{2030, 1, 1, 0, 0, 0, 0})));
        QVERIFY(m.setData(m.index(0, 1), 2));
        QCOMPARE(m.pending_commands(), QList<QByteArray>{"update p set v 2 at 2022-01-01 00:00:01"});
    }

    void every_kind_round_trips_in_every_mode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("Bin") << int(display_mode::binary);
        QTest::newRow("Hex") << int(display_mode::hexadecimal);
        QTest::newRow("Dec") << int(display_mode::decimal);
        QTest::newRow("Nor") << int(display_mode::typed);
    }
    void every_kind_round_trips_in_every_mode()
    {
        QFETCH(int, mode);
        const QByteArray table = "all_" + QByteArray::number(mode);
        QVERIFY(srv->run("create " + table + " " + field_list));
        QVERIFY(srv->run("push into " + table + " a b c d e f g h k l s m n o values "
                         "1 2 3 4 5 6 7 8 1.5 2.5 \"s\" \"2000-01-01\" \"01:02:03\" \"2000-01-01 01:02:03\" "
                         "at 2022-06-01 12:00:01"));
        tab_data_model m(table);
        m.set_display_mode(display_mode(mode));
        QVERIFY(m.load_result(*srv->exec(), "view " + table, 1));
        QCOMPARE(m.columnCount(), 15);
        QCOMPARE(m.rowCount(), 1);
        const QVariantList edited = extreme_values();
        const QVariantList added = middle_values();
        for (int c = 1; c < 15; ++c)
            QVERIFY(m.setData(m.index(0, c), edited[c - 1]));
        QVERIFY(m.insertRows(1, 1));
        QVERIFY(m.setData(m.index(1, 0), tp(2)));
        for (int c = 1; c < 15; ++c)
            QVERIFY(m.setData(m.index(1, c), added[c - 1]));
        QVERIFY2(srv->apply_edits(m), qPrintable(m.pending_commands().join('\n')));

        tab_data_model back(table);
        QVERIFY(back.load_result(*srv->exec(), "view " + table, 1));
        QCOMPARE(back.rowCount(), 2);
        QCOMPARE(back.data(back.index(0, 0), Qt::EditRole), tp(1));
        QCOMPARE(back.data(back.index(1, 0), Qt::EditRole), tp(2));
        for (int c = 1; c < 15; ++c) {
            const QVariant got0 = back.data(back.index(0, c), Qt::EditRole);
            const QVariant got1 = back.data(back.index(1, c), Qt::EditRole);
            QVERIFY2(got0 == edited[c - 1], qPrintable(back.type_of(c) + " edited: " + got0.toString()));
            QVERIFY2(got1 == added[c - 1], qPrintable(back.type_of(c) + " added: " + got1.toString()));
            QCOMPARE(got0.userType(), edited[c - 1].userType());
        }
    }
};

QTEST_MAIN(test_model_commands)
#include "test_model_commands.moc"
