// The data view's form, its construction from the table's time range and fields, and the
// reload that every change of fields, range or limit runs.
#include "table/data_view.h"

#include "db/cmd_builders.h"
#include "db/db_exec.h"
#include "table/datetime_edit.h"
#include "table/fld_wt.h"
#include "table/tab_data_model.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace mem = ox::db::mem;

data_view::data_view(const QByteArray &table, db_exec *exec, QWidget *parent)
    : QWidget(parent), table_(table), exec_(exec)
{
    mem::register_meta_types();
    build_form();
    model_ = new tab_data_model(table_, exec_, this);
    dv_->setModel(model_);
    make_actions();
    fetch_range_and_fields();
    table_le_->setText(QString::fromUtf8(table_));
    apply_btn_->setEnabled(false);
    connect_all();
    reload();
    add_live_parts();
}

void data_view::build_form()
{
    setWindowTitle(tr("Form"));
    resize(1167, 413);

    label_ = new QLabel(tr("name"), this);
    label_->setObjectName(QStringLiteral("label"));
    QFont big = label_->font();
    big.setPointSize(12);
    label_->setFont(big);
    table_le_ = new QLineEdit(this);
    table_le_->setObjectName(QStringLiteral("table_le"));
    table_le_->setReadOnly(true);

    group_box_ = new QGroupBox(tr("Number Display Mode"), this);
    group_box_->setObjectName(QStringLiteral("groupBox"));
    auto *modes = new QHBoxLayout(group_box_);
    modes->setContentsMargins(6, 2, 6, 2);
    nor_rb_ = new QRadioButton(tr("Nor"), group_box_);
    hex_rb_ = new QRadioButton(tr("Hex"), group_box_);
    dec_rb_ = new QRadioButton(tr("Dec"), group_box_);
    bin_rb_ = new QRadioButton(tr("Bin"), group_box_);
    nor_rb_->setObjectName(QStringLiteral("nor_rb"));
    hex_rb_->setObjectName(QStringLiteral("hex_rb"));
    dec_rb_->setObjectName(QStringLiteral("dec_rb"));
    bin_rb_->setObjectName(QStringLiteral("bin_rb"));
    dec_rb_->setChecked(true);
    for (QRadioButton *b : {nor_rb_, hex_rb_, dec_rb_, bin_rb_})
        modes->addWidget(b);

    fd_wt_ = new fld_wt(this);
    fd_wt_->setObjectName(QStringLiteral("fd_wt"));
    limit_cb_ = new QCheckBox(tr("max k"), this);
    limit_cb_->setObjectName(QStringLiteral("limit_cb"));
    limit_cb_->setChecked(true);
    limit_sb_ = new QSpinBox(this);
    limit_sb_->setObjectName(QStringLiteral("limit_sb"));
    limit_sb_->setRange(1, 999999999);
    limit_sb_->setValue(10);

    label_2_ = new QLabel(tr("Begin Time"), this);
    label_2_->setObjectName(QStringLiteral("label_2"));
    s_dtm_ = new date_time_wt(this);
    s_dtm_->setObjectName(QStringLiteral("s_dtm"));
    label_3_ = new QLabel(tr("End   Time"), this);
    label_3_->setObjectName(QStringLiteral("label_3"));
    e_dtm_ = new date_time_wt(this);
    e_dtm_->setObjectName(QStringLiteral("e_dtm"));
    for (date_time_wt *d : {s_dtm_, e_dtm_}) {
        d->setMinimumWidth(200);
        d->setMaximumWidth(235);
        d->setFixedHeight(23);
    }
    add_btn_ = new QPushButton(tr("+"), this);
    add_btn_->setObjectName(QStringLiteral("add_btn"));

    dv_ = new QTableView(this);
    dv_->setObjectName(QStringLiteral("dv"));
    dv_->setStyleSheet(QStringLiteral("background-color: rgb(250, 250, 255);\nborder:1px solid rgb(147, 164, 173);\n"
                                      "border-radius:2px;\nselection-background-color: rgb(163, 163, 163);"));
    dv_->setSortingEnabled(true);
    dv_->horizontalHeader()->setSectionsMovable(true);
    dv_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                         QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    dv_->setSelectionMode(QAbstractItemView::SingleSelection);

    export_btn_ = new QPushButton(tr("export"), this);
    export_btn_->setObjectName(QStringLiteral("export_btn"));
    export_btn_->setMaximumWidth(75);
    apply_btn_ = new QPushButton(tr("Apply"), this);
    apply_btn_->setObjectName(QStringLiteral("apply_btn"));
    cancel_btn_ = new QPushButton(tr("Cancel"), this);
    cancel_btn_->setObjectName(QStringLiteral("cancel_btn"));

    auto *top = new QHBoxLayout;
    top->addWidget(label_);
    top->addWidget(table_le_);
    top->addWidget(group_box_);
    top->addWidget(fd_wt_);
    top->addWidget(limit_cb_);
    top->addWidget(limit_sb_);
    auto *range = new QHBoxLayout;
    range->addWidget(label_2_);
    range->addWidget(s_dtm_);
    range->addSpacing(12);
    range->addWidget(label_3_);
    range->addWidget(e_dtm_);
    range->addStretch(1);
    range->addWidget(add_btn_);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(export_btn_);
    bottom->addStretch(1);
    bottom->addWidget(apply_btn_);
    bottom->addWidget(cancel_btn_);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(range);
    all->addWidget(dv_, 1);
    all->addLayout(bottom);
    // The unfolded field list lies over the rows below it.
    fd_wt_->raise();
}

void data_view::fetch_range_and_fields()
{
    mem::date_time first, last;
    if (!exec_ || !table_time_range(*exec_, table_, first, last)) {
        // A table without rows has no range; any row added here must show after Apply.
        first = mem::date_time{1, 1, 1, 0, 0, 0, 0};
        last = mem::date_time{9999, 12, 31, 23, 59, 59, 999999999};
    }
    s_dtm_->set_value(first);
    e_dtm_->set_value(last);
    name_list names, types, numbers;
    if (exec_ && field_info(*exec_, table_, names, types, numbers, true))
        for (const QByteArray &n : names)
            if (n != time_point_field)
                fd_wt_->add_fields(QString::fromUtf8(n), true);
}

void data_view::connect_all()
{
    connect(add_btn_, &QPushButton::clicked, this, &data_view::add);
    connect(apply_btn_, &QPushButton::clicked, this, &data_view::apply);
    connect(cancel_btn_, &QPushButton::clicked, this, &data_view::cancel);
    connect(export_btn_, &QPushButton::clicked, this, &data_view::export_data);
    connect(model_, &tab_data_model::changed, this, &data_view::enable_apply);
    connect(limit_cb_, &QCheckBox::stateChanged, this, &data_view::check_limit);
    connect(limit_sb_, QOverload<int>::of(&QSpinBox::valueChanged), this, &data_view::change_limit);
    connect(s_dtm_, &date_time_wt::value_chg, this, &data_view::beg_chg);
    connect(e_dtm_, &date_time_wt::value_chg, this, &data_view::end_chg);
    connect(fd_wt_, &fld_wt::field_changed, this, &data_view::field_changed);
    for (QRadioButton *b : {hex_rb_, dec_rb_, bin_rb_})
        connect(b, &QRadioButton::toggled, this, &data_view::mode_toggled);
    connect(dv_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &data_view::row_changed);
    connect(dv_->selectionModel(), &QItemSelectionModel::currentChanged, this, &data_view::current_changed);
    connect(filter_act_, &QAction::triggered, this, &data_view::add_filter);
    connect(app_filter_act_, &QAction::triggered, this, &data_view::append_filter);
    connect(find_act_, &QAction::triggered, this, &data_view::find_txt);
    connect(replace_act_, &QAction::triggered, this, &data_view::rep_txt);
}

QByteArray data_view::view_command() const
{
    return view_command_between(s_dtm_->value(), e_dtm_->value());
}

QByteArray data_view::export_command() const
{
    QByteArray cmd = "view " + table_;
    for (const QByteArray &f : fd_wt_->checked_fields())
        cmd += ' ' + f;
    if (limit_cb_->isChecked())
        cmd += " max " + QByteArray::number(limit_sb_->value());
    return cmd;
}

void data_view::update_tab()
{
    if (settle_pending())
        reload();
}

void data_view::reload()
{
    const int old_columns = model_->columnCount();
    model_->load_result(view_command(), 0);
    add_btn_->setEnabled(true);
    for (int c = 0; c < qMax(old_columns, model_->columnCount()); ++c)
        dv_->setItemDelegateForColumn(c, c < model_->columnCount() ? model_->delegate_of(c) : nullptr);
    // New columns get the width of their texts; widths the user set stay while the columns do.
    if (model_->columnCount() != old_columns)
        dv_->resizeColumnsToContents();
    // Every reload drops the pending edits.
    apply_btn_->setEnabled(false);
    dv_->horizontalHeader()->viewport()->update();
    dv_->viewport()->update();
    update_row_actions();
    shown_.checked.clear();
    for (int i = 0; i < fd_wt_->list()->count(); ++i)
        shown_.checked << (fd_wt_->list()->item(i)->checkState() == Qt::Checked);
    shown_.limit_on = limit_cb_->isChecked();
    shown_.limit = limit_sb_->value();
    shown_.begin = s_dtm_->value();
    shown_.end = e_dtm_->value();
}

void data_view::re_exec() { update_tab(); }
void data_view::field_changed() { update_tab(); }
void data_view::change_limit(int) { update_tab(); }
void data_view::beg_chg(const QString &) { update_tab(); }
void data_view::end_chg(const QString &) { update_tab(); }

void data_view::check_limit(int state)
{
    if (state == Qt::PartiallyChecked)
        return;
    limit_sb_->setEnabled(state == Qt::Checked);
    update_tab();
}

void data_view::row_changed()
{
    // Nothing to do when the row changes: the context actions follow the current cell
    // (current_changed); the slot stays for what connects to it.
}

void data_view::enable_apply(const bool &on)
{
    apply_btn_->setEnabled(on);
}

