// Typing benchmark: 1,000 keystrokes in the middle of a 4 MiB script, timed from the key
// event to a finished paint of the visible area, in the editor and in a QPlainTextEdit; and
// keystrokes at the end of one line of 2 MiB.
#include "editor/editor.h"
#include "editor/editor_area.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const int keystrokes = 1000;
const int script_bytes = 4 * 1024 * 1024;
const int long_line_bytes = 2 * 1024 * 1024;
const int long_line_keystrokes = 200;

QString make_script()
{
    QString s;
    s.reserve(script_bytes + 128);
    for (int i = 0; s.size() < script_bytes; ++i)
        s += QStringLiteral("push into weather temp city values %1 \"station %2\" at 2026-01-01 10:00:%3\n")
                 .arg(i % 97).arg(i).arg(i % 60, 2, 10, QLatin1Char('0'));
    s.truncate(script_bytes - 1);
    s += QLatin1Char('\n');
    return s;
}

// Wall time, and the CPU time of this thread (the machine may be busy with other work).
struct sample {
    double wall_ms;
    double cpu_ms;
};

struct figures {
    double median_ms, p99_ms;
    double cpu_median_ms, cpu_p99_ms;
};

double pick(std::vector<double> t, double q)
{
    std::sort(t.begin(), t.end());
    return t[std::min(t.size() - 1, static_cast<size_t>(t.size() * q))];
}

figures summarise(const std::vector<sample> &s)
{
    std::vector<double> wall, cpu;
    for (const sample &x : s) {
        wall.push_back(x.wall_ms);
        cpu.push_back(x.cpu_ms);
    }
    return {pick(wall, 0.5), pick(wall, 0.99), pick(cpu, 0.5), pick(cpu, 0.99)};
}

double thread_cpu_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Sends one typed letter to `target` and repaints `window` at once.
sample keystroke(QWidget *target, QWidget *window, int i)
{
    const QChar c = QLatin1Char(static_cast<char>('a' + i % 26));
    QElapsedTimer t;
    const double cpu0 = thread_cpu_ms();
    t.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
    window->repaint();
    const sample s{t.nsecsElapsed() / 1e6, thread_cpu_ms() - cpu0};
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + i % 26, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();
    return s;
}

void report(const char *name, const figures &f)
{
    std::printf("%-15s median %7.3f ms  p99 %7.3f ms   (thread CPU: median %7.3f ms  p99 %7.3f ms)\n", name,
                f.median_ms, f.p99_ms, f.cpu_median_ms, f.cpu_p99_ms);
}

figures run_editor(const QString &script)
{
    editor_area area;
    area.resize(1200, 800);
    area.show();
    editor *ed = area.editor_widget();
    ed->set_text(script);
    const qint64 line = ed->line_count() / 2;
    ed->set_cursor_position(ed->buffer().line_end(line));
    QApplication::processEvents();
    std::vector<sample> t;
    for (int i = 0; i < keystrokes; ++i)
        t.push_back(keystroke(ed, &area, i));
    if (ed->length() != script.toUtf8().size() + keystrokes)
        std::printf("editor: unexpected length %lld\n", static_cast<long long>(ed->length()));
    return summarise(t);
}

// One line of 2 MiB of command words; the keys go to its end, scrolled into view.
figures run_long_line()
{
    QString line;
    line.reserve(long_line_bytes + 16);
    while (line.size() < long_line_bytes)
        line += QStringLiteral("view t1 f1 ");
    line.truncate(long_line_bytes);
    editor_area area;
    area.resize(1200, 800);
    area.show();
    editor *ed = area.editor_widget();
    ed->set_text(line);
    ed->set_cursor_position(ed->length());
    QApplication::processEvents();
    std::vector<sample> t;
    for (int i = 0; i < long_line_keystrokes; ++i)
        t.push_back(keystroke(ed, &area, i));
    if (ed->length() != long_line_bytes + long_line_keystrokes || ed->cursor_position() != ed->length())
        std::printf("long line: unexpected length %lld\n", static_cast<long long>(ed->length()));
    return summarise(t);
}

figures run_plain(const QString &script)
{
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(1200, 800);
    edit.show();
    edit.setPlainText(script);
    QTextCursor c(edit.document()->findBlockByNumber(edit.document()->blockCount() / 2));
    c.movePosition(QTextCursor::EndOfBlock);
    edit.setTextCursor(c);
    edit.centerCursor();
    QApplication::processEvents();
    std::vector<sample> t;
    for (int i = 0; i < keystrokes; ++i)
        t.push_back(keystroke(&edit, &edit, i));
    if (edit.document()->characterCount() - 1 != script.size() + keystrokes)
        std::printf("QPlainTextEdit: unexpected length %d\n", edit.document()->characterCount() - 1);
    return summarise(t);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString script = make_script();
    std::printf("script: %d bytes, %d keystrokes in the middle\n", script.toUtf8().size(), keystrokes);
    const figures e = run_editor(script);
    report("editor", e);
    std::printf("one line of %d bytes, %d keystrokes at its end\n", long_line_bytes, long_line_keystrokes);
    const figures l = run_long_line();
    report("editor", l);
    std::printf("goal (a keystroke at the end of the long line repaints in under 16 ms): %s\n",
                l.p99_ms < 16.0 ? "met" : "missed");
    if (argc > 1 && QByteArray(argv[1]) == "--editor-only")
        return 0;
    const figures p = run_plain(script);
    report("QPlainTextEdit", p);
    const bool goal = e.median_ms < 2.0 && e.p99_ms < 16.0 && e.median_ms <= p.median_ms;
    std::printf("load average at the end: %s", [] {
        static char buf[128] = "?\n";
        if (FILE *f = std::fopen("/proc/loadavg", "r")) {
            if (!std::fgets(buf, sizeof buf, f))
                buf[0] = 0;
            std::fclose(f);
        }
        return buf;
    }());
    std::printf("goal (median < 2 ms, p99 < 16 ms, not slower than QPlainTextEdit): %s\n", goal ? "met" : "missed");
    return 0;
}
