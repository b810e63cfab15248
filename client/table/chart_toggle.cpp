// The "chart" toggle that puts a chart pane beside a grid, for the result tabs and the data view.
#include "table/chart_pane.h"

#include "table/tab_data_model.h"

#include <QAction>
#include <QSplitter>
#include <QTableView>
#include <memory>

QAction *chart_pane::add_toggle(QSplitter *splitter, tab_data_model *model, QTableView *grid, bool shown)
{
    auto *act = new QAction(tr("chart"), grid);
    act->setObjectName(QStringLiteral("chart_toggle"));
    act->setCheckable(true);
    act->setToolTip(tr("show the chart of the time series beside the grid"));
    grid->addAction(act);
    const auto pane_of = [splitter] {
        return splitter->findChild<chart_pane *>(QString(), Qt::FindDirectChildrenOnly);
    };
    QObject::connect(act, &QAction::toggled, splitter, [=](bool on) {
        chart_pane *pane = pane_of();
        if (!on) {
            if (pane)
                pane->hide();
            return;
        }
        if (!pane) {
            pane = new chart_pane(model, grid);
            splitter->addWidget(pane);
            const int total = std::max(2, splitter->width());
            splitter->setSizes({total * 2 / 5, total - total * 2 / 5});
        }
        pane->show();
    });
    // What the user chose last wins over the default.
    auto user_off = std::make_shared<bool>(false);
    QObject::connect(act, &QAction::triggered, act, [user_off](bool on) { *user_off = !on; });
    // A reload may bring other columns: the toggle is offered only while there is a chart.
    const auto follow = [act, model, shown, user_off] {
        const bool chartable = chart_pane::can_chart(model);
        if (!chartable)
            act->setChecked(false);
        act->setVisible(chartable);
        if (chartable && shown && !*user_off)
            act->setChecked(true);
    };
    QObject::connect(model, &QAbstractItemModel::modelReset, act, follow);
    follow();
    return act;
}
