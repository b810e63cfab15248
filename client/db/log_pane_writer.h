// The execution log pane's writer: lines go on top of the pane in batches (when control is
// back in the event loop, or at update), and the pane is cut to its newest eighth when its HTML
// grows past the cap.
#pragma once

#include "db/log_lines.h"

#include <QObject>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>
#include <deque>

class log_pane_writer : public QObject {
    Q_OBJECT
public:
    // The pane is not owned; it may be null (nothing is shown) and may die before the writer.
    explicit log_pane_writer(QTextEdit *pane, QObject *parent = nullptr);

    QTextEdit *pane() const { return pane_; }
    // Writes into another pane (its document as it is now) from now on (null: nowhere); what
    // waited for the old one is kept. The pane may show another document later: the lines keep
    // going to this one.
    void set_pane(QTextEdit *pane);
    // Writes into a document that no pane needs to show (a pane may show it at times).
    void set_document(QTextDocument *doc);
    QTextDocument *document() const { return target_; }

    // Puts an entry at the top of the pane at the next update.
    void add(const log_entry &entry);
    // Brings the pane up to date with every entry added so far.
    void update();
    // Entries added but not yet shown; entries that would have been cut before being seen are
    // not kept.
    int pending_lines() const { return pending_.size(); }

    // The largest HTML text the pane keeps before it is cut to its newest eighth.
    static constexpr int cap = 0x40000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A stretch of the pane: the lines of one update, or what others put there. Sizes are
    // counted in characters of HTML as the pane would give them back (estimated per line).
    struct shown_part {
        qint64 html;
        int plain;   // characters in the document
    };
    // Up to this many new lines go on top of the pane in place; more rebuild it.
    static constexpr int few_lines = 8;
    void notice_outside_changes();
    // Rescales the stretches' sizes to the pane's real HTML length (measured once per change of
    // the pane, only when a cut is near) and learns how far the estimates are off.
    bool calibrate();
    qint64 estimate(const log_entry &e) const;
    void cut_to(qint64 keep);
    void forget_pane();
    void set_target(QTextEdit *pane, QTextDocument *doc);

    QPointer<QTextEdit> pane_;
    QPointer<QTextDocument> target_;
    // What the pane holds, oldest (its end) first, then the lines waiting to be shown. Entry by
    // entry the pane is cut to its newest eighth when it grows past the cap; the cut is worked
    // out on these sizes at once and carried out at the next update.
    std::deque<shown_part> shown_;
    qint64 shown_html_ = 0;
    QList<log_entry> pending_;
    qint64 pending_html_ = 0;
    int cut_plain_ = 0;                 // characters at the pane's end that are to go
    const QTextDocument *doc_ = nullptr;
    int doc_chars_ = -1;                // the document's size after the last update
    int measured_chars_ = -1;           // the document's size when it was last measured
    double scale_ = 1.0;                // real HTML per estimated HTML, as last measured
    QTimer flush_timer_;
};
