// Log lines: the HTML text of a run, its time text, and writing lines into the pane directly.
#include "db/log_lines.h"

#include "support/mem_time.h"

#include <QColor>
#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <chrono>
#include <climits>
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
    // The date and the clock time change once a second: the local-time conversion (which reads
    // the time zone rules) runs only then. Daylight-saving changes fall on whole seconds.
    using namespace std::chrono;
    const auto since = system_clock::now().time_since_epoch();
    long long secs = duration_cast<seconds>(since).count();
    long long nanos = duration_cast<nanoseconds>(since).count() - secs * 1000000000LL;
    if (nanos < 0) {
        nanos += 1000000000LL;
        --secs;
    }
    thread_local long long cached_secs = LLONG_MIN;
    thread_local QByteArray cached_text;
    if (secs != cached_secs) {
        cached_text = ox::db::mem::to_text(ox::db::mem::local_of(secs, 0)).toLatin1();
        cached_secs = secs;
    }
    QByteArray text;
    text.reserve(cached_text.size() + 10);
    text += cached_text;
    if (nanos != 0) {
        char digits[10];
        long long rest = nanos;
        for (int i = 8; i >= 0; --i, rest /= 10)
            digits[i] = static_cast<char>('0' + rest % 10);
        int len = 9;
        while (digits[len - 1] == '0')
            --len;
        text += '.';
        text.append(digits, len);
    }
    return text;
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

namespace {

struct line_formats {
    QTextCharFormat plain;
    QTextCharFormat command;
    QTextCharFormat good;
    QTextCharFormat bad;
    QTextCharFormat bold;
    line_formats()
    {
        command.setForeground(QColor(0x52, 0xa6, 0xc4));
        good.setForeground(QColor(0x00, 0x80, 0x00));
        bad.setForeground(QColor(0xff, 0x00, 0x00));
        bold.setFontWeight(QFont::Bold);
    }
};

void write_pieces(QTextCursor &cursor, const log_entry &e, const line_formats &f)
{
    static const QChar line_break(0x2028);
    char number[400];
    const int n = std::snprintf(number, sizeof number, "%f", e.micros);
    // Every blank and tab of the command shows as sent, after the line's four-blank indents.
    cursor.insertText(QString::fromLatin1(e.when) + QLatin1String(" execute cmd:"), f.plain);
    cursor.insertBlock();
    cursor.insertText(QLatin1String("    ") + QString::fromUtf8(e.cmd), f.command);
    cursor.insertText(QString(line_break) + QLatin1String("    result: "), f.plain);
    if (e.ok) {
        cursor.insertText(QStringLiteral("successful"), f.good);
        cursor.insertText(QStringLiteral(" , use time: "), f.plain);
    } else {
        cursor.insertText(QStringLiteral("failed    "), f.bad);
        cursor.insertText(QStringLiteral(" , use time: "), f.plain);
    }
    cursor.insertText(QString::fromLatin1(number, n > 0 ? qMin(n, int(sizeof number) - 1) : 0), f.bold);
    if (!e.ok && !e.reason.isEmpty()) {
        cursor.insertText(QLatin1String(" us.") + line_break, f.plain);
        cursor.insertText(QString::fromUtf8(e.reason), f.bad);
        cursor.insertText(QString(line_break), f.plain);
        return;
    }
    cursor.insertText(QLatin1String(" us.") + line_break, f.plain);
}

} // namespace

void write_log_entries(QTextCursor &cursor, const QList<log_entry> &entries)
{
    static const line_formats formats;
    for (int i = entries.size() - 1; i >= 0; --i) {
        const log_entry &e = entries[i];
        if (e.has_pieces)
            write_pieces(cursor, e, formats);
        else
            cursor.insertHtml(QString::fromUtf8(e.html));
    }
}

namespace {
constexpr int whole_up_to = 64 * 1024;
constexpr int shown_chars = 1024;
} // namespace

QByteArray log_command_text(const QByteArray &cmd)
{
    return log_command_text(cmd, cmd.size());
}

QByteArray log_command_text(const QByteArray &start, qint64 total)
{
    if (total <= whole_up_to && start.size() == total)
        return start;
    // Count code points, not bytes, and never cut one in half.
    int end = 0, chars = 0;
    while (end < start.size() && chars < shown_chars) {
        ++end;
        while (end < start.size() && (static_cast<unsigned char>(start[end]) & 0xC0) == 0x80)
            ++end;
        ++chars;
    }
    return start.left(end) + " \xE2\x80\xA6 (" + QByteArray::number(total) + " bytes)";
}

int log_command_start(qint64 total)
{
    // A code point takes at most four bytes.
    return total <= whole_up_to ? int(total) : shown_chars * 4;
}

int log_html_overhead()
{
    // Measured once on a sample line, so that the cap counts what the pane really holds.
    static const int overhead = [] {
        const QByteArray sample = make_log_line("2000-01-01 00:00:00", "x", true, 1.0);
        QTextDocument empty, one;
        one.setHtml(QString::fromUtf8(sample));
        return qMax(0, one.toHtml().size() - empty.toHtml().size() - sample.size());
    }();
    return overhead;
}
