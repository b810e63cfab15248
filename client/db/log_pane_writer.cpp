// The log pane's writer: batching of the lines, the cap and the cut.
#include "db/log_pane_writer.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

qint64 html_size(const QByteArray &line) { return line.size() + log_html_overhead(); }

} // namespace

log_pane_writer::log_pane_writer(QTextEdit *pane, QObject *parent) : QObject(parent)
{
    flush_timer_.setSingleShot(true);
    flush_timer_.setInterval(0);
    connect(&flush_timer_, &QTimer::timeout, this, &log_pane_writer::update);
    set_pane(pane);
}

void log_pane_writer::set_pane(QTextEdit *pane)
{
    if (pane == pane_ && (!pane || target_ == pane->document()))
        return;
    set_target(pane, pane ? pane->document() : nullptr);
}

void log_pane_writer::set_document(QTextDocument *doc)
{
    if (!pane_ && doc == target_)
        return;
    set_target(nullptr, doc);
}

void log_pane_writer::set_target(QTextEdit *pane, QTextDocument *doc)
{
    if (pane_)
        pane_->removeEventFilter(this);
    const QList<log_entry> waiting = pending_;
    forget_pane();
    pane_ = pane;
    target_ = doc;
    if (pane_)
        pane_->installEventFilter(this);
    // The document is edited through cursors; an undo history would only grow.
    if (target_) {
        target_->setUndoRedoEnabled(false);
        for (const log_entry &e : waiting)
            add(e);
    }
}

bool log_pane_writer::eventFilter(QObject *watched, QEvent *event)
{
    // A pane shown again after being hidden opens at its newest entry, which stands on top.
    // The type is checked first: while the pane is being destroyed it is no QTextEdit any more.
    if (event->type() == QEvent::Show && watched == pane_) {
        update();
        pane_->verticalScrollBar()->setValue(0);
    }
    return QObject::eventFilter(watched, event);
}

qint64 log_pane_writer::estimate(const log_entry &e) const
{
    return qMax<qint64>(1, static_cast<qint64>(html_size(e.html) * scale_));
}

bool log_pane_writer::calibrate()
{
    const QTextDocument *doc = target_;
    if (shown_.empty() || shown_html_ <= 0 || doc->characterCount() == measured_chars_)
        return false;
    const qint64 real = doc->toHtml().size();
    const double k = static_cast<double>(real) / static_cast<double>(shown_html_);
    qint64 sum = 0;
    for (shown_part &p : shown_) {
        p.html = qMax<qint64>(1, static_cast<qint64>(p.html * k));
        sum += p.html;
    }
    shown_html_ = sum;
    // Lines of wide characters are counted in bytes by the estimate; the pane holds them as
    // one character each.
    scale_ = qBound(0.2, scale_ * k, 5.0);
    measured_chars_ = doc->characterCount();
    return true;
}

void log_pane_writer::forget_pane()
{
    shown_.clear();
    shown_html_ = 0;
    pending_.clear();
    pending_html_ = 0;
    cut_plain_ = 0;
    doc_ = nullptr;
    doc_chars_ = -1;
}

void log_pane_writer::notice_outside_changes()
{
    const QTextDocument *doc = target_;
    if (doc == doc_ && doc->characterCount() == doc_chars_)
        return;
    // Someone else cleared or filled the pane: whatever it holds now counts as one old stretch.
    shown_.clear();
    shown_html_ = 0;
    cut_plain_ = 0;
    const int chars = doc->characterCount() - 1;
    if (chars > 0) {
        shown_html_ = doc->toHtml().size();
        shown_.push_back(shown_part{ shown_html_, chars });
    }
    doc_ = doc;
    doc_chars_ = doc->characterCount();
}

void log_pane_writer::cut_to(qint64 keep)
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
        pending_html_ -= estimate(pending_.front());
        pending_.removeFirst();
    }
}

void log_pane_writer::add(const log_entry &entry)
{
    if (!target_)
        return;
    notice_outside_changes();
    qint64 total = shown_html_ + pending_html_;
    // The cut is decided on what the pane really holds: when everything is shown, the pane is
    // measured before it is cut.
    if (total > cap && pending_.isEmpty() && cut_plain_ == 0 && calibrate())
        total = shown_html_;
    if (total > cap)
        cut_to(total / 8);
    pending_.append(entry);
    pending_html_ += estimate(entry);
    if (!flush_timer_.isActive())
        flush_timer_.start();
}

void log_pane_writer::update()
{
    flush_timer_.stop();
    if (!target_) {
        forget_pane();
        return;
    }
    notice_outside_changes();
    if (cut_plain_ == 0 && pending_.isEmpty())
        return;
    QTextDocument *doc = target_;
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
