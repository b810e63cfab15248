// The data view's form, its construction from the table's time range and fields, and the
// reload that every change of fields, range or limit runs.
#include "table/data_view.h"

#include "common/wait_notice.h"
#include "db/cmd_builders.h"
#include "db/cmd_texts.h"
#include "db/db_link.h"
#include "table/datetime_edit.h"
#include "table/fld_wt.h"
#include "table/load_size.h"
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
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace mem = ox::db::mem;

namespace {
// A pause in typing "max k" that runs the view: typing 1000 is one view, not four.
constexpr int limit_pause_ms = 600;
} // namespace

data_view::data_view(const QByteArray &table, db_link *link, QWidget *parent)
    : QWidget(parent), table_(table), link_(link), machine_memory_(physical_memory())
{
    mem::register_meta_types();
    build_form();
    model_ = new tab_data_model(table_, this);
    dv_->setModel(model_);
    edit_triggers_ = dv_->editTriggers();
    make_actions();
    table_le_->setText(QString::fromUtf8(table_));
    apply_btn_->setEnabled(false);
    connect_all();
    add_live_parts();
    open();
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
        d->keep_time_whole();
    }
    add_btn_ = new QPushButton(tr("+"), this);
    add_btn_->setObjectName(QStringLiteral("add_btn"));

    dv_ = new QTableView(this);
    dv_->setObjectName(QStringLiteral("dv"));
    // For the grid alone: its children (the search dialog among them) keep their own look.
    dv_->setStyleSheet(QStringLiteral("QTableView#dv { background-color: rgb(250, 250, 255);\n"
                                      "border:1px solid rgb(147, 164, 173);\nborder-radius:2px;\n"
                                      "selection-background-color: rgb(163, 163, 163); }"));
    dv_->setSortingEnabled(true);
    dv_->horizontalHeader()->setSectionsMovable(true);
    dv_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                         QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Several cells at once, for copying them into a spreadsheet.
    dv_->setSelectionMode(QAbstractItemView::ExtendedSelection);

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
    // The waits of this window's commands, apart from the buttons that apply or close.
    wait_ = new wait_notice(link_, this, this);
    range->addSpacing(12);
    range->addWidget(wait_);
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

void data_view::open()
{
    struct form_source {
        bool has_range = false;
        mem::date_time first, last;
        uint64_t rows = UINT64_MAX;
        name_list fields, types;
    };
    opening_ = true;
    reflect_busy();
    const auto filled = [this](const form_source &src) {
        opening_ = false;
        mem::date_time first = src.first, last = src.last;
        if (!src.has_range) {
            // A table without rows has no range; any row added here must show after Apply.
            first = mem::date_time{1, 1, 1, 0, 0, 0, 0};
            last = mem::date_time{9999, 12, 31, 23, 59, 59, 999999999};
        }
        table_rows_ = src.rows;
        for (int i = 0; i < src.fields.size(); ++i)
            field_types_.insert(src.fields[i], src.types.value(i));
        {
            const QSignalBlocker b1(s_dtm_), b2(e_dtm_), b3(fd_wt_);
            s_dtm_->set_value(first);
            e_dtm_->set_value(last);
            for (const QByteArray &n : src.fields)
                if (n != time_point_field)
                    fd_wt_->add_fields(QString::fromUtf8(n), true);
        }
        reload();
    };
    if (!link_) {
        filled(form_source{});
        return;
    }
    const QByteArray table = table_;
    link_->post(this, [table](db_exec &db) {
        form_source src;
        src.has_range = table_time_range(db, table, src.first, src.last, false, &src.rows);
        name_list numbers;
        field_info(db, table, src.fields, src.types, numbers, true);
        return src;
    }, filled);
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
    // Typed digits count once typing pauses; Return, leaving the field, the arrows and the wheel
    // count at once.
    limit_sb_->setKeyboardTracking(false);
    limit_pause_.setSingleShot(true);
    limit_pause_.setInterval(limit_pause_ms);
    // (The box's own text signal stays quiet while typing is not tracked: its field tells.)
    if (auto *typed = limit_sb_->findChild<QLineEdit *>())
        connect(typed, &QLineEdit::textEdited, &limit_pause_, qOverload<>(&QTimer::start));
    connect(&limit_pause_, &QTimer::timeout, limit_sb_, &QSpinBox::interpretText);
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
    QByteArray cmd = cmd_texts::view(table_, fd_wt_->checked_fields());
    if (limit_cb_->isChecked())
        cmd_texts::append_max(cmd, limit_sb_->value());
    return cmd;
}

void data_view::update_tab()
{
    // Until the form is filled there is nothing to show; during Apply the reload that ends it
    // takes the form as it is then.
    if (opening_ || applying_)
        return;
    if (settle_pending())
        reload();
}

void data_view::reload()
{
    shown_form form;
    for (int i = 0; i < fd_wt_->list()->count(); ++i)
        form.checked << (fd_wt_->list()->item(i)->checkState() == Qt::Checked);
    form.limit_on = limit_cb_->isChecked();
    form.limit = limit_sb_->value();
    form.begin = s_dtm_->value();
    form.end = e_dtm_->value();
    const auto take = [this, form](grid_data data) {
        if (--loads_ > 0)
            return; // a newer form's rows are on their way
        const int old_columns = model_->columnCount();
        model_->take(std::move(data));
        reflect_busy();
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
        shown_ = form;
        emit loaded();
    };
    ++loads_;
    reflect_busy();
    if (!link_) {
        take(grid_data{});
        return;
    }
    const QByteArray table = table_, cmd = view_command();
    link_->post(this, [table, cmd](db_exec &db) { return tab_data_model::fetch(db, table, cmd, 0); }, take);
}

void data_view::reflect_busy()
{
    // The grid is replaced or rewritten when the answer comes: what is typed into it now would
    // be lost without a question.
    const bool busy = this->busy();
    dv_->setEditTriggers(busy ? QAbstractItemView::NoEditTriggers : edit_triggers_);
    add_btn_->setEnabled(!busy);
    if (busy)
        apply_btn_->setEnabled(false);
    else
        apply_btn_->setEnabled(has_pending());
}

void data_view::re_exec() { update_tab(); }
void data_view::field_changed() { update_tab(); }
void data_view::change_limit(int)
{
    limit_pause_.stop();
    update_tab();
}
void data_view::beg_chg(const QString &) { update_tab(); }
void data_view::end_chg(const QString &) { update_tab(); }

void data_view::check_limit(int state)
{
    if (state == Qt::PartiallyChecked)
        return;
    if (state == Qt::Unchecked && !may_load_all()) {
        const QSignalBlocker b(limit_cb_);
        limit_cb_->setChecked(true);
        return;
    }
    limit_sb_->setEnabled(state == Qt::Checked);
    update_tab();
}

bool data_view::may_load_all()
{
    if (table_rows_ == UINT64_MAX)
        return true;
    // The time point and the checked fields; none checked shows them all.
    QList<QByteArray> fields = fd_wt_->checked_fields();
    if (fields.isEmpty())
        fields = field_types_.keys();
    name_list types{field_types_.value(time_point_field, "datetime")};
    for (const QByteArray &f : fields)
        if (f != time_point_field)
            types << field_types_.value(f);
    return confirm_full_load(this, table_, table_rows_, grid_bytes_per_row(types), machine_memory_);
}

void data_view::row_changed()
{
    // Nothing to do when the row changes: the context actions follow the current cell
    // (current_changed); the slot stays for what connects to it.
}

void data_view::enable_apply(const bool &on)
{
    apply_btn_->setEnabled(on && !busy());
}

