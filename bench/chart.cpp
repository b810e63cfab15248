// The chart pane on a million rows from the development server: building the reduced lines
// and painting them, the memory the chart keeps against the plot's width, and zoom steps.
#include "client_bench_session.h"
#include "table/chart_pane.h"
#include "table/chart_plot_view.h"
#include "table/tab_data_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double ms_since(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

// Lets the chart lay its items out and paints the whole pane once.
void paint(chart_pane &pane)
{
    QApplication::processEvents();
    pane.plot_view()->viewport()->repaint();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    client_bench_session session;
    if (!session.ok() || !session.fill_million_rows("ct", argc, argv))
        return 1;
    tab_data_model model("ct");
    if (!model.load_result(session.exec(), "view ct", 1)) {
        std::fprintf(stderr, "view failed\n");
        return 1;
    }
    QTableView grid;
    grid.setModel(&model);
    std::printf("rows %d, lines %zu (i64 and double over the time point)\n", model.rowCount(),
                chart_pane::value_columns(&model).size());

    for (int width : {800, 1600}) {
        std::vector<double> open, build, draw;
        std::size_t heap = 0, held = 0, order = 0, summary = 0;
        int points = 0;
        for (int round = 0; round < 5; ++round) {
            const std::size_t before = client_bench_session::heap_in_use();
            QElapsedTimer t;
            t.start();
            chart_pane pane(&model, &grid);
            pane.resize(width, 600);
            pane.show();
            paint(pane); // lays the chart out, builds the lines, paints
            paint(pane);
            open.push_back(ms_since(t));
            // What every model change costs the chart: the time order again, the reduction,
            // a repaint.
            t.restart();
            pane.reset_zoom();
            pane.refresh_now();
            build.push_back(ms_since(t));
            t.restart();
            paint(pane);
            draw.push_back(ms_since(t));
            heap = client_bench_session::heap_in_use() - before;
            summary = pane.summary_bytes();
            held = pane.bytes_held() - summary;
            points = pane.drawn_points();
            order = std::size_t(model.rowCount()) * 16;
        }
        std::printf("width %d: first open %.1f ms; rebuild %.1f ms + paint %.1f ms = %.1f ms (medians of 5), "
                    "%d points drawn\n",
                    width, median(open), median(build), median(draw), median(build) + median(draw), points);
        std::printf("  memory: %.2f MB on the heap, of which the time order %.2f MB (16 bytes a row) and the "
                    "reduced points %.1f KB; the block summary %.1f KB (%.2f bytes a row)\n",
                    heap / 1048576.0, order / 1048576.0, (held - std::min(held, order)) / 1024.0,
                    summary / 1024.0, double(summary) / std::max(1, model.rowCount()));
    }

    chart_pane pane(&model, &grid);
    pane.resize(1200, 600);
    pane.show();
    pane.refresh_now();
    paint(pane);
    std::vector<double> alone;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        pane.set_x_range(pane.x_from(), pane.x_to());
        pane.refresh_now();
        alone.push_back(ms_since(t));
    }
    std::printf("reduction of every row, no paint: median %.1f ms\n", median(alone));
    pane.reset_zoom();
    pane.refresh_now();
    paint(pane);
    std::vector<double> steps;
    // In by a fifth twenty times around the middle, then out again.
    for (int i = 0; i < 40; ++i) {
        QElapsedTimer t;
        t.start();
        pane.zoom_x(i < 20 ? 0.8 : 1.25, 0.5);
        pane.refresh_now();
        paint(pane);
        steps.push_back(ms_since(t));
    }
    std::printf("zoom step: median %.1f ms, slowest %.1f ms (40 steps, width 1200)\n", median(steps),
                *std::max_element(steps.begin(), steps.end()));
    std::vector<double> pans;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        pane.pan_pixels(30, 0);
        pane.refresh_now();
        paint(pane);
        pans.push_back(ms_since(t));
    }
    std::printf("pan step: median %.1f ms\n", median(pans));
    return 0;
}
