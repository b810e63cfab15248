// The execution log's lines: their HTML text, the local time they start with, and writing them
// into the log pane's document without a round trip through the HTML parser.
#pragma once

#include <QByteArray>
#include <QList>

class QTextCursor;

// One line for the pane. Lines built by the wrapper keep their pieces so that they can be
// written directly; lines handed in from outside are HTML only.
struct log_entry {
    QByteArray html;
    QByteArray when;
    QByteArray cmd;
    double micros = 0;
    bool ok = false;
    bool has_pieces = false;
    QByteArray reason;   // why a failed command failed, shown in red after its line
    // Asked by the program itself (a tree refresh, a follow's reload), not by the user; the
    // line reads the same, a filtered pane leaves it out.
    bool background = false;
};

// The command as the log shows it: whole up to 64 KiB; a longer one (a raw restore of hundreds
// of megabytes) as its first 1,024 characters and its size, so the log never copies it whole.
QByteArray log_command_text(const QByteArray &cmd);
// The same for a text that is not at hand whole (it went out in pieces): start holds its first
// bytes, at least log_command_start(total) of them unless the text was cut short; total is its
// full length.
QByteArray log_command_text(const QByteArray &start, qint64 total);
int log_command_start(qint64 total);

// The HTML log line of one run, from its pieces.
QByteArray make_log_line(const QByteArray &when, const QByteArray &cmd, bool ok, double micros);
// The local date-and-time text the log line starts with (daylight-saving time included).
QByteArray log_time_text();

// Writes the entries at the cursor, the last entry first (so the newest ends up on top). The
// result reads and looks as the HTML of the lines would after parsing.
void write_log_entries(QTextCursor &cursor, const QList<log_entry> &entries);

// What a line's HTML grows by when the pane gives it back (style attributes on each paragraph).
int log_html_overhead();
