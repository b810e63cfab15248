// The chart of a result tab in a real shown window on the development server's demo tables:
// the hover tip, a click that selects the row, the wheel, and screenshots of the tab (written
// where VORN_SHOTS_DIR points).
#include "common/modal_seam.h"
#include "script/cmd_script_editor.h"
#include "config/sys_config.h"
#include "result_chart_helper.h"
#include "shots_dir.h"
#include "shown_window.h"
#include "table/chart_pane.h"
#include "table/chart_plot_view.h"
#include "table/tab_data_model.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtTest>

using namespace QtCharts;

namespace {

void save_shot(QWidget *w, const QString &name)
{
    const QString path = shots::path(name);
    if (!path.isEmpty())
        w->grab().save(path);
}

// Lets the pending layout run, then the recomputation it asked for, so that the pane shows its
// final points.
void settle(chart_pane *pane)
{
    QCoreApplication::sendPostedEvents();
    pane->refresh_now();
}

chart_pane *show_chart(cmd_script_editor &ed, int tab)
{
    ed.result_tabs()->setCurrentIndex(tab);
    if (QAction *a = chart_toggle(ed.result_view(tab)))
        a->setChecked(true);
    auto *pane = ed.result_tabs()->widget(tab)->findChild<chart_pane *>();
    // The points wait for the first show, which gives the plot its width.
    if (!pane || !QTest::qWaitFor([pane] { return pane->drawn_points() > 0; }, 30000))
        return nullptr;
    settle(pane);
    return pane;
}

} // namespace

class test_result_chart_shown : public QObject {
    Q_OBJECT
    chart_session session_;

private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        sys_config.reset();
        const QString failed = session_.start({QStringLiteral("--demo")});
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }
    void cleanupTestCase() { session_.stop(); }

    void hover_click_and_wheel_on_a_demo_table()
    {
        SHOWN_WINDOW_REQUIRE();
        modal_seam::script seam;
        cmd_script_editor ed(nullptr, session_.link.get(), "view power_meters\nview weather\n");
        ed.resize(1400, 900);
        ed.show();
        QVERIFY(QTest::qWaitForWindowActive(&ed));
        ed.exec_cmd();
        QVERIFY(session_.settle());
        QCOMPARE(ed.result_tabs()->count(), 2);

        chart_pane *pane = show_chart(ed, 1);
        QVERIFY(pane && pane->isVisible());
        QVERIFY(pane->drawn_points() > 100);
        save_shot(&ed, QStringLiteral("result_tab_weather_chart.png"));

        // A point in the middle of the temperature line, where the mouse finds it.
        tab_data_model *model = ed.result_model(1);
        int temp = -1;
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == QLatin1String("temperature"))
                temp = c;
        QVERIFY(temp >= 0);
        QLineSeries *line = pane->series_of(temp);
        const QPointF p = pane->chart()->mapToPosition(line->at(line->count() / 2), line);
        const QPoint at = pane->plot_view()->mapFromScene(pane->chart()->mapToScene(p));
        QWidget *vp = pane->plot_view()->viewport();
        QMouseEvent hover(QEvent::MouseMove, at, vp->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(QLatin1String(": ")));
        save_shot(&ed, QStringLiteral("result_tab_weather_hover.png"));

        QTest::mouseClick(vp, Qt::LeftButton, {}, at);
        QCOMPARE(ed.result_view(1)->selectionModel()->selectedRows().size(), 1);
        const int row = ed.result_view(1)->selectionModel()->selectedRows().first().row();
        QVERIFY(row >= 0);
        // The picked row is marked on the lines, one mark where the click was.
        QScatterSeries *marks = pane->selection_series();
        QVERIFY(marks && marks->count() >= 1);
        bool under_the_click = false;
        for (const QPointF &m : marks->pointsVector()) {
            const QPointF mp = pane->chart()->mapToPosition(m, marks);
            under_the_click = under_the_click || (mp - p).manhattanLength() <= 16;
        }
        QVERIFY(under_the_click);

        const qint64 span = pane->x_to() - pane->x_from();
        for (int i = 0; i < 6; ++i) {
            QWheelEvent in(at, vp->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
            QApplication::sendEvent(vp, &in);
        }
        QTRY_VERIFY(pane->x_to() - pane->x_from() < span / 3);
        settle(pane);
        save_shot(&ed, QStringLiteral("result_tab_weather_zoomed.png"));

        pane = show_chart(ed, 0);
        QVERIFY(pane);
        save_shot(&ed, QStringLiteral("result_tab_power_meters_chart.png"));
        // Switched between two tabs, the button beside them holds the current toggle alone: no
        // menu arrow over its text.
        QToolButton *button = ed.chart_button();
        QToolButton plain(button->parentWidget());
        plain.setAutoRaise(true);
        plain.setDefaultAction(button->defaultAction());
        plain.resize(button->size());
        QCOMPARE(button->grab().toImage(), plain.grab().toImage());

        // A reload with other columns while the chart is shown keeps a full legend.
        QSignalSpy redrawn(pane, &chart_pane::redrawn);
        ed.result_model(0)->load_result(*session_.db, "view live_readings", 1);
        QVERIFY(redrawn.wait(30000));
        settle(pane);
        QVERIFY(pane->series_of(1));
        // The legend follows the new lines in its own layout pass.
        const auto legend_full = [pane] {
            const QList<QLegendMarker *> marks = pane->chart()->legend()->markers(pane->series_of(1));
            return !marks.isEmpty() && std::all_of(marks.begin(), marks.end(), [](QLegendMarker *m) { return m->isVisible(); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(legend_full(), 30000);
        save_shot(&ed, QStringLiteral("result_tab_reloaded_live_readings.png"));
    }
};

SHOWN_WINDOW_TEST_MAIN(test_result_chart_shown)
#include "test_result_chart_shown.moc"
