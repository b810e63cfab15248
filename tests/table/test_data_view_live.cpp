// The data view's chart and follow: the chart is on for rows with a time axis and a number
// column and stays off once the user turned it off; follow adds new rows beyond the row limit
// without a reload and keeps the form in step with what the grid shows.
#include "table_server_helper.h"
#include "db/cmd_builders.h"
#include "support/mem_time.h"
#include "table/chart_pane.h"
#include "table/data_view.h"
#include "table/datetime_edit.h"
#include "table/tab_data_model.h"
#include "table/view_follow.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitter>
#include <QtTest>

namespace mem = ox::db::mem;

namespace {

QByteArray at_second(int s)
{
    return "2024-05-06 07:08:" + QByteArray::number(s).rightJustified(2, '0');
}

} // namespace

class test_data_view_live : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;
    QStringList ran_;

    void push(int value, int second)
    {
        QVERIFY(srv->run("push into lv n values " + QByteArray::number(value) + " at " + at_second(second)));
    }

    static chart_pane *pane_of(data_view &v)
    {
        auto *split = v.findChild<QSplitter *>(QStringLiteral("grid_chart_sp"));
        return split ? split->findChild<chart_pane *>() : nullptr;
    }

private slots:
    void initTestCase()
    {
        mem::register_meta_types();
        srv = std::make_unique<table_server>(QStringList{QStringLiteral("--demo")});
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->link());
        connect(&srv->link()->log_side(), &db_exec::ran, this, [this](const QByteArray &cmd, bool) { ran_ << QString::fromUtf8(cmd); });
    }
    void init()
    {
        srv->run("drop lv");
        QVERIFY(srv->run("create lv n i32"));
        ran_.clear();
    }
    void cleanupTestCase() { srv.reset(); }

    void chart_on_for_time_series_until_turned_off()
    {
        for (int s = 1; s <= 3; ++s)
            push(s * 10, s);
        data_view v("lv", srv->link());
        v.show();
        QVERIFY(srv->settle());
        QVERIFY(v.chart_action()->isVisible());
        QVERIFY(v.chart_action()->isChecked());
        QVERIFY(pane_of(v) && pane_of(v)->isVisible());
        QVERIFY(pane_of(v)->series_of(1));

        // Off by the user: a reload keeps it off; on again it comes back.
        v.chart_action()->trigger();
        QVERIFY(!pane_of(v)->isVisible());
        v.update_tab();
        QVERIFY(srv->settle());
        QVERIFY(!v.chart_action()->isChecked());
        v.chart_action()->trigger();
        v.update_tab();
        QVERIFY(srv->settle());
        QVERIFY(v.chart_action()->isChecked() && pane_of(v)->isVisible());
    }

    void no_chart_without_numbers()
    {
        QVERIFY(srv->run("create lv_text s string"));
        QVERIFY(srv->run("push into lv_text s values \"a\" at " + at_second(1)));
        data_view v("lv_text", srv->link());
        QVERIFY(srv->settle());
        QVERIFY(!v.chart_action()->isVisible());
        QVERIFY(!v.chart_action()->isChecked());
        QVERIFY(!pane_of(v));
        srv->run("drop lv_text");
    }

    void follow_adds_rows_beyond_the_limit_without_reload()
    {
        for (int s = 1; s <= 3; ++s)
            push(s, s);
        data_view v("lv", srv->link());
        v.show();
        QVERIFY(srv->settle());
        tab_data_model *model = v.data_model();
        QCOMPARE(model->rowCount(), 3);
        // The form's limit is for the view asked for; what keeps coming is not cut by it.
        v.findChild<QSpinBox *>(QStringLiteral("limit_sb"))->setValue(3);
        QVERIFY(srv->settle());
        for (int s = 4; s <= 9; ++s)
            push(s, s);

        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        ran_.clear();
        v.follower()->set_following(true); // looks at once
        QVERIFY(srv->settle());
        QCOMPARE(resets.count(), 0);
        QCOMPARE(model->rowCount(), 9);
        const QStringList views = ran_.filter(QRegularExpression(QStringLiteral("^view ")));
        QVERIFY2(views.size() == 1 && !views[0].contains(QLatin1String(" max ")), qPrintable(ran_.join(QLatin1String(" / "))));

        // The end entry moved to the newest row, and the form counts as what the grid shows:
        // a reload with the same form brings the same rows, no question, no lost edits.
        auto *end = v.findChild<date_time_wt *>(QStringLiteral("e_dtm"));
        QCOMPARE(mem::to_text(end->value()).toUtf8(), at_second(9));
        QVERIFY(v.view_command().contains(" btw " + at_second(1) + ' ' + at_second(9) + " max 3"));
        QVERIFY(!v.findChild<QPushButton *>(QStringLiteral("apply_btn"))->isEnabled());
    }
};

QTEST_MAIN(test_data_view_live)
#include "test_data_view_live.moc"
