// Execution wrapper: runs a command through the library, times it, builds its log line and
// hands the line to the log pane's writer.
#include "db/db_exec.h"

#include "db/client_log.h"

#include <chrono>

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

result_set *db_exec::run(const QByteArray &cmd, QByteArray &log_line, int quiet)
{
    if (home_ && QThread::currentThread() != home_->thread()) {
        // Only the connection thread holds the connection: the caller waits for it there.
        result_set *rs = nullptr;
        QMetaObject::invokeMethod(home_, [&] { rs = run(cmd, log_line, quiet); }, Qt::BlockingQueuedConnection);
        return rs;
    }
    if (refusing_.load()) {
        // Asked before a cancel: it never reaches the server and leaves no line in the log.
        last_code_ = 2;
        last_reason_ = QByteArrayLiteral("cancelled");
        last_dropped_ = true;
        log_line.clear();
        client_log::command(cmd, false, last_code_, last_reason_, 0, true, 0);
        emit ran(cmd, false);
        return nullptr;
    }
    last_dropped_ = false;
    const QByteArray when = log_time_text();
    const auto start = std::chrono::steady_clock::now();
    result_set *rs = exec(cmd.constData(), cmd.size());
    const auto end = std::chrono::steady_clock::now();
    const double micros = std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count() / 1000.0;
    const char *why = nullptr;
    last_code_ = last_error(&why);
    last_reason_ = QByteArray(why ? why : "");
    client_log::command(cmd, rs != nullptr, last_code_, last_reason_, micros, false, rs ? qint64(rows_of(rs)) : 0);
    if (last_code_ == 2)
        emit connection_lost();
    const QByteArray shown = log_command_text(cmd);
    log_line = make_log_line(when, shown, rs != nullptr, micros);
    if (quiet == 0) {
        log_entry e;
        e.html = log_line;
        e.when = when;
        e.cmd = shown;
        e.micros = micros;
        e.ok = rs != nullptr;
        e.has_pieces = true;
        e.background = background_;
        if (!rs)
            e.reason = last_reason_;
        add_entry(std::move(e));
    }
    emit ran(cmd, rs != nullptr);
    return rs;
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
