// The preferences dialog and the editors in a real shown window under a window manager: page
// and row clicks with the mouse, the preview repainted at its place in the dialog after a
// theme click, Escape in the active dialog, and an editor painted in each built-in theme.
// With VORN_SHOTS_DIR set, each page, tab and theme is also saved as a picture there.
#include "editor_test_helper.h"
#include "shots_dir.h"
#include "shown_editor_helper.h"
#include "shown_window.h"

#include "config/builtin_palettes.h"
#include "editor/editor.h"
#include "editor/editor_area.h"
#include "config/sys_pre_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

namespace {

// Whether the colour shows on screen inside the rectangle of the widget, waiting for the repaint.
bool shows_colour(const QWidget *w, const QRect &rect, const QColor &c)
{
    return QTest::qWaitFor([&] {
        return editor_test::has_colour(shown_editor::grab_screen(w, rect), QRect(QPoint(0, 0), rect.size()), c, 30);
    }, 3000);
}

void shot(QWidget *w, const QString &name)
{
    const QString path = shots::path(name + QStringLiteral(".png"));
    if (path.isEmpty())
        return;
    // Lays out and paints what is pending before the window is rendered.
    QGuiApplication::sync();
    QVERIFY(w->window()->grab().save(path));
}

void click_item(QListWidget *lw, int row)
{
    QTest::mouseClick(lw->viewport(), Qt::LeftButton, Qt::NoModifier, lw->visualItemRect(lw->item(row)).center());
}

const char *const script_sample =
    "create t1 f1 i32 f2 string\n"
    "push into t1 f1 f2 values 12 \"text\" at 2026-12-08 09:45:00\n"
    "view t1 f1 f2 btw 2026-01-01 2026-12-31 max 100\n"
    "update t1 f1 5 at 2026-12-08 09:45:00\n"
    "save t1 bin \"t1.bin\"\n"
    "show tables\n";

} // namespace

class test_sys_pre_dlg_shown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        SHOWN_WINDOW_REQUIRE();
        // Without the editor font installed, the grid needs a fixed-pitch face.
        QFont::insertSubstitutions(QStringLiteral("Source Code Pro"),
                                   {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
    }

    void init()
    {
        sys_config.reset();
        builtin_palettes::load_all(sys_config);
    }

    void pages_tabs_and_rows_by_mouse()
    {
        sys_pre_dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto *pages = dlg.findChild<QListWidget *>(QStringLiteral("listWidget"));
        auto *stack = dlg.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        auto *tabs = dlg.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        auto *rows = dlg.findChild<QListWidget *>(QStringLiteral("theme_lw"));

        shot(&dlg, QStringLiteral("dialog_style_tab"));
        click_item(rows, 6);   // table name
        QVERIFY(dlg.findChild<QFontComboBox *>(QStringLiteral("font_cb"))->isEnabled());
        QVERIFY(dlg.findChild<QCheckBox *>(QStringLiteral("bold_cb"))->isChecked());
        shot(&dlg, QStringLiteral("dialog_style_tab_row_clicked"));
        for (int t : {1, 2}) {
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(t).center());
            QCOMPARE(tabs->currentIndex(), t);
            shot(&dlg, t == 1 ? QStringLiteral("dialog_edit_tab") : QStringLiteral("dialog_completion_tab"));
        }
        click_item(pages, 1);
        QCOMPARE(stack->currentIndex(), 1);
        shot(&dlg, QStringLiteral("dialog_update_page"));
        click_item(pages, 0);
        QCOMPARE(stack->currentIndex(), 0);
        dlg.cancel();
    }

    void a_theme_click_repaints_the_preview_in_place()
    {
        sys_pre_dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto *ed = dlg.findChild<editor *>(QStringLiteral("ed"));
        const qint64 view_line = ed->text().indexOf(QLatin1String("view "));
        const QRect table = editor_test::cell_rect(*ed, view_line + 5);   // "t1" on the view line
        QVERIFY(shows_colour(ed, table, QColor(240, 186, 178)));           // " elegant"
        auto *leisurely = dlg.findChild<QRadioButton *>(QStringLiteral("cleary_rb"));
        QTest::mouseClick(leisurely, Qt::LeftButton, Qt::NoModifier, QPoint(8, leisurely->height() / 2));
        QCOMPARE(sys_config.theme, 2);
        QVERIFY(shows_colour(ed, table, QColor(220, 195, 124)));
        shot(&dlg, QStringLiteral("dialog_preview_leisurely"));
        // Escape in the active dialog is a cancel: the theme goes back.
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 2000));
        QCOMPARE(sys_config.theme, 0);
    }

    void translated_dialogs()
    {
        const struct { const char *lang; QString title; } langs[] = {
            {"zh", QStringLiteral("系统首选项")}, {"fr", QStringLiteral("préférences du système")},
            {"jp", QStringLiteral("システム設定")}};
        for (const auto &l : langs) {
            QTranslator tr;
            QVERIFY(tr.load(QStringLiteral(":/lang/vorn_tsdb_cli_%1.qm").arg(QLatin1String(l.lang))));
            QCoreApplication::installTranslator(&tr);
            sys_pre_dlg dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            QCOMPARE(dlg.windowTitle(), l.title);
            shot(&dlg, QStringLiteral("dialog_style_tab_%1").arg(QLatin1String(l.lang)));
            dlg.cancel();
            QCoreApplication::removeTranslator(&tr);
        }
    }

    void an_editor_in_each_theme()
    {
        QWidget top;
        top.resize(760, 260);
        auto *area = new editor_area(&top);
        area->setGeometry(top.rect());
        editor *ed = area->editor_widget();
        ed->set_text(QString::fromUtf8(script_sample));
        top.show();
        QVERIFY(QTest::qWaitForWindowActive(&top));
        const qint64 push_table = ed->text().indexOf(QLatin1String("push into t1")) + 10;
        const QRect table = editor_test::cell_rect(*ed, push_table);
        const QColor table_colour[theme_count] = {{240, 186, 178}, {95, 158, 160}, {220, 195, 124}};
        const char *names[theme_count] = {"elegant", "fresh", "leisurely"};
        for (int t = 0; t < theme_count; ++t) {
            sys_config.theme = t;
            editor_test::take_config(*ed);
            ed->update();
            QVERIFY2(shows_colour(ed, table, table_colour[t]), names[t]);
            shot(&top, QStringLiteral("editor_theme_%1_%2").arg(t).arg(QLatin1String(names[t])));
        }
    }
};

SHOWN_WINDOW_TEST_MAIN(test_sys_pre_dlg_shown)
#include "test_sys_pre_dlg_shown.moc"
