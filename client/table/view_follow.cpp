// Live follow: a look costs one time range query; only when the table has grown does the view
// run, for the rows after the newest loaded time point, and its rows go into the grid in place.
#include "table/view_follow.h"

#include "db/cmd_builders.h"
#include "db/db_link.h"
#include "table/datetime_edit.h"
#include "table/tab_data_model.h"

#include <QCheckBox>
#include <QLabel>
#include <QPersistentModelIndex>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>

namespace mem = ox::db::mem;

view_follow::view_follow(tab_data_model *model, QTableView *grid, db_link *link, const QByteArray &table,
                         date_time_wt *end_entry, view_text_fn view_text, QObject *parent)
    : QObject(parent), model_(model), grid_(grid), link_(link), table_(table), end_entry_(end_entry),
      view_text_(std::move(view_text)), check_(new QCheckBox(tr("follow"))), interval_(new QSpinBox),
      state_(new QLabel), timer_(new QTimer(this))
{
    mem::register_meta_types();
    check_->setObjectName(QStringLiteral("cb_follow"));
    interval_->setObjectName(QStringLiteral("sb_follow"));
    interval_->setRange(1, 60);
    interval_->setValue(5);
    interval_->setSuffix(tr(" s"));
    interval_->setToolTip(tr("How often to look for new rows"));
    state_->setObjectName(QStringLiteral("lbl_follow"));
    timer_->setInterval(interval_->value() * 1000);
    show_state(QString());
    connect(timer_, &QTimer::timeout, this, &view_follow::tick);
    connect(check_, &QCheckBox::toggled, this, &view_follow::toggled);
    connect(interval_, QOverload<int>::of(&QSpinBox::valueChanged), this,
            [this](int s) { timer_->setInterval(s * 1000); });
    connect(model_, &tab_data_model::changed, this, &view_follow::check_pending);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        ++resets_;
        last_known_ = false;
        check_pending();
    });
    connect(model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { note_inserted(first, last); });
}

view_follow::~view_follow()
{
    // Controls the host placed belong to its widgets; the others are still ours.
    if (check_ && !check_->parent())
        delete check_;
    if (interval_ && !interval_->parent())
        delete interval_;
    if (state_ && !state_->parent())
        delete state_;
}

QCheckBox *view_follow::check_box() const
{
    return check_;
}

QSpinBox *view_follow::interval_box() const
{
    return interval_;
}

QLabel *view_follow::state_label() const
{
    return state_;
}

bool view_follow::following() const
{
    return check_ && check_->isChecked();
}

QString view_follow::state_text() const
{
    return state_ ? state_->text() : QString();
}

int view_follow::interval_seconds() const
{
    return interval_ ? interval_->value() : timer_->interval() / 1000;
}

void view_follow::set_following(bool on)
{
    if (check_)
        check_->setChecked(on);
}

void view_follow::set_interval_seconds(int seconds)
{
    if (interval_)
        interval_->setValue(seconds);
}

void view_follow::toggled(bool on)
{
    paused_ = false;
    show_state(QString());
    if (!on) {
        timer_->stop();
        return;
    }
    timer_->start();
    tick();
}

void view_follow::stop(const QString &why)
{
    timer_->stop();
    paused_ = false;
    if (check_) {
        const QSignalBlocker quiet(check_);
        check_->setChecked(false);
    }
    show_state(tr("follow stopped: %1").arg(why));
    emit stopped(why);
}

void view_follow::show_state(const QString &text)
{
    if (state_)
        state_->setText(text);
    if (check_)
        check_->setToolTip(text.isEmpty() ? tr("Add the table's new rows as they arrive, keeping the end time "
                                               "at the newest one")
                                            : text);
}

bool view_follow::has_pending() const
{
    return model_->changed_count() > 0 || model_->new_count() > 0;
}

void view_follow::check_pending()
{
    if (!following())
        return;
    const bool pending = has_pending();
    if (pending == paused_)
        return;
    paused_ = pending;
    show_state(pending ? tr("follow paused: apply or discard the pending edits to go on") : QString());
}

bool view_follow::last_loaded(mem::date_time &out)
{
    if (!last_known_) {
        have_last_ = false;
        take_newest(0, model_->rowCount() - 1);
        last_known_ = true;
    }
    out = last_;
    return have_last_;
}

void view_follow::note_inserted(int first, int last)
{
    if (!appending_) {
        // Rows added in the grid make edits that pause following; a reload reads the grid anew.
        return;
    }
    inserted_at_top_ = inserted_at_top_ || first == 0;
    inserted_at_bottom_ = inserted_at_bottom_ || last == model_->rowCount() - 1;
    take_newest(first, last);
}

void view_follow::take_newest(int first, int last)
{
    const int tp = model_->time_point_column();
    for (int r = first; tp >= 0 && r <= last; ++r) {
        if (model_->sid_of_row(r) == ~uint64_t(0))
            continue; // added in the grid, not on the server
        const QVariant v = model_->data(model_->index(r, tp), Qt::EditRole);
        if (v.userType() != qMetaTypeId<mem::date_time>())
            continue;
        const mem::date_time t = v.value<mem::date_time>();
        if (!have_last_ || last_ < t)
            last_ = t;
        have_last_ = true;
    }
}

void view_follow::tick()
{
    if (!following() || looking_)
        return;
    check_pending();
    if (paused_ || !link_)
        return;
    looking_ = true;
    struct range {
        bool found = false;
        ox::db::mem::date_time first, newest;
        db_status status;
    };
    const QByteArray table = table_;
    const quint64 asked_at = resets_;
    // Asked quietly: only the rows it brings are worth a line in the log.
    link_->post(this, [table](db_exec &db) {
        // The follow's own looks at the server: a filtered log leaves them out.
        db.set_background(true);
        range r;
        r.found = table_time_range(db, table, r.first, r.newest, true);
        r.status = db_status::of(r.found, db);
        return r;
    }, [this, asked_at](const range &r) {
        if (!following() || asked_at != resets_) {
            end_look();
            return;
        }
        if (!r.found) {
            end_look();
            stop(r.status.code != 0 && !r.status.reason.isEmpty() ? r.status.reason
                                                                   : tr("the server lists no time range for the table"));
            return;
        }
        mem::date_time from;
        if (!last_loaded(from))
            from = end_entry_ ? end_entry_->value() : r.first;
        if (!(from < r.newest)) {
            end_look();
            return;
        }
        fetch_after(from, r.newest);
    });
}

void view_follow::fetch_after(const mem::date_time &from, const mem::date_time &newest)
{
    check_pending();
    if (paused_ || model_->added_rows_pending()) {
        end_look();
        return;
    }
    // The range starts at the newest loaded time point itself: rows that share it and came
    // later must not be missed, and those already loaded are skipped by their identifiers.
    const QByteArray cmd = view_text_(from, newest);
    const quint64 asked_at = resets_;
    link_->post(this, [cmd](db_exec &db) {
        db.set_background(true);
        return tab_data_model::fetch_rows(db, cmd, 0);
    },
                [this, asked_at, newest](grid_rows rows) {
                    if (!following() || asked_at != resets_) {
                        end_look();
                        return;
                    }
                    add_rows(std::move(rows), newest);
                });
}

void view_follow::add_rows(grid_rows &&rows, const mem::date_time &newest)
{
    // The look ends with whatever this does, whichever way it returns.
    struct look_end {
        view_follow *f;
        ~look_end() { f->end_look(); }
    } ends{ this };
    // Where the reader is: at the end (or the top) of the grid, or at some row in between.
    QScrollBar *bar = grid_ ? grid_->verticalScrollBar() : nullptr;
    const bool at_end = bar && bar->value() >= bar->maximum();
    const bool at_top = bar && bar->value() <= bar->minimum();
    QPersistentModelIndex anchor;
    if (grid_) {
        const int top_row = grid_->rowAt(0);
        if (top_row >= 0)
            anchor = model_->index(top_row, 0);
    }
    const int anchor_row = anchor.isValid() ? anchor.row() : -1;

    appending_ = true;
    inserted_at_top_ = inserted_at_bottom_ = false;
    int added = 0;
    const QString reason = rows.status.reason;
    const auto status = model_->take_rows(std::move(rows), &added);
    appending_ = false;
    switch (status) {
    case tab_data_model::append_status::query_failed:
        stop(tr("the view failed: %1").arg(reason));
        return;
    case tab_data_model::append_status::columns_differ:
        stop(tr("the view's columns differ from the grid's"));
        return;
    case tab_data_model::append_status::added_rows_pending:
        check_pending();
        return;
    case tab_data_model::append_status::done: break;
    }
    if (added == 0)
        return;
    if (end_entry_) {
        const QSignalBlocker quiet(end_entry_.data()); // the host would reload on a change
        end_entry_->set_value(newest);
    }
    if (grid_) {
        grid_->doItemsLayout(); // the scroll range must know the new rows now
        if (at_end && inserted_at_bottom_)
            grid_->scrollToBottom();
        else if (at_top && inserted_at_top_)
            grid_->scrollToTop();
        else if (anchor.isValid() && anchor.row() != anchor_row)
            grid_->scrollTo(anchor, QAbstractItemView::PositionAtTop);
    }
    emit rows_followed(added);
}

void view_follow::end_look()
{
    looking_ = false;
    emit looked();
}
