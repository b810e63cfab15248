// Execution wrapper: runs a command through the library, times it, builds its log line and
// hands the line to the log pane's writer.
#include "db/db_exec.h"

#include <chrono>

db_exec::db_exec(const QByteArray &name, QTextEdit *log, QObject *parent)
    : QObject(parent), name_(name), pane_(log)
{
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
    const char *why = nullptr;
    last_code_ = last_error(&why);
    last_reason_ = QByteArray(why ? why : "");
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
        if (!rs)
            e.reason = last_reason_;
        pane_.add(e);
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
    pane_.add(e);
}

void db_exec::update_log()
{
    pane_.update();
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
