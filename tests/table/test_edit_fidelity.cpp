// The grid never alters a value the user did not edit and never loses one the user did: editors
// left untouched, exact change tracking, exact update texts, empty strings and early years,
// checked bit for bit through the development server where the round trip is the point.
#include "support/mem_time.h"
#include "table/datetime_edit.h"
#include "table/item_dlgt.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace mem = ox::db::mem;

namespace {
template <typename T> bool same_bits(T a, T b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

const QList<float> small_floats{1e-10f, 0.0001234567f, FLT_MIN, std::numeric_limits<float>::denorm_min(),
                                -FLT_MIN};
const QList<double> small_doubles{1e-300, DBL_MIN, std::numeric_limits<double>::denorm_min(), -DBL_MIN,
                                  1e-20};

QVariant tp(int second)
{
    return QVariant::fromValue(mem::date_time{2022, 6, 1, 12, 0, uint8_t(second), 0});
}
} // namespace

class test_edit_fidelity : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

    // Table r (k float, l double) with one row per pair of values, seconds 1, 2, ...
    void fill_reals(const QList<float> &fs, const QList<double> &ds)
    {
        QVERIFY(srv->run("truncate r"));
        tab_data_model m("r");
        QVERIFY(m.load_result(*srv->exec(), "view r", 1));
        for (int i = 0; i < fs.size(); ++i) {
            QVERIFY(m.insertRows(i, 1));
            QVERIFY(m.setData(m.index(i, 0), tp(i + 1)));
            QVERIFY(m.setData(m.index(i, 1), fs[i]));
            QVERIFY(m.setData(m.index(i, 2), ds[i]));
        }
        QVERIFY2(srv->apply_edits(m), qPrintable(m.pending_commands().join('\n')));
    }

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create r k float l double"));
        QVERIFY(srv->run("create e s string n i32"));
    }
    void cleanupTestCase() { srv.reset(); }

    void untouched_real_editors_write_nothing()
    {
        fill_reals(small_floats, small_doubles);
        tab_data_model m("r");
        QVERIFY(m.load_result(*srv->exec(), "view r", 1));
        QCOMPARE(m.rowCount(), small_floats.size());
        QWidget parent;
        QStyleOptionViewItem opt;
        for (int row = 0; row < m.rowCount(); ++row) {
            for (int col = 1; col <= 2; ++col) {
                item_dlgt *d = m.delegate_of(col);
                const QModelIndex at = m.index(row, col);
                std::unique_ptr<QWidget> e(d->createEditor(&parent, opt, at));
                d->setEditorData(e.get(), at);
                d->setModelData(e.get(), &m, at);
            }
        }
        QCOMPARE(m.changed_count(), 0);
        for (int row = 0; row < m.rowCount(); ++row) {
            QVERIFY(same_bits(m.data(m.index(row, 1), Qt::EditRole).toFloat(), small_floats[row]));
            QVERIFY(same_bits(m.data(m.index(row, 2), Qt::EditRole).toDouble(), small_doubles[row]));
        }

        // A typed text still goes in, even one equal to the shown text of a value it replaces.
        item_dlgt *d = m.delegate_of(2);
        const QModelIndex at = m.index(0, 2);
        std::unique_ptr<QWidget> e(d->createEditor(&parent, opt, at));
        d->setEditorData(e.get(), at);
        auto *le = qobject_cast<QLineEdit *>(e.get());
        QVERIFY(le);
        le->selectAll();
        QTest::keyClicks(le, QStringLiteral("2.5"));
        d->setModelData(e.get(), &m, at);
        QCOMPARE(m.data(at, Qt::EditRole), QVariant(2.5));
        QCOMPARE(m.changed_count(), 1);
    }

    void change_tracking_is_exact()
    {
        QVERIFY(srv->run("truncate r"));
        QVERIFY(srv->run("push into r k l values 1.5 1700000000.123456 at 2022-06-01 12:00:01"));
        QVERIFY(srv->run("push into r k l values 0 0 at 2022-06-01 12:00:02"));
        QVERIFY(srv->run("push into r k l values nan nan at 2022-06-01 12:00:03"));
        tab_data_model m("r");
        QVERIFY(m.load_result(*srv->exec(), "view r", 1));
        QCOMPARE(m.rowCount(), 3);

        QVERIFY(m.setData(m.index(0, 2), 1700000000.123457));
        QCOMPARE(m.changed_count(), 1);
        QVERIFY(m.setData(m.index(1, 1), -0.0f));
        QVERIFY(m.setData(m.index(1, 2), -0.0));
        QCOMPARE(m.changed_count(), 3);
        // Every NaN is the same value: writing another NaN is no edit.
        QVERIFY(m.setData(m.index(2, 1), -std::numeric_limits<float>::quiet_NaN()));
        QVERIFY(m.setData(m.index(2, 2), std::numeric_limits<double>::signaling_NaN()));
        QCOMPARE(m.changed_count(), 3);
        QCOMPARE(m.pending_commands().size(), 2);

        // The delegate writes a typed value that differs in the last digit only.
        QVERIFY(m.setData(m.index(0, 2), 1700000000.123456));
        QCOMPARE(m.changed_count(), 2);
        QWidget parent;
        item_dlgt *d = m.delegate_of(2);
        std::unique_ptr<QWidget> e(d->createEditor(&parent, QStyleOptionViewItem(), m.index(0, 2)));
        d->setEditorData(e.get(), m.index(0, 2));
        auto *le = qobject_cast<QLineEdit *>(e.get());
        le->selectAll();
        QTest::keyClicks(le, QStringLiteral("1700000000.123457"));
        d->setModelData(e.get(), &m, m.index(0, 2));
        QCOMPARE(m.changed_count(), 3);

        QVERIFY2(srv->apply_edits(m), qPrintable(m.pending_commands().join('\n')));
        tab_data_model back("r");
        QVERIFY(back.load_result(*srv->exec(), "view r", 1));
        QVERIFY(same_bits(back.data(back.index(0, 2), Qt::EditRole).toDouble(), 1700000000.123457));
        QVERIFY(same_bits(back.data(back.index(1, 1), Qt::EditRole).toFloat(), -0.0f));
        QVERIFY(same_bits(back.data(back.index(1, 2), Qt::EditRole).toDouble(), -0.0));
    }

    void updates_send_the_exact_value()
    {
        QCOMPARE(value_text::plain_text(QVariant(-0.0), value_kind::dbl), QStringLiteral("-0"));
        QCOMPARE(value_text::plain_text(QVariant(-0.0f), value_kind::flt), QStringLiteral("-0"));
        const QList<float> fs{FLT_MAX, -FLT_MAX, -0.0f, std::numeric_limits<float>::denorm_min(), 0.1f,
                              16777217.0f, std::numeric_limits<float>::infinity()};
        const QList<double> ds{DBL_MAX, -DBL_MAX, -0.0, std::numeric_limits<double>::denorm_min(), 0.1,
                               9007199254740993.0, -std::numeric_limits<double>::infinity()};
        QList<float> start;
        QList<double> dstart;
        for (int i = 0; i < fs.size(); ++i) {
            start << 1.0f;
            dstart << 1.0;
        }
        fill_reals(start, dstart);
        tab_data_model m("r");
        QVERIFY(m.load_result(*srv->exec(), "view r", 1));
        QCOMPARE(m.rowCount(), fs.size());
        for (int i = 0; i < fs.size(); ++i) {
            QVERIFY(m.setData(m.index(i, 1), fs[i]));
            QVERIFY(m.setData(m.index(i, 2), ds[i]));
        }
        QVERIFY2(srv->apply_edits(m), qPrintable(m.pending_commands().join('\n')));
        tab_data_model back("r");
        QVERIFY(back.load_result(*srv->exec(), "view r", 1));
        for (int i = 0; i < fs.size(); ++i) {
            const float f = back.data(back.index(i, 1), Qt::EditRole).toFloat();
            const double v = back.data(back.index(i, 2), Qt::EditRole).toDouble();
            QVERIFY2(same_bits(f, fs[i]), qPrintable(QString::number(double(f), 'g', 10)));
            QVERIFY2(same_bits(v, ds[i]), qPrintable(QString::number(v, 'g', 17)));
        }
    }

    void empty_strings_load_as_strings()
    {
        QVERIFY(srv->run("truncate e"));
        QVERIFY(srv->run("push into e s n values \"\" 1 at 2022-06-01 12:00:01"));
        QVERIFY(srv->run("push into e s n values \"\" 2 at 2022-06-01 12:00:02"));
        tab_data_model m("e");
        QVERIFY(m.load_result(*srv->exec(), "view e", 1));
        QCOMPARE(m.rowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            const QVariant v = m.data(m.index(row, 1), Qt::EditRole);
            QCOMPARE(v.userType(), int(QMetaType::QString));
            QVERIFY(!v.isNull());
            QVERIFY(!v.toString().isNull());
            QVERIFY(v.toString().isEmpty());
        }
    }

    void early_years_are_shown_and_kept()
    {
        date_time_wt w(nullptr, date_time_wt::parts::date_time);
        const mem::date_time old{1, 2, 3, 4, 5, 6, 7};
        w.set_variant(QVariant::fromValue(old));
        QCOMPARE(w.date_edit()->date(), QDate(1, 2, 3));
        QCOMPARE(w.date_edit()->text(), QStringLiteral("0001-02-03"));
        // Another day of the same early year stays in that year.
        w.date_edit()->setDate(QDate(1, 2, 4));
        mem::date_time now = w.variant().value<mem::date_time>();
        QCOMPARE(int(now.year), 1);
        QCOMPARE(int(now.day), 4);
        // A year typed with its leading zeros is taken as it stands.
        date_time_wt d(nullptr, date_time_wt::parts::date);
        d.set_variant(QVariant::fromValue(mem::date{2020, 5, 6}));
        d.show();
        QApplication::setActiveWindow(&d);
        d.date_edit()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.date_edit()->setSelectedSection(QDateTimeEdit::YearSection);
        QTest::keyClicks(d.date_edit(), QStringLiteral("0099"));
        QCOMPARE(int(d.variant().value<mem::date>().year), 99);
    }
};

QTEST_MAIN(test_edit_fidelity)
#include "test_edit_fidelity.moc"
