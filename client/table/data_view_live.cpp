// The data view's live parts: the chart beside the grid and the follow controls that add the
// table's new rows as the server receives them.
#include "db/cmd_texts.h"
#include "table/chart_pane.h"
#include "table/data_view.h"
#include "table/datetime_edit.h"
#include "table/fld_wt.h"
#include "table/tab_data_model.h"
#include "table/view_follow.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>

namespace mem = ox::db::mem;

namespace {

// The row of the form's layout that holds the widget.
QBoxLayout *row_of(QLayout *all, QWidget *w)
{
    for (int i = 0; all && i < all->count(); ++i)
        if (auto *row = qobject_cast<QBoxLayout *>(all->itemAt(i)->layout()))
            if (row->indexOf(w) >= 0)
                return row;
    return nullptr;
}

} // namespace

void data_view::add_live_parts()
{
    // The grid shares its place with the chart; the chart is on by default whenever the rows
    // have a time axis and a numeric column, until the user turns it off.
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("grid_chart_sp"));
    split->setChildrenCollapsible(false);
    delete layout()->replaceWidget(dv_, split);
    split->addWidget(dv_);
    chart_act_ = chart_pane::add_toggle(split, model_, dv_, true);
    auto *chart_tb = new QToolButton(this);
    chart_tb->setObjectName(QStringLiteral("chart_tb"));
    chart_tb->setDefaultAction(chart_act_);

    // Follow adds what arrived after the newest loaded row; the user's limit is for the view he
    // asked for, not for the rows that keep coming (a limit could hold follow at one time point
    // shared by more rows than it lets through).
    follow_ = new view_follow(model_, dv_, link_, table_, e_dtm_,
                              [this](const mem::date_time &b, const mem::date_time &e) {
                                  return view_command_between(b, e, false);
                              },
                              this);
    // The form stays what the grid shows: the end moved with the rows that came.
    connect(follow_, &view_follow::rows_followed, this, [this] { shown_.end = e_dtm_->value(); });

    if (QBoxLayout *bottom = row_of(layout(), export_btn_)) {
        const int at = bottom->indexOf(export_btn_) + 1;
        bottom->insertWidget(at, chart_tb);
        bottom->insertWidget(at + 1, follow_->check_box());
        bottom->insertWidget(at + 2, follow_->interval_box());
        bottom->insertWidget(at + 3, follow_->state_label());
    }
}

QByteArray data_view::view_command_between(const mem::date_time &begin, const mem::date_time &end,
                                           bool with_limit) const
{
    QByteArray cmd = cmd_texts::view_between(table_, fd_wt_->checked_fields(), begin, end);
    if (with_limit && limit_cb_->isChecked())
        cmd_texts::append_max(cmd, limit_sb_->value());
    return cmd;
}
