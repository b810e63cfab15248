// The run loop shared by the script editor and "execute cmd".
#include "editor/script_runner.h"

#include "db/db_exec.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

script_runner::script_runner(db_exec *db, QWidget *dialog_parent, QObject *parent)
    : QObject(parent), db_(db), dialog_parent_(dialog_parent)
{
}

script_runner::~script_runner()
{
    delete dlg_.data();
}

void script_runner::cancel()
{
    if (running_)
        cancel_ = true;
}

script_runner::outcome script_runner::run(const QList<QByteArray> &commands, const run_one &one)
{
    outcome out;
    if (running_) {
        // Reached through the event handling of a run in progress (a second click, a shortcut).
        out.ok = false;
        out.busy = true;
        return out;
    }
    for (const QByteArray &c : commands)
        if (!c.isEmpty())
            ++out.total;

    running_ = true;
    cancel_ = false;
    clock_.start();
    last_events_ms_ = 0;
    last_paint_ms_ = 0;
    for (int i = 0; i < commands.size(); ++i) {
        if (i % log_step == 0 && db_)
            db_->update_log();
        const QByteArray &cmd = commands[i];
        if (cmd.isEmpty())
            continue;
        const bool ok = one(cmd, i);
        ++out.done;
        if (!ok) {
            out.ok = false;
            out.failed = i;
            break;
        }
        keep_gui_alive(out.done, out.total);
        if (cancel_ && out.done < out.total) {
            out.ok = false;
            out.cancelled = true;
            break;
        }
    }
    if (db_)
        db_->update_log();
    if (dlg_) {
        dlg_->hide();
        dlg_->deleteLater();
        dlg_.clear();
    }
    running_ = false;
    cancel_ = false;
    return out;
}

void script_runner::keep_gui_alive(int done, int total)
{
    const qint64 now = clock_.elapsed();
    if (now - last_paint_ms_ >= paint_interval_ms) {
        // Repaints only: cheap, and no timer runs, so the log pane is not rewritten each time.
        last_paint_ms_ = now;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    if (now - last_events_ms_ < event_interval_ms_)
        return;
    last_events_ms_ = now;

    if (!dlg_ && now >= progress_delay_ms_ && done < total) {
        // Application-modal: while it shows, the user can reach nothing but its Cancel button,
        // so no tab or file can be closed under the running loop.
        dlg_ = new QProgressDialog(tr("executing commands..."), tr("Cancel"), 0, total, dialog_parent_);
        dlg_->setWindowTitle(tr("execute infomation"));
        dlg_->setWindowModality(Qt::ApplicationModal);
        dlg_->setMinimumDuration(0);
        dlg_->setAutoReset(false);
        dlg_->setAutoClose(false);
        connect(dlg_.data(), &QProgressDialog::canceled, this, &script_runner::cancel);
        dlg_->show();
        emit progress_shown();
    }
    if (dlg_) {
        // setValue of a modal progress dialog handles the pending events itself.
        dlg_->setLabelText(tr("%1 of %2 commands done").arg(done).arg(total));
        dlg_->setValue(done);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        // Until the dialog shows nothing blocks the window, so input waits until the run ends;
        // painting and timers go on.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
