// The grid's search and replace dialog on a loaded table: Next and Previous with the wrap-around
// question and the constraints, Find All marks, typed replacing as pending edits, refused texts,
// the "time point" column, and the find-only dialog of read-only grids.
#include "common/modal_seam.h"
#include "support/mem_time.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"
#include "table_server_helper.h"

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace mem = ox::db::mem;

namespace {

// Columns of "view st": time point, n (i32), s (string).
const int tp_col = 0, n_col = 1, s_col = 2;

struct grid {
    tab_data_model model;
    QTableView view;
    search_tab_dlg *dlg = nullptr;
    grid(db_exec *exec, bool can_replace) : model("st")
    {
        model.load_result(*exec, "view st", 1);
        view.setModel(&model);
        dlg = search_tab_dlg::of(&view, &model, can_replace);
    }
    QString text(int r, int c) const { return model.data(model.index(r, c)).toString(); }
    bool marked(int r, int c) const
    {
        return model.data(model.index(r, c), Qt::BackgroundRole).value<QColor>() == QColor(Qt::yellow);
    }
    QPoint current() const { return {view.currentIndex().row(), view.currentIndex().column()}; }
    void go(int r, int c) { view.setCurrentIndex(model.index(r, c)); }
};

} // namespace

class test_search_tab : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create st n i32 s string"));
        const char *rows[] = {
            "push into st n s values 10 \"alpha\" at 2020-01-01 00:00:00",
            "push into st n s values 20 \"beta\" at 2020-01-01 00:00:01",
            "push into st n s values 10 \"gamma alpha\" at 2020-01-01 00:00:02",
            "push into st n s values 30 \"delta\" at 2020-01-01 00:00:03",
        };
        for (const char *r : rows)
            QVERIFY2(srv->run(r), r);
    }
    void cleanupTestCase() { srv.reset(); }

    void dialog_belongs_to_its_grid()
    {
        grid g(srv->exec(), true);
        QCOMPARE(g.model.rowCount(), 4);
        QCOMPARE(g.model.time_point_column(), tp_col);
        QCOMPARE(search_tab_dlg::of(&g.view, &g.model, true), g.dlg);
        QCOMPARE(g.dlg->parent(), static_cast<QObject *>(&g.view));
        QVERIFY(!g.dlg->isModal());
        g.dlg->show_top(false);
        QCOMPARE(g.dlg->windowTitle(), QString("find text in current table"));
        QVERIFY(g.dlg->rep_le->isHidden());
        g.dlg->show_top(true);
        QCOMPARE(g.dlg->windowTitle(), QString("replace text in current table"));
        QVERIFY(!g.dlg->rep_le->isHidden());
        for (const char *name : {"mode_gb_2", "row_rb", "col_rb", "none_rb", "mode_gb", "target_le", "rep_all_pb"})
            QVERIFY2(g.dlg->findChild<QWidget *>(name), name);
        QVERIFY(!g.dlg->findChild<QWidget *>("os_cb"));
        QVERIFY(g.dlg->none_rb->isChecked());
    }

    void find_all_marks_and_clear_select_unmarks()
    {
        grid g(srv->exec(), true);
        g.dlg->target_le->setText("ALPHA");
        modal_seam::script s;
        g.dlg->search_all();
        QCOMPARE(s.last_title(), QString("search result"));
        QCOMPARE(s.last_text(), QString("the string 'ALPHA' found 2 times."));
        QVERIFY(g.marked(0, s_col) && g.marked(2, s_col));
        QVERIFY(!g.marked(1, s_col) && !g.marked(0, n_col));
        g.dlg->clear_select();
        QVERIFY(!g.marked(0, s_col) && !g.marked(2, s_col));
        // A second Find All replaces the marks of the first; closing the dialog removes them.
        g.dlg->search_all();
        g.dlg->target_le->setText("beta");
        g.dlg->search_all();
        QVERIFY(!g.marked(0, s_col) && g.marked(1, s_col));
        g.dlg->reject();
        QVERIFY(!g.marked(1, s_col));
        // Match Word: "alpha" stands alone in both cells, "alph" in neither.
        g.dlg->mw_cb->setChecked(true);
        g.dlg->target_le->setText("alph");
        g.dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string 'alph' not found."));
    }

    void next_and_previous_move_the_current_cell_and_wrap()
    {
        grid g(srv->exec(), true);
        g.dlg->target_le->setText("alpha");
        modal_seam::script s;
        g.dlg->next();
        QCOMPARE(g.current(), QPoint(0, s_col));
        g.dlg->next();
        QCOMPARE(g.current(), QPoint(2, s_col));
        s.push_button(QMessageBox::No);
        g.dlg->next();
        QCOMPARE(s.last_title(), QString("next search result"));
        QCOMPARE(s.last_text(), QString("the string 'alpha' not found. continue from begin?"));
        QCOMPARE(g.current(), QPoint(2, s_col));
        s.push_button(QMessageBox::Yes);
        g.dlg->next();
        QCOMPARE(g.current(), QPoint(0, s_col));
        // Previous from the first hit asks about the end; Yes goes to the last hit.
        g.dlg->target_changed(g.dlg->target());
        s.push_button(QMessageBox::Yes);
        g.dlg->prev();
        QCOMPARE(s.last_text(), QString("the string 'alpha' not found. continue from end?"));
        QCOMPARE(g.current(), QPoint(2, s_col));
        g.dlg->prev();
        QCOMPARE(g.current(), QPoint(0, s_col));
        s.push_button(QMessageBox::No);
        g.dlg->target_changed(g.dlg->target());
        g.dlg->prev();
        QCOMPARE(g.current(), QPoint(0, s_col));
        QCOMPARE(s.last_title(), QString("previous search result"));
    }

    void constraints_limit_to_the_current_row_or_column()
    {
        grid g(srv->exec(), true);
        modal_seam::script s;
        // Row 1 holds no "alpha": Next stays in the row, asks, and reports it once.
        g.go(1, n_col);
        g.dlg->row_rb->setChecked(true);
        g.dlg->target_le->setText("alpha");
        s.push_button(QMessageBox::Yes);
        g.dlg->next();
        QCOMPARE((QStringList{s.shown[0].title, s.shown[1].title}),
                 (QStringList{"next search result", "next research result"}));
        QCOMPARE(g.current(), QPoint(1, n_col));
        // Column: the next "10" below, then around to the top.
        g.dlg->col_rb->setChecked(true);
        g.go(0, n_col);
        g.dlg->target_le->setText("10");
        g.dlg->next();
        QCOMPARE(g.current(), QPoint(2, n_col));
        s.push_button(QMessageBox::Yes);
        g.dlg->next();
        QCOMPARE(g.current(), QPoint(0, n_col));
        g.dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string '10' found 2 times."));
        // Nothing outside the column: the time point "2020-01-01 00:00:00" holds "0" too.
        g.dlg->target_le->setText("0");
        g.dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string '0' found 4 times."));
        QVERIFY(!g.marked(0, tp_col));
    }

    void replace_writes_pending_edits_only()
    {
        grid g(srv->exec(), true);
        g.dlg->show_top(true);
        QSignalSpy changed(&g.model, &tab_data_model::changed);
        g.dlg->target_le->setText("10");
        g.dlg->rep_le->setText("15");
        modal_seam::script s;
        g.dlg->replace_all();
        QCOMPARE(s.last_title(), QString("replace result"));
        QCOMPARE(s.last_text(), QString("the string '10' 2 times replaced."));
        QCOMPARE(g.model.data(g.model.index(0, n_col), Qt::EditRole), QVariant(15));
        QCOMPARE(g.model.data(g.model.index(2, n_col), Qt::EditRole), QVariant(15));
        QCOMPARE(g.model.changed_count(), 2);
        QCOMPARE(changed.count(), 1);
        QVERIFY(changed.at(0).at(0).toBool());
        QVERIFY(g.model.data(g.model.index(0, n_col), Qt::FontRole).value<QFont>().italic());
        QCOMPARE(g.model.data(g.model.index(0, n_col), Qt::BackgroundRole).value<QColor>(), QColor(Qt::darkGreen));
        QCOMPARE(g.model.pending_commands().size(), 2);
        // Nothing went to the server.
        grid fresh(srv->exec(), true);
        QCOMPARE(fresh.text(0, n_col), QString("10"));

        // Replace: the current cell, then on to the next hit.
        g.dlg->target_le->setText("a");
        g.dlg->rep_le->setText("A");
        g.dlg->col_rb->setChecked(true);
        g.go(1, s_col);
        g.dlg->replace();
        QCOMPARE(g.text(1, s_col), QString("betA"));
        QCOMPARE(g.current(), QPoint(2, s_col));
        g.dlg->replace();
        QCOMPARE(g.text(2, s_col), QString("gAmmA AlphA"));
        QCOMPARE(g.current(), QPoint(3, s_col));
    }

    void a_text_the_column_cannot_take_is_refused()
    {
        grid g(srv->exec(), true);
        g.dlg->show_top(true);
        g.dlg->col_rb->setChecked(true);
        g.go(0, n_col);
        g.dlg->target_le->setText("10");
        g.dlg->rep_le->setText("ten");
        modal_seam::script s;
        g.dlg->replace();
        QCOMPARE(s.shown.size(), std::size_t(1));
        QCOMPARE(s.shown[0].what, modal_seam::kind::warning);
        QCOMPARE(s.last_text(), QString("the text 'ten' is not a valid i32 value (row 1, column 'n'); nothing is replaced."));
        QCOMPARE(g.text(0, n_col), QString("10"));
        QCOMPARE(g.current(), QPoint(0, n_col));
        // Replace All is all or nothing: "x0" fits no cell of n, so no cell changes at all.
        g.dlg->target_le->setText("1");
        g.dlg->rep_le->setText("x");
        g.dlg->none_rb->setChecked(true);
        g.dlg->replace_all();
        QCOMPARE(s.shown.size(), std::size_t(2));
        QCOMPARE(s.shown[1].what, modal_seam::kind::warning);
        QCOMPARE(g.model.changed_count(), 0);
        QCOMPARE(g.text(0, n_col), QString("10"));
    }

    void time_point_column_is_never_replaced()
    {
        grid g(srv->exec(), true);
        g.dlg->show_top(true);
        g.dlg->target_le->setText("00:00");
        g.dlg->rep_le->setText("11:11");
        modal_seam::script s;
        g.dlg->replace_all();
        QCOMPARE(s.last_text(), QString("the string '00:00' is found only in columns that cannot be replaced: 'time point'."));
        g.go(0, tp_col);
        g.dlg->replace();
        QCOMPARE(g.text(0, tp_col), QString("2020-01-01 00:00:00"));
        QCOMPARE(g.current(), QPoint(1, tp_col)); // moved on to the next hit
        QCOMPARE(g.model.changed_count(), 0);
    }

    void a_replaced_marked_cell_shows_dark_green_once_unmarked()
    {
        grid g(srv->exec(), true);
        g.dlg->show_top(true);
        g.dlg->target_le->setText("beta");
        g.dlg->rep_le->setText("BETA");
        modal_seam::script s;
        g.dlg->search_all();
        g.dlg->replace_all();
        QVERIFY(g.marked(1, s_col));
        g.dlg->clear_select();
        QCOMPARE(g.model.data(g.model.index(1, s_col), Qt::BackgroundRole).value<QColor>(), QColor(Qt::darkGreen));
    }

    void read_only_grid_finds_but_never_replaces()
    {
        grid g(srv->exec(), false);
        g.dlg->show_top(true);
        QCOMPARE(g.dlg->windowTitle(), QString("find text in current table"));
        QVERIFY(g.dlg->rep_le->isHidden());
        QVERIFY(!g.dlg->rep_all_pb->isEnabled());
        g.dlg->target_le->setText("beta");
        g.dlg->rep_le->setText("x");
        modal_seam::script s;
        g.dlg->replace_all();
        g.go(1, s_col);
        g.dlg->replace();
        QCOMPARE(g.text(1, s_col), QString("beta"));
        QVERIFY(s.shown.empty());
        g.dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string 'beta' found 1 times."));
    }
};

QTEST_MAIN(test_search_tab)
#include "test_search_tab.moc"
