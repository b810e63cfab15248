// Pending edits: Apply (the question about shared time points, the commands sent on the
// connection thread with a progress dialog that can stop between them, the report of what did
// not go, the reload in every case), and the question before a new view or closing the window
// would drop them.
#include "table/data_view.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "db/db_link.h"
#include "table/apply_question.h"
#include "table/datetime_edit.h"
#include "table/fld_wt.h"
#include "table/progress_steps.h"
#include "table/tab_data_model.h"

#include <QCheckBox>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <limits>
#include <utility>

namespace mem = ox::db::mem;

namespace {
// How often the progress dialog looks at the commands sent.
constexpr int progress_poll_ms = 50;
} // namespace

void data_view::apply()
{
    start_apply();
}

bool data_view::start_apply()
{
    if (applying_ || opening_)
        return applying_;
    // No keeps the edits and sends nothing.
    if (!confirm_shared_updates(this, *model_))
        return false;

    // Rows added outside the range would vanish from the reloaded grid: the range takes them in.
    bool added = false;
    mem::date_time lo{}, hi{};
    for (int row = 0; row < model_->rowCount(); ++row) {
        mem::date_time when;
        if (model_->sid_of_row(row) != std::numeric_limits<uint64_t>::max() ||
            !time_point_of(model_->index(row, 0), when))
            continue;
        if (!added || when < lo)
            lo = when;
        if (!added || hi < when)
            hi = when;
        added = true;
    }

    const QList<QByteArray> commands = model_->pending_commands();
    applying_ = true;
    reflect_busy();
    apply_state_ = std::make_shared<apply_state>();
    apply_total_ = commands.size();
    show_apply_progress();

    const auto ended = [this, commands, added, lo, hi](const sent_commands &out) {
        end_apply_progress();
        applying_ = false;
        const bool closing = std::exchange(close_after_apply_, false);
        // The grid is as it was before Apply, so its commands are the same list again.
        const bool ok = out.status.ok && !out.cancelled;
        if (!ok)
            tell_apply_stop(out.done, out.total, out.cancelled, out.cancelled ? QByteArray() : commands.value(out.done),
                            out.status);
        if (ok && closing) {
            emit applied(true);
            emit rejected();
            return;
        }
        if (added)
            widen_range(lo, hi);
        // Whatever went, the grid shows the server's rows again and nothing is pending.
        reload();
        apply_btn_->setEnabled(false);
        emit applied(ok);
    };
    if (!link_) {
        sent_commands none;
        none.total = commands.size();
        none.status.code = 2;
        ended(none);
        return true;
    }
    // A window closed meanwhile does not stop the commands: the user asked for them.
    const std::shared_ptr<apply_state> state = apply_state_;
    link_->post(this, [commands, state](db_exec &db) {
        return tab_data_model::send_commands(db, commands, &state->stop, &state->done);
    }, ended);
    return true;
}

void data_view::show_apply_progress()
{
    delete progress_.data();
    progress_ = new QProgressDialog(tr("applying the changes to table '%1'").arg(QString::fromUtf8(table_)),
                                    tr("Cancel"), 0, 0, this);
    progress_->setObjectName(QStringLiteral("apply_progress"));
    progress_->setWindowTitle(tr("Apply"));
    progress_->setWindowModality(Qt::ApplicationModal);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    // Shown by the timer below once the delay has passed, not by the dialog's own estimate.
    progress_->setMinimumDuration(std::numeric_limits<int>::max());
    const std::shared_ptr<apply_state> state = apply_state_;
    connect(progress_.data(), &QProgressDialog::canceled, this, [this, state] {
        state->stop = true;
        // The command in progress waits for a server that does not answer: the dialog would
        // stay with nothing left to stop it, so the wait itself ends.
        if (link_ && link_->waiting_for(this))
            link_->cancel();
    });
    apply_clock_.start();
    progress_timer_.setInterval(progress_poll_ms);
    progress_timer_.disconnect(this);
    connect(&progress_timer_, &QTimer::timeout, this, [this] {
        if (!progress_ || !apply_state_)
            return;
        if (progress_->wasCanceled())
            apply_state_->stop = true;
        if (!progress_->isVisible() && apply_clock_.elapsed() >= progress_delay_ms_)
            progress_->show();
        if (progress_->isVisible()) {
            progress_->setMaximum(apply_total_);
            set_progress_quietly(progress_, apply_state_->done.load());
        }
    });
    progress_timer_.start();
    if (progress_delay_ms_ <= 0) {
        progress_->show();
        progress_->setMaximum(apply_total_);
        set_progress_quietly(progress_, 0);
    }
}

void data_view::end_apply_progress()
{
    progress_timer_.stop();
    if (progress_) {
        progress_->hide();
        progress_->deleteLater();
        progress_.clear();
    }
    apply_state_.reset();
}

void data_view::tell_apply_stop(int done, int total, bool cancelled, const QByteArray &failed, const db_status &status)
{
    const QString title = tr("apply result");
    QStringList lines;
    lines << tr("apply changes to table '%1' is %2!").arg(QString::fromUtf8(table_), cancelled ? tr("cancelled") : tr("failed"));
    lines << tr("%1 of %2 commands went to the server.").arg(done).arg(total);
    if (!cancelled)
        lines << tr("This command failed: %1").arg(QString::fromUtf8(failed));
    lines << tr("The changes that did not go are dropped by the reload.");
    const QString text = lines.join(QLatin1Char('\n'));
    if (cancelled || !link_) {
        modal_seam::information(this, title, text);
        return;
    }
    QPointer<db_link> link = link_;
    failure_box::show(this, title, text, status, [link] {
        if (link)
            link->request_reconnect();
    });
}

bool data_view::has_pending() const
{
    return model_->changed_count() > 0 || model_->new_count() > 0;
}

bool data_view::settle_pending()
{
    if (!has_pending())
        return true;
    const QString text = tr("%1 edited or added rows are not applied yet, and a new view drops them. "
                            "Apply them first?").arg(model_->pending_commands().size());
    const QMessageBox::StandardButton answer =
        modal_seam::question(this, tr("pending changes"), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                             QMessageBox::Cancel);
    if (answer == QMessageBox::No)
        return true;
    // Apply reloads with the new form when it ends, unless the user kept the edits after all.
    if (answer == QMessageBox::Yes && start_apply())
        return false;
    if (has_pending())
        restore_form();
    return false;
}

void data_view::restore_form()
{
    const QSignalBlocker b1(fd_wt_), b2(limit_cb_), b3(limit_sb_), b4(s_dtm_), b5(e_dtm_);
    QListWidget *list = fd_wt_->list();
    for (int i = 0; i < list->count() && i < shown_.checked.size(); ++i)
        list->item(i)->setCheckState(shown_.checked[i] ? Qt::Checked : Qt::Unchecked);
    limit_cb_->setChecked(shown_.limit_on);
    limit_sb_->setEnabled(shown_.limit_on);
    limit_sb_->setValue(shown_.limit);
    s_dtm_->set_value(shown_.begin);
    e_dtm_->set_value(shown_.end);
}

close_answer data_view::may_close()
{
    // An Apply under way goes on without the window; a reload on its way drops the edits anyway.
    if (applying_ || loads_ > 0 || !has_pending())
        return close_answer::go;
    const QMessageBox::StandardButton answer = ask_pending_close(
        this, tr("%1 edited or added rows of table '%2' are not applied yet.")
                  .arg(model_->pending_commands().size())
                  .arg(QString::fromUtf8(table_)));
    if (answer == QMessageBox::Discard)
        return close_answer::go;
    if (answer != QMessageBox::Apply)
        return close_answer::keep;
    close_after_apply_ = true;
    if (start_apply() && applying_)
        return close_answer::applying;
    close_after_apply_ = false;
    return close_answer::keep;
}

void data_view::cancel()
{
    if (may_close() == close_answer::go)
        emit rejected();
}
