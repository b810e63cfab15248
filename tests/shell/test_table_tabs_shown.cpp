// Table windows and result grids in a real shown main window, where keys meet the window's
// shortcuts. Every road that ends a table window with edits not applied yet (the tab's close
// button, Ctrl+W, Ctrl+Q, a refresh that no longer finds the table) asks first: Cancel keeps the
// window and its edit, Discard drops it, Apply sends it and then lets the window (or the program)
// go. Ctrl+C in a grid copies its cells for a spreadsheet.
#include "main_window_fixture.h"
#include "shown_window.h"

#include "script/cmd_script_editor.h"
#include "editor/editor.h"
#include "shell/tab_area.h"
#include "table/data_view.h"
#include "table/tab_data_model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

using namespace mw_test;

class test_table_tabs_shown : public window_test {
    Q_OBJECT

    QTabWidget *tabs() const { return w_->area().tabs(); }

    // The value of the one row of table cw as another client sees it.
    int value_on_server()
    {
        result_table t;
        return query_elsewhere(*server_, "view cw", t) && t.rows.size() == 1 ? t.rows[0].value(1).toInt() : -1;
    }

private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }
    void cleanup() { close(); }

    void each_road_asks_first_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("gone");   // the tab (for Ctrl+Q the main window) has gone
        QTest::addColumn<int>("stored");  // the row's value on the server afterwards
        const struct {
            const char *road;
            bool can_apply;
        } roads[] = {{"close button", true}, {"ctrl+w", true}, {"ctrl+q", true}, {"stale refresh", false}};
        for (const auto &r : roads) {
            QTest::addRow("%s keep", r.road) << r.road << int(QMessageBox::Cancel) << false << 1;
            QTest::addRow("%s discard", r.road) << r.road << int(QMessageBox::Discard) << true << 1;
            if (r.can_apply)
                QTest::addRow("%s apply", r.road) << r.road << int(QMessageBox::Apply) << true << 9;
        }
    }
    void each_road_asks_first()
    {
        QFETCH(QString, road);
        QFETCH(int, answer);
        QFETCH(bool, gone);
        QFETCH(int, stored);
        const QString why = open({"create cw v i32", "push into cw v values 1 at 2023-03-04 05:06:07"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        w_->tree()->setCurrentItem(find_item(w_->tree(), QStringLiteral("cw")));
        w_->actions().view_data->trigger();
        QVERIFY(settle(w_.get()));
        auto *view = qobject_cast<data_view *>(tabs()->currentWidget());
        QVERIFY(view);
        QTRY_COMPARE(view->data_model()->rowCount(), 1);
        QVERIFY(view->data_model()->setData(view->data_model()->index(0, 1), 9));
        view->grid()->setFocus();
        QTRY_VERIFY(view->grid()->hasFocus());

        seam_->push_button(QMessageBox::StandardButton(answer));
        const int index = tabs()->indexOf(view);
        if (road == QStringLiteral("close button")) {
            qobject_cast<QAbstractButton *>(tabs()->tabBar()->tabButton(index, QTabBar::RightSide))->click();
        } else if (road == QStringLiteral("ctrl+w")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        } else if (road == QStringLiteral("ctrl+q")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        } else {
            QVERIFY(run_elsewhere(*server_, {"drop cw"}));
            w_->refresh();
        }
        QVERIFY(settle(w_.get()));
        QTRY_COMPARE(int(seam_->shown.size()), 1);
        QCOMPARE(seam_->shown[0].title, QStringLiteral("pending changes"));
        QCOMPARE(seam_->shown[0].default_button, QMessageBox::Cancel);
        if (road == QStringLiteral("ctrl+q"))
            QTRY_COMPARE(!w_->isVisible(), gone);
        else
            QTRY_COMPARE(tabs()->indexOf(view) < 0, gone);
        if (road != QStringLiteral("stale refresh"))
            QCOMPARE(value_on_server(), stored);
        if (!gone)
            QCOMPARE(view->data_model()->changed_count(), 1);
    }

    // Ctrl+W closes a definition window too, and a tab with nothing pending goes at once.
    void ctrl_w_closes_any_tab()
    {
        const QString why = open({"create cw v i32"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        w_->tree()->setCurrentItem(find_item(w_->tree(), QStringLiteral("cw")));
        w_->actions().view_cols->trigger();
        QVERIFY(settle(w_.get()));
        QWidget *page = tabs()->currentWidget();
        QVERIFY(page && !w_->area().is_script_tab(page));
        page->setFocus();
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(tabs()->indexOf(page), -1);
        QVERIFY(seam_->shown.empty());
    }

    // Ctrl+C in a script tab's result grid (where the editor's copy holds the same key) and in
    // a data view's grid copies the selected cells with their column names.
    void ctrl_c_copies_the_selected_cells()
    {
        const QString why = open({"create cw v i32 s string", "push into cw v s values 1 \"a\" at 2023-03-04 05:06:07",
                                  "push into cw v s values 2 \"b\" at 2023-03-04 05:06:08"});
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        QTemporaryDir dir;
        seam_->push_file(dir.filePath(QStringLiteral("copy.tcd")));
        w_->new_file();
        auto *ed = qobject_cast<cmd_script_editor *>(tabs()->currentWidget());
        QVERIFY(ed);
        ed->editor_widget()->setFocus();
        QTest::keyClicks(ed->editor_widget(), QStringLiteral("view cw"));
        ed->exec_cmd();
        QVERIFY(settle(w_.get()));
        QTableView *result = ed->result_view(0);
        QVERIFY(result);

        auto pick = [](QTableView *grid, int column) {
            grid->setFocus();
            grid->selectionModel()->clear();
            for (int row : {0, 1})
                grid->selectionModel()->select(grid->model()->index(row, column), QItemSelectionModel::Select);
            QTRY_VERIFY(grid->hasFocus());
            QApplication::clipboard()->setText(QStringLiteral("before"));
            QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        };
        pick(result, 2);
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("s\na\nb\n"));

        w_->tree()->setCurrentItem(find_item(w_->tree(), QStringLiteral("cw")));
        w_->actions().view_data->trigger();
        QVERIFY(settle(w_.get()));
        auto *view = qobject_cast<data_view *>(tabs()->currentWidget());
        QVERIFY(view);
        QTRY_COMPARE(view->data_model()->rowCount(), 2);
        pick(view->grid(), 1);
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("v\n1\n2\n"));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_table_tabs_shown)
#include "test_table_tabs_shown.moc"
