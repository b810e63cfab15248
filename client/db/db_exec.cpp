// Execution wrapper: runs a command through the library, times it, builds its log line and
// hands the line to the log pane's writer.
#include "db/db_exec.h"

#include "db/client_log.h"

#include <chrono>
#include <cstring>

db_exec::db_exec(const QByteArray &name, QTextEdit *log, QObject *parent)
    : QObject(parent), name_(name), pane_(log)
{
    drain_timer_.setSingleShot(true);
    connect(&drain_timer_, &QTimer::timeout, this, &db_exec::drain_outbox);
}

db_exec::~db_exec()
{
    update_log();
    // Ends this thread's connection; the connection thread ends its own before the wrapper goes.
    exit_to_server();
}

namespace {

using steady = std::chrono::steady_clock;

double micros_since(steady::time_point start)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(steady::now() - start).count() / 1000.0;
}

// The caller's pieces of a text, behind the start that was asked for first (for the log).
struct piece_feed {
    explicit piece_feed(const db_exec::text_fill &f) : fill(f) {}
    const db_exec::text_fill &fill;
    QByteArray start;
    int served = 0;
    bool gave_up = false;
    QByteArray why;

    void take_start(int want)
    {
        start.resize(want);
        int got = 0;
        gave_up = !fill;
        while (got < want && !gave_up) {
            const size_t n = fill(start.data() + got, size_t(want - got), why);
            gave_up = n == 0;
            got += int(n);
        }
        start.resize(got);
    }

    static size_t next(void *ctx, char *buf, size_t cap)
    {
        auto *f = static_cast<piece_feed *>(ctx);
        if (f->served < f->start.size()) {
            const size_t n = qMin(cap, size_t(f->start.size() - f->served));
            std::memcpy(buf, f->start.constData() + f->served, n);
            f->served += int(n);
            return n;
        }
        if (f->gave_up || !f->fill)
            return 0;
        const size_t n = f->fill(buf, cap, f->why);
        f->gave_up = n == 0;
        return n;
    }
};

struct row_feed {
    explicit row_feed(const db_exec::row_take &t) : take(t) {}
    const db_exec::row_take &take;
    qint64 rows = 0;

    static bool next(void *ctx, const result_set *rs)
    {
        auto *f = static_cast<row_feed *>(ctx);
        f->rows += qint64(rows_of(rs));
        return !f->take || f->take(rs);
    }
};

} // namespace

bool db_exec::off_home(const QByteArray &cmd)
{
    if (!home_ || QThread::currentThread() == home_->thread())
        return false;
    // Only the connection thread holds the connection, and no other thread may wait for it: a
    // caller elsewhere is a fault of ours, refused rather than run on the wrong session.
    Q_ASSERT_X(false, "db_exec", "called off the connection thread; post a job to db_link");
    last_code_ = 2;
    last_reason_ = QByteArrayLiteral("not on the connection thread");
    last_dropped_ = false;
    client_log::command(log_command_text(cmd), false, last_code_, last_reason_, 0, false, 0);
    return true;
}

result_set *db_exec::run(const QByteArray &cmd, QByteArray &log_line, int quiet)
{
    if (off_home(cmd))
        return nullptr;
    const QByteArray shown = log_command_text(cmd);
    if (refused(shown, cmd, log_line))
        return nullptr;
    const QByteArray when = log_time_text();
    const auto start = steady::now();
    result_set *rs = exec(cmd.constData(), cmd.size());
    const double micros = micros_since(start);
    take_last_error();
    finish(when, micros, rs != nullptr, rs ? qint64(rows_of(rs)) : 0, shown, cmd, log_line, quiet);
    return rs;
}

result_set *db_exec::run_pieces(qint64 len, const text_fill &fill, int quiet)
{
    if (off_home(QByteArrayLiteral("(a command sent in pieces)")))
        return nullptr;
    len = qMax<qint64>(0, len);
    piece_feed feed(fill);
    feed.take_start(int(qMin<qint64>(len, log_command_start(len))));
    const QByteArray shown = log_command_text(feed.start, len);
    QByteArray log_line;
    if (refused(shown, shown, log_line))
        return nullptr;
    const QByteArray when = log_time_text();
    const auto start = steady::now();
    result_set *rs = exec_pieces(uint64_t(len), &piece_feed::next, &feed);
    const double micros = micros_since(start);
    take_last_error();
    if (!rs && feed.gave_up && !feed.why.isEmpty())
        last_reason_ = feed.why;
    finish(when, micros, rs != nullptr, rs ? qint64(rows_of(rs)) : 0, shown, shown, log_line, quiet);
    return rs;
}

bool db_exec::run_rows(const QByteArray &cmd, const row_take &take, int quiet)
{
    if (off_home(cmd))
        return false;
    const QByteArray shown = log_command_text(cmd);
    QByteArray log_line;
    if (refused(shown, cmd, log_line))
        return false;
    row_feed feed(take);
    const QByteArray when = log_time_text();
    const auto start = steady::now();
    const bool ok = exec_rows(cmd.constData(), cmd.size(), &row_feed::next, &feed);
    const double micros = micros_since(start);
    take_last_error();
    finish(when, micros, ok, feed.rows, shown, cmd, log_line, quiet);
    return ok;
}

bool db_exec::refused(const QByteArray &shown, const QByteArray &ran_text, QByteArray &log_line)
{
    if (!refusing_.load())
        return false;
    // Asked before a cancel: it never reaches the server and leaves no line in the log.
    last_code_ = 2;
    last_reason_ = QByteArrayLiteral("cancelled");
    last_dropped_ = true;
    log_line.clear();
    client_log::command(shown, false, last_code_, last_reason_, 0, true, 0);
    emit ran(ran_text, false);
    return true;
}

void db_exec::take_last_error()
{
    last_dropped_ = false;
    const char *why = nullptr;
    last_code_ = last_error(&why);
    last_reason_ = QByteArray(why ? why : "");
}

void db_exec::finish(const QByteArray &when, double micros, bool ok, qint64 rows, const QByteArray &shown,
                     const QByteArray &ran_text, QByteArray &log_line, int quiet)
{
    client_log::command(shown, ok, last_code_, last_reason_, micros, false, rows);
    if (last_code_ == 2)
        emit connection_lost();
    log_line = make_log_line(when, shown, ok, micros);
    if (quiet == 0) {
        log_entry e;
        e.html = log_line;
        e.when = when;
        e.cmd = shown;
        e.micros = micros;
        e.ok = ok;
        e.has_pieces = true;
        e.background = background_;
        if (!ok)
            e.reason = last_reason_;
        add_entry(std::move(e));
    }
    emit ran(ran_text, ok);
}

result_set *db_exec::run(const QByteArray &cmd, int quiet)
{
    QByteArray line;
    return run(cmd, line, quiet);
}

void db_exec::append_log(const QByteArray &line)
{
    log_entry e;
    e.html = line;
    add_entry(std::move(e));
}

void db_exec::add_entry(log_entry e)
{
    if (QThread::currentThread() == pane_.thread()) {
        add_here(e);
        return;
    }
    bool first = false;
    {
        std::lock_guard<std::mutex> hold(outbox_lock_);
        first = outbox_.empty();
        outbox_.push_back(std::move(e));
    }
    if (first)
        QMetaObject::invokeMethod(&pane_, [this] { drain_soon(); }, Qt::QueuedConnection);
}

void db_exec::drain_soon()
{
    const qint64 since = since_drain_.isValid() ? since_drain_.elapsed() : qint64(drain_gap_ms);
    if (since >= drain_gap_ms) {
        drain_outbox();
        return;
    }
    if (!drain_timer_.isActive())
        drain_timer_.start(int(drain_gap_ms - since));
}

void db_exec::drain_outbox()
{
    drain_timer_.stop();
    since_drain_.start();
    std::vector<log_entry> batch;
    {
        std::lock_guard<std::mutex> hold(outbox_lock_);
        batch.swap(outbox_);
    }
    for (const log_entry &e : batch)
        add_here(e);
}

void db_exec::add_here(const log_entry &e)
{
    pane_.add(e);
    if (!e.background)
        user_pane_.add(e);
}

void db_exec::update_log()
{
    if (QThread::currentThread() != pane_.thread())
        return;
    drain_outbox();
    pane_.update();
    user_pane_.update();
}

bool db_exec::query(const QByteArray &cmd, name_list &names, row_list &rows, name_list &types,
                    QByteArray &log_line, int quiet, sid_list *sids)
{
    result_set *rs = run(cmd, log_line, quiet);
    if (!rs)
        return false;
    to_table(rs, names, rows, types, sids);
    del_datas(rs);
    return true;
}

bool db_exec::query(const QByteArray &cmd, result_table &out, int quiet, bool with_sids)
{
    QByteArray line;
    return query(cmd, out.names, out.rows, out.types, line, quiet, with_sids ? &out.sids : nullptr);
}
