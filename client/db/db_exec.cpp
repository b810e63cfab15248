// Execution wrapper: timing, the HTML log line and the batched updates of the log pane.
#include "db/db_exec.h"

#include "support/mem_time.h"

#include <QTextEdit>
#include <chrono>
#include <cstdio>

namespace {

bool needs_escaping(const QByteArray &text)
{
    for (char c : text)
        if (c == '<' || c == '>' || c == '&' || c == '"')
            return true;
    return false;
}

} // namespace

QByteArray log_time_text()
{
    return ox::db::mem::to_text(ox::db::mem::local_now()).toLatin1();
}

QByteArray make_log_line(const QByteArray &when, const QByteArray &cmd, bool ok, double micros)
{
    static const QByteArray open_cmd = " execute cmd:<div style='color:#52a6c4'>    ";
    static const QByteArray close_cmd = "</div><br>    result: ";
    static const QByteArray good = "<span style='color:green'>successful</span>";
    static const QByteArray bad = "<span style='color:red'>failed    </span>";
    static const QByteArray use_time = " , use time: <b>";
    static const QByteArray tail = "</b> us.<br>";

    // Commands without markup characters (nearly all) skip the round trip through UTF-16.
    const QByteArray shown = needs_escaping(cmd) ? QString::fromUtf8(cmd).toHtmlEscaped().toUtf8() : cmd;
    char number[400];
    const int n = std::snprintf(number, sizeof number, "%f", micros);

    QByteArray line;
    line.reserve(when.size() + shown.size() + 160 + n);
    line += when;
    line += open_cmd;
    line += shown;
    line += close_cmd;
    line += ok ? good : bad;
    line += use_time;
    line.append(number, n > 0 ? qMin(n, int(sizeof number) - 1) : 0);
    line += tail;
    return line;
}

db_exec::db_exec(const QByteArray &name, QTextEdit *log, QObject *parent)
    : QObject(parent), name_(name), log_(log)
{
    flush_timer_.setSingleShot(true);
    flush_timer_.setInterval(0);
    connect(&flush_timer_, &QTimer::timeout, this, &db_exec::update_log);
}

db_exec::~db_exec()
{
    update_log();
    exit_to_server();
}

result_set *db_exec::run(const QByteArray &cmd, QByteArray &log_line, int quiet)
{
    const QByteArray when = log_time_text();
    const auto start = std::chrono::steady_clock::now();
    result_set *rs = exec(cmd.constData(), cmd.size());
    const auto end = std::chrono::steady_clock::now();
    const double micros = std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count() / 1000.0;
    log_line = make_log_line(when, cmd, rs != nullptr, micros);
    if (quiet == 0)
        append_log(log_line);
    return rs;
}

result_set *db_exec::run(const QByteArray &cmd, int quiet)
{
    QByteArray line;
    return run(cmd, line, quiet);
}

void db_exec::append_log(const QByteArray &line)
{
    if (!log_)
        return;
    pending_.append(line);
    pending_size_ += line.size();
    if (pending_size_ > log_cap) {
        // Entry by entry the pane would have been cut to its newest eighth by now: keep as
        // many of the newest lines as that eighth holds (the newest always).
        while (pending_.size() > 1 && pending_size_ > log_cap / 8) {
            pending_size_ -= pending_.front().size();
            pending_.removeFirst();
        }
        drop_pane_ = true;
    }
    if (!flush_timer_.isActive())
        flush_timer_.start();
}

void db_exec::update_log()
{
    flush_timer_.stop();
    if (!log_ || pending_.isEmpty()) {
        pending_.clear();
        pending_size_ = 0;
        drop_pane_ = false;
        return;
    }
    QByteArray fresh;
    fresh.reserve(pending_size_);
    for (int i = pending_.size() - 1; i >= 0; --i)
        fresh += pending_[i];
    QString current;
    if (!drop_pane_) {
        current = log_->toHtml();
        if (current.size() > log_cap)
            current.truncate(current.size() / 8);
    }
    pending_.clear();
    pending_size_ = 0;
    drop_pane_ = false;
    log_->setHtml(QString::fromUtf8(fresh) + current);
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
