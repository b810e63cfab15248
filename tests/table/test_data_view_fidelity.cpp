// Edge values through the data view: typed into the grid's own editors (or set where no key
// can type them), sent with Apply as pushes and as updates, and read back by the window's
// reload bit for bit; editors opened and left on the reloaded cells change nothing.
#include "common/modal_seam.h"
#include "support/mem_time.h"
#include "table/data_view.h"
#include "table/datetime_edit.h"
#include "table/item_dlgt.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace mem = ox::db::mem;

namespace {
using lim_f = std::numeric_limits<float>;
using lim_d = std::numeric_limits<double>;

// Columns of table f after the time point.
enum col { c_i64 = 1, c_u64, c_float, c_double, c_string, c_date, c_time, c_datetime, col_count };

struct edge_row {
    qlonglong i64;
    qulonglong u64;
    float f;
    double d;
    QString s;
    mem::date date;
    mem::time time;
    mem::date_time dt;
};

const QList<edge_row> &edge_rows()
{
    static const QList<edge_row> rows{
        {std::numeric_limits<qlonglong>::min(), std::numeric_limits<qulonglong>::max(), FLT_MAX, -0.0,
         QStringLiteral("say \"hi\" \\ back\\slash"), {1, 1, 1}, {0, 0, 0, 1}, {1, 1, 1, 0, 0, 0, 1}},
        {std::numeric_limits<qlonglong>::max(), 0, -0.0f, lim_d::quiet_NaN(), QStringLiteral("  blanks at both ends  "),
         {9999, 12, 31}, {23, 59, 59, 999999999}, {9999, 12, 31, 23, 59, 59, 999999999}},
        {-1, 1, lim_f::denorm_min(), lim_d::infinity(), QStringLiteral("a,b;c|d\te"), {1970, 1, 1}, {12, 0, 0, 500000000},
         {1969, 12, 31, 23, 59, 59, 999999999}},
        {0, 18446744073709551614ull, lim_f::quiet_NaN(), -lim_d::infinity(),
         QString::fromUtf8("\xe6\xb8\xa9\xe5\xba\xa6 \xe3\x83\x87\xe3\x83\xbc\xe3\x82\xbf"), {2000, 2, 29}, {0, 0, 0, 0},
         {2000, 2, 29, 0, 0, 0, 0}},
        {42, 42, lim_f::infinity(), lim_d::denorm_min(), QStringLiteral("line one\nline two\r\nend"), {1, 12, 31},
         {1, 2, 3, 4}, {2024, 6, 1, 0, 0, 0, 1}},
        {-42, 7, -lim_f::infinity(), DBL_MAX, QString(), {100, 1, 1}, {9, 9, 9, 90}, {99, 1, 1, 0, 0, 0, 0}},
        {1, 2, -FLT_MAX, -DBL_MIN, QStringLiteral("\\"), {2, 3, 4}, {5, 6, 7, 8}, {3, 4, 5, 6, 7, 8, 9}},
    };
    return rows;
}

template <typename T> bool same_bits(T a, T b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QVariant cell_value(const edge_row &e, int c)
{
    switch (c) {
    case c_i64: return QVariant(e.i64);
    case c_u64: return QVariant(e.u64);
    case c_float: return QVariant(e.f);
    case c_double: return QVariant(e.d);
    case c_string: return QVariant(e.s);
    case c_date: return QVariant::fromValue(e.date);
    case c_time: return QVariant::fromValue(e.time);
    default: return QVariant::fromValue(e.dt);
    }
}

// Why a loaded value is not the row's value bit for bit; empty when it is.
QString differs(const QVariant &got, const edge_row &e, int c)
{
    bool same = false;
    switch (c) {
    case c_i64: same = got.toLongLong() == e.i64; break;
    case c_u64: same = got.toULongLong() == e.u64; break;
    case c_float: same = got.userType() == QMetaType::Float && (std::isnan(e.f) ? std::isnan(got.toFloat()) : same_bits(got.toFloat(), e.f)); break;
    case c_double: same = std::isnan(e.d) ? std::isnan(got.toDouble()) : same_bits(got.toDouble(), e.d); break;
    case c_string: same = got.userType() == QMetaType::QString && got.toString() == e.s; break;
    case c_date: same = got.value<mem::date>() == e.date; break;
    case c_time: same = got.value<mem::time>() == e.time; break;
    default: same = got.value<mem::date_time>() == e.dt; break;
    }
    if (same)
        return QString();
    return QStringLiteral("column %1: got '%2'").arg(c).arg(got.toString());
}

// Types the text into the cell's editor as the grid would open it; the string editor is a
// line edit, so a text with a line break is put in as a value.
bool type_into(data_view &v, int row, int c, const QVariant &value)
{
    tab_data_model *m = v.data_model();
    const QModelIndex at = m->index(row, c);
    if (c == c_string && value.toString().contains(QLatin1Char('\n')))
        return m->setData(at, value);
    auto *d = qobject_cast<item_dlgt *>(v.grid()->itemDelegateForColumn(c));
    if (!d)
        return false;
    QStyleOptionViewItem opt;
    std::unique_ptr<QWidget> editor(d->createEditor(v.grid()->viewport(), opt, at));
    d->setEditorData(editor.get(), at);
    const value_kind k = d->value_kind();
    if (auto *le = qobject_cast<QLineEdit *>(editor.get())) {
        const QString text = is_temporal(k) ? d->display_text(value) : value_text::plain_text(value, k);
        le->selectAll();
        le->del();
        bool plain = true;
        for (QChar ch : text)
            plain = plain && ch.unicode() >= 0x20 && ch.unicode() < 0x7f;
        // Keys for what a keyboard types; other characters arrive as input-method text does.
        if (plain)
            QTest::keyClicks(le, text);
        else
            le->insert(text);
    } else {
        // The date/time entry takes its value as a whole.
        auto *dt = qobject_cast<date_time_wt *>(editor.get());
        if (!dt)
            return false;
        dt->set_variant(value);
    }
    d->setModelData(editor.get(), m, at);
    return true;
}
} // namespace

class test_data_view_fidelity : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

    void check_loaded(data_view &v, const QList<edge_row> &want)
    {
        tab_data_model *m = v.data_model();
        QCOMPARE(m->rowCount(), want.size());
        for (int r = 0; r < want.size(); ++r)
            for (int c = 1; c < col_count; ++c) {
                const QString why = differs(m->data(m->index(r, c), Qt::EditRole), want[r], c);
                QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("row %1 ").arg(r) + why));
            }
    }

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create f a i64 b u64 c float d double e string g date h time k datetime"));
    }
    void cleanupTestCase() { srv.reset(); }

    void edge_values_survive_push_update_and_reload()
    {
        const QList<edge_row> rows = edge_rows();
        data_view v("f", srv->link());
        QVERIFY(srv->settle());
        v.set_progress_delay(std::numeric_limits<int>::max());
        QPushButton *add = v.findChild<QPushButton *>(QStringLiteral("add_btn"));
        QPushButton *apply = v.findChild<QPushButton *>(QStringLiteral("apply_btn"));
        tab_data_model *m = v.data_model();
        for (int r = 0; r < rows.size(); ++r) {
            add->click();
            QVERIFY(m->setData(m->index(r, 0), QVariant::fromValue(mem::date_time{2021, 5, 6, 7, 8, uint8_t(r + 1), 0})));
            for (int c = 1; c < col_count; ++c)
                QVERIFY(type_into(v, r, c, cell_value(rows[r], c)));
        }
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 1; c < col_count; ++c) {
                const QString why = differs(m->data(m->index(r, c), Qt::EditRole), rows[r], c);
                QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("typed row %1 ").arg(r) + why));
            }
        modal_seam::script s;
        apply->click();
        QVERIFY(srv->settle());
        QVERIFY2(s.shown.empty(), qPrintable(s.last_text()));
        QVERIFY(!apply->isEnabled());
        check_loaded(v, rows);

        // Every row takes the next row's values: updates of each kind.
        QList<edge_row> turned = rows;
        std::rotate(turned.begin(), turned.begin() + 1, turned.end());
        for (int r = 0; r < turned.size(); ++r)
            for (int c = 1; c < col_count; ++c)
                QVERIFY(type_into(v, r, c, cell_value(turned[r], c)));
        QVERIFY(apply->isEnabled());
        apply->click();
        QVERIFY(srv->settle());
        QVERIFY2(s.shown.empty(), qPrintable(s.last_text()));
        check_loaded(v, turned);

        // A window opened afresh reads the same.
        data_view again("f", srv->link());
        QVERIFY(srv->settle());
        check_loaded(again, turned);
    }

    void editors_left_alone_change_nothing()
    {
        data_view v("f", srv->link());
        QVERIFY(srv->settle());
        tab_data_model *m = v.data_model();
        QVERIFY(m->rowCount() > 0);
        QStyleOptionViewItem opt;
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 1; c < col_count; ++c) {
                auto *d = qobject_cast<item_dlgt *>(v.grid()->itemDelegateForColumn(c));
                const QModelIndex at = m->index(r, c);
                std::unique_ptr<QWidget> editor(d->createEditor(v.grid()->viewport(), opt, at));
                d->setEditorData(editor.get(), at);
                d->setModelData(editor.get(), m, at);
                QVERIFY2(m->changed_count() == 0, qPrintable(QStringLiteral("row %1 column %2").arg(r).arg(c)));
            }
        QVERIFY(!v.findChild<QPushButton *>(QStringLiteral("apply_btn"))->isEnabled());
    }
};

QTEST_MAIN(test_data_view_fidelity)
#include "test_data_view_fidelity.moc"
