// The connection thread of a window: the one thread that holds its library session (the library
// keeps its connection per thread). Jobs posted from the GUI thread run there one at a time, in
// the order they were asked, and what each returns comes back on the GUI thread; a job that
// waits long is announced, and its wait can be cancelled.
#pragma once

#include "db/db_exec.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <type_traits>

// How a job's commands ended, as the wrapper told it on the connection thread.
struct db_status {
    bool ok = false;
    int code = 0;        // 0 success, 1 the server refused, 2 the connection failed
    QString reason;      // empty after a success
    bool dropped = false; // never sent: asked before a cancel (see db_exec::last_dropped)

    static db_status of(bool ok, const db_exec &db)
    {
        db_status s;
        s.ok = ok;
        s.code = ok ? 0 : db.last_code();
        s.reason = ok ? QString() : db.last_reason();
        s.dropped = !ok && db.last_dropped();
        return s;
    }
};

// What a login needs, kept for reconnects.
struct login_values {
    QByteArray ip;
    int port = 0;
    QByteArray user;
    QByteArray passwd;
};

class db_link : public QObject {
    Q_OBJECT
public:
    // The pane is not owned and may be null (set_log later). The thread starts at once, with no
    // connection until login().
    explicit db_link(const QByteArray &name, QTextEdit *log = nullptr, QObject *parent = nullptr);
    // Cancels a wait, drops what is queued, ends the connection on its thread and joins it.
    ~db_link() override;
    db_link(const db_link &) = delete;
    db_link &operator=(const db_link &) = delete;

    // Runs job(db_exec &) on the connection thread; then done(result) on the GUI thread, unless
    // asker was destroyed meanwhile. asker (may be null) is who waits: the wait notices name it.
    template <class Job, class Done>
    void post(QObject *asker, Job job, Done done);
    // A job whose outcome nobody waits for.
    template <class Job>
    void post(QObject *asker, Job job)
    {
        post(asker, std::move(job), [](auto &&...) {});
    }

    // connect_to_server on the connection thread; values are kept for reconnect().
    void login(const login_values &values, QObject *asker, std::function<void(const db_status &)> done);
    // Logs in again with the values of the last login.
    void reconnect(QObject *asker, std::function<void(const db_status &)> done);
    const login_values &values() const { return values_; }

    // A job runs, waits in the queue or its answer is on the way.
    bool busy() const { return outstanding_ > 0; }
    int outstanding() const { return outstanding_; }
    // The job that runs now has taken longer than wait_delay_ms; who asked for it.
    bool waiting() const { return waiting_; }
    QObject *waiting_asker() const { return running_asker_; }
    int waited_seconds() const { return waiting_ ? int(running_clock_.elapsed() / 1000) : 0; }
    // The job that waits now was asked by owner or by an object below it.
    bool waiting_for(const QObject *owner) const;

    // Ends the wait of the job that runs now: its command returns failed with code 2 and the
    // reason "cancelled", the connection closes (connection_lost follows) and every job asked
    // before the cancel runs without reaching the server (its commands fail, dropped). Nothing
    // when idle.
    void cancel();

    // Offers the window's reconnect (the failure boxes ask for it).
    void request_reconnect() { emit reconnect_requested(); }

    // The wrapper, for the GUI thread's log lines (append_log, set_log, update_log) only:
    // commands run in jobs.
    db_exec &log_side() { return *db_; }

    // How long a job runs before it is announced.
    static constexpr int wait_delay_ms = 300;

signals:
    void busy_changed(bool busy);
    // A job has run past wait_delay_ms; then every second while it waits; then its end.
    void wait_started(QObject *asker);
    void wait_tick(QObject *asker, int seconds);
    void wait_ended(QObject *asker);
    // A command failed because the connection is gone (code 2), also after a cancel.
    void connection_lost();
    void reconnect_requested();
    // After cancel(), before the cancelled command's answer arrives.
    void cancelled();

private:
    // Runs on the connection thread; returns what is to run on the GUI thread afterwards.
    using task = std::function<std::function<void()>(db_exec &)>;
    struct queued {
        quint64 seq;
        QPointer<QObject> asker;
    };
    void enqueue(QObject *asker, task t);
    void started(quint64 seq);
    void finished(quint64 seq, const std::function<void()> &then);
    void announce();

    class worker;
    QThread *thread_ = nullptr;
    worker *worker_ = nullptr;
    std::unique_ptr<db_exec> db_;
    login_values values_;

    // GUI side.
    std::deque<queued> queue_;   // posted and not finished, oldest first
    quint64 next_seq_ = 0;
    int outstanding_ = 0;
    quint64 running_seq_ = 0;
    QPointer<QObject> running_asker_;
    QElapsedTimer running_clock_;
    bool running_ = false;
    bool waiting_ = false;
    QTimer wait_timer_;   // the delay, then the ticks

    // Shared with the connection thread: jobs asked before the latest cancel carry an older
    // generation and are refused.
    std::atomic<quint64> generation_{0};
    std::atomic<quint64> thread_id_{0};
    // A session is up: its loss is logged once.
    std::shared_ptr<std::atomic<bool>> online_ = std::make_shared<std::atomic<bool>>(false);
};

template <class Job, class Done>
void db_link::post(QObject *asker, Job job, Done done)
{
    using result = std::decay_t<std::invoke_result_t<Job &, db_exec &>>;
    QPointer<QObject> guard(asker);
    const bool guarded = asker != nullptr;
    enqueue(asker, [job = std::move(job), done = std::move(done), guard, guarded](db_exec &db) mutable
                -> std::function<void()> {
        if constexpr (std::is_void_v<result>) {
            job(db);
            return [done, guard, guarded]() mutable {
                if (!guarded || guard)
                    done();
            };
        } else {
            auto out = std::make_shared<result>(job(db));
            return [done, guard, guarded, out]() mutable {
                if (!guarded || guard)
                    done(std::move(*out));
            };
        }
    });
}
