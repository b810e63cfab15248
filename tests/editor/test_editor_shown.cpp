// The editor in a real shown, focused window under a window manager, where it sits away
// from its window's origin: decorations on their characters, marks for blanks, tabs and
// control bytes, the gutter, the cursor's blink, clicks beside the text, indenting with Tab,
// and very long lines.
#include "editor_test_helper.h"
#include "shown_editor_helper.h"
#include "shown_window.h"

#include "editor/linenumber_wt.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

using namespace editor_test;
using shown_editor::key;
using shown_editor::type;

namespace {

QImage grab_editor(const editor *ed)
{
    return shown_editor::grab_screen(ed, QRect(QPoint(0, 0), ed->visibleRegion().boundingRect().bottomRight() + QPoint(1, 1)));
}

// Whether some pixel row of the rectangle is the colour over at least `share` of its width.
bool has_bar(const QImage &img, const QRect &r, const QColor &c, double share = 0.9, int tolerance = 60)
{
    for (int y = r.top(); y <= r.bottom(); ++y) {
        int n = 0;
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
                std::abs(p.blue() - c.blue()) <= tolerance)
                ++n;
        }
        if (n >= share * r.width())
            return true;
    }
    return false;
}

// Cells [from, to) of an ASCII line as one rectangle.
QRect cells(const editor &ed, qint64 from, qint64 to)
{
    return cell_rect(ed, from).united(cell_rect(ed, to - 1));
}

bool is_white(const QColor &c)
{
    return c.red() > 245 && c.green() > 245 && c.blue() > 245;
}

} // namespace

class test_editor_shown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SHOWN_WINDOW_REQUIRE(); }

    void init()
    {
        reset_config();
        sys_config.auto_enable = 0;
        sys_config.show_space = 0;
    }

    // Overline, underline and strike-out lie on their own characters, also for every "at"
    // of a push command; the character at the error position is red and underlined.
    void decorations_on_their_characters()
    {
        colour_theme();
        text_style *s = sys_config.active_styles();
        for (int e = 0; e < style_class_count; ++e)
            s[e].bold = 0;
        s[style_default_keyword].underline = 1;
        s[style_field].overline = 1;
        s[style_table].strikeout = 1;
        shown_editor::window w;
        QVERIFY(w.ready());
        const QString view = "view t1 f1 btw 1 2";
        const QString push = "push into t1 f1 at 1 at 2";
        w.ed->set_text(view + "\n" + push + "\nview \"abc");
        w.ed->set_cursor_position(0);
        QVERIFY(w.ed->mapTo(&w.top, QPoint(0, 0)).x() > 0);
        QVERIFY(w.ed->mapTo(&w.top, QPoint(0, 0)).y() > 0);
        const int lh = w.ed->line_height();
        auto lower = [&](const QRect &r) { return QRect(r.left(), r.top() + lh / 2, r.width(), lh - lh / 2); };
        auto upper = [&](const QRect &r) { return QRect(r.left(), r.top(), r.width(), lh / 2); };
        auto middle = [&](const QRect &r) { return QRect(r.left(), r.top() + lh / 4, r.width(), lh / 2); };

        const QColor keyword = entry_colour(style_default_keyword), field = entry_colour(style_field),
                     table = entry_colour(style_table);
        // The text is on the screen once its last line's error mark is.
        const qint64 err = w.ed->error_position();
        QTRY_VERIFY2_WITH_TIMEOUT(has_bar(grab_editor(w.ed), lower(cell_rect(*w.ed, err)), QColor(255, 0, 0)),
                                  "the error character is not underlined", 10000);
        const QImage img = grab_editor(w.ed);
        QVERIFY2(has_bar(img, lower(cells(*w.ed, 11, 14)), keyword), "btw is not underlined");
        QVERIFY2(has_bar(img, upper(cells(*w.ed, 8, 10)), field), "f1 has no overline");
        QVERIFY2(has_bar(img, middle(cells(*w.ed, 5, 7)), table), "t1 is not struck out");
        QVERIFY2(!has_bar(img, cells(*w.ed, 0, 4), keyword, 0.9) && !has_bar(img, cells(*w.ed, 0, 4), field, 0.9),
                 "a stray bar crosses view");

        const qint64 p = view.size() + 1;
        const int first_at = push.indexOf(" at ") + 1, second_at = push.lastIndexOf(" at ") + 1;
        QVERIFY(has_bar(img, lower(cells(*w.ed, p + first_at, p + first_at + 2)), keyword));
        QVERIFY2(has_bar(img, lower(cells(*w.ed, p + second_at, p + second_at + 2)), keyword),
                 "the second at is not a keyword");

        QCOMPARE(err, qint64(p + push.size() + 1));
    }

    // Fonts without glyphs for the marks get hand-painted marks, never a missing-glyph box.
    void marks_without_boxes()
    {
        sys_config.show_space = 1;
        shown_editor::window w;
        QVERIFY(w.ready());
        w.ed->set_text(QString("a b\tc") + QChar(1) + "d");
        w.ed->set_cursor_position(w.ed->length());
        const QRect blank = cell_rect(*w.ed, 1), tab = cell_rect(*w.ed, 3), ctrl = cell_rect(*w.ed, 5);
        // The text is on the screen once the control byte's frame is.
        QTRY_VERIFY_WITH_TIMEOUT(has_bar(grab_editor(w.ed), ctrl, Qt::black, 0.8, 100), 10000);
        const QImage img = grab_editor(w.ed);
        // A blank: ink at its centre only (alpha 64 of black), white at its edges.
        const QPoint centre = blank.center();
        QVERIFY2(!is_white(img.pixelColor(centre)) || !is_white(img.pixelColor(centre + QPoint(1, 1))),
                 "the blank has no mark");
        QVERIFY2(all_colour(img, QRect(blank.left(), blank.top(), blank.width(), blank.height() / 4), Qt::white) &&
                     all_colour(img, QRect(blank.left(), blank.bottom() - blank.height() / 4, blank.width(),
                                           blank.height() / 4), Qt::white) &&
                     all_colour(img, QRect(blank.left(), blank.top(), 2, blank.height()), Qt::white),
                 "the blank is drawn as a box");
        // A tab: a line across most of its cell.
        QVERIFY2(has_bar(img, tab, Qt::black, 0.6, 100), "the tab has no arrow");
        QVERIFY(all_colour(img, QRect(tab.left(), tab.top(), tab.width(), tab.height() / 5), Qt::white));
        // Another control byte: a frame with its name inside.
        QVERIFY(has_colour(img, ctrl, Qt::black, 100));
        QVERIFY(has_bar(img, ctrl, Qt::black, 0.8, 100));

        // The same marks on paper.
        QImage paper(400, 100, QImage::Format_RGB32);
        paper.fill(Qt::white);
        {
            QPainter p(&paper);
            w.ed->paint_lines(p, 0, 0, true);
        }
        const double k = double(paper.logicalDpiY()) / w.ed->logicalDpiY();
        const QRect pblank(int(w.ed->cell_width() * k), 0, int(w.ed->cell_width() * k), int(w.ed->line_height() * k));
        QVERIFY(!is_white(paper.pixelColor(pblank.center())) || !is_white(paper.pixelColor(pblank.center() + QPoint(1, 1))));
        QVERIFY(all_colour(paper, QRect(pblank.left(), pblank.top(), pblank.width(), pblank.height() / 4), Qt::white));
    }

    // The gutter keeps half a cell between its digits and the text on each side and is grey
    // down to the bottom of the view.
    void gutter_margin_and_height()
    {
        shown_editor::window w(QSize(560, 420));
        QVERIFY(w.ready());
        QString text;
        for (int i = 0; i < 12; ++i)
            text += "view t1\n";
        w.ed->set_text(text);
        linenumber_wt *g = w.area->gutter();
        const int half = (w.ed->cell_width() + 1) / 2;
        const QFontMetrics fm(g->gutter_font(), g);
        QVERIFY(g->width_needed() >= fm.horizontalAdvance("13") + 2 * half);
        QWidget *vp = w.area->area()->viewport();
        QVERIFY(vp->height() > int(w.ed->line_count() + 1) * w.ed->line_height() + 100);
        const QColor grey(239, 239, 239);
        const int gx = g->mapTo(vp, QPoint(0, 0)).x();
        // The new text is on the screen once the twelfth line's number is.
        QTRY_VERIFY_WITH_TIMEOUT(has_colour(shown_editor::grab_screen(vp, QRect(gx, 11 * w.ed->line_height(), g->width(),
                                                                               w.ed->line_height())),
                                            QRect(0, 0, g->width(), w.ed->line_height()), QColor(128, 128, 128), 60),
                                 10000);
        const QImage img = shown_editor::grab_screen(vp, vp->rect());
        // Left and right margins free of ink on every line, grey everywhere.
        QVERIFY(all_colour(img, QRect(gx, 0, half, vp->height()), grey, 2));
        QVERIFY(all_colour(img, QRect(gx + g->width() - half, 0, half, vp->height()), grey, 2));
        QVERIFY2(all_colour(img, QRect(gx, vp->height() - 20, g->width(), 20), grey, 2), "the grey stops short");
        // The digits are there.
        QVERIFY(has_colour(img, QRect(gx, 0, g->width(), w.ed->line_height()), QColor(128, 128, 128), 60));
    }

    // The cursor is one line high: nothing of it reaches the line below, drawn or blinked off.
    void cursor_stays_in_its_line()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        w.ed->set_text("view\n\n");
        w.ed->set_cursor_position(2);
        w.ed->show_cursor();
        const QPoint c = w.ed->cursor_point();
        const int lh = w.ed->line_height();
        QTRY_VERIFY_WITH_TIMEOUT(!is_white(grab_editor(w.ed).pixelColor(c.x(), c.y() + lh - 1)), 10000);
        QImage img = grab_editor(w.ed);
        QVERIFY2(is_white(img.pixelColor(c.x(), c.y() + lh)), "the cursor reaches into the next line");
        w.ed->change_cursor();   // blink off
        QTRY_VERIFY_WITH_TIMEOUT(is_white(grab_editor(w.ed).pixelColor(c.x(), c.y() + lh - 1)), 10000);
        img = grab_editor(w.ed);
        QVERIFY2(is_white(img.pixelColor(c.x(), c.y() + lh)), "the blink leaves a dot");
    }

    // A click right of or below the text gives the editor the focus and the nearest position.
    void click_beside_the_text_focuses_the_editor()
    {
        shown_editor::window w(QSize(560, 420));
        QVERIFY(w.ready());
        w.ed->set_text("view t1\nshow tables");
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QWidget *vp = w.area->area()->viewport();
        shown_editor::click(vp, QPoint(vp->width() - 10, vp->height() - 10));
        QTRY_VERIFY(w.ed->hasFocus());
        QCOMPARE(w.ed->cursor_position(), w.ed->length());
        type("x");
        QCOMPARE(w.ed->text(), QString("view t1\nshow tablesx"));
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        shown_editor::click(vp, QPoint(vp->width() - 10, 2));
        QTRY_VERIFY(w.ed->hasFocus());
        QCOMPARE(w.ed->cursor_position(), qint64(7));
    }

    // Tab and Shift+Tab indent and outdent every line of a selection, each as one undo step;
    // neither ever moves the focus.
    void tab_indents_the_selected_lines()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        w.ed->set_text("view t1\nshow t2\ndrop t3");
        w.ed->set_cursor_position(0);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);   // up to the start of the third line
        key(Qt::Key_Tab);
        QCOMPARE(w.ed->text(), QString("\tview t1\n\tshow t2\ndrop t3"));
        key(Qt::Key_Tab);
        QCOMPARE(w.ed->text(), QString("\t\tview t1\n\t\tshow t2\ndrop t3"));
        QCOMPARE(w.ed->selected_text(), QString("\t\tview t1\n\t\tshow t2"));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(w.ed->text(), QString("\tview t1\n\tshow t2\ndrop t3"));
        QVERIFY(w.ed->hasFocus());
        w.ed->undo();
        QCOMPARE(w.ed->text(), QString("\t\tview t1\n\t\tshow t2\ndrop t3"));
        w.ed->undo();
        QCOMPARE(w.ed->text(), QString("\tview t1\n\tshow t2\ndrop t3"));
        w.ed->undo();
        QCOMPARE(w.ed->text(), QString("view t1\nshow t2\ndrop t3"));

        // With blanks for tabs, and Shift+Tab without a selection on the cursor's line.
        sys_config.as_space = 1;
        sys_config.tab_width = 4;
        editor_test::take_config(*w.ed);
        w.ed->set_text("view t1\n      show t2");
        w.ed->set_cursor_position(w.ed->length());
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(w.ed->text(), QString("view t1\n  show t2"));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(w.ed->text(), QString("view t1\nshow t2"));
        QCOMPARE(w.ed->cursor_position(), w.ed->length());
        QVERIFY(w.ed->hasFocus());
        QVERIFY(!w.other->hasFocus());
        w.ed->select_all();
        key(Qt::Key_Tab);
        QCOMPARE(w.ed->text(), QString("    view t1\n    show t2"));
        QVERIFY(w.ed->hasFocus());
    }

    // A line of 2 MiB: End reaches its end, the view follows, typing lands there, the scroll
    // bar alone reaches the end too, and Home comes back.
    void very_long_line_scrolls_to_its_end()
    {
        shown_editor::window w;
        QVERIFY(w.ready());
        QString line(2 * 1024 * 1024, QLatin1Char('a'));
        for (int i = 0; i < line.size(); i += 10)
            line[i] = QLatin1Char(' ');
        w.ed->set_text(line);
        QVERIFY(w.ed->content_width() > editor::widget_width_cap);
        key(Qt::Key_End);
        QCOMPARE(w.ed->cursor_position(), w.ed->length());
        QVERIFY(w.ed->x_origin() > 0);
        const QRect visible = w.area->area()->visible_rect();
        QVERIFY(visible.contains(w.ed->cursor_point() + w.ed->pos()));
        type("x");
        QVERIFY(w.ed->text().endsWith("ax"));
        QCOMPARE(w.ed->position_at(w.ed->cursor_point()), w.ed->length());
        // The "x" just typed is drawn left of the cursor.
        const QRect x_cell(w.ed->cursor_point() - QPoint(w.ed->cell_width(), 0),
                           QSize(w.ed->cell_width(), w.ed->line_height()));
        QTRY_VERIFY_WITH_TIMEOUT(has_colour(shown_editor::grab_screen(w.ed, x_cell), QRect(QPoint(0, 0), x_cell.size()),
                                            Qt::black, 100),
                                 10000);
        key(Qt::Key_Home);
        QCOMPARE(w.ed->x_origin(), qint64(0));
        QCOMPARE(w.area->area()->horizontalScrollBar()->value(), 0);

        QScrollBar *bar = w.area->area()->horizontalScrollBar();
        for (int i = 0; i < 20 && bar->value() < bar->maximum(); ++i) {
            bar->setValue(bar->maximum());
            QCoreApplication::processEvents();
        }
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(w.ed->x_origin() + w.ed->width() >= w.ed->content_width());
    }
};

SHOWN_WINDOW_TEST_MAIN(test_editor_shown)
#include "test_editor_shown.moc"
