// What the editor paints, read back from grabbed images; the gutter; printing to PDF.
#include "editor_test_helper.h"

#include "editor/editor_area.h"
#include "editor/linenumber_wt.h"
#include "common/modal_seam.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace editor_test;

namespace {

QImage grab(editor &ed)
{
    return ed.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The cell without its outer pixels, where a glyph of an ASCII letter has ink.
QRect inner(const QRect &cell)
{
    return cell.adjusted(1, 2, -1, -2);
}

int count_pages(const QString &pdf)
{
    QFile f(pdf);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray all = f.readAll();
    return all.count("/Type /Page\n") + all.count("/Type /Page ") + all.count("/Type /Page>") +
           all.count("/Type /Page/");
}

} // namespace

class test_editor_paint : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        reset_config();
        sys_config.auto_enable = 0;
        sys_config.show_space = 0;
    }

    void selection_and_match_backgrounds()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1 f1");
        ed.set_cursor_position(ed.length());   // keep the cursor out of the probed cells
        ed.add_selection(0, 2);
        ed.add_match(1, 3);
        const QImage img = grab(ed);
        const QRect sel_only = cell_rect(ed, 0), both = cell_rect(ed, 1), match_only = cell_rect(ed, 2);
        QCOMPARE(img.pixelColor(sel_only.topLeft()), QColor(0, 120, 215));
        QCOMPARE(img.pixelColor(both.topLeft()), QColor(0, 255, 0));
        QCOMPARE(img.pixelColor(match_only.topLeft()), QColor(255, 255, 0));
        QCOMPARE(img.pixelColor(cell_rect(ed, 3).topLeft()), QColor(255, 255, 255));
        // White letters on the selection, black ones where it meets a match.
        QVERIFY(has_colour(img, inner(sel_only), Qt::white, 30));
        QVERIFY(has_colour(img, inner(both), Qt::black, 60));
        QVERIFY(!has_colour(img, inner(both), Qt::white, 30));
    }

    void escape_and_ctrl_keys_clear_matches()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1");
        ed.add_match(0, 4);
        key(&ed, Qt::Key_Escape);
        QVERIFY(ed.matches().empty());
        ed.add_match(0, 4);
        key(&ed, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(ed.matches().empty());
    }

    void tokens_get_their_theme_colours()
    {
        colour_theme();
        editor ed;
        take_config(ed);
        ed.set_text("view t1 f1 btw 1 2");
        const QImage img = grab(ed);
        QVERIFY(has_colour(img, inner(cell_rect(ed, 1)), entry_colour(6)));   // read keyword
        QVERIFY(has_colour(img, inner(cell_rect(ed, 5)), entry_colour(3)));   // table name
        QVERIFY(has_colour(img, inner(cell_rect(ed, 8)), entry_colour(2)));   // field name
        QVERIFY(has_colour(img, inner(cell_rect(ed, 11)), entry_colour(8)));  // default keyword
        QVERIFY(has_colour(img, inner(cell_rect(ed, 15)), entry_colour(4)));  // constant
        QVERIFY(!has_colour(img, inner(cell_rect(ed, 1)), entry_colour(3), 20));
    }

    void unclosed_quote_paints_the_default_entry()
    {
        colour_theme();
        text_style &d = sys_config.active_styles()[0];
        d.red = 0; d.green = 150; d.blue = 0;
        editor ed;
        take_config(ed);
        ed.set_text("view t1 \"open");
        QCOMPARE(&ed.style_at(1), &ed.style().entries[0]);
        QCOMPARE(&ed.style_at(10), &ed.style().entries[0]);
        // The command check also stops there, so the line starts red and goes on black.
        QCOMPARE(ed.error_position(), qint64(0));
        const QImage img = grab(ed);
        QVERIFY(!has_colour(img, inner(cell_rect(ed, 1)), entry_colour(6), 20));
        ed.set_text("view t1 \"closed\"");
        QCOMPARE(&ed.style_at(1), &ed.style().entries[6]);
        QCOMPARE(&ed.style_at(10), &ed.style().entries[2]);
    }

    void error_position_is_red_and_the_rest_black()
    {
        colour_theme();
        editor ed;
        take_config(ed);
        ed.set_text("view t1\nvew t2");
        QCOMPARE(ed.error_position(), qint64(8));
        QVERIFY(ed.context_action("goto_error")->isEnabled());
        const QImage img = grab(ed);
        QVERIFY(has_colour(img, inner(cell_rect(ed, 1)), entry_colour(6)));
        QVERIFY(has_colour(img, cell_rect(ed, 8), QColor(255, 0, 0), 30));
        QVERIFY(!has_colour(img, inner(cell_rect(ed, 12)), entry_colour(3), 20));
        ed.goto_error();
        QCOMPARE(ed.cursor_position(), qint64(8));
        ed.set_text("view t1\n\nshow tables\n");
        QCOMPARE(ed.error_position(), ed.length());
        QVERIFY(!ed.context_action("goto_error")->isEnabled());
    }

    void control_bytes_and_visible_blanks()
    {
        editor ed;
        take_config(ed);
        ed.set_text(QString("a\tb c") + QChar(0x7F));
        QImage img = grab(ed);
        QVERIFY(has_colour(img, cell_rect(ed, 1), Qt::black, 100));       // the tab picture
        QVERIFY(all_colour(img, cell_rect(ed, 3), Qt::white));            // a blank without marks
        QVERIFY(has_colour(img, cell_rect(ed, 5), Qt::black, 100));       // the delete picture
        sys_config.show_space = 1;
        take_config(ed);
        ed.update();
        img = grab(ed);
        // The blank mark is the token colour at alpha 64: light grey on white, never dark.
        QVERIFY(!all_colour(img, cell_rect(ed, 3), Qt::white, 2));
        QVERIFY(!has_colour(img, cell_rect(ed, 3), Qt::black, 120));
    }

    void large_texts_wait_for_a_pause_before_colouring()
    {
        colour_theme();
        editor ed;
        take_config(ed);
        fake_clock clock;
        clock.attach(ed);
        QString big = QStringLiteral("view t1 f1\n");
        big += QString(0x20000, QLatin1Char('a'));
        ed.set_text(big);
        ed.set_cursor_position(ed.length());
        type(&ed, "b");
        QImage img = grab(ed);
        QVERIFY(!has_colour(img, inner(cell_rect(ed, 1)), entry_colour(6), 20));
        clock.now += 2001;
        img = grab(ed);
        QVERIFY(has_colour(img, inner(cell_rect(ed, 1)), entry_colour(6)));
    }

    void context_actions_follow_the_selection()
    {
        editor ed;
        take_config(ed);
        ed.set_text("view t1");
        QVERIFY(!ed.context_action("copy")->isEnabled());
        QVERIFY(!ed.context_action("cut")->isEnabled());
        ed.select_all();
        QVERIFY(ed.context_action("copy")->isEnabled());
        QVERIFY(ed.context_action("delete_selection")->isEnabled());
        QAction window_copy(nullptr);
        editor_actions handed;
        handed.copy = &window_copy;
        ed.set_window_actions(handed);
        QVERIFY(window_copy.isEnabled());
        ed.delete_selection();
        QVERIFY(!window_copy.isEnabled());
        QCOMPARE(ed.text(), QString());
    }

    void gutter_width_and_colours()
    {
        // One digit's width per decimal digit (at least a blank, also for a face with wide
        // digits) plus half a cell of margin on each side.
        linenumber_wt g;
        const QFontMetrics fm(g.gutter_font(), &g);
        int digit = fm.horizontalAdvance(QLatin1Char(' '));
        for (char d = '0'; d <= '9'; ++d)
            digit = std::max(digit, fm.horizontalAdvance(QLatin1Char(d)));
        const int margins = 2 * g.margin();
        QVERIFY(margins >= editor_style().cell_width());
        g.set_line_count(9);
        QCOMPARE(g.width_needed(), digit + margins);
        g.set_line_count(10);
        QCOMPARE(g.width_needed(), 2 * digit + margins);
        g.set_line_count(12345);
        QCOMPARE(g.width_needed(), 5 * digit + margins);
        g.resize(40, 100);
        const QImage img = g.grab().toImage();
        QCOMPARE(img.pixelColor(0, 0), QColor(239, 239, 239));
        QVERIFY(has_colour(img, QRect(0, 0, 40, 19), QColor(128, 128, 128), 10));
    }

    void area_places_editor_right_of_the_gutter()
    {
        editor_area area;
        area.resize(300, 200);
        area.show();
        editor *ed = area.editor_widget();
        QString text;
        for (int i = 0; i < 150; ++i)
            text += QStringLiteral("view t%1\n").arg(i);
        ed->set_text(text);
        QCOMPARE(area.gutter()->line_count(), qint64(151));
        QCOMPARE(ed->x(), area.gutter()->width_needed() + 2);
        ed->set_cursor_position(ed->length());
        QVERIFY(area.area()->visible_rect().contains(ed->cursor_point() + ed->pos()));
        QCOMPARE(area.gutter()->scroll_offset(), area.area()->visible_rect().top());
    }

    void prints_every_line_to_pdf()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("out.pdf");
        editor ed;
        take_config(ed);
        QString text;
        for (int i = 0; i < 200; ++i)
            text += QStringLiteral("view t%1 f1 btw 1 2\n").arg(i);
        ed.set_text(text);
        int dpi = 0;
        modal_seam::install([&](const modal_seam::request &r) {
            modal_seam::answer a;
            if (r.what == modal_seam::kind::print) {
                dpi = r.printer->resolution();
                r.printer->setOutputFormat(QPrinter::PdfFormat);
                r.printer->setOutputFileName(pdf);
                a.result = 1;
            }
            return a;
        });
        ed.print();
        modal_seam::uninstall();
        QCOMPARE(dpi, 1200);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(4) == "%PDF");
        // 200 lines at 19 pixels do not fit on one page.
        QVERIFY(count_pages(pdf) > 1);
    }

    void cancelled_print_writes_nothing()
    {
        modal_seam::script s;
        s.fallback.result = 0;
        editor ed;
        take_config(ed);
        ed.set_text("view t1");
        ed.print();
        QCOMPARE(s.shown.size(), size_t(1));
        QCOMPARE(int(s.shown[0].what), int(modal_seam::kind::print));
    }
};

QTEST_MAIN(test_editor_paint)
#include "test_editor_paint.moc"
