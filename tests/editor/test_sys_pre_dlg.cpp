// The preferences dialog against the live configuration record: its widgets and their initial
// state, live style edits, themes and their reset, the factor floor, apply and cancel.
#include "config/builtin_palettes.h"
#include "config/color_wt.h"
#include "editor/editor.h"
#include "config/sys_pre_dlg.h"
#include "editor_test_helper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>
#include <cstring>

namespace {

template <typename W> W *child(QWidget &dlg, const char *name)
{
    W *w = dlg.findChild<W *>(QLatin1String(name));
    if (!w)
        qWarning("no widget %s", name);
    return w;
}

bool same_style(const text_style &a, const text_style &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QListWidgetItem *row(sys_pre_dlg &dlg, int r)
{
    return child<QListWidget>(dlg, "theme_lw")->item(r);
}

void click_row(sys_pre_dlg &dlg, int r)
{
    QListWidget *lw = child<QListWidget>(dlg, "theme_lw");
    lw->setCurrentRow(r);
    dlg.item_clicked(lw->item(r));
}

// A record far from the initial values in every field the dialog shows.
void odd_record()
{
    sys_config.reset();
    sys_config.h_factor = 1.25f;
    sys_config.v_factor = 2.5f;
    sys_config.theme = 2;
    sys_config.tab_width = 2;
    sys_config.as_space = 1;
    sys_config.show_space = 0;
    sys_config.edit_time = 3.5f;
    sys_config.cursor_width = 3;
    sys_config.auto_enable = 0;
    sys_config.least_count = 4;
    sys_config.only_cmd = 0;
    sys_config.check_update = 1;
    text_style &kw = sys_config.styles[2][style_default_keyword];
    sys_config_record::set_family(kw, "DejaVu Serif");
    kw.bold = 1;
    kw.italic = 1;
    kw.underline = 1;
    kw.red = 10;
    kw.green = 20;
    kw.blue = 30;
    kw.alpha = 200;
    kw.point_size = 17;
    sys_config.recent_files = {"/a.tcd", "/b.tcd"};
    sys_config.open_files = {"/c.tcd"};
}

} // namespace

class test_sys_pre_dlg : public QObject {
    Q_OBJECT
private slots:
    void init() { sys_config.reset(); }
    void cleanupTestCase() { sys_config.reset(); }

    void widgets_texts_and_ranges()
    {
        sys_pre_dlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("system preference"));
        QCOMPARE(dlg.size(), QSize(903, 599));
        QListWidget *pages = child<QListWidget>(dlg, "listWidget");
        QVERIFY(pages->maximumWidth() <= 100);
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->item(0)->text(), QStringLiteral("editor"));
        QCOMPARE(pages->item(1)->text(), QStringLiteral("update"));
        QStackedWidget *stack = child<QStackedWidget>(dlg, "stackedWidget");
        QCOMPARE(stack->count(), 2);
        QCOMPARE(stack->widget(0)->objectName(), QStringLiteral("edtior"));
        QTabWidget *tabs = child<QTabWidget>(dlg, "tabWidget");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral(" style"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("edit"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("completion"));

        const QStringList rows = {"default", "default keyword", "read keyword", "write keyword", "post keyword",
                                  "function", "table name", "field name", "constant", "comment"};
        QListWidget *lw = child<QListWidget>(dlg, "theme_lw");
        QCOMPARE(lw->count(), rows.size());
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(lw->item(r)->text(), rows[r]);
        const int entries[] = {0, 8, 6, 7, 5, 1, 3, 2, 4, 9};
        for (int r = 0; r < 10; ++r)
            QCOMPARE(sys_pre_dlg::entry_of_row(r), entries[r]);

        QCOMPARE(child<QRadioButton>(dlg, "fresh_rb")->text(), QStringLiteral(" elegant"));
        QCOMPARE(child<QRadioButton>(dlg, "dark_rb")->text(), QStringLiteral("fresh"));
        QCOMPARE(child<QRadioButton>(dlg, "cleary_rb")->text(), QStringLiteral("leisurely"));
        QCOMPARE(child<QPushButton>(dlg, "reset_pb")->text(), QStringLiteral("reset(&r)"));
        QCOMPARE(child<QPushButton>(dlg, "apply_pb")->text(), QStringLiteral("applay(&a)"));
        QCOMPARE(child<QPushButton>(dlg, "cancel_pb")->text(), QStringLiteral("cancel(&c)"));
        QCOMPARE(child<QCheckBox>(dlg, "strickout_cb")->text(), QStringLiteral("Strickout"));
        QCOMPARE(child<QCheckBox>(dlg, "update_cb")->text(), QStringLiteral("Check Update"));
        QVERIFY(child<color_wt>(dlg, "cwt"));

        QComboBox *tab = child<QComboBox>(dlg, "tab_width_cb");
        QStringList widths;
        for (int i = 0; i < tab->count(); ++i)
            widths << tab->itemText(i);
        QCOMPARE(widths, QStringList({"4", "8", "2", "6", "1", "3"}));

        QDoubleSpinBox *hf = child<QDoubleSpinBox>(dlg, "hf_dsb");
        QCOMPARE(hf->minimum(), 0.0);
        QCOMPARE(hf->maximum(), 2.0);
        QCOMPARE(hf->singleStep(), 0.01);
        QCOMPARE(child<QDoubleSpinBox>(dlg, "vf_dsb")->maximum(), 6.0);
        QCOMPARE(child<QDoubleSpinBox>(dlg, "edit_time_dsb")->maximum(), 20.0);
        QCOMPARE(child<QSpinBox>(dlg, "cursor_width_sb")->minimum(), 0);
        QCOMPARE(child<QSpinBox>(dlg, "cursor_width_sb")->maximum(), 4);
        QCOMPARE(child<QSpinBox>(dlg, "least_count_sb")->maximum(), 6);

        editor *ed = child<editor>(dlg, "ed");
        QVERIFY(!ed->isEnabled());
        QVERIFY(ed->minimumWidth() >= 500 && ed->minimumHeight() >= 100);
        const QStringList sample = ed->text().split(QLatin1Char('\n'));
        QCOMPARE(sample.size(), 3);
        QCOMPARE(sample[0], QStringLiteral("//test code"));
        QVERIFY(sample[1].startsWith(QLatin1String("view ")) && sample[1].contains(QLatin1String(" max ")));
        QVERIFY(sample[2].startsWith(QLatin1String("push ")) && sample[2].contains(QLatin1Char('"')));
    }

    void pages_follow_the_page_list()
    {
        sys_pre_dlg dlg;
        QListWidget *pages = child<QListWidget>(dlg, "listWidget");
        QStackedWidget *stack = child<QStackedWidget>(dlg, "stackedWidget");
        dlg.page_clicked(pages->item(1));
        QCOMPARE(stack->currentIndex(), 1);
        dlg.page_clicked(pages->item(0));
        QCOMPARE(stack->currentIndex(), 0);
    }

    void initial_state_from_a_non_default_record()
    {
        odd_record();
        sys_pre_dlg dlg;
        QCOMPARE(child<QDoubleSpinBox>(dlg, "hf_dsb")->value(), 1.25);
        QCOMPARE(child<QDoubleSpinBox>(dlg, "vf_dsb")->value(), 2.5);
        QVERIFY(!child<QRadioButton>(dlg, "fresh_rb")->isChecked());
        QVERIFY(!child<QRadioButton>(dlg, "dark_rb")->isChecked());
        QVERIFY(child<QRadioButton>(dlg, "cleary_rb")->isChecked());
        QCOMPARE(child<QComboBox>(dlg, "tab_width_cb")->currentText(), QStringLiteral("2"));
        QVERIFY(child<QCheckBox>(dlg, "as_space_cb")->isChecked());
        QVERIFY(!child<QCheckBox>(dlg, "show_space_cb")->isChecked());
        QCOMPARE(child<QDoubleSpinBox>(dlg, "edit_time_dsb")->value(), 3.5);
        QCOMPARE(child<QSpinBox>(dlg, "cursor_width_sb")->value(), 3);
        QVERIFY(!child<QCheckBox>(dlg, "auto_enable_cb")->isChecked());
        QCOMPARE(child<QSpinBox>(dlg, "least_count_sb")->value(), 4);
        QVERIFY(!child<QCheckBox>(dlg, "only_cmd_cb")->isChecked());
        QVERIFY(child<QCheckBox>(dlg, "update_cb")->isChecked());

        // Rows are styled from the active theme, not from theme 0.
        const QFont kw = row(dlg, 1)->font();
        QCOMPARE(kw.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(kw.pointSize(), 17);
        QCOMPARE(kw.weight(), 75);
        QVERIFY(kw.italic() && kw.underline() && !kw.overline() && !kw.strikeOut());
        QCOMPARE(row(dlg, 1)->foreground().color(), QColor(10, 20, 30, 200));
        QCOMPARE(row(dlg, 0)->font().weight(), 50);

        // The style controls wait for a row.
        for (const char *name : {"font_cb", "bold_cb", "italic_cb", "overline_cb", "underline_cb", "strickout_cb"})
            QVERIFY2(!child<QWidget>(dlg, name)->isEnabled(), name);
        QCOMPARE(child<QSpinBox>(dlg, "fs_sb")->value(), 12);   // the first row, shown greyed

        click_row(dlg, 1);
        QVERIFY(child<QFontComboBox>(dlg, "font_cb")->isEnabled());
        QVERIFY(child<QCheckBox>(dlg, "bold_cb")->isChecked());
        QVERIFY(child<QCheckBox>(dlg, "italic_cb")->isChecked());
        QVERIFY(child<QCheckBox>(dlg, "underline_cb")->isChecked());
        QVERIFY(!child<QCheckBox>(dlg, "overline_cb")->isChecked());
        QVERIFY(!child<QCheckBox>(dlg, "strickout_cb")->isChecked());
        QCOMPARE(child<QSpinBox>(dlg, "fs_sb")->value(), 17);
        QCOMPARE(child<color_wt>(dlg, "cwt")->color(), QColor(10, 20, 30, 200));
        // Loading the controls writes nothing back, even where the font combo box cannot show
        // the family exactly.
        QCOMPARE(QString::fromUtf8(sys_config.styles[2][style_default_keyword].family), QStringLiteral("DejaVu Serif"));
    }

    void a_theme_outside_the_three_checks_none_and_apply_keeps_it()
    {
        sys_config.theme = 7;
        sys_pre_dlg dlg;
        for (const char *name : {"fresh_rb", "dark_rb", "cleary_rb"})
            QVERIFY(!child<QRadioButton>(dlg, name)->isChecked());
        dlg.theme_reset();   // nothing checked: no table to reset
        QVERIFY(same_style(sys_config.styles[0][6], sys_config_record().styles[0][6]));
        dlg.apply();
        QCOMPARE(sys_config.theme, 7);
    }

    void cancel_after_a_colour_change_restores_the_record()
    {
        odd_record();
        const std::string before = sys_config.to_bytes();
        sys_pre_dlg dlg;
        click_row(dlg, 6);   // table name
        dlg.color_changed(QColor(1, 2, 3));
        QCOMPARE(sys_config.styles[2][style_table].red, 1);
        child<QDoubleSpinBox>(dlg, "hf_dsb")->setValue(1.75);
        QCOMPARE(sys_config.h_factor, 1.75f);
        child<QRadioButton>(dlg, "fresh_rb")->click();
        QCOMPARE(sys_config.theme, 0);
        // Something else changed the lists meanwhile; the snapshot holds them too.
        sys_config.recent_files.push_front("/z.tcd");
        sys_config.open_files.clear();

        child<QPushButton>(dlg, "cancel_pb")->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(sys_config.to_bytes(), before);
        QCOMPARE(sys_config.recent_files, (std::list<std::string>{"/a.tcd", "/b.tcd"}));
        QCOMPARE(sys_config.open_files, (std::list<std::string>{"/c.tcd"}));
    }

    void closing_by_escape_counts_as_cancel()
    {
        const std::string before = sys_config.to_bytes();
        sys_pre_dlg dlg;
        click_row(dlg, 0);
        dlg.color_changed(QColor(200, 0, 0));
        QVERIFY(sys_config.to_bytes() != before);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(sys_config.to_bytes(), before);
    }

    void reset_loads_the_checked_theme_only()
    {
        sys_config_record fresh_record;
        sys_pre_dlg dlg;
        child<QRadioButton>(dlg, "dark_rb")->click();   // "fresh", theme 1
        QCOMPARE(sys_config.theme, 1);
        child<QPushButton>(dlg, "reset_pb")->click();
        const text_style &read = sys_config.styles[1][style_read_keyword];
        QCOMPARE(read.red, 0);
        QCOMPARE(read.green, 128);
        QCOMPARE(read.blue, 0);
        QCOMPARE(read.alpha, 255);
        QCOMPARE(sys_config.styles[1][style_table].bold, uint8_t(1));
        for (int t : {0, 2})
            for (int e = 0; e < style_class_count; ++e)
                QVERIFY(same_style(sys_config.styles[t][e], fresh_record.styles[t][e]));
        // The rows show the reset palette at once.
        QCOMPARE(row(dlg, 2)->foreground().color(), QColor(0, 128, 0));
    }

    void switching_themes_restyles_rows_and_retargets_edits()
    {
        builtin_palettes::load_all(sys_config);
        sys_pre_dlg dlg;
        click_row(dlg, 5);   // function
        child<QRadioButton>(dlg, "cleary_rb")->click();
        QCOMPARE(sys_config.theme, 2);
        QCOMPARE(row(dlg, 5)->foreground().color(), QColor(66, 44, 51));
        QCOMPARE(child<color_wt>(dlg, "cwt")->color(), QColor(66, 44, 51));
        dlg.color_changed(QColor(9, 9, 9));
        QCOMPARE(sys_config.styles[2][style_function].red, 9);
        QCOMPARE(sys_config.styles[0][style_function].red, 232);
    }

    void a_factor_below_the_floor_is_shown_but_not_taken()
    {
        sys_pre_dlg dlg;
        editor *ed = child<editor>(dlg, "ed");
        const int cell = ed->cell_width();
        QDoubleSpinBox *hf = child<QDoubleSpinBox>(dlg, "hf_dsb");
        hf->setValue(0.05);
        QCOMPARE(hf->value(), 0.05);
        QCOMPARE(sys_config.h_factor, 1.0f);
        QCOMPARE(ed->cell_width(), cell);
        hf->setValue(0.1);
        QCOMPARE(sys_config.h_factor, 0.1f);
        hf->setValue(0.05);
        child<QDoubleSpinBox>(dlg, "vf_dsb")->setValue(2.0);
        QCOMPARE(sys_config.v_factor, 2.0f);
        // Apply keeps the floor too.
        dlg.apply();
        QCOMPARE(sys_config.h_factor, 0.1f);
        QCOMPARE(sys_config.v_factor, 2.0f);
    }

    void open_editors_follow_the_metrics_at_once()
    {
        editor other;
        other.set_text(QStringLiteral("view t1\nshow tables"));
        other.set_cursor_position(7);
        QCOMPARE(other.cursor_point(), QPoint(7 * 12, 0));
        sys_pre_dlg dlg;
        child<QDoubleSpinBox>(dlg, "hf_dsb")->setValue(2.0);
        QCOMPARE(other.cursor_point(), QPoint(7 * 24, 0));
        QCOMPARE(other.width(), 11 * 24 + 100);
        click_row(dlg, 0);
        child<QSpinBox>(dlg, "fs_sb")->setValue(10);   // entry 0 sets the grid
        QCOMPARE(other.cursor_point(), QPoint(7 * 20, 0));
        dlg.cancel();
        QCOMPARE(other.cursor_point(), QPoint(7 * 12, 0));
    }

    void apply_stores_the_listed_fields()
    {
        editor open_script;
        sys_pre_dlg dlg;
        child<QComboBox>(dlg, "tab_width_cb")->setCurrentText(QStringLiteral("8"));
        child<QCheckBox>(dlg, "as_space_cb")->setChecked(true);
        child<QCheckBox>(dlg, "show_space_cb")->setChecked(false);
        child<QDoubleSpinBox>(dlg, "edit_time_dsb")->setValue(2.5);
        child<QSpinBox>(dlg, "cursor_width_sb")->setValue(4);
        child<QCheckBox>(dlg, "auto_enable_cb")->setChecked(false);
        child<QSpinBox>(dlg, "least_count_sb")->setValue(6);
        child<QCheckBox>(dlg, "only_cmd_cb")->setChecked(false);
        child<QCheckBox>(dlg, "update_cb")->setChecked(true);
        // Nothing but style, factor and theme is live before apply.
        QCOMPARE(sys_config.tab_width, 4);
        QCOMPARE(sys_config.cursor_width, 1);
        child<QPushButton>(dlg, "apply_pb")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(sys_config.tab_width, 8);
        QCOMPARE(sys_config.as_space, uint8_t(1));
        QCOMPARE(sys_config.show_space, uint8_t(0));
        QCOMPARE(sys_config.edit_time, 2.5f);
        QCOMPARE(sys_config.cursor_width, 4);
        QCOMPARE(sys_config.auto_enable, uint8_t(0));
        QCOMPARE(sys_config.least_count, 6);
        QCOMPARE(sys_config.only_cmd, uint8_t(0));
        QCOMPARE(sys_config.check_update, uint8_t(1));
        QCOMPARE(sys_config.theme, 0);
        // Open editors type and complete by the applied switches at once.
        QVERIFY(open_script.style() == editor_style_of(sys_config));
        QCOMPARE(open_script.style().tab_width, 8);
    }

    void a_tab_width_the_list_lacks_survives_apply()
    {
        sys_config.tab_width = 5;
        sys_pre_dlg dlg;
        QCOMPARE(child<QComboBox>(dlg, "tab_width_cb")->currentText(), QStringLiteral("5"));
        dlg.apply();
        QCOMPARE(sys_config.tab_width, 5);
    }

    void unchecking_bold_for_default_keyword_stores_entry_8()
    {
        sys_config.styles[0][style_default_keyword].bold = 1;
        sys_pre_dlg dlg;
        click_row(dlg, 1);
        QCheckBox *bold = child<QCheckBox>(dlg, "bold_cb");
        QVERIFY(bold->isChecked());
        bold->setChecked(false);
        QCOMPARE(sys_config.styles[0][style_default_keyword].bold, uint8_t(0));
        QCOMPARE(row(dlg, 1)->font().weight(), 50);
        bold->setChecked(true);
        QCOMPARE(sys_config.styles[0][style_default_keyword].bold, uint8_t(1));
        // The other rows' entries are untouched.
        QCOMPARE(sys_config.styles[0][style_default].bold, uint8_t(0));
    }

    void each_style_control_writes_its_field()
    {
        sys_pre_dlg dlg;
        click_row(dlg, 9);   // comment, entry 9
        const text_style &s = sys_config.styles[0][style_comment];
        child<QCheckBox>(dlg, "italic_cb")->setChecked(true);
        child<QCheckBox>(dlg, "overline_cb")->setChecked(true);
        child<QCheckBox>(dlg, "underline_cb")->setChecked(true);
        child<QCheckBox>(dlg, "strickout_cb")->setChecked(true);
        child<QSpinBox>(dlg, "fs_sb")->setValue(15);
        QCOMPARE(s.italic, uint8_t(1));
        QCOMPARE(s.overline, uint8_t(1));
        QCOMPARE(s.underline, uint8_t(1));
        QCOMPARE(s.strikeout, uint8_t(1));
        QCOMPARE(s.point_size, 15);
        QCOMPARE(s.bold, uint8_t(0));
        dlg.font_changed(QFont(QStringLiteral("DejaVu Sans")));
        QCOMPARE(QString::fromUtf8(s.family), QStringLiteral("DejaVu Sans"));
        QCOMPARE(s.point_size, 15);   // a family change keeps the size
        child<color_wt>(dlg, "cwt")->color_changed(QColor(5, 6, 7, 128));
        QCOMPARE(s.red, 5);
        QCOMPARE(s.alpha, 128);
    }

    void style_edits_without_a_row_change_nothing()
    {
        const std::string before = sys_config.to_bytes();
        sys_pre_dlg dlg;
        dlg.bold_changed(Qt::Checked);
        dlg.fs_changed(30);
        dlg.color_changed(Qt::red);
        dlg.font_changed(QFont(QStringLiteral("DejaVu Sans")));
        QCOMPARE(sys_config.to_bytes(), before);
    }

    void a_long_font_family_is_cut_on_a_character_boundary()
    {
        sys_pre_dlg dlg;
        click_row(dlg, 0);
        // 21 three-byte characters: 63 bytes fit exactly; one more ASCII byte at the front
        // puts the cut inside the last character.
        const QString family = QStringLiteral("x") + QString(21, QChar(0x6F22));
        dlg.font_changed(QFont(family));
        const char *stored = sys_config.styles[0][style_default].family;
        const std::size_t len = std::strlen(stored);
        QCOMPARE(len, std::size_t(61));
        QCOMPARE(QString::fromUtf8(stored), QStringLiteral("x") + QString(20, QChar(0x6F22)));
    }

    void the_preview_paints_a_colour_change()
    {
        sys_pre_dlg dlg;
        editor *ed = child<editor>(dlg, "ed");
        // "btw" on the view line is a default keyword.
        const qint64 btw = ed->text().indexOf(QLatin1String("btw"));
        QVERIFY(btw > 0);
        const QRect cell = editor_test::cell_rect(*ed, btw);
        // The remark line of the sample must not stop the colouring of the lines after it.
        QCOMPARE(ed->error_position(), ed->length());
        QVERIFY(!editor_test::has_colour(ed->grab().toImage(), cell, QColor(255, 0, 0)));
        click_row(dlg, 1);
        dlg.color_changed(QColor(255, 0, 0));
        QVERIFY(editor_test::has_colour(ed->grab().toImage(), cell, QColor(255, 0, 0)));
        dlg.cancel();
        QVERIFY(!editor_test::has_colour(ed->grab().toImage(), cell, QColor(255, 0, 0)));
    }

    void built_in_palettes()
    {
        text_style table[style_class_count];
        QVERIFY(!builtin_palettes::load(3, table));
        QVERIFY(!builtin_palettes::load(-1, table));
        sys_config_record rec;
        builtin_palettes::load_all(rec);
        const text_style &a = rec.styles[0][style_field];
        QCOMPARE(QString::fromUtf8(a.family), QStringLiteral("Source Code Pro"));
        QCOMPARE(a.point_size, 12);
        QVERIFY(a.bold && a.italic && !a.overline && !a.underline && !a.strikeout);
        QCOMPARE(QColor(a.red, a.green, a.blue, a.alpha), QColor(148, 154, 142));
        QCOMPARE(QColor(rec.styles[1][style_write_keyword].red, rec.styles[1][style_write_keyword].green,
                        rec.styles[1][style_write_keyword].blue), QColor(255, 215, 0));
        QCOMPARE(rec.styles[2][style_post_keyword].red, 148);
        QCOMPARE(rec.styles[2][style_comment].green, 174);
        // The rest of the record keeps its initial values: seeding changes the colours only.
        sys_config_record plain;
        for (auto &t : rec.styles)
            for (text_style &s : t)
                s = plain.styles[0][0];
        QCOMPARE(rec.to_bytes(), plain.to_bytes());
    }
};

QTEST_MAIN(test_sys_pre_dlg)
#include "test_sys_pre_dlg.moc"
