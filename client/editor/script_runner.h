// Runs a list of commands one after another on the GUI thread, stopping at the first failure,
// while the window keeps painting and a progress dialog with Cancel appears on long runs.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>

#include <functional>

class QWidget;
class db_exec;

class script_runner : public QObject {
    Q_OBJECT
public:
    // Runs one command (never an empty one); index is its place in the list. True on success.
    using run_one = std::function<bool(const QByteArray &cmd, int index)>;

    struct outcome {
        bool ok = true;        // every command ran and succeeded
        int failed = -1;       // index of the failing command, -1 when none failed
        int done = 0;          // commands run (the failing one included)
        int total = 0;         // non-empty commands in the list
        bool cancelled = false;
        bool busy = false;     // refused: this runner was already running
    };

    // The log of db (may be null) is brought up to date at the housekeeping points; the progress
    // dialog belongs to dialog_parent (may be null).
    script_runner(db_exec *db, QWidget *dialog_parent, QObject *parent = nullptr);
    ~script_runner() override;

    // Empty commands are skipped. Before every command whose index is a multiple of log_step,
    // after a failure and at the end, the execution log is brought up to date.
    outcome run(const QList<QByteArray> &commands, const run_one &one);

    bool running() const { return running_; }
    // Stops the run after the command in progress; a no-op when idle.
    void cancel();

    // How long a run goes before the progress dialog shows (1 s unless changed).
    void set_progress_delay(int ms) { progress_delay_ms_ = ms; }
    // How often all pending events (timers, the log pane, the Cancel button) are handled during
    // a run; repaints go out every paint_interval_ms in between.
    void set_event_interval(int ms) { event_interval_ms_ = ms; }
    QProgressDialog *progress_dialog() const { return dlg_; }

    static constexpr int log_step = 0x2000;
    static constexpr int paint_interval_ms = 40;

signals:
    // The progress dialog has just been shown (tests press Cancel from here).
    void progress_shown();

private:
    void keep_gui_alive(int done, int total);

    db_exec *db_;
    QPointer<QWidget> dialog_parent_;
    QPointer<QProgressDialog> dlg_;
    QElapsedTimer clock_;
    qint64 last_events_ms_ = 0;
    qint64 last_paint_ms_ = 0;
    int progress_delay_ms_ = 1000;
    // Each full pass lets the log pane rewrite itself, which costs milliseconds on a big log.
    int event_interval_ms_ = 250;
    bool running_ = false;
    bool cancel_ = false;
};
