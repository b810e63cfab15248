// Pending edits: Apply (the question about shared time points, the commands with a progress
// dialog that can stop between them, the report of what did not go, the reload in every case),
// and the question before a new view or closing the window would drop them.
#include "table/data_view.h"

#include "common/failure_box.h"
#include "common/modal_seam.h"
#include "db/db_exec.h"
#include "table/apply_question.h"
#include "table/datetime_edit.h"
#include "table/fld_wt.h"
#include "table/tab_data_model.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <limits>

namespace mem = ox::db::mem;

void data_view::apply()
{
    // No keeps the edits and sends nothing.
    if (!confirm_shared_updates(this, *model_))
        return;

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

    QProgressDialog progress(tr("applying the changes to table '%1'").arg(QString::fromUtf8(table_)), tr("Cancel"),
                             0, 0, this);
    progress.setObjectName(QStringLiteral("apply_progress"));
    progress.setWindowTitle(tr("Apply"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    // Shown by the callback below once the delay has passed, not by the dialog's own estimate.
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    QElapsedTimer clock;
    clock.start();
    int reached = 0, total = 0;
    bool cancelled = false;
    const bool ok = model_->apply_changes([&](int done, int count) {
        reached = done;
        total = count;
        if (!progress.isVisible() && clock.elapsed() >= progress_delay_ms_)
            progress.show();
        // Shown by hand, the dialog does not run the event loop itself: the Cancel click needs this.
        if (progress.isVisible()) {
            progress.setMaximum(count);
            progress.setValue(done);
            QCoreApplication::processEvents();
        }
        cancelled = progress.wasCanceled();
        return !cancelled;
    });
    progress.hide();
    if (exec_)
        exec_->update_log();

    // The grid is as it was before Apply, so its commands are the same list again.
    if (!ok)
        tell_apply_stop(reached, total, cancelled, cancelled ? QByteArray() : model_->pending_commands().value(reached));
    if (added)
        widen_range(lo, hi);
    // Whatever went, the grid shows the server's rows again and nothing is pending.
    reload();
    apply_btn_->setEnabled(false);
}

void data_view::tell_apply_stop(int done, int total, bool cancelled, const QByteArray &failed)
{
    const QString title = tr("apply result");
    QStringList lines;
    lines << tr("apply changes to table '%1' is %2!").arg(QString::fromUtf8(table_), cancelled ? tr("cancelled") : tr("failed"));
    lines << tr("%1 of %2 commands went to the server.").arg(done).arg(total);
    if (!cancelled)
        lines << tr("This command failed: %1").arg(QString::fromUtf8(failed));
    lines << tr("The changes that did not go are dropped by the reload.");
    const QString text = lines.join(QLatin1Char('\n'));
    if (cancelled || !exec_) {
        modal_seam::information(this, title, text);
        return;
    }
    db_exec *exec = exec_;
    failure_box::show(this, title, text, exec->last_code(), exec->last_reason(), [exec] { exec->request_reconnect(); });
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
    if (answer == QMessageBox::Yes)
        apply(); // reloads with the new form, unless the user kept the edits after all
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

void data_view::cancel()
{
    if (has_pending() &&
        modal_seam::question(this, tr("pending changes"),
                             tr("%1 edited or added rows are not applied yet. Close the view and drop them?")
                                 .arg(model_->pending_commands().size()),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    emit rejected();
}
