// The chart toggle of the script tab's result grids: offered for time series only, off by
// default, kept per tab, and the grid accessors still reach the grid beside the chart.
#include "common/modal_seam.h"
#include "script/cmd_script_editor.h"
#include "config/sys_config.h"
#include "result_chart_helper.h"
#include "run_ok.h"
#include "table/chart_pane.h"
#include "table/tab_data_model.h"

#include <QAction>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>


class test_result_chart : public QObject {
    Q_OBJECT
    chart_session session_;
    db_exec *db() const { return session_.db.get(); }

private slots:
    void initTestCase()
    {
        sys_config.reset();
        const QString failed = session_.start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QVERIFY(run_ok(*db(), "create series v i32"));
        QVERIFY(run_ok(*db(), "push into series v values 5 at 2021-01-02 03:04:05"));
        QVERIFY(run_ok(*db(), "push into series v values 7 at 2021-01-02 03:04:06"));
        QVERIFY(run_ok(*db(), "create words s string"));
        QVERIFY(run_ok(*db(), "push into words s values \"abc\" at 2021-01-02 03:04:05"));
    }
    void cleanupTestCase() { session_.stop(); }

    void each_result_tab_has_its_own_chart_toggle()
    {
        modal_seam::script seam;
        cmd_script_editor ed(nullptr, session_.link.get(), "view series\nview words\nview series\n");
        ed.resize(1000, 700);
        ed.show();
        ed.exec_cmd();
        QVERIFY(session_.settle());
        QCOMPARE(ed.result_tabs()->count(), 3);
        QTableView *first = ed.result_view(0);
        QVERIFY(first && ed.result_model(0));
        QCOMPARE(ed.result_model(0)->rowCount(), 2);
        QCOMPARE(ed.result_command(2), QByteArray("view series"));
        // "find text" stays the grid's first action; the toggle follows, unchecked.
        QCOMPARE(first->actions().first()->text(), QStringLiteral("find text"));
        QAction *toggle = chart_toggle(first);
        QVERIFY(toggle && toggle->isVisible() && !toggle->isChecked());
        QVERIFY(!ed.result_tabs()->widget(0)->findChild<chart_pane *>());
        // Nothing to chart in a grid of texts: no toggle offered.
        QVERIFY(!chart_toggle(ed.result_view(1))->isVisible());

        // The button beside the tabs is the current grid's toggle, shown only where it charts.
        QToolButton *button = ed.chart_button();
        QCOMPARE(button->defaultAction(), chart_toggle(ed.result_view(2)));
        QVERIFY(!button->isHidden());
        ed.result_tabs()->setCurrentIndex(1);
        QVERIFY(button->isHidden());
        ed.result_tabs()->setCurrentIndex(0);
        QCOMPARE(button->defaultAction(), toggle);
        QVERIFY(!button->isHidden());
        // Its frame stays clear of the tab widget's right edge, where the window ends.
        QTabWidget *tabs = ed.result_tabs();
        QTRY_VERIFY(button->isVisible());
        const QRect at(button->mapTo(tabs, QPoint(0, 0)), button->size());
        QVERIFY2(at.right() <= tabs->width() - 4, qPrintable(QStringLiteral("%1 of %2").arg(at.right()).arg(tabs->width())));
        button->click();
        QVERIFY(toggle->isChecked());
        auto *pane = ed.result_tabs()->widget(0)->findChild<chart_pane *>();
        QVERIFY(pane && pane->isVisible());
        pane->refresh_now();
        QCOMPARE(pane->drawn_points(), 2);
        // The other tab of the same command keeps its own state.
        QVERIFY(!chart_toggle(ed.result_view(2))->isChecked());
        QVERIFY(!ed.result_tabs()->widget(2)->findChild<chart_pane *>());
        QCOMPARE(ed.result_view(0), first);

        // A reload without a time series takes the toggle and the button away.
        ed.result_model(0)->load_result(*db(), "view words", 1);
        QVERIFY(!toggle->isChecked() && button->isHidden());
        ed.result_model(0)->load_result(*db(), "view series", 1);
        QVERIFY(!button->isHidden() && !toggle->isChecked());

        // Closing the tab takes grid, model and chart with it.
        QPointer<chart_pane> gone = pane;
        emit ed.result_tabs()->tabCloseRequested(0);
        QVERIFY(gone.isNull());
        QCOMPARE(ed.result_tabs()->count(), 2);
    }
};

QTEST_MAIN(test_result_chart)
#include "test_result_chart.moc"
