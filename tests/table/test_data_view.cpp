// The data view against the development server's demo tables: its form, the "view" commands
// the form makes, the context actions and their filters, added rows, the display modes, Apply
// (the question, the reload, the failure and cancel reports) and the export of the view.
#include "common/modal_seam.h"
#include "db/cmd_builders.h"
#include "support/mem_time.h"
#include "table/data_view.h"
#include "table/datetime_edit.h"
#include "table/fld_wt.h"
#include "table/import_csv_dlg.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <future>

namespace mem = ox::db::mem;

namespace {
template <typename T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qWarning("no child %s", name);
    return c;
}

QString dt_text(const mem::date_time &v) { return mem::to_text(v); }

QVariant tp(int second)
{
    return QVariant::fromValue(mem::date_time{2023, 3, 4, 5, 6, uint8_t(second), 0});
}

// Every field of a list widget unchecked, one by one.
void uncheck_all(fld_wt *f)
{
    for (int i = 0; i < f->list()->count(); ++i)
        f->list()->item(i)->setCheckState(Qt::Unchecked);
}
} // namespace

class test_data_view : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;
    mem::date_time first_, last_;

    // Table w (n i32, s string) with the given values at seconds 1, 2, ...
    void fill_w(const QList<int> &values)
    {
        QVERIFY(srv->run("truncate w"));
        for (int i = 0; i < values.size(); ++i)
            QVERIFY(srv->run("push into w n s values " + QByteArray::number(values[i]) + " \"x\" at 2023-03-04 05:06:" +
                             QByteArray::number(i + 1).rightJustified(2, '0')));
    }
    QList<int> w_values()
    {
        tab_data_model m("w");
        m.load_result(*srv->exec(), "view w", 1);
        QList<int> out;
        for (int r = 0; r < m.rowCount(); ++r)
            out << m.data(m.index(r, 1), Qt::EditRole).toInt();
        return out;
    }

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>(QStringList{QStringLiteral("--demo")});
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(table_time_range(*srv->exec(), "all_types", first_, last_));
    }
    void init()
    {
        srv->run("drop w");
        QVERIFY(srv->run("create w n i32 s string"));
    }
    void cleanupTestCase() { srv.reset(); }

    void the_form_as_it_opens()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        QCOMPARE(v.windowTitle(), QStringLiteral("Form"));
        QCOMPARE(v.size(), QSize(1167, 413));
        QCOMPARE(child<QLabel>(&v, "label")->text(), QStringLiteral("name"));
        QCOMPARE(child<QLabel>(&v, "label")->font().pointSize(), 12);
        QLineEdit *name = child<QLineEdit>(&v, "table_le");
        QVERIFY(name->isReadOnly());
        QCOMPARE(name->text(), QStringLiteral("all_types"));
        QCOMPARE(child<QGroupBox>(&v, "groupBox")->title(), QStringLiteral("Number Display Mode"));
        const char *modes[] = {"nor_rb", "hex_rb", "dec_rb", "bin_rb"};
        const char *texts[] = {"Nor", "Hex", "Dec", "Bin"};
        for (int i = 0; i < 4; ++i) {
            QRadioButton *b = child<QRadioButton>(&v, modes[i]);
            QCOMPARE(b->text(), QString::fromLatin1(texts[i]));
            QCOMPARE(b->isChecked(), i == 2);
        }
        QCOMPARE(child<fld_wt>(&v, "fd_wt")->minimumSize(), QSize(500, 30));
        QCOMPARE(child<QCheckBox>(&v, "limit_cb")->text(), QStringLiteral("max k"));
        QVERIFY(child<QCheckBox>(&v, "limit_cb")->isChecked());
        QSpinBox *limit = child<QSpinBox>(&v, "limit_sb");
        QCOMPARE(limit->minimum(), 1);
        QCOMPARE(limit->maximum(), 999999999);
        QCOMPARE(limit->value(), 10);
        QCOMPARE(child<QLabel>(&v, "label_2")->text(), QStringLiteral("Begin Time"));
        QCOMPARE(child<QLabel>(&v, "label_3")->text(), QStringLiteral("End   Time"));
        for (const char *n : {"s_dtm", "e_dtm"}) {
            date_time_wt *d = child<date_time_wt>(&v, n);
            // 200 to 235 wide, or as wide as the date and the longest time need.
            QVERIFY(d->minimumWidth() >= 200);
            QVERIFY(d->maximumWidth() >= qMax(235, d->minimumWidth()));
            QCOMPARE(d->height(), 23);
        }
        QCOMPARE(child<date_time_wt>(&v, "s_dtm")->value(), first_);
        QCOMPARE(child<date_time_wt>(&v, "e_dtm")->value(), last_);
        QCOMPARE(child<QPushButton>(&v, "add_btn")->text(), QStringLiteral("+"));
        QCOMPARE(child<QPushButton>(&v, "export_btn")->text(), QStringLiteral("export"));
        QCOMPARE(child<QPushButton>(&v, "export_btn")->maximumWidth(), 75);
        QCOMPARE(child<QPushButton>(&v, "apply_btn")->text(), QStringLiteral("Apply"));
        QVERIFY(!child<QPushButton>(&v, "apply_btn")->isEnabled());
        QCOMPARE(child<QPushButton>(&v, "cancel_btn")->text(), QStringLiteral("Cancel"));

        QTableView *dv = child<QTableView>(&v, "dv");
        QCOMPARE(dv, v.grid());
        QVERIFY(dv->styleSheet().startsWith(QStringLiteral("QTableView#dv { background-color: rgb(250, 250, 255);\nborder:1px")));
        QVERIFY(dv->isSortingEnabled());
        QVERIFY(dv->horizontalHeader()->sectionsMovable());
        QCOMPARE(int(dv->selectionMode()), int(QAbstractItemView::ExtendedSelection));
        QCOMPARE(int(dv->editTriggers()), int(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                              QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed));

        // Every field but the time point, checked, in the table's order.
        fld_wt *f = child<fld_wt>(&v, "fd_wt");
        QCOMPARE(f->list()->count(), 14);
        QCOMPARE(f->list()->item(0)->text(), QStringLiteral("v_i08"));
        QCOMPARE(f->checked_fields().size(), 14);
        QVERIFY(f->shown_text().startsWith(QStringLiteral("v_i08|v_u08|")));

        // The first ten rows of the whole table, each column with its type's delegate.
        QCOMPARE(v.data_model()->rowCount(), 10);
        QCOMPARE(v.data_model()->columnCount(), 15);
        for (int c = 0; c < 15; ++c)
            QCOMPARE(dv->itemDelegateForColumn(c), static_cast<QAbstractItemDelegate *>(v.data_model()->delegate_of(c)));

        QCOMPARE(v.contextMenuPolicy(), Qt::ActionsContextMenu);
        const char *acts[][4] = {{"act_filter", "filter this", ":/img/filter.svg", ""},
                                 {"act_app_filter", "append filter", ":/img/app_filter.svg", ""},
                                 {"act_find", "find text", ":/img/find.svg", "Ctrl+F"},
                                 {"act_replace", "replace text", ":/img/replace.svg", "Ctrl+H"}};
        for (auto &a : acts) {
            QAction *act = v.findChild<QAction *>(QString::fromLatin1(a[0]));
            QVERIFY(act);
            QVERIFY(v.actions().contains(act));
            QCOMPARE(act->text(), QString::fromLatin1(a[1]));
            QVERIFY(!act->icon().isNull());
            QCOMPARE(act->shortcut().toString(), QString::fromLatin1(a[3]));
        }
    }

    void view_commands_follow_the_form()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        const QString range = QStringLiteral(" btw ") + dt_text(first_) + ' ' + dt_text(last_);
        QCOMPARE(QString::fromUtf8(v.view_command()),
                 QStringLiteral("view all_types v_i08 v_u08 v_i16 v_u16 v_i32 v_u32 v_i64 v_u64 v_float v_double "
                                "v_string v_date v_time v_datetime") + range + QStringLiteral(" max 10"));

        child<QSpinBox>(&v, "limit_sb")->setValue(3);
        QVERIFY(srv->settle());
        QVERIFY(v.view_command().endsWith(" max 3"));
        QCOMPARE(v.data_model()->rowCount(), 3);

        // No field checked: the name is followed by two blanks (the server then lists them all).
        uncheck_all(child<fld_wt>(&v, "fd_wt"));
        QVERIFY(srv->settle());
        QCOMPARE(QString::fromUtf8(v.view_command()), QStringLiteral("view all_types ") + range + QStringLiteral(" max 3"));
        QCOMPARE(v.data_model()->rowCount(), 3);

        // Unchecked limit: no max clause, the spin box off, every row of the range.
        QCheckBox *limit = child<QCheckBox>(&v, "limit_cb");
        limit->setChecked(false);
        QVERIFY(srv->settle());
        QVERIFY(!child<QSpinBox>(&v, "limit_sb")->isEnabled());
        QCOMPARE(QString::fromUtf8(v.view_command()), QStringLiteral("view all_types ") + range);
        QCOMPARE(v.data_model()->rowCount(), 50);
        limit->setChecked(true);
        QVERIFY(srv->settle());
        QVERIFY(child<QSpinBox>(&v, "limit_sb")->isEnabled());

        // One field back, and a narrower range: the grid follows each change.
        child<fld_wt>(&v, "fd_wt")->list()->item(9)->setCheckState(Qt::Checked);
        QVERIFY(srv->settle());
        QVERIFY(v.view_command().startsWith("view all_types v_double btw "));
        QCOMPARE(v.data_model()->columnCount(), 2);
        // Two hours on, across midnight too (the demo's times follow the clock).
        const QDateTime later = QDateTime(QDate(first_.year, first_.month, first_.day),
                                          QTime(first_.hour, first_.minute, first_.second)).addSecs(2 * 3600);
        const mem::date_time third{uint16_t(later.date().year()), uint8_t(later.date().month()), uint8_t(later.date().day()),
                                   uint8_t(later.time().hour()), uint8_t(later.time().minute()),
                                   uint8_t(later.time().second()), first_.nanos};
        child<date_time_wt>(&v, "e_dtm")->set_value(third);
        QVERIFY(srv->settle());
        QVERIFY(v.view_command().contains(" " + dt_text(third).toUtf8() + " max 3"));
        QCOMPARE(v.data_model()->rowCount(), 3);
        child<date_time_wt>(&v, "s_dtm")->set_value(third);
        QVERIFY(srv->settle());
        QCOMPARE(v.data_model()->rowCount(), 1);

        // The export lists the fields and the limit, never the range.
        QCOMPARE(v.export_command(), QByteArray("view all_types v_double max 3"));
        limit->setChecked(false);
        QVERIFY(srv->settle());
        QCOMPARE(v.export_command(), QByteArray("view all_types v_double"));
    }

    // Unchecking "max k" loads every row: past a quarter of the memory it asks first, naming
    // the rows and the memory; No (the default) keeps the limit.
    void every_row_only_when_it_fits_data()
    {
        QTest::addColumn<qulonglong>("memory");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("all_rows");
        QTest::newRow("fits") << qulonglong(1) << 0 << false << true; // 1: set below in GiB
        QTest::newRow("too big, no") << qulonglong(16384) << int(QMessageBox::No) << true << false;
        QTest::newRow("too big, yes") << qulonglong(16384) << int(QMessageBox::Yes) << true << true;
    }
    void every_row_only_when_it_fits()
    {
        QFETCH(qulonglong, memory);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, all_rows);
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        v.set_machine_memory(memory == 1 ? qulonglong(1) << 30 : memory);
        modal_seam::script s;
        s.push_button(QMessageBox::StandardButton(answer));
        QCheckBox *limit = child<QCheckBox>(&v, "limit_cb");
        limit->setChecked(false);
        QVERIFY(srv->settle());
        QCOMPARE(!s.shown.empty(), asked);
        if (asked) {
            QCOMPARE(s.shown[0].title, QStringLiteral("load every row"));
            QCOMPARE(s.shown[0].default_button, QMessageBox::No);
            QVERIFY2(s.shown[0].text.startsWith(QStringLiteral("Table 'all_types' has 50 rows. Loading them all takes about ")),
                     qPrintable(s.shown[0].text));
            QVERIFY2(s.shown[0].text.contains(QStringLiteral("of this machine's 16.0 kB")), qPrintable(s.shown[0].text));
        }
        QCOMPARE(limit->isChecked(), !all_rows);
        QCOMPARE(child<QSpinBox>(&v, "limit_sb")->isEnabled(), !all_rows);
        QCOMPARE(v.view_command().contains(" max "), !all_rows);
        QCOMPARE(v.data_model()->rowCount(), all_rows ? 50 : 10);
    }

    void a_fraction_of_a_second_goes_into_the_range()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        child<date_time_wt>(&v, "s_dtm")->set_value(mem::date_time{1, 2, 3, 4, 5, 6, 1});
        QVERIFY(srv->settle());
        QVERIFY(v.view_command().contains(" btw 0001-02-03 04:05:06.000000001 "));
    }

    void filter_this_only_in_the_first_column()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        QAction *filter = v.findChild<QAction *>(QStringLiteral("act_filter"));
        QAction *append = v.findChild<QAction *>(QStringLiteral("act_app_filter"));
        QVERIFY(!filter->isVisible());
        v.grid()->setCurrentIndex(v.data_model()->index(4, 3));
        QVERIFY(!filter->isVisible());
        QVERIFY(append->isVisible());
        v.grid()->setCurrentIndex(v.data_model()->index(4, 0));
        QVERIFY(filter->isVisible());

        const mem::date_time when = v.data_model()->data(v.data_model()->index(4, 0), Qt::EditRole).value<mem::date_time>();
        filter->trigger();
        QVERIFY(srv->settle());
        QCOMPARE(child<date_time_wt>(&v, "s_dtm")->value(), when);
        QCOMPARE(child<date_time_wt>(&v, "e_dtm")->value(), when);
        QCOMPARE(v.data_model()->rowCount(), 1);
        QCOMPARE(v.data_model()->data(v.data_model()->index(0, 0), Qt::EditRole).value<mem::date_time>(), when);
        // The reload leaves no current cell: nothing to filter by.
        QVERIFY(!filter->isVisible());
    }

    void append_filter_widens_the_range_to_the_row()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        const mem::date_time second = v.data_model()->data(v.data_model()->index(1, 0), Qt::EditRole).value<mem::date_time>();
        const mem::date_time sixth = v.data_model()->data(v.data_model()->index(5, 0), Qt::EditRole).value<mem::date_time>();
        child<date_time_wt>(&v, "s_dtm")->set_value(sixth);
        QVERIFY(srv->settle());
        child<date_time_wt>(&v, "e_dtm")->set_value(sixth);
        QVERIFY(srv->settle());
        QCOMPARE(v.data_model()->rowCount(), 1);
        // Back to a wider view to pick an earlier row, then narrow again around the sixth.
        child<date_time_wt>(&v, "s_dtm")->set_value(first_);
        QVERIFY(srv->settle());
        v.grid()->setCurrentIndex(v.data_model()->index(1, 2));
        child<date_time_wt>(&v, "s_dtm")->blockSignals(true);
        child<date_time_wt>(&v, "s_dtm")->set_value(sixth);
        child<date_time_wt>(&v, "s_dtm")->blockSignals(false);
        v.findChild<QAction *>(QStringLiteral("act_app_filter"))->trigger();
        QVERIFY(srv->settle());
        QCOMPARE(child<date_time_wt>(&v, "s_dtm")->value(), second);
        QCOMPARE(child<date_time_wt>(&v, "e_dtm")->value(), sixth);
        QCOMPARE(v.data_model()->rowCount(), 5);
    }

    void search_actions_need_rows()
    {
        QVERIFY(srv->run("truncate w"));
        data_view empty("w", srv->link());
        QVERIFY(srv->settle());
        QCOMPARE(empty.data_model()->rowCount(), 0);
        QVERIFY(!empty.findChild<QAction *>(QStringLiteral("act_find"))->isVisible());
        QVERIFY(!empty.findChild<QAction *>(QStringLiteral("act_replace"))->isVisible());
        // An added row is something to search.
        child<QPushButton>(&empty, "add_btn")->click();
        QVERIFY(srv->settle());
        QVERIFY(empty.findChild<QAction *>(QStringLiteral("act_find"))->isVisible());

        data_view v("all_types", srv->link());

        QVERIFY(srv->settle());
        QVERIFY(v.findChild<QAction *>(QStringLiteral("act_find"))->isVisible());
        v.findChild<QAction *>(QStringLiteral("act_find"))->trigger();
        QVERIFY(srv->settle());
        search_tab_dlg *dlg = v.grid()->findChild<search_tab_dlg *>();
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("find text in current table"));
        v.findChild<QAction *>(QStringLiteral("act_replace"))->trigger();
        QVERIFY(srv->settle());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("replace text in current table"));
        dlg->close();
    }

    void display_modes_change_texts_only()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        tab_data_model *m = v.data_model();
        QList<QVariant> values;
        QStringList texts;
        for (int c = 0; c < m->columnCount(); ++c) {
            values << m->data(m->index(1, c), Qt::EditRole);
            texts << m->data(m->index(1, c)).toString();
        }
        // Row 1 of all_types: i08 -5.
        QCOMPARE(texts[1], QStringLiteral("-5"));
        child<QRadioButton>(&v, "hex_rb")->setChecked(true);
        QVERIFY(srv->settle());
        QCOMPARE(m->data(m->index(1, 1)).toString(), QStringLiteral("-0x05"));
        child<QRadioButton>(&v, "bin_rb")->setChecked(true);
        QVERIFY(srv->settle());
        QCOMPARE(m->data(m->index(1, 1)).toString(), QStringLiteral("-0b00000101"));
        QCOMPARE(m->data(m->index(1, 2)).toString(), QStringLiteral("0b0000 0101"));
        child<QRadioButton>(&v, "nor_rb")->setChecked(true);
        QVERIFY(srv->settle());
        QCOMPARE(m->data(m->index(1, 1)).toString(), QStringLiteral("-0x05u1"));
        QCOMPARE(m->display_mode(), value_text::display_mode::typed);
        for (int c = 0; c < m->columnCount(); ++c)
            QCOMPARE(m->data(m->index(1, c), Qt::EditRole), values[c]);
        QCOMPARE(m->changed_count(), 0);
        QVERIFY(!child<QPushButton>(&v, "apply_btn")->isEnabled());
        child<QRadioButton>(&v, "dec_rb")->setChecked(true);
        QVERIFY(srv->settle());
        for (int c = 0; c < m->columnCount(); ++c)
            QCOMPARE(m->data(m->index(1, c)).toString(), texts[c]);
    }

    void added_rows_go_out_and_come_back()
    {
        QVERIFY(srv->run("truncate w"));
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        // An empty table has no range of its own: the range takes in any row added here.
        QCOMPARE(v.data_model()->rowCount(), 0);
        QPushButton *apply = child<QPushButton>(&v, "apply_btn");
        v.grid()->setCurrentIndex(QModelIndex());
        const QDateTime before = QDateTime::currentDateTime();
        child<QPushButton>(&v, "add_btn")->click();
        const QDateTime after = QDateTime::currentDateTime();
        QVERIFY(srv->settle());
        QCOMPARE(v.data_model()->rowCount(), 1);
        QCOMPARE(v.grid()->currentIndex(), v.data_model()->index(0, 0));
        // Without rows of its own the table's new row starts now, not in some other year.
        const auto added = v.data_model()->data(v.data_model()->index(0, 0), Qt::EditRole).value<mem::date_time>();
        const QDateTime added_at(QDate(added.year, added.month, added.day),
                                 QTime(added.hour, added.minute, added.second, int(added.nanos / 1000000)));
        QVERIFY2(before <= added_at && added_at <= after, qPrintable(dt_text(added)));
        QVERIFY(apply->isEnabled());
        v.grid()->setCurrentIndex(v.data_model()->index(0, 2));
        child<QPushButton>(&v, "add_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(v.grid()->currentIndex(), v.data_model()->index(1, 2));
        tab_data_model *m = v.data_model();
        QVERIFY(m->setData(m->index(0, 0), tp(1)));
        QVERIFY(m->setData(m->index(0, 1), 7));
        QVERIFY(m->setData(m->index(1, 0), tp(2)));
        QVERIFY(m->setData(m->index(1, 2), QStringLiteral("b")));
        modal_seam::script s;
        apply->click();
        QVERIFY(srv->settle());
        QVERIFY(s.shown.empty());
        QVERIFY(!apply->isEnabled());
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->new_count(), 0);
        QCOMPARE(m->data(m->index(0, 1), Qt::EditRole).toInt(), 7);
        QCOMPARE(m->data(m->index(1, 2), Qt::EditRole).toString(), QStringLiteral("b"));
    }

    // A row added beside others starts where the range ends; "max k" runs once typing pauses,
    // or at once on Return.
    void added_row_time_and_typed_limit()
    {
        fill_w({1, 2, 3});
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        child<QPushButton>(&v, "add_btn")->click();
        tab_data_model *m = v.data_model();
        QCOMPARE(m->data(m->index(3, 0), Qt::EditRole), QVariant::fromValue(child<date_time_wt>(&v, "e_dtm")->value()));
        QCOMPARE(dt_text(child<date_time_wt>(&v, "e_dtm")->value()), QStringLiteral("2023-03-04 05:06:03"));
        modal_seam::script s;
        s.push_button(QMessageBox::No); // the new view drops the added row

        QSpinBox *limit = child<QSpinBox>(&v, "limit_sb");
        QSignalSpy loaded(&v, &data_view::loaded);
        limit->selectAll();
        QTest::keyClicks(limit, QStringLiteral("1000"));
        QVERIFY(!v.busy()); // no view per digit
        QVERIFY(loaded.wait());
        QVERIFY(v.view_command().endsWith(" max 1000"));
        QCOMPARE(m->rowCount(), 3);
        limit->selectAll();
        QTest::keyClicks(limit, QStringLiteral("2"));
        QTest::keyClick(limit, Qt::Key_Return);
        QVERIFY(v.busy());
        QVERIFY(srv->settle());
        QCOMPARE(m->rowCount(), 2);
    }

    void apply_reloads_after_a_failed_command_and_tells_it()
    {
        fill_w({1, 2});
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        tab_data_model *m = v.data_model();
        QCOMPARE(m->rowCount(), 2);
        QVERIFY(m->setData(m->index(0, 1), 10));
        QVERIFY(m->setData(m->index(1, 2), QStringLiteral("gone")));
        QVERIFY(child<QPushButton>(&v, "apply_btn")->isEnabled());
        // Behind the window's back the string field becomes a number: the second update fails.
        QVERIFY(srv->run("drop w"));
        QVERIFY(srv->run("create w n i32 s i32"));
        QVERIFY(srv->run("push into w n s values 1 0 at 2023-03-04 05:06:01"));
        QVERIFY(srv->run("push into w n s values 2 0 at 2023-03-04 05:06:02"));
        modal_seam::script s;
        child<QPushButton>(&v, "apply_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(int(s.shown.size()), 1);
        QCOMPARE(s.last_title(), QStringLiteral("apply result"));
        const QString text = s.last_text();
        QVERIFY2(text.startsWith(QStringLiteral("apply changes to table 'w' is failed!\n1 of 2 commands went to the server.\n"
                                                "This command failed: update w set s \"gone\" at 2023-03-04 05:06:02\n"
                                                "The changes that did not go are dropped by the reload.")),
                 qPrintable(text));
        QVERIFY(!child<QPushButton>(&v, "apply_btn")->isEnabled());
        QCOMPARE(m->changed_count(), 0);
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->data(m->index(0, 1), Qt::EditRole).toInt(), 10);
        QCOMPARE(m->data(m->index(1, 2), Qt::EditRole).toInt(), 0);
    }

    void no_to_the_shared_time_point_question_sends_nothing()
    {
        QVERIFY(srv->run("truncate w"));
        QVERIFY(srv->run("push into w n s values 1 \"a\" at 2023-03-04 05:06:01"));
        QVERIFY(srv->run("push into w n s values 2 \"b\" at 2023-03-04 05:06:01"));
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        tab_data_model *m = v.data_model();
        QVERIFY(m->setData(m->index(0, 1), 5));
        modal_seam::script s;
        s.push_button(QMessageBox::No);
        child<QPushButton>(&v, "apply_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(int(s.shown.size()), 1);
        QCOMPARE(s.shown[0].default_button, QMessageBox::No);
        QCOMPARE(m->changed_count(), 1);
        QVERIFY(child<QPushButton>(&v, "apply_btn")->isEnabled());
        QCOMPARE(w_values(), (QList<int>{1, 2}));
    }

    void a_sorted_grid_sends_in_the_order_it_shows()
    {
        fill_w({1, 2, 3});
        QVERIFY(srv->run("push into w n s values 4 \"y\" at 2023-03-04 05:06:02"));
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        tab_data_model *m = v.data_model();
        v.grid()->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(m->data(m->index(0, 1), Qt::EditRole).toInt(), 4);
        QVERIFY(m->setData(m->index(3, 1), 10)); // n 1, its own time point
        QVERIFY(m->setData(m->index(0, 1), 40)); // n 4, shares 05:06:02 with n 2
        QCOMPARE(m->pending_commands(),
                 (QList<QByteArray>{"update w set n 40 at 2023-03-04 05:06:02", "update w set n 10 at 2023-03-04 05:06:01"}));
        const auto shared = m->shared_time_point_updates();
        QCOMPARE(shared.size(), 1);
        QCOMPARE(shared[0].row, 0);
        QCOMPARE(shared[0].rows_changed, 2);
    }

    void cancel_stops_between_commands_and_tells_it()
    {
        fill_w({1, 2, 3, 4});
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        v.set_progress_delay(0);
        tab_data_model *m = v.data_model();
        for (int r = 0; r < 4; ++r)
            QVERIFY(m->setData(m->index(r, 1), 10 * (r + 1)));
        // Another window's job holds the connection: Apply waits behind it, and Cancel comes
        // before its first command.
        std::promise<void> gate;
        std::shared_future<void> open_gate = gate.get_future().share();
        srv->link()->post(nullptr, [open_gate](db_exec &) { open_gate.wait(); });
        modal_seam::script s;
        child<QPushButton>(&v, "apply_btn")->click();
        QVERIFY(v.applying());
        QProgressDialog *p = v.apply_progress();
        QVERIFY(p && p->isVisible());
        QVERIFY(p->isModal());
        // The grid is about to be replaced: it takes no edits, and Apply is not offered twice.
        QCOMPARE(int(v.grid()->editTriggers()), int(QAbstractItemView::NoEditTriggers));
        QVERIFY(!child<QPushButton>(&v, "apply_btn")->isEnabled());
        for (QAbstractButton *b : p->findChildren<QAbstractButton *>())
            b->click();
        gate.set_value();
        QVERIFY(srv->settle());
        QVERIFY(!v.applying());
        QVERIFY(!v.apply_progress());
        QCOMPARE(int(s.shown.size()), 1);
        QVERIFY2(s.last_text().startsWith(QStringLiteral("apply changes to table 'w' is cancelled!\n0 of 4 commands went")),
                 qPrintable(s.last_text()));
        QVERIFY(!child<QPushButton>(&v, "apply_btn")->isEnabled());
        QVERIFY(v.grid()->editTriggers() != QAbstractItemView::NoEditTriggers);
        QCOMPARE(w_values(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(m->data(m->index(1, 1), Qt::EditRole).toInt(), 2);
    }

    void the_progress_waits_a_second()
    {
        // Counts the progress dialogs shown, whether or not the event loop runs meanwhile.
        struct show_counter : QObject {
            int shown = 0;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                shown += e->type() == QEvent::Show && qobject_cast<QProgressDialog *>(o);
                return false;
            }
        } counter;
        qApp->installEventFilter(&counter);
        fill_w({1, 2, 3});
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        for (int r = 0; r < 3; ++r)
            QVERIFY(v.data_model()->setData(v.data_model()->index(r, 1), 9));
        child<QPushButton>(&v, "apply_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(counter.shown, 0);
        QCOMPARE(w_values(), (QList<int>{9, 9, 9}));
        v.set_progress_delay(0);
        QVERIFY(v.data_model()->setData(v.data_model()->index(0, 1), 8));
        child<QPushButton>(&v, "apply_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(counter.shown, 1);
        qApp->removeEventFilter(&counter);
    }

    void export_ignores_the_range_and_keeps_the_limit()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        child<QSpinBox>(&v, "limit_sb")->setValue(4);
        QVERIFY(srv->settle());
        child<date_time_wt>(&v, "s_dtm")->set_value(last_);
        QVERIFY(srv->settle());
        QCOMPARE(v.data_model()->rowCount(), 1);
        modal_seam::script s;
        QString preset;
        s.on_dialog = [&](QDialog *d) {
            auto *dlg = qobject_cast<import_csv_dlg *>(d);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("export view data"));
            preset = dlg->path();
            dlg->set_path(QStringLiteral("view4.csv"));
        };
        s.push_result(QDialog::Accepted);
        child<QPushButton>(&v, "export_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(preset, QStringLiteral("all_types.csv"));
        QCOMPARE(s.last_title(), QStringLiteral("export table result"));
        QCOMPARE(s.last_text(), QStringLiteral("export table 'all_types' to file 'view4.csv' is successful!"));
        QFile server_file(srv->data_dir() + QStringLiteral("/view4.csv"));
        QVERIFY(server_file.open(QIODevice::ReadOnly));
        const QByteArray server_text = server_file.readAll();
        QCOMPARE(server_text.count('\n'), 5);

        // Written here: the same file.
        QTemporaryDir dir;
        const QString local = dir.filePath(QStringLiteral("view4.csv"));
        s.on_dialog = [&](QDialog *d) {
            auto *dlg = qobject_cast<import_csv_dlg *>(d);
            dlg->findChild<QGroupBox *>(QStringLiteral("s_gb"))->setChecked(false);
            dlg->findChild<QGroupBox *>(QStringLiteral("c_gb"))->setChecked(true);
            dlg->set_path(local);
        };
        s.push_result(QDialog::Accepted);
        child<QPushButton>(&v, "export_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(s.last_text(), QStringLiteral("export table 'all_types' to file '%1' is successful!").arg(local));
        QFile local_file(local);
        QVERIFY(local_file.open(QIODevice::ReadOnly));
        QCOMPARE(local_file.readAll(), server_text);

        // A second export to the same file without leave to replace it fails, and says so.
        s.push_result(QDialog::Accepted);
        child<QPushButton>(&v, "export_btn")->click();
        QVERIFY(srv->settle());
        QVERIFY(s.last_text().startsWith(QStringLiteral("export table 'all_types' to file '%1' is failed!\n").arg(local)));
    }

    // A view without rows has no values to tell its columns' kinds: written here, the file is
    // still the one the server writes.
    void export_of_an_empty_view_written_here()
    {
        QVERIFY(srv->run("truncate w"));
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        QCOMPARE(v.data_model()->rowCount(), 0);
        QTemporaryDir dir;
        modal_seam::script s;
        for (const bool here : {false, true}) {
            s.on_dialog = [&](QDialog *d) {
                auto *dlg = qobject_cast<import_csv_dlg *>(d);
                dlg->findChild<QGroupBox *>(QStringLiteral("s_gb"))->setChecked(!here);
                dlg->findChild<QGroupBox *>(QStringLiteral("c_gb"))->setChecked(here);
                dlg->set_path(here ? dir.filePath(QStringLiteral("empty.csv")) : QStringLiteral("empty.csv"));
            };
            s.push_result(QDialog::Accepted);
            child<QPushButton>(&v, "export_btn")->click();
            QVERIFY(srv->settle());
            QVERIFY2(s.last_text().endsWith(QStringLiteral(" is successful!")), qPrintable(s.last_text()));
        }
        QFile server_file(srv->data_dir() + QStringLiteral("/empty.csv")), local_file(dir.filePath(QStringLiteral("empty.csv")));
        QVERIFY(server_file.open(QIODevice::ReadOnly) && local_file.open(QIODevice::ReadOnly));
        const QByteArray server_text = server_file.readAll();
        QVERIFY(server_text.startsWith("time point"));
        QCOMPARE(local_file.readAll(), server_text);
    }

    void a_new_view_asks_before_dropping_edits()
    {
        fill_w({1, 2});
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        tab_data_model *m = v.data_model();
        QSpinBox *limit = child<QSpinBox>(&v, "limit_sb");
        modal_seam::script s;

        // Cancel (the default) keeps the edit and puts the form back as the grid shows it.
        QVERIFY(m->setData(m->index(0, 1), 5));
        limit->setValue(1);
        QVERIFY(srv->settle());
        QCOMPARE(int(s.shown.size()), 1);
        QCOMPARE(s.shown[0].title, QStringLiteral("pending changes"));
        QCOMPARE(s.shown[0].default_button, QMessageBox::Cancel);
        QCOMPARE(limit->value(), 10);
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->changed_count(), 1);
        QVERIFY(child<QPushButton>(&v, "apply_btn")->isEnabled());

        // No drops it and shows the new view.
        s.push_button(QMessageBox::No);
        child<QCheckBox>(&v, "limit_cb")->setChecked(false);
        QVERIFY(srv->settle());
        QVERIFY(!v.view_command().contains(" max "));
        QCOMPARE(m->changed_count(), 0);
        QCOMPARE(w_values(), (QList<int>{1, 2}));

        // Yes applies it first, then the new view comes.
        QVERIFY(m->setData(m->index(1, 1), 7));
        s.push_button(QMessageBox::Yes);
        child<fld_wt>(&v, "fd_wt")->list()->item(1)->setCheckState(Qt::Unchecked);
        QVERIFY(srv->settle());
        QCOMPARE(m->columnCount(), 2);
        QCOMPARE(m->changed_count(), 0);
        QCOMPARE(w_values(), (QList<int>{1, 7}));
    }

    // Cancel, as every road that closes the window: Cancel (the default) keeps it, Discard
    // drops the edit, Apply sends it and then closes.
    void closing_asks_apply_discard_or_keep_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("closed");
        QTest::addColumn<QList<int>>("on_server");
        QTest::newRow("keep") << int(QMessageBox::Cancel) << 0 << QList<int>{1, 2};
        QTest::newRow("discard") << int(QMessageBox::Discard) << 1 << QList<int>{1, 2};
        QTest::newRow("apply") << int(QMessageBox::Apply) << 1 << QList<int>{1, 8};
    }
    void closing_asks_apply_discard_or_keep()
    {
        QFETCH(int, answer);
        QFETCH(int, closed);
        QFETCH(QList<int>, on_server);
        fill_w({1, 2});
        data_view v("w", srv->link());
        QVERIFY(srv->settle());
        QSignalSpy rejected(&v, &data_view::rejected);
        modal_seam::script s;
        QCOMPARE(v.may_close(), close_answer::go);
        QVERIFY(s.shown.empty());
        QVERIFY(v.data_model()->setData(v.data_model()->index(1, 1), 8));
        s.push_button(QMessageBox::StandardButton(answer));
        child<QPushButton>(&v, "cancel_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(int(s.shown.size()), 1);
        QCOMPARE(s.shown[0].title, QStringLiteral("pending changes"));
        QCOMPARE(s.shown[0].default_button, QMessageBox::Cancel);
        QVERIFY(s.shown[0].text.startsWith(QStringLiteral("1 edited or added rows of table 'w' are not applied yet.")));
        QCOMPARE(rejected.count(), closed);
        if (!closed)
            QCOMPARE(v.data_model()->changed_count(), 1);
        QCOMPARE(w_values(), on_server);
    }

    void cancel_rejects()
    {
        data_view v("all_types", srv->link());
        QVERIFY(srv->settle());
        QSignalSpy rejected(&v, &data_view::rejected);
        child<QPushButton>(&v, "cancel_btn")->click();
        QVERIFY(srv->settle());
        QCOMPARE(rejected.count(), 1);
    }
};

QTEST_MAIN(test_data_view)
#include "test_data_view.moc"
