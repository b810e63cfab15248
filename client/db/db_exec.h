// The one road of every command to the server: runs it through the library, times it and
// records it in the execution log pane, newest entry first. It runs commands on the thread whose
// connection it uses (in the program the connection thread of db_link); its log lines reach the
// pane on the pane's thread.
#pragma once

#include "db/log_pane_writer.h"
#include "db/result_table.h"
#include "vorn_tsdb.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

class db_exec : public QObject {
    Q_OBJECT
public:
    // The pane is not owned; it may be null (nothing is shown) and may die before the wrapper.
    db_exec(const QByteArray &name, QTextEdit *log, QObject *parent = nullptr);
    // Ends the server connection of this thread (exit_to_server).
    ~db_exec() override;
    db_exec(const db_exec &) = delete;
    db_exec &operator=(const db_exec &) = delete;

    const QByteArray &name() const { return name_; }
    QTextEdit *log() const { return pane_.pane(); }
    // The pane the lines go to from now on (the main window's, once it exists).
    void set_log(QTextEdit *log) { pane_.set_pane(log); }
    // A second log of the user's own commands only (null: none, the default): the lines of
    // background jobs stay out of it, so a pane that shows it keeps the user's commands in sight.
    void set_user_log(QTextDocument *doc) { user_pane_.set_document(doc); }
    QTextDocument *user_log() const { return user_pane_.document(); }

    // The commands run from now on are asked by the program itself, not by the user (db_link
    // clears the mark before every job; a job of the tree refresh or a follow sets it).
    void set_background(bool on) { background_ = on; }
    bool background() const { return background_; }

    // Runs cmd; log_line receives the HTML line of the run. With quiet 0 the line also goes to
    // the pane. The caller owns a non-null result and releases it with del_datas.
    result_set *run(const QByteArray &cmd, QByteArray &log_line, int quiet = 0);
    result_set *run(const QByteArray &cmd, int quiet = 0);

    // run for a text too large to hold at once (a raw restore): the text, len bytes in all, is
    // asked for piece by piece as it goes out. fill writes up to cap bytes of its continuation
    // into buf and returns how many (at least 1 while text remains); its first few KiB are asked
    // for before the command goes out (also when it is refused), for the log, which shows the
    // text's start and its length.
    // Returning 0 gives up: the connection is closed and the run fails with code 2 and the reason
    // fill put into why ("cancelled" when it put none).
    using text_fill = std::function<size_t(char *buf, size_t cap, QByteArray &why)>;
    result_set *run_pieces(qint64 len, const text_fill &fill, int quiet = 0);

    // run for a reply too large to hold (a raw backup): take receives the reply's rows batch by
    // batch as they arrive, lent for the call only (see exec_rows); an empty take drops them.
    // take returns false to stop, which closes the connection (code 2, "cancelled"). True when
    // the whole reply arrived and succeeded; rows taken before a failure may be part of it only.
    using row_take = std::function<bool(const result_set *rows)>;
    bool run_rows(const QByteArray &cmd, const row_take &take, int quiet = 0);

    // Why the last run failed, as the library tells it: 0 it succeeded, 1 the server refused the
    // command, 2 the connection failed; the reason is UTF-8 text (empty after a success).
    int last_code() const { return last_code_; }
    QString last_reason() const { return QString::fromUtf8(last_reason_); }
    // The last run was never sent: an earlier command's wait was cancelled, and commands asked
    // before the cancel are refused (code 2, reason "cancelled") instead of reaching the server.
    bool last_dropped() const { return last_dropped_; }
    // Forgets the last run's outcome, so a job that fails before it runs anything does not
    // report an earlier job's failure (db_link calls it before every job).
    void forget_last()
    {
        last_code_ = 0;
        last_reason_.clear();
        last_dropped_ = false;
    }

    // The object on the connection thread (db_link's worker). A run asked on another thread is
    // refused (code 2): callers post their work to db_link instead of waiting for it.
    void set_home(QObject *home) { home_ = home; }

    // While set, every run is refused as above. Set from any thread: the connection thread sets
    // it per job, a cancel sets it at once for the rest of the job that waits.
    void set_refusing(bool on) { refusing_.store(on); }
    bool refusing() const { return refusing_.load(); }

    // Puts a line at the top of the pane. Lines are collected and shown together when control
    // returns to the event loop or at update_log(), whichever comes first. Callable from any
    // thread: lines from another thread than the pane's travel there in batches.
    void append_log(const QByteArray &line);

    // Brings the pane up to date with every line appended so far; on another thread than the
    // pane's it does nothing (the lines are on their way).
    void update_log();

    // Lines appended but not yet shown (for the runners' and the tests' sake); lines that
    // would have been cut before being seen are not kept.
    int pending_lines() const { return pane_.pending_lines(); }

    // run, then to_table into the outputs. False when the command failed; the outputs are then
    // left untouched. The result set is released here.
    bool query(const QByteArray &cmd, name_list &names, row_list &rows, name_list &types,
               QByteArray &log_line, int quiet = 0, sid_list *sids = nullptr);
    bool query(const QByteArray &cmd, result_table &out, int quiet = 0, bool with_sids = true);

    // Asks whoever keeps the connection values (the main window) to reconnect; the failure
    // boxes of the tabs offer it when the connection is gone.
    void request_reconnect() { emit reconnect_requested(); }

    // The largest HTML text the pane keeps before it is cut to its newest eighth.
    static constexpr int log_cap = log_pane_writer::cap;
    // Lines from another thread reach the pane at most this often: a run of many quick
    // commands would otherwise have the window rewrite the pane without pause.
    static constexpr int drain_gap_ms = 100;

signals:
    // A run failed because the connection is gone (last_code() 2).
    void connection_lost();
    void reconnect_requested();
    // After every run, logged or quiet: what ran and whether it succeeded (a text that went out
    // in pieces as the log shows it).
    void ran(const QByteArray &cmd, bool ok);

private:
    // The parts every run shares: a refused run's outcome (false when runs are not refused), and
    // the outcome, logs and signals of a run that went out.
    bool refused(const QByteArray &shown, const QByteArray &ran_text, QByteArray &log_line);
    // True (and the run refused, code 2) when called off the connection thread.
    bool off_home(const QByteArray &cmd);
    void take_last_error();
    void finish(const QByteArray &when, double micros, bool ok, qint64 rows, const QByteArray &shown,
                const QByteArray &ran_text, QByteArray &log_line, int quiet);
    void add_entry(log_entry e);
    // On the pane's thread: the entry to the pane, and to the user's log unless it is background.
    void add_here(const log_entry &e);
    void drain_outbox();
    // On the pane's thread: drains now, or once drain_gap_ms have passed since the last drain.
    void drain_soon();

    QByteArray name_;
    log_pane_writer pane_;
    log_pane_writer user_pane_{nullptr};
    bool background_ = false;   // connection thread
    int last_code_ = 0;
    QByteArray last_reason_;
    bool last_dropped_ = false;
    std::atomic<bool> refusing_{false};
    QObject *home_ = nullptr;
    // Lines from another thread waiting for the pane's thread; one queued drain carries a batch.
    std::mutex outbox_lock_;
    std::vector<log_entry> outbox_;
    // Pane's thread only.
    QElapsedTimer since_drain_;
    QTimer drain_timer_;
};
