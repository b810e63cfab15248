// The grid's search dialog in a real shown window: it opens above the grid with the focus in
// its target, Find All paints the hits yellow where the grid shows them, and the grid stays
// usable while the dialog is open. With VORN_SHOTS_DIR set the screenshots are written there.
#include "common/modal_seam.h"
#include "shown_window.h"
#include "support/mem_time.h"
#include "table/search_tab_dlg.h"
#include "table/tab_data_model.h"
#include "screen_shot_helper.h"
#include "table_server_helper.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

namespace {

int yellow_pixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 230 && c.green() > 230 && c.blue() < 40;
        }
    return n;
}

} // namespace

class test_search_tab_shown : public QObject {
    Q_OBJECT
    std::unique_ptr<table_server> srv;

private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        ox::db::mem::register_meta_types();
        srv = std::make_unique<table_server>();
        QVERIFY2(srv->ok(), qPrintable(srv->error()));
        QVERIFY(srv->run("create sh n i32 s string"));
        for (int i = 0; i < 12; ++i)
            QVERIFY(srv->run(QByteArray("push into sh n s values ") + QByteArray::number(i % 4) + " \"" +
                             (i % 3 ? "beta" : "alpha") + "\" at 2020-01-01 00:00:" +
                             QByteArray::number(i).rightJustified(2, '0')));
    }
    void cleanupTestCase() { srv.reset(); }

    void find_all_paints_the_hits_in_the_shown_grid()
    {
        tab_data_model model("sh");
        QVERIFY(model.load_result(*srv->exec(), "view sh", 1));
        QTableView view;
        view.setModel(&model);
        view.resize(520, 380);
        view.move(40, 40);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.resizeColumnsToContents();

        search_tab_dlg *dlg = search_tab_dlg::of(&view, &model, true);
        dlg->move(600, 40);
        dlg->show_top(true);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QVERIFY(QTest::qWaitFor([&] { return dlg->target_le->hasFocus(); }, 2000));
        dlg->target_le->setText("alpha");
        dlg->rep_le->setText("gamma");
        modal_seam::script s;
        dlg->search_all();
        QCOMPARE(s.last_text(), QString("the string 'alpha' found 4 times."));

        // Yellow where the marked cells are, none in a row without a hit.
        const QRect hit = view.visualRect(model.index(0, 2));
        const QRect miss = view.visualRect(model.index(1, 2));
        const QPoint origin = view.viewport()->mapToGlobal(QPoint(0, 0));
        QVERIFY(yellow_pixels(screen_of(&view, hit.translated(origin).adjusted(2, 2, -2, -2))) > hit.width());
        QCOMPARE(yellow_pixels(screen_of(&view, miss.translated(origin).adjusted(2, 2, -2, -2))), 0);
        save_shot(screen_of(&view, view.frameGeometry().adjusted(-2, -2, 2, 2)), "search_tab_grid_marks.png");
        save_shot(screen_of(dlg, dlg->frameGeometry().adjusted(-4, -4, 4, 4)), "search_tab_dlg_replace.png");

        // The grid takes clicks while the dialog is open; Next starts from the clicked cell.
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.visualRect(model.index(4, 1)).center());
        QCOMPARE(view.currentIndex(), model.index(4, 1));
        QVERIFY(dlg->isVisible());
        dlg->next();
        QCOMPARE(view.currentIndex(), model.index(6, 2));
        dlg->clear_select();
        QCOMPARE(yellow_pixels(screen_of(&view, hit.translated(origin).adjusted(2, 2, -2, -2))), 0);
    }
};

SHOWN_WINDOW_TEST_MAIN(test_search_tab_shown)
#include "test_search_tab_shown.moc"
