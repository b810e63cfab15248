// The run loop shared by the script editor and "execute cmd": the commands on the connection
// thread, the pieces and the progress read here by a timer.
#include "script/script_runner.h"

#include "table/progress_steps.h"

#include <QProgressDialog>
#include <QWidget>

script_runner::script_runner(db_link *link, QWidget *dialog_parent, QObject *parent)
    : QObject(parent), link_(link), dialog_parent_(dialog_parent)
{
    poll_timer_.setInterval(poll_ms);
    connect(&poll_timer_, &QTimer::timeout, this, &script_runner::poll);
}

script_runner::~script_runner()
{
    // Nobody takes what comes any more: the rest of the run is not sent.
    if (state_)
        state_->stop = true;
    delete dlg_.data();
}

void script_runner::cancel()
{
    if (!running_ || !state_)
        return;
    state_->stop = true;
    if (link_ && link_->waiting_for(this))
        link_->cancel();
}

bool script_runner::start(const QList<QByteArray> &commands, run_one one, take_piece take, finish done)
{
    if (running_ || !link_)
        return false;
    running_ = true;
    total_ = 0;
    for (const QByteArray &c : commands)
        if (!c.isEmpty())
            ++total_;
    state_ = std::make_shared<run_state>();
    take_ = std::move(take);
    finish_ = std::move(done);
    clock_.start();
    poll_timer_.start();
    const std::shared_ptr<run_state> state = state_;
    const int total = total_;
    link_->post(this, [commands, one = std::move(one), state, total](db_exec &db) {
        outcome out;
        out.total = total;
        for (int i = 0; i < commands.size(); ++i) {
            const QByteArray &cmd = commands[i];
            if (cmd.isEmpty())
                continue;
            if (state->stop.load()) {
                out.ok = false;
                out.cancelled = true;
                break;
            }
            std::unique_ptr<grid_data> piece;
            const bool ok = one(db, cmd, i, piece);
            ++out.done;
            if (piece) {
                std::lock_guard<std::mutex> hold(state->lock);
                state->ready.emplace_back(i, std::move(piece));
            }
            state->done.store(out.done);
            if (!ok) {
                out.ok = false;
                out.failed = i;
                out.status = db_status::of(false, db);
                break;
            }
        }
        if (out.ok)
            out.status.ok = true;
        return out;
    }, [this](const outcome &out) { ended(out); });
    return true;
}

bool script_runner::take_ready()
{
    if (!state_)
        return true;
    QElapsedTimer spent;
    spent.start();
    while (spent.elapsed() < piece_budget_ms) {
        std::pair<int, std::unique_ptr<grid_data>> next;
        {
            std::lock_guard<std::mutex> hold(state_->lock);
            if (state_->ready.empty())
                return true;
            next = std::move(state_->ready.front());
            state_->ready.pop_front();
        }
        if (take_)
            take_(next.first, std::move(*next.second));
    }
    std::lock_guard<std::mutex> hold(state_->lock);
    return state_->ready.empty();
}

void script_runner::poll()
{
    if (!running_ || !state_)
        return;
    take_ready();
    const int done = state_->done.load();
    // As before a command: a run whose first commands took long shows where it is.
    if (!dlg_ && clock_.elapsed() >= progress_delay_ms_ && done >= 1 && done < total_) {
        // Application-modal, as a run has always been: the window takes no input meanwhile
        // but keeps painting, and the dialog's Cancel stops the run.
        dlg_ = new QProgressDialog(tr("executing commands..."), tr("Cancel"), 0, total_, dialog_parent_);
        dlg_->setWindowTitle(tr("execute infomation"));
        dlg_->setWindowModality(Qt::ApplicationModal);
        dlg_->setMinimumDuration(0);
        dlg_->setAutoReset(false);
        dlg_->setAutoClose(false);
        connect(dlg_.data(), &QProgressDialog::canceled, this, &script_runner::cancel);
        dlg_->setLabelText(tr("%1 of %2 commands done").arg(done).arg(total_));
        set_progress_quietly(dlg_, done);
        dlg_->show();
        emit progress_shown();
        return;
    }
    if (dlg_) {
        dlg_->setLabelText(tr("%1 of %2 commands done").arg(done).arg(total_));
        set_progress_quietly(dlg_, done);
    }
}

void script_runner::ended(const outcome &out)
{
    // The outcome follows every piece, also those the looks had no time for.
    while (!take_ready()) {
    }
    outcome_ = out;
    finish_run();
}

void script_runner::finish_run()
{
    poll_timer_.stop();
    if (dlg_) {
        dlg_->hide();
        dlg_->deleteLater();
        dlg_.clear();
    }
    // The run's log lines are in; the pane shows them before the outcome is told.
    if (link_)
        link_->log_side().update_log();
    running_ = false;
    state_.reset();
    take_ = nullptr;
    const finish done = std::move(finish_);
    finish_ = nullptr;
    const outcome out = outcome_;
    if (done)
        done(out);
    emit finished(out.ok);
}
