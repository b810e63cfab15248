// The connection thread: the job queue, the answers back on the GUI thread, the wait notices and
// the cancel.
#include "db/db_link.h"

#include "db/client_log.h"
#include "vorn_tsdb.h"

#include <QThread>

// Lives on the connection thread; jobs reach it as queued calls, so they run in posting order.
class db_link::worker : public QObject {
};

db_link::db_link(const QByteArray &name, QTextEdit *log, QObject *parent)
    : QObject(parent), db_(std::make_unique<db_exec>(name, log))
{
    connect(db_.get(), &db_exec::connection_lost, this, &db_link::connection_lost);
    connect(db_.get(), &db_exec::reconnect_requested, this, &db_link::reconnect_requested);
    // On the connection thread, once per lost session (every command after it fails alike).
    connect(db_.get(), &db_exec::connection_lost, db_.get(), [db = db_.get(), online = online_] {
        if (online->exchange(false))
            client_log::connection_lost(db->last_reason());
    }, Qt::DirectConnection);
    wait_timer_.setSingleShot(false);
    connect(&wait_timer_, &QTimer::timeout, this, &db_link::announce);

    thread_ = new QThread(this);
    thread_->setObjectName(QStringLiteral("vorn connection"));
    worker_ = new worker;
    worker_->moveToThread(thread_);
    db_->set_home(worker_);
    thread_->start();
    QMetaObject::invokeMethod(worker_, [this] {
        thread_id_.store(quint64(reinterpret_cast<quintptr>(QThread::currentThreadId())));
    }, Qt::QueuedConnection);
}

db_link::~db_link()
{
    // Whatever waits in the queue is refused; a wait on a silent server is ended, not sat out.
    generation_.fetch_add(1);
    db_->set_refusing(true);
    if (running_ && thread_id_.load())
        cancel_exec(thread_id_.load());
    // The last job: after everything queued, the connection ends on its own thread.
    QMetaObject::invokeMethod(worker_, [] {
        exit_to_server();
        QThread::currentThread()->quit();
    }, Qt::QueuedConnection);
    thread_->wait();
    delete worker_;
}

void db_link::enqueue(QObject *asker, task t)
{
    const quint64 seq = ++next_seq_;
    const quint64 gen = generation_.load();
    queue_.push_back(queued{ seq, asker });
    if (outstanding_++ == 0)
        emit busy_changed(true);
    QMetaObject::invokeMethod(worker_, [this, seq, gen, t = std::move(t)]() mutable {
        db_->set_refusing(gen != generation_.load());
        db_->forget_last();
        db_->set_background(false);
        QMetaObject::invokeMethod(this, [this, seq] { started(seq); }, Qt::QueuedConnection);
        std::function<void()> then = t(*db_);
        QMetaObject::invokeMethod(this, [this, seq, then = std::move(then)] { finished(seq, then); },
                                  Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void db_link::started(quint64 seq)
{
    running_ = true;
    running_seq_ = seq;
    running_asker_.clear();
    for (const queued &q : queue_)
        if (q.seq == seq)
            running_asker_ = q.asker;
    running_clock_.start();
    waiting_ = false;
    wait_timer_.start(wait_delay_ms);
}

void db_link::announce()
{
    if (!running_) {
        wait_timer_.stop();
        return;
    }
    if (!waiting_) {
        waiting_ = true;
        wait_timer_.start(1000);
        emit wait_started(running_asker_);
        return;
    }
    emit wait_tick(running_asker_, waited_seconds());
}

void db_link::finished(quint64 seq, const std::function<void()> &then)
{
    if (running_ && running_seq_ == seq) {
        running_ = false;
        wait_timer_.stop();
        if (waiting_) {
            waiting_ = false;
            emit wait_ended(running_asker_);
        }
        running_asker_.clear();
    }
    while (!queue_.empty() && queue_.front().seq <= seq)
        queue_.pop_front();
    // The answer first: a job it posts keeps the link busy without a gap.
    if (then)
        then();
    if (--outstanding_ == 0)
        emit busy_changed(false);
}

bool db_link::waiting_for(const QObject *owner) const
{
    if (!waiting_ || !owner)
        return false;
    for (const QObject *o = running_asker_.data(); o; o = o->parent())
        if (o == owner)
            return true;
    return false;
}

void db_link::cancel()
{
    if (!busy())
        return;
    generation_.fetch_add(1);
    db_->set_refusing(true);
    if (const quint64 t = thread_id_.load())
        cancel_exec(t);
    client_log::wait_cancelled(waited_seconds());
    emit cancelled();
    emit connection_lost();
}

void db_link::login(const login_values &values, QObject *asker, std::function<void(const db_status &)> done)
{
    values_ = values;
    post(asker, [values, online = online_](db_exec &db) {
        db_status s;
        if (db.refusing()) {
            s.code = 2;
            s.reason = QStringLiteral("cancelled");
            s.dropped = true;
            return s;
        }
        // A reconnect replaces whatever is left of the old connection.
        exit_to_server();
        s.ok = connect_to_server(values.ip.constData(), values.port, values.user.constData(),
                                 values.passwd.constData());
        const char *why = nullptr;
        const int code = last_error(&why);
        if (!s.ok) {
            s.code = code;
            s.reason = QString::fromUtf8(why ? why : "");
        }
        online->store(s.ok);
        client_log::login_result(values.ip, values.port, values.user, s.ok, s.code, s.reason);
        return s;
    }, std::move(done));
}

void db_link::reconnect(QObject *asker, std::function<void(const db_status &)> done)
{
    client_log::reconnect_asked(values_.ip, values_.port, values_.user);
    login(values_, asker, std::move(done));
}
