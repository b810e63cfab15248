// Search and replace at size: Find All of a literal word that occurs 100,000 times in a 4 MiB
// script, of a regular expression, Replace All of the word as one undo step and typing after
// it; then Find All on a grid of a million rows loaded from the development server.
#include "common/modal_seam.h"
#include "db/db_exec.h"
#include "client_bench_session.h"
#include "editor/editor.h"
#include "editor/editor_area.h"
#include "editor/search_dlg.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <ctime>

namespace {

// CPU milliseconds of the thread: the machine is shared, so wall time says little.
double cpu_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double wall_ms = 0;

double ms_of(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    const double c = cpu_ms();
    f();
    wall_ms = t.nsecsElapsed() / 1e6;
    return cpu_ms() - c;
}

// 100,000 lines of 42 bytes, each with the word "needle" once, filled up to 4 MiB.
QByteArray script_text()
{
    QByteArray out;
    out.reserve(4 << 20);
    char line[64];
    for (int i = 0; i < 100000; ++i) {
        const int n = std::snprintf(line, sizeof line, "push into t%05d v values %02d needle at 1\n", i, i % 100);
        out.append(line, n);
    }
    while (out.size() < (4 << 20))
        out.append("view t1 btw 2020-01-01 2020-01-02 max 10\n");
    out.truncate(4 << 20);
    return out;
}

bool write_csv(const QString &path, int rows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray out = "time point,v,s\n";
    char line[128];
    for (int i = 0; i < rows; ++i) {
        const int day = 1 + i / 86400, h = (i / 3600) % 24, m = (i / 60) % 60, s = i % 60;
        const int n = std::snprintf(line, sizeof line, "2020-01-%02d %02d:%02d:%02d,%d,row_%07d\n", day, h, m, s,
                                    i % 1000, i);
        out.append(line, n);
    }
    return f.write(out) == out.size();
}

void editor_figures()
{
    modal_seam::script answers; // the count boxes
    editor_area area; // the editor inside its scroll area, as a script tab holds it
    area.resize(900, 700);
    editor &ed = *area.editor_widget();
    const QByteArray text = script_text();
    ed.set_text(QString::fromUtf8(text));
    ed.find();
    auto *dlg = qobject_cast<search_dlg *>(ed.search_dialog());
    dlg->target_le->setText(QStringLiteral("needle"));
    dlg->mw_cb->setChecked(true);
    double t = ms_of([&] { dlg->search_all(); });
    std::printf("script: %lld bytes, %lld lines\n", (long long)ed.length(), (long long)ed.line_count());
    std::printf("Find All literal word (match word): %.1f ms cpu, %.0f ms wall, %zu ranges (%s)\n",
                t, wall_ms, ed.selections().size(),
                qPrintable(answers.last_text()));
    dlg->mw_cb->setChecked(false);
    t = ms_of([&] { dlg->search_all(); });
    std::printf("Find All literal: %.1f ms cpu, %.0f ms wall, %zu ranges\n", t, wall_ms, ed.selections().size());

    dlg->reg_rb->setChecked(true);
    dlg->target_le->setText(QStringLiteral("v[a-z]+ \\d+ ne+dle"));
    t = ms_of([&] { dlg->search_all(); });
    std::printf("Find All regular expression 'v[a-z]+ \\d+ ne+dle': %.1f ms cpu, %.0f ms wall, %zu ranges\n",
                t, wall_ms, ed.selections().size());
    dlg->target_le->setText(QStringLiteral("\\bneedle\\b"));
    t = ms_of([&] { dlg->search_all(); });
    std::printf("Find All regular expression '\\bneedle\\b': %.1f ms cpu, %.0f ms wall, %zu ranges\n",
                t, wall_ms, ed.selections().size());

    dlg->normal_rb->setChecked(true);
    dlg->target_le->setText(QStringLiteral("needle"));
    ed.replace();
    dlg->rep_le->setText(QStringLiteral("pin"));
    const std::size_t entries_before = ed.history().entries().size();
    t = ms_of([&] { dlg->replace_all(); });
    std::printf("Replace All literal: %.1f ms cpu, %.0f ms wall (%s), %zu history entries added, length now %lld\n",
                t, wall_ms,
                qPrintable(answers.last_text()), ed.history().entries().size() - entries_before,
                (long long)ed.length());

    // Typing after the replacement, each key with its whole epilogue and a repaint.
    area.show();
    if (!QTest::qWaitForWindowExposed(&area))
        std::fprintf(stderr, "the editor was not shown: typing paints nothing\n");
    ed.set_cursor_position(ed.length() / 2);
    const int keys = 200;
    t = ms_of([&] {
        for (int i = 0; i < keys; ++i) {
            QTest::keyClick(&ed, Qt::Key_A);
            ed.repaint();
        }
    });
    std::printf("typing after it: %.3f ms cpu per key with a repaint (%.3f ms wall)\n", t / keys, wall_ms / keys);
    t = ms_of([&] { ed.undo(); });
    std::printf("undo of the typing: %.1f ms cpu, %.0f ms wall\n", t, wall_ms);
    t = ms_of([&] { ed.undo(); });
    std::printf("undo of Replace All (one step): %.1f ms cpu, %.0f ms wall, text restored: %s\n", t, wall_ms,
                ed.text().toUtf8() == text ? "yes" : "no");
}

int grid_figures(int rows)
{
    client_bench_session session;
    if (!session.ok())
        return 1;
    auto run = [&](const QByteArray &cmd) { return session.run(cmd); };
    if (!run("create gt v i32 s string") || !write_csv(session.data_file("g.csv"), rows) ||
        !run("import gt from csv \"g.csv\" split by \",\"")) {
        std::fprintf(stderr, "could not fill the table\n");
        return 1;
    }
    tab_data_model model("gt");
    if (!model.load_result(session.exec(), "view gt", 1)) {
        std::fprintf(stderr, "view failed\n");
        return 1;
    }
    QTableView view;
    view.setModel(&model);
    search_tab_dlg *dlg = search_tab_dlg::of(&view, &model, true);
    modal_seam::script answers;
    std::printf("grid: %d rows, %d columns\n", model.rowCount(), model.columnCount());
    for (int c = 0; c < model.columnCount(); ++c) {
        qint64 chars = 0;
        const double t = ms_of([&] {
            for (int r = 0; r < model.rowCount(); ++r)
                chars += model.data(model.index(r, c)).toString().size();
        });
        std::printf("grid: display texts of column %d (%s): %.1f ms cpu, %.0f ms wall\n",
                    c, model.type_of(c).constData(), t, wall_ms);
    }

    dlg->target_le->setText(QStringLiteral("777"));
    dlg->mw_cb->setChecked(true);
    double t = ms_of([&] { dlg->search_all(); });
    std::printf("grid Find All '777' (match word): %.1f ms cpu, %.0f ms wall (%s)\n",
                t, wall_ms, qPrintable(answers.last_text()));
    dlg->mw_cb->setChecked(false);
    dlg->target_le->setText(QStringLiteral("row_0777"));
    t = ms_of([&] { dlg->search_all(); });
    std::printf("grid Find All 'row_0777': %.1f ms cpu, %.0f ms wall (%s)\n",
                t, wall_ms, qPrintable(answers.last_text()));
    dlg->target_le->setText(QStringLiteral("row_"));
    t = ms_of([&] { dlg->search_all(); });
    std::printf("grid Find All 'row_' (every row marked): %.1f ms cpu, %.0f ms wall (%s)\n",
                t, wall_ms, qPrintable(answers.last_text()));
    t = ms_of([&] { dlg->clear_select(); });
    std::printf("grid clear_select of those marks: %.1f ms cpu, %.0f ms wall\n", t, wall_ms);
    dlg->reg_rb->setChecked(true);
    dlg->target_le->setText(QStringLiteral("^row_\\d+7$"));
    t = ms_of([&] { dlg->search_all(); });
    std::printf("grid Find All regular expression '^row_\\d+7$': %.1f ms cpu, %.0f ms wall (%s)\n",
                t, wall_ms, qPrintable(answers.last_text()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    editor_figures();
    return grid_figures(argc > 1 ? QByteArray(argv[1]).toInt() : 1000000);
}
