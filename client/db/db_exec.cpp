// Execution wrapper: timing, the HTML log line and the batched updates of the log pane.
#include "db/db_exec.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <chrono>

namespace {

qint64 html_size(const QByteArray &line) { return line.size() + log_html_overhead(); }

} // namespace

db_exec::db_exec(const QByteArray &name, QTextEdit *log, QObject *parent)
    : QObject(parent), name_(name), log_(log)
{
    // The pane is edited through cursors; an undo history would only grow.
    if (log_)
        log_->setUndoRedoEnabled(false);
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
    if (quiet == 0) {
        log_entry e;
        e.html = log_line;
        e.when = when;
        e.cmd = cmd;
        e.micros = micros;
        e.ok = rs != nullptr;
        e.has_pieces = true;
        add_entry(e);
    }
    return rs;
}

result_set *db_exec::run(const QByteArray &cmd, int quiet)
{
    QByteArray line;
    return run(cmd, line, quiet);
}

void db_exec::forget_pane()
{
    shown_.clear();
    shown_html_ = 0;
    pending_.clear();
    pending_html_ = 0;
    cut_plain_ = 0;
    doc_ = nullptr;
    doc_chars_ = -1;
}

void db_exec::notice_outside_changes()
{
    const QTextDocument *doc = log_->document();
    if (doc == doc_ && doc->characterCount() == doc_chars_)
        return;
    // Someone else cleared or filled the pane: whatever it holds now counts as one old stretch.
    shown_.clear();
    shown_html_ = 0;
    cut_plain_ = 0;
    const int chars = doc->characterCount() - 1;
    if (chars > 0) {
        shown_html_ = log_->toHtml().size();
        shown_.push_back(shown_part{ shown_html_, chars });
    }
    doc_ = doc;
    doc_chars_ = doc->characterCount();
}

void db_exec::cut_to(qint64 keep)
{
    // The oldest go first: stretches of the pane (the boundary one only in part, as a cut by
    // length would), then waiting lines, whole.
    while (!shown_.empty() && shown_html_ + pending_html_ > keep) {
        shown_part &oldest = shown_.front();
        const qint64 rest = shown_html_ + pending_html_ - oldest.html;
        if (rest >= keep) {
            cut_plain_ += oldest.plain;
            shown_html_ -= oldest.html;
            shown_.pop_front();
            continue;
        }
        const qint64 kept_html = keep - rest;
        const int kept_plain = static_cast<int>(oldest.plain * kept_html / qMax<qint64>(1, oldest.html));
        cut_plain_ += oldest.plain - kept_plain;
        shown_html_ -= oldest.html - kept_html;
        oldest = shown_part{ kept_html, kept_plain };
    }
    while (!pending_.isEmpty() && shown_html_ + pending_html_ > keep) {
        pending_html_ -= html_size(pending_.front().html);
        pending_.removeFirst();
    }
}

void db_exec::append_log(const QByteArray &line)
{
    log_entry e;
    e.html = line;
    add_entry(e);
}

void db_exec::add_entry(const log_entry &entry)
{
    if (!log_)
        return;
    notice_outside_changes();
    const qint64 total = shown_html_ + pending_html_;
    if (total > log_cap)
        cut_to(total / 8);
    pending_.append(entry);
    pending_html_ += html_size(entry.html);
    if (!flush_timer_.isActive())
        flush_timer_.start();
}

void db_exec::update_log()
{
    flush_timer_.stop();
    if (!log_) {
        forget_pane();
        return;
    }
    notice_outside_changes();
    if (cut_plain_ == 0 && pending_.isEmpty())
        return;
    QTextDocument *doc = log_->document();
    const int content = doc->characterCount() - 1;
    const int kept = qMax(0, content - cut_plain_);
    if (cut_plain_ == 0 && pending_.size() <= few_lines) {
        // A command or two: insert them on top, the rest of the pane stays as it is.
        QTextCursor cursor(doc);
        write_log_entries(cursor, pending_);
    } else {
        // Many lines or a cut: build the pane afresh from the new lines and the part that stays.
        // Done inside one edit block around clear(), the document lays itself out lazily as it
        // does after setHtml; edits in place would lay out every changed line at once.
        QTextDocumentFragment old;
        if (kept > 0) {
            QTextCursor keep(doc);
            keep.setPosition(kept, QTextCursor::KeepAnchor);
            old = keep.selection();
        }
        QTextCursor outer(doc);
        outer.beginEditBlock();
        doc->clear();
        QTextCursor cursor(doc);
        write_log_entries(cursor, pending_);
        if (!old.isEmpty())
            cursor.insertFragment(old);
        outer.endEditBlock();
    }
    cut_plain_ = 0;
    if (!pending_.isEmpty()) {
        shown_.push_back(shown_part{ pending_html_, qMax(0, doc->characterCount() - 1 - kept) });
        shown_html_ += pending_html_;
        pending_.clear();
        pending_html_ = 0;
    }
    doc_chars_ = doc->characterCount();
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
