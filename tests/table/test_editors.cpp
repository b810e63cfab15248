// The typed entries typed into key by key, their ranges, the date/time entry, and the editors the
// delegates create and write back.
#include "support/mem_time.h"
#include "table/datetime_edit.h"
#include "table/item_dlgt.h"
#include "table/spin_boxes.h"

#include <QDateEdit>
#include <QStandardItemModel>
#include <QtTest>
#include <cfloat>
#include <memory>

using value_text::display_mode;
namespace mem = ox::db::mem;

class test_editors : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { mem::register_meta_types(); }

    void typing_a_hex_value_piece_by_piece()
    {
        i08_spin_box e;
        e.set_format(value_text::format_of(display_mode::typed));
        e.clear();
        QVERIFY(!e.has_value());
        QTest::keyClicks(&e, QStringLiteral("-0x7Fu1"));
        QCOMPARE(e.text(), QStringLiteral("-0x7Fu1"));
        QVERIFY(e.has_value());
        QCOMPARE(int64_t(e.value()), int64_t(-127));
    }

    void refused_keys_leave_the_last_good_text()
    {
        u08_spin_box e;
        e.clear();
        QTest::keyClicks(&e, QStringLiteral("25"));
        QTest::keyClicks(&e, QStringLiteral("6")); // 256 is past the kind
        QCOMPARE(e.text(), QStringLiteral("25"));
        QCOMPARE(e.value(), uint64_t(25));
        QTest::keyClicks(&e, QStringLiteral("x"));
        QCOMPARE(e.text(), QStringLiteral("25"));
        e.clear();
        QTest::keyClicks(&e, QStringLiteral("z")); // a single refused character: empty again
        QCOMPARE(e.text(), QString());
        QTest::keyClicks(&e, QStringLiteral("-"));
        QCOMPARE(e.text(), QString()); // no sign for an unsigned kind
        // An unfinished text keeps the last complete value.
        e.set_value(9);
        e.clear();
        QVERIFY(!e.has_value());
        QCOMPARE(e.value(), uint64_t(9));
    }

    void binary_entry_accepts_the_grouped_text()
    {
        u08_spin_box e;
        e.set_format(value_text::format_of(display_mode::binary));
        e.set_value(5);
        QCOMPARE(e.text(), QStringLiteral("0b0000 0101"));
        e.clear();
        QTest::keyClicks(&e, QStringLiteral("0b1111 0000"));
        QCOMPARE(e.value(), uint64_t(0xF0));
        QTest::keyClicks(&e, QStringLiteral("2"));
        QCOMPARE(e.text(), QStringLiteral("0b1111 0000"));
    }

    void ranges_of_every_integer_kind()
    {
        for (int i = 0; is_integer(value_kind(i)); ++i) {
            const value_kind k = value_kind(i);
            std::unique_ptr<int_spin_box> e(make_int_spin_box(k, nullptr));
            QCOMPARE(e->kind(), k);
            const int bits = 8 * int_bytes(k);
            if (int_signed(k)) {
                QCOMPARE(e->maximum(), (uint64_t(1) << (bits - 1)) - 1);
                QCOMPARE(e->minimum(), bits == 64 ? INT64_MIN : -(int64_t(1) << (bits - 1)));
            } else {
                QCOMPARE(e->minimum(), int64_t(0));
                QCOMPARE(e->maximum(), bits == 64 ? UINT64_MAX : (uint64_t(1) << bits) - 1);
            }
            // Up at the maximum and down at the minimum stay where they are.
            e->set_value(e->maximum());
            QTest::keyClick(e.get(), Qt::Key_Up);
            QCOMPARE(e->value(), e->maximum());
            QTest::keyClick(e.get(), Qt::Key_Down);
            QCOMPARE(e->value(), e->maximum() - 1);
            e->set_value(uint64_t(e->minimum()));
            QTest::keyClick(e.get(), Qt::Key_Down);
            QCOMPARE(e->value(), uint64_t(e->minimum()));
        }
        std::unique_ptr<int_spin_box> u32(make_int_spin_box(value_kind::u32, nullptr));
        QCOMPARE(QByteArray(u32->metaObject()->className()), QByteArray("u32_spin_box"));
        QVERIFY(!make_int_spin_box(value_kind::flt, nullptr));
    }

    void real_entries()
    {
        float_spin_box f;
        QCOMPARE(f.maximum(), double(3.4028235e38f));
        QCOMPARE(f.minimum(), -double(3.4028235e38f));
        double_spin_box d;
        QCOMPARE(d.maximum(), 1.7976931348623157e308);
        QCOMPARE(d.minimum(), -1.7976931348623157e308);
        d.set_value(1.5);
        QCOMPARE(d.text(), QStringLiteral("1.50000000000000000"));
        d.clear();
        QTest::keyClicks(&d, QStringLiteral("-2.5e3q"));
        QCOMPARE(d.text(), QStringLiteral("-2.5e3"));
        QCOMPARE(d.value(), -2500.0);
        f.clear();
        QTest::keyClicks(&f, QStringLiteral("1e39"));
        QCOMPARE(f.text(), QStringLiteral("1e3")); // the last digit would leave the float range
    }

    void time_field_rule()
    {
        date_time_wt w(nullptr, date_time_wt::parts::time);
        QLineEdit *t = w.time_edit();
        QSignalSpy spy(&w, &date_time_wt::value_chg);
        t->clear();
        QTest::keyClicks(t, QStringLiteral("2"));
        QTest::keyClicks(t, QStringLiteral("5")); // hour 25 is refused
        QCOMPARE(t->text(), QStringLiteral("2"));
        QTest::keyClicks(t, QStringLiteral("3:59:07.25"));
        QCOMPARE(t->text(), QStringLiteral("23:59:07.25"));
        QVERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("23:59:07.25"));
        const mem::time v = w.variant().value<mem::time>();
        QCOMPARE(int(v.hour), 23);
        QCOMPARE(v.nanos, 250000000u);
        QTest::keyClicks(t, QStringLiteral("a"));
        QCOMPARE(t->text(), QStringLiteral("23:59:07.25"));
    }

    void untouched_entry_keeps_a_date_it_cannot_show()
    {
        // The date edit starts at year 100; a stored year 33 must survive opening an editor.
        date_time_wt w(nullptr, date_time_wt::parts::date_time);
        const mem::date_time old{33, 2, 3, 4, 5, 6, 7};
        w.set_variant(QVariant::fromValue(old));
        QVERIFY(w.variant().value<mem::date_time>() == old);
        QCOMPARE(w.text(), QStringLiteral("0033-02-03 04:05:06.000000007"));
        w.date_edit()->setDate(QDate(2020, 5, 6));
        const mem::date_time now = w.variant().value<mem::date_time>();
        QCOMPARE(int(now.year), 2020);
        QCOMPARE(int(now.hour), 4);
    }

    void delegate_editors()
    {
        QStandardItemModel m(1, 1);
        m.setData(m.index(0, 0), QVariant(10), Qt::EditRole);
        QWidget parent;
        int_item_dlgt d(value_kind::u08);
        d.set_display_mode(display_mode::typed);
        QStyleOptionViewItem opt;
        opt.rect = QRect(0, 0, 80, 4);
        QWidget *w = d.createEditor(&parent, opt, m.index(0, 0));
        auto *e = qobject_cast<u08_spin_box *>(w);
        QVERIFY(e);
        QCOMPARE(e->font().pointSize(), 10);
        QCOMPARE(e->alignment(), Qt::AlignCenter);
        QVERIFY(!e->isReadOnly());
        d.setEditorData(e, m.index(0, 0));
        QCOMPARE(e->text(), QStringLiteral("+0x0Au1")); // the grid's own text
        d.updateEditorGeometry(e, opt, m.index(0, 0));
        QVERIFY(e->height() >= e->minimumSizeHint().height());
        QCOMPARE(e->width(), 80);
        e->clear();
        QTest::keyClicks(e, QStringLiteral("0xFF"));
        d.setModelData(e, &m, m.index(0, 0));
        QCOMPARE(m.data(m.index(0, 0), Qt::EditRole), QVariant(255));
        // A half-typed entry writes nothing.
        e->setText(QStringLiteral("0x"));
        d.setModelData(e, &m, m.index(0, 0));
        QCOMPARE(m.data(m.index(0, 0), Qt::EditRole), QVariant(255));

        d.set_read_only(true);
        QWidget *ro = d.createEditor(&parent, opt, m.index(0, 0));
        QVERIFY(static_cast<QLineEdit *>(ro)->isReadOnly());

        string_item_dlgt s;
        m.setData(m.index(0, 0), QStringLiteral("abc"), Qt::EditRole);
        auto *le = qobject_cast<QLineEdit *>(s.createEditor(&parent, opt, m.index(0, 0)));
        QVERIFY(le);
        QCOMPARE(le->maxLength(), 2147483647);
        s.setEditorData(le, m.index(0, 0));
        le->setText(QString());
        s.setModelData(le, &m, m.index(0, 0));
        QCOMPARE(m.data(m.index(0, 0), Qt::EditRole).userType(), int(QMetaType::QString));
        QCOMPARE(m.data(m.index(0, 0), Qt::EditRole).toString(), QString());

        datetime_item_dlgt t;
        t.set_read_only(true);
        auto *dt = qobject_cast<date_time_wt *>(t.createEditor(&parent, opt, m.index(0, 0)));
        QVERIFY(dt);
        QVERIFY(dt->is_read_only());
        QCOMPARE(dt->font().pointSize(), 10);
        QVERIFY(dt->date_edit()->isVisible() || !dt->date_edit()->isHidden());

        double_item_dlgt dd;
        QVERIFY(qobject_cast<double_spin_box *>(dd.createEditor(&parent, opt, m.index(0, 0))));
        float_item_dlgt ff;
        QVERIFY(qobject_cast<float_spin_box *>(ff.createEditor(&parent, opt, m.index(0, 0))));
        time_item_dlgt tt;
        auto *te = qobject_cast<date_time_wt *>(tt.createEditor(&parent, opt, m.index(0, 0)));
        QVERIFY(te && te->date_edit()->isHidden());
    }
};

QTEST_MAIN(test_editors)
#include "test_editors.moc"
