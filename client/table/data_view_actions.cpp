// The data view's context actions (filters by time point, search and replace), the added row,
// the number display modes and the export of the view.
#include "table/data_view.h"

#include "db/db_link.h"
#include "table/datetime_edit.h"
#include "table/grid_copy.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"
#include "table/view_export.h"

#include <QAction>
#include <QDateTime>
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>

namespace mem = ox::db::mem;

void data_view::make_actions()
{
    filter_act_ = new QAction(QIcon(QStringLiteral(":/img/filter.svg")), tr("filter this"), this);
    app_filter_act_ = new QAction(QIcon(QStringLiteral(":/img/app_filter.svg")), tr("append filter"), this);
    find_act_ = new QAction(QIcon(QStringLiteral(":/img/find.svg")), tr("find text"), this);
    replace_act_ = new QAction(QIcon(QStringLiteral(":/img/replace.svg")), tr("replace text"), this);
    filter_act_->setObjectName(QStringLiteral("act_filter"));
    app_filter_act_->setObjectName(QStringLiteral("act_app_filter"));
    find_act_->setObjectName(QStringLiteral("act_find"));
    replace_act_->setObjectName(QStringLiteral("act_replace"));
    find_act_->setShortcut(QKeySequence(QStringLiteral("ctrl+f")));
    replace_act_->setShortcut(QKeySequence(QStringLiteral("ctrl+h")));
    for (QAction *a : {filter_act_, app_filter_act_, find_act_, replace_act_}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setVisible(false);
        addAction(a);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    add_copy_action(dv_, this);
}

void data_view::update_row_actions()
{
    const bool rows = model_->rowCount() > 0;
    find_act_->setVisible(rows);
    replace_act_->setVisible(rows);
    current_changed(dv_->currentIndex(), QModelIndex());
}

void data_view::current_changed(const QModelIndex &current, const QModelIndex &)
{
    filter_act_->setVisible(current.isValid() && current.column() == 0);
    mem::date_time when;
    app_filter_act_->setVisible(current.isValid() && time_point_of(current, when));
}

bool data_view::time_point_of(const QModelIndex &at, mem::date_time &out) const
{
    const int tp = model_->time_point_column();
    if (!at.isValid() || tp < 0)
        return false;
    const QVariant v = model_->data(model_->index(at.row(), tp), Qt::EditRole);
    if (v.userType() != qMetaTypeId<mem::date_time>())
        return false;
    out = v.value<mem::date_time>();
    return true;
}

void data_view::add_filter()
{
    const QModelIndex at = dv_->currentIndex();
    if (!at.isValid())
        return;
    const QVariant v = model_->data(at, Qt::EditRole);
    mem::date_time when{};
    if (v.userType() == qMetaTypeId<mem::date_time>())
        when = v.value<mem::date_time>();
    else if (v.userType() == qMetaTypeId<mem::date>())
        when = mem::date_time::of(v.value<mem::date>(), mem::time{});
    else if (!mem::parse(v.toString(), when))
        when = mem::date_time{};
    {
        const QSignalBlocker b1(s_dtm_), b2(e_dtm_);
        s_dtm_->set_value(when);
        e_dtm_->set_value(when);
    }
    update_tab();
}

void data_view::append_filter()
{
    mem::date_time when;
    if (!time_point_of(dv_->currentIndex(), when))
        return;
    widen_range(when, when);
    update_tab();
}

void data_view::widen_range(const mem::date_time &lo, const mem::date_time &hi)
{
    const QSignalBlocker b1(s_dtm_), b2(e_dtm_);
    if (lo < s_dtm_->value())
        s_dtm_->set_value(lo);
    if (e_dtm_->value() < hi)
        e_dtm_->set_value(hi);
}

void data_view::add()
{
    // Without columns (the view failed) a row would have no cells to fill; a grid about to be
    // replaced would drop it.
    if (model_->columnCount() == 0 || busy())
        return;
    QModelIndex at = dv_->currentIndex();
    if (!at.isValid()) {
        dv_->setCurrentIndex(model_->index(0, 0));
        at = model_->index(0, 0);
    }
    const int column = at.isValid() ? at.column() : 0;
    const int row = model_->rowCount();
    if (!model_->insertRows(row, 1))
        return;
    // The new row starts at the end of the range, where the rows shown end; a table without
    // rows has no end of its own (its range runs to year 9999), so it starts now.
    const int tp = model_->time_point_column();
    if (tp >= 0) {
        mem::date_time when = e_dtm_->value();
        if (when.year >= 9999) {
            const QDateTime now = QDateTime::currentDateTime();
            when = mem::date_time{uint16_t(now.date().year()), uint8_t(now.date().month()), uint8_t(now.date().day()),
                                  uint8_t(now.time().hour()), uint8_t(now.time().minute()),
                                  uint8_t(now.time().second()), uint32_t(now.time().msec()) * 1000000u};
        }
        model_->setData(model_->index(row, tp), QVariant::fromValue(when), Qt::EditRole);
    }
    dv_->setCurrentIndex(model_->index(row, column));
    update_row_actions();
    dv_->viewport()->update();
}

void data_view::mode_toggled(bool)
{
    value_text::display_mode mode = value_text::display_mode::hexadecimal;
    if (bin_rb_->isChecked())
        mode = value_text::display_mode::binary;
    else if (dec_rb_->isChecked())
        mode = value_text::display_mode::decimal;
    else if (nor_rb_->isChecked())
        mode = value_text::display_mode::typed;
    model_->set_display_mode(mode);
    dv_->viewport()->update();
}

void data_view::find_txt()
{
    search_tab_dlg::of(dv_, model_, true)->show_top(false);
}

void data_view::rep_txt()
{
    search_tab_dlg::of(dv_, model_, true)->show_top(true);
}

void data_view::export_data()
{
    if (!link_)
        return;
    export_through_dialog(this, *link_,
                          {table_, export_command(), tr("export view data"), QString::fromUtf8(table_) + QStringLiteral(".csv")});
}
