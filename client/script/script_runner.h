// Runs a list of commands one after another on the connection thread, stopping at the first
// failure. The window keeps its event loop: the results of the commands reach it as they come,
// and a progress dialog with Cancel appears on long runs.
#pragma once

#include "db/db_link.h"
#include "table/tab_data_model.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QWidget;

class script_runner : public QObject {
    Q_OBJECT
public:
    // Runs one command (never an empty one) on the connection thread; index is its place in the
    // list. A result to show goes into piece (left empty otherwise). True on success. It may
    // capture values only: it runs away from the window.
    using run_one = std::function<bool(db_exec &db, const QByteArray &cmd, int index, std::unique_ptr<grid_data> &piece)>;
    // On the GUI thread, in command order, while the run goes on.
    using take_piece = std::function<void(int index, grid_data &&piece)>;

    struct outcome {
        bool ok = true;        // every command ran and succeeded
        int failed = -1;       // index of the failing command, -1 when none failed
        int done = 0;          // commands run (the failing one included)
        int total = 0;         // non-empty commands in the list
        bool cancelled = false;
        db_status status;      // of the failing command
    };
    using finish = std::function<void(const outcome &)>;

    // The progress dialog belongs to dialog_parent (may be null). The runner is who waits for
    // its commands: the wait notices of its parents show them.
    script_runner(db_link *link, QWidget *dialog_parent, QObject *parent = nullptr);
    ~script_runner() override;

    // Empty commands are skipped. take receives the pieces as they come, done the outcome once
    // every piece was taken. False, and nothing runs, while a run goes on (or without a link).
    bool start(const QList<QByteArray> &commands, run_one one, take_piece take, finish done);

    bool running() const { return running_; }
    // Stops the run after the command in progress; when that command waits for a server that
    // does not answer, the wait is ended too. A no-op when idle.
    void cancel();

    // How long a run goes before the progress dialog shows (1 s unless changed).
    void set_progress_delay(int ms) { progress_delay_ms_ = ms; }
    QProgressDialog *progress_dialog() const { return dlg_; }
    db_link *link() const { return link_; }

    // How often the window looks at what the run has done, and how long one look may spend
    // on pieces (the rest waits for the next look).
    static constexpr int poll_ms = 20;
    static constexpr int piece_budget_ms = 30;

signals:
    // The progress dialog has just been shown (tests press Cancel from here).
    void progress_shown();
    // A run has ended; its outcome went to the finish callback just before.
    void finished(bool ok);

private:
    // Shared with the connection thread.
    struct run_state {
        std::atomic<bool> stop{false};
        std::atomic<int> done{0};
        std::mutex lock;
        std::deque<std::pair<int, std::unique_ptr<grid_data>>> ready;
    };
    void poll();
    // Takes pieces in order until piece_budget_ms are spent; true when none is left.
    bool take_ready();
    void ended(const outcome &out);
    void finish_run();

    QPointer<db_link> link_;
    QPointer<QWidget> dialog_parent_;
    QPointer<QProgressDialog> dlg_;
    QElapsedTimer clock_;
    QTimer poll_timer_;
    int progress_delay_ms_ = 1000;
    bool running_ = false;
    int total_ = 0;
    std::shared_ptr<run_state> state_;
    take_piece take_;
    finish finish_;
    outcome outcome_;
};
